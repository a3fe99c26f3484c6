#pragma once

#include "IControl.h"

namespace iplug::igraphics
{

// The triangle in the bottom-right corner with which the user scales or resizes the whole editor.
// The graphics context keeps it apart from the standard controls, hit-tests it first and runs the
// drag itself; the control only starts the drag, keeps its on-screen size and restores the initial
// size on a double click. Main thread.
class ICornerResizerControl : public IControl
{
public:
  // A resizer of size user units (at scale 1) in the corner of graphicsBounds, in the three colours.
  ICornerResizerControl(const IRECT& graphicsBounds, float size, const IColor& color = COLOR_TRANSLUCENT,
                        const IColor& mouseOverColour = COLOR_BLACK, const IColor& dragColor = COLOR_BLACK);

  // The filled triangle, in the drag colour while resizing, else the hover or normal colour.
  void Draw(IGraphics& g) override;
  // Starts the graphics context's drag-resize.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Restores the editor's initial size at scale 1.
  void OnMouseDblClick(float x, float y, const IMouseMod& mod) override;
  // Shows the diagonal size cursor on entry, remembering the previous one.
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  // Restores the remembered cursor.
  void OnMouseOut() override;
  // Keeps the on-screen size: size / draw scale user units in the editor's bottom-right corner.
  void OnRescale() override;

  // Size in user units at scale 1.
  float GetSize() const { return mSize; }

private:
  float mSize;
  ECursor mPrevCursorType = kCursorArrow;
  IRECT mInitialGraphicsBounds;
  IColor mColor;
  IColor mMouseOverColor;
  IColor mDragColor;
  bool mMouseOver = false;
};

} // namespace iplug::igraphics
