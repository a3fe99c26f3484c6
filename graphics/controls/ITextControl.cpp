#include "ITextControl.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "IGraphics.h"
#include "IParam.h"

namespace iplug::igraphics
{

ITextControl::ITextControl(const IRECT& bounds, const char* str, const IText& text, const IColor& bgColor,
                           bool setBoundsBasedOnStr)
  : IControl(bounds)
  , mStr(str ? str : "")
  , mBGColor(bgColor)
  , mSetBoundsBasedOnStr(setBoundsBasedOnStr)
{
  mPassThroughMouse = true;
  mTextStyle = text;
}

void ITextControl::OnInit()
{
  if (mSetBoundsBasedOnStr)
    SetBoundsBasedOnStr();
}

void ITextControl::SetStr(const char* str)
{
  if (!str)
    str = "";
  if (std::strcmp(str, mStr.Get()) == 0)
    return;
  mStr.Set(str);
  if (mSetBoundsBasedOnStr)
    SetBoundsBasedOnStr();
  SetDirty(false);
}

void ITextControl::SetStrFmt(int maxlen, const char* fmt, ...)
{
  std::va_list args;
  va_start(args, fmt);
  std::vector<char> text(static_cast<std::size_t>(std::max(maxlen, 0)) + 1);
  std::vsnprintf(text.data(), text.size(), fmt, args);
  va_end(args);
  mStr.Set(text.data());
  SetDirty(false);
}

void ITextControl::SetBoundsBasedOnStr()
{
  IGraphics* pGraphics = GetUI();
  if (!pGraphics)
    return;
  IRECT measured = mBounds;
  pGraphics->MeasureText(mTextStyle, mStr.Get(), measured);
  const float w = measured.W(), h = measured.H();
  mBounds = mHitBounds = IRECT(mBounds.MW() - w / 2.f, mBounds.MH() - h / 2.f, mBounds.MW() + w / 2.f,
                               mBounds.MH() + h / 2.f);
  OnResize();
}

void ITextControl::SetBoxColor(const IColor& color)
{
  mBGColor = color;
  SetDirty(false);
}

void ITextControl::Draw(IGraphics& g)
{
  g.FillRect(mBGColor, mBounds, &mDrawBlend);
  if (mStr.GetLength() > 0)
    g.DrawText(mTextStyle, mStr.Get(), mBounds, &mDrawBlend);
}

ICaptionControl::ICaptionControl(const IRECT& bounds, int paramIdx, const IText& text, const IColor& bgColor,
                                 bool showParamLabel)
  : ITextControl(bounds, "", text, bgColor)
  , mShowParamLabel(showParamLabel)
{
  SetParamIdx(paramIdx);
  mPassThroughMouse = false;
}

void ICaptionControl::OnResize()
{
  const IParam* pParam = GetParam(0);
  if (pParam && pParam->Type() == IParam::kTypeEnum)
  {
    const float left = mBounds.R - 0.1f * mBounds.W() - 4.f;
    const float top = mBounds.MH() - 2.5f;
    mTri = IRECT(left, top, left + 8.f, top + 5.f);
  }
  else
    mTri = IRECT();
}

void ICaptionControl::Draw(IGraphics& g)
{
  if (const IParam* pParam = GetParam(0))
  {
    WDL_String display;
    if (mShowParamLabel)
      pParam->GetDisplayWithLabel(display, true);
    else
      pParam->GetDisplay(display, true);
    mStr.Set(display.Get());
  }
  g.FillRect(mBGColor, mBounds, &mDrawBlend);
  if (mStr.GetLength() > 0 && g.GetEntryTarget() != this)
    g.DrawText(mTextStyle, mStr.Get(), mBounds, &mDrawBlend);
  if (mTri.W() > 0.f)
  {
    const IBlend half(mDrawBlend.mMethod, mDrawBlend.mWeight * 0.5f);
    g.FillTriangle(mTextStyle.mColor, mTri.L, mTri.T, mTri.R, mTri.T, mTri.MW(), mTri.B,
                   mHovered ? &mDrawBlend : &half);
  }
}

void ICaptionControl::OnMouseDown(float /*x*/, float /*y*/, const IMouseMod& mod)
{
  if ((mod.L || mod.R) && GetParam(0) && !mNoPrompt)
    GetUI()->PromptUserInput(*this, mBounds, 0);
}

IURLControl::IURLControl(const IRECT& bounds, const char* label, const char* url, const IText& text,
                         const IColor& bgColor, const IColor& mouseOverColor, const IColor& clickedColor)
  : ITextControl(bounds, label, text, bgColor)
  , mURLStr(url ? url : "")
  , mOriginalColor(text.mColor)
  , mMouseOverColor(mouseOverColor)
  , mClickedColor(clickedColor)
{
  mPassThroughMouse = false;
}

void IURLControl::Draw(IGraphics& g)
{
  g.FillRect(mBGColor, mBounds, &mDrawBlend);
  mTextStyle.mColor = mHovered ? mMouseOverColor : mClicked ? mClickedColor : mOriginalColor;
  IRECT measured = mBounds;
  g.MeasureText(mTextStyle, mStr.Get(), measured);
  // The underline spans the text where its alignment puts it.
  float left = mBounds.L;
  if (mTextStyle.mAlign == kAlignCenter)
    left = mBounds.MW() - measured.W() / 2.f;
  else if (mTextStyle.mAlign == kAlignFar)
    left = mBounds.R - measured.W();
  float baseline = mBounds.MH() + measured.H() / 2.f;
  if (mTextStyle.mVAlign == kVAlignTop)
    baseline = mBounds.T + measured.H();
  else if (mTextStyle.mVAlign == kVAlignBottom)
    baseline = mBounds.B;
  g.DrawLine(mTextStyle.mColor, left, baseline, left + measured.W(), baseline, &mDrawBlend, 1.f);
  if (mStr.GetLength() > 0)
    g.DrawText(mTextStyle, mStr.Get(), mBounds, &mDrawBlend);
}

void IURLControl::OnMouseDown(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  GetUI()->OpenURL(mURLStr.Get());
  GetUI()->ReleaseMouseCapture();
  mClicked = true;
}

void IURLControl::OnMouseOver(float x, float y, const IMouseMod& mod)
{
  GetUI()->SetMouseCursor(kCursorHand);
  IControl::OnMouseOver(x, y, mod);
}

void IURLControl::OnMouseOut()
{
  GetUI()->SetMouseCursor(kCursorArrow);
  IControl::OnMouseOut();
}

void IURLControl::SetText(const IText& text)
{
  ITextControl::SetText(text);
  mOriginalColor = text.mColor;
}

ITextToggleControl::ITextToggleControl(const IRECT& bounds, int paramIdx, const char* offText, const char* onText,
                                       const IText& text, const IColor& bgColor)
  : ITextControl(bounds, offText, text, bgColor)
  , mOffText(offText ? offText : "")
  , mOnText(onText ? onText : "")
{
  SetParamIdx(paramIdx);
  mPassThroughMouse = false;
  mDoubleClickIsClick = true;
}

ITextToggleControl::ITextToggleControl(const IRECT& bounds, IActionFunction actionFunc, const char* offText,
                                       const char* onText, const IText& text, const IColor& bgColor)
  : ITextControl(bounds, offText, text, bgColor)
  , mOffText(offText ? offText : "")
  , mOnText(onText ? onText : "")
{
  SetActionFunction(std::move(actionFunc));
  mPassThroughMouse = false;
  mDoubleClickIsClick = true;
}

void ITextToggleControl::OnMouseDown(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  SetValue(GetValue(0) < 0.5 ? 1.0 : 0.0, 0);
  SetDirty(true);
}

void ITextToggleControl::SetDirty(bool triggerAction, int /*valIdx*/)
{
  SetStr(GetValue(0) > 0.5 ? mOnText.Get() : mOffText.Get());
  ITextControl::SetDirty(triggerAction, -1);
}

PlaceHolder::PlaceHolder(const IRECT& bounds, const char* str)
  : ITextControl(bounds, str, IText(20.f, DEFAULT_TEXT_FGCOLOR, "Poppins-Medium"), DEFAULT_BGCOLOR)
  , mCentreLabel(mTextStyle)
{
  mPassThroughMouse = false;
  mNoPrompt = false;
  mDoubleClickIsClick = false;
}

void PlaceHolder::OnResize()
{
  mTLGCText.SetFormatted(32, "%0.1f, %0.1f", mBounds.L, mBounds.T);
  mWidthText.SetFormatted(32, "%0.1f", mBounds.W());
  mHeightText.SetFormatted(32, "%0.1f", mBounds.H());
  SetDirty(false);
}

void PlaceHolder::Draw(IGraphics& g)
{
  g.FillRect(mBGColor, mBounds, &mDrawBlend);
  g.DrawLine(COLOR_BLACK, mBounds.L, mBounds.T, mBounds.R, mBounds.B, &mDrawBlend);
  g.DrawLine(COLOR_BLACK, mBounds.L, mBounds.B, mBounds.R, mBounds.T, &mDrawBlend);

  IText small = mTextStyle;
  small.mSize *= 0.6f;
  // Each readout is placed by one anchor of its measured box, so none reaches outside the control: the
  // height starts 10 units in from the left edge (centred vertically), the width hangs 10 units below the
  // top (centred horizontally), the position starts 10 units in from the top-left corner.
  enum class Anchor { LeftMiddle, TopCentre, TopLeft };
  const auto label = [&](const char* str, float x, float y, Anchor anchor, float weight) {
    IRECT r(x, y, x, y);
    g.MeasureText(small, str, r);
    const float w = r.W(), h = r.H();
    switch (anchor)
    {
    case Anchor::LeftMiddle: r = IRECT(x, y - h / 2.f, x + w, y + h / 2.f); break;
    case Anchor::TopCentre: r = IRECT(x - w / 2.f, y, x + w / 2.f, y + h); break;
    case Anchor::TopLeft: r = IRECT(x, y, x + w, y + h); break;
    }
    const IBlend backing(kBlendSrcOver, weight * mDrawBlend.mWeight);
    g.FillRect(COLOR_WHITE, r, &backing);
    g.DrawText(small, str, r, &mDrawBlend);
  };
  label(mHeightText.Get(), mBounds.L + 10.f, mBounds.MH(), Anchor::LeftMiddle, 0.5f);
  label(mWidthText.Get(), mBounds.MW(), mBounds.T + 10.f, Anchor::TopCentre, 0.5f);
  label(mTLGCText.Get(), mBounds.L + 10.f, mBounds.T + 10.f, Anchor::TopLeft, 0.75f);
  if (mStr.GetLength() > 0)
    g.DrawText(mCentreLabel, mStr.Get(), mBounds, &mDrawBlend);
}

} // namespace iplug::igraphics
