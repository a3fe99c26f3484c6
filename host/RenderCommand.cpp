#include "RenderCommand.h"

#include <cstdio>
#include <filesystem>
#include <vector>

#include "AudioFile.h"
#include "ChannelConfigurations.h"
#include "CommandLine.h"
#include "ConfiguredComponent.h"
#include "DipReport.h"
#include "ErrorLine.h"
#include "ProgressBar.h"
#include "Renderer.h"
#include "StatusText.h"

namespace
{
  constexpr long kDefaultBlock = 1024;
  constexpr long kLargestBlock = 65536;
  // Shorter files finish before a progress bar would tell anyone anything.
  constexpr double kProgressSeconds = 20.0;

  bool SameFile(const std::string& a, const std::string& b)
  {
    std::error_code error;
    return std::filesystem::exists(b, error) && std::filesystem::equivalent(a, b, error);
  }

  std::string ChannelWord(int channels)
  {
    if (channels == 1)
      return "mono";
    return channels == 2 ? "stereo" : std::to_string(channels) + " channels";
  }

  // Renders the whole input; false with an error text.
  bool RenderFile(AudioFileReader& reader, Renderer& renderer, AudioFileWriter& writer, DipReport& dips, std::string& error)
  {
    const AudioFileInfo& info = reader.Info();
    const long block = static_cast<long>(renderer.Setup().maxFrames);
    std::vector<float> input(static_cast<std::size_t>(block * info.channels));
    std::vector<float> output(input.size());
    ProgressBar progress(stderr, info.frames, info.frames > kProgressSeconds * info.sampleRate);
    long long done = 0;
    for (;;)
    {
      const long frames = reader.Read(input.data(), block, error);
      if (frames < 0)
        return false;
      if (frames == 0)
        break;
      const OSStatus status = renderer.Process(input.data(), output.data(), static_cast<UInt32>(frames));
      if (status != noErr)
      {
        error = "the component failed to render at " + std::to_string(done) + " frames: " + StatusText(status);
        return false;
      }
      dips.Add(input.data(), output.data(), frames, info.channels);
      if (!writer.Write(output.data(), frames, error))
        return false;
      done += frames;
      progress.Update(done);
    }
    progress.Finish();
    dips.Finish();
    return true;
  }
}

int RenderCommand::Run(const CommandLine& commandLine)
{
  std::string error;
  if (!commandLine.Only({"--set", "--block", "--state", "--component"}, error))
    return ReportError(error);
  if (commandLine.Positional().size() != 2)
    return ReportError("render needs IN and OUT: tidewell_host render IN OUT [--set NAME=VALUE]... [--block N] [--state FILE]");
  const std::string& inPath = commandLine.Positional()[0];
  const std::string& outPath = commandLine.Positional()[1];
  long block = kDefaultBlock;
  if (commandLine.Has("--block") && !commandLine.Number("--block", 1, kLargestBlock, block, error))
    return ReportError(error);

  AudioFileReader reader;
  if (!reader.Open(inPath, error))
    return ReportError(error);
  if (SameFile(inPath, outPath))
    return ReportError(outPath + " is the input file; the input is never overwritten");
  const AudioFileInfo& info = reader.Info();

  ParameterCatalog catalog;
  std::unique_ptr<HostComponent> unit = ConfiguredComponent::Open(commandLine, catalog, error);
  if (!unit)
    return ReportError(error);
  ChannelConfigurations configs;
  if (configs.Read(*unit) && !configs.Accepts(info.channels, info.channels))
    return ReportError(inPath + " has " + std::to_string(info.channels) + " channels; Tidewell takes " + configs.Describe() + " (inputs-outputs)");

  StreamSetup setup;
  setup.sampleRate = info.sampleRate;
  setup.inChannels = static_cast<UInt32>(info.channels);
  setup.outChannels = static_cast<UInt32>(info.channels);
  setup.maxFrames = static_cast<UInt32>(block);
  Renderer renderer(*unit);
  if (!renderer.Start(setup, error))
    return ReportError(error);

  AudioFileWriter writer;
  if (!writer.Create(outPath, info, error))
    return ReportError(error);
  DipReport dips;
  if (!RenderFile(reader, renderer, writer, dips, error) || !writer.Close(error))
  {
    std::error_code ignored;
    std::filesystem::remove(outPath, ignored);
    return ReportError(error);
  }

  std::printf("rendered %.3f s of %s (%d Hz, %s) to %s\n", static_cast<double>(info.frames) / info.sampleRate, inPath.c_str(), info.sampleRate,
              ChannelWord(info.channels).c_str(), outPath.c_str());
  dips.Print(stdout, info.sampleRate);
  return 0;
}
