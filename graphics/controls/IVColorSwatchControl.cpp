#include "IVColorSwatchControl.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "IGraphics.h"

namespace iplug::igraphics
{

IVColorSwatchControl::IVColorSwatchControl(const IRECT& bounds, const char* label, IColorChosenFunc func,
                                           const IVStyle& style, ECellLayout layout,
                                           const std::vector<EVColor>& colorIDs,
                                           const std::vector<std::string>& cellLabels)
  : IControl(bounds)
  , IVectorBase(style)
  , mColorChosenFunc(std::move(func))
  , mLayout(layout)
  , mCellLabels(cellLabels)
{
  for (EVColor role : colorIDs)
    if (role >= 0 && role < kNumVColors)
      mColorIDs.push_back(role);
  if (mColorIDs.empty())
    for (int role = 0; role < kNumVColors; ++role)
      mColorIDs.push_back(static_cast<EVColor>(role));
  AttachIControl(this, label);
}

void IVColorSwatchControl::OnResize()
{
  SetTargetRECT(MakeRects(mBounds, false));
  const int n = NCells();
  int columns = n;
  if (mLayout == kVertical)
    columns = 1;
  else if (mLayout == kGrid)
    columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(n))));
  const int rows = (n + columns - 1) / columns;
  mCells.clear();
  for (int i = 0; i < n; ++i)
  {
    const IRECT row = SubRect(mWidgetBounds, kDirectionVertical, rows, i / columns);
    mCells.push_back(SubRect(row, kDirectionHorizontal, columns, i % columns));
  }
  SetDirty(false);
}

int IVColorSwatchControl::GetCellForPoint(float x, float y) const
{
  for (std::size_t i = 0; i < mCells.size(); ++i)
    if (mCells[i].Contains(x, y))
      return static_cast<int>(i);
  return -1;
}

void IVColorSwatchControl::ColorChosen(int idx, const IColor& color)
{
  if (idx < 0 || idx >= NCells())
    return;
  SetColor(mColorIDs[static_cast<std::size_t>(idx)], color);
  if (mColorChosenFunc)
    mColorChosenFunc(idx, color);
}

void IVColorSwatchControl::OnMouseDown(float x, float y, const IMouseMod& /*mod*/)
{
  const int idx = GetCellForPoint(x, y);
  if (idx < 0)
    return;
  IColor color = GetColor(mColorIDs[static_cast<std::size_t>(idx)]);
  // A platform answers either through the handler (perhaps later) or at once through the return value;
  // the shared flag makes sure the choice is reported once.
  auto reported = std::make_shared<bool>(false);
  const bool chosen = GetUI()->PromptForColor(color, "Choose a color", [this, idx, reported](const IColor& c) {
    *reported = true;
    ColorChosen(idx, c);
  });
  if (chosen && !*reported)
    ColorChosen(idx, color);
}

void IVColorSwatchControl::OnMouseOver(float x, float y, const IMouseMod& mod)
{
  mCellOver = GetCellForPoint(x, y);
  IControl::OnMouseOver(x, y, mod);
  SetDirty(false);
}

void IVColorSwatchControl::OnMouseOut()
{
  mCellOver = -1;
  IControl::OnMouseOut();
}

void IVColorSwatchControl::Draw(IGraphics& g)
{
  DrawBackground(g, mBounds);
  DrawLabel(g);
  DrawWidget(g);
}

void IVColorSwatchControl::DrawWidget(IGraphics& g)
{
  const IText cellText = mStyle.valueText.WithVAlign(kVAlignMiddle).WithAlign(kAlignNear);
  for (int i = 0; i < NCells(); ++i)
  {
    const IRECT& cell = GetCell(i);
    const bool named = i < static_cast<int>(mCellLabels.size()) && !mCellLabels[static_cast<std::size_t>(i)].empty();
    // A named cell shows a square swatch at its left and the name beside it; an unnamed one is all swatch.
    const float side = std::min(cell.W(), cell.H());
    const IRECT swatch = named ? IRECT(cell.L, cell.T, cell.L + side, cell.T + side) : cell;
    const IRECT inner = swatch.GetPadded(-std::min(2.f, side / 4.f));
    g.FillRect(GetColor(mColorIDs[static_cast<std::size_t>(i)]), inner, &mDrawBlend);
    if (mStyle.drawFrame && mStyle.frameThickness > 0.f)
      g.DrawRect(GetColor(kFR), inner, &mDrawBlend, mStyle.frameThickness);
    if (i == mCellOver)
      g.FillRect(GetColor(kHL), cell, &mDrawBlend);
    if (named)
      g.DrawText(cellText, mCellLabels[static_cast<std::size_t>(i)].c_str(),
                 IRECT(swatch.R + 2.f, cell.T, cell.R, cell.B), &mDrawBlend);
  }
}

} // namespace iplug::igraphics
