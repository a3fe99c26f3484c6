#include "FolderLocator.h"

#include <CoreServices/Folders.h>

#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace standin {

namespace {

std::optional<std::string> AbsoluteEnvironment(const char* variable)
{
  const char* value = std::getenv(variable);
  if (!value || value[0] != '/')
    return std::nullopt;
  return std::string(value);
}

// The value of a user-dirs.dirs line ("$HOME/Music" or an absolute path, in double quotes).
std::optional<std::string> ParseUserDirsValue(const std::string& quoted, const std::string& home)
{
  if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"')
    return std::nullopt;
  std::string value;
  const std::string inner = quoted.substr(1, quoted.size() - 2);
  for (size_t i = 0; i < inner.size(); ++i)
  {
    if (inner[i] == '\\' && i + 1 < inner.size())
      ++i;
    value += inner[i];
  }
  if (value.compare(0, 5, "$HOME") == 0 && (value.size() == 5 || value[5] == '/'))
    value = home + value.substr(5);
  if (value.empty() || value[0] != '/')
    return std::nullopt;
  while (value.size() > 1 && value.back() == '/')
    value.pop_back();
  return value;
}

}

std::optional<std::string> FolderLocator::Home()
{
  if (std::optional<std::string> home = AbsoluteEnvironment("HOME"))
    return home;
  std::vector<char> buffer(16384);
  struct passwd entry;
  struct passwd* result = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &result) == 0 && result && result->pw_dir && result->pw_dir[0] == '/')
    return std::string(result->pw_dir);
  return std::nullopt;
}

std::optional<std::string> FolderLocator::XdgBase(const char* variable, const char* fallbackUnderHome)
{
  if (std::optional<std::string> base = AbsoluteEnvironment(variable))
    return base;
  std::optional<std::string> home = Home();
  if (!home)
    return std::nullopt;
  return *home + "/" + fallbackUnderHome;
}

std::optional<std::string> FolderLocator::ReadUserDirsFile(const std::string& key, const std::string& home)
{
  std::optional<std::string> config = XdgBase("XDG_CONFIG_HOME", ".config");
  if (!config)
    return std::nullopt;
  std::ifstream file(*config + "/user-dirs.dirs");
  std::string line;
  std::optional<std::string> found;
  while (std::getline(file, line))
  {
    if (line.empty() || line[0] == '#' || line.compare(0, key.size() + 1, key + "=") != 0)
      continue;
    if (std::optional<std::string> value = ParseUserDirsValue(line.substr(key.size() + 1), home))
      found = value;
  }
  return found;
}

std::optional<std::string> FolderLocator::UserDirectory(const char* key, const char* fallbackName)
{
  std::optional<std::string> home = Home();
  if (!home)
    return std::nullopt;
  if (std::optional<std::string> fromFile = ReadUserDirsFile(key, *home))
    return fromFile;
  if (std::optional<std::string> fromEnvironment = AbsoluteEnvironment(key))
    return fromEnvironment;
  return *home + "/" + fallbackName;
}

std::optional<std::string> FolderLocator::Library(SInt16 domain)
{
  switch (domain)
  {
    case kUserDomain:
    {
      std::optional<std::string> home = Home();
      return home ? std::optional<std::string>(*home + "/.local/lib") : std::nullopt;
    }
    case kLocalDomain: return std::string("/usr/local/lib");
    case kSystemDomain: return std::string("/usr/lib");
    default: return std::nullopt;
  }
}

std::optional<std::string> FolderLocator::Locate(SInt16 domain, OSType folderType)
{
  if (domain == kOnSystemDisk || domain == kOnAppropriateDisk)
    domain = kUserDomain;
  if (domain != kUserDomain && domain != kLocalDomain && domain != kSystemDomain)
    return std::nullopt;
  const bool user = domain == kUserDomain;
  const bool local = domain == kLocalDomain;
  std::optional<std::string> library = Library(domain);
  switch (folderType)
  {
    case kCurrentUserFolderType: return user ? Home() : std::nullopt;
    case kDesktopFolderType: return user ? UserDirectory("XDG_DESKTOP_DIR", "Desktop") : std::nullopt;
    case kDocumentsFolderType: return user ? UserDirectory("XDG_DOCUMENTS_DIR", "Documents") : std::nullopt;
    case kMusicDocumentsFolderType: return user ? UserDirectory("XDG_MUSIC_DIR", "Music") : std::nullopt;
    case kMovieDocumentsFolderType: return user ? UserDirectory("XDG_VIDEOS_DIR", "Videos") : std::nullopt;
    case kPictureDocumentsFolderType: return user ? UserDirectory("XDG_PICTURES_DIR", "Pictures") : std::nullopt;
    case kDownloadsFolderType: return user ? UserDirectory("XDG_DOWNLOAD_DIR", "Downloads") : std::nullopt;
    case kApplicationSupportFolderType:
      if (user)
        return XdgBase("XDG_DATA_HOME", ".local/share");
      return std::string(local ? "/usr/local/share" : "/usr/share");
    case kPreferencesFolderType: return user ? XdgBase("XDG_CONFIG_HOME", ".config") : std::nullopt;
    case kCachedDataFolderType:
      if (user)
        return XdgBase("XDG_CACHE_HOME", ".cache");
      return local ? std::optional<std::string>("/var/cache") : std::nullopt;
    case kTemporaryFolderType:
      return AbsoluteEnvironment("TMPDIR").value_or("/tmp");
    case kDomainLibraryFolderType: return library;
    case kAudioSupportFolderType: return library ? std::optional<std::string>(*library + "/Audio") : std::nullopt;
    case kAudioPlugInsFolderType: return library ? std::optional<std::string>(*library + "/Audio/Plug-Ins") : std::nullopt;
    case kAudioComponentsFolderType: return library ? std::optional<std::string>(*library + "/Audio/Plug-Ins/Components") : std::nullopt;
    case kAudioPresetsFolderType: return library ? std::optional<std::string>(*library + "/Audio/Presets") : std::nullopt;
    default: return std::nullopt;
  }
}

}
