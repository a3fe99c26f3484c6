#pragma once

#include "IGraphicsNanoVG.h"

namespace iplug::igraphics {

// The NanoVG back end with fonts found the Linux way: "ttf" resources and paths, bytes, and installed
// families through fontconfig, remembered in the process-wide font descriptor cache (a share of it is held
// for the object's life). The window layer and the off-screen context both draw with it. [ui-thread]
class IGraphicsLinuxFonts : public IGraphicsNanoVG
{
public:
  // A back end for dlg of width x height user units at fps and draw scale.
  IGraphicsLinuxFonts(IGEditorDelegate& dlg, int width, int height, int fps, float scale);
  ~IGraphicsLinuxFonts() override;

protected:
  PlatformFontPtr LoadPlatformFont(const char* fontID, const char* fileNameOrResID) override;
  PlatformFontPtr LoadPlatformFont(const char* fontID, const char* fontName, ETextStyle style) override;
  PlatformFontPtr LoadPlatformFont(const char* fontID, void* pData, int dataSize) override;
  void CachePlatformFont(const char* fontID, const PlatformFontPtr& font) override;
};

} // namespace iplug::igraphics
