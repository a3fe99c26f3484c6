#include "ICornerResizerControl.h"

#include "IGraphics.h"

namespace iplug::igraphics
{

ICornerResizerControl::ICornerResizerControl(const IRECT& graphicsBounds, float size, const IColor& color,
                                             const IColor& mouseOverColour, const IColor& dragColor)
  : IControl(IRECT(graphicsBounds.R - size, graphicsBounds.B - size, graphicsBounds.R, graphicsBounds.B))
  , mSize(size)
  , mInitialGraphicsBounds(graphicsBounds)
  , mColor(color)
  , mMouseOverColor(mouseOverColour)
  , mDragColor(dragColor)
{
}

void ICornerResizerControl::Draw(IGraphics& g)
{
  const IColor& color = g.GetResizingInProcess() ? mDragColor : mMouseOver ? mMouseOverColor : mColor;
  g.FillTriangle(color, mBounds.L, mBounds.B, mBounds.R, mBounds.T, mBounds.R, mBounds.B, &mDrawBlend);
}

void ICornerResizerControl::OnMouseDown(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  GetUI()->StartDragResize();
}

void ICornerResizerControl::OnMouseDblClick(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  GetUI()->Resize(static_cast<int>(mInitialGraphicsBounds.W()), static_cast<int>(mInitialGraphicsBounds.H()), 1.f);
}

void ICornerResizerControl::OnMouseOver(float x, float y, const IMouseMod& mod)
{
  if (!mMouseOver)
    mPrevCursorType = GetUI()->SetMouseCursor(kCursorSizeNWSE);
  mMouseOver = true;
  IControl::OnMouseOver(x, y, mod);
}

void ICornerResizerControl::OnMouseOut()
{
  if (mMouseOver)
    GetUI()->SetMouseCursor(mPrevCursorType);
  mMouseOver = false;
  IControl::OnMouseOut();
}

void ICornerResizerControl::OnRescale()
{
  const IGraphics* pGraphics = GetUI();
  const float s = mSize / pGraphics->GetDrawScale();
  const float w = static_cast<float>(pGraphics->Width());
  const float h = static_cast<float>(pGraphics->Height());
  mBounds = mHitBounds = IRECT(w - s, h - s, w, h);
  OnResize();
}

} // namespace iplug::igraphics
