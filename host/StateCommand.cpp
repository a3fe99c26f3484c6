#include "StateCommand.h"

#include <cstdio>

#include "CommandLine.h"
#include "ConfiguredComponent.h"
#include "ErrorLine.h"
#include "StateFile.h"

int StateCommand::Run(const CommandLine& commandLine)
{
  std::string error;
  if (!commandLine.Only({"--set", "--component"}, error))
    return ReportError(error);
  const auto& words = commandLine.Positional();
  if (words.size() != 2 || words[0] != "save")
    return ReportError("expected: tidewell_host state save FILE [--set NAME=VALUE]...");

  ParameterCatalog catalog;
  std::unique_ptr<HostComponent> unit = ConfiguredComponent::Open(commandLine, catalog, error);
  if (!unit || !StateFile::Save(*unit, words[1], error))
    return ReportError(error);
  std::printf("saved the state of %s to %s\n", unit->Name().c_str(), words[1].c_str());
  return 0;
}
