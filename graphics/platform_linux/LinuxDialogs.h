#pragma once

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include <sys/types.h>

#include "IGraphics.h"

namespace iplug::igraphics {

// Called by a runner on the waiting thread about once per frame while a dialog's program runs, so the window
// that asked keeps drawing; null calls nothing. [ui-thread]
using LinuxModalFrame = std::function<void()>;

// What a finished child process left behind. A plain value. [any-thread]
struct LinuxProcessResult
{
  bool started = false; // the program was found, started and waited for
  int exitStatus = -1;  // its exit status; -1 when it did not start or did not exit normally
  std::string output;   // what it wrote to standard output (at most LinuxSpawnRunner::kMaxOutput bytes)
};

// Starts programs, waiting for them or not. An interface so the dialogs can be driven by a scripted runner where
// there is no desktop. [any-thread]
class LinuxProcessRunner
{
public:
  virtual ~LinuxProcessRunner() = default;
  // Runs argv[0], found on PATH, with the arguments argv[1..] until it exits, and collects its standard output;
  // meanwhile calls frame, when set, about once per frame on the calling thread. An empty argv starts nothing.
  virtual LinuxProcessResult Run(const std::vector<std::string>& argv, const LinuxModalFrame& frame) = 0;
  // Starts argv[0], found on PATH, with the arguments argv[1..] and returns at once: the program keeps running on
  // its own and nothing waits for it. True when it was started; how it fares afterwards is not known. An empty
  // argv starts nothing (false).
  virtual bool Launch(const std::vector<std::string>& argv) = 0;
};

// Runs programs with posix_spawnp: no shell sees the arguments, so names with spaces, quotes or shell
// characters arrive as given, and a program that cannot be executed is reported by the spawn itself. Standard
// input and error are /dev/null. Run reads standard output through a pipe until the program exits (a
// background child of its own that keeps the pipe open does not hold it up), calling the frame hook between
// reads, as a modal panel keeps its window drawn. Launch gives the program no pipe (all three standard streams
// are /dev/null) and a session of its own, out of reach of the signals of the host's terminal; the runner reaps
// launched programs that have ended, without waiting, at its next Run or Launch and when it is destroyed.
// No SIGCHLD handler is installed. [any-thread]
class LinuxSpawnRunner final : public LinuxProcessRunner
{
public:
  static constexpr std::size_t kMaxOutput = 64 * 1024; // output beyond this is read and dropped, bytes
  static constexpr std::chrono::microseconds kFrameInterval{1000000 / 60}; // between frame hook calls

  // Reaps the launched programs that have ended. One still running is reaped by no one until the process ends,
  // so a runner that launches should live as long as the process.
  ~LinuxSpawnRunner() override;

  LinuxProcessResult Run(const std::vector<std::string>& argv, const LinuxModalFrame& frame) override;
  bool Launch(const std::vector<std::string>& argv) override;

private:
  // Reaps every launched program that has ended, without waiting for the others.
  void ReapLaunched();

  std::mutex mLaunchedMutex;    // guards mLaunched
  std::vector<pid_t> mLaunched; // launched programs not yet reaped
};

// The desktop's dialogs and services for the Linux window layer: message boxes and file, folder and colour
// choosers through zenity, URLs and folders opened through xdg-open. The results follow the Mac panels';
// when a program is missing, fails or the user dismisses a dialog, the result is the cancelled one, never a
// success. A dialog's call returns when the user has answered, as a modal panel's does, calling the modal frame
// hook meanwhile. Only one dialog is open at a time: one asked for while another is open (from the hook, say) is
// refused with the cancelled result and runs nothing. The runner is not owned and must outlive
// the object. [ui-thread]
class LinuxDialogs
{
public:
  // Dialogs run through runner; frame is called about once per frame while one is open.
  explicit LinuxDialogs(LinuxProcessRunner& runner, LinuxModalFrame frame = nullptr);

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

  // Opens url with the desktop's handler, started detached (see LinuxProcessRunner::Launch): true when xdg-open was
  // started, false when it is missing or cannot be executed; whether a browser then shows the page is not waited
  // for, as xdg-open may only return when the browser it started exits. Only http, https, file and
  // mailto URLs (scheme in any case) are opened, and an absolute path (starting with "/") as a percent-encoded
  // file URL. Anything else, URLs with spaces or control characters, paths with control characters and null
  // or empty text are refused (false) without running anything, so the handler never receives something it
  // could read as an option.
  bool OpenURL(const char* url);

  // Shows path in the file manager, started detached as by OpenURL: with select its containing folder, without
  // the path itself. False when path is empty or does not exist, or xdg-open could not be started.
  bool RevealPathInExplorerOrFinder(const WDL_String& path, bool select);

  // The URL OpenURL hands to xdg-open for url, or empty when url is refused (see OpenURL).
  static std::string CheckedURL(const char* url);

private:
  // Runs zenity with args; the result's output has its final newline removed. A result that did not start when
  // another dialog is open.
  LinuxProcessResult RunZenity(std::vector<std::string> args);

  LinuxProcessRunner& mRunner; // not owned
  LinuxModalFrame mFrame;      // called while a dialog is open; may be null
};

} // namespace iplug::igraphics
