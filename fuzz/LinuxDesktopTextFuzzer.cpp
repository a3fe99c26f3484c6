// Feeds arbitrary bytes to everything the Linux window layer reads from outside the process: the X resource
// text (screen scale), the theme and colour-scheme settings, the kernel release, what zenity prints for the
// file, folder and colour choosers and the message box, the URLs handed to OpenURL, and key events. Nothing
// crashes, the scale stays in its range, a chosen colour is in range, a chosen folder ends in "/", a URL is
// never handed over as something that reads as an option, and key presses carry valid UTF-8.
#include "LinuxDesktop.h"
#include "LinuxDialogs.h"
#include "LinuxKeyTable.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace iplug::igraphics;

namespace
{

void Require(bool condition)
{
  if (!condition)
    std::abort();
}

// Answers every run with exit status 0 and the fuzzed text, and checks what it is asked to run or launch.
struct ScriptedRunner final : LinuxProcessRunner
{
  std::string output;

  LinuxProcessResult Run(const std::vector<std::string>& argv, const LinuxModalFrame& /*frame*/) override
  {
    Require(!argv.empty() && argv[0] != "xdg-open");
    return {true, 0, output};
  }

  bool Launch(const std::vector<std::string>& argv) override
  {
    Require(argv.size() == 2 && argv[0] == "xdg-open" && !argv[1].empty() && argv[1][0] != '-');
    return true;
  }
};

// Whether text is well-formed UTF-8 of at most one character.
bool IsOneCharacterOfUTF8(const char* text)
{
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  const std::size_t length = std::strlen(text);
  if (length == 0)
    return true;
  const std::size_t expected = bytes[0] < 0x80 ? 1 : bytes[0] >= 0xF0 ? 4 : bytes[0] >= 0xE0 ? 3 : 2;
  if (length != expected)
    return false;
  for (std::size_t i = 1; i < length; ++i)
  {
    if ((bytes[i] & 0xC0) != 0x80)
      return false;
  }
  return true;
}

unsigned long ReadWord(const uint8_t* data, size_t size, size_t at)
{
  unsigned long word = 0;
  for (size_t i = 0; i < 4 && at + i < size; ++i)
    word |= static_cast<unsigned long>(data[at + i]) << (8 * i);
  return word;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  const std::string text(reinterpret_cast<const char*>(data), size);

  const float scale = LinuxDesktop::ScreenScaleFromResources(text.c_str());
  Require(std::isfinite(scale) && scale >= LinuxDesktop::kMinScreenScale && scale <= LinuxDesktop::kMaxScreenScale);
  const EUIAppearance appearance = LinuxDesktop::AppearanceFromSettings(text.c_str(), text.c_str());
  Require(appearance == kAppearanceLight || appearance == kAppearanceDark);
  Require(LinuxDesktop::OSVersionFromRelease(text.c_str()) >= 0);

  ScriptedRunner runner;
  runner.output = text;
  LinuxDialogs dialogs(runner);

  IColor color;
  if (dialogs.PromptForColor(color, "c"))
  {
    for (const int channel : {color.A, color.R, color.G, color.B})
      Require(channel >= 0 && channel <= 255);
  }

  WDL_String dir("/start");
  dialogs.PromptForDirectory(dir);
  Require(dir.GetLength() == 0 || dir.Get()[dir.GetLength() - 1] == '/');

  WDL_String fileName("f");
  WDL_String path("/p");
  dialogs.PromptForFile(fileName, path, kFileSave, "wav aif");
  dialogs.PromptForFile(fileName, path, kFileOpen, text.c_str());

  const EMsgBoxResult result = dialogs.ShowMessageBox(text.c_str(), text.c_str(), kMsgBoxYesNoCancel);
  Require(result == kMsgResultYes || result == kMsgResultNo || result == kMsgResultCancel);

  const std::string url = LinuxDialogs::CheckedURL(text.c_str());
  Require(url.empty() || url[0] != '-');
  dialogs.OpenURL(text.c_str());

  for (size_t at = 0; at + 12 <= size; at += 12)
  {
    const LinuxKeyEvent event{ReadWord(data, size, at), ReadWord(data, size, at + 4),
                              static_cast<unsigned int>(ReadWord(data, size, at + 8)), data[at + 8]};
    const iplug::IKeyPress key = LinuxKeyEventToKeyPress(event);
    Require(IsOneCharacterOfUTF8(key.utf8));
  }
  return 0;
}
