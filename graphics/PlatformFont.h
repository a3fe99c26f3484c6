#pragma once

#include "IFontData.h"

#include <memory>

namespace iplug::igraphics {

// What a platform font's descriptor points to is the platform layer's own record (LinuxFontDescriptor
// on Linux); the graphics core only passes it along.
using FontDescriptor = const void*;

// A font the platform layer found (from a file, from bytes or by family and style), before the back end
// registers it. [main-thread]
class PlatformFont
{
public:
  // systemFont: true for a font found by family name among the installed fonts.
  explicit PlatformFont(bool systemFont) : mSystemFont(systemFont) {}
  virtual ~PlatformFont() = default;
  PlatformFont(const PlatformFont&) = delete;
  PlatformFont& operator=(const PlatformFont&) = delete;

  // The platform's descriptor of this font (owned by the font), or null.
  virtual FontDescriptor GetDescriptor() const { return nullptr; }
  // A new copy of the font's bytes with the face to use; null when there are none.
  virtual IFontDataPtr GetFontData() const { return nullptr; }

  // Whether the font was found by family name among the installed fonts.
  bool IsSystem() const { return mSystemFont; }

  // The index of the face whose style name equals styleName in size bytes at data: with an empty or null
  // styleName the first face with a style name; -1 when no face matches or the bytes are no font.
  static int GetFaceIdx(const void* data, int size, const char* styleName);

private:
  bool mSystemFont; // found by family name
};

// An owning pointer to a platform font.
using PlatformFontPtr = std::unique_ptr<PlatformFont>;

} // namespace iplug::igraphics
