#include "BypassChecks.h"

#include <algorithm>
#include <vector>

#include "Renderer.h"
#include "SampleStats.h"
#include "StatusText.h"
#include "TestSignal.h"
#include "ValidationContext.h"

namespace
{
  constexpr double kRate = 11025.0;
  constexpr UInt32 kChannels = 2;
  constexpr UInt32 kSlice = 512;

  struct Rendered
  {
    OSStatus status = noErr;
    std::vector<float> input;
    std::vector<float> output;
  };

  // Renders the test signal through a fresh instance set for the earliest, deepest dip.
  Rendered RenderThroughDip(ValidationContext& context, bool bypassed, std::string& figures)
  {
    Rendered rendered;
    rendered.status = kAudioUnitErr_FailedInitialization;
    std::unique_ptr<HostComponent> unit = context.Open(bypassed ? "a bypassed render" : "an unbypassed render");
    if (!unit)
      return rendered;
    context.SetEarliestDeepestDip(*unit);
    const UInt32 flag = bypassed ? 1 : 0;
    const OSStatus setStatus = unit->Set(kAudioUnitProperty_BypassEffect, kAudioUnitScope_Global, 0, flag);
    UInt32 readBack = 99;
    unit->Get(kAudioUnitProperty_BypassEffect, kAudioUnitScope_Global, 0, readBack);
    figures = Format("BypassEffect set %u: %s, reads %u", flag, StatusText(setStatus).c_str(), readBack);
    if (setStatus != noErr || readBack != flag)
      return rendered;

    Renderer renderer(*unit);
    StreamSetup setup;
    setup.sampleRate = kRate;
    setup.maxFrames = kSlice;
    if (!renderer.Start(setup, figures))
      return rendered;
    const auto frames = static_cast<std::size_t>(kRate * ValidationContext::kDipSeconds);
    rendered.input.resize(frames * kChannels);
    rendered.output.resize(frames * kChannels);
    TestSignal(kRate).Fill(rendered.input.data(), frames, kChannels);
    rendered.status = noErr;
    for (std::size_t start = 0; start < frames && rendered.status == noErr; start += kSlice)
    {
      const auto n = static_cast<UInt32>(std::min<std::size_t>(kSlice, frames - start));
      rendered.status = renderer.Process(rendered.input.data() + start * kChannels, rendered.output.data() + start * kChannels, n);
    }
    return rendered;
  }

  std::size_t DifferingSamples(const Rendered& rendered)
  {
    std::size_t differing = 0;
    for (std::size_t i = 0; i < rendered.input.size(); ++i)
      differing += rendered.input[i] != rendered.output[i];
    return differing;
  }

  void CheckPassThrough(ValidationContext& context)
  {
    std::string figures;
    const Rendered bypassed = RenderThroughDip(context, true, figures);
    const std::size_t bypassedDiffs = DifferingSamples(bypassed);
    context.report.Check(bypassed.status == noErr && bypassedDiffs == 0, "bypassed output equals the input bit for bit",
                         figures + Format(", %zu of %zu samples differ", bypassedDiffs, bypassed.input.size()));
    const Rendered processed = RenderThroughDip(context, false, figures);
    const std::size_t processedDiffs = DifferingSamples(processed);
    context.report.Check(processed.status == noErr && processedDiffs > 0, "the same render not bypassed is processed",
                         figures + Format(", %zu of %zu samples differ", processedDiffs, processed.input.size()));
  }

  void CheckToggling(ValidationContext& context)
  {
    std::unique_ptr<HostComponent> unit = context.Open("bypass switching");
    if (!unit)
      return;
    context.SetEarliestDeepestDip(*unit);
    Renderer renderer(*unit);
    StreamSetup setup;
    setup.sampleRate = kRate;
    setup.maxFrames = kSlice;
    if (!context.Start(renderer, setup, "bypass switching"))
      return;
    TestSignal signal(kRate);
    SampleStats stats;
    OSStatus status = noErr;
    int switches = 0;
    const auto stretch = static_cast<std::size_t>(kRate / 4);
    for (std::size_t done = 0; done < kRate * ValidationContext::kDipSeconds && status == noErr; done += stretch, ++switches)
    {
      const UInt32 flag = switches % 2;
      status = unit->Set(kAudioUnitProperty_BypassEffect, kAudioUnitScope_Global, 0, flag);
      if (status == noErr)
        status = ValidationContext::RenderSignal(renderer, signal, stretch, kSlice, stats);
    }
    context.report.Check(status == noErr && stats.Clean(), "bypass switched every 0.25 s mid-stream",
                         Format("%d switches, %s, %s", switches, StatusText(status).c_str(), stats.Describe().c_str()));
  }
}

void BypassChecks::Run(ValidationContext& context)
{
  context.report.Section("bypass");
  CheckPassThrough(context);
  CheckToggling(context);
}
