#include "DemoCommand.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "AudioFile.h"
#include "CommandLine.h"
#include "ConfiguredComponent.h"
#include "DemoSignal.h"
#include "DipReport.h"
#include "ErrorLine.h"
#include "Renderer.h"
#include "StatusText.h"

namespace
{
  constexpr double kDemoSeconds = 60.0;
  constexpr int kDemoSampleRate = 48000;
  constexpr int kDemoChannels = 2;
  constexpr UInt32 kBlock = 512;

  // Renders input (interleaved stereo) slice by slice into output; false with an error text.
  bool RenderAll(Renderer& renderer, const std::vector<float>& input, std::vector<float>& output, std::string& error)
  {
    const std::size_t frames = input.size() / kDemoChannels;
    for (std::size_t start = 0; start < frames; start += kBlock)
    {
      const auto n = static_cast<UInt32>(std::min<std::size_t>(kBlock, frames - start));
      const OSStatus status = renderer.Process(input.data() + start * kDemoChannels, output.data() + start * kDemoChannels, n);
      if (status != noErr)
      {
        error = "the component failed to render at " + std::to_string(start) + " frames: " + StatusText(status);
        return false;
      }
    }
    return true;
  }
}

int DemoCommand::Run(const CommandLine& commandLine)
{
  std::string error;
  if (!commandLine.Only({"--set", "--component"}, error))
    return ReportError(error);
  if (commandLine.Positional().size() != 1)
    return ReportError("demo needs OUT.wav: tidewell_host demo OUT.wav");
  const std::string& outPath = commandLine.Positional()[0];

  ParameterCatalog catalog;
  std::unique_ptr<HostComponent> unit = ConfiguredComponent::Open(commandLine, catalog, error);
  if (!unit)
    return ReportError(error);
  StreamSetup setup;
  setup.sampleRate = kDemoSampleRate;
  setup.inChannels = kDemoChannels;
  setup.outChannels = kDemoChannels;
  setup.maxFrames = kBlock;
  Renderer renderer(*unit);
  if (!renderer.Start(setup, error))
    return ReportError(error);

  const std::vector<float> input = DemoSignal::Render(kDemoSeconds, kDemoSampleRate);
  std::vector<float> output(input.size());
  if (!RenderAll(renderer, input, output, error))
    return ReportError(error);

  AudioFileWriter writer;
  const AudioFileInfo info{AudioFileWriter::FloatWav(), kDemoChannels, kDemoSampleRate, 0};
  const long frames = static_cast<long>(input.size() / kDemoChannels);
  if (!writer.Create(outPath, info, error) || !writer.Write(output.data(), frames, error) || !writer.Close(error))
    return ReportError(error);

  DipReport dips;
  dips.Add(input.data(), output.data(), frames, kDemoChannels);
  dips.Finish();
  std::printf("rendered %.0f s of the demo music at %d Hz stereo through %s to %s\n", kDemoSeconds, kDemoSampleRate, unit->Name().c_str(),
              outPath.c_str());
  dips.Print(stdout, kDemoSampleRate);
  return 0;
}
