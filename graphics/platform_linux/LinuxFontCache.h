#pragma once

#include "LinuxFont.h"

#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace iplug::igraphics {

// The process-wide cache of font descriptors by font id, shared by every graphics context of every
// plug-in in the process: each context retains it while it lives, and the last release empties it.
// Guarded by its own mutex, since contexts of several plug-ins share it. [any-thread]
class LinuxFontCache
{
public:
  // The one cache of the process.
  static LinuxFontCache& Instance();

  // One more graphics context uses the cache.
  void Retain();
  // One graphics context less; the last one empties the cache.
  void Release();

  // Stores a copy of font's descriptor under fontID unless fontID is cached already; null ids, null fonts
  // and fonts that are no LinuxFont are ignored.
  void CachePlatformFont(const char* fontID, const PlatformFontPtr& font);
  // A copy of the descriptor cached under fontID, or nothing.
  std::optional<LinuxFontDescriptor> Find(const char* fontID) const;
  // Number of cached descriptors.
  int Size() const;

private:
  struct Entry
  {
    std::string fontID;             // key
    LinuxFontDescriptor descriptor; // copy of the font's descriptor
  };

  mutable std::mutex mMutex;  // guards everything below
  int mUsers = 0;             // graphics contexts holding the cache
  std::vector<Entry> mEntries; // in insertion order
};

} // namespace iplug::igraphics
