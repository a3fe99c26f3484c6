#include "HostProgram.h"
#include "support/TextFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
  bool IsFloatEncoding(int format)
  {
    const int subtype = format & SF_FORMAT_SUBMASK;
    return subtype == SF_FORMAT_FLOAT || subtype == SF_FORMAT_DOUBLE;
  }
}

ScratchFolder::ScratchFolder()
{
  std::string pattern = (std::filesystem::temp_directory_path() / "tidewell-host-XXXXXX").string();
  if (!mkdtemp(pattern.data()))
    ADD_FAILURE() << "cannot make a scratch folder";
  mPath = pattern;
}

ScratchFolder::~ScratchFolder()
{
  std::error_code ignored;
  std::filesystem::remove_all(mPath, ignored);
}

std::vector<std::string> HostRun::ErrorLines() const
{
  std::vector<std::string> lines;
  std::istringstream stream(err);
  for (std::string line; std::getline(stream, line);)
    lines.push_back(line);
  return lines;
}

HostRun RunHost(const std::vector<std::string>& arguments, const ScratchFolder& scratch)
{
  const std::string outPath = scratch.Path("host.stdout");
  const std::string errPath = scratch.Path("host.stderr");
  std::vector<std::string> words{TIDEWELL_HOST_PATH};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);

  HostRun run;
  const pid_t child = fork();
  if (child == 0)
  {
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int in = open("/dev/null", O_RDONLY);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    dup2(in, STDIN_FILENO);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child)
  {
    ADD_FAILURE() << "cannot run " << TIDEWELL_HOST_PATH;
    return run;
  }
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  run.out = ReadText(outPath);
  run.err = ReadText(errPath);
  return run;
}

std::string BundlePath()
{
  return TIDEWELL_BUNDLE_PATH;
}

Audio MakeSignal(int channels, int sampleRate, double seconds, int format)
{
  Audio audio;
  audio.channels = channels;
  audio.sampleRate = sampleRate;
  audio.format = format;
  const auto frames = static_cast<std::size_t>(seconds * sampleRate);
  audio.samples.resize(frames * static_cast<std::size_t>(channels));
  std::mt19937 random(7);
  std::uniform_real_distribution<float> noise(-0.2f, 0.2f);
  for (std::size_t i = 0; i < frames; ++i)
  {
    for (int c = 0; c < channels; ++c)
    {
      const float tone = 0.3f * static_cast<float>(std::sin(6.283185307179586 * (330.0 + 110.0 * c) * static_cast<double>(i) / sampleRate));
      float sample = tone + noise(random);
      if (!IsFloatEncoding(format))
        sample = std::round(sample * 32768.f) / 32768.f;
      audio.samples[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)] = sample;
    }
  }
  return audio;
}

void WriteAudio(const std::string& path, const Audio& audio)
{
  SF_INFO info{};
  info.channels = audio.channels;
  info.samplerate = audio.sampleRate;
  info.format = audio.format;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
  const auto frames = static_cast<sf_count_t>(audio.samples.size() / static_cast<std::size_t>(audio.channels));
  if (IsFloatEncoding(audio.format))
  {
    EXPECT_EQ(sf_writef_float(file, audio.samples.data(), frames), frames);
  }
  else
  {
    std::vector<int> integers(audio.samples.size());
    for (std::size_t i = 0; i < integers.size(); ++i)
      integers[i] = static_cast<int>(std::fmax(-2147483648.0, std::fmin(2147483647.0, std::nearbyint(audio.samples[i] * 2147483648.0))));
    EXPECT_EQ(sf_writef_int(file, integers.data(), frames), frames);
  }
  sf_close(file);
}

Audio ReadAudio(const std::string& path)
{
  Audio audio;
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file)
  {
    ADD_FAILURE() << path << ": " << sf_strerror(nullptr);
    return audio;
  }
  audio.channels = info.channels;
  audio.sampleRate = info.samplerate;
  audio.format = info.format;
  audio.samples.resize(static_cast<std::size_t>(info.frames) * static_cast<std::size_t>(info.channels));
  if (IsFloatEncoding(info.format))
  {
    sf_readf_float(file, audio.samples.data(), info.frames);
  }
  else
  {
    std::vector<int> integers(audio.samples.size());
    sf_readf_int(file, integers.data(), info.frames);
    for (std::size_t i = 0; i < integers.size(); ++i)
      audio.samples[i] = static_cast<float>(integers[i] / 2147483648.0);
  }
  sf_close(file);
  return audio;
}

std::vector<char> FileBytes(const std::string& path)
{
  std::ifstream file(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
