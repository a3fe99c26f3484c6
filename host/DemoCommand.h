#pragma once

class CommandLine;

// "demo OUT.wav [--set NAME=VALUE]... [--component PATH]": renders the built-in demo music (60 s,
// 48 kHz stereo) through the Tidewell component into a 32-bit float WAV file and lists every dip.
class DemoCommand
{
public:
  // Returns the process exit status; errors go to stderr as one line.
  static int Run(const CommandLine& commandLine);
};
