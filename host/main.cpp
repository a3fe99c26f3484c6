// tidewell_host: a small audio host that loads the Tidewell component through the platform's component
// services and renders audio through it.
#include <cstdio>
#include <exception>
#include <string>

#include "CommandLine.h"
#include "DemoCommand.h"
#include "EditorCommand.h"
#include "ErrorLine.h"
#include "InfoCommand.h"
#include "RenderCommand.h"
#include "StateCommand.h"
#include "ValidateCommand.h"

namespace
{
  constexpr int kUsageStatus = 2;

  // Prints the usage on stream.
  void PrintUsage(std::FILE* stream)
  {
    std::fprintf(stream,
                 "usage: tidewell_host COMMAND ...\n"
                 "  demo OUT.wav                   render the built-in demo music (60 s, 48 kHz stereo) and list the dips\n"
                 "  render IN OUT [--set NAME=VALUE]... [--block N] [--state FILE]\n"
                 "                                 render an audio file (mono or stereo, any rate) and list the dips;\n"
                 "                                 values in the parameter's units or display texts, e.g. --set Duck=Bypassed\n"
                 "  info                           describe the component: identity, parameters, channels, latency, tail\n"
                 "  state save FILE [--set NAME=VALUE]...\n"
                 "                                 save the component's state as a host saves it in a project\n"
                 "  validate [--seed N]            check the component as a host's validator does\n"
                 "  editor [--input FILE] [--seconds N] [--set NAME=VALUE]... [--stats]\n"
                 "                                 show the editor in a window while the input (default: the demo music)\n"
                 "                                 plays in real time; prints param/begin/end lines for the editor's changes\n"
                 "  editor --screenshot OUT.png [--set NAME=VALUE]... [--meter V] [--scale S] [--screen-scale 1|2]\n"
                 "                                 draw the editor off-screen into an RGBA PNG\n"
                 "every command takes --component PATH to load the component that bundle holds (default: Tidewell)\n");
  }

  // Whether the first word asks for the usage.
  bool AsksForHelp(int argc, char** argv)
  {
    const std::string first = argc > 1 ? argv[1] : "";
    return first == "--help" || first == "-h";
  }

  // Runs the command the line names; the usage (status 2) for none or an unknown one.
  int RunCommand(int argc, char** argv)
  {
    CommandLine commandLine;
    std::string error;
    if (!commandLine.Parse(argc, argv, error))
      return ReportError(error);

    const std::string& command = commandLine.Command();
    if (command == "demo")
      return DemoCommand::Run(commandLine);
    if (command == "render")
      return RenderCommand::Run(commandLine);
    if (command == "info")
      return InfoCommand::Run(commandLine);
    if (command == "state")
      return StateCommand::Run(commandLine);
    if (command == "validate")
      return ValidateCommand::Run(commandLine);
    if (command == "editor")
      return EditorCommand::Run(commandLine);
    PrintUsage(stderr);
    return kUsageStatus;
  }
}

int main(int argc, char** argv)
{
  if (AsksForHelp(argc, argv))
  {
    PrintUsage(stdout);
    return 0;
  }
  // Whatever a library throws on an unusable file ends as one error line, like every other failure.
  try
  {
    return RunCommand(argc, argv);
  }
  catch (const std::exception& failure)
  {
    return ReportError(failure.what());
  }
}
