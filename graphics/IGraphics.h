#pragma once

#include <functional>
#include <memory>
#include <stack>
#include <unordered_map>
#include <vector>

#include "IBitmap.h"
#include "IBlend.h"
#include "IColor.h"
#include "IGestureInfo.h"
#include "IGraphicsConstants.h"
#include "IKeyPress.h"
#include "ILayer.h"
#include "IMatrix.h"
#include "IMouseInfo.h"
#include "IPattern.h"
#include "IPlugMidi.h"
#include "IPopupMenu.h"
#include "IRECT.h"
#include "IRECTList.h"
#include "IShadow.h"
#include "IStrokeOptions.h"
#include "ISVG.h"
#include "IText.h"
#include "LocateResource.h"
#include "PlatformFont.h"
#include "StaticStorage.h"
#include "WDL_HeapBuf.h"
#include "WDL_PtrList.h"
#include "WDL_String.h"

struct NSVGpaint;

namespace iplug::igraphics
{

class IControl;
class IGEditorDelegate;
class ICornerResizerControl;
class IBubbleControl;
class IFPSDisplayControl;
class IPopupMenuControl;
class ITextEntryControl;
class SVGHolder;
struct IVStyle;

// Called for each control a visit reaches.
using IControlFunction = std::function<void(IControl* pControl)>;
// Editor-wide key handler: (key, is key-up) -> handled.
using IKeyHandlerFunc = std::function<bool(const IKeyPress& key, bool isUp)>;
// Called with no control (null) or the control under a gesture, and the gesture.
using IGestureRegionFunc = std::function<void(IControl* pCaller, const IGestureInfo& info)>;
// Receives a copy of every MIDI message the computer-keyboard MIDI keyboard sends.
using IMidiKeyFunc = std::function<void(const IMidiMsg& msg)>;
// Called with the result of a message box.
using IMsgBoxCompletionHandlerFunc = std::function<void(EMsgBoxResult result)>;
// Called with the colour picked in a colour chooser.
using IColorPickerHandlerFunc = std::function<void(const IColor& color)>;

// The graphics context of one open editor: owns the controls and a handful of special controls,
// decides each frame which regions must be redrawn and draws the controls that touch them, routes
// pointer, wheel and key events to them, and tracks the editor's logical size, draw scale and
// screen scale. Abstract: the drawing back end derives from it and the platform layer from that.
// Everything runs on the main (UI) thread; only the resource caches are shared between contexts.
class IGraphics
{
public:
  // Tag of a control that has none.
  static constexpr int kNoTag = -1;

  // A context of width x height user units at the given frame rate and draw scale for dlg (not owned).
  IGraphics(IGEditorDelegate& dlg, int width, int height, int fps = 60, float scale = 1.f);
  // Destroys every control and releases this context's share of the resource caches.
  virtual ~IGraphics();
  IGraphics(const IGraphics&) = delete;
  IGraphics& operator=(const IGraphics&) = delete;

  // ---- Frame and view, implemented by the back end [main-thread] ----

  // Starts a frame; the base feeds the frame-time display.
  virtual void BeginFrame();
  // The native view exists; pView is the platform's view object.
  virtual void OnViewInitialized(void* /*pView*/) {}
  // The native view is about to go.
  virtual void OnViewDestroyed() {}
  // Ends a frame.
  virtual void EndFrame() {}

  // ---- Back-end primitives [main-thread] ----

  // Draws the source rectangle of bitmap at (srcX, srcY) pixels into dest (user units).
  virtual void DrawBitmap(const IBitmap& bitmap, const IRECT& dest, int srcX, int srcY, const IBlend* pBlend = nullptr) = 0;
  // Colour of the drawn pixel at (x, y).
  virtual IColor GetPoint(int x, int y) = 0;
  // The back end's drawing context (opaque, not owned).
  virtual void* GetDrawContext() = 0;
  // Name of the drawing back end.
  virtual const char* GetDrawingAPIStr() = 0;
  // Whether the back end decodes bitmaps with that file extension.
  virtual bool BitmapExtSupported(const char* ext) = 0;
  // A drop shadow between inner and outer, offset by xyDrop, with corner roundness and blur; the base draws none.
  virtual void DrawFastDropShadow(const IRECT& /*innerBounds*/, const IRECT& /*outerBounds*/, float /*xyDrop*/ = 5.f,
                                  float /*roundness*/ = 0.f, float /*blur*/ = 10.f, IBlend* /*pBlend*/ = nullptr)
  {
  }
  // Copies the layer's pixels (RGBA, device pixels) into data.
  virtual void GetLayerBitmapData(const ILayerPtr& layer, WDL_TypedBuf<unsigned char>& data) = 0;
  // Replaces the layer's pixels with the shadow cast by mask.
  virtual void ApplyShadowMask(ILayerPtr& layer, WDL_TypedBuf<unsigned char>& mask, const IShadow& shadow) = 0;
  // Binds the layer on top of the layer stack (or the main frame) as the drawing target; the base does nothing.
  virtual void UpdateLayer() {}
  // Starts a new path.
  virtual void PathClear() = 0;
  // Closes the current sub-path.
  virtual void PathClose() = 0;
  // Adds an arc of radius r around (cx, cy) from angle a1 to a2 (degrees, 0 up, clockwise).
  virtual void PathArc(float cx, float cy, float r, float a1, float a2, EWinding winding = kWindingCW) = 0;
  // Starts a sub-path at (x, y).
  virtual void PathMoveTo(float x, float y) = 0;
  // Adds a line to (x, y).
  virtual void PathLineTo(float x, float y) = 0;
  // Marks the next sub-path as a hole (clockwise) or solid; the base ignores it.
  virtual void PathSetWinding(bool /*clockwise*/) {}
  // Adds a cubic Bezier curve to (x2, y2).
  virtual void PathCubicBezierTo(float c1x, float c1y, float c2x, float c2y, float x2, float y2) = 0;
  // Adds a quadratic Bezier curve to (x2, y2).
  virtual void PathQuadraticBezierTo(float cx, float cy, float x2, float y2) = 0;
  // Strokes the path with pattern, thickness in user units.
  virtual void PathStroke(const IPattern& pattern, float thickness, const IStrokeOptions& options = IStrokeOptions(),
                          const IBlend* pBlend = nullptr) = 0;
  // Fills the path with pattern.
  virtual void PathFill(const IPattern& pattern, const IFillOptions& options = IFillOptions(), const IBlend* pBlend = nullptr) = 0;
  // Hands the path transform to the back end.
  virtual void PathTransformSetMatrix(const IMatrix& matrix) = 0;
  // Called after a region's controls were drawn; the base does nothing.
  virtual void CompleteRegion(const IRECT& /*bounds*/) {}
  // Restricts drawing to r (user units).
  virtual void SetClipRegion(const IRECT& r) = 0;
  // Measures str in text into bounds (the back end's text engine); returns the width.
  virtual float DoMeasureText(const IText& text, const char* str, IRECT& bounds) const = 0;
  // Draws str in text within bounds.
  virtual void DoDrawText(const IText& text, const char* str, const IRECT& bounds, const IBlend* pBlend) = 0;
  // Byte index of alpha within a pixel of layer data.
  virtual int AlphaChannel() const = 0;
  // Whether layer data rows run bottom-up.
  virtual bool FlippedBitmap() const = 0;
  // Whether every resource the back end loads lazily has arrived; always true here.
  virtual bool AssetsLoaded() { return true; }
  // Recreates size-dependent drawing resources; the base does nothing.
  virtual void DrawResize() {}

  // ---- Resources: locating, loading and caching bitmaps, SVGs and fonts [main-thread] ----

  // Re-renders inBitmap at pixel density targetScale into a new bitmap retained under name (the cache owns it).
  virtual IBitmap ScaleBitmap(const IBitmap& inBitmap, const char* name, int targetScale);
  // Caches bitmap's back-end bitmap under (cacheName, its density) unless it is cached already; the cache owns it.
  virtual void RetainBitmap(const IBitmap& bitmap, const char* cacheName);
  // Removes bitmap's back-end bitmap from the cache and deletes it.
  virtual void ReleaseBitmap(const IBitmap& bitmap);
  // Registers the font file fileNameOrResID (a "ttf" resource or a path) as fontID; false when it cannot be used.
  virtual bool LoadFont(const char* fontID, const char* fileNameOrResID);
  // Registers a font from dataSize bytes at pData (copied) as fontID; false when they hold no usable font.
  virtual bool LoadFont(const char* fontID, void* pData, int dataSize);
  // The bitmap name (nStates frames) at pixel density targetScale (0: the screen's, rounded up), found by the
  // density search and shared through the bitmap cache; invalid when nothing usable is found.
  virtual IBitmap LoadBitmap(const char* name, int nStates = 1, bool framesAreHorizontal = false, int targetScale = 0);
  // The same from dataSize encoded bytes at pData (a density-1 image), cached under name.
  virtual IBitmap LoadBitmap(const char* name, const void* pData, int dataSize, int nStates = 1,
                             bool framesAreHorizontal = false, int targetScale = 0);
  // The SVG resource fileNameOrResID parsed with units and dpi, cached (the cache owns it); invalid when missing or unparsable.
  virtual ISVG LoadSVG(const char* fileNameOrResID, const char* units = "px", float dpi = 72.f);
  // The SVG document in dataSize bytes at pData (up to a NUL byte), cached under name; invalid (and nothing cached) on a parse failure.
  virtual ISVG LoadSVG(const char* name, const void* pData, int dataSize, const char* units = "px", float dpi = 72.f);
  // The whole file of resource fileNameOrResID with extension fileType; empty when missing, unreadable or short.
  virtual WDL_TypedBuf<uint8_t> LoadResource(const char* fileNameOrResID, const char* fileType);
  // Registers the installed font of family fontName in style as fontID; false when there is none.
  bool LoadFont(const char* fontID, const char* fontName, ETextStyle style);
  // inBitmap's resource loaded again at the screen's density (rounded up).
  IBitmap GetScaledBitmap(IBitmap& inBitmap);
  // Locates name (or name@<d>x for density d) in the density order of targetScale; sourceScale receives the density found.
  EResourceLocation SearchImageResource(const char* name, const char* type, WDL_String& result, int targetScale,
                                        int& sourceScale);
  // The cached bitmap name at the first density of targetScale's order that is cached (sourceScale receives it), or null.
  APIBitmap* SearchBitmapInCache(const char* name, int targetScale, int& sourceScale);
  // Names the folder under the user's music folder that holds shared resources.
  void SetSharedResourcesSubPath(const char* subPath) { mResourceSubfolder.Set(subPath); }
  // The process-wide bitmap cache of the graphics core.
  static StaticStorage<APIBitmap>& SharedBitmapCache();
  // The process-wide SVG cache (documents always at scale 1).
  static StaticStorage<SVGHolder>& SVGCache();

protected:
  // The back end's bitmap decoded from the file fileNameOrResID found at location, for pixel density scale;
  // null when it cannot be decoded (the base decodes nothing).
  virtual APIBitmap* LoadAPIBitmap(const char* /*fileNameOrResID*/, int /*scale*/, EResourceLocation /*location*/,
                                   const char* /*ext*/)
  {
    return nullptr;
  }
  // The back end's bitmap decoded from dataSize bytes at pData, for pixel density scale; null when undecodable.
  virtual APIBitmap* LoadAPIBitmap(const char* /*name*/, const void* /*pData*/, int /*dataSize*/, int /*scale*/)
  {
    return nullptr;
  }
  // A new transparent render target of width x height device pixels made at scale and drawScale; null when the
  // back end cannot draw off-screen.
  virtual APIBitmap* CreateAPIBitmap(int /*width*/, int /*height*/, float /*scale*/, double /*drawScale*/,
                                     bool /*cacheable*/ = false)
  {
    return nullptr;
  }
  // Registers font with the back end's text engine under fontID; false when it cannot (the base never can).
  virtual bool LoadAPIFont(const char* /*fontID*/, const PlatformFontPtr& /*font*/) { return false; }
  // The platform's font in file fileNameOrResID; null when there is none (the base finds none).
  virtual PlatformFontPtr LoadPlatformFont(const char* /*fontID*/, const char* /*fileNameOrResID*/) { return nullptr; }
  // The platform's font made from dataSize bytes at pData; null when they hold none.
  virtual PlatformFontPtr LoadPlatformFont(const char* /*fontID*/, void* /*pData*/, int /*dataSize*/) { return nullptr; }
  // The installed font of family fontName in style; null when there is none.
  virtual PlatformFontPtr LoadPlatformFont(const char* /*fontID*/, const char* /*fontName*/, ETextStyle /*style*/)
  {
    return nullptr;
  }
  // Lets the platform layer remember font under fontID (for its own text fields); the base keeps nothing.
  virtual void CachePlatformFont(const char* /*fontID*/, const PlatformFontPtr& /*font*/) {}
  // The cache LoadBitmap, RetainBitmap and ReleaseBitmap use: the process-wide one unless the back end keeps its own.
  virtual StaticStorage<APIBitmap>& BitmapCache() { return SharedBitmapCache(); }
  // targetScale, or the screen's density rounded up when it is 0 or less.
  int TargetScale(int targetScale) const;
  // LocateResource with this context's bundle identifier, module and shared-resources folder.
  EResourceLocation LocateResourceFile(const char* name, const char* type, WDL_String& result);
  // Deletes pBitmap, through the cache when the cache holds it.
  void DiscardBitmap(APIBitmap* pBitmap);
  // Registers font under fontID with the back end and caches it with the platform layer.
  bool RegisterPlatformFont(const char* fontID, const PlatformFontPtr& font);

private:
  // This context's share of the process-wide bitmap and SVG caches, held for its whole life: taken at
  // construction, given back after the controls are gone; the last context empties both caches. The
  // bitmap-cache lock is taken first.
  class CacheShare
  {
  public:
    CacheShare();
    ~CacheShare();
    CacheShare(const CacheShare&) = delete;
    CacheShare& operator=(const CacheShare&) = delete;
  };
  CacheShare mCacheShare;

public:

  // ---- Drawing operations, written on the back-end primitives [main-thread] ----
  // Coordinates are user units, angles degrees (0 up, clockwise); a null IBlend* is source-over at weight 1.

  // Draws svg scaled uniformly to fit bounds, anchored at its top-left corner; an invalid one draws nothing.
  virtual void DrawSVG(const ISVG& svg, const IRECT& bounds, const IBlend* pBlend = nullptr);
  // Draws svg fitted into width x height centred on (destCentreX, destCentreY), rotated by angle.
  virtual void DrawRotatedSVG(const ISVG& svg, float destCentreX, float destCentreY, float width, float height,
                              double angle, const IBlend* pBlend = nullptr);
  // Stretches the whole bitmap (every frame) into bounds.
  virtual void DrawFittedBitmap(const IBitmap& bitmap, const IRECT& bounds, const IBlend* pBlend = nullptr);
  // Draws bitmap centred on (destCentreX, destCentreY), rotated by angle.
  virtual void DrawRotatedBitmap(const IBitmap& bitmap, float destCentreX, float destCentreY, double angle,
                                 const IBlend* pBlend = nullptr);
  // Fills the one-unit square at (x, y).
  virtual void DrawPoint(const IColor& color, float x, float y, const IBlend* pBlend = nullptr);
  // Strokes the line (x1, y1)-(x2, y2), thickness in user units.
  virtual void DrawLine(const IColor& color, float x1, float y1, float x2, float y2, const IBlend* pBlend = nullptr,
                        float thickness = 1.f);
  // Strokes the line in dashes of dashLen.
  virtual void DrawDottedLine(const IColor& color, float x1, float y1, float x2, float y2,
                              const IBlend* pBlend = nullptr, float thickness = 1.f, float dashLen = 2.f);
  // Strokes the triangle.
  virtual void DrawTriangle(const IColor& color, float x1, float y1, float x2, float y2, float x3, float y3,
                            const IBlend* pBlend = nullptr, float thickness = 1.f);
  // Strokes the rectangle.
  virtual void DrawRect(const IColor& color, const IRECT& bounds, const IBlend* pBlend = nullptr, float thickness = 1.f);
  // Strokes the rectangle with round corners of cornerRadius.
  virtual void DrawRoundRect(const IColor& color, const IRECT& bounds, float cornerRadius = 5.f,
                             const IBlend* pBlend = nullptr, float thickness = 1.f);
  // Strokes the rectangle with corner radii top-left, top-right, bottom-left, bottom-right.
  virtual void DrawRoundRect(const IColor& color, const IRECT& bounds, float cRTL, float cRTR, float cRBL, float cRBR,
                             const IBlend* pBlend = nullptr, float thickness = 1.f);
  // Strokes the arc of radius r around (cx, cy) from a1 to a2, clockwise.
  virtual void DrawArc(const IColor& color, float cx, float cy, float r, float a1, float a2,
                       const IBlend* pBlend = nullptr, float thickness = 1.f);
  // Strokes the circle.
  virtual void DrawCircle(const IColor& color, float cx, float cy, float r, const IBlend* pBlend = nullptr,
                          float thickness = 1.f);
  // Strokes the ellipse inscribed in bounds.
  virtual void DrawEllipse(const IColor& color, const IRECT& bounds, const IBlend* pBlend = nullptr,
                           float thickness = 1.f);
  // Strokes the ellipse centred on (x, y) with radii r1, r2, rotated by angle; nothing for a radius <= 0.
  virtual void DrawEllipse(const IColor& color, float x, float y, float r1, float r2, float angle = 0.f,
                           const IBlend* pBlend = nullptr, float thickness = 1.f);
  // Strokes the closed polygon through nPoints points.
  virtual void DrawConvexPolygon(const IColor& color, float* x, float* y, int nPoints, const IBlend* pBlend = nullptr,
                                 float thickness = 1.f);
  // Strokes the rectangle in dashes of dashLen.
  virtual void DrawDottedRect(const IColor& color, const IRECT& bounds, const IBlend* pBlend = nullptr,
                              float thickness = 1.f, float dashLen = 2.f);
  // Fills the triangle.
  virtual void FillTriangle(const IColor& color, float x1, float y1, float x2, float y2, float x3, float y3,
                            const IBlend* pBlend = nullptr);
  // Fills the rectangle.
  virtual void FillRect(const IColor& color, const IRECT& bounds, const IBlend* pBlend = nullptr);
  // Fills the rectangle with round corners of cornerRadius.
  virtual void FillRoundRect(const IColor& color, const IRECT& bounds, float cornerRadius = 5.f,
                             const IBlend* pBlend = nullptr);
  // Fills the rectangle with corner radii top-left, top-right, bottom-left, bottom-right.
  virtual void FillRoundRect(const IColor& color, const IRECT& bounds, float cRTL, float cRTR, float cRBL, float cRBR,
                             const IBlend* pBlend = nullptr);
  // Fills the circle.
  virtual void FillCircle(const IColor& color, float cx, float cy, float r, const IBlend* pBlend = nullptr);
  // Fills the ellipse inscribed in bounds.
  virtual void FillEllipse(const IColor& color, const IRECT& bounds, const IBlend* pBlend = nullptr);
  // Fills the ellipse centred on (x, y) with radii r1, r2, rotated by angle.
  virtual void FillEllipse(const IColor& color, float x, float y, float r1, float r2, float angle = 0.f,
                           const IBlend* pBlend = nullptr);
  // Fills the pie slice of radius r around (cx, cy) from a1 to a2.
  virtual void FillArc(const IColor& color, float cx, float cy, float r, float a1, float a2,
                       const IBlend* pBlend = nullptr);
  // Fills the convex polygon through nPoints points.
  virtual void FillConvexPolygon(const IColor& color, float* x, float* y, int nPoints, const IBlend* pBlend = nullptr);
  // Sets bounds to the rectangle str would cover drawn in bounds with text; returns its width (0 for no text).
  virtual float MeasureText(const IText& text, const char* str, IRECT& bounds) const;
  // Strokes grid lines every gridSizeH / gridSizeV inside bounds (none on its edges; none for spacings <= 1).
  virtual void DrawGrid(const IColor& color, const IRECT& bounds, float gridSizeH, float gridSizeV,
                        const IBlend* pBlend = nullptr, float thickness = 1.f);
  // Strokes nPoints normalised values across bounds (x positions normalised too when normXPoints is given).
  virtual void DrawData(const IColor& color, const IRECT& bounds, float* normYPoints, int nPoints,
                        float* normXPoints = nullptr, const IBlend* pBlend = nullptr, float thickness = 1.f);

  // Draws frame (from 1, clamped to the strip) of bitmap into bounds.
  void DrawBitmap(const IBitmap& bitmap, const IRECT& bounds, int frame = 1, const IBlend* pBlend = nullptr);
  // Draws str with the bitmap font (frame k + 1 holds character 32 + k) of charWidth x charHeight cells.
  void DrawBitmapedText(const IBitmap& bitmap, const IRECT& bounds, IText& text, IBlend* pBlend, const char* str,
                        bool vCenter = true, bool multiline = false, int charWidth = 6, int charHeight = 12,
                        int charOffset = 0);
  // Strokes the radial line at angle from radius rMin to rMax around (cx, cy).
  void DrawRadialLine(const IColor& color, float cx, float cy, float angle, float rMin, float rMax,
                      const IBlend* pBlend = nullptr, float thickness = 1.f);
  // Strokes a vertical line at normalised x (clamped to 0-1, offset truncated to whole units) across bounds.
  void DrawVerticalLine(const IColor& color, const IRECT& bounds, float x, const IBlend* pBlend = nullptr,
                        float thickness = 1.f);
  // Strokes the vertical line at xi from yLo to yHi.
  void DrawVerticalLine(const IColor& color, float xi, float yLo, float yHi, const IBlend* pBlend = nullptr,
                        float thickness = 1.f);
  // Strokes a horizontal line at normalised y (clamped to 0-1, from the bottom) across bounds.
  void DrawHorizontalLine(const IColor& color, const IRECT& bounds, float y, const IBlend* pBlend = nullptr,
                          float thickness = 1.f);
  // Strokes the horizontal line at yi from xLo to xHi.
  void DrawHorizontalLine(const IColor& color, float yi, float xLo, float xHi, const IBlend* pBlend = nullptr,
                          float thickness = 1.f);
  // Draws str with text aligned in bounds; nothing for a null or empty string.
  void DrawText(const IText& text, const char* str, const IRECT& bounds, const IBlend* pBlend = nullptr);
  // Draws str with text anchored at (x, y).
  void DrawText(const IText& text, const char* str, float x, float y, const IBlend* pBlend = nullptr);
  // For rotated text: replaces rect by the bounding box of its rotated corners and gives the offset (tx, ty)
  // that realigns it in bounds; nothing changes at angle 0.
  void CalculateTextRotation(const IText& text, const IRECT& bounds, IRECT& rect, double& tx, double& ty) const;
  // Applies CalculateTextRotation to rect and moves it by the offset.
  void DoMeasureTextRotation(const IText& text, const IRECT& bounds, IRECT& rect) const;

  // Moves the path origin by (x, y).
  void PathTransformTranslate(float x, float y);
  // Scales the path transform by (sx, sy).
  void PathTransformScale(float sx, float sy);
  // Scales the path transform by s in both directions.
  void PathTransformScale(float s);
  // Rotates the path transform by degrees (clockwise on screen).
  void PathTransformRotate(float degrees);
  // Skews the path transform by the two angles in degrees.
  void PathTransformSkew(float xAngle, float yAngle);
  // Multiplies matrix into the path transform (applied first).
  void PathTransformMatrix(const IMatrix& matrix);
  // Clips to r within the current layer or control clip (r empty: that whole area), in untransformed units.
  void PathClipRegion(const IRECT r = IRECT());
  // Adds the rectangle as a closed sub-path.
  void PathRect(const IRECT& bounds);
  // Adds the rectangle with round corners of cornerRadius.
  void PathRoundRect(const IRECT& bounds, float cornerRadius = 0.f);
  // Adds the rectangle with corner radii top-left, top-right, bottom-left, bottom-right (all <= 0: plain rectangle).
  void PathRoundRect(const IRECT& bounds, float cRTL, float cRTR, float cRBL, float cRBR);
  // Adds the circle.
  void PathCircle(float cx, float cy, float r);
  // Adds the ellipse inscribed in bounds.
  void PathEllipse(const IRECT& bounds);
  // Adds the ellipse centred on (x, y) with radii r1, r2, rotated by angle; nothing for a radius <= 0.
  void PathEllipse(float x, float y, float r1, float r2, float angle = 0.f);
  // Adds the closed polygon through nPoints points.
  void PathConvexPolygon(float* x, float* y, int nPoints);
  // Adds the closed triangle.
  void PathTriangle(float x1, float y1, float x2, float y2, float x3, float y3);
  // Adds the radial line at angle from rMin to rMax around (cx, cy).
  void PathRadialLine(float cx, float cy, float angle, float rMin, float rMax);

  // Starts drawing into a new layer over r (pixel-aligned) for pControl (may be null); cacheable is a hint.
  void StartLayer(IControl* pControl, const IRECT& r, bool cacheable = false);
  // Ends the top layer and hands it to the caller (null when none).
  ILayerPtr EndLayer();
  // Draws into layer again (ownership moves onto the layer stack until EndLayer).
  void ResumeLayer(ILayerPtr& layer);
  // Whether layer's pixels can be drawn as they are: valid, its control unmoved and made at the current scales.
  bool CheckLayer(const ILayerPtr& layer);
  // Draws layer over its own area.
  void DrawLayer(const ILayerPtr& layer, const IBlend* pBlend = nullptr);
  // Draws layer stretched into bounds.
  void DrawFittedLayer(const ILayerPtr& layer, const IRECT& bounds, const IBlend* pBlend = nullptr);
  // Draws layer rotated by angle about the centre of its area.
  void DrawRotatedLayer(const ILayerPtr& layer, double angle);
  // Replaces layer's pixels with its content over (or instead of) its blurred, offset shadow.
  void ApplyLayerDropShadow(ILayerPtr& layer, const IShadow& shadow);
  // Redirects drawing into pLayer (not owned while pushed) with identity transform and its area as clip.
  void PushLayer(ILayer* pLayer);
  // Returns drawing to the layer below (or the main frame); the popped layer (not owned), or null.
  ILayer* PopLayer();
  // The fill or stroke pattern of an SVG paint at opacity.
  static IPattern GetSVGPattern(const NSVGpaint& paint, float opacity);

protected:
  // Draws svg's visible shapes through the path operations.
  void DoDrawSVG(const ISVG& svg, const IBlend* pBlend = nullptr);
  // Blurs the alpha byte (at alphaOffset) of width x height RGBA pixels with the symmetric kernel, rows then columns.
  static void BlurAlpha(unsigned char* pixels, int width, int height, int alphaOffset,
                        const std::vector<unsigned char>& kernel, int norm);

public:

  // ---- Platform operations, implemented by the platform layer [main-thread] ----

  // Embeds a native view for the editor in pParent; the base does nothing.
  virtual void AttachPlatformView(const IRECT& /*r*/, void* /*pView*/) {}
  // Removes an embedded native view; the base does nothing.
  virtual void RemovePlatformView(void* /*pView*/) {}
  // The pointer position in user units.
  virtual void GetMouseLocation(float& x, float& y) const = 0;
  // Hides (and with lock, pins) or shows the pointer.
  virtual void HideMouseCursor(bool hide = true, bool lock = true) = 0;
  // Moves the pointer to (x, y) user units.
  virtual void MoveMouseCursor(float x, float y) = 0;
  // Shows cursor kind cursorType; returns the previous kind (the base only remembers it).
  virtual ECursor SetMouseCursor(ECursor cursorType = kCursorArrow);
  // Ends a platform text entry in progress.
  virtual void ForceEndUserEdit() = 0;
  // Opens the editor inside pParent; returns the native view (owned by the context) or null.
  virtual void* OpenWindow(void* pParent) = 0;
  // Closes the editor window.
  virtual void CloseWindow() = 0;
  // The native view, or null while closed.
  virtual void* GetWindow() = 0;
  // Whether a native view exists.
  virtual bool WindowIsOpen() { return GetWindow() != nullptr; }
  // Reads text from the clipboard; false when there is none.
  virtual bool GetTextFromClipboard(WDL_String& str) = 0;
  // Puts text on the clipboard; false on failure.
  virtual bool SetTextInClipboard(const char* str) = 0;
  // Applies the controls' tooltips to the view.
  virtual void UpdateTooltips() = 0;
  // Shows a message box; returns the result (also handed to completion when set).
  virtual EMsgBoxResult ShowMessageBox(const char* str, const char* caption, EMsgBoxType type,
                                       IMsgBoxCompletionHandlerFunc completion = nullptr) = 0;
  // Asks for a file; fileName becomes the chosen path (empty when cancelled) and path its folder.
  virtual void PromptForFile(WDL_String& fileName, WDL_String& path, EFileAction action = kFileOpen,
                             const char* ext = "") = 0;
  // Asks for a folder; dir becomes the chosen one (empty when cancelled).
  virtual void PromptForDirectory(WDL_String& dir) = 0;
  // Asks for a colour; true when one was chosen.
  virtual bool PromptForColor(IColor& color, const char* str = "", IColorPickerHandlerFunc func = nullptr) = 0;
  // Opens url (with optional window title, confirmation text and error text); true on success.
  virtual bool OpenURL(const char* url, const char* msgWindowTitle = nullptr, const char* confirmMsg = nullptr,
                       const char* errMsgOnFailure = nullptr) = 0;
  // Name of the platform layer.
  virtual const char* GetPlatformAPIStr() { return ""; }
  // Shows path in the file manager (select: the item itself, else its folder); false by default.
  virtual bool RevealPathInExplorerOrFinder(WDL_String& /*path*/, bool /*select*/ = false) { return false; }
  // Module handle on platforms that have one; unused here.
  virtual void SetWinModuleHandle(void* /*pInstance*/) {}
  // Module handle; null here.
  virtual void* GetWinModuleHandle() { return nullptr; }
  // Converts view coordinates to screen coordinates; the base leaves them.
  virtual void ClientToScreen(float& /*x*/, float& /*y*/) {}
  // The bundle identifier used to find resources.
  virtual const char* GetBundleID() { return ""; }
  // Makes the drawing context current; the base does nothing.
  virtual void ActivateGLContext() {}
  // Releases the drawing context; the base does nothing.
  virtual void DeactivateGLContext() {}
  // Opens a platform text field for parameter paramIdx (or -1) with text, bounds, maximum length and initial text.
  virtual void CreatePlatformTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length,
                                       const char* str) = 0;
  // Shows menu at bounds; returns the menu with its choice when answered at once (isAsync false), null otherwise.
  virtual IPopupMenu* CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync) = 0;
  // Whether the platform delivers several touches; false here.
  virtual bool PlatformSupportsMultiTouch() const { return false; }
  // Device pixels of the platform window per user unit beyond the draw scale.
  virtual float GetPlatformWindowScale() const { return 1.f; }
  // Creates an immediate-mode overlay; none here.
  virtual void CreatePlatformImGui() {}
  // Makes the platform window follow the size; parentHasResized tells whether the host already did.
  virtual void PlatformResize(bool /*parentHasResized*/) {}
  // Light or dark appearance of the desktop.
  virtual EUIAppearance GetUIAppearance() const { return kAppearanceLight; }

  // ---- Control tree [main-thread] ----

  // Takes ownership of pControl and appends it, tagged ctrlTag (>= 0) and grouped; null (control destroyed) when the tag is taken.
  IControl* AttachControl(IControl* pControl, int ctrlTag = kNoTag, const char* group = "");
  // Inserts pControl at index 0 (drawn first) and links it to the delegate.
  void AttachBackgroundControl(IControl* pControl);
  // Inserts an IBitmapControl showing the bitmap resource name at (0, 0) at index 0.
  void AttachBackground(const char* name);
  // Inserts an ISVGControl showing the SVG resource name (px, 72 dpi) over the whole editor at index 0.
  void AttachSVGBackground(const char* name);
  // Inserts an IPanelControl filled with pattern over the whole editor at index 0.
  void AttachPanelBackground(const IPattern& pattern);
  // Attaches a corner resizer of size (user units at scale 1) in those colours.
  void AttachCornerResizer(EUIResizerMode sizeMode = kResizerScale, bool layoutOnResize = false,
                           const IColor& color = COLOR_TRANSLUCENT, const IColor& mouseOverColor = COLOR_BLACK,
                           const IColor& dragColor = COLOR_BLACK, float size = 20.f);
  // Takes ownership of pControl as the corner resizer; a second one is destroyed and nothing changes.
  void AttachCornerResizer(ICornerResizerControl* pControl, EUIResizerMode sizeMode = kResizerScale,
                           bool layoutOnResize = false);
  // Attaches a value bubble drawn with text.
  void AttachBubbleControl(const IText& text = DEFAULT_TEXT);
  // Takes ownership of pControl and appends it to the bubbles.
  void AttachBubbleControl(IBubbleControl* pControl);
  // Attaches a drawn popup menu (text style, bounds while collapsed) used instead of the platform's; nothing when one exists.
  void AttachPopupMenuControl(const IText& text = DEFAULT_TEXT, const IRECT& bounds = IRECT());
  // Destroys the drawn popup menu; menus then go to the platform again.
  void RemovePopupMenuControl();
  // Attaches a drawn text entry used instead of the platform's; nothing when one exists.
  void AttachTextEntryControl();
  // Destroys the drawn text entry; text entry then goes to the platform again.
  void RemoveTextEntryControl();
  // The drawn popup menu, or null.
  IPopupMenuControl* GetPopupMenuControl() const { return mMenuControl.get(); }
  // The drawn text entry, or null.
  ITextEntryControl* GetTextEntryControl() const { return mEntryControl.get(); }
  // Shows or destroys the frame-time display; either way every control is marked dirty.
  void ShowFPSDisplay(bool enable);
  // Whether the frame-time display is shown.
  bool ShowingFPSDisplay() const { return mFrameTimeDisplay != nullptr; }
  // Removes and destroys pControl (releasing its capture, hover and pending results); marks all dirty.
  void RemoveControl(IControl* pControl);
  // Removes and destroys the standard control at idx; marks all dirty.
  void RemoveControl(int idx);
  // Removes and destroys the standard controls from the last down to fromIdx; then marks all dirty once.
  void RemoveControls(int fromIdx);
  // Detaches the control with ctrlTag as RemoveControl does, without destroying it (the caller takes it over); marks all dirty.
  void RemoveControlWithTag(int ctrlTag);
  // Destroys every control, special ones included, and forgets the tags.
  void RemoveAllControls();
  // The control with ctrlTag, or null.
  IControl* GetControlWithTag(int ctrlTag) const;
  // The standard control at idx, or null when out of range.
  IControl* GetControl(int idx) const { return mControlList.Get(idx); }
  // Index of pControl among the standard controls, or -1.
  int GetControlIdx(const IControl* pControl) const { return mControlList.Find(pControl); }
  // Number of standard controls.
  int NControls() const { return mControlList.GetSize(); }
  // The corner resizer, or null.
  ICornerResizerControl* GetCornerResizer() const { return mResizer.get(); }
  // The frame-time display, or null.
  IFPSDisplayControl* GetFPSDisplayControl() const { return mFrameTimeDisplay.get(); }
  // Number of value bubbles.
  int NBubbles() const { return mBubbles.GetSize(); }
  // The value bubble at idx, or null.
  IBubbleControl* GetBubbleControl(int idx = 0) const { return mBubbles.Get(idx); }
  // Visits every control in drawing order: standard, frame-time display, resizer, text entry, popup menu, bubbles.
  void ForAllControlsFunc(const IControlFunction& func);
  // Calls a member function of IControl with args on every control in drawing order.
  template <typename... Args>
  void ForAllControls(void (IControl::*method)(Args...), Args... args)
  {
    ForAllControlsFunc([&](IControl* pControl) { (pControl->*method)(args...); });
  }
  // Visits the standard controls in order.
  void ForStandardControlsFunc(const IControlFunction& func);
  // Visits the standard controls linked to paramIdx.
  void ForControlWithParam(int paramIdx, const IControlFunction& func);
  // Calls a member function with args on the standard controls linked to paramIdx.
  template <typename... Args>
  void ForMatchingControls(void (IControl::*method)(Args...), int paramIdx, Args... args)
  {
    ForControlWithParam(paramIdx, [&](IControl* pControl) { (pControl->*method)(args...); });
  }
  // Visits the standard controls whose non-empty group name equals group.
  void ForControlInGroup(const char* group, const IControlFunction& func);
  // Gives every standard control that is a vector control (IVectorBase) the style.
  void StyleAllVectorControls(const IVStyle& style);
  // Hides or shows the standard controls linked to paramIdx.
  void HideControl(int paramIdx, bool hide);
  // Disables or enables the standard controls linked to paramIdx.
  void DisableControl(int paramIdx, bool disable);
  // Moves the standard control at idx; marks all dirty unless it is hidden.
  void SetControlPosition(int idx, float x, float y);
  // Resizes the standard control at idx; marks all dirty unless it is hidden.
  void SetControlSize(int idx, float w, float h);
  // Sets both rectangles of the standard control at idx; marks all dirty unless it is hidden.
  void SetControlBounds(int idx, const IRECT& r);
  // Hands pCaller's value at valIdx to every other standard control linked to the same parameter.
  void UpdatePeers(IControl* pCaller, int valIdx);
  // Every standard control whose first slot is linked gets its parameter's name as tooltip.
  void AssignParamNameToolTips();
  // Marks every control dirty without telling the delegate.
  void SetAllControlsDirty();
  // Clears every control's dirty mark.
  void SetAllControlsClean();
  // Switches tooltips (and with them hover tracking) on or off.
  void EnableTooltips(bool enable);
  // Whether tooltips are on.
  bool TooltipsEnabled() const { return mTooltipsEnabled; }
  // Switches hover tracking of the standard controls on or off.
  void EnableMouseOver(bool enable) { mHoverEnabled = enable; }
  // Whether hover tracking is on.
  bool MouseOverEnabled() const { return mHoverEnabled; }
  // Live editing of the layout; does nothing in this system.
  void EnableLiveEdit(bool /*enable*/) {}
  // Switches strict drawing (one bounding region per frame); marks all dirty.
  void SetStrictDrawing(bool strict);
  // Whether strict drawing is on.
  bool GetStrictDrawing() const { return mStrictDrawing; }
  // Whether a resize runs the delegate's layout again.
  void SetLayoutOnResize(bool layoutOnResize) { mRelayoutOnResize = layoutOnResize; }
  // Calls OnGUIIdle on every control.
  void OnGUIIdle();
  // Hands the new desktop appearance to the appearance handler.
  void OnAppearanceChanged(EUIAppearance appearance);
  // Installs the handler for desktop appearance changes.
  void SetUIAppearanceChangedFunc(std::function<void(EUIAppearance)> func) { mAppearanceHandler = std::move(func); }
  // Installs the callback run once per frame before dirtiness is gathered.
  void SetDisplayTickFunc(std::function<void()> func) { mFrameTick = std::move(func); }
  // Appends every touch id captured by pControl.
  void GetTouches(const IControl* pControl, std::vector<std::uintptr_t>& touchesOnThisControl) const;
  // Whether any pointer has captured pControl.
  bool ControlIsCaptured(const IControl* pControl) const;
  // Whether any pointer is captured.
  bool ControlIsCaptured() const { return !mCaptures.empty(); }

  // ---- Drawing cycle [main-thread] ----

  // Runs the frame tick and animations, then appends every dirty control's padded rectangle to rects; true when any.
  bool IsDirty(IRECTList& rects);
  // Draws the regions in rects (merged into one with strict drawing, else pixel-aligned and optimised).
  void Draw(IRECTList& rects);
  // Empties the saved transforms when clearStack, then sets the identity transform.
  void PathTransformReset(bool clearStack = false);
  // Pushes the current transform.
  void PathTransformSave();
  // Pops the last saved transform; nothing when none is saved.
  void PathTransformRestore();
  // The current path transform.
  const IMatrix& GetTransform() const { return mTransform; }
  // The clip of the control being drawn.
  const IRECT& GetClipBounds() const { return mClipBounds; }

  // ---- Size and scale [main-thread] ----

  // Resizes the editor to width x height user units at draw scale scale (each clamped to the limits).
  void Resize(int width, int height, float scale, bool needsPlatformResize = true);
  // The display's device pixels per point changed.
  void SetScreenScale(float scale);
  // Limits of the draw scale (ordered).
  void SetScaleConstraints(float lo, float hi);
  // Lower limit of the draw scale.
  float GetMinScale() const { return mScaleMin; }
  // Upper limit of the draw scale.
  float GetMaxScale() const { return mScaleMax; }
  // A corner drag reached (x, y): resizes or rescales by the resizer mode.
  void OnDragResize(float x, float y);
  // Starts a corner drag.
  void StartDragResize() { mDragResizing = true; }
  // Ends a corner drag; in scale mode every control rescales and redraws.
  void EndDragResize();
  // Whether a corner drag is in progress.
  bool GetResizingInProcess() const { return mDragResizing; }
  // What a corner drag changes.
  EUIResizerMode GetResizerMode() const { return mResizerMode; }
  // Logical width and height in user units.
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }
  // Width and height in window points (draw scale applied).
  int WindowWidth() const { return static_cast<int>(mWidth * mDrawScale); }
  int WindowHeight() const { return static_cast<int>(mHeight * mDrawScale); }
  // Frames per second the platform layer drives.
  int FPS() const { return mFrameRate; }
  // The user-chosen zoom of the whole editor.
  float GetDrawScale() const { return mDrawScale; }
  // Device pixels per point of the display.
  float GetScreenScale() const { return mScreenScale; }
  // Device pixels per user unit.
  float GetBackingPixelScale() const { return mScreenScale * mDrawScale; }
  // The editor bounds (0, 0, width, height).
  IRECT GetBounds() const { return IRECT(0.f, 0.f, static_cast<float>(mWidth), static_cast<float>(mHeight)); }
  // The editor delegate (not owned).
  IGEditorDelegate* GetDelegate() const { return mDelegate; }
  // Seconds at the previous frame (frame-time bookkeeping).
  double GetLastFrameTime() const { return mLastFrameTime; }

  // ---- Input dispatch [main-thread] ----

  // Index of the front-most standard control that takes the pointer at (x, y), or -1.
  int GetMouseControlIdx(float x, float y, bool mouseOver = false);
  // The control that receives a pointer event at (x, y); with capture, the touch captures it.
  IControl* GetMouseControl(float x, float y, bool capture, bool mouseOver = false, std::uintptr_t touchId = 0);
  // Forgets every capture and shows a hidden pointer again.
  void ReleaseMouseCapture();
  // Presses: captures the control under each, brackets its parameters for the host, or opens its context menu.
  void OnMouseDown(const std::vector<IMouseInfo>& points);
  // Releases: ends each captured control's gesture.
  void OnMouseUp(const std::vector<IMouseInfo>& points);
  // Drags of captured pointers (or the corner resize).
  void OnMouseDrag(const std::vector<IMouseInfo>& points);
  // A double click at (x, y); false when no control is there.
  bool OnMouseDblClick(float x, float y, const IMouseMod& mod);
  // The pointer moved to (x, y) without a button; true when over a control.
  bool OnMouseOver(float x, float y, const IMouseMod& mod);
  // The pointer left the view.
  void OnMouseOut();
  // A wheel turn of delta notches at (x, y).
  void OnMouseWheel(float x, float y, const IMouseMod& mod, float delta);
  // The system cancelled touches.
  void OnTouchCancelled(const std::vector<IMouseInfo>& points);
  // A file path dropped at (x, y).
  void OnDrop(const char* str, float x, float y);
  // A key went down with the pointer at (x, y); true when a control or the key handler took it.
  bool OnKeyDown(float x, float y, const IKeyPress& key);
  // A key went up with the pointer at (x, y); true when handled.
  bool OnKeyUp(float x, float y, const IKeyPress& key);
  // Installs the editor-wide key handler (empty: none).
  void SetKeyHandlerFunc(IKeyHandlerFunc func) { mKeyHandler = std::move(func); }
  // Installs the computer-keyboard MIDI keyboard as the key handler; func receives a copy of what it sends.
  void SetQwertyMidiKeyHandlerFunc(IMidiKeyFunc func = nullptr);
  // Position of the last single-pointer press.
  float GetPressX() const { return mPressX; }
  float GetPressY() const { return mPressY; }
  // The control under the pointer, or null.
  IControl* GetHoverControl() const { return mHoverControl; }
  // Index of the hover control among the standard controls, or -1.
  int GetHoverIdx() const { return mHoverIdx; }
  // Whether the platform layer has hidden the pointer.
  bool IsPointerHidden() const { return mPointerHidden; }
  // Last cursor kind requested.
  ECursor GetMouseCursor() const { return mCursor; }

  // ---- Menus, text entry and bubbles [main-thread] ----

  // Shows menu for control at bounds; the choice reaches the control's OnPopupMenuSelection with valIdx.
  void CreatePopupMenu(IControl& control, IPopupMenu& menu, const IRECT& bounds, int valIdx = 0);
  // Shows menu (a context menu when isContext) for control: in the drawn popup menu when attached (refused
  // while it shows another), else through the platform.
  void DoCreatePopupMenu(IControl& control, IPopupMenu& menu, const IRECT& bounds, int valIdx, bool isContext);
  // Delivers a menu result (null: dismissed) to the control waiting for it.
  void SetControlValueAfterPopupMenu(IPopupMenu* pMenu);
  // Opens pControl's context menu at (x, y) for paramIdx.
  void PopupHostContextMenuForParam(IControl* pControl, int paramIdx, float x, float y);
  // The same for the standard control at controlIdx.
  void PopupHostContextMenuForParam(int controlIdx, int paramIdx, float x, float y);
  // Asks for a value of control's slot valIdx: a menu for parameters with display texts, else a text entry.
  void PromptUserInput(IControl& control, const IRECT& bounds, int valIdx = 0);
  // Opens a text entry for control's slot valIdx with style, bounds and initial text: the drawn one when
  // attached, else the platform's.
  void CreateTextEntry(IControl& control, const IText& text, const IRECT& bounds, const char* str = "", int valIdx = 0);
  // Delivers the entered text to the control waiting for it.
  void SetControlValueAfterTextEdit(const char* str);
  // The control waiting for a text-entry result, or null.
  IControl* GetEntryTarget() const { return mEntryTarget; }
  // Forgets the control waiting for a text-entry result (the entry was dismissed).
  void ClearInTextEntryControl() { mEntryTarget = nullptr; }
  // The control waiting for a menu result, or null.
  IControl* GetMenuTarget() const { return mMenuTarget; }
  // Shows str in the first bubble for pCaller at (x, y) in direction dir, at least minimumContentBounds big.
  void ShowBubbleControl(IControl* pCaller, float x, float y, const char* str, EDirection dir = kDirectionHorizontal,
                         IRECT minimumContentBounds = IRECT());

  // ---- Host automation and gestures [main-thread] ----

  // The parameter of the first slot of the control under (x, y), or -1; remembered for the host.
  int GetParamIdxForPTAutomation(float x, float y);
  // The remembered parameter, then forgets it.
  int GetLastClickedParamForPTAutomation();
  // Shows or hides the automation dot on the standard controls linked to paramIdx.
  void SetPTParameterHighlight(int paramIdx, bool isHighlighted, int color);
  // Records a gesture kind to recognise.
  virtual void AttachGestureRecognizer(EGestureType type);
  // Adds a region whose gestures go to func.
  void AttachGestureRecognizerToRegion(const IRECT& bounds, EGestureType type, IGestureRegionFunc func);
  // Forgets every gesture region.
  void ClearGestureRegions();
  // Whether a gesture at (x, y) would reach a control or region.
  bool RespondsToGesture(float x, float y);
  // Delivers a recognised gesture.
  void OnGestureRecognized(const IGestureInfo& info);

protected:
  // Visits every control in drawing order without wrapping func in a std::function, so the per-frame
  // walks allocate nothing.
  template <typename Func>
  void VisitAllControls(Func&& func);

  // Links pControl to the delegate and this context, then OnInit, OnResize, OnRescale.
  void LinkControl(IControl* pControl);
  // Draws region r at scale s: every control that meets it, in drawing order, from the topmost control that
  // covers the region opaquely (what lies beneath that one cannot show).
  void DrawRegion(const IRECT& r, float s);
  // Index in the control list of the topmost visible opaque control whose whole pixels at scale s contain r,
  // or 0 (draw from the first control) when there is none.
  int TopmostControlCovering(const IRECT& r, float s) const;
  // Draws pControl clipped to the part of bounds its padded rectangle meets; skipped when they do not meet.
  void DrawControl(IControl* pControl, const IRECT& bounds, float scale);
  // Asks the delegate (and through it the host) for the window size of the current size and scale, then follows it.
  void ResizePlatformWindow(bool needsPlatformResize);
  // The one step by which any control leaves the tree: ends its gesture and releases its capture, clears it as
  // hover, menu and text-entry target, forgets its tag and takes it out of the control or bubble list (the
  // hover index of the controls behind it follows); does not destroy it. [main-thread]
  void DetachControl(IControl* pControl);
  // BeginInform / EndInform for every slot of pControl linked to a parameter.
  void BeginParamGestures(IControl* pControl);
  void EndParamGestures(IControl* pControl);
  // Whether the pointer position is a finite number.
  static bool ValidPosition(float x, float y);
  // Destroys pControl now, or once the outermost event or frame returns when one is running.
  void DestroyControl(IControl* pControl);

  // Marks an event or frame in progress, so controls removed meanwhile outlive the calls on the stack.
  class DispatchScope
  {
  public:
    // Counts one more event or frame in progress on graphics. [main-thread]
    explicit DispatchScope(IGraphics& graphics) : mGraphics(graphics) { ++mGraphics.mDispatchDepth; }
    ~DispatchScope();
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;

  private:
    IGraphics& mGraphics;
  };

  WDL_PtrList<IControl> mControlList; // the control tree in drawing order; owned
  std::unordered_map<int, IControl*> mTagMap; // controls by control tag; not owned
  std::unique_ptr<ICornerResizerControl> mResizer; // the corner resizer, drawn above every control
  WDL_PtrList<IBubbleControl> mBubbles; // value bubbles shown while controls are dragged; owned
  std::unique_ptr<IFPSDisplayControl> mFrameTimeDisplay; // the frame-time display, when shown
  std::unique_ptr<IPopupMenuControl> mMenuControl; // the drawn popup menu, when attached
  std::unique_ptr<ITextEntryControl> mEntryControl; // the drawn text entry, when attached
  IPopupMenu mContextMenu; // the context menu being built for a right click
  WDL_String mResourceSubfolder; // subfolder of the bundle's resources searched first
  ECursor mCursor = kCursorArrow; // the pointer's current shape
  int mWidth; // width in user units
  int mHeight; // height in user units
  int mFrameRate; // frames per second the platform draws at
  float mScreenScale = 1.f; // device pixels per point of the screen (1 or 2)
  float mDrawScale; // scale of user units to points
  std::vector<EGestureType> mGestureKinds; // gestures recognised on the editor
  IRECTList mGestureAreas; // areas with a gesture callback, in user units
  std::unordered_map<int, IGestureRegionFunc> mGestureAreaCallbacks; // the callback of each gesture area by index
  std::unordered_map<std::uintptr_t, IControl*> mCaptures; // the control each touch or the mouse captured, by touch id; not owned
  IControl* mHoverControl = nullptr; // the control under the pointer; not owned
  IControl* mEntryTarget = nullptr; // the control the open text entry edits; not owned
  IControl* mMenuTarget = nullptr; // the control the open popup menu answers; not owned
  bool mMenuIsContext = false; // the open menu is a context menu
  int mEntryValIdx = -1; // value slot the text entry edits; -1 for none
  int mMenuValIdx = -1; // value slot the popup menu sets; -1 for none
  int mHoverIdx = -1; // index of the control under the pointer; -1 for none
  float mPressX = -1.f; // x of the last press, user units
  float mPressY = -1.f; // y of the last press, user units
  float mScaleMin; // smallest draw scale the resizer allows
  float mScaleMax; // largest draw scale the resizer allows
  int mLastPressedParam = -1; // parameter of the last pressed control; -1 for none
  bool mHoverEnabled = false; // controls hear mouse-over events
  bool mStrictDrawing = false; // a frame draws one region bounding every dirty rectangle
  bool mTooltipsEnabled = false; // controls' tooltips are shown
  bool mDragResizing = false; // the corner resizer is being dragged
  bool mRelayoutOnResize = false; // a resize runs the layout callback again
  bool mMultiTouch = false; // several touches reach controls at once
  EUIResizerMode mResizerMode = kResizerScale; // whether the resizer scales or resizes the editor
  double mLastFrameTime = 0.0; // when the last frame started, milliseconds
  bool mFrameTimeStarted = false; // a frame has started since the frame-time display appeared [main-thread]
  IKeyHandlerFunc mKeyHandler; // keys no control took go here
  std::function<void()> mFrameTick; // called at the start of each frame
  std::function<void(EUIAppearance)> mAppearanceHandler; // called when the desktop's light or dark appearance changes
  IGEditorDelegate* mDelegate; // the editor delegate that owns this context
  bool mPointerHidden = false; // the pointer is hidden during a drag
  float mPointerX = -1.f; // the pointer's last known x, user units
  float mPointerY = -1.f; // the pointer's last known y, user units
  std::stack<ILayer*> mLayerStack; // layers being drawn into, innermost on top; not owned
  IRECT mClipBounds; // the clip rectangle of the drawing in progress, user units
  IMatrix mTransform; // the current drawing transform
  std::stack<IMatrix> mSavedTransforms; // transforms saved by PathTransformSave
  int mDispatchDepth = 0; // events and frames in progress
  std::vector<std::unique_ptr<IControl>> mPendingDeletes; // controls removed during an event or frame, deleted after it
};

// Creates the platform's graphics context for dlg (width x height user units, frame rate, draw scale); the caller owns it.
IGraphics* MakeGraphics(IGEditorDelegate& dlg, int width, int height, int fps = 60, float scale = 1.f);

} // namespace iplug::igraphics
