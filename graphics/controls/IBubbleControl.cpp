#include "IBubbleControl.h"

#include <algorithm>

#include "IGraphics.h"

namespace iplug::igraphics
{

namespace
{
constexpr int kFadeMs = 200;
constexpr int kWaitMs = 1000;
} // namespace

IBubbleControl::IBubbleControl(const IText& text, const IColor& fillColor, const IColor& strokeColor, float roundness)
  : IControl(IRECT())
  , mRoundness(roundness)
  , mFillColor(fillColor)
  , mStrokeColor(strokeColor)
{
  mTextStyle = text;
  mIsHidden = true;
  mPassThroughMouse = true;
  SetActionFunction([](IControl* pCaller) { pCaller->SetAnimation(FadeIn, kFadeMs); });
}

void IBubbleControl::ShowBubble(IControl* pCaller, float x, float y, const char* str, EDirection dir,
                                IRECT minimumContentBounds, std::uintptr_t touchId)
{
  IGraphics* pGraphics = GetUI();
  mCaller = pCaller;
  mTouchId = touchId;
  mDirection = dir;
  mStr.Set(str ? str : "");

  IRECT textBounds;
  pGraphics->DoMeasureText(mTextStyle, mStr.Get(), textBounds);
  const float contentW = std::max(textBounds.W(), minimumContentBounds.W());
  const float contentH = std::max(textBounds.H(), minimumContentBounds.H());
  const float w = contentW + 2.f * mHorizontalPadding + 2.f * mCalloutSize;
  const float h = contentH + 2.f * mVerticalPadding;
  const IRECT area = mMaxBounds.Empty() ? pGraphics->GetBounds() : mMaxBounds;
  const IRECT& callerBounds = pCaller->GetRECT();

  if (dir == kDirectionHorizontal)
  {
    IRECT r(x, y - h / 2.f, x + w, y + h / 2.f);
    if (r.R > area.R - mCalloutSize - mHorizontalPadding)
    {
      r = IRECT(callerBounds.L - w, r.T, callerBounds.L, r.B);
      mArrowDir = kEast;
    }
    else
      mArrowDir = kWest;
    mBubbleBounds = r;
  }
  else
  {
    IRECT r(x - w / 2.f, y - h, x + w / 2.f, y);
    if (r.T < area.T)
    {
      r = IRECT(r.L, callerBounds.B, r.R, callerBounds.B + h);
      mArrowDir = kNorth;
    }
    else
      mArrowDir = kSouth;
    mBubbleBounds = r;
  }
  SetTargetAndDrawRECTs(mBubbleBounds);

  if (mState == kCollapsed)
  {
    Hide(false);
    mState = kExpanding;
    SetDirty(true);
  }
  else
  {
    if (mState == kCollapsing)
    {
      mBlend.mWeight = mOpacity;
      StartWait();
    }
    SetDirty(false);
  }
}

void IBubbleControl::StartWait()
{
  mState = kExpanded;
  SetAnimation(Wait, kWaitMs);
}

void IBubbleControl::FadeIn(IControl* pCaller)
{
  auto* pBubble = static_cast<IBubbleControl*>(pCaller);
  const double progress = pBubble->GetAnimationProgress();
  if (progress > 1.0)
  {
    pBubble->mBlend.mWeight = pBubble->mOpacity;
    pBubble->mState = kExpanded;
    pBubble->SetAnimationEndActionFunction([](IControl* pControl) {
      static_cast<IBubbleControl*>(pControl)->StartWait();
    });
    pBubble->OnEndAnimation();
    return;
  }
  pBubble->mBlend.mWeight = static_cast<float>(progress) * pBubble->mOpacity;
  pBubble->SetDirty(false);
}

void IBubbleControl::Wait(IControl* pCaller)
{
  auto* pBubble = static_cast<IBubbleControl*>(pCaller);
  if (pBubble->GetAnimationProgress() <= 1.0)
    return;
  if (pBubble->GetUI()->ControlIsCaptured(pBubble->mCaller))
  {
    pBubble->StartAnimation(kWaitMs);
    return;
  }
  pBubble->mState = kCollapsing;
  pBubble->SetAnimation(FadeOut, kFadeMs);
}

void IBubbleControl::FadeOut(IControl* pCaller)
{
  auto* pBubble = static_cast<IBubbleControl*>(pCaller);
  const double progress = pBubble->GetAnimationProgress();
  if (progress > 1.0)
  {
    pBubble->mBlend.mWeight = 0.f;
    pBubble->mState = kCollapsed;
    pBubble->SetAnimationEndActionFunction(nullptr);
    pBubble->OnEndAnimation();
    pBubble->Hide(true);
    return;
  }
  pBubble->mBlend.mWeight = static_cast<float>(1.0 - progress) * pBubble->mOpacity;
  pBubble->SetDirty(false);
}

void IBubbleControl::Draw(IGraphics& g)
{
  g.DrawFastDropShadow(mBubbleBounds, mBubbleBounds.GetPadded(2.f), 2.f, mRoundness, 10.f, &mBlend);
  DrawBubble(g, mBubbleBounds);
  DrawContent(g, mBubbleBounds);
}

void IBubbleControl::DrawBubble(IGraphics& g, const IRECT& r)
{
  // The body sits inside the arrow margin; the arrow points out of the side facing the caller.
  const IRECT body = mDirection == kDirectionHorizontal
                       ? IRECT(r.L + mCalloutSize, r.T, r.R - mCalloutSize, r.B)
                       : IRECT(r.L, r.T + (mArrowDir == kNorth ? mCalloutSize : 0.f), r.R,
                               r.B - (mArrowDir == kSouth ? mCalloutSize : 0.f));
  const float rad = std::min({mRoundness, body.W() / 2.f, body.H() / 2.f});
  g.PathClear();
  g.PathMoveTo(body.L + rad, body.T);
  if (mArrowDir == kNorth)
  {
    g.PathLineTo(body.MW() - mCalloutSize, body.T);
    g.PathLineTo(body.MW(), r.T);
    g.PathLineTo(body.MW() + mCalloutSize, body.T);
  }
  g.PathArc(body.R - rad, body.T + rad, rad, 0.f, 90.f);
  if (mArrowDir == kEast)
  {
    g.PathLineTo(body.R, body.MH() - mCalloutSize);
    g.PathLineTo(r.R, body.MH());
    g.PathLineTo(body.R, body.MH() + mCalloutSize);
  }
  g.PathArc(body.R - rad, body.B - rad, rad, 90.f, 180.f);
  if (mArrowDir == kSouth)
  {
    g.PathLineTo(body.MW() + mCalloutSize, body.B);
    g.PathLineTo(body.MW(), r.B);
    g.PathLineTo(body.MW() - mCalloutSize, body.B);
  }
  g.PathArc(body.L + rad, body.B - rad, rad, 180.f, 270.f);
  if (mArrowDir == kWest)
  {
    g.PathLineTo(body.L, body.MH() + mCalloutSize);
    g.PathLineTo(r.L, body.MH());
    g.PathLineTo(body.L, body.MH() - mCalloutSize);
  }
  g.PathArc(body.L + rad, body.T + rad, rad, 270.f, 360.f);
  g.PathClose();
  IFillOptions fill;
  fill.mPreserve = true;
  g.PathFill(IPattern(mFillColor), fill, &mBlend);
  g.PathStroke(IPattern(mStrokeColor), mStrokeThickness, IStrokeOptions(), &mBlend);
}

void IBubbleControl::DrawContent(IGraphics& g, const IRECT& r)
{
  if (mStr.GetLength() > 0)
    g.DoDrawText(mTextStyle, mStr.Get(), r, &mBlend);
}

} // namespace iplug::igraphics
