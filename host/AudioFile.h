#pragma once

#include <sndfile.h>

#include <string>
#include <vector>

// The shape of an audio file: libsndfile's format code (container and sample encoding), channels,
// sample rate and length.
struct AudioFileInfo
{
  int format = 0;
  int channels = 0;
  int sampleRate = 0;
  long long frames = 0;
};

// Reads interleaved float frames from any file libsndfile understands. Integer encodings of up to 24
// bits convert to float exactly, so that writing them back with AudioFileWriter gives the same bits.
class AudioFileReader
{
public:
  AudioFileReader() = default;
  AudioFileReader(const AudioFileReader&) = delete;
  AudioFileReader& operator=(const AudioFileReader&) = delete;
  ~AudioFileReader();

  // Opens path read-only; false with a one-line error text when it is missing or not audio.
  bool Open(const std::string& path, std::string& error);
  const AudioFileInfo& Info() const { return mInfo; }
  // Reads up to frames frames into out (frames x channels floats); returns the number read, 0 at the
  // end, -1 on a read error (text in error).
  long Read(float* out, long frames, std::string& error);

private:
  SNDFILE* mFile = nullptr;
  AudioFileInfo mInfo;
  bool mIntegerSamples = false;
  std::vector<int> mIntegers;
};

// Writes interleaved float frames to a new file in a given format.
class AudioFileWriter
{
public:
  AudioFileWriter() = default;
  AudioFileWriter(const AudioFileWriter&) = delete;
  AudioFileWriter& operator=(const AudioFileWriter&) = delete;
  // Closes the file (Close does it earlier and reports errors).
  ~AudioFileWriter();

  // Creates path (replacing a file there) in info's format, channels and rate; false with a one-line
  // error text when libsndfile cannot write that format or the file cannot be created.
  bool Create(const std::string& path, const AudioFileInfo& info, std::string& error);
  // Writes frames frames from in; false with an error text on failure. Integer encodings are clipped.
  bool Write(const float* in, long frames, std::string& error);
  // Flushes and closes; false with an error text on failure.
  bool Close(std::string& error);

  // The format of a 32-bit float WAV file.
  static int FloatWav();

private:
  SNDFILE* mFile = nullptr;
  std::string mPath;
  int mChannels = 0;
  bool mIntegerSamples = false;
  std::vector<int> mIntegers;
};
