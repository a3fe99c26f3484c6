#pragma once

#include <functional>
#include <initializer_list>
#include <unordered_map>
#include <vector>

#include "IBlend.h"
#include "IColor.h"
#include "IGestureInfo.h"
#include "IGraphicsConstants.h"
#include "IKeyPress.h"
#include "IMouseInfo.h"
#include "IPlugMidi.h"
#include "IRECT.h"
#include "IText.h"
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
class IPopupMenu;

// Called with the control whose value the user changed (action), once per frame (animation), or when an animation ends.
using IActionFunction = std::function<void(IControl* pCaller)>;
// Called with the control and the gesture it recognised.
using IGestureFunc = std::function<void(IControl* pCaller, const IGestureInfo& info)>;

// The abstract base of every element drawn in the editor: a rectangle, an ordered list of value
// slots (normalised values, each optionally linked to a plug-in parameter), a text style, drawing
// flags and three optional callables. The graphics context owns its controls, asks them every frame
// whether they are dirty, draws them and routes input to them. Everything here runs on the main (UI)
// thread.
class IControl
{
public:
  // One normalised value and the parameter it is linked to (-1: none).
  struct ValueSlot
  {
    int paramIdx = -1; // linked parameter index; -1: none
    double value = 0.0; // normalised value, 0 to 1
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

  // Input, called by the graphics context's dispatch [main-thread].

  // A press; the base prompts for a value on a right click.
  virtual void OnMouseDown(float x, float y, const IMouseMod& mod);
  // The release of a press this control captured.
  virtual void OnMouseUp(float /*x*/, float /*y*/, const IMouseMod& /*mod*/) {}
  // A move of dX, dY user units while captured.
  virtual void OnMouseDrag(float /*x*/, float /*y*/, float /*dX*/, float /*dY*/, const IMouseMod& /*mod*/) {}
  // A double click; the base resets the value under the pointer to its parameter's default.
  virtual void OnMouseDblClick(float x, float y, const IMouseMod& mod);
  // A wheel turn of d notches.
  virtual void OnMouseWheel(float /*x*/, float /*y*/, const IMouseMod& /*mod*/, float /*d*/) {}
  // A key went down over the control; true when handled.
  virtual bool OnKeyDown(float /*x*/, float /*y*/, const IKeyPress& /*key*/) { return false; }
  // A key went up over the control; true when handled.
  virtual bool OnKeyUp(float /*x*/, float /*y*/, const IKeyPress& /*key*/) { return false; }
  // The pointer is over the control; the base marks it hovered (redrawing on entry).
  virtual void OnMouseOver(float x, float y, const IMouseMod& mod);
  // The pointer left the control; the base clears the hover mark (redrawing on exit).
  virtual void OnMouseOut();
  // The system cancelled a touch this control captured.
  virtual void OnTouchCancelled(float /*x*/, float /*y*/, const IMouseMod& /*mod*/) {}
  // A file or text was dropped on the control.
  virtual void OnDrop(const char* /*str*/) {}
  // Called when the draw or screen scale changes.
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
  // A recognised gesture: calls the handler attached for its type; false when there is none.
  virtual bool OnGesture(const IGestureInfo& info);
  // Fills menu with the control's right-click items; the base adds none.
  virtual void CreateContextMenu(IPopupMenu& /*menu*/) {}
  // The result of a value menu (null when nothing was chosen) for slot valIdx.
  virtual void OnPopupMenuSelection(IPopupMenu* pMenu, int valIdx);
  // The text typed into a text entry for a slot without a parameter.
  virtual void OnTextEntryCompletion(const char* /*str*/, int /*valIdx*/) {}
  // The item chosen in the control's context menu, -1 for none.
  virtual void OnContextSelection(int /*itemSelected*/) {}
  // Draws the control with the graphics context.
  virtual void Draw(IGraphics& g) = 0;
  // Draws the host-automation dot when highlighted.
  virtual void DrawPTHighlight(IGraphics& g);

  // Values [main-thread].

  // Stores the parameter index of slot valIdx (which must exist), then SetDirty(false).
  virtual void SetParamIdx(int paramIdx, int valIdx = 0);
  // The slot a pointer position addresses: 0 for a single-slot control, else -1.
  virtual int GetValIdxForPos(float /*x*/, float /*y*/) const { return NVals() == 1 ? 0 : -1; }
  // A value from the plug-in side: ignored while captured; stored and redrawn (host not told) when it differs (NaN always does).
  virtual void SetValueFromDelegate(double value, int valIdx = 0);
  // A value the user typed or chose: when it differs, stored and sent on as a user change.
  virtual void SetValueFromUserInput(double value, int valIdx = 0);
  // Sets slot valIdx (-1: every slot) to its parameter's default and sends it on as a user change.
  virtual void SetValueToDefault(int valIdx = -1);
  // Stores value into slot valIdx (-1: every slot), no clamping, no redraw.
  virtual void SetValue(double value, int valIdx = 0);
  // Replaces the whole text style; no redraw.
  virtual void SetText(const IText& text) { mTextStyle = text; }
  // Moves the drawing rectangle's top-left corner to (x, y) (clamped to >= 0); the hit rectangle follows.
  virtual void SetPosition(float x, float y);
  // Resizes both rectangles to w x h (clamped to >= 0) from the drawing rectangle's top-left corner.
  virtual void SetSize(float w, float h);
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
  // Whether the control needs redrawing: always while an animation runs.
  virtual bool IsDirty() { return mAnimator ? true : mIsDirty; }
  // Idle work; nothing calls it in this system.
  virtual void OnGUIIdle() {}
  // Sets slot valIdx (-1: every slot) from a pointer position along bounds (top/right is 1), in steps of 0.001 within the clips.
  virtual void SnapToMouse(float x, float y, EDirection direction, const IRECT& bounds, int valIdx = -1,
                           double minClip = 0.0, double maxClip = 1.0);
  // Ends the running animation: clears the animator, redraws, then calls the end-of-animation function.
  virtual void OnEndAnimation();
  // True when Draw covers every pixel of the control's rectangle with fully opaque colour, so nothing beneath
  // it can show and the graphics context need not draw what lies under it. The base claims nothing.
  virtual bool IsOpaque() const { return false; }

  // Number of value slots.
  int NVals() const { return static_cast<int>(mValueSlots.size()); }
  // Parameter index of slot valIdx (which must exist).
  int GetParamIdx(int valIdx = 0) const { return mValueSlots[static_cast<std::size_t>(valIdx)].paramIdx; }
  // The delegate's parameter linked to slot valIdx, or null (unlinked, unknown index or not attached).
  const IParam* GetParam(int valIdx = 0) const;
  // Value index of the first slot linked to paramIdx, or -1.
  int LinkedToParam(int paramIdx) const;
  // Value of slot valIdx (which must exist).
  double GetValue(int valIdx = 0) const { return mValueSlots[static_cast<std::size_t>(valIdx)].value; }

  // Asks the user for a value of slot valIdx (menu or text entry) over the control; needs prompting on and a linked parameter.
  void PromptUserInput(int valIdx);
  // The same over bounds, without a redraw request.
  void PromptUserInput(const IRECT& bounds, int valIdx);

  // Starts timing an animation of durationMs milliseconds on the steady clock.
  void StartAnimation(int durationMs);
  // Elapsed share of the animation (exceeds 1 once the time is up); 0 without an animator.
  double GetAnimationProgress() const;
  // Runs the animator once, when set; called by the graphics context every frame.
  void Animate();
  // Stores (or replaces) the handler for a gesture type and asks the graphics context to recognise it; returns this.
  IControl* AttachGestureRecognizer(EGestureType type, IGestureFunc func);
  // Whether any gesture handler is attached.
  bool GetWantsGestures() const { return !mGestureHandlers.empty(); }
  // Type of the last gesture handled.
  EGestureType GetLastGesture() const { return mLastGesture; }
  // Shows or hides the host-automation dot; colorIdx 0..3 picks red, blue, green, yellow (others keep the colour).
  void SetPTParameterHighlight(bool isHighlighted, int colorIdx);
  // Whether the host-automation dot is shown.
  bool GetPTParameterHighlighted() const { return mAutomationHighlighted; }

  // Drawing rectangle.
  const IRECT& GetRECT() const { return mBounds; }
  // Sets the drawing rectangle, then OnResize.
  void SetRECT(const IRECT& bounds);
  // Mouse rectangle.
  const IRECT& GetTargetRECT() const { return mHitBounds; }
  // Sets the mouse rectangle.
  void SetTargetRECT(const IRECT& bounds) { mHitBounds = bounds; }
  // Sets both rectangles (no OnResize).
  void SetTargetAndDrawRECTs(const IRECT& bounds) { mBounds = mHitBounds = bounds; }
  // Group name given at attach time.
  const char* GetGroup() const { return mGroupName.Get(); }
  // Sets the group name.
  void SetGroup(const char* group) { mGroupName.Set(group); }
  // Text style.
  const IText& GetText() const { return mTextStyle; }
  // Maximum characters of the text entry.
  int GetTextEntryLength() const { return mTextEntryMaxLen; }
  // Sets the maximum characters of the text entry.
  void SetTextEntryLength(int length) { mTextEntryMaxLen = length; }
  // Tooltip text; empty for none.
  const char* GetTooltip() const { return mTooltipText.Get(); }
  // Sets the tooltip text (null clears it).
  void SetTooltip(const char* str) { mTooltipText.Set(str ? str : ""); }
  // Whether hidden.
  bool IsHidden() const { return mIsHidden; }
  // Whether disabled.
  bool IsDisabled() const { return mIsDisabled; }
  // Whether the pointer is over the control.
  bool GetMouseIsOver() const { return mHovered; }
  // Clears the hover mark without a redraw (used when the rectangle moves).
  void SetMouseIsOver(bool over) { mHovered = over; }
  // Whether a double click arrives as a second press.
  bool GetMouseDblAsSingleClick() const { return mDoubleClickIsClick; }
  // Sets whether a double click arrives as a second press.
  void SetMouseDblAsSingleClick(bool single) { mDoubleClickIsClick = single; }
  // Whether the control never receives the pointer.
  bool GetIgnoreMouse() const { return mPassThroughMouse; }
  // Sets whether the control never receives the pointer.
  void SetIgnoreMouse(bool ignore) { mPassThroughMouse = ignore; }
  // Whether hover reaches the control while disabled.
  bool GetMouseOverWhenDisabled() const { return mHoverWhenDisabled; }
  // Sets whether hover reaches the control while disabled.
  void SetMouseOverWhenDisabled(bool allow) { mHoverWhenDisabled = allow; }
  // Whether presses reach the control while disabled.
  bool GetMouseEventsWhenDisabled() const { return mClicksWhenDisabled; }
  // Sets whether presses reach the control while disabled.
  void SetMouseEventsWhenDisabled(bool allow) { mClicksWhenDisabled = allow; }
  // Whether a second touch may capture the control while it is captured.
  bool GetWantsMultiTouch() const { return mMultiTouchCapture; }
  // Sets whether a second touch may capture the control.
  void SetWantsMultiTouch(bool enable) { mMultiTouchCapture = enable; }
  // Whether value prompting (menus, text entry) is off.
  bool GetNoPrompt() const { return mNoPrompt; }
  // Switches value prompting off (true) or on (false).
  void DisablePrompt(bool disable) { mNoPrompt = disable; }
  // Whether the text-entry prompt appends the parameter's label.
  bool GetPromptShowsParamLabel() const { return mPromptAppendsLabel; }
  // Sets whether the text-entry prompt appends the parameter's label.
  void SetPromptShowsParamLabel(bool show) { mPromptAppendsLabel = show; }
  // Whether the control receives MIDI forwarded to the editor.
  bool GetWantsMidi() const { return mReceivesMidi; }
  // Asks for (or stops) MIDI forwarded to the editor.
  void SetWantsMidi(bool enable) { mReceivesMidi = enable; }
  // Blend used for drawing; its weight is 0.25 while disabled.
  const IBlend& GetBlend() const { return mDrawBlend; }
  // Sets the blend used for drawing.
  void SetBlend(const IBlend& blend) { mDrawBlend = blend; }
  // The action function (may be empty).
  const IActionFunction& GetActionFunction() const { return mOnAction; }
  // Replaces the action function.
  void SetActionFunction(IActionFunction actionFunc) { mOnAction = std::move(actionFunc); }
  // The animation function (may be empty).
  const IActionFunction& GetAnimationFunction() const { return mAnimator; }
  // Replaces the animation function; while set, the control is dirty every frame.
  void SetAnimation(IActionFunction func) { mAnimator = std::move(func); }
  // Replaces the animation function and starts timing durationMs.
  void SetAnimation(IActionFunction func, int durationMs);
  // Replaces the end-of-animation function.
  void SetAnimationEndActionFunction(IActionFunction func) { mOnAnimationEnd = std::move(func); }
  // The editor delegate (not owned); null until attached.
  IEditorDelegate* GetDelegate() const { return mEditorDelegate; }
  // The graphics context (not owned); null until attached.
  IGraphics* GetUI() const { return mGraphicsContext; }
  // Links the control to its delegate and graphics context (done by the graphics context at attach).
  void SetDelegate(IEditorDelegate& dlg) { mEditorDelegate = &dlg; }
  void SetGraphics(IGraphics* pGraphics) { mGraphicsContext = pGraphics; }

protected:
  // The normalised default of slot valIdx's parameter, or a negative number when the slot has none.
  double NormalisedDefault(int valIdx) const;

  IRECT mBounds; // drawing rectangle, user units
  IRECT mHitBounds; // rectangle that takes the pointer, user units
  WDL_String mGroupName; // name of the group the control belongs to; empty: none
  IText mTextStyle{DEFAULT_TEXT_SIZE, DEFAULT_TEXT_FGCOLOR, "Poppins-Medium", kAlignCenter, kVAlignMiddle}; // text look
  IBlend mDrawBlend; // blend the control draws with
  int mTextEntryMaxLen = 7; // longest text the text entry takes, characters
  bool mIsDirty = true; // needs drawing in the next frame
  bool mIsHidden = false; // neither drawn nor hit
  bool mIsDisabled = false; // drawn greyed and ignores input unless told otherwise
  bool mNoPrompt = true; // the control opens no text entry or menu to prompt for a value
  bool mDoubleClickIsClick = false; // a double click arrives as a second mouse down
  bool mHoverWhenDisabled = false; // hears mouse-over while disabled
  bool mClicksWhenDisabled = false; // hears clicks while disabled
  bool mPassThroughMouse = false; // the pointer reaches the controls below
  bool mReceivesMidi = false; // MIDI from the plug-in reaches OnMidi
  bool mMultiTouchCapture = false; // each touch on the control is captured by it
  bool mPromptAppendsLabel = false; // the text entry shows the parameter's unit
  bool mHovered = false; // the pointer is over the control
  WDL_String mTooltipText; // tooltip; empty: none
  IColor mAutomationHighlightColor = COLOR_RED; // colour of the host-automation mark
  bool mAutomationHighlighted = false; // the host automates a linked parameter
  IEditorDelegate* mEditorDelegate = nullptr; // the delegate parameter changes go to; not owned
  IGraphics* mGraphicsContext = nullptr; // the context the control is attached to; not owned
  IActionFunction mOnAction; // called after the user changes the value
  IActionFunction mOnAnimationEnd; // called when the running animation ends
  IActionFunction mAnimator; // called each frame while an animation runs
  double mAnimationStartMs = 0.0; // when the running animation started, milliseconds
  double mAnimationLengthMs = 0.0; // length of the running animation, milliseconds
  std::vector<ValueSlot> mValueSlots; // the values and the parameters they are linked to
  std::unordered_map<int, IGestureFunc> mGestureHandlers; // handlers by gesture type
  EGestureType mLastGesture = kGestureUnknown; // the last gesture recognised on the control
};

// Does nothing.
void EmptyClickActionFunc(IControl* pCaller);
// Starts the default 100 ms click animation on the caller.
void DefaultClickActionFunc(IControl* pCaller);
// Ends the caller's animation once its time is up.
void DefaultAnimationFunc(IControl* pCaller);
// Shows the value bubble to the right of the caller, with slot 0's parameter text.
void ShowBubbleHorizontalActionFunc(IControl* pCaller);
// Shows the value bubble above the caller, with slot 0's parameter text.
void ShowBubbleVerticalActionFunc(IControl* pCaller);

} // namespace iplug::igraphics
