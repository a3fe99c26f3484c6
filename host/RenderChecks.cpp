#include "RenderChecks.h"

#include <algorithm>
#include <vector>

#include "ChannelConfigurations.h"
#include "Renderer.h"
#include "SampleStats.h"
#include "StatusText.h"
#include "TestSignal.h"
#include "ValidationContext.h"

namespace
{
  constexpr double kSampleRates[] = {11025.0, 22050.0, 44100.0, 48000.0, 96000.0, 192000.0};
  constexpr UInt32 kSlices[] = {1, 32, 64, 137, 512, 4096};
  constexpr UInt32 kLargestSlice = 4096;
  // Each slice size renders at least this long, so every size sees a stretch of every signal part.
  constexpr double kSecondsPerSlice = 0.05;
  constexpr UInt32 kSlicesPerSize = 8;

  struct RenderCounts
  {
    unsigned long pre = 0;
    unsigned long post = 0;
  };

  OSStatus CountRender(void* refCon, AudioUnitRenderActionFlags* flags, const AudioTimeStamp*, UInt32, UInt32, AudioBufferList*)
  {
    auto* counts = static_cast<RenderCounts*>(refCon);
    if (flags && (*flags & kAudioUnitRenderAction_PreRender))
      ++counts->pre;
    if (flags && (*flags & kAudioUnitRenderAction_PostRender))
      ++counts->post;
    return noErr;
  }

  struct HostCallbackCounts
  {
    unsigned long beat = 0;
    unsigned long musicalTime = 0;
    unsigned long transport = 0;
  };

  OSStatus BeatAndTempo(void* user, Float64* beat, Float64* tempo)
  {
    ++static_cast<HostCallbackCounts*>(user)->beat;
    if (beat)
      *beat = 16.0;
    if (tempo)
      *tempo = 96.0;
    return noErr;
  }

  OSStatus MusicalTime(void* user, UInt32* toNextBeat, Float32* numerator, UInt32* denominator, Float64* downBeat)
  {
    ++static_cast<HostCallbackCounts*>(user)->musicalTime;
    if (toNextBeat)
      *toNextBeat = 0;
    if (numerator)
      *numerator = 3.f;
    if (denominator)
      *denominator = 4;
    if (downBeat)
      *downBeat = 15.0;
    return noErr;
  }

  OSStatus Transport(void* user, Boolean* playing, Boolean* changed, Float64* sample, Boolean* cycling, Float64* cycleStart, Float64* cycleEnd)
  {
    ++static_cast<HostCallbackCounts*>(user)->transport;
    if (playing)
      *playing = true;
    if (changed)
      *changed = false;
    if (sample)
      *sample = 0.0;
    if (cycling)
      *cycling = false;
    if (cycleStart)
      *cycleStart = 0.0;
    if (cycleEnd)
      *cycleEnd = 0.0;
    return noErr;
  }

  std::vector<UInt32> RenderableChannels(const ChannelConfigurations& configs)
  {
    std::vector<UInt32> counts;
    for (UInt32 channels : {1u, 2u})
    {
      if (configs.Accepts(static_cast<int>(channels), static_cast<int>(channels)))
        counts.push_back(channels);
    }
    return counts;
  }

  // Changes the largest slice between renders, as a host does when its buffer size changes.
  OSStatus ChangeLargestSlice(HostComponent& unit, UInt32 frames)
  {
    OSStatus status = unit.Uninitialize();
    if (status == noErr)
      status = unit.Set(kAudioUnitProperty_MaximumFramesPerSlice, kAudioUnitScope_Global, 0, frames);
    const OSStatus initStatus = unit.Initialize();
    return status != noErr ? status : initStatus;
  }

  // One slice over the maximum must fail without pulling input; so must a slice without a valid time.
  bool CheckRefusals(Renderer& renderer, UInt32 largest, std::string& figures)
  {
    const StreamSetup& setup = renderer.Setup();
    std::vector<float> input(static_cast<std::size_t>(largest + 1) * setup.inChannels, 0.25f);
    std::vector<float> output(static_cast<std::size_t>(largest + 1) * setup.outChannels);
    const unsigned long pulls = renderer.Pulls();
    const OSStatus oversize = renderer.Process(input.data(), output.data(), largest + 1);
    const OSStatus untimed = renderer.Process(input.data(), output.data(), std::min<UInt32>(16, largest), kAudioTimeStampNothingValid);
    figures = Format("%u+1 frames: %d, no sample time: %d", largest, oversize, untimed);
    return oversize != noErr && untimed != noErr && renderer.Pulls() == pulls;
  }

  // Every slice size at one rate and channel count, on one instance.
  void CheckRateAndChannels(ValidationContext& context, double rate, UInt32 channels, SampleStats& total)
  {
    std::unique_ptr<HostComponent> unit = context.Open(Format("%.0f Hz", rate));
    if (!unit)
      return;
    StreamSetup setup;
    setup.sampleRate = rate;
    setup.inChannels = channels;
    setup.outChannels = channels;
    setup.maxFrames = kSlices[0];
    Renderer renderer(*unit);
    const std::string name = Format("%.0f Hz, %u-%u", rate, channels, channels);
    if (!context.Start(renderer, setup, name))
      return;

    TestSignal signal(rate);
    SampleStats stats;
    std::string failure;
    unsigned long slices = 0;
    for (UInt32 slice : kSlices)
    {
      OSStatus status = ChangeLargestSlice(*unit, slice);
      const auto frames = std::max<std::size_t>(static_cast<std::size_t>(slice) * kSlicesPerSize, static_cast<std::size_t>(rate * kSecondsPerSlice));
      const unsigned long pullsBefore = renderer.Pulls();
      if (status == noErr)
        status = ValidationContext::RenderSignal(renderer, signal, frames, slice, stats);
      const unsigned long expectedPulls = static_cast<unsigned long>((frames + slice - 1) / slice);
      slices += expectedPulls;
      if (status != noErr || renderer.Pulls() - pullsBefore != expectedPulls || renderer.BadPulls() != 0)
      {
        failure = Format("slices of %u: %s, %lu pulls for %lu slices", slice, StatusText(status).c_str(), renderer.Pulls() - pullsBefore, expectedPulls);
        break;
      }
      std::string figures;
      if (!CheckRefusals(renderer, slice, figures))
      {
        failure = figures + ", input pulled or accepted";
        break;
      }
    }
    total.Merge(stats);
    context.report.Check(failure.empty() && stats.Clean(), name,
                         failure.empty() ? Format("%lu slices of 1 to %u frames, each one over the maximum refused; %s", slices, kLargestSlice,
                                                  stats.Describe().c_str())
                                         : failure);
  }

  void CheckLongRender(ValidationContext& context, double rate, UInt32 channels, SampleStats& total)
  {
    std::unique_ptr<HostComponent> unit = context.Open("a long render");
    if (!unit)
      return;
    context.SetEarliestDeepestDip(*unit);
    StreamSetup setup;
    setup.sampleRate = rate;
    setup.inChannels = channels;
    setup.outChannels = channels;
    setup.maxFrames = kLargestSlice;
    Renderer renderer(*unit);
    if (!context.Start(renderer, setup, Format("a long render at %.0f Hz", rate)))
      return;
    TestSignal signal(rate);
    SampleStats stats;
    const OSStatus status = ValidationContext::RenderSignal(renderer, signal, static_cast<std::size_t>(rate * ValidationContext::kDipSeconds), kLargestSlice, stats);
    total.Merge(stats);
    context.report.Check(status == noErr && stats.Clean(), Format("%.0f Hz: %.0f s through the deepest dip", rate, ValidationContext::kDipSeconds),
                         StatusText(status) + ", " + stats.Describe());
  }

  // Parameter values after Reset and after Uninitialize + Initialize must be those set before.
  void CheckMidStream(ValidationContext& context)
  {
    std::unique_ptr<HostComponent> unit = context.Open("reset mid-stream");
    if (!unit)
      return;
    Renderer renderer(*unit);
    StreamSetup setup;
    setup.maxFrames = 512;
    if (!context.Start(renderer, setup, "reset mid-stream"))
      return;
    std::vector<AudioUnitParameterValue> values;
    for (const ParameterDescription& parameter : context.parameters.All())
    {
      unit->SetParameter(parameter.id, context.RandomValue(parameter));
      AudioUnitParameterValue value = 0.f;
      unit->GetParameter(parameter.id, value);
      values.push_back(value);
    }
    const auto kept = [&]() {
      for (std::size_t i = 0; i < values.size(); ++i)
      {
        AudioUnitParameterValue value = 0.f;
        if (unit->GetParameter(context.parameters.All()[i].id, value) != noErr || value != values[i])
          return false;
      }
      return true;
    };

    TestSignal signal(setup.sampleRate);
    SampleStats stats;
    OSStatus renderStatus = ValidationContext::RenderSignal(renderer, signal, 24000, setup.maxFrames, stats);
    const OSStatus resetStatus = AudioUnitReset(unit->Unit(), kAudioUnitScope_Global, 0);
    const bool keptAfterReset = kept();
    if (renderStatus == noErr)
      renderStatus = ValidationContext::RenderSignal(renderer, signal, 24000, setup.maxFrames, stats);
    context.report.Check(resetStatus == noErr && keptAfterReset && renderStatus == noErr && stats.Clean(), "Reset mid-stream keeps the parameters",
                         Format("Reset %s, render %s, %s", StatusText(resetStatus).c_str(), StatusText(renderStatus).c_str(), stats.Describe().c_str()));

    const OSStatus uninitStatus = unit->Uninitialize();
    const OSStatus initStatus = unit->Initialize();
    const bool keptAfterInit = kept();
    AudioStreamBasicDescription output{};
    unit->Get(kAudioUnitProperty_StreamFormat, kAudioUnitScope_Output, 0, output);
    if (renderStatus == noErr)
      renderStatus = ValidationContext::RenderSignal(renderer, signal, 24000, setup.maxFrames, stats);
    context.report.Check(uninitStatus == noErr && initStatus == noErr && keptAfterInit && output.mSampleRate == setup.sampleRate
                           && output.mChannelsPerFrame == setup.outChannels && renderStatus == noErr && stats.Clean(),
                         "re-initialise mid-stream keeps parameters and formats",
                         Format("Uninitialize %d, Initialize %d, %u ch at %.0f Hz, render %s", uninitStatus, initStatus, output.mChannelsPerFrame,
                                output.mSampleRate, StatusText(renderStatus).c_str()));
  }

  void CheckNotificationsAndCallbacks(ValidationContext& context)
  {
    std::unique_ptr<HostComponent> unit = context.Open("render notifications");
    if (!unit)
      return;
    RenderCounts counts;
    HostCallbackCounts hostCounts;
    const OSStatus addStatus = AudioUnitAddRenderNotify(unit->Unit(), &CountRender, &counts);
    HostCallbackInfo callbacks{&hostCounts, &BeatAndTempo, &MusicalTime, &Transport, nullptr};
    const OSStatus callbackStatus = unit->Set(kAudioUnitProperty_HostCallbacks, kAudioUnitScope_Global, 0, callbacks);
    Renderer renderer(*unit);
    StreamSetup setup;
    setup.maxFrames = 256;
    if (!context.Start(renderer, setup, "render notifications"))
      return;
    TestSignal signal(setup.sampleRate);
    SampleStats stats;
    constexpr unsigned long kRenders = 20;
    OSStatus status = ValidationContext::RenderSignal(renderer, signal, kRenders * setup.maxFrames, setup.maxFrames, stats);
    context.report.Check(addStatus == noErr && status == noErr && counts.pre == kRenders && counts.post == kRenders,
                         "render notifications before and after each render", Format("%lu renders: %lu pre, %lu post", kRenders, counts.pre, counts.post));
    const OSStatus removeStatus = AudioUnitRemoveRenderNotify(unit->Unit(), &CountRender, &counts);
    if (status == noErr)
      status = ValidationContext::RenderSignal(renderer, signal, setup.maxFrames, setup.maxFrames, stats);
    context.report.Check(removeStatus == noErr && status == noErr && counts.pre == kRenders, "no notification once removed",
                         Format("%lu pre after removal", counts.pre));
    context.report.Check(callbackStatus == noErr && status == noErr && stats.Clean(), "render with host callbacks installed",
                         Format("beat and tempo asked %lu times, musical time %lu, transport %lu", hostCounts.beat, hostCounts.musicalTime,
                                hostCounts.transport));

    renderer.SetUnitSuppliesOutput(true);
    SampleStats supplied;
    status = ValidationContext::RenderSignal(renderer, signal, 8 * setup.maxFrames, setup.maxFrames, supplied);
    context.report.Check(status == noErr && supplied.Clean(), "output buffers supplied by the unit", StatusText(status) + ", " + supplied.Describe());
  }
}

void RenderChecks::Run(ValidationContext& context)
{
  context.report.Section("rendering");
  std::unique_ptr<HostComponent> unit = context.Open("the channel list");
  if (!unit)
    return;
  ChannelConfigurations configs;
  configs.Read(*unit);
  const std::vector<UInt32> channelCounts = RenderableChannels(configs);
  if (!context.report.Check(!channelCounts.empty(), "mono or stereo is published", configs.Describe()))
    return;

  SampleStats total;
  for (double rate : kSampleRates)
  {
    for (UInt32 channels : channelCounts)
      CheckRateAndChannels(context, rate, channels, total);
    CheckLongRender(context, rate, channelCounts.back(), total);
  }
  context.report.Check(total.Clean(), "no NaN, infinite or subnormal output at any rate", total.Describe());
  CheckMidStream(context);
  CheckNotificationsAndCallbacks(context);
}
