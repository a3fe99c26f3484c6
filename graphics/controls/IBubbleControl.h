#pragma once

#include "IControl.h"

namespace iplug::igraphics
{

// The value bubble that floats beside a control while the user drags it: shown by the graphics
// context's ShowBubbleControl, it fades in, stays while its caller is captured, and fades out about a
// second after the release. Starts hidden and lets the pointer through. Main thread.
class IBubbleControl : public IControl
{
public:
  // Side of the bubble the arrow sits on.
  enum EArrowDir
  {
    kNorth,
    kEast,
    kSouth,
    kWest
  };
  // Animation state.
  enum EState
  {
    kCollapsed,
    kExpanding,
    kExpanded,
    kCollapsing
  };

  // A bubble drawing text in fillColor, outlined in strokeColor, with corner radius roundness.
  IBubbleControl(const IText& text = DEFAULT_TEXT, const IColor& fillColor = COLOR_WHITE,
                 const IColor& strokeColor = COLOR_BLACK, float roundness = 5.f);

  // Shows str for pCaller at (x, y): beside it (horizontal) or above it (vertical), kept inside the allowed area.
  void ShowBubble(IControl* pCaller, float x, float y, const char* str, EDirection dir, IRECT minimumContentBounds,
                  std::uintptr_t touchId = 0);
  // Limits where the bubble may go; the empty rectangle means the whole editor.
  void SetMaxBounds(const IRECT& bounds) { mMaxBounds = bounds; }
  // Shadow, bubble and text, with the fading weight.
  void Draw(IGraphics& g) override;

  // Current animation state.
  EState GetState() const { return mState; }
  // Where the arrow points from the bubble towards the caller.
  EArrowDir GetArrowDir() const { return mArrowDir; }
  // The bubble's rectangle.
  const IRECT& GetBubbleBounds() const { return mBubbleBounds; }
  // The text shown.
  const char* GetStr() const { return mStr.Get(); }

protected:
  // The rounded rectangle with its arrow, filled and outlined.
  virtual void DrawBubble(IGraphics& g, const IRECT& r);
  // The text inside r.
  virtual void DrawContent(IGraphics& g, const IRECT& r);

private:
  // Fades in over the animation, then waits.
  static void FadeIn(IControl* pCaller);
  // Waits while the caller is dragged, then fades out.
  static void Wait(IControl* pCaller);
  // Fades out over the animation, then hides.
  static void FadeOut(IControl* pCaller);
  // Starts the one-second wait after the fade-in.
  void StartWait();

  std::uintptr_t mTouchId = 0;
  EDirection mDirection = kDirectionHorizontal;
  IRECT mMaxBounds;
  IRECT mBubbleBounds;
  IControl* mCaller = nullptr;
  EArrowDir mArrowDir = kWest;
  WDL_String mStr;
  IBlend mBlend{kBlendSrcOver, 0.f};
  float mRoundness;
  float mHorizontalPadding = 10.f;
  float mVerticalPadding = 10.f;
  float mOpacity = 0.95f;
  float mStrokeThickness = 2.f;
  float mCalloutSize = 5.f;
  IColor mFillColor;
  IColor mStrokeColor;
  EState mState = kCollapsed;
};

} // namespace iplug::igraphics
