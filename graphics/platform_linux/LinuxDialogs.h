#pragma once

#include <string>
#include <vector>

#include "IGraphics.h"

namespace iplug::igraphics {

// What a finished child process left behind. A plain value. [any-thread]
struct LinuxProcessResult
{
  bool started = false; // the program was found, started and waited for
  int exitStatus = -1;  // its exit status; -1 when it did not start or did not exit normally
  std::string output;   // what it wrote to standard output (at most LinuxSpawnRunner::kMaxOutput bytes)
};

// Runs a program to its end and collects its standard output. An interface so the dialogs can be driven by
// a scripted runner where there is no desktop. [any-thread]
class LinuxProcessRunner
{
public:
  virtual ~LinuxProcessRunner() = default;
  // Runs argv[0], found on PATH, with the arguments argv[1..]; an empty argv starts nothing.
  virtual LinuxProcessResult Run(const std::vector<std::string>& argv) = 0;
};

// Runs programs with posix_spawnp: no shell sees the arguments, so names with spaces, quotes or shell
// characters arrive as given. Standard input and error are /dev/null, standard output is read through a pipe
// until the program closes it, then the program is reaped. Blocks the calling thread meanwhile, as the
// modal panels it stands in for do. [any-thread]
class LinuxSpawnRunner final : public LinuxProcessRunner
{
public:
  static constexpr std::size_t kMaxOutput = 64 * 1024; // output beyond this is read and dropped, bytes

  LinuxProcessResult Run(const std::vector<std::string>& argv) override;
};

// The desktop's dialogs and services for the Linux window layer: message boxes and file, folder and colour
// choosers through zenity, URLs and folders opened through xdg-open. The results follow the Mac panels';
// when a program is missing, fails or the user dismisses a dialog, the result is the cancelled one, never a
// success. The runner is not owned and must outlive the object. [main-thread]
class LinuxDialogs
{
public:
  // Dialogs run through runner.
  explicit LinuxDialogs(LinuxProcessRunner& runner);

  // A modal message box with the message str (bold, the alert's title on the Mac) under the window title
  // caption; null texts are empty. kMsgBoxOK: "OK"; kMsgBoxOKCancel: "OK", "Cancel"; kMsgBoxYesNoCancel: "Yes",
  // "Cancel", "No"; kMsgBoxYesNo: "Yes", "No"; kMsgBoxRetryCancel: "Retry", "Cancel"; any other kind shows no
  // box. The pressed button's result; closing the box gives kMsgResultCancel (kMsgResultNo for kMsgBoxYesNo,
  // whose No zenity reports exactly like closing), and so does a box that could not be shown. completion, when
  // set, receives the result too.
  EMsgBoxResult ShowMessageBox(const char* str, const char* caption, EMsgBoxType type,
                               const IMsgBoxCompletionHandlerFunc& completion = nullptr);

  // A file chooser seeded with path and fileName; ext lists the allowed extensions separated by spaces (empty:
  // any file). Open chooses an existing file, symbolic links resolved; save appends the first extension when
  // the chosen name has none of the listed ones. Chosen: fileName = the full path, path = its folder plus "/".
  // Cancelled: fileName empty, path unchanged.
  void PromptForFile(WDL_String& fileName, WDL_String& path, EFileAction action, const char* ext);

  // A folder chooser titled "Choose a Directory", starting at dir when it is not empty. Chosen: dir = the folder
  // (symbolic links resolved) plus "/". Cancelled: dir empty.
  void PromptForDirectory(WDL_String& dir);

  // A colour chooser titled prompt, starting at color. Chosen: color = the choice (alpha included), handed
  // to func when set, true. Cancelled: color and func untouched, false.
  bool PromptForColor(IColor& color, const char* prompt, const IColorPickerHandlerFunc& func = nullptr);

  // Opens url with the desktop's handler; true when the handler accepted it. Only http, https, file and
  // mailto URLs (scheme in any case) are opened, and an absolute path (starting with "/") as a percent-encoded
  // file URL. Anything else, URLs with spaces or control characters, paths with control characters and null
  // or empty text are refused (false) without running anything, so the handler never receives something it
  // could read as an option.
  bool OpenURL(const char* url);

  // Shows path in the file manager: with select its containing folder, without the path itself. False when
  // path is empty or does not exist, or the file manager could not be started.
  bool RevealPathInExplorerOrFinder(const WDL_String& path, bool select);

  // The URL OpenURL hands to xdg-open for url, or empty when url is refused (see OpenURL).
  static std::string CheckedURL(const char* url);

private:
  // Runs zenity with args; the result's output has its final newline removed.
  LinuxProcessResult RunZenity(std::vector<std::string> args);

  LinuxProcessRunner& mRunner; // not owned
};

} // namespace iplug::igraphics
