#include "ParameterSettings.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <strings.h>

#include "HostComponent.h"
#include "StatusText.h"

namespace
{
  std::string Trim(const std::string& text)
  {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
      return {};
    return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
  }

  std::string NumberText(double value)
  {
    char text[32];
    std::snprintf(text, sizeof(text), "%g", value);
    return text;
  }

  bool ParseNumber(const std::string& text, double& number)
  {
    if (text.empty())
      return false;
    errno = 0;
    char* end = nullptr;
    number = std::strtod(text.c_str(), &end);
    // A value too small for a double underflows to (almost) zero and is still a number; one too large is not.
    const bool inRange = errno == 0 || (errno == ERANGE && std::fabs(number) <= DBL_MIN);
    return inRange && end == text.c_str() + text.size() && std::isfinite(number);
  }

  std::string TextChoices(const std::vector<std::string>& texts)
  {
    std::string choices;
    for (const std::string& text : texts)
      choices += (choices.empty() ? "" : ", ") + text;
    return choices;
  }
}

bool ParameterSettings::ParseValue(const ParameterDescription& parameter, const std::string& rawText, AudioUnitParameterValue& value, std::string& error)
{
  const std::string text = Trim(rawText);
  const std::string setting = parameter.name + "=" + rawText;
  for (std::size_t i = 0; i < parameter.valueTexts.size(); ++i)
  {
    if (strcasecmp(parameter.valueTexts[i].c_str(), text.c_str()) == 0)
    {
      value = parameter.minValue + static_cast<AudioUnitParameterValue>(i);
      return true;
    }
  }

  double number = 0.0;
  if (!ParseNumber(text, number))
  {
    error = setting + ": not a number";
    if (!parameter.valueTexts.empty())
      error += " nor one of " + TextChoices(parameter.valueTexts);
    return false;
  }
  if (number < parameter.minValue || number > parameter.maxValue)
  {
    error = setting + ": out of range (" + NumberText(parameter.minValue) + " to " + NumberText(parameter.maxValue) + ")";
    return false;
  }
  if (parameter.Stepped() && number != std::floor(number))
  {
    error = setting + ": must be a whole number";
    return false;
  }
  value = static_cast<AudioUnitParameterValue>(number);
  return true;
}

bool ParameterSettings::Add(const std::string& assignment, const ParameterCatalog& catalog, std::string& error)
{
  const auto equals = assignment.find('=');
  if (equals == std::string::npos)
  {
    error = "expected NAME=VALUE, got \"" + assignment + "\"";
    return false;
  }
  const std::string name = Trim(assignment.substr(0, equals));
  const ParameterDescription* parameter = catalog.Find(name);
  if (!parameter)
  {
    error = "unknown parameter \"" + name + "\" (the parameters are " + catalog.Names() + ")";
    return false;
  }
  ParameterSetting setting{parameter->id, parameter->name, 0.f};
  if (!ParseValue(*parameter, assignment.substr(equals + 1), setting.value, error))
    return false;
  mSettings.push_back(setting);
  return true;
}

bool ParameterSettings::Apply(HostComponent& unit, std::string& error) const
{
  for (const ParameterSetting& setting : mSettings)
  {
    const OSStatus status = unit.SetParameter(setting.id, setting.value);
    if (status != noErr)
    {
      error = "the component refuses " + setting.name + "=" + NumberText(setting.value) + ": " + StatusText(status);
      return false;
    }
  }
  return true;
}
