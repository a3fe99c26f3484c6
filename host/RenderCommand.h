#pragma once

class CommandLine;

// "render IN OUT [--set NAME=VALUE]... [--block N] [--state FILE] [--component PATH]": renders an audio
// file through Tidewell at the file's own rate and channel count, writes the result in the input's
// format and lists the dips. The input file is only ever opened for reading.
class RenderCommand
{
public:
  // Returns the process exit status; errors go to stderr as one line.
  static int Run(const CommandLine& commandLine);
};
