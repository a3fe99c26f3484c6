#include "IBitmapControls.h"

#include <algorithm>
#include <cmath>

#include "IGraphics.h"

namespace iplug::igraphics
{

namespace
{

// (x, y, x + frame width, y + frame height).
IRECT FrameBoundsAt(float x, float y, const IBitmap& bitmap)
{
  return IRECT(x, y, x + static_cast<float>(bitmap.FW()), y + static_cast<float>(bitmap.FH()));
}

// A w x h rectangle centred in r.
IRECT CentredIn(const IRECT& r, float w, float h)
{
  return IRECT(r.MW() - w / 2.f, r.MH() - h / 2.f, r.MW() + w / 2.f, r.MH() + h / 2.f);
}

} // namespace

int IBitmapBase::FrameForValue(int nFrames, double v)
{
  // Any value picks a frame: NaN and values up to 0 the first, values from 1 (infinity too) the last.
  if (nFrames < 2 || !(v > 0.0))
    return 1;
  const int term = static_cast<int>((nFrames - 1) * std::min(v, 1.0) + 0.5);
  return std::min(term + 1, nFrames);
}

bool IBitmapBase::CoversOpaquely() const
{
  const APIBitmap* pAPIBitmap = mBitmap.GetAPIBitmap();
  const IBlend& blend = mControl->GetBlend();
  const IRECT& bounds = mControl->GetRECT();
  return pAPIBitmap && pAPIBitmap->IsOpaque() && blend.mMethod == kBlendSrcOver && blend.mWeight >= 1.f &&
         static_cast<float>(mBitmap.FW()) == bounds.W() && static_cast<float>(mBitmap.FH()) == bounds.H();
}

void IBitmapBase::DrawBitmap(IGraphics& g)
{
  const int n = mBitmap.N();
  const int frame = FrameForValue(n, mControl->GetValue(0));
  const IRECT dest = CentredIn(mControl->GetRECT(), static_cast<float>(mBitmap.FW()), static_cast<float>(mBitmap.FH()));
  int srcX = 0;
  int srcY = 0;
  if (frame > 1)
  {
    if (mBitmap.GetFramesAreHorizontal())
      srcX = mBitmap.W() * (frame - 1) / n;
    else
      srcY = mBitmap.H() * (frame - 1) / n;
  }
  g.DrawBitmap(mBitmap, dest, srcX, srcY, &mControl->GetBlend());
}

void IBitmapBase::RescaleBitmap()
{
  IGraphics* pGraphics = mControl->GetUI();
  if (!pGraphics)
    return;
  // A strip that cannot be found at the new scale keeps the one already drawn.
  const IBitmap scaled = pGraphics->GetScaledBitmap(mBitmap);
  if (scaled.IsValid())
    mBitmap = scaled;
}

IBitmapControl::IBitmapControl(float x, float y, const IBitmap& bitmap, int paramIdx, EBlend blend)
  : IBitmapControl(FrameBoundsAt(x, y, bitmap), bitmap, paramIdx, blend)
{
}

IBitmapControl::IBitmapControl(const IRECT& bounds, const IBitmap& bitmap, int paramIdx, EBlend blend)
  : IControl(bounds, paramIdx)
  , IBitmapBase(bitmap, this)
{
  mDrawBlend = IBlend(blend, 1.f);
}

void IBitmapControl::OnRescale()
{
  IGraphics* pGraphics = GetUI();
  if (!pGraphics || mBitmap.GetResourceName().GetLength() == 0)
    return;
  const int targetScale = static_cast<int>(std::ceil(pGraphics->GetScreenScale()));
  const IBitmap reloaded = pGraphics->LoadBitmap(mBitmap.GetResourceName().Get(), mBitmap.N(),
                                                 mBitmap.GetFramesAreHorizontal(), targetScale);
  // A bitmap that cannot be found at the new scale keeps the one already drawn.
  if (reloaded.IsValid())
    mBitmap = reloaded;
}

IBKnobControl::IBKnobControl(float x, float y, const IBitmap& bitmap, int paramIdx, EDirection dir, double gearing)
  : IBKnobControl(FrameBoundsAt(x, y, bitmap), bitmap, paramIdx, dir, gearing)
{
}

IBKnobControl::IBKnobControl(const IRECT& bounds, const IBitmap& bitmap, int paramIdx, EDirection dir, double gearing)
  : IKnobControlBase(bounds, paramIdx, dir, gearing)
  , IBitmapBase(bitmap, this)
{
}

IBKnobRotaterControl::IBKnobRotaterControl(float x, float y, const IBitmap& bitmap, int paramIdx, EDirection dir,
                                           double gearing)
  : IKnobControlBase(FrameBoundsAt(x, y, bitmap), paramIdx, dir, gearing)
  , IBitmapBase(bitmap, this)
{
}

void IBKnobRotaterControl::Draw(IGraphics& g)
{
  const double angle = GetValue(0) * 260.0 - 130.0;
  g.DrawRotatedBitmap(mBitmap, mBounds.MW(), mBounds.MH(), angle, &mDrawBlend);
}

IBSwitchControl::IBSwitchControl(float x, float y, const IBitmap& bitmap, int paramIdx)
  : IBSwitchControl(FrameBoundsAt(x, y, bitmap), bitmap, paramIdx)
{
}

IBSwitchControl::IBSwitchControl(const IRECT& bounds, const IBitmap& bitmap, int paramIdx)
  : ISwitchControlBase(bounds, paramIdx, nullptr, 2)
  , IBitmapBase(bitmap, this)
{
}

void IBSwitchControl::OnMouseDown(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  // The strip, not the parameter, decides the step: each click shows the next frame.
  const int n = mBitmap.N();
  double v = GetValue(0) + (n < 2 ? 1.0 : 1.0 / (n - 1));
  if (v > 1.001)
    v = 0.0;
  SetValue(v, 0);
  SetDirty(true);
}

IBButtonControl::IBButtonControl(float x, float y, const IBitmap& bitmap, IActionFunction actionFunc)
  : IBButtonControl(FrameBoundsAt(x, y, bitmap), bitmap, std::move(actionFunc))
{
}

IBButtonControl::IBButtonControl(const IRECT& bounds, const IBitmap& bitmap, IActionFunction actionFunc)
  : IButtonControlBase(bounds, std::move(actionFunc))
  , IBitmapBase(bitmap, this)
{
}

namespace
{

// Bounds trackLength long along dir starting at (x, y), the handle's size across.
IRECT SliderBoundsAt(float x, float y, float trackLength, const IBitmap& handle, EDirection dir)
{
  if (dir == kDirectionVertical)
    return IRECT(x, y, x + static_cast<float>(handle.FW()), y + trackLength);
  return IRECT(x, y, x + trackLength, y + static_cast<float>(handle.FH()));
}

// The handle's size along the direction of travel.
float HandleSize(const IBitmap& handle, EDirection dir)
{
  return static_cast<float>(dir == kDirectionVertical ? handle.H() : handle.W());
}

} // namespace

IBSliderControl::IBSliderControl(float x, float y, float trackLength, const IBitmap& handleBitmap,
                                 const IBitmap& trackBitmap, int paramIdx, EDirection dir, double gearing)
  : IBSliderControl(SliderBoundsAt(x, y, trackLength, handleBitmap, dir), handleBitmap, trackBitmap, paramIdx, dir,
                    gearing)
{
}

IBSliderControl::IBSliderControl(const IRECT& bounds, const IBitmap& handleBitmap, const IBitmap& trackBitmap,
                                 int paramIdx, EDirection dir, double gearing)
  : ISliderControlBase(bounds, paramIdx, dir, gearing, HandleSize(handleBitmap, dir))
  , IBitmapBase(handleBitmap, this)
  , mTrackBitmap(trackBitmap)
{
}

void IBSliderControl::OnResize()
{
  if (mTrackBitmap.IsValid())
    mTrackBounds = CentredIn(mBounds, static_cast<float>(mTrackBitmap.FW()), static_cast<float>(mTrackBitmap.FH()));
  else if (mDirection == kDirectionVertical)
    mTrackBounds = IRECT(mBounds.MW() - mBitmap.FW() / 2.f, mBounds.T, mBounds.MW() + mBitmap.FW() / 2.f, mBounds.B);
  else
    mTrackBounds = IRECT(mBounds.L, mBounds.MH() - mBitmap.FH() / 2.f, mBounds.R, mBounds.MH() + mBitmap.FH() / 2.f);
  SetDirty(false);
}

IRECT IBSliderControl::GetHandleBounds(double value) const
{
  if (value < 0.0)
    value = GetValue(0);
  const float fw = static_cast<float>(mBitmap.FW());
  const float fh = static_cast<float>(mBitmap.FH());
  if (mDirection == kDirectionHorizontal)
  {
    const float l = mTrackBounds.L + (mTrackBounds.W() - static_cast<float>(mBitmap.W())) * static_cast<float>(value);
    return IRECT(l, mTrackBounds.T, l + fw, mTrackBounds.T + fh);
  }
  const float t = mTrackBounds.T + (mTrackBounds.H() - static_cast<float>(mBitmap.H())) * static_cast<float>(1.0 - value);
  return IRECT(mTrackBounds.L, t, mTrackBounds.L + fw, t + fh);
}

void IBSliderControl::Draw(IGraphics& g)
{
  if (mTrackBitmap.IsValid())
  {
    const IRECT trackDest = CentredIn(mBounds, static_cast<float>(mTrackBitmap.FW()), static_cast<float>(mTrackBitmap.FH()));
    g.DrawBitmap(mTrackBitmap, trackDest, 0, 0, &mDrawBlend);
  }
  g.DrawBitmap(mBitmap, GetHandleBounds(), 0, 0, &mDrawBlend);
}

IBTextControl::IBTextControl(const IRECT& bounds, const IBitmap& bitmap, const IText& text, const char* str,
                             int charWidth, int charHeight, int charOffset, bool multiLine, bool vCenter, EBlend blend)
  : ITextControl(bounds, str, text)
  , IBitmapBase(bitmap, this)
  , mCharWidth(charWidth)
  , mCharHeight(charHeight)
  , mCharOffset(charOffset)
  , mMultiLine(multiLine)
  , mVCentre(vCenter)
{
  mDrawBlend = IBlend(blend, 1.f);
}

void IBTextControl::Draw(IGraphics& g)
{
  g.DrawBitmapedText(mBitmap, mBounds, mTextStyle, &mDrawBlend, mStr.Get(), mVCentre, mMultiLine, mCharWidth,
                     mCharHeight, mCharOffset);
}

} // namespace iplug::igraphics
