#pragma once

class CommandLine;

// "info [--component PATH]": prints the component's identity, every parameter (name, range, default,
// unit, display texts), the channel configurations and layouts, latency and tail.
class InfoCommand
{
public:
  // Returns the process exit status; errors go to stderr as one line.
  static int Run(const CommandLine& commandLine);
};
