#include "InfoCommand.h"

#include <cstdio>
#include <vector>

#include "ChannelConfigurations.h"
#include "CommandLine.h"
#include "ConfiguredComponent.h"
#include "ErrorLine.h"

namespace
{
  std::string FourCCText(OSType code)
  {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
      text += static_cast<char>((code >> shift) & 0xFF);
    return text;
  }

  std::string VersionText(UInt32 version)
  {
    return std::to_string(version >> 16) + "." + std::to_string((version >> 8) & 0xFF) + "." + std::to_string(version & 0xFF);
  }

  std::string TagText(AudioChannelLayoutTag tag)
  {
    if (tag == kAudioChannelLayoutTag_Mono)
      return "mono";
    if (tag == kAudioChannelLayoutTag_Stereo)
      return "stereo";
    char text[40];
    std::snprintf(text, sizeof(text), "0x%08X (%u channels)", tag, tag & 0xFFFF);
    return text;
  }

  std::string LayoutTags(const HostComponent& unit, AudioUnitScope scope)
  {
    UInt32 size = 0;
    if (AudioUnitGetPropertyInfo(unit.Unit(), kAudioUnitProperty_SupportedChannelLayoutTags, scope, 0, &size, nullptr) != noErr || size == 0)
      return "none";
    std::vector<AudioChannelLayoutTag> tags(size / sizeof(AudioChannelLayoutTag));
    size = static_cast<UInt32>(tags.size() * sizeof(AudioChannelLayoutTag));
    if (AudioUnitGetProperty(unit.Unit(), kAudioUnitProperty_SupportedChannelLayoutTags, scope, 0, tags.data(), &size) != noErr)
      return "none";
    std::string text;
    for (AudioChannelLayoutTag tag : tags)
      text += (text.empty() ? "" : ", ") + TagText(tag);
    return text;
  }

  std::string Seconds(const HostComponent& unit, AudioUnitPropertyID id)
  {
    Float64 seconds = 0.0;
    if (unit.Get(id, kAudioUnitScope_Global, 0, seconds) != noErr)
      return "not published";
    char text[32];
    std::snprintf(text, sizeof(text), "%g s", seconds);
    return text;
  }

  void PrintIdentity(const HostComponent& unit)
  {
    AudioComponentDescription description{};
    AudioComponentGetDescription(unit.Component(), &description);
    UInt32 version = 0;
    AudioComponentGetVersion(unit.Component(), &version);
    std::printf("%s\n", unit.Name().c_str());
    std::printf("  type %s, subtype %s, manufacturer %s, version %s\n", FourCCText(description.componentType).c_str(),
                FourCCText(description.componentSubType).c_str(), FourCCText(description.componentManufacturer).c_str(), VersionText(version).c_str());
  }

  void PrintParameter(const HostComponent& unit, const ParameterDescription& parameter)
  {
    std::string defaultText;
    ParameterCatalog::TextForValue(unit, parameter.id, parameter.defaultValue, defaultText);
    std::printf("  %-10s %g to %g, default %g (%s), %s%s\n", parameter.name.c_str(), parameter.minValue, parameter.maxValue, parameter.defaultValue,
                defaultText.c_str(), parameter.UnitText().c_str(), (parameter.flags & kAudioUnitParameterFlag_NonRealTime) ? ", not automatable" : "");
    if (parameter.valueTexts.empty())
      return;
    std::string texts;
    for (std::size_t i = 0; i < parameter.valueTexts.size(); ++i)
      texts += (i ? ", " : "") + std::to_string(static_cast<int>(parameter.minValue) + static_cast<int>(i)) + " = " + parameter.valueTexts[i];
    std::printf("  %-10s values: %s\n", "", texts.c_str());
  }
}

int InfoCommand::Run(const CommandLine& commandLine)
{
  std::string error;
  if (!commandLine.Only({"--component"}, error))
    return ReportError(error);
  if (!commandLine.Positional().empty())
    return ReportError("info takes no arguments");
  ParameterCatalog catalog;
  std::unique_ptr<HostComponent> unit = ConfiguredComponent::Open(commandLine, catalog, error);
  if (!unit)
    return ReportError(error);

  PrintIdentity(*unit);
  std::printf("parameters (name, range, default, unit):\n");
  for (const ParameterDescription& parameter : catalog.All())
    PrintParameter(*unit, parameter);
  ChannelConfigurations configs;
  configs.Read(*unit);
  std::printf("channel configurations (inputs-outputs): %s\n", configs.All().empty() ? "none published" : configs.Describe().c_str());
  std::printf("input layouts: %s\n", LayoutTags(*unit, kAudioUnitScope_Input).c_str());
  std::printf("output layouts: %s\n", LayoutTags(*unit, kAudioUnitScope_Output).c_str());
  std::printf("latency: %s\n", Seconds(*unit, kAudioUnitProperty_Latency).c_str());
  std::printf("tail: %s\n", Seconds(*unit, kAudioUnitProperty_TailTime).c_str());
  return 0;
}
