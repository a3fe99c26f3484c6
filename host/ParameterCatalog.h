#pragma once

#include <AudioToolbox/AudioToolbox.h>

#include <string>
#include <vector>

class HostComponent;

// What a unit publishes about one parameter (ParameterInfo and ParameterValueStrings).
struct ParameterDescription
{
  AudioUnitParameterID id = 0;
  std::string name;
  AudioUnitParameterUnit unit = kAudioUnitParameterUnit_Generic;
  std::string customUnit; // the unit's name for kAudioUnitParameterUnit_CustomUnit
  AudioUnitParameterValue minValue = 0.f;
  AudioUnitParameterValue maxValue = 0.f;
  AudioUnitParameterValue defaultValue = 0.f;
  AudioUnitParameterOptions flags = 0;
  std::vector<std::string> valueTexts; // display texts of the values min, min + 1, ...

  // True for whole-number parameters (indexed or boolean units).
  bool Stepped() const;
  // The unit as a word ("indexed", "seconds", ...; the custom name for a custom unit).
  std::string UnitText() const;
};

// The parameters of a unit, in the order of its ParameterList.
class ParameterCatalog
{
public:
  // Reads every parameter's description; false with a one-line error text when the unit publishes a
  // list it cannot describe. Main thread.
  bool Read(const HostComponent& unit, std::string& error);

  const std::vector<ParameterDescription>& All() const { return mParameters; }
  // The parameter with this name, ignoring case; null when there is none.
  const ParameterDescription* Find(const std::string& name) const;
  // The names, comma-separated.
  std::string Names() const;

  // The unit's display text for a value (ParameterStringFromValue); false when it gives none.
  static bool TextForValue(const HostComponent& unit, AudioUnitParameterID id, AudioUnitParameterValue value, std::string& text);
  // The unit's value for a display text (ParameterValueFromString); false when it gives none.
  static bool ValueForText(const HostComponent& unit, AudioUnitParameterID id, const std::string& text, AudioUnitParameterValue& value);
  // Reads one parameter's description; false when the unit refuses.
  static bool Describe(const HostComponent& unit, AudioUnitParameterID id, ParameterDescription& description);

private:
  std::vector<ParameterDescription> mParameters;
};
