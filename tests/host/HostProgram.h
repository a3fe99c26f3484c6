#pragma once

// Runs the tidewell_host program as a person would, on files in a scratch folder.

#include <sndfile.h>

#include <filesystem>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class ScratchFolder
{
public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The path of name inside the folder.
  std::string Path(const std::string& name) const { return (mPath / name).string(); }

private:
  std::filesystem::path mPath;
};

// What one run of the program left behind.
struct HostRun
{
  int exitCode = -1;
  std::string out;
  std::string err;

  // The lines written to stderr.
  std::vector<std::string> ErrorLines() const;
};

// Runs tidewell_host with the arguments (no shell), with its output captured in scratch files.
HostRun RunHost(const std::vector<std::string>& arguments, const ScratchFolder& scratch);

// The bundle of the component under test.
std::string BundlePath();

// Interleaved float audio as read from or written to a file.
struct Audio
{
  std::vector<float> samples;
  int channels = 0;
  int sampleRate = 0;
  int format = 0;
};

// A repeatable test signal: a tone plus noise at about -6 dBFS peak.
Audio MakeSignal(int channels, int sampleRate, double seconds, int format = SF_FORMAT_WAV | SF_FORMAT_FLOAT);
// Writes audio in its format; fails the test when libsndfile cannot.
void WriteAudio(const std::string& path, const Audio& audio);
// Reads a whole file as floats (integer encodings scaled by 2^-31 of their 32-bit form, as the host does).
Audio ReadAudio(const std::string& path);
// The raw bytes of a file.
std::vector<char> FileBytes(const std::string& path);
