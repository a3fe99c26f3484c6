#pragma once

#include <MacTypes.h>

#include <optional>
#include <string>

namespace standin {

// Answers the Folder Manager's questions the Linux way (see CoreServices/Folders.h), reading the
// environment and the XDG user-dirs file afresh on every call.
class FolderLocator {
public:
  // The path of a folder type in a domain, whether or not it exists; nothing when the domain has no
  // such folder or the type is unknown.
  static std::optional<std::string> Locate(SInt16 domain, OSType folderType);

private:
  static std::optional<std::string> Home();
  static std::optional<std::string> XdgBase(const char* variable, const char* fallbackUnderHome);
  static std::optional<std::string> UserDirectory(const char* key, const char* fallbackName);
  static std::optional<std::string> Library(SInt16 domain);
  static std::optional<std::string> ReadUserDirsFile(const std::string& key, const std::string& home);
};

}
