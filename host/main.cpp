// Renders audio through the Tidewell engine.
//   tidewell_host demo OUT.wav   renders 60 s of the built-in test music at 48 kHz stereo
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "AudioFile.h"
#include "DemoSignal.h"
#include "DipReport.h"
#include "Tidewell.h"

namespace
{
  constexpr double kDemoSeconds = 60.0;
  constexpr int kDemoSampleRate = 48000;
  constexpr int kBlockSize = 512;

  void Usage()
  {
    std::fprintf(stderr, "usage: tidewell_host demo OUT.wav\n");
  }

  // Runs interleaved stereo input through a fresh engine, block by block, as a host would.
  std::vector<float> RenderStereo(const std::vector<float>& input, int sampleRate)
  {
    Tidewell plug;
    plug.SetSampleRate(sampleRate);
    plug.SetBlockSize(kBlockSize);
    plug.SetChannelConnections(iplug::kInput, 0, 2, true);
    plug.SetChannelConnections(iplug::kOutput, 0, 2, true);
    plug.OnReset();

    const std::size_t nFrames = input.size() / 2;
    std::vector<float> output(input.size());
    std::vector<float> in[2], out[2];
    for (int c = 0; c < 2; ++c)
    {
      in[c].resize(kBlockSize);
      out[c].resize(kBlockSize);
    }
    float* ins[2] = {in[0].data(), in[1].data()};
    float* outs[2] = {out[0].data(), out[1].data()};

    for (std::size_t start = 0; start < nFrames; start += kBlockSize)
    {
      const int n = static_cast<int>(std::min<std::size_t>(kBlockSize, nFrames - start));
      for (int i = 0; i < n; ++i)
        for (int c = 0; c < 2; ++c)
          in[c][i] = input[2 * (start + i) + c];
      plug.AttachBuffers(iplug::kInput, 0, 2, ins, n);
      plug.AttachBuffers(iplug::kOutput, 0, 2, outs, n);
      plug.ProcessBuffers(0.f, n);
      for (int i = 0; i < n; ++i)
        for (int c = 0; c < 2; ++c)
          output[2 * (start + i) + c] = out[c][i];
    }
    return output;
  }

  int RunDemo(const std::string& outPath)
  {
    AudioFile file;
    file.channels = 2;
    file.sampleRate = kDemoSampleRate;
    const std::vector<float> input = DemoSignal::Render(kDemoSeconds, kDemoSampleRate);
    file.frames = RenderStereo(input, kDemoSampleRate);

    const std::string error = file.WriteWav(outPath);
    if (!error.empty())
    {
      std::fprintf(stderr, "tidewell_host: %s\n", error.c_str());
      return 1;
    }

    DipReport report;
    report.Add(input.data(), file.frames.data(), static_cast<long>(input.size() / 2), 2);
    report.Finish();
    std::printf("rendered %.0f s of the demo input at %d Hz stereo to %s\n", kDemoSeconds, kDemoSampleRate, outPath.c_str());
    report.Print(stdout, kDemoSampleRate);
    return 0;
  }
}

int main(int argc, char** argv)
{
  if (argc == 3 && std::strcmp(argv[1], "demo") == 0)
    return RunDemo(argv[2]);
  Usage();
  return 2;
}
