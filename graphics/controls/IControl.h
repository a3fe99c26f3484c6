#pragma once

#include <functional>
#include <initializer_list>
#include <vector>

#include "IBlend.h"
#include "IPlugMidi.h"
#include "IRECT.h"
#include "WDL_String.h"

namespace iplug
{
class IEditorDelegate;
class IParam;
}

namespace iplug::igraphics
{

class IGraphics;
class IControl;

// Called with the control whose value the user changed (action), or once per frame (animation).
using IActionFunction = std::function<void(IControl* pCaller)>;

// The abstract base of every element drawn in the editor: a rectangle, an ordered list of value
// slots (normalised values, each optionally linked to a plug-in parameter) and drawing flags. The
// graphics context owns its controls. Everything here runs on the main (UI) thread.
class IControl
{
public:
  // One normalised value and the parameter it is linked to (-1: none).
  struct ValueSlot
  {
    int paramIdx = -1;
    double value = 0.0;
  };

  // One slot linked to paramIdx (-1 for none).
  IControl(const IRECT& bounds, int paramIdx = -1, IActionFunction actionFunc = nullptr);
  // One slot per listed parameter index, in list order.
  IControl(const IRECT& bounds, std::initializer_list<int> params, IActionFunction actionFunc = nullptr);
  // One unlinked slot.
  IControl(const IRECT& bounds, IActionFunction actionFunc);
  virtual ~IControl() = default;
  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;

  // Called when the draw scale changes.
  virtual void OnRescale() {}
  // Called whenever the bounds are set.
  virtual void OnResize() {}
  // Called at attach, before OnResize.
  virtual void OnInit() {}
  // Called last at attach.
  virtual void OnAttached() {}
  // A message from the plug-in side for this control.
  virtual void OnMsgFromDelegate(int /*msgTag*/, int /*dataSize*/, const void* /*pData*/) {}
  // A MIDI message forwarded to the editor (only when the control asked for MIDI).
  virtual void OnMidi(const IMidiMsg& /*msg*/) {}
  // Draws the control with the graphics context.
  virtual void Draw(IGraphics& g) = 0;

  // Stores the parameter index of slot valIdx (which must exist), then SetDirty(false).
  virtual void SetParamIdx(int paramIdx, int valIdx = 0);
  // A value from the plug-in side: when it differs from slot valIdx (NaN always does), store it and mark dirty.
  virtual void SetValueFromDelegate(double value, int valIdx = 0);
  // Stores value into slot valIdx (-1: every slot), no clamping, no redraw.
  virtual void SetValue(double value, int valIdx = 0);
  // Sets mIsHidden, then SetDirty(false).
  virtual void Hide(bool hide);
  // Greys the control out (blend weight 0.25) or back (1.0), then SetDirty(false).
  virtual void SetDisabled(bool disable);
  // Whether the point lies in the hit rectangle.
  virtual bool IsHit(float x, float y) const { return mHitBounds.Contains(x, y); }
  // Clamps values to 0..1 and marks the control for redraw; with triggerAction the user's change goes to the host and peers.
  virtual void SetDirty(bool triggerAction = true, int valIdx = -1);
  // Clears the redraw mark.
  virtual void SetClean() { mIsDirty = false; }
  // Whether the control needs redrawing.
  virtual bool IsDirty() { return mIsDirty; }

  // Number of value slots.
  int NVals() const { return static_cast<int>(mValueSlots.size()); }
  // Parameter index of slot valIdx (which must exist).
  int GetParamIdx(int valIdx = 0) const { return mValueSlots[static_cast<std::size_t>(valIdx)].paramIdx; }
  // The delegate's parameter linked to slot valIdx, or null.
  const IParam* GetParam(int valIdx = 0) const;
  // Value index of the first slot linked to paramIdx, or -1.
  int LinkedToParam(int paramIdx) const;
  // Value of slot valIdx (which must exist).
  double GetValue(int valIdx = 0) const { return mValueSlots[static_cast<std::size_t>(valIdx)].value; }

  // Drawing rectangle.
  const IRECT& GetRECT() const { return mBounds; }
  // Sets the drawing rectangle, then OnResize.
  void SetRECT(const IRECT& bounds);
  // Mouse rectangle.
  const IRECT& GetTargetRECT() const { return mHitBounds; }
  // Sets the mouse rectangle.
  void SetTargetRECT(const IRECT& bounds) { mHitBounds = bounds; }
  // Group name given at attach time.
  const char* GetGroup() const { return mGroupName.Get(); }
  // Sets the group name.
  void SetGroup(const char* group) { mGroupName.Set(group); }
  // Whether hidden.
  bool IsHidden() const { return mIsHidden; }
  // Whether disabled.
  bool IsDisabled() const { return mIsDisabled; }
  // Whether the control receives MIDI forwarded to the editor.
  bool GetWantsMidi() const { return mReceivesMidi; }
  // Asks for (or stops) MIDI forwarded to the editor.
  void SetWantsMidi(bool enable) { mReceivesMidi = enable; }
  // Blend used for drawing; its weight is 0.25 while disabled.
  const IBlend& GetBlend() const { return mDrawBlend; }
  // Replaces the action function.
  void SetActionFunction(IActionFunction actionFunc) { mOnAction = std::move(actionFunc); }
  // The editor delegate (not owned); null until attached.
  IEditorDelegate* GetDelegate() const { return mEditorDelegate; }
  // The graphics context (not owned); null until attached.
  IGraphics* GetUI() const { return mGraphicsContext; }
  // Links the control to its delegate and graphics context (done by IGraphics::AttachControl).
  void SetDelegate(IEditorDelegate& dlg) { mEditorDelegate = &dlg; }
  void SetGraphics(IGraphics* pGraphics) { mGraphicsContext = pGraphics; }

protected:
  IRECT mBounds;
  IRECT mHitBounds;
  WDL_String mGroupName;
  IBlend mDrawBlend;
  bool mIsDirty = true;
  bool mIsHidden = false;
  bool mIsDisabled = false;
  bool mReceivesMidi = false;
  IEditorDelegate* mEditorDelegate = nullptr;
  IGraphics* mGraphicsContext = nullptr;
  IActionFunction mOnAction;
  std::vector<ValueSlot> mValueSlots;
};

} // namespace iplug::igraphics
