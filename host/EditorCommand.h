#pragma once

class CommandLine;

// "editor": opens the component's editor through its view factory, as a host does. With --screenshot OUT.png
// it draws one frame (--set, --meter, --scale, --screen-scale) into a PNG; otherwise it shows the editor in a
// window of the host's own while the input plays through the component in real time, printing the
// parameter changes the editor sends, until the window closes or --seconds pass.
class EditorCommand
{
public:
  // Runs the command; 0 on success, 1 with one error line on stderr.
  static int Run(const CommandLine& commandLine);
};
