#pragma once

#include <AudioToolbox/AudioToolbox.h>

#include <string>
#include <vector>

#include "ParameterCatalog.h"

class HostComponent;

// One parameter value asked for by name.
struct ParameterSetting
{
  AudioUnitParameterID id = 0;
  std::string name;
  AudioUnitParameterValue value = 0.f;
};

// Parameter values given as NAME=VALUE, the value in the parameter's own units ("Depth=0.8") or as
// one of its display texts ("Duck=Bypassed"); names and texts ignore case.
class ParameterSettings
{
public:
  // Parses one NAME=VALUE against the unit's parameters; false with a one-line error text for a
  // malformed assignment, an unknown name, a value that is not a number or display text of that
  // parameter, or a number outside its range.
  bool Add(const std::string& assignment, const ParameterCatalog& catalog, std::string& error);
  // Sets the values on the unit in the order given; false with an error text when the unit refuses one.
  bool Apply(HostComponent& unit, std::string& error) const;
  const std::vector<ParameterSetting>& All() const { return mSettings; }

  // Parses a value for one parameter as Add does.
  static bool ParseValue(const ParameterDescription& parameter, const std::string& text, AudioUnitParameterValue& value, std::string& error);

private:
  std::vector<ParameterSetting> mSettings;
};
