#include "ParameterChecks.h"

#include <cmath>
#include <set>
#include <vector>

#include "CFStringUtf8.h"
#include "Renderer.h"
#include "SampleStats.h"
#include "StatusText.h"
#include "TestSignal.h"
#include "ValidationContext.h"

namespace
{
  constexpr int kFuzzRounds = 400;
  constexpr UInt32 kFuzzSlice = 64;

  // The tolerance a display text allows: half a unit of its last digit, and float precision.
  double TextTolerance(const std::string& text, double value)
  {
    const auto point = text.find('.');
    int decimals = 0;
    if (point != std::string::npos)
    {
      for (std::size_t i = point + 1; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        ++decimals;
    }
    const bool numeric = text.find_first_of("0123456789") != std::string::npos;
    const double digitStep = numeric ? 0.5 * std::pow(10.0, -decimals) : 0.0;
    return digitStep * 1.0001 + 1e-6 * std::fmax(1.0, std::fabs(value));
  }

  void CheckPublishedInfo(ValidationContext& context, const HostComponent& unit)
  {
    ValidationReport& report = context.report;
    std::string error;
    const bool read = context.parameters.Read(unit, error);
    report.Check(read && !context.parameters.All().empty(), "parameter list and info",
                 read ? Format("%zu parameters: %s", context.parameters.All().size(), context.parameters.Names().c_str()) : error);
    if (!read)
      return;

    std::set<std::string> names;
    for (const ParameterDescription& parameter : context.parameters.All())
    {
      AudioUnitParameterValue current = NAN;
      const OSStatus getStatus = unit.GetParameter(parameter.id, current);
      const bool readable = (parameter.flags & kAudioUnitParameterFlag_IsReadable) && (parameter.flags & kAudioUnitParameterFlag_IsWritable);
      const bool rangeSound = parameter.minValue < parameter.maxValue && parameter.defaultValue >= parameter.minValue
                              && parameter.defaultValue <= parameter.maxValue;
      const bool texts = !(parameter.flags & kAudioUnitParameterFlag_ValuesHaveStrings)
                         || parameter.valueTexts.size() == static_cast<std::size_t>(parameter.maxValue - parameter.minValue + 1.f);
      const bool unique = !parameter.name.empty() && names.insert(parameter.name).second;
      report.Check(readable && rangeSound && texts && unique && getStatus == noErr && current == parameter.defaultValue,
                   Format("parameter %u \"%s\"", parameter.id, parameter.name.c_str()),
                   Format("%g to %g, default %g, now %g, %s, flags 0x%08X, %zu texts", parameter.minValue, parameter.maxValue, parameter.defaultValue,
                          current, parameter.UnitText().c_str(), parameter.flags, parameter.valueTexts.size()));

      AudioUnitParameterNameInfo full{parameter.id, kAudioUnitParameterName_Full, nullptr};
      const OSStatus fullStatus = unit.Get(kAudioUnitProperty_ParameterIDName, kAudioUnitScope_Global, 0, full);
      CFRef<CFStringRef> fullName(full.outName);
      AudioUnitParameterNameInfo shortened{parameter.id, 3, nullptr};
      const OSStatus shortStatus = unit.Get(kAudioUnitProperty_ParameterIDName, kAudioUnitScope_Global, 0, shortened);
      CFRef<CFStringRef> shortName(shortened.outName);
      const std::string fullText = iplug::CFStringUtf8(fullName.Get());
      const std::string shortText = iplug::CFStringUtf8(shortName.Get());
      report.Check(fullStatus == noErr && shortStatus == noErr && fullText == parameter.name && shortText == parameter.name.substr(0, 3),
                   Format("  names of \"%s\" (full, 3 characters)", parameter.name.c_str()), Format("\"%s\", \"%s\"", fullText.c_str(), shortText.c_str()));
    }

    const auto beyond = static_cast<AudioUnitElement>(context.parameters.All().size() + 1000);
    AudioUnitParameterInfo info{};
    const OSStatus infoStatus = unit.Get(kAudioUnitProperty_ParameterInfo, kAudioUnitScope_Global, beyond, info);
    AudioUnitParameterValue value = 0.f;
    const OSStatus getStatus = AudioUnitGetParameter(unit.Unit(), beyond, kAudioUnitScope_Global, 0, &value);
    report.Check(infoStatus != noErr && getStatus != noErr, "an unknown parameter ID is refused",
                 Format("ID %u: info %s, get %s", beyond, StatusText(infoStatus).c_str(), StatusText(getStatus).c_str()));
  }

  void CheckSetValues(ValidationContext& context, HostComponent& unit)
  {
    for (const ParameterDescription& parameter : context.parameters.All())
    {
      const float span = parameter.maxValue - parameter.minValue;
      const std::vector<std::pair<AudioUnitParameterValue, AudioUnitParameterValue>> cases = {
        {parameter.minValue, parameter.minValue},
        {parameter.maxValue, parameter.maxValue},
        {parameter.maxValue + span, parameter.maxValue},
        {parameter.minValue - span, parameter.minValue},
        {parameter.defaultValue, parameter.defaultValue},
      };
      bool allKept = true;
      std::string figures;
      for (const auto& [set, expected] : cases)
      {
        const OSStatus status = unit.SetParameter(parameter.id, set);
        AudioUnitParameterValue got = NAN;
        unit.GetParameter(parameter.id, got);
        allKept = allKept && status == noErr && got == expected;
        figures += Format("%s%g->%g", figures.empty() ? "" : ", ", set, got);
      }
      context.report.Check(allKept, Format("set \"%s\" (ends kept, beyond clamped)", parameter.name.c_str()), figures);
    }

    const AudioUnitScope scopes[2] = {kAudioUnitScope_Input, kAudioUnitScope_Output};
    std::string figures;
    bool refused = true;
    for (AudioUnitScope scope : scopes)
    {
      const OSStatus status = AudioUnitSetParameter(unit.Unit(), 0, scope, 0, 0.f, 0);
      refused = refused && status != noErr;
      figures += Format("%s%s", figures.empty() ? "" : ", ", StatusText(status).c_str());
    }
    context.report.Check(refused, "a parameter set outside the global scope is refused", figures);
  }

  AudioUnitParameterEvent Immediate(AudioUnitParameterID id, AudioUnitScope scope, UInt32 offset, AudioUnitParameterValue value)
  {
    AudioUnitParameterEvent event{};
    event.scope = scope;
    event.parameter = id;
    event.eventType = kParameterEvent_Immediate;
    event.eventValues.immediate.bufferOffset = offset;
    event.eventValues.immediate.value = value;
    return event;
  }

  void CheckScheduled(ValidationContext& context, HostComponent& unit)
  {
    for (const ParameterDescription& parameter : context.parameters.All())
    {
      const AudioUnitParameterValue target = parameter.minValue != parameter.defaultValue ? parameter.minValue : parameter.maxValue;
      const AudioUnitParameterEvent event = Immediate(parameter.id, kAudioUnitScope_Global, 0, target);
      const OSStatus status = AudioUnitScheduleParameters(unit.Unit(), &event, 1);
      AudioUnitParameterValue got = NAN;
      unit.GetParameter(parameter.id, got);
      context.report.Check(status == noErr && got == target, Format("scheduled \"%s\"", parameter.name.c_str()),
                           Format("immediate event to %g: %s, reads %g", target, StatusText(status).c_str(), got));
      unit.SetParameter(parameter.id, parameter.defaultValue);
    }

    const ParameterDescription& first = context.parameters.All().front();
    AudioUnitParameterEvent ramp{};
    ramp.scope = kAudioUnitScope_Global;
    ramp.parameter = first.id;
    ramp.eventType = kParameterEvent_Ramped;
    ramp.eventValues.ramp = {0, 64, first.minValue, first.maxValue};
    const OSStatus rampStatus = AudioUnitScheduleParameters(unit.Unit(), &ramp, 1);
    context.report.Check(rampStatus == noErr, "a ramped event is accepted", StatusText(rampStatus));

    const AudioUnitParameterEvent wrongScope = Immediate(first.id, kAudioUnitScope_Input, 0, first.minValue);
    const OSStatus wrongStatus = AudioUnitScheduleParameters(unit.Unit(), &wrongScope, 1);
    context.report.Check(wrongStatus != noErr, "a scheduled event outside the global scope is refused", StatusText(wrongStatus));
    unit.SetParameter(first.id, first.defaultValue);
  }

  // Random values, one parameter at a time, with a slice rendered after each; every value goes
  // through the unit's text and back.
  void Fuzz(ValidationContext& context, HostComponent& unit)
  {
    Renderer renderer(unit);
    StreamSetup setup;
    setup.maxFrames = kFuzzSlice;
    if (!context.Start(renderer, setup, "the fuzzing"))
      return;
    TestSignal signal(setup.sampleRate);
    SampleStats stats;
    std::vector<std::string> mismatches;
    OSStatus renderStatus = noErr;
    std::uniform_int_distribution<std::size_t> pick(0, context.parameters.All().size() - 1);
    std::uniform_int_distribution<UInt32> offset(0, kFuzzSlice - 1);
    for (int round = 0; round < kFuzzRounds && renderStatus == noErr; ++round)
    {
      const ParameterDescription& parameter = context.parameters.All()[pick(context.random)];
      const AudioUnitParameterValue wanted = context.RandomValue(parameter);
      AudioUnitSetParameter(unit.Unit(), parameter.id, kAudioUnitScope_Global, 0, wanted, offset(context.random));
      AudioUnitParameterValue value = NAN;
      unit.GetParameter(parameter.id, value);
      std::string text;
      std::string textAgain;
      AudioUnitParameterValue back = NAN;
      const bool converted = ParameterCatalog::TextForValue(unit, parameter.id, value, text) && ParameterCatalog::ValueForText(unit, parameter.id, text, back)
                             && ParameterCatalog::TextForValue(unit, parameter.id, back, textAgain);
      const bool inRange = value >= parameter.minValue && value <= parameter.maxValue;
      if (!converted || !inRange || std::fabs(back - value) > TextTolerance(text, value) || text != textAgain)
        mismatches.push_back(Format("%s %g -> \"%s\" -> %g -> \"%s\"", parameter.name.c_str(), value, text.c_str(), back, textAgain.c_str()));
      renderStatus = ValidationContext::RenderSignal(renderer, signal, kFuzzSlice, kFuzzSlice, stats);
    }
    context.report.Check(mismatches.empty(), "fuzzing: value -> text -> value",
                         Format("%d rounds, %zu mismatches%s%s", kFuzzRounds, mismatches.size(), mismatches.empty() ? "" : "; first: ",
                                mismatches.empty() ? "" : mismatches.front().c_str()));
    context.report.Check(renderStatus == noErr && stats.Clean(), "fuzzing: rendering between the changes",
                         StatusText(renderStatus) + ", " + stats.Describe());
    for (const ParameterDescription& parameter : context.parameters.All())
      unit.SetParameter(parameter.id, parameter.defaultValue);
  }
}

void ParameterChecks::Run(ValidationContext& context)
{
  context.report.Section("parameters");
  std::unique_ptr<HostComponent> unit = context.Open("the parameter checks");
  if (!unit)
    return;
  CheckPublishedInfo(context, *unit);
  if (context.parameters.All().empty())
    return;
  CheckSetValues(context, *unit);
  CheckScheduled(context, *unit);
  Fuzz(context, *unit);
}
