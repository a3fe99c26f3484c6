#include "AudioFile.h"

#include <sndfile.h>

std::string AudioFile::WriteWav(const std::string& path) const
{
  SF_INFO info{};
  info.samplerate = sampleRate;
  info.channels = channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file)
    return "cannot write " + path + ": " + sf_strerror(nullptr);

  const auto nFrames = static_cast<sf_count_t>(frames.size() / static_cast<std::size_t>(channels));
  const sf_count_t written = sf_writef_float(file, frames.data(), nFrames);
  std::string error;
  if (written != nFrames)
    error = "cannot write " + path + ": " + sf_strerror(file);
  sf_close(file);
  return error;
}
