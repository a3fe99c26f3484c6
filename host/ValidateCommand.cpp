#include "ValidateCommand.h"

#include <chrono>
#include <cstdio>

#include "BypassChecks.h"
#include "CFRef.h"
#include "CFStringUtf8.h"
#include "ChannelChecks.h"
#include "CommandLine.h"
#include "ComponentLocator.h"
#include "ErrorLine.h"
#include "OpenChecks.h"
#include "ParameterChecks.h"
#include "PropertyChecks.h"
#include "RenderChecks.h"
#include "StateChecks.h"
#include "ValidationContext.h"

namespace
{
  constexpr long kDefaultSeed = 1;
}

int ValidateCommand::Run(const CommandLine& commandLine)
{
  std::string error;
  if (!commandLine.Only({"--seed", "--component"}, error))
    return ReportError(error);
  if (!commandLine.Positional().empty())
    return ReportError("validate takes no arguments");
  long seed = kDefaultSeed;
  if (commandLine.Has("--seed") && !commandLine.Number("--seed", 0, 0x7FFFFFFF, seed, error))
    return ReportError(error);
  AudioComponent component = ComponentLocator::Find(commandLine.Value("--component"), error);
  if (!component)
    return ReportError(error);

  const auto start = std::chrono::steady_clock::now();
  CFRef<CFStringRef> name;
  AudioComponentCopyName(component, name.Out());
  std::printf("validating the component \"%s\" (random seed %ld)\n", iplug::CFStringUtf8(name.Get()).c_str(), seed);
  ValidationReport report(stdout);
  ValidationContext context(component, report, static_cast<unsigned>(seed));
  context.wanted = ComponentLocator::WantedDescription(commandLine.Value("--component"));
  OpenChecks::Run(context);
  ParameterChecks::Run(context);
  PropertyChecks::Run(context);
  ChannelChecks::Run(context);
  RenderChecks::Run(context);
  StateChecks::Run(context);
  BypassChecks::Run(context);
  report.Summary();
  std::printf("took %.1f s\n", std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  return report.Failures() == 0 ? 0 : 1;
}
