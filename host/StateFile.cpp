#include "StateFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "CFRef.h"
#include "HostComponent.h"
#include "StatusText.h"

bool StateFile::Save(const HostComponent& unit, const std::string& path, std::string& error)
{
  CFRef<CFPropertyListRef> state;
  const OSStatus status = unit.SaveState(state);
  if (status != noErr || !state)
  {
    error = "the component gives no state: " + StatusText(status);
    return false;
  }
  CFRef<CFDataRef> bytes(CFPropertyListCreateData(nullptr, state.Get(), kCFPropertyListXMLFormat_v1_0, 0, nullptr));
  if (!bytes)
  {
    error = "the component's state is not a property list";
    return false;
  }
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(CFDataGetBytePtr(bytes.Get())), CFDataGetLength(bytes.Get()));
  file.close();
  if (!file)
  {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

bool StateFile::Load(HostComponent& unit, const std::string& path, std::string& error)
{
  // A directory opens like a file here but fails on the first read.
  std::error_code statusError;
  if (std::filesystem::is_directory(path, statusError))
  {
    error = "cannot read the state file " + path + ": " + std::strerror(EISDIR);
    return false;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file)
  {
    error = "cannot read the state file " + path + ": " + std::strerror(errno);
    return false;
  }
  const std::vector<char> content{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (file.bad())
  {
    error = "cannot read the state file " + path + ": " + std::strerror(errno);
    return false;
  }
  CFRef<CFDataRef> bytes(CFDataCreate(nullptr, reinterpret_cast<const UInt8*>(content.data()), static_cast<CFIndex>(content.size())));
  CFRef<CFPropertyListRef> state(CFPropertyListCreateWithData(nullptr, bytes.Get(), kCFPropertyListImmutable, nullptr, nullptr));
  if (!state || CFGetTypeID(state.Get()) != CFDictionaryGetTypeID())
  {
    error = path + ": not a saved state (an XML property list with a dictionary)";
    return false;
  }
  const OSStatus status = unit.RestoreState(state.Get());
  if (status != noErr)
  {
    error = path + ": the component refuses this state: " + StatusText(status);
    return false;
  }
  return true;
}
