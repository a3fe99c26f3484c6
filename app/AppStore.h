#pragma once

#include <string>
#include <utility>
#include <vector>

#include "AppSettings.h"

namespace iplug
{
class IPluginBase;

// Where the standalone program keeps what outlives a run: its settings file and the plug-in's state file in
// the configuration folder ($XDG_CONFIG_HOME/<product>/settings and state), or the state in a file of the
// user's choosing. Files are replaced atomically; a file that cannot be read back is moved aside (never
// over another file) and reported, and the defaults are used. [main-thread]
class AppStore
{
public:
  // The store of productName; statePath, when not empty, replaces the state file of the folder.
  AppStore(const std::string& productName, const std::string& statePath);

  // The settings file's path. [any-thread]
  const std::string& SettingsPath() const { return mSettingsPath; }
  // The state file's path. [any-thread]
  const std::string& StatePath() const { return mStatePath; }

  // The saved settings, or the defaults when there are none; a one-line warning when the file was damaged.
  AppSettings LoadSettings(std::string& warning) const;
  // Restores the plug-in's saved state, if any; a one-line warning (and the plug-in's values untouched) when
  // the file was damaged or belongs to another plug-in.
  void LoadState(IPluginBase& plug, std::string& warning) const;
  // Saves the plug-in's state; false with a one-line error.
  bool SaveState(const IPluginBase& plug, std::string& error) const;

private:
  // Moves a damaged file aside and says so in warning.
  static void SetAside(const std::string& path, const std::string& what, const std::string& reason, std::string& warning);

  std::string mSettingsPath;
  std::string mStatePath;
};

// Sets the parameter called name (case-insensitive) from value, one of its display texts or a number in its
// units within its range; false with a one-line error otherwise. [main-thread]
bool SetParameterFromText(IPluginBase& plug, const std::string& name, const std::string& value, std::string& error);

} // namespace iplug
