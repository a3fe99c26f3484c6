#include "AudioFile.h"

#include <cmath>
#include <filesystem>

namespace
{
  // Integer samples travel as 32-bit left-justified ints; dividing by 2^31 gives floats that scale
  // back to the same integers, which libsndfile's own float conversion does not guarantee.
  constexpr double kIntegerScale = 2147483648.0;

  bool IsFloatEncoding(int format)
  {
    switch (format & SF_FORMAT_SUBMASK)
    {
      case SF_FORMAT_FLOAT:
      case SF_FORMAT_DOUBLE:
      case SF_FORMAT_VORBIS:
      case SF_FORMAT_OPUS:
      case SF_FORMAT_MPEG_LAYER_I:
      case SF_FORMAT_MPEG_LAYER_II:
      case SF_FORMAT_MPEG_LAYER_III:
        return true;
      default:
        return false;
    }
  }

  int ToInteger(float sample)
  {
    const double scaled = std::nearbyint(static_cast<double>(sample) * kIntegerScale);
    if (std::isnan(scaled))
      return 0;
    if (scaled >= kIntegerScale - 1.0)
      return 2147483647;
    if (scaled <= -kIntegerScale)
      return -2147483647 - 1;
    return static_cast<int>(scaled);
  }
}

AudioFileReader::~AudioFileReader()
{
  if (mFile)
    sf_close(mFile);
}

bool AudioFileReader::Open(const std::string& path, std::string& error)
{
  std::error_code fsError;
  if (!std::filesystem::exists(path, fsError))
  {
    error = path + ": no such file";
    return false;
  }
  if (std::filesystem::is_directory(path, fsError))
  {
    error = path + ": is a directory, not an audio file";
    return false;
  }
  SF_INFO info{};
  mFile = sf_open(path.c_str(), SFM_READ, &info);
  if (!mFile)
  {
    error = path + ": not an audio file libsndfile can read (" + sf_strerror(nullptr) + ")";
    return false;
  }
  mInfo = {info.format, info.channels, info.samplerate, static_cast<long long>(info.frames)};
  mIntegerSamples = !IsFloatEncoding(info.format);
  return true;
}

long AudioFileReader::Read(float* out, long frames, std::string& error)
{
  const auto count = static_cast<std::size_t>(frames) * static_cast<std::size_t>(mInfo.channels);
  sf_count_t read = 0;
  if (mIntegerSamples)
  {
    mIntegers.resize(count);
    read = sf_readf_int(mFile, mIntegers.data(), frames);
    for (std::size_t i = 0; i < static_cast<std::size_t>(read) * static_cast<std::size_t>(mInfo.channels); ++i)
      out[i] = static_cast<float>(mIntegers[i] / kIntegerScale);
  }
  else
  {
    read = sf_readf_float(mFile, out, frames);
  }
  if (read < frames && sf_error(mFile) != SF_ERR_NO_ERROR)
  {
    error = std::string("read error: ") + sf_strerror(mFile);
    return -1;
  }
  return static_cast<long>(read);
}

AudioFileWriter::~AudioFileWriter()
{
  if (mFile)
    sf_close(mFile);
}

int AudioFileWriter::FloatWav()
{
  return SF_FORMAT_WAV | SF_FORMAT_FLOAT;
}

bool AudioFileWriter::Create(const std::string& path, const AudioFileInfo& info, std::string& error)
{
  SF_INFO sfInfo{};
  sfInfo.format = info.format;
  sfInfo.channels = info.channels;
  sfInfo.samplerate = info.sampleRate;
  if (!sf_format_check(&sfInfo))
  {
    error = "cannot write " + path + ": libsndfile cannot write this file's format";
    return false;
  }
  mFile = sf_open(path.c_str(), SFM_WRITE, &sfInfo);
  if (!mFile)
  {
    error = "cannot write " + path + ": " + sf_strerror(nullptr);
    return false;
  }
  mPath = path;
  mChannels = info.channels;
  mIntegerSamples = !IsFloatEncoding(info.format);
  return true;
}

bool AudioFileWriter::Write(const float* in, long frames, std::string& error)
{
  sf_count_t written = 0;
  if (mIntegerSamples)
  {
    mIntegers.resize(static_cast<std::size_t>(frames) * static_cast<std::size_t>(mChannels));
    for (std::size_t i = 0; i < mIntegers.size(); ++i)
      mIntegers[i] = ToInteger(in[i]);
    written = sf_writef_int(mFile, mIntegers.data(), frames);
  }
  else
  {
    written = sf_writef_float(mFile, in, frames);
  }
  if (written != frames)
  {
    error = "cannot write " + mPath + ": " + sf_strerror(mFile);
    return false;
  }
  return true;
}

bool AudioFileWriter::Close(std::string& error)
{
  if (!mFile)
    return true;
  const int status = sf_close(mFile);
  mFile = nullptr;
  if (status != 0)
  {
    error = "cannot write " + mPath + ": " + sf_error_number(status);
    return false;
  }
  return true;
}
