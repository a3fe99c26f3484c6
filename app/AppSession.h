#pragma once

#include <string>

#include "AppAudio.h"
#include "AppMidi.h"
#include "AppSettings.h"

namespace iplug
{
class IPlugAPP;

// One run of the standalone program around its plug-in object: the audio stream, the MIDI ports and the
// settings they run with, changed from the command line at start and from the settings page later; a
// change that works is saved at once. [main-thread]
class AppSession
{
public:
  // A session for plug named clientName toward the driver, whose settings are kept in settingsPath (none when
  // empty); with connect, JACK ports are connected to the devices'.
  AppSession(IPlugAPP& plug, std::string clientName, std::string settingsPath, bool connect);
  AppSession(const AppSession&) = delete;
  AppSession& operator=(const AppSession&) = delete;

  // Starts audio and MIDI as settings ask; false with a one-line error (and nothing running).
  bool Start(const AppSettings& settings, std::string& error);
  // Restarts with settings; when they fail, the previous settings run again and the error is returned.
  bool Apply(const AppSettings& settings, std::string& error);
  // Writes the running settings to the settings file; false with an error text.
  bool SaveSettings(std::string& error) const;
  // Sends the MIDI the plug-in queued. Called every few milliseconds from the run loop.
  void Idle();
  // Stops audio and closes the MIDI ports.
  void Stop();

  // The plug-in the program runs; owned by the session. [main-thread]
  IPlugAPP& Plug() { return mPlug; }
  // The audio device's stream; owned by the session. [main-thread]
  AppAudio& Audio() { return mAudio; }
  // The settings that run (the devices' own names, the rate and buffer in effect).
  const AppSettings& Settings() const { return mSettings; }

private:
  // Opens the MIDI ports the settings name, for a plug-in that takes or sends MIDI.
  bool StartMidi(std::string& error);

  IPlugAPP& mPlug;
  AppAudio mAudio;
  AppMidi mMidi;
  AppSettings mSettings;
  std::string mSettingsPath;
  bool mConnect;
};

} // namespace iplug
