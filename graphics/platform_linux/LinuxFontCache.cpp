#include "LinuxFontCache.h"

#include <algorithm>

namespace iplug::igraphics {

LinuxFontCache& LinuxFontCache::Instance()
{
  static LinuxFontCache cache;
  return cache;
}

void LinuxFontCache::Retain()
{
  const std::lock_guard lock(mMutex);
  ++mUsers;
}

void LinuxFontCache::Release()
{
  const std::lock_guard lock(mMutex);
  if (mUsers > 0 && --mUsers == 0)
    mEntries.clear();
}

void LinuxFontCache::CachePlatformFont(const char* fontID, const PlatformFontPtr& font)
{
  const auto* linuxFont = dynamic_cast<const LinuxFont*>(font.get());
  if (!fontID || !linuxFont)
    return;
  const std::lock_guard lock(mMutex);
  const auto cached = std::find_if(mEntries.begin(), mEntries.end(), [&](const Entry& e) { return e.fontID == fontID; });
  if (cached == mEntries.end())
    mEntries.push_back(Entry{fontID, linuxFont->GetLinuxDescriptor()});
}

std::optional<LinuxFontDescriptor> LinuxFontCache::Find(const char* fontID) const
{
  if (!fontID)
    return std::nullopt;
  const std::lock_guard lock(mMutex);
  const auto cached = std::find_if(mEntries.begin(), mEntries.end(), [&](const Entry& e) { return e.fontID == fontID; });
  if (cached == mEntries.end())
    return std::nullopt;
  return cached->descriptor;
}

int LinuxFontCache::Size() const
{
  const std::lock_guard lock(mMutex);
  return static_cast<int>(mEntries.size());
}

} // namespace iplug::igraphics
