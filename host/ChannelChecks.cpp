#include "ChannelChecks.h"

#include <algorithm>
#include <set>
#include <vector>

#include "ChannelConfigurations.h"
#include "Renderer.h"
#include "SampleStats.h"
#include "StatusText.h"
#include "TestSignal.h"
#include "ValidationContext.h"

namespace
{
  constexpr UInt32 kTriedCounts[] = {1, 2, 3, 4, 5, 6, 7, 8};
  // One more than the largest input bus a unit can pull through its buffer list.
  constexpr UInt32 kOversizedInput = 129;
  constexpr UInt32 kSlice = 256;

  // Negotiates in/out channels on a fresh instance and renders a few slices; false when the unit
  // refuses a format or Initialize, or the render fails (text in figures).
  bool TryConfiguration(ValidationContext& context, UInt32 in, UInt32 out, std::string& figures)
  {
    std::unique_ptr<HostComponent> unit = context.Open(Format("%u-%u channels", in, out));
    if (!unit)
      return false;
    StreamSetup setup;
    setup.inChannels = in;
    setup.outChannels = out;
    setup.maxFrames = kSlice;
    Renderer renderer(*unit);
    if (!renderer.Start(setup, figures))
      return false;
    TestSignal signal(setup.sampleRate);
    SampleStats stats;
    const OSStatus status = ValidationContext::RenderSignal(renderer, signal, kSlice * 8, kSlice, stats);
    figures = StatusText(status) + ", " + stats.Describe();
    return status == noErr && stats.Clean();
  }

  void CheckPublished(ValidationContext& context, const ChannelConfigurations& configs)
  {
    for (UInt32 in : kTriedCounts)
    {
      for (UInt32 out : kTriedCounts)
      {
        const bool published = configs.Accepts(static_cast<int>(in), static_cast<int>(out));
        std::string figures;
        const bool accepted = TryConfiguration(context, in, out, figures);
        if (published)
          context.report.Check(accepted, Format("%u-%u is accepted and renders", in, out), figures);
        else if (accepted)
          context.report.Check(false, Format("%u-%u is not published and must be refused", in, out), figures);
      }
    }
    context.report.Note(Format("every other pairing of 1 to 8 inputs and outputs was tried and refused"));
  }

  // A format set that must be refused outright or make Initialize fail.
  void CheckRefusedFormat(ValidationContext& context, const std::string& name, AudioUnitScope scope, const AudioStreamBasicDescription& format)
  {
    std::unique_ptr<HostComponent> unit = context.Open(name);
    if (!unit)
      return;
    const OSStatus setStatus = unit->Set(kAudioUnitProperty_StreamFormat, scope, 0, format);
    const OSStatus initStatus = setStatus == noErr ? unit->Initialize() : OSStatus(noErr);
    context.report.Check(setStatus != noErr || initStatus != noErr, name,
                         Format("set %s%s", StatusText(setStatus).c_str(), setStatus == noErr ? (", Initialize " + StatusText(initStatus)).c_str() : ""));
  }

  void CheckRefusedFormats(ValidationContext& context)
  {
    StreamSetup setup;
    CheckRefusedFormat(context, "a 0-channel input format is refused", kAudioUnitScope_Input, setup.Format(0));
    CheckRefusedFormat(context, "a 0-channel output format is refused", kAudioUnitScope_Output, setup.Format(0));
    CheckRefusedFormat(context, "a 129-channel input format is refused", kAudioUnitScope_Input, setup.Format(kOversizedInput));
    AudioStreamBasicDescription compressed = setup.Format(2);
    compressed.mFormatID = 0x61616320; // 'aac '
    CheckRefusedFormat(context, "a compressed format is refused", kAudioUnitScope_Output, compressed);
  }

  std::vector<AudioChannelLayoutTag> LayoutTags(const HostComponent& unit, AudioUnitScope scope)
  {
    UInt32 size = 0;
    if (AudioUnitGetPropertyInfo(unit.Unit(), kAudioUnitProperty_SupportedChannelLayoutTags, scope, 0, &size, nullptr) != noErr)
      return {};
    std::vector<AudioChannelLayoutTag> tags(size / sizeof(AudioChannelLayoutTag));
    size = static_cast<UInt32>(tags.size() * sizeof(AudioChannelLayoutTag));
    if (tags.empty() || AudioUnitGetProperty(unit.Unit(), kAudioUnitProperty_SupportedChannelLayoutTags, scope, 0, tags.data(), &size) != noErr)
      return {};
    return tags;
  }

  void CheckLayoutTags(ValidationContext& context, const HostComponent& unit, const ChannelConfigurations& configs)
  {
    for (AudioUnitScope scope : {kAudioUnitScope_Input, kAudioUnitScope_Output})
    {
      std::set<int> published;
      for (const AUChannelInfo& config : configs.All())
        published.insert(scope == kAudioUnitScope_Input ? config.inChannels : config.outChannels);
      const std::vector<AudioChannelLayoutTag> tags = LayoutTags(unit, scope);
      std::set<int> tagged;
      std::string figures;
      for (AudioChannelLayoutTag tag : tags)
      {
        tagged.insert(static_cast<int>(tag & 0xFFFF));
        figures += Format("%s0x%08X", figures.empty() ? "" : ", ", tag);
      }
      const bool mono = !published.count(1) || std::find(tags.begin(), tags.end(), AudioChannelLayoutTag(kAudioChannelLayoutTag_Mono)) != tags.end();
      const bool stereo = !published.count(2) || std::find(tags.begin(), tags.end(), AudioChannelLayoutTag(kAudioChannelLayoutTag_Stereo)) != tags.end();
      const bool onlyPublished = published.count(-1) || std::includes(published.begin(), published.end(), tagged.begin(), tagged.end());
      context.report.Check(!tags.empty() && mono && stereo && onlyPublished,
                           Format("%s layout tags match the channel counts", scope == kAudioUnitScope_Input ? "input" : "output"), figures);
    }
  }
}

void ChannelChecks::Run(ValidationContext& context)
{
  context.report.Section("channel configurations");
  std::unique_ptr<HostComponent> unit = context.Open("the channel configurations");
  if (!unit)
    return;
  ChannelConfigurations configs;
  const bool published = configs.Read(*unit);
  if (!context.report.Check(published, "SupportedNumChannels", published ? configs.Describe() : "not published"))
    return;
  CheckPublished(context, configs);
  CheckRefusedFormats(context);
  CheckLayoutTags(context, *unit, configs);
}
