#include "IGraphicsNanoVG.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

#include "IFontData.h"
#include "PlatformFont.h"
#include "nanovg.h"
#include "nanovg_gl.h"
#include "nanovg_gl_utils.h"

namespace iplug::igraphics {

namespace {

// The framebuffer binding found when a back end first needed one: the window's own framebuffer.
int sDefaultFBO = -1;

// Font bytes registered with NanoVG, shared by every context of the process and counted by instance.
StaticStorage<IFontData>& FontCache()
{
  static StaticStorage<IFontData> cache;
  return cache;
}

// Guards the font cache together with the registration that reads its bytes.
WDL_Mutex& FontMutex()
{
  static WDL_Mutex mutex;
  return mutex;
}

int DefaultFBO()
{
  if (sDefaultFBO == -1)
  {
    GLint binding = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &binding);
    sDefaultFBO = binding;
  }
  return sDefaultFBO;
}

void DeleteFramebufferNow(NVGLUframebuffer* fb)
{
  nvgluDeleteFramebuffer(fb);
}

} // namespace

NVGcolor NanoVGColor(const IColor& color, const IBlend* pBlend)
{
  return nvgRGBAf(static_cast<float>(color.R) / 255.f, static_cast<float>(color.G) / 255.f,
                  static_cast<float>(color.B) / 255.f, static_cast<float>(color.A) * BlendWeight(pBlend) / 255.f);
}

void NanoVGRect(NVGcontext* pContext, const IRECT& r)
{
  nvgRect(pContext, r.L, r.T, r.W(), r.H());
}

void NanoVGSetBlendMode(NVGcontext* pContext, const IBlend* pBlend)
{
  if (!pBlend)
  {
    nvgGlobalCompositeOperation(pContext, NVG_SOURCE_OVER);
    return;
  }
  switch (pBlend->mMethod)
  {
    case kBlendSrcOver: nvgGlobalCompositeOperation(pContext, NVG_SOURCE_OVER); break;
    case kBlendSrcIn: nvgGlobalCompositeOperation(pContext, NVG_SOURCE_IN); break;
    case kBlendSrcOut: nvgGlobalCompositeOperation(pContext, NVG_SOURCE_OUT); break;
    case kBlendSrcAtop: nvgGlobalCompositeOperation(pContext, NVG_ATOP); break;
    case kBlendDstOver: nvgGlobalCompositeOperation(pContext, NVG_DESTINATION_OVER); break;
    case kBlendDstIn: nvgGlobalCompositeOperation(pContext, NVG_DESTINATION_IN); break;
    case kBlendDstOut: nvgGlobalCompositeOperation(pContext, NVG_DESTINATION_OUT); break;
    case kBlendDstAtop: nvgGlobalCompositeOperation(pContext, NVG_DESTINATION_ATOP); break;
    case kBlendAdd: nvgGlobalCompositeBlendFunc(pContext, NVG_SRC_ALPHA, NVG_DST_ALPHA); break;
    case kBlendXOR: nvgGlobalCompositeOperation(pContext, NVG_XOR); break;
    default: break;
  }
}

NVGpaint NanoVGPaint(NVGcontext* pContext, const IPattern& pattern, const IBlend* pBlend)
{
  const IColorStop first = pattern.GetStop(0);
  const IColorStop last = pattern.GetStop(std::max(pattern.NStops() - 1, 0));
  const NVGcolor inner = NanoVGColor(first.mColor, pBlend);
  const NVGcolor outer = NanoVGColor(last.mColor, pBlend);

  const IMatrix& m = pattern.mTransform;
  const double det = m.mA * m.mD - m.mB * m.mC;
  const double d = det != 0.0 ? 1.0 / det : 0.0;
  const double ixx = m.mD * d;
  const double iyx = -m.mB * d;
  const double ixy = -m.mC * d;
  const double iyy = m.mA * d;
  const double itx = -m.mTX * ixx - m.mTY * ixy;
  const double ity = -m.mTX * iyx - m.mTY * iyy;
  const float sx = static_cast<float>(itx);
  const float sy = static_cast<float>(ity);

  if (pattern.mType == kPatternRadial)
    return nvgRadialGradient(pContext, sx, sy, static_cast<float>(first.mOffset * ixx), static_cast<float>(ixx),
                             inner, outer);
  return nvgLinearGradient(pContext, sx, sy, static_cast<float>(ixy + itx), static_cast<float>(iyy + ity), inner,
                           outer);
}

// ---- Bitmap ----

IGraphicsNanoVG::Bitmap::Bitmap(IGraphicsNanoVG* pGraphics, NVGcontext* pContext, int width, int height, float scale,
                                 float drawScale)
  : mGraphics(pGraphics), mContext(pContext)
{
  mFBO = nvgluCreateFramebuffer(pContext, width, height, 0);
  BindFBO();
  glViewport(0, 0, width, height);
  glClearColor(0.f, 0.f, 0.f, 0.f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  nvgBeginFrame(pContext, static_cast<float>(width), static_cast<float>(height), 1.f);
  nvgEndFrame(pContext);
  SetBitmap(mFBO ? mFBO->image : 0, width, height, scale, drawScale);
}

IGraphicsNanoVG::Bitmap::Bitmap(NVGcontext* pContext, int width, int height, const unsigned char* pPixels, float scale,
                                float drawScale, bool flipped)
  : mContext(pContext)
{
  const int image = nvgCreateImageRGBA(pContext, width, height, flipped ? NVG_IMAGE_FLIPY : 0, pPixels);
  SetBitmap(std::max(image, 0), width, height, scale, drawScale);
}

IGraphicsNanoVG::Bitmap::~Bitmap()
{
  if (mFBO)
  {
    if (mGraphics)
      mGraphics->DeleteFBO(mFBO);
    else
      DeleteFramebufferNow(mFBO);
  }
  else if (GetBitmap() > 0)
    nvgDeleteImage(mContext, GetBitmap());
}

void IGraphicsNanoVG::Bitmap::BindFBO() const
{
  glBindFramebuffer(GL_FRAMEBUFFER, mFBO ? mFBO->fbo : static_cast<GLuint>(DefaultFBO()));
}

// ---- Lifecycle ----

IGraphicsNanoVG::IGraphicsNanoVG(IGEditorDelegate& dlg, int width, int height, int fps, float scale)
  : IGraphics(dlg, width, height, fps, scale)
{
  WDL_MutexLock lock(&FontMutex());
  FontCache().Retain();
}

IGraphicsNanoVG::~IGraphicsNanoVG()
{
  // Controls may hold layers whose framebuffers belong to this back end: they go while it still exists.
  RemoveAllControls();
  {
    WDL_MutexLock lock(&FontMutex());
    FontCache().Release();
  }
  if (mVG)
    OnViewDestroyed();
  ClearFBOStack();
  mBitmapCache.Clear();
}

void IGraphicsNanoVG::OnViewInitialized(void* /*pView*/)
{
  mVG = nvgCreateGL2(NVG_ANTIALIAS);
}

void IGraphicsNanoVG::OnViewDestroyed()
{
  RemoveAllControls();
  {
    StaticStorage<APIBitmap>::Accessor lock(mBitmapCache);
    mBitmapCache.Clear();
  }
  ClearFBOStack();
  if (mMainFrameBuffer)
    DeleteFramebufferNow(mMainFrameBuffer);
  mMainFrameBuffer = nullptr;
  if (mVG)
    nvgDeleteGL2(mVG);
  mVG = nullptr;
}

int IGraphicsNanoVG::BackingWidth() const
{
  return static_cast<int>(static_cast<float>(WindowWidth()) * GetScreenScale());
}

int IGraphicsNanoVG::BackingHeight() const
{
  return static_cast<int>(static_cast<float>(WindowHeight()) * GetScreenScale());
}

void IGraphicsNanoVG::DrawResize()
{
  if (mMainFrameBuffer)
    DeleteFramebufferNow(mMainFrameBuffer);
  mMainFrameBuffer = nullptr;
  if (mVG)
    mMainFrameBuffer = nvgluCreateFramebuffer(mVG, BackingWidth(), BackingHeight(), 0);
}

void IGraphicsNanoVG::BindFramebuffer(NVGLUframebuffer* fb)
{
  glBindFramebuffer(GL_FRAMEBUFFER, fb ? fb->fbo : static_cast<GLuint>(DefaultFBO()));
}

void IGraphicsNanoVG::BeginViewFrame()
{
  mClipRect = IRECT(); // a new NanoVG frame starts without a scissor
  nvgBeginFrame(mVG, static_cast<float>(WindowWidth()), static_cast<float>(WindowHeight()), GetScreenScale());
}

void IGraphicsNanoVG::BeginFrame()
{
  mInDraw = true;
  IGraphics::BeginFrame();
  // No clear of the view: the main framebuffer keeps the whole picture, and only what a frame redraws is
  // copied onto the view, so a frame in which one control changed costs that control's area.
  mFrameDamage = IRECT();
  glViewport(0, 0, BackingWidth(), BackingHeight());
  GLint binding = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &binding);
  mInitialFBO = binding;
  DefaultFBO();
  BindFramebuffer(mMainFrameBuffer);
  BeginViewFrame();
}

void IGraphicsNanoVG::CompleteRegion(const IRECT& bounds)
{
  mFrameDamage = mFrameDamage.Empty() ? bounds : mFrameDamage.Union(bounds);
}

void IGraphicsNanoVG::EndFrame()
{
  nvgEndFrame(mVG);
  if (HasViewFramebuffer() && !mFrameDamage.Empty())
  {
    BindFramebuffer(nullptr);
    BeginViewFrame();
    PresentRegion(mFrameDamage);
    nvgEndFrame(mVG);
  }
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(mInitialFBO));
  mInDraw = false;
  ClearFBOStack();
}

void IGraphicsNanoVG::PresentRegion(const IRECT& bounds)
{
  if (!mMainFrameBuffer)
    return;
  const float w = static_cast<float>(WindowWidth());
  const float h = static_cast<float>(WindowHeight());
  const IRECT r = bounds.GetScaled(GetDrawScale()).GetPixelAligned(GetScreenScale());
  const NVGpaint image = nvgImagePattern(mVG, 0.f, 0.f, w, h, 0.f, mMainFrameBuffer->image, 1.f);
  nvgSave(mVG);
  nvgResetTransform(mVG);
  nvgResetScissor(mVG);
  nvgGlobalCompositeOperation(mVG, NVG_COPY);
  // A copy of whole device pixels needs no anti-aliased edge: NanoVG's fringe would reach half a pixel past
  // the rectangle, and with the copy operation write its fading alpha over the neighbours, leaving a dark line
  // along the rectangle's left and bottom edges.
  nvgShapeAntiAlias(mVG, 0);
  nvgBeginPath(mVG);
  nvgRect(mVG, r.L, r.T, r.W(), r.H());
  nvgFillPaint(mVG, image);
  nvgFill(mVG);
  nvgRestore(mVG);
}

bool IGraphicsNanoVG::ReadMainFramebuffer(unsigned char* pDest, int width, int height, int bytesPerRow)
{
  if (!pDest || !mMainFrameBuffer || width != BackingWidth() || height != BackingHeight() || bytesPerRow < width * 4)
    return false;
  GLint previous = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
  glBindFramebuffer(GL_FRAMEBUFFER, mMainFrameBuffer->fbo);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ROW_LENGTH, bytesPerRow / 4);
  // GL's first row is the bottom one: read each row into its place from the top.
  for (int row = 0; row < height; ++row)
    glReadPixels(0, height - 1 - row, width, 1, GL_RGBA, GL_UNSIGNED_BYTE, pDest + static_cast<size_t>(row) * bytesPerRow);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
  return true;
}

void IGraphicsNanoVG::PresentMainFramebuffer(const IRECT& bounds)
{
  if (!mVG || !mMainFrameBuffer || mInDraw)
    return;
  glViewport(0, 0, BackingWidth(), BackingHeight());
  BindFramebuffer(nullptr);
  BeginViewFrame();
  PresentRegion(bounds);
  nvgEndFrame(mVG);
}

void IGraphicsNanoVG::DeleteFBO(NVGLUframebuffer* fb)
{
  if (!fb)
    return;
  if (!mInDraw)
  {
    DeleteFramebufferNow(fb);
    return;
  }
  WDL_MutexLock lock(&mFBOMutex);
  mFBOStack.push(fb);
}

void IGraphicsNanoVG::ClearFBOStack()
{
  WDL_MutexLock lock(&mFBOMutex);
  while (!mFBOStack.empty())
  {
    DeleteFramebufferNow(mFBOStack.top());
    mFBOStack.pop();
  }
}

// ---- Paths ----

void IGraphicsNanoVG::PathClear()
{
  nvgBeginPath(mVG);
}

void IGraphicsNanoVG::PathClose()
{
  nvgClosePath(mVG);
}

void IGraphicsNanoVG::PathArc(float cx, float cy, float r, float a1, float a2, EWinding winding)
{
  const float kPi = static_cast<float>(M_PI);
  nvgArc(mVG, cx, cy, r, (a1 - 90.f) / 180.f * kPi, (a2 - 90.f) / 180.f * kPi,
         winding == kWindingCW ? NVG_CW : NVG_CCW);
}

void IGraphicsNanoVG::PathMoveTo(float x, float y)
{
  nvgMoveTo(mVG, x, y);
}

void IGraphicsNanoVG::PathLineTo(float x, float y)
{
  nvgLineTo(mVG, x, y);
}

void IGraphicsNanoVG::PathSetWinding(bool clockwise)
{
  nvgPathWinding(mVG, clockwise ? NVG_CW : NVG_CCW);
}

void IGraphicsNanoVG::PathCubicBezierTo(float c1x, float c1y, float c2x, float c2y, float x2, float y2)
{
  nvgBezierTo(mVG, c1x, c1y, c2x, c2y, x2, y2);
}

void IGraphicsNanoVG::PathQuadraticBezierTo(float cx, float cy, float x2, float y2)
{
  nvgQuadTo(mVG, cx, cy, x2, y2);
}

void IGraphicsNanoVG::PathStroke(const IPattern& pattern, float thickness, const IStrokeOptions& options,
                                 const IBlend* pBlend)
{
  switch (options.mCap)
  {
    case kCapRound: nvgLineCap(mVG, NVG_ROUND); break;
    case kCapSquare: nvgLineCap(mVG, NVG_SQUARE); break;
    default: nvgLineCap(mVG, NVG_BUTT); break;
  }
  switch (options.mJoin)
  {
    case kJoinRound: nvgLineJoin(mVG, NVG_ROUND); break;
    case kJoinBevel: nvgLineJoin(mVG, NVG_BEVEL); break;
    default: nvgLineJoin(mVG, NVG_MITER); break;
  }
  nvgMiterLimit(mVG, options.mMiterLimit);
  nvgStrokeWidth(mVG, thickness);
  if (pattern.mType == kPatternSolid)
    nvgStrokeColor(mVG, NanoVGColor(pattern.GetStop(0).mColor, pBlend));
  else
    nvgStrokePaint(mVG, NanoVGPaint(mVG, pattern, pBlend));
  nvgPathWinding(mVG, NVG_SOLID);
  NanoVGSetBlendMode(mVG, pBlend);
  nvgStroke(mVG);
  nvgGlobalCompositeOperation(mVG, NVG_SOURCE_OVER);
  if (!options.mPreserve)
    nvgBeginPath(mVG);
}

void IGraphicsNanoVG::PathFill(const IPattern& pattern, const IFillOptions& options, const IBlend* pBlend)
{
  if (options.mFillMode == kFillNonZero)
    nvgPathWinding(mVG, NVG_SOLID);
  else if (options.mFillMode == kFillEvenOdd)
    nvgPathWinding(mVG, NVG_HOLE);
  if (pattern.mType == kPatternSolid)
    nvgFillColor(mVG, NanoVGColor(pattern.GetStop(0).mColor, pBlend));
  else
    nvgFillPaint(mVG, NanoVGPaint(mVG, pattern, pBlend));
  NanoVGSetBlendMode(mVG, pBlend);
  nvgFill(mVG);
  nvgGlobalCompositeOperation(mVG, NVG_SOURCE_OVER);
  if (!options.mPreserve)
    nvgBeginPath(mVG);
}

void IGraphicsNanoVG::PathTransformSetMatrix(const IMatrix& m)
{
  nvgResetTransform(mVG);
  nvgScale(mVG, GetDrawScale(), GetDrawScale());
  if (!mLayerStack.empty())
  {
    const IRECT& layer = mLayerStack.top()->Bounds();
    nvgTranslate(mVG, -layer.L, -layer.T);
  }
  nvgTransform(mVG, static_cast<float>(m.mA), static_cast<float>(m.mB), static_cast<float>(m.mC),
               static_cast<float>(m.mD), static_cast<float>(m.mTX), static_cast<float>(m.mTY));
}

void IGraphicsNanoVG::SetClipRegion(const IRECT& r)
{
  mClipRect = r;
  nvgScissor(mVG, r.L, r.T, r.W(), r.H());
}

bool IGraphicsNanoVG::ClippedToPixelGrid(const IRECT& r, IRECT& cut) const
{
  if (mClipRect.Empty() || !(GetTransform() == IMatrix()))
    return false;
  const float s = GetBackingPixelScale();
  for (const float edge : {mClipRect.L, mClipRect.T, mClipRect.R, mClipRect.B})
    if (std::abs(edge * s - std::round(edge * s)) > 1e-3f)
      return false;
  cut = r.Intersect(mClipRect);
  if (cut.W() <= 0.f || cut.H() <= 0.f)
    cut = IRECT();
  return true;
}

void IGraphicsNanoVG::FillRect(const IColor& color, const IRECT& bounds, const IBlend* pBlend)
{
  IRECT cut;
  if (!ClippedToPixelGrid(bounds, cut))
  {
    IGraphics::FillRect(color, bounds, pBlend);
    return;
  }
  if (!cut.Empty())
    IGraphics::FillRect(color, cut, pBlend);
}

// ---- Bitmaps and shadows ----

void IGraphicsNanoVG::DrawBitmap(const IBitmap& bitmap, const IRECT& dest, int srcX, int srcY, const IBlend* pBlend)
{
  APIBitmap* pAPIBitmap = bitmap.GetAPIBitmap();
  if (!pAPIBitmap)
    return;
  const float scale = pAPIBitmap->GetScale() * pAPIBitmap->GetDrawScale();
  NVGpaint paint;
  std::memset(&paint, 0, sizeof(paint));
  nvgTransformScale(paint.xform, 1.f / scale, 1.f / scale);
  paint.xform[4] = dest.L - static_cast<float>(srcX);
  paint.xform[5] = dest.T - static_cast<float>(srcY);
  paint.extent[0] = static_cast<float>(bitmap.W()) * pAPIBitmap->GetScale();
  paint.extent[1] = static_cast<float>(bitmap.H()) * pAPIBitmap->GetScale();
  paint.innerColor = paint.outerColor = nvgRGBAf(1.f, 1.f, 1.f, BlendWeight(pBlend));
  paint.image = pAPIBitmap->GetBitmap();

  IRECT area = dest;
  IRECT cut;
  if (ClippedToPixelGrid(dest, cut))
  {
    if (cut.Empty())
      return;
    area = cut;
  }
  nvgBeginPath(mVG);
  NanoVGRect(mVG, area);
  nvgFillPaint(mVG, paint);
  NanoVGSetBlendMode(mVG, pBlend);
  nvgFill(mVG);
  nvgGlobalCompositeOperation(mVG, NVG_SOURCE_OVER);
  nvgBeginPath(mVG);
}

void IGraphicsNanoVG::DrawFastDropShadow(const IRECT& innerBounds, const IRECT& outerBounds, float xyDrop,
                                         float roundness, float blur, IBlend* pBlend)
{
  const NVGpaint shadow =
    nvgBoxGradient(mVG, innerBounds.L + xyDrop, innerBounds.T + xyDrop, innerBounds.W(), innerBounds.H(), roundness,
                   blur, NanoVGColor(COLOR_BLACK_DROP_SHADOW, pBlend), NanoVGColor(COLOR_TRANSPARENT, nullptr));
  nvgBeginPath(mVG);
  NanoVGRect(mVG, outerBounds);
  nvgFillPaint(mVG, shadow);
  nvgGlobalCompositeOperation(mVG, NVG_SOURCE_OVER);
  nvgFill(mVG);
  nvgBeginPath(mVG);
}

void IGraphicsNanoVG::DrawDottedLine(const IColor& color, float x1, float y1, float x2, float y2, const IBlend* pBlend,
                                     float thickness, float dashLen)
{
  const float dx = x2 - x1;
  const float dy = y2 - y1;
  const float length = std::sqrt(dx * dx + dy * dy);
  const int n = dashLen > 0.f ? static_cast<int>(std::round(length / dashLen)) : 0;
  nvgBeginPath(mVG);
  nvgMoveTo(mVG, x1, y1);
  if (n > 1)
  {
    for (int i = 1; i < n; i += 2)
    {
      const float a = static_cast<float>(i) / static_cast<float>(n);
      const float b = static_cast<float>(i + 1) / static_cast<float>(n);
      nvgLineTo(mVG, x1 + dx * a, y1 + dy * a);
      nvgMoveTo(mVG, x1 + dx * b, y1 + dy * b);
    }
  }
  PathStroke(color, thickness, IStrokeOptions(), pBlend);
}

void IGraphicsNanoVG::DrawDottedRect(const IColor& color, const IRECT& r, const IBlend* pBlend, float thickness,
                                     float dashLen)
{
  nvgBeginPath(mVG);
  if (dashLen > 0.f)
  {
    const auto clampX = [&r](float x) { return std::clamp(x, r.L, r.R); };
    const auto clampY = [&r](float y) { return std::clamp(y, r.T, r.B); };
    const int nW = static_cast<int>(std::ceil(r.W() / (2.f * dashLen)));
    const int nH = static_cast<int>(std::ceil(r.H() / (2.f * dashLen)));
    const float step = 2.f * dashLen;
    for (int i = 0; i < nW; ++i) // top, left to right
    {
      const float x = r.L + static_cast<float>(i) * step;
      nvgMoveTo(mVG, clampX(x), r.T);
      nvgLineTo(mVG, clampX(x + dashLen), r.T);
    }
    for (int i = 0; i < nH; ++i) // right, top to bottom
    {
      const float y = r.T + static_cast<float>(i) * step;
      nvgMoveTo(mVG, r.R, clampY(y));
      nvgLineTo(mVG, r.R, clampY(y + dashLen));
    }
    for (int i = 0; i < nW; ++i) // bottom, right to left
    {
      const float x = r.R - static_cast<float>(i) * step;
      nvgMoveTo(mVG, clampX(x), r.B);
      nvgLineTo(mVG, clampX(x - dashLen), r.B);
    }
    for (int i = 0; i < nH; ++i) // left, bottom to top
    {
      const float y = r.B - static_cast<float>(i) * step;
      nvgMoveTo(mVG, r.L, clampY(y));
      nvgLineTo(mVG, r.L, clampY(y - dashLen));
    }
  }
  PathStroke(color, thickness, IStrokeOptions(), pBlend);
}

IColor IGraphicsNanoVG::GetPoint(int x, int y)
{
  if (!mMainFrameBuffer || x < 0 || y < 0 || x >= BackingWidth() || y >= BackingHeight())
    return COLOR_TRANSPARENT;
  GLint previous = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
  BindFramebuffer(mMainFrameBuffer);
  unsigned char pixel[4] = {};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, BackingHeight() - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
  return IColor(pixel[3], pixel[0], pixel[1], pixel[2]);
}

// ---- Text ----

void IGraphicsNanoVG::PrepareAndMeasureText(const IText& text, const char* str, IRECT& r, double& x, double& y) const
{
  float bounds[4] = {};
  nvgFontBlur(mVG, 0.f);
  nvgFontSize(mVG, text.mSize);
  nvgFontFace(mVG, text.mFont);
  int align = 0;
  switch (text.mAlign)
  {
    case kAlignNear: x = r.L; align = NVG_ALIGN_LEFT; break;
    case kAlignFar: x = r.R; align = NVG_ALIGN_RIGHT; break;
    default: x = r.MW(); align = NVG_ALIGN_CENTER; break;
  }
  switch (text.mVAlign)
  {
    case kVAlignTop: y = r.T; align |= NVG_ALIGN_TOP; break;
    case kVAlignBottom: y = r.B; align |= NVG_ALIGN_BOTTOM; break;
    default: y = r.MH(); align |= NVG_ALIGN_MIDDLE; break;
  }
  nvgTextAlign(mVG, align);
  nvgTextBounds(mVG, static_cast<float>(x), static_cast<float>(y), str, nullptr, bounds);
  r = IRECT(bounds[0], bounds[1], bounds[2], bounds[3]);
}

float IGraphicsNanoVG::DoMeasureText(const IText& text, const char* str, IRECT& bounds) const
{
  if (!mVG)
    return 0.f;
  const IRECT target = bounds;
  double x = 0.0;
  double y = 0.0;
  PrepareAndMeasureText(text, str, bounds, x, y);
  DoMeasureTextRotation(text, target, bounds);
  return bounds.W();
}

void IGraphicsNanoVG::DoDrawText(const IText& text, const char* str, const IRECT& bounds, const IBlend* pBlend)
{
  IRECT measured = bounds;
  double x = 0.0;
  double y = 0.0;
  PrepareAndMeasureText(text, str, measured, x, y);
  PathTransformSave();
  if (text.mAngle != 0.f)
  {
    double tx = 0.0;
    double ty = 0.0;
    CalculateTextRotation(text, bounds, measured, tx, ty);
    PathTransformTranslate(static_cast<float>(tx), static_cast<float>(ty));
    PathTransformRotate(text.mAngle);
  }
  nvgFillColor(mVG, NanoVGColor(text.mColor, pBlend));
  NanoVGSetBlendMode(mVG, pBlend);
  nvgText(mVG, static_cast<float>(x), static_cast<float>(y), str, nullptr);
  nvgGlobalCompositeOperation(mVG, NVG_SOURCE_OVER);
  PathTransformRestore();
}

// ---- Resources ----

bool IGraphicsNanoVG::BitmapExtSupported(const char* ext)
{
  char lower[32] = {};
  if (!ext || std::strlen(ext) >= sizeof(lower))
    return false;
  for (size_t i = 0; ext[i]; ++i)
    lower[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(ext[i])));
  return std::strstr(lower, "png") || std::strstr(lower, "jpg") || std::strstr(lower, "jpeg");
}

IBitmap IGraphicsNanoVG::LoadBitmap(const char* name, int nStates, bool framesAreHorizontal, int targetScale)
{
  if (!name)
    return IBitmap();
  if (targetScale == 0)
    targetScale = static_cast<int>(std::ceil(GetScreenScale()));

  StaticStorage<APIBitmap>::Accessor lock(mBitmapCache);
  APIBitmap* pAPIBitmap = mBitmapCache.Find(name, targetScale);
  if (!pAPIBitmap)
  {
    const char* dot = std::strrchr(name, '.');
    const char* ext = dot ? dot + 1 : "";
    if (!BitmapExtSupported(ext))
      return IBitmap();
    WDL_String fullPath;
    int sourceScale = 0;
    const EResourceLocation location = SearchImageResource(name, ext, fullPath, targetScale, sourceScale);
    if (location == kNotFound)
      return IBitmap();
    pAPIBitmap = LoadAPIBitmap(fullPath.Get(), sourceScale, location, ext);
    if (!pAPIBitmap)
      return IBitmap();
    mBitmapCache.Add(pAPIBitmap, name, sourceScale);
  }
  return IBitmap(pAPIBitmap, nStates, framesAreHorizontal, name);
}

APIBitmap* IGraphicsNanoVG::LoadAPIBitmap(const char* fileNameOrResID, int scale, EResourceLocation location,
                                          const char* /*ext*/)
{
  if (location != kAbsolutePath || !mVG)
    return nullptr;
  return MakeDecodedBitmap(DecodedImage::FromFile(fileNameOrResID), scale);
}

APIBitmap* IGraphicsNanoVG::LoadAPIBitmap(const char* name, const void* pData, int dataSize, int scale)
{
  StaticStorage<APIBitmap>::Accessor lock(mBitmapCache);
  if (APIBitmap* cached = mBitmapCache.Find(name, scale))
    return cached;
  if (!mVG || !pData || dataSize <= 0)
    return nullptr;
  APIBitmap* bitmap = MakeDecodedBitmap(DecodedImage::FromMemory(pData, dataSize), scale);
  if (bitmap)
    mBitmapCache.Add(bitmap, name, scale);
  return bitmap;
}

APIBitmap* IGraphicsNanoVG::MakeDecodedBitmap(const DecodedImage& decoded, int scale)
{
  if (!decoded.Pixels())
    return nullptr;
  ActivateGLContext();
  auto* bitmap = new Bitmap(mVG, decoded.Width(), decoded.Height(), decoded.Pixels(), static_cast<float>(scale), 1.f,
                            false);
  DeactivateGLContext();
  if (bitmap->GetBitmap() <= 0)
  {
    delete bitmap;
    return nullptr;
  }
  bitmap->SetOpaque(decoded.IsOpaque());
  return bitmap;
}

APIBitmap* IGraphicsNanoVG::CreateAPIBitmap(int width, int height, float scale, double drawScale, bool /*cacheable*/)
{
  if (!mVG)
    return nullptr;
  if (mInDraw)
    nvgEndFrame(mVG);
  auto* bitmap = new Bitmap(this, mVG, width, height, scale, static_cast<float>(drawScale));
  // The frame goes on where it was: in the top layer, or in the main framebuffer.
  if (mInDraw)
    UpdateLayerTarget();
  return bitmap;
}

bool IGraphicsNanoVG::LoadAPIFont(const char* fontID, const PlatformFontPtr& font)
{
  if (!mVG || !fontID)
    return false;
  WDL_MutexLock lock(&FontMutex());
  if (IFontData* cached = FontCache().Find(fontID))
    return nvgCreateFontMemAtIndex(mVG, fontID, const_cast<unsigned char*>(cached->Get()), cached->GetSize(), 0,
                                   cached->GetFaceIdx()) != -1;
  IFontDataPtr data = font ? font->GetFontData() : nullptr;
  if (!data || !data->IsValid())
    return false;
  if (nvgCreateFontMemAtIndex(mVG, fontID, const_cast<unsigned char*>(data->Get()), data->GetSize(), 0,
                              data->GetFaceIdx()) == -1)
    return false;
  FontCache().Add(data.release(), fontID);
  return true;
}

// ---- Layers ----

void IGraphicsNanoVG::UpdateLayer()
{
  nvgEndFrame(mVG);
  UpdateLayerTarget();
}

void IGraphicsNanoVG::UpdateLayerTarget()
{
  if (mLayerStack.empty())
  {
    glViewport(0, 0, BackingWidth(), BackingHeight());
    BindFramebuffer(mMainFrameBuffer);
    BeginViewFrame();
    return;
  }
  const ILayer* layer = mLayerStack.top();
  const IRECT& r = layer->Bounds();
  const float s = GetBackingPixelScale();
  glViewport(0, 0, static_cast<int>(r.W() * s), static_cast<int>(r.H() * s));
  auto* bitmap = static_cast<Bitmap*>(layer->GetAPIBitmap());
  BindFramebuffer(bitmap ? bitmap->GetFBO() : nullptr);
  mClipRect = IRECT();
  nvgBeginFrame(mVG, r.W() * GetDrawScale(), r.H() * GetDrawScale(), GetScreenScale());
}

void IGraphicsNanoVG::GetLayerBitmapData(const ILayerPtr& layer, WDL_TypedBuf<unsigned char>& data)
{
  const APIBitmap* pAPIBitmap = layer ? layer->GetAPIBitmap() : nullptr;
  if (!pAPIBitmap)
    return;
  const int w = pAPIBitmap->GetWidth();
  const int h = pAPIBitmap->GetHeight();
  const int size = w * h * 4;
  if (size <= 0 || !data.Resize(size) || data.GetSize() != size)
    return;
  PushLayer(layer.get());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, data.Get());
  PopLayer();
}

void IGraphicsNanoVG::ApplyShadowMask(ILayerPtr& layer, WDL_TypedBuf<unsigned char>& mask, const IShadow& shadow)
{
  APIBitmap* pLayerBitmap = layer ? layer->GetAPIBitmap() : nullptr;
  if (!pLayerBitmap)
    return;
  const int w = pLayerBitmap->GetWidth();
  const int h = pLayerBitmap->GetHeight();
  if (mask.GetSize() < w * h * 4)
    return;
  const IRECT bounds = layer->Bounds();

  if (!shadow.mDrawContent)
  {
    PushLayer(layer.get());
    nvgGlobalCompositeBlendFunc(mVG, NVG_ZERO, NVG_ZERO);
    nvgBeginPath(mVG);
    NanoVGRect(mVG, bounds);
    nvgFillColor(mVG, NanoVGColor(COLOR_TRANSPARENT));
    nvgFill(mVG);
    nvgGlobalCompositeOperation(mVG, NVG_SOURCE_OVER);
    PopLayer();
  }

  const float scale = pLayerBitmap->GetScale();
  const float drawScale = pLayerBitmap->GetDrawScale();
  Bitmap maskImage(mVG, w, h, mask.Get(), scale, drawScale, true);
  ILayer shadowLayer(CreateAPIBitmap(w, h, scale, drawScale), bounds, nullptr, IRECT());
  if (!shadowLayer.GetAPIBitmap())
    return;

  PathTransformSave();
  PushLayer(layer.get());
  PushLayer(&shadowLayer);
  DrawBitmap(IBitmap(&maskImage, 1, false), bounds, 0, 0, nullptr);
  const IBlend srcIn(kBlendSrcIn, 1.f);
  PathTransformTranslate(-shadow.mXOffset, -shadow.mYOffset);
  PathRect(IRECT(bounds.L + shadow.mXOffset, bounds.T + shadow.mYOffset, bounds.R + shadow.mXOffset,
                 bounds.B + shadow.mYOffset));
  PathFill(shadow.mPattern, IFillOptions(), &srcIn);
  PopLayer();
  const IBlend dstOver(kBlendDstOver, std::clamp(shadow.mOpacity, 0.f, 1.f));
  DrawBitmap(shadowLayer.GetBitmap(),
             IRECT(bounds.L + shadow.mXOffset, bounds.T + shadow.mYOffset, bounds.R + shadow.mXOffset,
                   bounds.B + shadow.mYOffset),
             0, 0, &dstOver);
  PopLayer();
  PathTransformRestore();
}

} // namespace iplug::igraphics
