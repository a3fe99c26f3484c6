#pragma once

class CommandLine;

// "validate [--seed N] [--component PATH]": checks the component the way the field's validators do and
// prints every check with its figures; the exit status is non-zero when any check fails.
class ValidateCommand
{
public:
  static int Run(const CommandLine& commandLine);
};
