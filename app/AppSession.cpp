#include "AppSession.h"

#include "AppFiles.h"
#include "IPlugAPP.h"

namespace iplug
{

AppSession::AppSession(IPlugAPP& plug, std::string clientName, std::string settingsPath, bool connect)
  : mPlug(plug)
  , mAudio(plug, clientName)
  , mMidi(plug, clientName)
  , mSettingsPath(std::move(settingsPath))
  , mConnect(connect)
{
}

bool AppSession::Start(const AppSettings& settings, std::string& error)
{
  AppSettings running = settings;
  if (!mAudio.Start(running, mConnect, error))
    return false;
  mSettings = running;
  if (!StartMidi(error))
  {
    Stop();
    return false;
  }
  return true;
}

bool AppSession::Apply(const AppSettings& settings, std::string& error)
{
  const AppSettings previous = mSettings;
  if (Start(settings, error))
  {
    std::string ignored;
    SaveSettings(ignored);
    return true;
  }
  std::string again;
  Start(previous, again);
  return false;
}

bool AppSession::StartMidi(std::string& error)
{
  if (mPlug.DoesMIDIIn() && !mMidi.OpenInput(mSettings.midiIn, error))
    return false;
  if (mPlug.DoesMIDIOut() && !mMidi.OpenOutput(mSettings.midiOut, error))
    return false;
  return true;
}

bool AppSession::SaveSettings(std::string& error) const
{
  if (mSettingsPath.empty())
    return true;
  const std::string text = FormatAppSettings(mSettings);
  return WriteFileAtomically(mSettingsPath, std::vector<uint8_t>(text.begin(), text.end()), error);
}

void AppSession::Idle()
{
  mMidi.SendQueued();
}

void AppSession::Stop()
{
  mAudio.Stop();
  std::string ignored;
  mMidi.OpenInput("", ignored);
  mMidi.OpenOutput("", ignored);
}

} // namespace iplug
