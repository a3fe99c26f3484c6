#include "AppSettingsPage.h"

#include <algorithm>
#include <cstdio>

#include "AppChoiceControl.h"
#include "AppMidi.h"
#include "AppSession.h"
#include "EditorWindow.h"
#include "IGraphics.h"
#include "IGraphicsLinux.h"
#include "IPlugAPP.h"
#include "ITextControl.h"

namespace iplug
{
namespace
{
  using namespace igraphics;

  constexpr const char* kRowNames[AppSettingsPage::kNumRows] = {
    "Driver", "Input device", "Output device", "Sample rate", "Buffer size", "MIDI input", "MIDI output"};
  constexpr unsigned kBufferChoices[] = {64, 128, 256, 512, 1024, 2048};
  constexpr float kRowTop = 48.f;
  constexpr float kRowPitch = 32.f;
  constexpr float kLabelLeft = 16.f;
  constexpr float kChoiceLeft = 150.f;
  const IColor kBackground(255, 232, 234, 238);
  const IColor kInk(255, 30, 30, 30);
  const IColor kErrorInk(255, 170, 20, 20);

  template <class T>
  int IndexOf(const std::vector<T>& list, const T& value)
  {
    const auto found = std::find(list.begin(), list.end(), value);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
  }

  std::vector<std::string> Numbers(const std::vector<unsigned>& values, const char* unit)
  {
    std::vector<std::string> texts;
    for (unsigned value : values)
      texts.push_back(std::to_string(value) + unit);
    return texts;
  }

  std::vector<std::string> WithNone(const std::vector<std::string>& ports)
  {
    std::vector<std::string> texts{"none"};
    texts.insert(texts.end(), ports.begin(), ports.end());
    return texts;
  }
}

AppSettingsPage::AppSettingsPage(AppSession& session)
  : IGEditorDelegate(0)
  , mSession(session)
{
  mMakeGraphicsFunc = [this]() { return MakeGraphics(*this, kWidth, kHeight, 30); };
  mLayoutFunc = [this](IGraphics* pGraphics) { Build(pGraphics); };
}

AppSettingsPage::~AppSettingsPage()
{
  Close();
}

bool AppSettingsPage::Open(const std::string& title, std::string& error)
{
  if (mWindow)
    return true;
  mWindow.reset(EditorWindow::Create(title, kWidth, kHeight, error));
  if (!mWindow)
    return false;
  if (!OpenWindow(reinterpret_cast<void*>(static_cast<uintptr_t>(mWindow->Id()))))
  {
    mWindow.reset();
    error = "the settings page cannot be drawn here";
    return false;
  }
  auto* pGraphics = static_cast<IGraphicsLinux*>(GetUI());
  mWindow->Resize(static_cast<int>(pGraphics->WindowWidth() * pGraphics->GetScreenScale()),
                  static_cast<int>(pGraphics->WindowHeight() * pGraphics->GetScreenScale()));
  return true;
}

void AppSettingsPage::Close()
{
  if (!mWindow)
    return;
  CloseWindow();
  std::fill(std::begin(mRows), std::end(mRows), nullptr);
  mStatus = nullptr;
  mError = nullptr;
  mWindow.reset();
}

bool AppSettingsPage::Poll()
{
  if (!mWindow)
    return false;
  if (mWindow->Poll())
    return true;
  Close();
  return false;
}

void AppSettingsPage::Build(IGraphics* pGraphics)
{
  if (!pGraphics || pGraphics->NControls() > 0)
    return;
  pGraphics->AttachPanelBackground(IPattern(kBackground));
  pGraphics->AttachPopupMenuControl(IText(14.f, kInk, nullptr, kAlignNear));
  pGraphics->AttachControl(new ITextControl(IRECT(kLabelLeft, 10.f, kWidth - 16.f, 34.f), "Audio and MIDI settings",
                                            IText(18.f, kInk, nullptr, kAlignNear), kBackground));
  const IText label(14.f, kInk, nullptr, kAlignNear);
  for (int row = 0; row < kNumRows; ++row)
  {
    const float top = kRowTop + kRowPitch * static_cast<float>(row);
    pGraphics->AttachControl(new ITextControl(IRECT(kLabelLeft, top, kChoiceLeft - 8.f, top + 24.f), kRowNames[row],
                                              label, kBackground));
    mRows[row] = static_cast<AppChoiceControl*>(pGraphics->AttachControl(new AppChoiceControl(
      IRECT(kChoiceLeft, top, kWidth - 16.f, top + 24.f), [this, row](int index) { Choose(static_cast<ERow>(row), index); })));
  }
  const float statusTop = kRowTop + kRowPitch * static_cast<float>(kNumRows) + 4.f;
  mStatus = static_cast<ITextControl*>(pGraphics->AttachControl(
    new ITextControl(IRECT(kLabelLeft, statusTop, kWidth - 16.f, statusTop + 20.f), "", label, kBackground)));
  mError = static_cast<ITextControl*>(pGraphics->AttachControl(new ITextControl(
    IRECT(kLabelLeft, statusTop + 22.f, kWidth - 16.f, statusTop + 42.f), "", IText(13.f, kErrorInk, nullptr, kAlignNear), kBackground)));
  Refresh();
  ShowStatus(AppAudioLoad());
}

void AppSettingsPage::Refresh()
{
  if (!mRows[0])
    return;
  const AppSettings& settings = mSession.Settings();
  const std::vector<std::string>& drivers = AppAudio::Drivers();
  mRows[kRowDriver]->SetChoices(drivers, IndexOf(drivers, settings.driver), "none");

  std::string ignored;
  if (!AppAudio::ListDevices(settings.driver, mDevices, ignored))
    mDevices.clear();
  mInputNames.clear();
  mOutputNames.clear();
  mRates.clear();
  for (const AppAudioDevice& device : mDevices)
  {
    if (device.inputs > 0)
      mInputNames.push_back(device.name);
    if (device.outputs > 0)
      mOutputNames.push_back(device.name);
    if (device.name == settings.output)
      mRates = device.rates;
  }
  const bool hasInputs = mSession.Plug().MaxNChannels(kInput) > 0;
  mRows[kRowInput]->SetChoices(hasInputs ? mInputNames : std::vector<std::string>(), IndexOf(mInputNames, settings.input),
                               hasInputs ? "none" : "(the plug-in takes no audio input)");
  mRows[kRowOutput]->SetChoices(mOutputNames, IndexOf(mOutputNames, settings.output), "none");
  if (mRates.empty() && settings.rate)
    mRates.push_back(settings.rate);
  mRows[kRowRate]->SetChoices(Numbers(mRates, " Hz"), IndexOf(mRates, settings.rate), "");

  // JACK's block is the server's own; the other drivers take the sizes offered here.
  mBuffers.clear();
  if (settings.driver != "jack")
    mBuffers.assign(std::begin(kBufferChoices), std::end(kBufferChoices));
  if (IndexOf(mBuffers, settings.buffer) < 0 && settings.buffer)
    mBuffers.push_back(settings.buffer);
  std::sort(mBuffers.begin(), mBuffers.end());
  mRows[kRowBuffer]->SetChoices(Numbers(mBuffers, " frames"), IndexOf(mBuffers, settings.buffer), "");

  mMidiIns = mSession.Plug().DoesMIDIIn() ? AppMidi::ListPorts(true) : std::vector<std::string>();
  mMidiOuts = mSession.Plug().DoesMIDIOut() ? AppMidi::ListPorts(false) : std::vector<std::string>();
  mRows[kRowMidiIn]->SetChoices(mSession.Plug().DoesMIDIIn() ? WithNone(mMidiIns) : std::vector<std::string>(),
                                settings.midiIn.empty() ? 0 : IndexOf(mMidiIns, settings.midiIn) + 1,
                                "(the plug-in takes no MIDI)");
  mRows[kRowMidiOut]->SetChoices(mSession.Plug().DoesMIDIOut() ? WithNone(mMidiOuts) : std::vector<std::string>(),
                                 settings.midiOut.empty() ? 0 : IndexOf(mMidiOuts, settings.midiOut) + 1,
                                 "(the plug-in sends no MIDI)");
}

void AppSettingsPage::ShowStatus(const AppAudioLoad& load)
{
  if (!mStatus)
    return;
  AppAudio& audio = mSession.Audio();
  char text[160];
  if (audio.Running())
    std::snprintf(text, sizeof(text), "DSP load %.1f %% (peak %.1f %%), xruns %llu; %d in, %d out", load.mean * 100.0,
                  load.peak * 100.0, static_cast<unsigned long long>(audio.Xruns()), audio.NInputs(), audio.NOutputs());
  else
    std::snprintf(text, sizeof(text), "no audio stream runs");
  mStatus->SetStr(text);
}

void AppSettingsPage::Choose(ERow row, int index)
{
  if (index < 0 || !mRows[row] || index >= static_cast<int>(mRows[row]->Choices().size()))
    return;
  AppSettings wanted = mSession.Settings();
  const size_t i = static_cast<size_t>(index);
  switch (row)
  {
    case kRowDriver:
      if (AppAudio::Drivers()[i] != wanted.driver)
        wanted = AppSettings{AppAudio::Drivers()[i], "", "", 0, 0, wanted.midiIn, wanted.midiOut};
      break;
    case kRowInput: wanted.input = mInputNames[i]; break;
    case kRowOutput: wanted.output = mOutputNames[i]; break;
    case kRowRate: wanted.rate = mRates[i]; break;
    case kRowBuffer: wanted.buffer = mBuffers[i]; break;
    case kRowMidiIn: wanted.midiIn = i == 0 ? std::string() : mMidiIns[i - 1]; break;
    case kRowMidiOut: wanted.midiOut = i == 0 ? std::string() : mMidiOuts[i - 1]; break;
    default: return;
  }
  std::string error;
  const bool applied = mSession.Apply(wanted, error);
  if (mError)
    mError->SetStr(applied ? "" : error.c_str());
  Refresh();
}

std::vector<std::string> AppSettingsPage::Choices(ERow row) const
{
  return mRows[row] ? mRows[row]->Choices() : std::vector<std::string>();
}

std::string AppSettingsPage::StatusText() const
{
  return mStatus ? mStatus->GetStr() : "";
}

std::string AppSettingsPage::ErrorText() const
{
  return mError ? mError->GetStr() : "";
}

std::string AppSettingsPage::RowsText() const
{
  std::string text;
  for (int row = 0; row < kNumRows && mRows[row]; ++row)
  {
    const std::vector<std::string>& choices = mRows[row]->Choices();
    text += std::string("settings ") + kRowNames[row] + ": " + mRows[row]->ShownText() + " (";
    for (size_t i = 0; i < choices.size(); ++i)
      text += (i ? ", " : "") + choices[i];
    text += ")\n";
  }
  return text;
}

} // namespace iplug
