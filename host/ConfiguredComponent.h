#pragma once

#include <memory>
#include <string>

#include "HostComponent.h"
#include "ParameterCatalog.h"

class CommandLine;

// Opens Tidewell as a command line asks: from the bundle of --component (or the usual places), with the
// state of --state restored and then the --set values applied.
class ConfiguredComponent
{
public:
  // The configured instance, with its parameters described in catalog; null with a one-line error text
  // when the component cannot be opened or an option cannot be applied. Main thread.
  static std::unique_ptr<HostComponent> Open(const CommandLine& commandLine, ParameterCatalog& catalog, std::string& error);
};
