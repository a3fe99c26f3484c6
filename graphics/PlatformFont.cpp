#include "PlatformFont.h"

#include <cstring>

namespace iplug::igraphics {

namespace {

// More faces than any real collection holds: a forged face count cannot keep the search going.
constexpr int kMaxFaces = 4096;

} // namespace

int PlatformFont::GetFaceIdx(const void* data, int size, const char* styleName)
{
  const bool anyStyle = !styleName || !*styleName;
  for (int face = 0; face < kMaxFaces; ++face)
  {
    const IFontInfo info(data, size, face);
    if (!info.IsValid())
      return -1;
    if (info.GetStyle().GetLength() == 0)
      continue;
    if (anyStyle || std::strcmp(info.GetStyle().Get(), styleName) == 0)
      return face;
  }
  return -1;
}

} // namespace iplug::igraphics
