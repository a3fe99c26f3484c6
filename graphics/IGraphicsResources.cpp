#include "IGraphics.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "DensityOrder.h"
#include "SVGHolder.h"

// Finding, loading and caching the bitmaps, SVG documents and fonts of the graphics context.
namespace iplug::igraphics
{

namespace
{
  // The extension of name after its last dot ("" when it has none).
  const char* ExtensionOf(const char* name)
  {
    const char* dot = std::strrchr(name, '.');
    return dot ? dot + 1 : "";
  }
}

IGraphics::CacheShare::CacheShare()
{
  StaticStorage<APIBitmap>::Accessor bitmapLock(SharedBitmapCache());
  StaticStorage<SVGHolder>::Accessor svgLock(SVGCache());
  SharedBitmapCache().Retain();
  SVGCache().Retain();
}

IGraphics::CacheShare::~CacheShare()
{
  StaticStorage<APIBitmap>::Accessor bitmapLock(SharedBitmapCache());
  StaticStorage<SVGHolder>::Accessor svgLock(SVGCache());
  SharedBitmapCache().Release();
  SVGCache().Release();
}

StaticStorage<APIBitmap>& IGraphics::SharedBitmapCache()
{
  static StaticStorage<APIBitmap> cache;
  return cache;
}

StaticStorage<SVGHolder>& IGraphics::SVGCache()
{
  static StaticStorage<SVGHolder> cache;
  return cache;
}

int IGraphics::TargetScale(int targetScale) const
{
  return targetScale > 0 ? targetScale : std::max(1, static_cast<int>(std::ceil(mScreenScale)));
}

EResourceLocation IGraphics::LocateResourceFile(const char* name, const char* type, WDL_String& result)
{
  return LocateResource(name, type, result, GetBundleID(), GetWinModuleHandle(),
                        mResourceSubfolder.GetLength() ? mResourceSubfolder.Get() : "");
}

WDL_TypedBuf<uint8_t> IGraphics::LoadResource(const char* fileNameOrResID, const char* fileType)
{
  WDL_TypedBuf<uint8_t> buffer;
  WDL_String path;
  if (LocateResourceFile(fileNameOrResID, fileType, path) != kAbsolutePath)
    return buffer;
  FILE* file = std::fopen(path.Get(), "rb");
  if (!file)
    return buffer;
  long size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0)
    size = std::ftell(file);
  if (size > 0 && size < INT32_MAX && std::fseek(file, 0, SEEK_SET) == 0 && buffer.Resize(static_cast<int>(size)) &&
      buffer.GetSize() == size)
  {
    if (std::fread(buffer.Get(), 1, static_cast<size_t>(size), file) != static_cast<size_t>(size))
      buffer.Resize(0);
  }
  std::fclose(file);
  return buffer;
}

EResourceLocation IGraphics::SearchImageResource(const char* name, const char* type, WDL_String& result,
                                                 int targetScale, int& sourceScale)
{
  if (!name || !name[0])
    return kNotFound;
  const char* dot = std::strrchr(name, '.');
  const int baseLength = dot ? static_cast<int>(dot - name) : static_cast<int>(std::strlen(name));
  const char* extension = dot ? dot : "";
  for (const int density : DensityOrder(TargetScale(targetScale)))
  {
    WDL_String candidate(name);
    if (density != 1)
      candidate.SetFormatted(static_cast<int>(std::strlen(name)) + 3, "%.*s@%dx%s", baseLength, name, density,
                             extension);
    const EResourceLocation location = LocateResourceFile(candidate.Get(), type, result);
    if (location != kNotFound)
    {
      sourceScale = density;
      return location;
    }
  }
  return kNotFound;
}

APIBitmap* IGraphics::SearchBitmapInCache(const char* name, int targetScale, int& sourceScale)
{
  StaticStorage<APIBitmap>& cache = BitmapCache();
  StaticStorage<APIBitmap>::Accessor lock(cache);
  for (const int density : DensityOrder(TargetScale(targetScale)))
  {
    if (APIBitmap* pBitmap = cache.Find(name, density))
    {
      sourceScale = density;
      return pBitmap;
    }
  }
  return nullptr;
}

void IGraphics::DiscardBitmap(APIBitmap* pBitmap)
{
  StaticStorage<APIBitmap>& cache = BitmapCache();
  StaticStorage<APIBitmap>::Accessor lock(cache);
  if (!cache.Remove(pBitmap))
    delete pBitmap;
}

IBitmap IGraphics::LoadBitmap(const char* name, int nStates, bool framesAreHorizontal, int targetScale)
{
  if (!name || !name[0])
    return IBitmap();
  targetScale = TargetScale(targetScale);
  StaticStorage<APIBitmap>& cache = BitmapCache();
  StaticStorage<APIBitmap>::Accessor lock(cache);
  APIBitmap* pBitmap = cache.Find(name, targetScale);
  if (!pBitmap)
  {
    const char* ext = ExtensionOf(name);
    if (!BitmapExtSupported(ext))
      return IBitmap();
    WDL_String path;
    int sourceScale = 0;
    const EResourceLocation location = SearchImageResource(name, ext, path, targetScale, sourceScale);
    bool fresh = false;
    if (location != kNotFound)
    {
      pBitmap = sourceScale != targetScale ? cache.Find(name, sourceScale) : nullptr;
      if (!pBitmap)
      {
        pBitmap = LoadAPIBitmap(path.Get(), sourceScale, location, ext);
        fresh = pBitmap != nullptr;
      }
    }
    else
      pBitmap = SearchBitmapInCache(name, targetScale, sourceScale);
    if (!pBitmap)
      return IBitmap();
    if (pBitmap->GetScale() != static_cast<float>(targetScale))
    {
      const IBitmap scaled = ScaleBitmap(IBitmap(pBitmap, nStates, framesAreHorizontal, name), name, targetScale);
      if (fresh)
        DiscardBitmap(pBitmap);
      return scaled;
    }
    if (fresh)
      RetainBitmap(IBitmap(pBitmap, nStates, framesAreHorizontal, name), name);
  }
  return IBitmap(pBitmap, nStates, framesAreHorizontal, name);
}

IBitmap IGraphics::LoadBitmap(const char* name, const void* pData, int dataSize, int nStates, bool framesAreHorizontal,
                              int targetScale)
{
  if (!name || !name[0])
    return IBitmap();
  targetScale = TargetScale(targetScale);
  StaticStorage<APIBitmap>& cache = BitmapCache();
  StaticStorage<APIBitmap>::Accessor lock(cache);
  if (APIBitmap* pCached = cache.Find(name, targetScale))
    return IBitmap(pCached, nStates, framesAreHorizontal, name);
  if (!BitmapExtSupported(ExtensionOf(name)))
    return IBitmap();
  int sourceScale = 0;
  if (APIBitmap* pHit = SearchBitmapInCache(name, targetScale, sourceScale))
  {
    if (sourceScale != targetScale)
      return ScaleBitmap(IBitmap(pHit, nStates, framesAreHorizontal, name), name, targetScale);
    return IBitmap(pHit, nStates, framesAreHorizontal, name);
  }
  APIBitmap* pBitmap = LoadAPIBitmap(name, pData, dataSize, 1);
  if (!pBitmap)
    return IBitmap();
  if (targetScale != 1)
  {
    const IBitmap scaled = ScaleBitmap(IBitmap(pBitmap, nStates, framesAreHorizontal, name), name, targetScale);
    DiscardBitmap(pBitmap);
    return scaled;
  }
  const IBitmap bitmap(pBitmap, nStates, framesAreHorizontal, name);
  RetainBitmap(bitmap, name);
  return bitmap;
}

IBitmap IGraphics::ScaleBitmap(const IBitmap& inBitmap, const char* name, int targetScale)
{
  const float savedScreenScale = mScreenScale;
  const float savedDrawScale = mDrawScale;
  mScreenScale = static_cast<float>(targetScale);
  mDrawScale = inBitmap.GetDrawScale();

  const IRECT bounds = IRECT(0.f, 0.f, static_cast<float>(inBitmap.W()) / mDrawScale,
                             static_cast<float>(inBitmap.H()) / mDrawScale).GetPixelAligned(GetBackingPixelScale());
  const int w = static_cast<int>(std::ceil(bounds.W() * GetBackingPixelScale()));
  const int h = static_cast<int>(std::ceil(bounds.H() * GetBackingPixelScale()));
  IBitmap outBitmap;
  if (APIBitmap* pTarget = CreateAPIBitmap(w, h, mScreenScale, mDrawScale, true))
  {
    ILayer layer(pTarget, bounds, nullptr, IRECT());
    PushLayer(&layer);
    DrawBitmap(inBitmap, bounds, 0, 0, nullptr);
    PopLayer();
    outBitmap = IBitmap(layer.ReleaseAPIBitmap(), inBitmap.N(), inBitmap.GetFramesAreHorizontal(), name);
    RetainBitmap(outBitmap, name);
  }
  mScreenScale = savedScreenScale;
  mDrawScale = savedDrawScale;
  return outBitmap;
}

void IGraphics::RetainBitmap(const IBitmap& bitmap, const char* cacheName)
{
  APIBitmap* pBitmap = bitmap.GetAPIBitmap();
  if (!pBitmap)
    return;
  StaticStorage<APIBitmap>& cache = BitmapCache();
  StaticStorage<APIBitmap>::Accessor lock(cache);
  if (!cache.Contains(pBitmap))
    cache.Add(pBitmap, cacheName, pBitmap->GetScale());
}

void IGraphics::ReleaseBitmap(const IBitmap& bitmap)
{
  StaticStorage<APIBitmap>& cache = BitmapCache();
  StaticStorage<APIBitmap>::Accessor lock(cache);
  cache.Remove(bitmap.GetAPIBitmap());
}

IBitmap IGraphics::GetScaledBitmap(IBitmap& inBitmap)
{
  return LoadBitmap(inBitmap.GetResourceName().Get(), inBitmap.N(), inBitmap.GetFramesAreHorizontal(),
                    TargetScale(0));
}

ISVG IGraphics::LoadSVG(const char* fileNameOrResID, const char* units, float dpi)
{
  if (!fileNameOrResID || !fileNameOrResID[0])
    return ISVG();
  StaticStorage<SVGHolder>& cache = SVGCache();
  StaticStorage<SVGHolder>::Accessor lock(cache);
  if (SVGHolder* pHolder = cache.Find(fileNameOrResID))
    return ISVG(pHolder->GetImage());
  WDL_TypedBuf<uint8_t> bytes = LoadResource(fileNameOrResID, "svg");
  if (bytes.GetSize() == 0)
    return ISVG();
  return LoadSVG(fileNameOrResID, bytes.Get(), bytes.GetSize(), units, dpi);
}

ISVG IGraphics::LoadSVG(const char* name, const void* pData, int dataSize, const char* units, float dpi)
{
  if (!name)
    return ISVG();
  StaticStorage<SVGHolder>& cache = SVGCache();
  StaticStorage<SVGHolder>::Accessor lock(cache);
  if (SVGHolder* pHolder = cache.Find(name))
    return ISVG(pHolder->GetImage());
  if (!pData || dataSize <= 0)
    return ISVG();
  const char* bytes = static_cast<const char*>(pData);
  std::vector<char> text(bytes, bytes + strnlen(bytes, static_cast<size_t>(dataSize)));
  text.push_back('\0');
  NSVGimage* pImage = nsvgParse(text.data(), units ? units : "px", dpi);
  if (!pImage)
    return ISVG();
  cache.Add(new SVGHolder(pImage), name);
  return ISVG(pImage);
}

bool IGraphics::RegisterPlatformFont(const char* fontID, const PlatformFontPtr& font)
{
  if (!font)
    return false;
  if (!LoadAPIFont(fontID, font))
    return false;
  CachePlatformFont(fontID, font);
  return true;
}

bool IGraphics::LoadFont(const char* fontID, const char* fileNameOrResID)
{
  PlatformFontPtr font = LoadPlatformFont(fontID, fileNameOrResID);
  return RegisterPlatformFont(fontID, font);
}

bool IGraphics::LoadFont(const char* fontID, void* pData, int dataSize)
{
  PlatformFontPtr font = LoadPlatformFont(fontID, pData, dataSize);
  return RegisterPlatformFont(fontID, font);
}

bool IGraphics::LoadFont(const char* fontID, const char* fontName, ETextStyle style)
{
  PlatformFontPtr font = LoadPlatformFont(fontID, fontName, style);
  return RegisterPlatformFont(fontID, font);
}

} // namespace iplug::igraphics
