#pragma once

#include "IControl.h"
#include "IVectorBase.h"

namespace iplug::igraphics
{

// A frame around a group of controls with its label set into the top edge; it can size itself to the
// controls of a named group. Lets the pointer through. Main thread.
class IVGroupControl : public IControl, public IVectorBase
{
public:
  // A frame over bounds with label set labelOffset units in from the left.
  IVGroupControl(const IRECT& bounds, const char* label = "", float labelOffset = 10.f,
                 const IVStyle& style = DEFAULT_STYLE);
  // A frame that covers the controls of groupName, grown by the paddings, once attached.
  IVGroupControl(const char* groupName, const char* label = "", float labelOffset = 10.f,
                 const IVStyle& style = DEFAULT_STYLE, float padL = 0.f, float padT = 0.f, float padR = 0.f,
                 float padB = 0.f);

  // Background, frame with its gap, label.
  void Draw(IGraphics& g) override;
  // The frame, open where the label sits.
  void DrawWidget(IGraphics& g) override;
  // Sizes itself to its group when it has a group name.
  void OnInit() override;
  // Places the label and the frame.
  void OnResize() override;

  // Stores groupName and makes the bounds the union of that group's controls grown by the paddings; nothing
  // changes when the group has no other control.
  void SetBoundsBasedOnGroup(const char* groupName, float padL, float padT, float padR, float padB);
  // The group followed, empty when none.
  const char* GetGroupName() const { return mGroupToCover.Get(); }

private:
  WDL_String mGroupToCover;
  float mLabelOffset;
  float mPadL = 0.f;
  float mPadT = 0.f;
  float mPadR = 0.f;
  float mPadB = 0.f;
};

} // namespace iplug::igraphics
