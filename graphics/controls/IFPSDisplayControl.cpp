#include "IFPSDisplayControl.h"

#include <algorithm>
#include <numeric>

#include "IGraphics.h"

namespace iplug::igraphics
{

IFPSDisplayControl::IFPSDisplayControl(const IRECT& bounds, EStyle style, const char* label)
  : IControl(bounds)
  , IVectorBase(DEFAULT_STYLE)
  , mDisplayStyle(style)
  , mTitleStyle(14.f, DEFAULT_FRCOLOR, "Poppins-Medium", kAlignNear, kVAlignTop)
  , mReadoutStyle(18.f, DEFAULT_FRCOLOR, "Poppins-Medium", kAlignFar, kVAlignTop)
  , mSecondReadoutStyle(15.f, DEFAULT_FRCOLOR, "Poppins-Medium", kAlignFar, kVAlignBottom)
{
  AttachIControl(this, label);
  mLabel.Set(label ? label : "");
  ColorTexts();
}

void IFPSDisplayControl::ColorTexts()
{
  const IColor& frame = GetColor(kFR);
  mTitleStyle.mColor = frame;
  mReadoutStyle.mColor = frame;
  mSecondReadoutStyle.mColor = frame;
}

void IFPSDisplayControl::SetStyle(const IVStyle& style)
{
  IVectorBase::SetStyle(style);
  ColorTexts();
}

void IFPSDisplayControl::OnMouseDown(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  mDisplayStyle = static_cast<EStyle>((mDisplayStyle + 1) % 3);
}

void IFPSDisplayControl::Update(float timeSeconds)
{
  mBuffer[static_cast<std::size_t>(mReadPos)] = timeSeconds;
  mReadPos = (mReadPos + 1) % kNumDataPoints;
  mFilled = std::min(mFilled + 1, kNumDataPoints);
}

float IFPSDisplayControl::GetAverage() const
{
  // Over the frames seen so far: before the ring is full its empty slots are no frames of zero length.
  if (mFilled == 0)
    return 0.f;
  return std::accumulate(mBuffer.begin(), mBuffer.end(), 0.f) / static_cast<float>(mFilled);
}

float IFPSDisplayControl::GraphValue(float t) const
{
  switch (mDisplayStyle)
  {
  case kFPS: return std::min(1.f / (t + 0.00001f), 80.f) / 80.f;
  case kMS: return std::min(t * 1000.f, 20.f) / 20.f;
  case kPercentage: return std::min(t, 100.f) / 100.f;
  }
  return 0.f;
}

void IFPSDisplayControl::GetReadouts(WDL_String& main, WDL_String& second) const
{
  const float average = GetAverage();
  main.Set("");
  second.Set("");
  // Before any frame has been timed there is no rate to show, only the 1 / 0 of an empty ring.
  if (mFilled == 0)
    return;
  switch (mDisplayStyle)
  {
  case kPercentage: main.SetFormatted(32, "%.1f %%", average); break;
  case kMS: main.SetFormatted(32, "%.2f ms", average * 1000.f); break;
  case kFPS:
    main.SetFormatted(32, "%.2f FPS", average > 0.f ? 1.f / average : 0.f);
    second.SetFormatted(32, "%.2f ms", average * 1000.f);
    break;
  }
}

void IFPSDisplayControl::Draw(IGraphics& g)
{
  const IRECT& r = mBounds;
  g.PathClear();
  g.PathRect(r);
  IFillOptions keep;
  keep.mPreserve = true;
  g.PathFill(IPattern(mBackgroundColor), keep, &mDrawBlend);
  g.PathStroke(IPattern(COLOR_BLACK), 1.f, IStrokeOptions(), &mDrawBlend);

  // Oldest sample on the left: the write position is the oldest entry. Slots no frame has filled yet stay flat.
  const IRECT inner = r.GetPadded(-2.f);
  const int firstFilled = kNumDataPoints - mFilled;
  g.PathClear();
  g.PathMoveTo(inner.L, inner.B);
  for (int i = 0; i < kNumDataPoints; ++i)
  {
    const float t = mBuffer[static_cast<std::size_t>((mReadPos + i) % kNumDataPoints)];
    const float x = inner.L + inner.W() * static_cast<float>(i) / (kNumDataPoints - 1);
    g.PathLineTo(x, i < firstFilled ? inner.B : inner.B - GraphValue(t) * inner.H());
  }
  g.PathLineTo(inner.R, inner.B);
  g.PathClose();
  IPattern gradient = IPattern::CreateLinearGradient(inner.L, inner.T, inner.L, inner.B,
                                                     {{COLOR_BLUE, 0.f}, {COLOR_LIGHT_GRAY, 1.f}});
  g.PathFill(gradient, IFillOptions(), &mDrawBlend);

  g.DoDrawText(mTitleStyle, g.GetDrawingAPIStr(), inner, &mDrawBlend);
  const IRECT labelBounds(inner.L, inner.B - mTitleStyle.mSize, inner.R, inner.B);
  if (mLabel.GetLength() > 0)
    g.DoDrawText(mTitleStyle, mLabel.Get(), labelBounds, &mDrawBlend);
  WDL_String main, second;
  GetReadouts(main, second);
  if (main.GetLength() > 0)
    g.DoDrawText(mReadoutStyle, main.Get(), inner, &mDrawBlend);
  if (second.GetLength() > 0)
    g.DoDrawText(mSecondReadoutStyle, second.Get(), inner, &mDrawBlend);
}

} // namespace iplug::igraphics
