#include "IGraphicsLinuxFonts.h"

#include "LinuxFont.h"
#include "LinuxFontCache.h"

namespace iplug::igraphics {

IGraphicsLinuxFonts::IGraphicsLinuxFonts(IGEditorDelegate& dlg, int width, int height, int fps, float scale)
  : IGraphicsNanoVG(dlg, width, height, fps, scale)
{
  LinuxFontCache::Instance().Retain();
}

IGraphicsLinuxFonts::~IGraphicsLinuxFonts()
{
  LinuxFontCache::Instance().Release();
}

PlatformFontPtr IGraphicsLinuxFonts::LoadPlatformFont(const char* fontID, const char* fileNameOrResID)
{
  WDL_String path;
  if (LocateResourceFile(fileNameOrResID, "ttf", path) != kAbsolutePath)
    return nullptr;
  return LinuxFontHelpers::LoadPlatformFont(fontID, path.Get());
}

PlatformFontPtr IGraphicsLinuxFonts::LoadPlatformFont(const char* fontID, const char* fontName, ETextStyle style)
{
  return LinuxFontHelpers::LoadPlatformFont(fontID, fontName, style);
}

PlatformFontPtr IGraphicsLinuxFonts::LoadPlatformFont(const char* fontID, void* pData, int dataSize)
{
  return LinuxFontHelpers::LoadPlatformFont(fontID, pData, dataSize);
}

void IGraphicsLinuxFonts::CachePlatformFont(const char* fontID, const PlatformFontPtr& font)
{
  LinuxFontCache::Instance().CachePlatformFont(fontID, font);
}

} // namespace iplug::igraphics
