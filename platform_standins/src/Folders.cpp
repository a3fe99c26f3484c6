#include "Export.h"
#include "FolderLocator.h"

#include <CoreServices/Folders.h>

#include <cstring>
#include <filesystem>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace {

// An FSRef names a path of this table: a tag and the path's index.
constexpr UInt8 kRefTag[4] = {'F', 'S', 'R', 'f'};

struct PathTable {
  std::mutex mutex;
  std::vector<std::string> paths;
  std::unordered_map<std::string, UInt32> indices;
};

PathTable& Table()
{
  static auto* table = new PathTable();
  return *table;
}

void MakeRef(const std::string& path, FSRef& ref)
{
  PathTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  auto [entry, added] = table.indices.emplace(path, static_cast<UInt32>(table.paths.size()));
  if (added)
    table.paths.push_back(path);
  std::memset(ref.hidden, 0, sizeof(ref.hidden));
  std::memcpy(ref.hidden, kRefTag, sizeof(kRefTag));
  std::memcpy(ref.hidden + sizeof(kRefTag), &entry->second, sizeof(UInt32));
}

bool PathOfRef(const FSRef& ref, std::string& path)
{
  if (std::memcmp(ref.hidden, kRefTag, sizeof(kRefTag)) != 0)
    return false;
  UInt32 index = 0;
  std::memcpy(&index, ref.hidden + sizeof(kRefTag), sizeof(UInt32));
  PathTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  if (index >= table.paths.size())
    return false;
  path = table.paths[index];
  return true;
}

}

STANDIN_EXPORT OSErr FSFindFolder(FSVolumeRefNum vRefNum, OSType folderType, Boolean createFolder, FSRef* foundRef)
{
  if (!foundRef)
    return paramErr;
  std::optional<std::string> path = standin::FolderLocator::Locate(vRefNum, folderType);
  if (!path)
    return fnfErr;
  std::error_code error;
  if (!std::filesystem::is_directory(*path, error))
  {
    if (!createFolder || !std::filesystem::create_directories(*path, error))
      return fnfErr;
  }
  MakeRef(*path, *foundRef);
  return noErr;
}

STANDIN_EXPORT OSStatus FSRefMakePath(const FSRef* ref, UInt8* path, UInt32 maxPathSize)
{
  std::string text;
  if (!ref || !path || !PathOfRef(*ref, text))
    return paramErr;
  if (text.size() + 1 > maxPathSize)
    return pathTooLongErr;
  std::memcpy(path, text.c_str(), text.size() + 1);
  return noErr;
}
