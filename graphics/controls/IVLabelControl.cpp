#include "IVLabelControl.h"

#include "IGraphics.h"

namespace iplug::igraphics
{

IVLabelControl::IVLabelControl(const IRECT& bounds, const char* label, const IVStyle& style)
  : ITextControl(bounds, label, style.labelText, style.colorSpec.GetColor(kBG))
  , IVectorBase(style)
{
  AttachIControl(this, label);
}

void IVLabelControl::SetStyle(const IVStyle& style)
{
  mTextStyle = style.labelText;
  mBGColor = style.colorSpec.GetColor(kBG);
  IVectorBase::SetStyle(style);
}

void IVLabelControl::SetStr(const char* str)
{
  mLabelStr.Set(str ? str : "");
  ITextControl::SetStr(str);
}

void IVLabelControl::Draw(IGraphics& g)
{
  DrawBackground(g, mBounds);
  if (mStyle.showLabel && mStr.GetLength() > 0)
    g.DrawText(mTextStyle, mStr.Get(), mBounds, &mDrawBlend);
}

} // namespace iplug::igraphics
