#pragma once

#include <stack>

#include "DecodedImage.h"
#include "IGraphics.h"
#include "StaticStorage.h"
#include "WDL_Mutex.h"

struct NVGcontext;
struct NVGLUframebuffer;
struct NVGcolor;
struct NVGpaint;

namespace iplug::igraphics {

class IFontData;

// NanoVG's colour for color with its alpha multiplied by the blend's weight (1 without a blend).
NVGcolor NanoVGColor(const IColor& color, const IBlend* pBlend = nullptr);
// Adds the rectangle r to the current path of pContext.
void NanoVGRect(NVGcontext* pContext, const IRECT& r);
// Sets the composite operation of pBlend (source-over without one; a method outside EBlend changes nothing).
void NanoVGSetBlendMode(NVGcontext* pContext, const IBlend* pBlend);
// The NanoVG gradient of a linear or radial pattern: its first and last stop, placed by the inverse of its
// transform, with alphas multiplied by the blend's weight.
NVGpaint NanoVGPaint(NVGcontext* pContext, const IPattern& pattern, const IBlend* pBlend = nullptr);

// The drawing back end: the graphics core's drawing operations as NanoVG calls on OpenGL 2. A frame is drawn
// into an off-screen framebuffer of the view's backing size (the main framebuffer) and painted onto the
// window's framebuffer at its end; layers are further framebuffers. The subclass supplies the window (or no
// window) and keeps a GL 2 context current around every call. [main-thread]
class IGraphicsNanoVG : public IGraphics
{
public:
  // A NanoVG image as a back-end bitmap: a plain texture, or the colour texture of a render target.
  class Bitmap : public APIBitmap
  {
  public:
    // A render target of width x height pixels owned by pGraphics' deferred deletion, cleared to transparent.
    Bitmap(IGraphicsNanoVG* pGraphics, NVGcontext* pContext, int width, int height, float scale, float drawScale);
    // An image of width x height RGBA pixels (rows bottom first when flipped) for density scale and draw scale.
    Bitmap(NVGcontext* pContext, int width, int height, const unsigned char* pPixels, float scale, float drawScale,
           bool flipped);
    // Deletes the image, or hands a render target to the back end's deferred deletion.
    ~Bitmap() override;

    // The render target's framebuffer, or null for a plain image.
    NVGLUframebuffer* GetFBO() const { return mFBO; }

  private:
    // Binds the render target (the window's framebuffer when creating it failed).
    void BindFBO() const;

    IGraphicsNanoVG* mGraphics = nullptr; // owner of a render target's deferred deletion
    NVGcontext* mContext;                 // context the image belongs to
    NVGLUframebuffer* mFBO = nullptr;     // render target, or null
  };

  // A back end for dlg of width x height user units at fps frames per second and draw scale.
  IGraphicsNanoVG(IGEditorDelegate& dlg, int width, int height, int fps, float scale);
  // Removes the controls, deletes cached bitmaps, framebuffers and the context (the GL context must be
  // current) and releases this instance's share of the font cache.
  ~IGraphicsNanoVG() override;

  using IGraphics::DrawBitmap;
  using IGraphics::LoadBitmap;

  // "NanoVG | GL2".
  const char* GetDrawingAPIStr() override { return "NanoVG | GL2"; }
  // The NVGcontext (not owned by the caller), or null outside the view's lifetime.
  void* GetDrawContext() override { return mVG; }

  // Creates the NanoVG context (GL2, antialiased) in the current GL context; pView is unused.
  void OnViewInitialized(void* pView) override;
  // Removes all controls, empties the bitmap cache, deletes the main framebuffer and the context.
  void OnViewDestroyed() override;
  // Recreates the main framebuffer at the backing size.
  void DrawResize() override;
  // Binds the main framebuffer and starts a NanoVG frame.
  void BeginFrame() override;
  // Notes the region just drawn: a frame presents only what it drew. [main-thread]
  void CompleteRegion(const IRECT& bounds) override;
  // Ends the frame, paints the main framebuffer onto the window's framebuffer, deletes deferred framebuffers.
  void EndFrame() override;

  // The back-end primitives as NanoVG calls; their contracts are IGraphics'. [main-thread], GL context current.
  void PathClear() override;
  void PathClose() override;
  void PathArc(float cx, float cy, float r, float a1, float a2, EWinding winding = kWindingCW) override;
  void PathMoveTo(float x, float y) override;
  void PathLineTo(float x, float y) override;
  void PathSetWinding(bool clockwise) override;
  void PathCubicBezierTo(float c1x, float c1y, float c2x, float c2y, float x2, float y2) override;
  void PathQuadraticBezierTo(float cx, float cy, float x2, float y2) override;
  void PathStroke(const IPattern& pattern, float thickness, const IStrokeOptions& options = IStrokeOptions(),
                  const IBlend* pBlend = nullptr) override;
  void PathFill(const IPattern& pattern, const IFillOptions& options = IFillOptions(),
                const IBlend* pBlend = nullptr) override;
  void PathTransformSetMatrix(const IMatrix& matrix) override;
  void SetClipRegion(const IRECT& r) override;
  // Fills only the part of bounds inside the clip when that changes no pixel (see ClippedToPixelGrid).
  void FillRect(const IColor& color, const IRECT& bounds, const IBlend* pBlend = nullptr) override;
  void DrawBitmap(const IBitmap& bitmap, const IRECT& dest, int srcX, int srcY, const IBlend* pBlend = nullptr) override;
  void DrawDottedLine(const IColor& color, float x1, float y1, float x2, float y2, const IBlend* pBlend = nullptr,
                      float thickness = 1.f, float dashLen = 2.f) override;
  void DrawDottedRect(const IColor& color, const IRECT& bounds, const IBlend* pBlend = nullptr, float thickness = 1.f,
                      float dashLen = 2.f) override;
  void DrawFastDropShadow(const IRECT& innerBounds, const IRECT& outerBounds, float xyDrop = 5.f,
                          float roundness = 0.f, float blur = 10.f, IBlend* pBlend = nullptr) override;
  // The colour of the main framebuffer's device pixel at (x, y) (top-left origin); transparent outside it.
  IColor GetPoint(int x, int y) override;

  // Text through NanoVG's fontstash with the font registered under text.mFont (nothing shows for an unknown one).
  float DoMeasureText(const IText& text, const char* str, IRECT& bounds) const override;
  void DoDrawText(const IText& text, const char* str, const IRECT& bounds, const IBlend* pBlend) override;

  // Loads name at the best density found, cached per context under (name, density found).
  IBitmap LoadBitmap(const char* name, int nStates = 1, bool framesAreHorizontal = false, int targetScale = 0) override;
  // True for extensions containing "png", "jpg" or "jpeg" in any case (at most 31 bytes).
  bool BitmapExtSupported(const char* ext) override;

  // Pixel data of the layer: RGBA, rows bottom first.
  void GetLayerBitmapData(const ILayerPtr& layer, WDL_TypedBuf<unsigned char>& data) override;
  // Replaces the layer with its shadow (from mask) under (or instead of) its content.
  void ApplyShadowMask(ILayerPtr& layer, WDL_TypedBuf<unsigned char>& mask, const IShadow& shadow) override;
  // Rebinds drawing to the top layer, or to the main framebuffer when there is none.
  void UpdateLayer() override;
  // 3: alpha is the fourth byte of a pixel.
  int AlphaChannel() const override { return 3; }
  // True: layer pixel data is bottom row first.
  bool FlippedBitmap() const override { return true; }

  // Deletes fb now, or at the end of the frame when a frame is being drawn (NanoVG may still use it).
  void DeleteFBO(NVGLUframebuffer* fb);

protected:
  // Decoding (stb_image through NanoVG), render targets, font registration and the per-context bitmap cache.
  APIBitmap* LoadAPIBitmap(const char* fileNameOrResID, int scale, EResourceLocation location, const char* ext) override;
  APIBitmap* LoadAPIBitmap(const char* name, const void* pData, int dataSize, int scale) override;
  // An image made from decoded pixels for density scale, marked opaque when they all are; null when empty.
  APIBitmap* MakeDecodedBitmap(const DecodedImage& decoded, int scale);
  APIBitmap* CreateAPIBitmap(int width, int height, float scale, double drawScale, bool cacheable = false) override;
  bool LoadAPIFont(const char* fontID, const PlatformFontPtr& font) override;
  StaticStorage<APIBitmap>& BitmapCache() override { return mBitmapCache; }

  // The main framebuffer (null before the first DrawResize with a context).
  NVGLUframebuffer* GetMainFramebuffer() const { return mMainFrameBuffer; }
  // Copies bounds (user units) of the main framebuffer onto the view's framebuffer, outside a frame, e.g. when
  // the window system asks for uncovered pixels; nothing without a main framebuffer. GL context current.
  void PresentMainFramebuffer(const IRECT& bounds);
  // Copies the main framebuffer (backing size width x height, RGBA, top row first, bytesPerRow apart) into
  // pDest; false when the size differs or there is none. GL context current.
  bool ReadMainFramebuffer(unsigned char* pDest, int width, int height, int bytesPerRow);
  // Whether the platform has a view framebuffer to present frames onto; false for purely off-screen drawing.
  virtual bool HasViewFramebuffer() const { return true; }
  // Backing size of the view in device pixels.
  int BackingWidth() const;
  int BackingHeight() const;

private:
  // Sets font, size and alignment of text and measures str anchored in r; r becomes the text's bounds and
  // (x, y) the anchor point.
  void PrepareAndMeasureText(const IText& text, const char* str, IRECT& r, double& x, double& y) const;
  // Deletes every framebuffer whose deletion waited for the end of the frame.
  void ClearFBOStack();
  // Binds fb, or the window's framebuffer when null.
  void BindFramebuffer(NVGLUframebuffer* fb);
  // NanoVG clips in its fragment shader, so a shape still costs its whole area however little of it shows.
  // For an axis-aligned rectangle under the identity transform and a clip on the device-pixel grid, r cut to
  // the clip draws the same pixels: sets cut and returns true (cut may be empty: nothing to draw).
  bool ClippedToPixelGrid(const IRECT& r, IRECT& cut) const;
  // Starts a NanoVG frame over the whole view.
  void BeginViewFrame();
  // Copies bounds of the main framebuffer onto the bound view framebuffer (replacing, not blending).
  void PresentRegion(const IRECT& bounds);
  // Binds the top layer's framebuffer (or the main one) with its viewport and starts a NanoVG frame on it.
  void UpdateLayerTarget();

  bool mInDraw = false;
  WDL_Mutex mFBOMutex;
  std::stack<NVGLUframebuffer*> mFBOStack;
  StaticStorage<APIBitmap> mBitmapCache;
  NVGLUframebuffer* mMainFrameBuffer = nullptr;
  NVGcontext* mVG = nullptr;
  int mInitialFBO = 0;
  IRECT mClipRect; // the last clip given to SetClipRegion, in untransformed user units
  IRECT mFrameDamage; // union of the regions drawn in the current frame, user units
};

} // namespace iplug::igraphics
