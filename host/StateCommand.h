#pragma once

class CommandLine;

// "state save FILE [--set NAME=VALUE]... [--component PATH]": writes the component's ClassInfo property
// list, as a host saves it in a project, for "render --state FILE" to restore.
class StateCommand
{
public:
  // Returns the process exit status; errors go to stderr as one line.
  static int Run(const CommandLine& commandLine);
};
