#include "IVTabSwitchControl.h"

#include <algorithm>

#include "IGraphics.h"
#include "IParam.h"

namespace iplug::igraphics
{

IVTabSwitchControl::IVTabSwitchControl(const IRECT& bounds, int paramIdx, const std::vector<std::string>& options,
                                       const char* label, const IVStyle& style, EVShape shape, EDirection direction)
  : ISwitchControlBase(bounds, paramIdx, nullptr, std::max(static_cast<int>(options.size()), 1))
  , IVectorBase(style)
  , mDirection(direction)
{
  AttachIControl(this, label);
  mShape = shape;
  SetOptions(options);
}

IVTabSwitchControl::IVTabSwitchControl(const IRECT& bounds, IActionFunction actionFunc,
                                       const std::vector<std::string>& options, const char* label,
                                       const IVStyle& style, EVShape shape, EDirection direction)
  : ISwitchControlBase(bounds, -1, std::move(actionFunc), std::max(static_cast<int>(options.size()), 1))
  , IVectorBase(style)
  , mDirection(direction)
{
  AttachIControl(this, label);
  mShape = shape;
  SetOptions(options);
}

void IVTabSwitchControl::SetOptions(const std::vector<std::string>& options)
{
  mOptions = options;
  mNumStates = std::max(static_cast<int>(mOptions.size()), 1);
  mStatesDisabled.assign(static_cast<std::size_t>(mNumStates), false);
}

void IVTabSwitchControl::OnInit()
{
  const IParam* pParam = GetParam(0);
  if (!pParam)
    return;
  if (mOptions.empty())
  {
    std::vector<std::string> texts;
    for (int i = 0; i < pParam->NDisplayTexts(); ++i)
      texts.emplace_back(pParam->GetDisplayTextAtIdx(i));
    SetOptions(texts);
  }
  if (mLabelStr.GetLength() == 0)
    mLabelStr.Set(pParam->GetName());
}

void IVTabSwitchControl::LayoutButtons()
{
  const int n = static_cast<int>(mOptions.size());
  mButtons.clear();
  for (int i = 0; i < n; ++i)
    mButtons.push_back(SubRect(mWidgetBounds, mDirection, n, i));
}

void IVTabSwitchControl::OnResize()
{
  SetTargetRECT(MakeRects(mBounds, true));
  LayoutButtons();
  SetDirty(false);
}

bool IVTabSwitchControl::IsHit(float x, float y) const
{
  return mWidgetBounds.Contains(x, y);
}

int IVTabSwitchControl::GetButtonForPoint(float x, float y) const
{
  for (std::size_t i = 0; i < mButtons.size(); ++i)
    if (mButtons[i].Contains(x, y))
      return static_cast<int>(i);
  return -1;
}

int IVTabSwitchControl::GetSelectedIdx() const
{
  const int n = NButtons();
  if (n < 2)
    return 0;
  return std::clamp(static_cast<int>((n - 1) * GetValue(0) + 0.5), 0, n - 1);
}

void IVTabSwitchControl::OnMouseDown(float x, float y, const IMouseMod& /*mod*/)
{
  const int idx = GetButtonForPoint(x, y);
  if (idx < 0)
    return;
  const int n = NButtons();
  SetValue(n > 1 ? static_cast<double>(idx) / (n - 1) : 0.0, 0);
  mMouseDown = true;
  SetDirty(true);
}

void IVTabSwitchControl::OnMouseOver(float x, float y, const IMouseMod& mod)
{
  mMouseOverButton = GetButtonForPoint(x, y);
  ISwitchControlBase::OnMouseOver(x, y, mod);
  SetDirty(false);
}

void IVTabSwitchControl::OnMouseOut()
{
  mMouseOverButton = -1;
  ISwitchControlBase::OnMouseOut();
}

void IVTabSwitchControl::Draw(IGraphics& g)
{
  DrawBackground(g, mBounds);
  DrawLabel(g);
  DrawWidget(g);
  DrawValue(g, false);
}

void IVTabSwitchControl::DrawWidget(IGraphics& g)
{
  const int selected = GetSelectedIdx();
  for (int i = 0; i < NButtons(); ++i)
    DrawButton(g, i, GetButton(i), i == selected, i == mMouseOverButton, IsDisabled() || GetStateDisabled(i));
}

void IVTabSwitchControl::DrawButton(IGraphics& g, int idx, const IRECT& r, bool pressed, bool mouseOver,
                                    bool disabled)
{
  if (mShape == kVShapeRectangle || mShape == kVShapeTopRounded || mShape == kVShapeAllRounded)
  {
    // Only the outer corners of the first and last buttons are rounded, so the row reads as one bar.
    const bool first = idx == 0;
    const bool last = idx == NButtons() - 1;
    const bool horizontal = mDirection == kDirectionHorizontal;
    const float radius = mShape == kVShapeAllRounded ? std::min(r.W(), r.H()) / 2.f : RoundnessRadius(r);
    const bool tl = first;
    const bool tr = horizontal ? last : first;
    const bool bl = horizontal ? first : last;
    const bool br = last;
    const bool bottoms = mShape != kVShapeTopRounded;
    DrawPressableRectangle(g, r, pressed, mouseOver, disabled, tl, tr, bl && bottoms, br && bottoms, radius);
  }
  else
    DrawPressableShape(g, mShape, r, pressed, mouseOver, disabled);

  const IBlend blend = disabled ? IBlend(mDrawBlend.mMethod, 0.25f) : mDrawBlend;
  g.DrawText(mStyle.valueText.WithVAlign(kVAlignMiddle), GetOption(idx), r, &blend);
}

IVRadioButtonControl::IVRadioButtonControl(const IRECT& bounds, int paramIdx,
                                           const std::vector<std::string>& options, const char* label,
                                           const IVStyle& style, EVShape shape, EDirection direction,
                                           float buttonSize)
  : IVTabSwitchControl(bounds, paramIdx, options, label, style, shape, direction)
  , mButtonSize(std::max(buttonSize, 1.f))
{
}

IVRadioButtonControl::IVRadioButtonControl(const IRECT& bounds, IActionFunction actionFunc,
                                           const std::vector<std::string>& options, const char* label,
                                           const IVStyle& style, EVShape shape, EDirection direction,
                                           float buttonSize)
  : IVTabSwitchControl(bounds, std::move(actionFunc), options, label, style, shape, direction)
  , mButtonSize(std::max(buttonSize, 1.f))
{
}

IRECT IVRadioButtonControl::GetButtonShape(int idx) const
{
  const IRECT& row = GetButton(idx);
  const float size = std::min({mButtonSize, row.W(), row.H()});
  return IRECT(row.L, row.MH() - size / 2.f, row.L + size, row.MH() + size / 2.f);
}

int IVRadioButtonControl::GetButtonForPoint(float x, float y) const
{
  // An option reaches from its button to the end of its text, so the text is clickable too, the empty
  // rest of the row is not.
  const IGraphics* pGraphics = GetUI();
  for (int i = 0; i < NButtons(); ++i)
  {
    const IRECT& row = GetButton(i);
    float right = row.R;
    if (pGraphics)
    {
      IRECT text;
      pGraphics->MeasureText(mStyle.valueText, GetOption(i), text);
      right = std::min(row.R, GetButtonShape(i).R + mButtonSize / 2.f + text.W());
    }
    if (IRECT(row.L, row.T, right, row.B).Contains(x, y))
      return i;
  }
  return -1;
}

void IVRadioButtonControl::DrawButton(IGraphics& g, int idx, const IRECT& r, bool pressed, bool mouseOver,
                                      bool disabled)
{
  const IRECT shape = GetButtonShape(idx);
  DrawPressableShape(g, mShape, shape, pressed, mouseOver, disabled);
  const IRECT textArea(shape.R + mButtonSize / 2.f, r.T, r.R, r.B);
  const IBlend blend = disabled ? IBlend(mDrawBlend.mMethod, 0.25f) : mDrawBlend;
  g.DrawText(mStyle.valueText.WithVAlign(kVAlignMiddle).WithAlign(kAlignNear), GetOption(idx), textArea, &blend);
}

} // namespace iplug::igraphics
