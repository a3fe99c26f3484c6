#pragma once

#include "ISwitchControlBase.h"
#include "IVectorBase.h"

namespace iplug::igraphics
{

// A vector switch: a pressable shape that steps through its states on each click, drawn pressed while the
// button is held, with the state's display text as its value. Main thread.
class IVSwitchControl : public ISwitchControlBase, public IVectorBase
{
public:
  // A switch of paramIdx (one state per whole number of its range); an empty label shows its name.
  IVSwitchControl(const IRECT& bounds, int paramIdx = -1, const char* label = "",
                  const IVStyle& style = DEFAULT_STYLE, bool valueInButton = true);
  // A switch of numStates states running actionFunc on each click.
  IVSwitchControl(const IRECT& bounds, IActionFunction actionFunc, const char* label = "",
                  const IVStyle& style = DEFAULT_STYLE, int numStates = 2, bool valueInButton = true);

  // Background, label, shape, value.
  void Draw(IGraphics& g) override;
  // The pressable shape in the widget area.
  void DrawWidget(IGraphics& g) override;
  // Number of states, value text and label from the linked parameter.
  void OnInit() override;
  // Lays out; the shape is the hit area.
  void OnResize() override;
  // Inside the shape's area.
  bool IsHit(float x, float y) const override;
  // Marks the switch dirty, then refreshes the value text.
  void SetDirty(bool triggerAction = true, int valIdx = -1) override;

  // The state the value stands for: (int)((states - 1) x value + 0.5).
  int GetSelectedIdx() const;

protected:
  // The value text of the current state: the parameter's display text with its label.
  virtual void UpdateValueStr();
};

// A two-state vector switch showing offText or onText as its value, drawn pressed while on.
class IVToggleControl : public IVSwitchControl
{
public:
  // A toggle of paramIdx.
  IVToggleControl(const IRECT& bounds, int paramIdx = -1, const char* label = "",
                  const IVStyle& style = DEFAULT_STYLE, const char* offText = "OFF", const char* onText = "ON");
  // A toggle running actionFunc on each click.
  IVToggleControl(const IRECT& bounds, IActionFunction actionFunc, const char* label = "",
                  const IVStyle& style = DEFAULT_STYLE, const char* offText = "OFF", const char* onText = "ON");

  // The shape, pressed while the value is above 0.5.
  void DrawWidget(IGraphics& g) override;

protected:
  // onText above 0.5, else offText.
  void UpdateValueStr() override;

private:
  WDL_String mOffText;
  WDL_String mOnText;
};

// A vector slide switch: a track cut into one cell per state along a direction, with the handle in the
// cell of the current state; a click slides the handle to the next state over 100 ms.
class IVSlideSwitchControl : public IVSwitchControl
{
public:
  // A slide switch of paramIdx along direction.
  IVSlideSwitchControl(const IRECT& bounds, int paramIdx = -1, const char* label = "",
                       const IVStyle& style = DEFAULT_STYLE, bool valueInButton = false,
                       EDirection direction = kDirectionHorizontal);
  // A slide switch of numStates states, starting at initialState, running actionFunc on each click.
  IVSlideSwitchControl(const IRECT& bounds, IActionFunction actionFunc, const char* label = "",
                       const IVStyle& style = DEFAULT_STYLE, bool valueInButton = false,
                       EDirection direction = kDirectionHorizontal, int numStates = 2, int initialState = 0);

  // The track, then the handle.
  void DrawWidget(IGraphics& g) override;
  // Lays out and puts the handle in its cell.
  void OnResize() override;
  // Steps to the next state and slides the handle there.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Puts the handle in its final cell.
  void OnEndAnimation() override;
  // Also moves the handle to the state's cell unless it is sliding.
  void SetDirty(bool triggerAction = true, int valIdx = -1) override;

  // The cell of state idx in the track.
  IRECT GetCell(int idx) const;
  // Where the handle is drawn now.
  const IRECT& GetHandleBounds() const { return mHandleBounds; }

private:
  // Moves the handle along from the start cell to the end cell by the animation's progress.
  static void SlideAnimation(IControl* pCaller);

  EDirection mDirection;
  IRECT mHandleBounds;
  IRECT mStartRect;
  IRECT mEndRect;
};

} // namespace iplug::igraphics
