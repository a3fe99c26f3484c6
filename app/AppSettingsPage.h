#pragma once

#include <memory>
#include <string>
#include <vector>

#include "AppAudio.h"
#include "IGEditorDelegate.h"

class EditorWindow;

namespace iplug
{
class AppSession;

namespace igraphics
{
class AppChoiceControl;
class ITextControl;
}

// The standalone program's audio and MIDI settings page, drawn with the toolkit's controls in a window of its
// own: driver, input and output device, sample rate, buffer size, MIDI input and output, and the running
// stream's load and xruns. A choice restarts the stream through the session; a choice that fails shows its
// error on the page and the previous settings run again. [main-thread]
class AppSettingsPage : public igraphics::IGEditorDelegate
{
public:
  // The page's rows, in order from the top.
  enum ERow
  {
    kRowDriver = 0,
    kRowInput,
    kRowOutput,
    kRowRate,
    kRowBuffer,
    kRowMidiIn,
    kRowMidiOut,
    kNumRows
  };
  // The page's size in pixels.
  static constexpr int kWidth = 440;
  static constexpr int kHeight = 330;

  // The page of session (not owned, outlives the page), not yet shown. [main-thread]
  explicit AppSettingsPage(AppSession& session);
  ~AppSettingsPage() override;

  // Shows the page in a new top-level window titled title; false with a one-line error when it cannot.
  bool Open(const std::string& title, std::string& error);
  // Closes the window.
  void Close();
  // Whether the window is open (false once the user closed it; the page is then closed here).
  bool Poll();
  // Shows the stream's load (as last measured) and xruns; called a few times a second.
  void ShowStatus(const AppAudioLoad& load);

  // The choices of a row, as its menu lists them; empty while closed.
  std::vector<std::string> Choices(ERow row) const;
  // The text of the status line and of the error line; empty while closed.
  std::string StatusText() const;
  std::string ErrorText() const;
  // Every row as the page shows it, one line each: "settings NAME: SHOWN (CHOICE, ...)"; empty while closed.
  std::string RowsText() const;
  // Picks choice index of row, as a click on that menu item does.
  void Choose(ERow row, int index);

private:
  // Attaches the page's controls.
  void Build(igraphics::IGraphics* pGraphics);
  // Fills every row's choices from the drivers and the running settings.
  void Refresh();

  AppSession& mSession;
  std::unique_ptr<EditorWindow> mWindow;
  igraphics::AppChoiceControl* mRows[kNumRows] = {};
  igraphics::ITextControl* mStatus = nullptr;
  igraphics::ITextControl* mError = nullptr;
  std::vector<AppAudioDevice> mDevices;  // the current driver's devices
  std::vector<std::string> mInputNames;  // input devices, as the input row lists them
  std::vector<std::string> mOutputNames; // output devices, as the output row lists them
  std::vector<std::string> mMidiIns;     // MIDI input ports after "none"
  std::vector<std::string> mMidiOuts;    // MIDI output ports after "none"
  std::vector<unsigned> mRates;          // rates the rate row lists
  std::vector<unsigned> mBuffers;        // buffer sizes the buffer row lists
};

} // namespace iplug
