#include "ConfiguredComponent.h"

#include "CommandLine.h"
#include "ParameterSettings.h"
#include "StateFile.h"

std::unique_ptr<HostComponent> ConfiguredComponent::Open(const CommandLine& commandLine, ParameterCatalog& catalog, std::string& error)
{
  std::unique_ptr<HostComponent> unit = HostComponent::OpenTidewell(commandLine.Value("--component"), error);
  if (!unit || !catalog.Read(*unit, error))
    return nullptr;

  ParameterSettings settings;
  for (const std::string& assignment : commandLine.Values("--set"))
  {
    if (!settings.Add(assignment, catalog, error))
      return nullptr;
  }
  if (commandLine.Has("--state") && !StateFile::Load(*unit, commandLine.Value("--state"), error))
    return nullptr;
  if (!settings.Apply(*unit, error))
    return nullptr;
  return unit;
}
