#include "LinuxDialogs.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <string_view>
#include <system_error>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace iplug::igraphics {

namespace {

constexpr const char* kZenity = "zenity";
constexpr const char* kXdgOpen = "xdg-open";
// zenity's exit status when the first button was pressed.
constexpr int kZenityAccepted = 0;
// zenity's exit status for the cancel button, an extra button or a closed window.
constexpr int kZenityDeclined = 1;

// Closes a file descriptor when leaving scope.
struct FdCloser
{
  int fd = -1; // owned descriptor, -1 when none
  ~FdCloser()
  {
    if (fd >= 0)
      close(fd);
  }
};

// Whether a dialog is open; a second one is refused rather than stacked on the first.
std::atomic<bool> gDialogOpen{false};

// Holds the one-dialog-at-a-time claim while a dialog runs; Claimed() is false when another dialog holds it.
class DialogClaim
{
public:
  DialogClaim()
    : mClaimed(!gDialogOpen.exchange(true))
  {
  }
  ~DialogClaim()
  {
    if (mClaimed)
      gDialogOpen = false;
  }
  DialogClaim(const DialogClaim&) = delete;
  DialogClaim& operator=(const DialogClaim&) = delete;
  bool Claimed() const { return mClaimed; }

private:
  bool mClaimed;
};

// Reads what the non-blocking fd holds now, keeping output at most limit bytes; false once the writers are gone.
bool ReadAvailable(int fd, std::string& output, std::size_t limit)
{
  char buffer[4096];
  for (;;)
  {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0)
      return errno == EAGAIN;
    if (n == 0)
      return false;
    const std::size_t room = limit - output.size();
    output.append(buffer, std::min(room, static_cast<std::size_t>(n)));
  }
}

// The exit status in a waitpid status; -1 when the program was killed.
int ExitStatus(int status)
{
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Spawns argv with standard input and error on /dev/null and standard output on outFd, or on /dev/null when
// outFd is -1; with ownSession, in a session of its own. The child's pid, or -1 when it could not be started.
pid_t Spawn(const std::vector<std::string>& argv, int outFd, bool ownSession)
{
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0)
    return -1;
  const bool redirected =
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0) == 0 &&
    (outFd >= 0 ? posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO)
                : posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0)) == 0 &&
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0) == 0;
  posix_spawnattr_t attributes;
  if (posix_spawnattr_init(&attributes) != 0)
  {
    posix_spawn_file_actions_destroy(&actions);
    return -1;
  }
  const bool configured = !ownSession || posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID) == 0;

  std::vector<char*> args;
  for (const std::string& a : argv)
    args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  pid_t pid = -1;
  const bool spawned = redirected && configured &&
                       posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ) == 0;
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return spawned ? pid : -1;
}

// Waits for the child pid to exit while reading its output from the non-blocking outFd (kept to at most limit
// bytes), calling frame about once per interval. The exit status; -1 when it was killed or could not be waited
// for. A pidfd wakes the wait the moment the child exits; without one (an older kernel), the exit is seen at
// the next frame.
int WaitWhileReading(pid_t pid, int outFd, std::string& output, std::size_t limit, const LinuxModalFrame& frame,
                     std::chrono::microseconds interval)
{
  using Clock = std::chrono::steady_clock;
  // Through syscall: Debian 12's <sys/pidfd.h> declares pidfd_open without C linkage.
  FdCloser exitFd{static_cast<int>(syscall(SYS_pidfd_open, pid, 0))};
  bool reading = true;
  Clock::time_point nextFrame = Clock::now() + interval;
  for (;;)
  {
    if (reading)
      reading = ReadAvailable(outFd, output, limit);
    int status = 0;
    const pid_t waited = waitpid(pid, &status, WNOHANG);
    if (waited == pid)
    {
      // Everything the child wrote is in the pipe now; a background child of its own may write on, unread.
      if (reading)
        ReadAvailable(outFd, output, limit);
      return ExitStatus(status);
    }
    if (waited < 0 && errno != EINTR)
      return -1;
    const Clock::time_point now = Clock::now();
    if (now >= nextFrame)
    {
      if (frame)
        frame();
      nextFrame = Clock::now() + interval;
    }
    pollfd fds[2] = {{reading ? outFd : -1, POLLIN, 0}, {exitFd.fd, POLLIN, 0}};
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(nextFrame - Clock::now());
    poll(fds, 2, static_cast<int>(std::max<std::chrono::milliseconds::rep>(wait.count(), 0)));
  }
}

std::string Text(const char* text)
{
  return text ? text : "";
}

std::string DirectoryWithSlash(const std::string& path)
{
  const std::string folder = std::filesystem::path(path).parent_path().string();
  return folder.empty() || folder.back() != '/' ? folder + "/" : folder;
}

// Whether zenity was accepted with a path: something printed, and no NUL byte, which no path can hold.
bool IsChosenPath(const LinuxProcessResult& run)
{
  return run.started && run.exitStatus == kZenityAccepted && !run.output.empty() &&
         run.output.find('\0') == std::string::npos;
}

// path with symbolic links resolved, or path itself when it cannot be resolved.
std::string Resolved(const std::string& path)
{
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::canonical(path, error);
  return error ? path : canonical.string();
}

// The extensions of a space-separated list, without leading dots; tokens that would break zenity's
// "NAME | PATTERN ..." filter syntax are dropped.
std::vector<std::string> Extensions(const char* ext)
{
  std::vector<std::string> result;
  std::string_view rest = ext ? ext : "";
  while (!rest.empty())
  {
    const std::size_t space = rest.find(' ');
    std::string_view token = rest.substr(0, space);
    rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
    while (!token.empty() && token.front() == '.')
      token.remove_prefix(1);
    if (!token.empty() && token.find_first_of("|*?[]\t") == std::string_view::npos)
      result.emplace_back(token);
  }
  return result;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i)
  {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

bool HasOneOfExtensions(const std::string& fileName, const std::vector<std::string>& extensions)
{
  const std::string found = std::filesystem::path(fileName).extension().string();
  for (const std::string& e : extensions)
  {
    if (found.size() == e.size() + 1 && EqualsIgnoringCase(std::string_view(found).substr(1), e))
      return true;
  }
  return false;
}

// zenity's filter for the extensions, matching either case as the Mac panels do: "wav aif | *.wav *.WAV ...".
std::string FileFilter(const std::vector<std::string>& extensions)
{
  std::string name;
  std::string patterns;
  for (const std::string& e : extensions)
  {
    std::string upper = e;
    for (char& c : upper)
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    name += (name.empty() ? "" : " ") + e;
    patterns += " *." + e;
    if (upper != e)
      patterns += " *." + upper;
  }
  return "--file-filter=" + name + " |" + patterns;
}

// The value of a colour channel written as zenity's rgba() wants it, 0-1, without the locale's decimal comma.
std::string Fraction(int channel)
{
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::clamp(channel, 0, 255) / 255.0,
                                 std::chars_format::fixed, 3).ptr;
  return std::string(buffer, end);
}

// The numbers inside "rgb(r,g,b)" or "rgba(r,g,b,a)"; false when text is neither.
bool ParseColorNumbers(std::string_view text, std::vector<double>& numbers)
{
  const bool hasAlpha = text.starts_with("rgba(");
  if (!hasAlpha && !text.starts_with("rgb("))
    return false;
  text.remove_prefix(hasAlpha ? 5 : 4);
  if (text.empty() || text.back() != ')')
    return false;
  text.remove_suffix(1);
  numbers.clear();
  while (true)
  {
    while (!text.empty() && text.front() == ' ')
      text.remove_prefix(1);
    double value = 0.;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || !std::isfinite(value))
      return false;
    numbers.push_back(value);
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    while (!text.empty() && text.front() == ' ')
      text.remove_prefix(1);
    if (text.empty())
      break;
    if (text.front() != ',')
      return false;
    text.remove_prefix(1);
  }
  return numbers.size() == (hasAlpha ? 4u : 3u);
}

// The colour zenity printed ("rgb(255,128,0)" or "rgba(255,128,0,0.5)"); false when the text is neither.
bool ParseColor(std::string_view text, IColor& color)
{
  std::vector<double> numbers;
  if (!ParseColorNumbers(text, numbers))
    return false;
  const auto channel = [](double v) { return static_cast<int>(std::clamp(v, 0., 255.)); };
  const double alpha = numbers.size() == 4 ? numbers[3] : 1.;
  color = IColor(channel(alpha * 255.), channel(numbers[0]), channel(numbers[1]), channel(numbers[2]));
  return true;
}

bool IsSchemeChar(char c)
{
  return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
}

// The scheme of url in lower case ("https"), or empty when url does not start with one.
std::string Scheme(std::string_view url)
{
  const std::size_t colon = url.find(':');
  if (colon == std::string_view::npos || colon == 0 || !std::isalpha(static_cast<unsigned char>(url[0])))
    return {};
  std::string scheme;
  for (char c : url.substr(0, colon))
  {
    if (!IsSchemeChar(c))
      return {};
    scheme += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return scheme;
}

// An absolute path as a file URL, every byte other than unreserved characters and "/" percent-encoded.
std::string FileURL(std::string_view path)
{
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (char c : path)
  {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~')
    {
      url += c;
    }
    else
    {
      url += '%';
      url += kHex[byte >> 4];
      url += kHex[byte & 0xF];
    }
  }
  return url;
}

// Whether text holds a control character, or a space when spaces count too.
bool HasControl(std::string_view text, bool spaceCounts)
{
  for (char c : text)
  {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || (spaceCounts && byte == 0x20))
      return true;
  }
  return false;
}

} // namespace

LinuxSpawnRunner::~LinuxSpawnRunner()
{
  ReapLaunched();
}

void LinuxSpawnRunner::ReapLaunched()
{
  const std::lock_guard<std::mutex> lock(mLaunchedMutex);
  std::erase_if(mLaunched, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

LinuxProcessResult LinuxSpawnRunner::Run(const std::vector<std::string>& argv, const LinuxModalFrame& frame)
{
  ReapLaunched();
  LinuxProcessResult result;
  if (argv.empty())
    return result;

  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0)
    return result;
  FdCloser readEnd{fds[0]};
  FdCloser writeEnd{fds[1]};
  const pid_t pid = Spawn(argv, writeEnd.fd, false);
  if (pid < 0)
    return result;

  close(writeEnd.fd);
  writeEnd.fd = -1;
  fcntl(readEnd.fd, F_SETFL, O_NONBLOCK);
  result.exitStatus = WaitWhileReading(pid, readEnd.fd, result.output, kMaxOutput, frame, kFrameInterval);
  result.started = true;
  return result;
}

bool LinuxSpawnRunner::Launch(const std::vector<std::string>& argv)
{
  ReapLaunched();
  if (argv.empty())
    return false;
  const pid_t pid = Spawn(argv, -1, true);
  if (pid < 0)
    return false;
  const std::lock_guard<std::mutex> lock(mLaunchedMutex);
  mLaunched.push_back(pid);
  return true;
}

LinuxDialogs::LinuxDialogs(LinuxProcessRunner& runner, LinuxModalFrame frame)
  : mRunner(runner)
  , mFrame(std::move(frame))
{
}

LinuxProcessResult LinuxDialogs::RunZenity(std::vector<std::string> args)
{
  const DialogClaim claim;
  if (!claim.Claimed())
    return {};
  args.insert(args.begin(), kZenity);
  LinuxProcessResult result = mRunner.Run(args, mFrame);
  if (!result.output.empty() && result.output.back() == '\n')
    result.output.pop_back();
  return result;
}

EMsgBoxResult LinuxDialogs::ShowMessageBox(const char* str, const char* caption, EMsgBoxType type,
                                           const IMsgBoxCompletionHandlerFunc& completion)
{
  std::vector<std::string> args = {"--question", "--no-markup", "--title=" + Text(caption), "--text=" + Text(str)};
  EMsgBoxResult accepted = kMsgResultOK;
  EMsgBoxResult declined = kMsgResultCancel;
  bool known = true;
  switch (type)
  {
  case kMsgBoxOK: args[0] = "--info"; args.push_back("--ok-label=OK"); break;
  case kMsgBoxOKCancel: args.insert(args.end(), {"--ok-label=OK", "--cancel-label=Cancel"}); break;
  case kMsgBoxYesNoCancel:
    // The third button reports itself by printing its label; Cancel and closing the box print nothing.
    args.insert(args.end(), {"--ok-label=Yes", "--cancel-label=Cancel", "--extra-button=No"});
    accepted = kMsgResultYes;
    break;
  case kMsgBoxYesNo:
    args.insert(args.end(), {"--ok-label=Yes", "--cancel-label=No"});
    accepted = kMsgResultYes;
    declined = kMsgResultNo;
    break;
  case kMsgBoxRetryCancel:
    args.insert(args.end(), {"--ok-label=Retry", "--cancel-label=Cancel"});
    accepted = kMsgResultRetry;
    break;
  default: known = false; break;
  }

  // No box, a missing or failing zenity and a refused second dialog all leave the result at Cancel.
  EMsgBoxResult result = kMsgResultCancel;
  const LinuxProcessResult run = known ? RunZenity(args) : LinuxProcessResult();
  if (run.started && run.exitStatus == kZenityAccepted)
    result = accepted;
  else if (run.started && run.exitStatus == kZenityDeclined)
    result = type == kMsgBoxYesNoCancel && run.output == "No" ? kMsgResultNo : declined;
  if (completion)
    completion(result);
  return result;
}

void LinuxDialogs::PromptForFile(WDL_String& fileName, WDL_String& path, EFileAction action, const char* ext)
{
  std::string seed = path.Get();
  if (!seed.empty() && seed.back() != '/')
    seed += '/';
  seed += fileName.Get();
  fileName.Clear();

  const std::vector<std::string> extensions = Extensions(ext);
  std::vector<std::string> args = {"--file-selection"};
  if (action == kFileSave)
    args.push_back("--save");
  if (!seed.empty())
    args.push_back("--filename=" + seed);
  if (!extensions.empty())
    args.push_back(FileFilter(extensions));

  const LinuxProcessResult run = RunZenity(args);
  if (!IsChosenPath(run))
    return;

  std::string chosen = run.output;
  if (action == kFileSave && !extensions.empty() && !HasOneOfExtensions(chosen, extensions))
    chosen += "." + extensions.front();
  if (action == kFileOpen)
    chosen = Resolved(chosen);
  fileName.Set(chosen.c_str());
  path.Set(DirectoryWithSlash(chosen).c_str());
}

void LinuxDialogs::PromptForDirectory(WDL_String& dir)
{
  std::vector<std::string> args = {"--file-selection", "--directory", "--title=Choose a Directory"};
  if (dir.GetLength() > 0)
  {
    std::string start = dir.Get();
    if (start.back() != '/')
      start += '/';
    args.push_back("--filename=" + start);
  }

  const LinuxProcessResult run = RunZenity(args);
  if (!IsChosenPath(run))
  {
    dir.Clear();
    return;
  }
  std::string chosen = Resolved(run.output);
  if (chosen.back() != '/')
    chosen += '/';
  dir.Set(chosen.c_str());
}

bool LinuxDialogs::PromptForColor(IColor& color, const char* prompt, const IColorPickerHandlerFunc& func)
{
  const std::string start = "rgba(" + std::to_string(std::clamp(color.R, 0, 255)) + "," +
                            std::to_string(std::clamp(color.G, 0, 255)) + "," +
                            std::to_string(std::clamp(color.B, 0, 255)) + "," + Fraction(color.A) + ")";
  std::vector<std::string> args = {"--color-selection", "--color=" + start};
  if (prompt && *prompt)
    args.push_back("--title=" + std::string(prompt));

  const LinuxProcessResult run = RunZenity(args);
  IColor chosen;
  if (!run.started || run.exitStatus != kZenityAccepted || !ParseColor(run.output, chosen))
    return false;
  color = chosen;
  if (func)
    func(color);
  return true;
}

std::string LinuxDialogs::CheckedURL(const char* url)
{
  const std::string_view text = url ? url : "";
  if (text.empty())
    return {};
  if (text.front() == '/')
    return HasControl(text, false) ? std::string() : FileURL(text);
  if (HasControl(text, true))
    return {};
  const std::string scheme = Scheme(text);
  if (scheme == "http" || scheme == "https" || scheme == "file" || scheme == "mailto")
    return std::string(text);
  return {};
}

bool LinuxDialogs::OpenURL(const char* url)
{
  const std::string checked = CheckedURL(url);
  if (checked.empty())
    return false;
  return mRunner.Launch({kXdgOpen, checked});
}

bool LinuxDialogs::RevealPathInExplorerOrFinder(const WDL_String& path, bool select)
{
  if (path.GetLength() == 0)
    return false;
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path.Get(), error);
  if (error || !std::filesystem::exists(absolute, error))
    return false;
  const std::filesystem::path target = select ? absolute.parent_path() : absolute;
  return mRunner.Launch({kXdgOpen, target.string()});
}

} // namespace iplug::igraphics
