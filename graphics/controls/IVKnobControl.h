#pragma once

#include "IKnobControlBase.h"
#include "IVectorBase.h"

namespace iplug::igraphics
{

// A vector knob: a dial turning from aMin to aMax degrees (0 up, clockwise), a track drawn from the anchor
// angle to the current one, a pressable handle with a pointer, a label above and the value below. Dragging
// the dial moves the value (knob behaviour); with an editable value, clicking the value text prompts for a
// value. Main thread.
class IVKnobControl : public IKnobControlBase, public IVectorBase
{
public:
  // A knob linked to paramIdx; an empty label shows the parameter's name.
  IVKnobControl(const IRECT& bounds, int paramIdx, const char* label = "", const IVStyle& style = DEFAULT_STYLE,
                bool valueIsEditable = false, bool valueInWidget = false, float aMin = -135.f, float aMax = 135.f,
                float aAnchor = -135.f, EDirection direction = kDirectionVertical, double gearing = 4.0,
                float trackSize = 2.f);
  // The same running actionFunc instead of a parameter.
  IVKnobControl(const IRECT& bounds, IActionFunction actionFunc, const char* label = "",
                const IVStyle& style = DEFAULT_STYLE, bool valueIsEditable = false, bool valueInWidget = false,
                float aMin = -135.f, float aMax = 135.f, float aAnchor = -135.f,
                EDirection direction = kDirectionVertical, double gearing = 4.0, float trackSize = 2.f);

  // Background, label, widget, value.
  void Draw(IGraphics& g) override;
  // Track, handle and pointer at the current angle.
  void DrawWidget(IGraphics& g) override;
  // The arc from the anchor to angle at radius around (cx, cy), in the track colour.
  virtual void DrawIndicatorTrack(IGraphics& g, float angle, float cx, float cy, float radius);
  // The pointer line at angle from 0.1 to 1.0 of radius, in the frame colour.
  virtual void DrawPointer(IGraphics& g, float angle, float cx, float cy, float radius);
  // Takes the value text and the label from the linked parameter.
  void OnInit() override;
  // Lays out label, dial and value; the dial is the hit area.
  void OnResize() override;
  // Prompts when the value text is clicked (prompting on), else starts a drag.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Ends the drag and redraws.
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;
  // Tracks whether the pointer is over an editable value.
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  // Clears the value hover.
  void OnMouseOut() override;
  // Marks every slot dirty, then refreshes the value text.
  void SetDirty(bool triggerAction = true, int valIdx = -1) override;
  // The dial, or the value text when prompting is on.
  bool IsHit(float x, float y) const override;
  // The largest square in the dial.
  IRECT GetKnobDragBounds() override;
  // Also follows the style's cursor hiding and value text.
  void SetStyle(const IVStyle& style) override;

  // The dial angle in degrees for the current value.
  float GetAngle() const;
  // Whether the pointer is over an editable value.
  bool GetValueMouseOver() const { return mValueMouseOver; }

private:
  // Shared set-up of both constructors.
  void Setup(bool valueIsEditable, float trackSize);
  // The value text: the linked parameter's display text with its label.
  void UpdateValueStr();

  float mTrackToHandleDistance = 4.f;
  float mInnerPointerFrac = 0.1f;
  float mOuterPointerFrac = 1.f;
  float mPointerThickness = 2.5f;
  float mAngleMin;
  float mAngleMax;
  float mAnchorAngle;
  bool mValueMouseOver = false;
};

} // namespace iplug::igraphics
