#include "IPopupMenuControl.h"

#include "IGraphics.h"
#include "IVirtualKeys.h"

namespace iplug::igraphics
{

namespace
{

// v kept within [lo, hi]; lo wins when the range is empty (a panel larger than the allowed area starts at its edge).
float Clamp(float v, float lo, float hi)
{
  return std::max(lo, std::min(v, hi));
}

// Whether an item can be highlighted and chosen as far as its own flags go.
bool Highlightable(const IPopupMenu::Item* pItem)
{
  return pItem && pItem->GetEnabled() && !pItem->GetIsSeparator() && !pItem->GetIsTitle();
}

} // namespace

// ---- MenuPanel ----

IPopupMenuControl::MenuPanel::MenuPanel(IPopupMenuControl& control, IPopupMenu& menu, float x, float y)
  : mMenu(menu)
{
  float width = 0.f;
  float height = 0.f;
  float textHeight = 0.f;
  control.MeasureMenu(menu, width, height, textHeight);
  const IRECT& maxBounds = control.mMaxBounds;
  const float gap = control.mCellGap;
  const int nItems = menu.NItems();

  float cellX = x;
  float cellY = y;
  for (int i = 0; i < nItems; ++i)
  {
    if (control.mMaxColumnItems > 0 && i > 0 && i % control.mMaxColumnItems == 0)
    {
      cellX += width + gap;
      cellY = y;
    }
    const float cellHeight = menu.GetItem(i)->GetIsSeparator() ? control.mSeparatorSize : textHeight;
    const IRECT cell(cellX, cellY, cellX + width, cellY + cellHeight);
    if (control.mScrollIfTooBig && cell.B > maxBounds.B - control.mCellRoundness)
    {
      mScroller = true;
      break;
    }
    mCellBounds.push_back(cell);
    cellY = cell.B + gap;
  }

  if (mScroller)
  {
    // Every cell of a scrolling panel is one text line high: separators scroll through them too.
    mCellBounds.clear();
    const float top = maxBounds.T + control.mCellRoundness + control.mDropShadowSize;
    const float rowHeight = textHeight + gap;
    const float room = maxBounds.B - control.mCellRoundness - top;
    const int rows = rowHeight > 0.f ? static_cast<int>(room / rowHeight) : nItems;
    mScrollMaxRows = std::clamp(rows, 0, nItems);
    for (int i = 0; i < mScrollMaxRows; ++i)
    {
      const float cellTop = top + static_cast<float>(i) * rowHeight;
      mCellBounds.emplace_back(x, cellTop, x + width, cellTop + textHeight);
    }
  }

  IRECT cells(x, y, x + width, y);
  if (!mCellBounds.empty())
  {
    cells = mCellBounds.front();
    for (const IRECT& cell : mCellBounds)
      cells = cells.Union(cell);
  }
  mRECT = cells.GetPadded(control.mCellRoundness);
  mTargetRECT = control.mSpecifiedExpandedBounds.Empty()
                  ? mRECT
                  : control.mSpecifiedExpandedBounds.GetPadded(control.mCellRoundness);
}

int IPopupMenuControl::MenuPanel::CellIndex(const IRECT* cell) const
{
  if (!cell || mCellBounds.empty() || cell < mCellBounds.data() || cell >= mCellBounds.data() + mCellBounds.size())
    return -1;
  return static_cast<int>(cell - mCellBounds.data());
}

bool IPopupMenuControl::MenuPanel::ShowsDownArrow(int cellIdx) const
{
  return mScroller && cellIdx == static_cast<int>(mCellBounds.size()) - 1 && ItemIndex(cellIdx) < mMenu.NItems() - 1;
}

// ---- Control ----

IPopupMenuControl::IPopupMenuControl(int paramIdx, IText text, IRECT collapsedBounds, IRECT expandedBounds)
  : IControl(collapsedBounds, paramIdx, &IPopupMenuControl::StartPopupAnimation)
  , mSpecifiedCollapsedBounds(collapsedBounds)
  , mSpecifiedExpandedBounds(expandedBounds)
{
  mTextStyle = text;
  mIsHidden = true;
}

IPopupMenuControl::~IPopupMenuControl() = default;

const IPopupMenuControl::MenuPanel* IPopupMenuControl::GetPanel(int idx) const
{
  return idx >= 0 && idx < NPanels() ? mMenuPanels[static_cast<std::size_t>(idx)].get() : nullptr;
}

void IPopupMenuControl::CreatePopupMenu(IPopupMenu& menu, const IRECT& anchorArea)
{
  mMenu = &menu;
  mMenuHasSubmenu = false;
  for (int i = 0; i < menu.NItems(); ++i)
    mMenuHasSubmenu = mMenuHasSubmenu || menu.GetItem(i)->GetSubmenu() != nullptr;
  if (mMaxBounds.W() <= 0.f && GetUI())
    mMaxBounds = GetUI()->GetBounds();
  if (mState == kCollapsed)
    Expand(anchorArea);
}

void IPopupMenuControl::MeasureMenu(const IPopupMenu& menu, float& width, float& height, float& textHeight)
{
  float textWidth = 0.f;
  textHeight = 0.f;
  for (int i = 0; i < menu.NItems(); ++i)
  {
    const char* text = menu.GetItem(i)->GetText();
    if (!GetUI() || !text || !*text)
      continue;
    IRECT bounds;
    GetUI()->MeasureText(mTextStyle, text, bounds);
    textWidth = std::max(textWidth, bounds.W());
    textHeight = std::max(textHeight, bounds.H());
  }
  width = textWidth + 2.f * mTextPadding + mTickAreaWidth + mArrowAreaWidth;
  int separators = 0;
  for (int i = 0; i < menu.NItems(); ++i)
    separators += menu.GetItem(i)->GetIsSeparator() ? 1 : 0;
  const int items = menu.NItems();
  height = std::max(0.f, static_cast<float>(items - 1) * mCellGap + static_cast<float>(separators) * mSeparatorSize +
                           static_cast<float>(items - separators) * textHeight);
}

void IPopupMenuControl::Expand(const IRECT& anchorArea)
{
  Hide(false);
  mState = kExpanding;
  if (GetUI())
    GetUI()->UpdateTooltips();
  mMenuPanels.clear();
  mActivePanel = mAppearingPanel = nullptr;
  mMouseOverCell = nullptr;
  mShowSubMenuCallout = false;
  mSubMenuCalloutArrowBounds = IRECT();
  mAnchorArea = anchorArea;

  float w = 0.f;
  float h = 0.f;
  float textHeight = 0.f;
  MeasureMenu(*mMenu, w, h, textHeight);

  const IRECT& a = anchorArea;
  const IRECT& m = mMaxBounds;
  const float cx = a.MW();
  const float cy = a.MH();
  const float s = mDropShadowSize;
  const float t = mCallOut ? mCalloutSize : 0.f;
  const float ts = mTextStyle.mSize;
  const float minX = m.L + s;
  const float maxX = m.R - w - 2.f * s;
  const float minY = m.T + s;
  const float maxY = m.B - h - 2.f * s;
  const bool anchorInUpperHalf = m.MH() >= cy;
  const bool anchorInLeftHalf = m.MW() >= cx;

  float x = 0.f;
  float y = 0.f;
  // Beside the anchor at height top: right of it in the left half of the area, else left of it.
  const auto beside = [&](float top) {
    y = top;
    if (anchorInLeftHalf)
    {
      x = a.R + t;
      mCalloutDirection = 1;
      mCalloutArrowBounds = IRECT(a.R, cy - t / 2.f, a.R + t, cy + t / 2.f);
    }
    else
    {
      x = a.L - t - w - s;
      mCalloutDirection = 3;
      mCalloutArrowBounds = IRECT(a.L - t, cy - t / 2.f, a.L, cy + t / 2.f);
    }
  };
  const auto below = [&]() {
    x = cx - w / 2.f;
    y = a.B + t;
    mCalloutDirection = 2;
    mCalloutArrowBounds = IRECT(cx - t / 2.f, a.B, cx + t / 2.f, a.B + t);
  };
  const auto above = [&]() {
    x = cx - w / 2.f;
    y = a.T - t - h - s;
    mCalloutDirection = 0;
    mCalloutArrowBounds = IRECT(cx - t / 2.f, a.T - t, cx + t / 2.f, a.T);
  };

  beside(anchorInUpperHalf ? cy - ts - t : cy + ts + t - h);
  const bool fits = x >= minX && x <= maxX && y >= minY && y <= maxY;
  if (!fits)
  {
    if (anchorInUpperHalf)
    {
      below();
      if (y > maxY)
        beside(maxY);
    }
    else
    {
      above();
      if (y < minY)
        beside(minY);
    }
    x = Clamp(x, minX, maxX);
    y = Clamp(y, minY, maxY);
  }

  if (mForceExpandDown && maxY >= a.B + t)
  {
    below();
    x = Clamp(x, minX, maxX);
  }

  if (mMenuHasSubmenu)
  {
    mSubMenuOpensRight = anchorInLeftHalf;
    if (m.B - a.B >= a.T - m.T)
      below();
    else
      above();
    x = Clamp(cx - w / 2.f + (mSubMenuOpensRight ? -mSubMenuOffset : mSubMenuOffset), minX, maxX);
    y = Clamp(y, minY, maxY);
  }

  mMenuPanels.push_back(std::make_unique<MenuPanel>(*this, *mMenu, x, y));
  mActivePanel = mAppearingPanel = mMenuPanels.back().get();
  UpdateBounds();
  OnResize();
  SetDirty(true);
}

void IPopupMenuControl::UpdateBounds()
{
  if (mMenuPanels.empty())
    return;
  IRECT drawn = mMenuPanels.front()->mRECT;
  IRECT hit = mMenuPanels.front()->mTargetRECT;
  for (const auto& panel : mMenuPanels)
  {
    drawn = drawn.Union(panel->mRECT);
    hit = hit.Union(panel->mTargetRECT);
  }
  // The shadow is drawn around the panels and may be offset by up to its size.
  drawn = drawn.GetPadded(2.f * mDropShadowSize);
  if (mCallOut)
    drawn = drawn.Union(mCalloutArrowBounds);
  if (mShowSubMenuCallout)
    drawn = drawn.Union(mSubMenuCalloutArrowBounds);
  mBounds = drawn;
  mHitBounds = hit;
}

IPopupMenu::Item* IPopupMenuControl::ItemForCell(const MenuPanel& panel, const IRECT* cell) const
{
  const int cellIdx = panel.CellIndex(cell);
  if (cellIdx < 0 || panel.ShowsUpArrow(cellIdx) || panel.ShowsDownArrow(cellIdx))
    return nullptr;
  return panel.mMenu.GetItem(panel.ItemIndex(cellIdx));
}

IRECT* IPopupMenuControl::HitCell(MenuPanel& panel, float x, float y)
{
  for (std::size_t i = 0; i < panel.mCellBounds.size(); ++i)
  {
    IRECT* cell = &panel.mCellBounds[i];
    if (!cell->Contains(x, y))
      continue;
    const int cellIdx = static_cast<int>(i);
    if (panel.ShowsUpArrow(cellIdx) || panel.ShowsDownArrow(cellIdx))
      return cell;
    return Highlightable(panel.mMenu.GetItem(panel.ItemIndex(cellIdx))) ? cell : nullptr;
  }
  return nullptr;
}

void IPopupMenuControl::DropPanelsAfter(int last)
{
  while (NPanels() > last + 1)
  {
    MenuPanel* pPanel = mMenuPanels.back().get();
    if (mAppearingPanel == pPanel)
      mAppearingPanel = nullptr;
    if (mActivePanel == pPanel)
      mActivePanel = nullptr;
    if (pPanel->CellIndex(mMouseOverCell) >= 0)
      mMouseOverCell = nullptr;
    mMenuPanels.pop_back();
  }
}

void IPopupMenuControl::CalculateSubmenus()
{
  if (!mActivePanel || !mMouseOverCell)
    return;
  int level = 0;
  while (mMenuPanels[static_cast<std::size_t>(level)].get() != mActivePanel)
    ++level;
  const IPopupMenu::Item* pItem = ItemForCell(*mActivePanel, mMouseOverCell);
  IPopupMenu* pSubmenu = pItem ? pItem->GetSubmenu() : nullptr;
  if (pSubmenu && level + 1 < NPanels() && &mMenuPanels[static_cast<std::size_t>(level + 1)]->mMenu == pSubmenu)
    return;

  DropPanelsAfter(level);
  mShowSubMenuCallout = false;
  if (!pSubmenu)
  {
    UpdateBounds();
    return;
  }

  float w = 0.f;
  float h = 0.f;
  float textHeight = 0.f;
  MeasureMenu(*pSubmenu, w, h, textHeight);
  const IRECT cell = *mMouseOverCell;
  const float gap = mCellRoundness + mSubMenuOffset;
  float x = mSubMenuOpensRight ? cell.R + gap : cell.L - gap - w;
  const float s = mDropShadowSize;
  x = Clamp(x, mMaxBounds.L + s, mMaxBounds.R - w - 2.f * s);
  const float y = Clamp(cell.T, mMaxBounds.T + s, mMaxBounds.B - h - 2.f * s);

  mMenuPanels.push_back(std::make_unique<MenuPanel>(*this, *pSubmenu, x, y));
  mAppearingPanel = mMenuPanels.back().get();
  const float half = mCalloutSize / 2.f;
  mSubMenuCalloutArrowBounds = mSubMenuOpensRight ? IRECT(cell.R, cell.MH() - half, cell.R + gap, cell.MH() + half)
                                                  : IRECT(cell.L - gap, cell.MH() - half, cell.L, cell.MH() + half);
  mShowSubMenuCallout = true;
  mState = kSubMenuAppearing;
  UpdateBounds();
  SetDirty(true);
}

// ---- Input ----

void IPopupMenuControl::OnMouseOver(float x, float y, const IMouseMod& /*mod*/)
{
  if (mState == kCollapsed || IsHidden())
    return;
  mMouseOverCell = mActivePanel ? HitCell(*mActivePanel, x, y) : nullptr;
  if (!mMouseOverCell)
  {
    for (auto it = mMenuPanels.rbegin(); it != mMenuPanels.rend(); ++it)
    {
      MenuPanel& panel = **it;
      if (panel.mShouldDraw && panel.mTargetRECT.Contains(x, y))
      {
        mActivePanel = &panel;
        mMouseOverCell = HitCell(panel, x, y);
        break;
      }
    }
  }
  CalculateSubmenus();

  if (mActivePanel && mActivePanel->mScroller && !mActivePanel->mCellBounds.empty())
  {
    MenuPanel& panel = *mActivePanel;
    const int rows = static_cast<int>(panel.mCellBounds.size());
    if (panel.mCellBounds.front().Contains(x, y) && panel.mScrollItemOffset > 0)
      --panel.mScrollItemOffset;
    else if (panel.mCellBounds.back().Contains(x, y) && panel.mScrollItemOffset + rows < panel.mMenu.NItems())
      ++panel.mScrollItemOffset;
  }
  SetDirty(false);
}

void IPopupMenuControl::OnMouseOut()
{
  mMouseOverCell = nullptr;
  SetDirty(false);
}

void IPopupMenuControl::OnMouseDrag(float x, float y, float /*dX*/, float /*dY*/, const IMouseMod& /*mod*/)
{
  if (!mActivePanel)
    return;
  mMouseOverCell = HitCell(*mActivePanel, x, y);
  SetDirty(false);
}

void IPopupMenuControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  if (mState != kIdling)
  {
    IControl::OnMouseDown(x, y, mod);
    return;
  }
  mMouseOverCell = mActivePanel ? HitCell(*mActivePanel, x, y) : nullptr;
  if (!mMouseOverCell)
  {
    // A click needs no hover before it: the panel under the pointer counts as active.
    for (auto it = mMenuPanels.rbegin(); it != mMenuPanels.rend() && !mMouseOverCell; ++it)
    {
      if ((*it)->mShouldDraw && (*it)->mTargetRECT.Contains(x, y))
      {
        mActivePanel = it->get();
        mMouseOverCell = HitCell(**it, x, y);
      }
    }
  }
  CollapseEverything();
}

void IPopupMenuControl::MoveHighlight(int step)
{
  if (!mActivePanel)
    return;
  MenuPanel& panel = *mActivePanel;
  const int nItems = panel.mMenu.NItems();
  const IPopupMenu::Item* pCurrent = ItemForCell(panel, mMouseOverCell);
  int itemIdx = pCurrent ? panel.ItemIndex(panel.CellIndex(mMouseOverCell)) : (step > 0 ? -1 : nItems);
  do
    itemIdx += step;
  while (itemIdx >= 0 && itemIdx < nItems && !Highlightable(panel.mMenu.GetItem(itemIdx)));
  if (itemIdx < 0 || itemIdx >= nItems)
    return;

  if (panel.mScroller)
  {
    // Scroll until the item sits in a cell that shows an item rather than an arrow.
    const int rows = static_cast<int>(panel.mCellBounds.size());
    for (int guard = 0; guard < nItems; ++guard)
    {
      const int cellIdx = itemIdx - panel.mScrollItemOffset;
      if (cellIdx >= 0 && cellIdx < rows && !panel.ShowsUpArrow(cellIdx) && !panel.ShowsDownArrow(cellIdx))
        break;
      panel.mScrollItemOffset += cellIdx < 1 ? -1 : 1;
    }
  }
  const int cellIdx = itemIdx - panel.mScrollItemOffset;
  if (cellIdx < 0 || cellIdx >= static_cast<int>(panel.mCellBounds.size()))
    return;
  mMouseOverCell = &panel.mCellBounds[static_cast<std::size_t>(cellIdx)];
  SetDirty(false);
}

bool IPopupMenuControl::OnKeyDown(float /*x*/, float /*y*/, const IKeyPress& key)
{
  if (mState != kIdling && mState != kExpanding && mState != kSubMenuAppearing)
    return false;
  switch (key.VK)
  {
  case kVK_UP: MoveHighlight(-1); return true;
  case kVK_DOWN: MoveHighlight(1); return true;
  case kVK_RIGHT:
  {
    // Opens the highlighted submenu and moves into it.
    CalculateSubmenus();
    const IPopupMenu::Item* pItem = mActivePanel ? ItemForCell(*mActivePanel, mMouseOverCell) : nullptr;
    if (pItem && pItem->GetSubmenu() && &mMenuPanels.back()->mMenu == pItem->GetSubmenu())
    {
      mActivePanel = mMenuPanels.back().get();
      mMouseOverCell = nullptr;
      MoveHighlight(1);
    }
    return true;
  }
  case kVK_LEFT:
  {
    // Closes the innermost submenu and returns to its cell in the parent panel.
    if (NPanels() < 2)
      return true;
    MenuPanel* pParent = mMenuPanels[mMenuPanels.size() - 2].get();
    IPopupMenu* pSubmenu = &mMenuPanels.back()->mMenu;
    DropPanelsAfter(NPanels() - 2);
    mActivePanel = pParent;
    mMouseOverCell = nullptr;
    for (std::size_t i = 0; i < pParent->mCellBounds.size(); ++i)
    {
      const IPopupMenu::Item* pItem = ItemForCell(*pParent, &pParent->mCellBounds[i]);
      if (pItem && pItem->GetSubmenu() == pSubmenu)
        mMouseOverCell = &pParent->mCellBounds[i];
    }
    mShowSubMenuCallout = false;
    UpdateBounds();
    SetDirty(false);
    return true;
  }
  case kVK_RETURN:
  case kVK_KEYPAD_ENTER:
    if (mState == kIdling)
      CollapseEverything();
    return true;
  case kVK_ESCAPE:
    if (mState == kIdling)
    {
      mMouseOverCell = nullptr;
      CollapseEverything();
    }
    return true;
  default: return false;
  }
}

// ---- Result and collapse ----

void IPopupMenuControl::CollapseEverything()
{
  IPopupMenu* pActiveMenu = mActivePanel ? &mActivePanel->mMenu : mMenu;
  if (pActiveMenu)
  {
    pActiveMenu->SetChosenItemIdx(-1);
    const IPopupMenu::Item* pItem = mActivePanel ? ItemForCell(*mActivePanel, mMouseOverCell) : nullptr;
    if (Highlightable(pItem) && !pItem->GetSubmenu())
    {
      pActiveMenu->SetChosenItemIdx(mActivePanel->ItemIndex(mActivePanel->CellIndex(mMouseOverCell)));
      mActivePanel->mClickedCell = mMouseOverCell;
    }
    pActiveMenu->ExecFunction();
    if (GetUI())
      GetUI()->SetControlValueAfterPopupMenu(pActiveMenu);
  }
  mShowSubMenuCallout = false;
  mSubMenuCalloutArrowBounds = IRECT();
  mActivePanel = nullptr;
  mState = kFlickering;
  Hide(true);
  SetDirty(true);
}

// ---- Animation ----

void IPopupMenuControl::StartPopupAnimation(IControl* pCaller)
{
  auto* pMenu = static_cast<IPopupMenuControl*>(pCaller);
  pMenu->SetAnimation(&IPopupMenuControl::PopupAnimation);
  pMenu->StartAnimation(pMenu->mState == kSubMenuAppearing ? 200 : 100);
}

void IPopupMenuControl::PopupAnimation(IControl* pCaller)
{
  auto* pMenu = static_cast<IPopupMenuControl*>(pCaller);
  const auto progress = static_cast<float>(pMenu->GetAnimationProgress());
  if (progress > 1.f)
  {
    pMenu->OnEndAnimation();
    return;
  }
  switch (pMenu->mState)
  {
  case kExpanding:
    if (pMenu->mAppearingPanel)
      pMenu->mAppearingPanel->mBlend.mWeight = progress * pMenu->mOpacity;
    break;
  case kCollapsing:
    for (auto& panel : pMenu->mMenuPanels)
      panel->mBlend.mWeight = (1.f - progress) * pMenu->mOpacity;
    break;
  case kSubMenuAppearing:
    if (pMenu->mAppearingPanel)
      pMenu->mAppearingPanel->mBlend.mWeight = progress > 0.9f ? pMenu->mOpacity : 0.f;
    break;
  case kFinishing:
    for (auto& panel : pMenu->mMenuPanels)
      panel->mBlend.mWeight = 0.f;
    break;
  default: break;
  }
}

void IPopupMenuControl::OnEndAnimation()
{
  switch (mState)
  {
  case kExpanding:
  case kSubMenuAppearing:
    for (auto& panel : mMenuPanels)
      panel->mBlend.mWeight = mOpacity;
    mState = kIdling;
    IControl::OnEndAnimation();
    break;
  case kFlickering:
    mState = kCollapsing;
    SetDirty(true);
    break;
  case kCollapsing:
    mHitBounds = mSpecifiedCollapsedBounds;
    for (auto& panel : mMenuPanels)
      panel->mBlend.mWeight = 0.f;
    mMouseOverCell = nullptr;
    mAnchorArea = IRECT();
    mState = kFinishing;
    SetDirty(true);
    break;
  case kFinishing:
    if (GetUI())
      GetUI()->UpdateTooltips();
    mMouseOverCell = nullptr;
    mActivePanel = mAppearingPanel = nullptr;
    mMenuPanels.clear();
    mBounds = mSpecifiedCollapsedBounds;
    mState = kCollapsed;
    IControl::OnEndAnimation();
    break;
  default:
    IControl::OnEndAnimation();
    break;
  }
}

// ---- Drawing ----

void IPopupMenuControl::Draw(IGraphics& g)
{
  for (auto& pPanel : mMenuPanels)
  {
    MenuPanel& panel = *pPanel;
    if (!panel.mShouldDraw)
      continue;
    DrawPanelShadow(g, &panel);
    DrawPanelBackground(g, &panel);
    for (std::size_t i = 0; i < panel.mCellBounds.size(); ++i)
    {
      IRECT& cell = panel.mCellBounds[i];
      const int cellIdx = static_cast<int>(i);
      const bool highlighted = &cell == mMouseOverCell;
      if (panel.ShowsUpArrow(cellIdx) || panel.ShowsDownArrow(cellIdx))
      {
        if (highlighted)
          DrawCellBackground(g, cell, nullptr, true, &panel.mBlend);
        if (panel.ShowsUpArrow(cellIdx))
          DrawUpArrow(g, cell, highlighted, &panel.mBlend);
        else
          DrawDownArrow(g, cell, highlighted, &panel.mBlend);
        continue;
      }
      const IPopupMenu::Item* pItem = panel.mMenu.GetItem(panel.ItemIndex(cellIdx));
      if (!pItem)
        continue;
      if (pItem->GetIsSeparator())
      {
        DrawSeparator(g, cell, &panel.mBlend);
        continue;
      }
      const bool selected = highlighted || &cell == panel.mClickedCell;
      const bool flickerOff = mState == kFlickering && panel.mClickedCell;
      if (selected && !flickerOff)
        DrawCellBackground(g, cell, pItem, true, &panel.mBlend);
      DrawCellText(g, cell, pItem, selected, &panel.mBlend);
      if (pItem->GetChecked())
        DrawTick(g, cell, pItem, selected, &panel.mBlend);
      if (pItem->GetSubmenu())
        DrawSubMenuArrow(g, cell, pItem, selected, &panel.mBlend);
    }
  }
  if (mMenuPanels.empty())
    return;
  IBlend* pRootBlend = &mMenuPanels.front()->mBlend;
  if (mCallOut)
    DrawCalloutArrow(g, mCalloutArrowBounds, pRootBlend);
  if (mMenuHasSubmenu && mShowSubMenuCallout)
    DrawSubMenuCalloutArrow(g, mSubMenuCalloutArrowBounds, &mMenuPanels.back()->mBlend);
}

void IPopupMenuControl::DrawCalloutArrow(IGraphics& g, const IRECT& bounds, IBlend* pBlend)
{
  // The arrow's tip touches the anchor.
  switch (mCalloutDirection)
  {
  case 0: g.FillTriangle(mPanelBackgroundColor, bounds.L, bounds.T, bounds.R, bounds.T, bounds.MW(), bounds.B, pBlend); break;
  case 1: g.FillTriangle(mPanelBackgroundColor, bounds.R, bounds.T, bounds.R, bounds.B, bounds.L, bounds.MH(), pBlend); break;
  case 2: g.FillTriangle(mPanelBackgroundColor, bounds.L, bounds.B, bounds.R, bounds.B, bounds.MW(), bounds.T, pBlend); break;
  default: g.FillTriangle(mPanelBackgroundColor, bounds.L, bounds.T, bounds.L, bounds.B, bounds.R, bounds.MH(), pBlend); break;
  }
}

void IPopupMenuControl::DrawSubMenuCalloutArrow(IGraphics& g, const IRECT& bounds, IBlend* pBlend)
{
  if (mSubMenuOpensRight)
    g.FillTriangle(mPanelBackgroundColor, bounds.R, bounds.T, bounds.R, bounds.B, bounds.L, bounds.MH(), pBlend);
  else
    g.FillTriangle(mPanelBackgroundColor, bounds.L, bounds.T, bounds.L, bounds.B, bounds.R, bounds.MH(), pBlend);
}

void IPopupMenuControl::DrawPanelBackground(IGraphics& g, MenuPanel* panel)
{
  g.FillRoundRect(mPanelBackgroundColor, panel->mRECT, mRoundness, &panel->mBlend);
}

void IPopupMenuControl::DrawPanelShadow(IGraphics& g, MenuPanel* panel)
{
  const IRECT inner = panel->mRECT.GetPadded(-mRoundness);
  const float xyDrop = 3.f;
  const IRECT outer = panel->mRECT.GetPadded(mDropShadowSize - xyDrop);
  g.DrawFastDropShadow(inner, outer, xyDrop, mRoundness, mDropShadowSize, &panel->mBlend);
}

void IPopupMenuControl::DrawCellBackground(IGraphics& g, const IRECT& bounds, const IPopupMenu::Item* /*pItem*/,
                                           bool /*sel*/, IBlend* pBlend)
{
  g.FillRoundRect(mCellBackGroundColor, bounds, mCellRoundness, pBlend);
}

void IPopupMenuControl::DrawCellText(IGraphics& g, const IRECT& bounds, const IPopupMenu::Item* pItem, bool sel,
                                     IBlend* pBlend)
{
  IText text = mTextStyle;
  text.mAlign = kAlignNear;
  text.mVAlign = kVAlignMiddle;
  text.mColor = sel ? mItemMouseoverColor : pItem->GetEnabled() ? mItemColor : mDisabledItemColor;
  const IRECT textBounds(bounds.L + mTextPadding + mTickAreaWidth, bounds.T, bounds.R - mTextPadding - mArrowAreaWidth,
                         bounds.B);
  g.DrawText(text, pItem->GetText(), textBounds, pBlend);
}

void IPopupMenuControl::DrawTick(IGraphics& g, const IRECT& bounds, const IPopupMenu::Item* /*pItem*/, bool sel,
                                 IBlend* pBlend)
{
  const IColor& color = sel ? mItemMouseoverColor : mItemColor;
  const float size = std::min(mTickAreaWidth, bounds.H()) * 0.6f;
  const float left = bounds.L + mTextPadding + (mTickAreaWidth - size) / 2.f;
  const float mid = bounds.MH();
  g.DrawLine(color, left, mid, left + size * 0.4f, mid + size * 0.4f, pBlend, 1.5f);
  g.DrawLine(color, left + size * 0.4f, mid + size * 0.4f, left + size, mid - size * 0.5f, pBlend, 1.5f);
}

void IPopupMenuControl::DrawSubMenuArrow(IGraphics& g, const IRECT& bounds, const IPopupMenu::Item* /*pItem*/, bool sel,
                                         IBlend* pBlend)
{
  const IColor& color = sel ? mItemMouseoverColor : mItemColor;
  const float half = std::min(mArrowAreaWidth, bounds.H()) / 2.f * 0.6f;
  const float cx = bounds.R - mTextPadding - mArrowAreaWidth / 2.f;
  const float cy = bounds.MH();
  if (mSubMenuOpensRight)
    g.FillTriangle(color, cx - half, cy - half, cx - half, cy + half, cx + half, cy, pBlend);
  else
    g.FillTriangle(color, cx + half, cy - half, cx + half, cy + half, cx - half, cy, pBlend);
}

void IPopupMenuControl::DrawUpArrow(IGraphics& g, const IRECT& bounds, bool sel, IBlend* pBlend)
{
  const IColor& color = sel ? mItemMouseoverColor : mItemColor;
  const float half = bounds.H() * 0.3f;
  g.FillTriangle(color, bounds.MW() - half, bounds.MH() + half / 2.f, bounds.MW() + half, bounds.MH() + half / 2.f,
                 bounds.MW(), bounds.MH() - half / 2.f, pBlend);
}

void IPopupMenuControl::DrawDownArrow(IGraphics& g, const IRECT& bounds, bool sel, IBlend* pBlend)
{
  const IColor& color = sel ? mItemMouseoverColor : mItemColor;
  const float half = bounds.H() * 0.3f;
  g.FillTriangle(color, bounds.MW() - half, bounds.MH() - half / 2.f, bounds.MW() + half, bounds.MH() - half / 2.f,
                 bounds.MW(), bounds.MH() + half / 2.f, pBlend);
}

void IPopupMenuControl::DrawSeparator(IGraphics& g, const IRECT& bounds, IBlend* pBlend)
{
  g.FillRect(mSeparatorColor, bounds, pBlend);
}

} // namespace iplug::igraphics
