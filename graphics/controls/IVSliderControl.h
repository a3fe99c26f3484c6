#pragma once

#include "ISliderControlBase.h"
#include "IVectorBase.h"

namespace iplug::igraphics
{

// A vector slider: a rounded track filled up to the value in the track colour, outlined in the frame colour,
// with a pressable handle; label above, value below. Clicking the value text prompts for a value when it is
// editable; elsewhere the slider behaviour applies. Main thread.
class IVSliderControl : public ISliderControlBase, public IVectorBase
{
public:
  // A slider linked to paramIdx; an empty label shows the parameter's name; handleInsideTrack draws the
  // track as wide as the handle.
  IVSliderControl(const IRECT& bounds, int paramIdx = -1, const char* label = "",
                  const IVStyle& style = DEFAULT_STYLE, bool valueIsEditable = false,
                  EDirection direction = kDirectionVertical, double gearing = 4.0, float handleSize = 8.f,
                  float trackSize = 2.f, bool handleInsideTrack = false);
  // The same running actionFunc instead of a parameter.
  IVSliderControl(const IRECT& bounds, IActionFunction actionFunc, const char* label = "",
                  const IVStyle& style = DEFAULT_STYLE, bool valueIsEditable = false,
                  EDirection direction = kDirectionVertical, double gearing = 4.0, float handleSize = 8.f,
                  float trackSize = 2.f, bool handleInsideTrack = false);

  // Background, label, widget, value.
  void Draw(IGraphics& g) override;
  // Track, then handle.
  void DrawWidget(IGraphics& g) override;
  // The track, its filled part and its outline.
  virtual void DrawTrack(IGraphics& g, const IRECT& filledArea);
  // The pressable handle at the value.
  virtual void DrawHandle(IGraphics& g, const IRECT& bounds);
  // Value text and label from the linked parameter.
  void OnInit() override;
  // Lays out; the widget is the hit area and the handle's travel is the track.
  void OnResize() override;
  // Prompts when the value text is clicked (prompting on), else the slider behaviour.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Tracks whether the pointer is over an editable value.
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  // Clears the value hover.
  void OnMouseOut() override;
  // Marks every slot dirty, then refreshes the value text.
  void SetDirty(bool triggerAction = true, int valIdx = -1) override;
  // The widget, or the value text when prompting is on.
  bool IsHit(float x, float y) const override;
  // Also follows the style's cursor hiding.
  void SetStyle(const IVStyle& style) override;

  // The handle's rectangle at the current value.
  IRECT GetHandleBounds() const;
  // The drawn track (handleSize across when the handle is inside it, else trackSize).
  IRECT GetDrawnTrack() const;
  // Whether the pointer is over an editable value.
  bool GetValueMouseOver() const { return mValueMouseOver; }

private:
  // Shared set-up of both constructors.
  void Setup(bool valueIsEditable, float trackSize, bool handleInsideTrack);
  // The value text: the linked parameter's display text with its label.
  void UpdateValueStr();

  bool mHandleInsideTrack = false;
  bool mValueMouseOver = false;
};

} // namespace iplug::igraphics
