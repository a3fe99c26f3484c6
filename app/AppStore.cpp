#include "AppStore.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "AppFiles.h"
#include "AppStateFile.h"
#include "IByteChunk.h"
#include "IPluginBase.h"

namespace iplug
{
namespace
{
  std::vector<uint8_t> CurrentState(const IPluginBase& plug)
  {
    IByteChunk chunk;
    if (!plug.SerializeState(chunk))
      return {};
    return std::vector<uint8_t>(chunk.GetData(), chunk.GetData() + chunk.Size());
  }

  // Whether the product's reader takes bytes whole: the same length as its own state (for a plug-in whose state
  // is its parameter list), finite values, and a read that succeeds. Leaves the plug-in as it was on failure.
  bool Restore(IPluginBase& plug, const std::vector<uint8_t>& bytes)
  {
    const std::vector<uint8_t> before = CurrentState(plug);
    if (!plug.DoesStateChunks())
    {
      if (bytes.size() != before.size() || bytes.size() % sizeof(double) != 0)
        return false;
      for (size_t i = 0; i < bytes.size(); i += sizeof(double))
      {
        double value = 0.0;
        std::memcpy(&value, bytes.data() + i, sizeof(value));
        if (!std::isfinite(value))
          return false;
      }
    }
    IByteChunk chunk;
    if (chunk.PutBytes(bytes.data(), static_cast<int>(bytes.size())) != static_cast<int>(bytes.size()))
      return false;
    if (plug.UnserializeState(chunk, 0) > 0)
      return true;
    IByteChunk previous;
    previous.PutBytes(before.data(), static_cast<int>(before.size()));
    plug.UnserializeState(previous, 0);
    return false;
  }
}

AppStore::AppStore(const std::string& productName, const std::string& statePath)
{
  const std::string folder = AppConfigFolder(productName);
  if (!folder.empty())
    mSettingsPath = folder + "/settings";
  mStatePath = !statePath.empty() ? statePath : folder.empty() ? std::string() : folder + "/state";
}

void AppStore::SetAside(const std::string& path, const std::string& what, const std::string& reason, std::string& warning)
{
  const std::string aside = KeepFileAside(path);
  warning = "the " + what + " file " + path + " is damaged (" + reason + "): " +
            (aside.empty() ? "left where it is" : "kept as " + aside) + ", using the defaults";
}

AppSettings AppStore::LoadSettings(std::string& warning) const
{
  AppSettings settings;
  std::vector<uint8_t> bytes;
  std::string error;
  if (mSettingsPath.empty())
    return settings;
  switch (ReadWholeFile(mSettingsPath, bytes, error))
  {
    case EFileRead::kMissing: return settings;
    case EFileRead::kFailed: warning = error + ", using the default settings"; return settings;
    case EFileRead::kRead: break;
  }
  std::string reason;
  if (!ParseAppSettings(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), settings, reason))
    SetAside(mSettingsPath, "settings", reason, warning);
  return settings;
}

void AppStore::LoadState(IPluginBase& plug, std::string& warning) const
{
  std::vector<uint8_t> bytes;
  std::string error;
  if (mStatePath.empty())
    return;
  switch (ReadWholeFile(mStatePath, bytes, error))
  {
    case EFileRead::kMissing: return;
    case EFileRead::kFailed: warning = error + ", using the defaults"; return;
    case EFileRead::kRead: break;
  }
  std::vector<uint8_t> state;
  std::string reason;
  if (!UnwrapAppState(bytes.data(), bytes.size(), static_cast<uint32_t>(plug.GetUniqueID()), state, reason))
    SetAside(mStatePath, "state", reason, warning);
  else if (!Restore(plug, state))
    SetAside(mStatePath, "state", "the plug-in cannot read it", warning);
}

bool AppStore::SaveState(const IPluginBase& plug, std::string& error) const
{
  if (mStatePath.empty())
    return true;
  const std::vector<uint8_t> state = CurrentState(plug);
  if (state.empty())
  {
    error = "the plug-in gave no state to save";
    return false;
  }
  return WriteFileAtomically(mStatePath, WrapAppState(static_cast<uint32_t>(plug.GetUniqueID()), state), error);
}

bool SetParameterFromText(IPluginBase& plug, const std::string& name, const std::string& value, std::string& error)
{
  for (int i = 0; i < plug.NParams(); ++i)
  {
    IParam* param = plug.GetParam(i);
    if (strcasecmp(param->GetName(), name.c_str()) != 0)
      continue;
    double number = 0.0;
    if (!param->MapDisplayText(value.c_str(), &number))
    {
      char* end = nullptr;
      number = std::strtod(value.c_str(), &end);
      if (value.empty() || !end || *end != '\0' || !std::isfinite(number) || number < param->GetMin() ||
          number > param->GetMax())
      {
        error = "--set " + name + "=" + value + ": not a value of " + param->GetName();
        return false;
      }
    }
    param->Set(number);
    plug.OnParamChange(i, kUI, -1);
    plug.SendParameterValueFromDelegate(i, param->Value(), false);
    return true;
  }
  error = "--set " + name + ": the plug-in has no parameter called " + name;
  return false;
}

} // namespace iplug
