#include "LinuxFont.h"

#include <fontconfig/fontconfig.h>

#include <climits>
#include <cstdio>
#include <memory>
#include <new>
#include <string_view>
#include <strings.h>

namespace iplug::igraphics {

LinuxFont::LinuxFont(std::vector<unsigned char> bytes, int faceIdx, const char* path, bool systemFont)
  : PlatformFont(systemFont)
  , mBytes(std::move(bytes))
{
  const IFontInfo info(mBytes.data(), static_cast<int>(mBytes.size()), faceIdx);
  mDescriptor.family = info.GetFamily().Get();
  mDescriptor.style = info.GetStyle().Get();
  mDescriptor.path = path ? path : "";
  mDescriptor.faceIdx = faceIdx;
  mDescriptor.emRatio = info.GetHeightEMRatio();
}

IFontDataPtr LinuxFont::GetFontData() const
{
  return std::make_unique<IFontData>(mBytes.data(), static_cast<int>(mBytes.size()), mDescriptor.faceIdx);
}

namespace {

struct FileCloser
{
  void operator()(std::FILE* file) const { std::fclose(file); }
};

struct PatternDestroyer
{
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};

using PatternPtr = std::unique_ptr<FcPattern, PatternDestroyer>;

// The whole file at path; empty when it cannot be opened, measured or read in full, or is larger than
// the int sizes the font data use.
std::vector<unsigned char> ReadFile(const char* path)
{
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
  if (!file || std::fseek(file.get(), 0, SEEK_END) != 0)
    return {};
  const long size = std::ftell(file.get());
  if (size <= 0 || size > INT_MAX || std::fseek(file.get(), 0, SEEK_SET) != 0)
    return {};
  try
  {
    std::vector<unsigned char> bytes(static_cast<size_t>(size));
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
      return {};
    return bytes;
  }
  catch (const std::bad_alloc&)
  {
    return {};
  }
}

// A font over bytes whose face faceIdx is readable, else null.
PlatformFontPtr MakeFont(std::vector<unsigned char> bytes, int faceIdx, const char* path, bool systemFont)
{
  const IFontInfo info(bytes.data(), static_cast<int>(bytes.size()), faceIdx);
  if (bytes.empty() || !info.IsValid())
    return nullptr;
  return std::make_unique<LinuxFont>(std::move(bytes), faceIdx, path, systemFont);
}

// Whether one of the matched font's family names is family, ignoring case: fontconfig always answers
// with its best guess, which for an unknown family is some other font.
bool HasFamily(FcPattern* match, const char* family)
{
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i)
    if (strcasecmp(reinterpret_cast<const char*>(name), family) == 0)
      return true;
  return false;
}

// Whether the matched face has the style asked for; a regular request takes whatever the family has.
bool HasStyle(FcPattern* match, ETextStyle style)
{
  int value = 0;
  if (style == kTextStyleBold)
    return FcPatternGetInteger(match, FC_WEIGHT, 0, &value) == FcResultMatch && value >= FC_WEIGHT_DEMIBOLD;
  if (style == kTextStyleItalic)
    return FcPatternGetInteger(match, FC_SLANT, 0, &value) == FcResultMatch && value != FC_SLANT_ROMAN;
  return true;
}

} // namespace

namespace LinuxFontHelpers {

PlatformFontPtr LoadPlatformFont([[maybe_unused]] const char* fontID, const char* path)
{
  if (!path || !*path)
    return nullptr;
  return MakeFont(ReadFile(path), 0, path, false);
}

PlatformFontPtr LoadPlatformFont([[maybe_unused]] const char* fontID, const void* data, int size)
{
  if (!data || size <= 0)
    return nullptr;
  const auto* bytes = static_cast<const unsigned char*>(data);
  return MakeFont(std::vector<unsigned char>(bytes, bytes + size), 0, nullptr, false);
}

PlatformFontPtr LoadPlatformFont([[maybe_unused]] const char* fontID, const char* fontName, ETextStyle style)
{
  if (!fontName || !*fontName || !FcInit())
    return nullptr;
  PatternPtr pattern(FcPatternCreate());
  if (!pattern)
    return nullptr;
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(fontName));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, style == kTextStyleBold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, style == kTextStyleItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
  if (!match || result != FcResultMatch || !HasFamily(match.get(), fontName) || !HasStyle(match.get(), style))
    return nullptr;
  FcChar8* file = nullptr;
  int index = 0;
  if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch)
    return nullptr;
  FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
  // The upper 16 bits name an instance of a variable font; the face is in the lower ones.
  const int face = index & 0xFFFF;
  const char* path = reinterpret_cast<const char*>(file);
  return MakeFont(ReadFile(path), face, path, true);
}

} // namespace LinuxFontHelpers

} // namespace iplug::igraphics
