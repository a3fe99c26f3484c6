#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include "IControl.h"
#include "IPopupMenu.h"

namespace iplug::igraphics
{

// A menu drawn by the graphics context itself, used instead of the platform's when the context has one
// attached. Hidden until a menu is shown; then it lays the menu out as panels of cells beside the control
// that asked, fades them in, highlights the cell under the pointer (or moved to with the arrow keys), scrolls
// panels taller than the allowed area, opens submenus in further panels, and after a click reports the choice
// to the graphics context and collapses with a short animation. Never owns the menu it shows. The graphics
// context owns the control; everything runs on the main (UI) thread.
class IPopupMenuControl : public IControl
{
public:
  // Animation state.
  enum EPopupState
  {
    kCollapsed,
    kExpanding,
    kIdling,
    kCollapsing,
    kFlickering,
    kSubMenuAppearing,
    kFinishing // panels faded out, waiting for the release
  };

  // One shown menu level: its cells (one per visible item), rectangles, fade and scroll position.
  class MenuPanel
  {
  public:
    // Lays out menu's cells from (x, y) for control; a panel too tall for the allowed area scrolls.
    MenuPanel(IPopupMenuControl& control, IPopupMenu& menu, float x, float y);

    // Index of the item shown in the cell at cellIdx.
    int ItemIndex(int cellIdx) const { return cellIdx + mScrollItemOffset; }
    // Index of cell among this panel's cells, or -1.
    int CellIndex(const IRECT* cell) const;
    // Whether the cell at cellIdx shows the scroll-up arrow instead of an item.
    bool ShowsUpArrow(int cellIdx) const { return mScroller && cellIdx == 0 && mScrollItemOffset > 0; }
    // Whether the cell at cellIdx shows the scroll-down arrow instead of an item.
    bool ShowsDownArrow(int cellIdx) const;

    IPopupMenu& mMenu;                 // the level shown (not owned)
    std::vector<IRECT> mCellBounds;    // one per visible cell, top to bottom, column by column
    IRECT mRECT;                       // drawn rectangle (cells plus the rounded margin)
    IRECT mTargetRECT;                 // rectangle that takes the pointer
    IBlend mBlend{kBlendSrcOver, 0.f}; // fade: weight 0 hidden .. mOpacity fully shown
    bool mShouldDraw = true;           // shown
    IRECT* mClickedCell = nullptr;     // the cell clicked in this panel, or null
    bool mScroller = false;            // too tall: shows mScrollMaxRows cells from mScrollItemOffset
    int mScrollItemOffset = 0;         // index of the item in the first cell
    int mScrollMaxRows = 0;            // cells that fit while scrolling
  };

  // A hidden menu control linked to paramIdx (usually -1) drawing with text; collapsedBounds are its
  // rectangles while hidden, expandedBounds (empty: none) the area panels take the pointer in [main-thread].
  IPopupMenuControl(int paramIdx = -1, IText text = DEFAULT_TEXT, IRECT collapsedBounds = IRECT(),
                    IRECT expandedBounds = IRECT());
  ~IPopupMenuControl() override;

  // Shows menu (not owned; kept alive by the caller until the result is reported) beside anchorArea;
  // ignored unless collapsed [main-thread].
  void CreatePopupMenu(IPopupMenu& menu, const IRECT& anchorArea);
  // Records the highlighted choice (or none) in the active menu, reports it and starts collapsing [main-thread].
  virtual void CollapseEverything();

  // The animation state.
  EPopupState GetState() const { return mState; }
  // Whether no menu is shown.
  bool GetCollapsed() const { return mState == kCollapsed; }
  // Whether a menu is shown and takes the pointer and keys.
  bool GetExpanded() const { return !IsHidden() && mState != kCollapsed; }
  // The shown panels, root first.
  int NPanels() const { return static_cast<int>(mMenuPanels.size()); }
  const MenuPanel* GetPanel(int idx) const;
  // The panel under the pointer, or null.
  const MenuPanel* GetActivePanel() const { return mActivePanel; }
  // The highlighted cell, or null.
  const IRECT* GetHighlightedCell() const { return mMouseOverCell; }
  // Rectangle of the control that asked for the menu.
  const IRECT& GetAnchorArea() const { return mAnchorArea; }
  // Direction of the panel from the anchor: 0 above, 1 right, 2 below, 3 left.
  int GetCalloutDirection() const { return mCalloutDirection; }
  // Whether submenus open to the right of their cells.
  bool GetSubMenuOpensRight() const { return mSubMenuOpensRight; }

  // Area panels stay inside (empty: the whole editor).
  void SetMaxBounds(const IRECT& bounds) { mMaxBounds = bounds; }
  // Starts a new column after this many cells; 0 = one column.
  void SetMaxColumnItems(int items) { mMaxColumnItems = std::max(items, 0); }
  // Whether a panel taller than the allowed area scrolls.
  void SetScrollIfTooBig(bool scroll) { mScrollIfTooBig = scroll; }
  // Whether a callout arrow points from the panel to the anchor.
  void SetCallout(bool callout) { mCallOut = callout; }
  // Whether the panel prefers the room below the anchor.
  void SetExpandDown(bool expandDown) { mForceExpandDown = expandDown; }
  // Panel, highlighted-cell, text, highlighted-text and separator colours.
  void SetPanelColor(const IColor& color) { mPanelBackgroundColor = color; }
  void SetCellBackgroundColor(const IColor& color) { mCellBackGroundColor = color; }
  void SetItemColor(const IColor& color) { mItemColor = color; }
  void SetItemMouseoverColor(const IColor& color) { mItemMouseoverColor = color; }
  void SetDisabledItemColor(const IColor& color) { mDisabledItemColor = color; }
  void SetSeparatorColor(const IColor& color) { mSeparatorColor = color; }

  // Control operations.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  void OnMouseWheel(float /*x*/, float /*y*/, const IMouseMod& /*mod*/, float /*d*/) override {}
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  void OnMouseOut() override;
  // Up and down move the highlight, right opens the highlighted submenu, left closes the innermost, return
  // chooses, escape dismisses; true when the key was one of them.
  bool OnKeyDown(float x, float y, const IKeyPress& key) override;
  void Draw(IGraphics& g) override;
  void OnEndAnimation() override;

  // Drawing steps; a subclass replaces them to restyle the menu.
  virtual void DrawCalloutArrow(IGraphics& g, const IRECT& bounds, IBlend* pBlend);
  virtual void DrawSubMenuCalloutArrow(IGraphics& g, const IRECT& bounds, IBlend* pBlend);
  virtual void DrawPanelBackground(IGraphics& g, MenuPanel* panel);
  virtual void DrawPanelShadow(IGraphics& g, MenuPanel* panel);
  virtual void DrawCellBackground(IGraphics& g, const IRECT& bounds, const IPopupMenu::Item* pItem, bool sel,
                                  IBlend* pBlend);
  virtual void DrawCellText(IGraphics& g, const IRECT& bounds, const IPopupMenu::Item* pItem, bool sel,
                            IBlend* pBlend);
  virtual void DrawTick(IGraphics& g, const IRECT& bounds, const IPopupMenu::Item* pItem, bool sel, IBlend* pBlend);
  virtual void DrawSubMenuArrow(IGraphics& g, const IRECT& bounds, const IPopupMenu::Item* pItem, bool sel,
                                IBlend* pBlend);
  virtual void DrawUpArrow(IGraphics& g, const IRECT& bounds, bool sel, IBlend* pBlend);
  virtual void DrawDownArrow(IGraphics& g, const IRECT& bounds, bool sel, IBlend* pBlend);
  virtual void DrawSeparator(IGraphics& g, const IRECT& bounds, IBlend* pBlend);

private:
  // Un-hides the control and lays the root panel out beside anchorArea.
  void Expand(const IRECT& anchorArea);
  // Panel width and height for menu with the text style; the item text height goes to textHeight.
  void MeasureMenu(const IPopupMenu& menu, float& width, float& height, float& textHeight);
  // Opens the highlighted cell's submenu in a new panel and drops panels off the highlighted path.
  void CalculateSubmenus();
  // The cell of panel under (x, y) whose item can be highlighted (scroll arrows included), or null.
  IRECT* HitCell(MenuPanel& panel, float x, float y);
  // The item shown in cell of panel, or null for scroll arrows.
  IPopupMenu::Item* ItemForCell(const MenuPanel& panel, const IRECT* cell) const;
  // Makes the control's rectangles cover every shown panel with its shadow and the callouts.
  void UpdateBounds();
  // Deletes the panels after index last, forgetting pointers into them.
  void DropPanelsAfter(int last);
  // Moves the keyboard highlight by step (+1 down, -1 up) to the next highlightable item of the active panel.
  void MoveHighlight(int step);
  // The control's action: starts the 100 ms step (200 ms while a submenu appears).
  static void StartPopupAnimation(IControl* pCaller);
  // One animation frame: fades panels by the state.
  static void PopupAnimation(IControl* pCaller);

  std::vector<std::unique_ptr<MenuPanel>> mMenuPanels;
  MenuPanel* mActivePanel = nullptr;
  MenuPanel* mAppearingPanel = nullptr;
  EPopupState mState = kCollapsed;
  IRECT* mMouseOverCell = nullptr;
  IPopupMenu* mMenu = nullptr;
  int mMaxColumnItems = 0;
  bool mScrollIfTooBig = true;
  bool mCallOut = false;
  bool mMenuHasSubmenu = false;
  bool mForceExpandDown = true;
  bool mSubMenuOpensRight = true;
  bool mShowSubMenuCallout = false;
  float mCellGap = 2.f;
  float mSeparatorSize = 2.f;
  float mRoundness = 5.f;
  float mDropShadowSize = 10.f;
  float mOpacity = 0.95f;
  float mSubMenuOffset = 0.f;
  float mTextPadding = 5.f;
  float mTickAreaWidth = 10.f;
  float mArrowAreaWidth = 8.f;
  float mCellRoundness = 5.f;
  float mCalloutSize = 8.f;
  IRECT mAnchorArea;
  int mCalloutDirection = 1;
  IRECT mCalloutArrowBounds;
  IRECT mSubMenuCalloutArrowBounds;
  IRECT mMaxBounds;
  IColor mPanelBackgroundColor = COLOR_WHITE;
  IColor mCellBackGroundColor = COLOR_BLUE;
  IColor mItemMouseoverColor = COLOR_WHITE;
  IColor mItemColor = COLOR_BLACK;
  IColor mDisabledItemColor = COLOR_GRAY;
  IColor mSeparatorColor = COLOR_MID_GRAY;
  IRECT mSpecifiedCollapsedBounds;
  IRECT mSpecifiedExpandedBounds;
};

} // namespace iplug::igraphics
