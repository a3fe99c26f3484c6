#pragma once

#include "IGraphicsConstants.h"
#include "PlatformFont.h"

#include <string>
#include <vector>

namespace iplug::igraphics {

// What a Linux font's descriptor points to: where the font came from and its metrics, enough for a
// platform layer to find the same face again (for example for a native text field).
struct LinuxFontDescriptor
{
  std::string family;    // family name of the face (name ID 1), or the family asked for
  std::string style;     // style name of the face (name ID 2)
  std::string path;      // file it was read from, empty for a font made from bytes
  int faceIdx = 0;       // face inside the file
  double emRatio = 1.0;  // units per em / (ascender - descender)
};

// A font on Linux: its own copy of the file's bytes, the face to use and its descriptor. [ui-thread]
class LinuxFont : public PlatformFont
{
public:
  // Takes the bytes; faceIdx is the face to hand out, path the file (or empty) and systemFont whether it
  // was found among the installed fonts. The loaders below only make one over a readable face.
  LinuxFont(std::vector<unsigned char> bytes, int faceIdx, const char* path, bool systemFont);

  // The LinuxFontDescriptor of this font (owned by it).
  FontDescriptor GetDescriptor() const override { return &mDescriptor; }
  // A copy of the bytes with the face index; never null.
  IFontDataPtr GetFontData() const override;

  // The descriptor as its own type.
  const LinuxFontDescriptor& GetLinuxDescriptor() const { return mDescriptor; }

private:
  std::vector<unsigned char> mBytes; // the font file
  LinuxFontDescriptor mDescriptor;   // names, source and metrics of the face
};

// The three ways the platform layer finds a font (LinuxFontCache keeps their descriptors). fontID is
// not needed to find a font on Linux; it is taken so the three calls match the platform layer's.
// [ui-thread]
namespace LinuxFontHelpers {

// The installed family the Linux platform layer loads as the default text font (DEFAULT_FONT): DejaVu
// Sans, open-licensed, from Debian's fonts-dejavu-core, found through fontconfig like any other family.
inline constexpr const char* kDefaultFontFamily = "DejaVu Sans";

// The font in the file at path (already located, e.g. by LocateResource), face 0; null when the file
// cannot be read or holds no readable face.
PlatformFontPtr LoadPlatformFont(const char* fontID, const char* path);

// The installed font of family fontName in style (regular, bold or italic), found through fontconfig;
// null when no installed face of that family has the style.
PlatformFontPtr LoadPlatformFont(const char* fontID, const char* fontName, ETextStyle style);

// A font made from a copy of size bytes at data, face 0; null when they hold no readable face.
PlatformFontPtr LoadPlatformFont(const char* fontID, const void* data, int size);

} // namespace LinuxFontHelpers

} // namespace iplug::igraphics
