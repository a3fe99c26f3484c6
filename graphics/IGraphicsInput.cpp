// Input dispatch of the graphics context: hit testing, pointer capture, hover, keys, the routing of
// menu and text-entry results, bubbles, host-automation support and gestures.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "IBubbleControl.h"
#include "IControl.h"
#include "ICornerResizerControl.h"
#include "IFPSDisplayControl.h"
#include "IGEditorDelegate.h"
#include "IGraphics.h"
#include "IParam.h"
#include "IPopupMenuControl.h"
#include "ITextEntryControl.h"

namespace iplug::igraphics
{

namespace
{

// The computer-keyboard MIDI keyboard is one instrument per process: every editor plays the same notes.
int sQwertyBase = 48;
std::array<bool, 128> sQwertyKeysDown{};

// Note offsets of the letter keys, A = 0 up to L = 14.
constexpr char kQwertyNoteKeys[] = "AWSEDFTGYHUJKOL";

// Offset of the note key vk, or -1.
int QwertyNoteOffset(int vk)
{
  if (vk < 'A' || vk > 'Z')
    return -1;
  const char* found = std::strchr(kQwertyNoteKeys, vk);
  return found ? static_cast<int>(found - kQwertyNoteKeys) : -1;
}

} // namespace

bool IGraphics::ValidPosition(float x, float y)
{
  return std::isfinite(x) && std::isfinite(y);
}

void IGraphics::BeginParamGestures(IControl* pControl)
{
  for (int i = 0; i < pControl->NVals(); ++i)
    if (pControl->GetParamIdx(i) >= 0)
      mDelegate->BeginInformHostOfParamChangeFromUI(pControl->GetParamIdx(i));
}

void IGraphics::EndParamGestures(IControl* pControl)
{
  for (int i = 0; i < pControl->NVals(); ++i)
    if (pControl->GetParamIdx(i) >= 0)
      mDelegate->EndInformHostOfParamChangeFromUI(pControl->GetParamIdx(i));
}

// ---- Hit testing ----

int IGraphics::GetMouseControlIdx(float x, float y, bool mouseOver)
{
  if (mouseOver && !mHoverEnabled)
    return -1;
  // The background never takes hover.
  const int lowest = mouseOver ? 1 : 0;
  for (int idx = mControlList.GetSize() - 1; idx >= lowest; --idx)
  {
    const IControl* pControl = mControlList.Get(idx);
    if (pControl->IsHidden() || pControl->GetIgnoreMouse())
      continue;
    const bool allowedWhenDisabled =
      mouseOver ? pControl->GetMouseOverWhenDisabled() : pControl->GetMouseEventsWhenDisabled();
    if (pControl->IsDisabled() && !allowedWhenDisabled)
      continue;
    if (pControl->IsHit(x, y))
      return idx;
  }
  return -1;
}

IControl* IGraphics::GetMouseControl(float x, float y, bool capture, bool mouseOver, std::uintptr_t touchId)
{
  if (!mCaptures.empty())
  {
    const auto captured = mCaptures.find(touchId);
    if (captured != mCaptures.end() && captured->second)
      return captured->second;
  }

  IControl* pControl = nullptr;
  int idx = -1;
  if (mMenuControl && mMenuControl->GetExpanded())
    pControl = mMenuControl.get();
  else if (mEntryControl && mEntryControl->GetEditing())
    pControl = mEntryControl.get();
  else if (mResizer && mResizer->GetRECT().Contains(x, y))
    pControl = mResizer.get();
  else if (mFrameTimeDisplay && mFrameTimeDisplay->GetRECT().Contains(x, y))
    pControl = mFrameTimeDisplay.get();
  else
  {
    idx = GetMouseControlIdx(x, y, mouseOver);
    pControl = idx >= 0 ? mControlList.Get(idx) : nullptr;
  }

  if (capture && pControl)
  {
    if (mMultiTouch && ControlIsCaptured(pControl) && !pControl->GetWantsMultiTouch())
      return nullptr;
    mCaptures.emplace(touchId, pControl);
  }
  if (mouseOver)
    mHoverIdx = idx;
  return pControl;
}

void IGraphics::ReleaseMouseCapture()
{
  mCaptures.clear();
  if (mPointerHidden)
    HideMouseCursor(false, true);
}

// ---- Pointer events ----

void IGraphics::OnMouseDown(const std::vector<IMouseInfo>& points)
{
  const DispatchScope scope(*this);
  if (points.size() == 1 && ValidPosition(points[0].x, points[0].y))
  {
    mPressX = points[0].x;
    mPressY = points[0].y;
  }
  for (const IMouseInfo& point : points)
  {
    if (!ValidPosition(point.x, point.y))
      continue;
    IControl* pControl = GetMouseControl(point.x, point.y, true, false, point.ms.touchId);
    if (!pControl)
      continue;
    const int valIdx = pControl->GetValIdxForPos(point.x, point.y);
    const int paramIdx = pControl->NVals() > 0 ? pControl->GetParamIdx(std::max(valIdx, 0)) : -1;
    if (paramIdx >= 0 && point.ms.R)
    {
      ReleaseMouseCapture();
      mContextMenu.Clear();
      pControl->CreateContextMenu(mContextMenu);
      if (mContextMenu.NItems() > 0)
        DoCreatePopupMenu(*pControl, mContextMenu, IRECT(point.x, point.y, point.x, point.y), -1, true);
      return;
    }
    BeginParamGestures(pControl);
    pControl->OnMouseDown(point.x, point.y, point.ms);
  }
}

void IGraphics::OnMouseUp(const std::vector<IMouseInfo>& points)
{
  const DispatchScope scope(*this);
  for (const IMouseInfo& point : points)
  {
    const auto captured = mCaptures.find(point.ms.touchId);
    if (captured == mCaptures.end())
      continue;
    IControl* pControl = captured->second;
    // A release at an unusable position still ends the gesture the press began.
    if (ValidPosition(point.x, point.y))
      pControl->OnMouseUp(point.x, point.y, point.ms);
    // A control that removed itself in its handler had its gesture ended by the removal.
    const auto stillCaptured = mCaptures.find(point.ms.touchId);
    if (stillCaptured == mCaptures.end() || stillCaptured->second != pControl)
      continue;
    EndParamGestures(pControl);
    mCaptures.erase(stillCaptured);
  }
  if (mDragResizing)
    EndDragResize();
  if (points.size() == 1 && !points[0].ms.IsTouch())
    OnMouseOver(points[0].x, points[0].y, points[0].ms);
}

void IGraphics::OnMouseDrag(const std::vector<IMouseInfo>& points)
{
  const DispatchScope scope(*this);
  if (mDragResizing && points.size() == 1)
  {
    OnDragResize(points[0].x, points[0].y);
    return;
  }
  if (mCaptures.empty())
    return;
  // While a text entry waits for its result, drags must not change the value it edits: a platform field
  // takes none, the drawn one alone may select with them.
  if (mEntryTarget && !mEntryControl)
    return;
  for (const IMouseInfo& point : points)
  {
    if (!ValidPosition(point.x, point.y) || !ValidPosition(point.dX, point.dY))
      continue;
    if (point.dX == 0.f && point.dY == 0.f)
      continue;
    const auto captured = mCaptures.find(point.ms.touchId);
    if (captured == mCaptures.end() || !captured->second)
      continue;
    if (mEntryTarget && captured->second != mEntryControl.get())
      continue;
    captured->second->OnMouseDrag(point.x, point.y, point.dX, point.dY, point.ms);
  }
}

bool IGraphics::OnMouseDblClick(float x, float y, const IMouseMod& mod)
{
  if (!ValidPosition(x, y))
    return false;
  const DispatchScope scope(*this);
  IControl* pControl = GetMouseControl(x, y, true, false, 0);
  if (!pControl)
    return false;
  if (pControl->GetMouseDblAsSingleClick())
  {
    IMouseInfo info;
    info.x = x;
    info.y = y;
    info.ms = mod;
    OnMouseDown({info});
  }
  else
  {
    pControl->OnMouseDblClick(x, y, mod);
    ReleaseMouseCapture();
  }
  return true;
}

bool IGraphics::OnMouseOver(float x, float y, const IMouseMod& mod)
{
  if (!ValidPosition(x, y))
    return false;
  const DispatchScope scope(*this);
  IControl* pControl = GetMouseControl(x, y, false, true, 0);
  if (pControl != mHoverControl)
  {
    if (mHoverControl)
      mHoverControl->OnMouseOut();
    mHoverControl = pControl;
  }
  if (pControl)
    pControl->OnMouseOver(x, y, mod);
  return pControl != nullptr;
}

void IGraphics::OnMouseOut()
{
  const DispatchScope scope(*this);
  // The arrow is shown while the pointer is outside; the kind asked for is kept for its return.
  const ECursor requested = mCursor;
  SetMouseCursor(kCursorArrow);
  mCursor = requested;
  ForAllControlsFunc([](IControl* pControl) { pControl->OnMouseOut(); });
  mHoverControl = nullptr;
  mHoverIdx = -1;
}

void IGraphics::OnMouseWheel(float x, float y, const IMouseMod& mod, float delta)
{
  if (!ValidPosition(x, y) || !std::isfinite(delta))
    return;
  const DispatchScope scope(*this);
  if (IControl* pControl = GetMouseControl(x, y, false, false, 0))
    pControl->OnMouseWheel(x, y, mod, delta);
}

void IGraphics::OnTouchCancelled(const std::vector<IMouseInfo>& points)
{
  const DispatchScope scope(*this);
  for (const IMouseInfo& point : points)
  {
    const auto captured = mCaptures.find(point.ms.touchId);
    if (captured == mCaptures.end())
      continue;
    captured->second->OnTouchCancelled(point.x, point.y, point.ms);
    mCaptures.erase(point.ms.touchId);
  }
}

void IGraphics::OnDrop(const char* str, float x, float y)
{
  if (!str || !ValidPosition(x, y))
    return;
  const DispatchScope scope(*this);
  if (IControl* pControl = GetMouseControl(x, y, false, false, 0))
    pControl->OnDrop(str);
}

// ---- Keys ----

bool IGraphics::OnKeyDown(float x, float y, const IKeyPress& key)
{
  const DispatchScope scope(*this);
  IControl* pControl = ValidPosition(x, y) ? GetMouseControl(x, y, false, false, 0) : nullptr;
  if (pControl && pControl != mControlList.Get(0) && pControl->OnKeyDown(x, y, key))
    return true;
  return mKeyHandler ? mKeyHandler(key, false) : false;
}

bool IGraphics::OnKeyUp(float x, float y, const IKeyPress& key)
{
  const DispatchScope scope(*this);
  IControl* pControl = ValidPosition(x, y) ? GetMouseControl(x, y, false, false, 0) : nullptr;
  if (pControl && pControl != mControlList.Get(0) && pControl->OnKeyUp(x, y, key))
    return true;
  return mKeyHandler ? mKeyHandler(key, true) : false;
}

void IGraphics::SetQwertyMidiKeyHandlerFunc(IMidiKeyFunc func)
{
  mKeyHandler = [this, func = std::move(func)](const IKeyPress& key, bool isUp) {
    const auto send = [&](const IMidiMsg& msg) {
      mDelegate->SendMidiMsgFromUI(msg);
      if (func)
        func(msg);
    };
    const auto switchOctave = [&](int shift) {
      sQwertyBase = std::clamp(sQwertyBase + shift, 24, 96);
      // Held notes are silenced but stay marked, so their key-ups (now for other notes) send nothing.
      for (int note = 0; note < 128; ++note)
        if (sQwertyKeysDown[static_cast<std::size_t>(note)])
          send(IMidiMsg(0, 0x80, static_cast<uint8_t>(note), 0));
    };

    const int offset = QwertyNoteOffset(key.VK);
    if (offset >= 0)
    {
      const int note = sQwertyBase + offset;
      bool& down = sQwertyKeysDown[static_cast<std::size_t>(note)];
      if (!isUp && !down)
      {
        down = true;
        send(IMidiMsg(0, 0x90, static_cast<uint8_t>(note), 127));
      }
      else if (isUp && down)
      {
        down = false;
        send(IMidiMsg(0, 0x80, static_cast<uint8_t>(note), 0));
      }
    }
    else if (key.VK == 'Z' && !isUp)
      switchOctave(-12);
    else if (key.VK == 'X' && !isUp)
      switchOctave(12);
    return true;
  };
}

// ---- Menus and text entry ----

void IGraphics::CreatePopupMenu(IControl& control, IPopupMenu& menu, const IRECT& bounds, int valIdx)
{
  DoCreatePopupMenu(control, menu, bounds, valIdx, false);
}

void IGraphics::DoCreatePopupMenu(IControl& control, IPopupMenu& menu, const IRECT& bounds, int valIdx, bool isContext)
{
  ReleaseMouseCapture();
  if (mMenuControl && !mMenuControl->GetCollapsed())
  {
    // The drawn menu is still showing (or fading out) another menu: this request is refused, and the
    // gesture its press began ends here, since no result will end it.
    if (!isContext)
      EndParamGestures(&control);
    return;
  }
  mMenuTarget = &control;
  mMenuValIdx = valIdx;
  mMenuIsContext = isContext;
  if (mMenuControl)
  {
    // The drawn menu answers later, through SetControlValueAfterPopupMenu.
    mMenuControl->CreatePopupMenu(menu, bounds);
    return;
  }
  bool isAsync = false;
  IPopupMenu* pResult = CreatePlatformPopupMenu(menu, bounds, isAsync);
  if (!isAsync)
    SetControlValueAfterPopupMenu(pResult);
}

void IGraphics::SetControlValueAfterPopupMenu(IPopupMenu* pMenu)
{
  if (!mMenuTarget)
    return;
  const DispatchScope scope(*this);
  // Cleared first: the control may open the next menu from its handler.
  IControl* pControl = mMenuTarget;
  mMenuTarget = nullptr;
  if (mMenuIsContext)
  {
    pControl->OnContextSelection(pMenu ? pMenu->GetChosenItemIdx() : -1);
    // A context menu opens from a right click, which began no gesture: there is none to end.
    return;
  }
  const bool chosen = pMenu && pMenu->GetChosenItemIdx() >= 0;
  pControl->OnPopupMenuSelection(chosen ? pMenu : nullptr, mMenuValIdx);
  EndParamGestures(pControl);
}

void IGraphics::PopupHostContextMenuForParam(IControl* pControl, int /*paramIdx*/, float x, float y)
{
  mContextMenu.Clear();
  if (!pControl || !ValidPosition(x, y))
    return;
  pControl->CreateContextMenu(mContextMenu);
  if (mContextMenu.NItems() > 0)
    DoCreatePopupMenu(*pControl, mContextMenu, IRECT(x, y, x, y), -1, true);
}

void IGraphics::PopupHostContextMenuForParam(int controlIdx, int paramIdx, float x, float y)
{
  PopupHostContextMenuForParam(GetControl(controlIdx), paramIdx, x, y);
}

void IGraphics::PromptUserInput(IControl& control, const IRECT& bounds, int valIdx)
{
  if (valIdx < 0 || valIdx >= control.NVals())
    return;
  const IParam* pParam = control.GetParam(valIdx);
  if (!pParam)
    return;

  const bool menu = pParam->Type() == IParam::kTypeEnum ||
                    (pParam->Type() == IParam::kTypeBool && pParam->NDisplayTexts() > 0);
  if (menu)
  {
    mContextMenu.Clear();
    WDL_String current;
    pParam->GetDisplay(current);
    for (int i = 0; i < pParam->NDisplayTexts(); ++i)
    {
      const char* text = pParam->GetDisplayTextAtIdx(i);
      IPopupMenu::Item* pItem = mContextMenu.AddItem(text);
      pItem->SetChecked(std::strcmp(text, current.Get()) == 0);
    }
    mContextMenu.SetRootTitle(pParam->GetName());
    DoCreatePopupMenu(control, mContextMenu, bounds, valIdx, false);
    return;
  }

  WDL_String text;
  pParam->GetDisplay(text, false);
  if (control.GetPromptShowsParamLabel())
  {
    text.Append(" ");
    text.Append(pParam->GetLabel());
  }
  IText style = control.GetText();
  style.mVAlign = kVAlignMiddle;
  CreateTextEntry(control, style, bounds, text.Get(), valIdx);
}

void IGraphics::CreateTextEntry(IControl& control, const IText& text, const IRECT& bounds, const char* str, int valIdx)
{
  mEntryTarget = &control;
  mEntryValIdx = valIdx;
  const int paramIdx = valIdx >= 0 && valIdx < control.NVals() ? control.GetParamIdx(valIdx) : -1;
  if (mEntryControl)
    mEntryControl->CreateTextEntry(paramIdx, text, bounds, control.GetTextEntryLength(), str ? str : "");
  else
    CreatePlatformTextEntry(paramIdx, text, bounds, control.GetTextEntryLength(), str ? str : "");
  control.SetDirty(false);
}

void IGraphics::SetControlValueAfterTextEdit(const char* str)
{
  if (!mEntryTarget)
    return;
  const DispatchScope scope(*this);
  IControl* pControl = mEntryTarget;
  mEntryTarget = nullptr;
  if (!str)
    str = "";
  const bool validIdx = mEntryValIdx >= 0 && mEntryValIdx < pControl->NVals();
  const IParam* pParam = validIdx ? pControl->GetParam(mEntryValIdx) : nullptr;
  if (!pParam)
  {
    pControl->OnTextEntryCompletion(str, mEntryValIdx);
    return;
  }
  double value = pParam->StringToValue(str);
  if (pParam->GetStepped() && pParam->GetStep() > 0.0)
    value = std::round(value / pParam->GetStep()) * pParam->GetStep();
  value = std::clamp(value, pParam->GetMin(), pParam->GetMax());
  pControl->SetValueFromUserInput(std::clamp(pParam->ToNormalisedValue(value), 0.0, 1.0), mEntryValIdx);
}

void IGraphics::ShowBubbleControl(IControl* pCaller, float x, float y, const char* str, EDirection dir,
                                  IRECT minimumContentBounds)
{
  if (mBubbles.GetSize() == 0 || !pCaller || !ValidPosition(x, y))
    return;
  mBubbles.Get(0)->ShowBubble(pCaller, x, y, str, dir, minimumContentBounds);
}

// ---- Host automation ----

int IGraphics::GetParamIdxForPTAutomation(float x, float y)
{
  const int idx = ValidPosition(x, y) ? GetMouseControlIdx(x, y, false) : -1;
  const IControl* pControl = GetControl(idx);
  mLastPressedParam = pControl && pControl->NVals() > 0 ? pControl->GetParamIdx(0) : -1;
  return mLastPressedParam;
}

int IGraphics::GetLastClickedParamForPTAutomation()
{
  const int paramIdx = mLastPressedParam;
  mLastPressedParam = -1;
  return paramIdx;
}

void IGraphics::SetPTParameterHighlight(int paramIdx, bool isHighlighted, int color)
{
  ForControlWithParam(paramIdx, [&](IControl* pControl) { pControl->SetPTParameterHighlight(isHighlighted, color); });
}

// ---- Gestures ----

void IGraphics::AttachGestureRecognizer(EGestureType type)
{
  if (std::find(mGestureKinds.begin(), mGestureKinds.end(), type) == mGestureKinds.end())
    mGestureKinds.push_back(type);
}

void IGraphics::AttachGestureRecognizerToRegion(const IRECT& bounds, EGestureType type, IGestureRegionFunc func)
{
  mGestureAreas.Add(bounds);
  AttachGestureRecognizer(type);
  mGestureAreaCallbacks.emplace(mGestureAreas.Size() - 1, std::move(func));
}

void IGraphics::ClearGestureRegions()
{
  mGestureAreas.Clear();
  mGestureAreaCallbacks.clear();
}

bool IGraphics::RespondsToGesture(float x, float y)
{
  if (!ValidPosition(x, y))
    return false;
  const IControl* pControl = GetMouseControl(x, y, false, false, 0);
  if (pControl && pControl->GetWantsGestures() && !pControl->GetAnimationFunction())
    return true;
  for (int i = 0; i < mGestureAreas.Size(); ++i)
    if (mGestureAreas.Get(i).Contains(x, y))
      return true;
  return false;
}

void IGraphics::OnGestureRecognized(const IGestureInfo& info)
{
  if (!ValidPosition(info.x, info.y))
    return;
  const DispatchScope scope(*this);
  IControl* pControl = GetMouseControl(info.x, info.y, false, false, 0);
  if (pControl && pControl->GetWantsGestures() && !pControl->GetAnimationFunction())
  {
    pControl->OnGesture(info);
    return;
  }
  for (int i = 0; i < mGestureAreas.Size(); ++i)
  {
    if (!mGestureAreas.Get(i).Contains(info.x, info.y))
      continue;
    const auto callback = mGestureAreaCallbacks.find(i);
    if (callback != mGestureAreaCallbacks.end() && callback->second)
      callback->second(nullptr, info);
    return;
  }
}

} // namespace iplug::igraphics
