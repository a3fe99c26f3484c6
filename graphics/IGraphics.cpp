#include "IGraphics.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

#include "IBitmapControls.h"
#include "IBubbleControl.h"
#include "IControl.h"
#include "ICornerResizerControl.h"
#include "IFPSDisplayControl.h"
#include "IGEditorDelegate.h"
#include "IPanelControl.h"
#include "ISVGControls.h"
#include "IParam.h"
#include "IPopupMenuControl.h"
#include "ITextEntryControl.h"

namespace iplug::igraphics
{

namespace
{

// Controls are padded by this much when marked dirty and when clipped, so anti-aliased edges and small
// shadows just outside their rectangles are redrawn with them.
constexpr float kDirtyMargin = 0.75f;

// Seconds on the monotonic clock since the first time anyone asked, shared by every context.
double SecondsSinceFirstFrame()
{
  using clock = std::chrono::steady_clock;
  static const clock::time_point start = clock::now();
  return std::chrono::duration<double>(clock::now() - start).count();
}

} // namespace

IGraphics::IGraphics(IGEditorDelegate& dlg, int width, int height, int fps, float scale)
  : mWidth(width)
  , mHeight(height)
  , mFrameRate(fps)
  , mDrawScale(scale)
  , mScaleMin(scale / 2.f)
  , mScaleMax(scale * 2.f)
  , mDelegate(&dlg)
{
}

IGraphics::~IGraphics()
{
  mPointerHidden = false;
  RemoveAllControls();
}

template <typename Func>
void IGraphics::VisitAllControls(Func&& func)
{
  // Indexed on purpose: a visited control may remove controls, which shortens the list under us.
  for (int i = 0; i < mControlList.GetSize(); ++i)
    func(mControlList.Get(i));
  if (mFrameTimeDisplay)
    func(mFrameTimeDisplay.get());
  if (mResizer)
    func(mResizer.get());
  if (mEntryControl)
    func(mEntryControl.get());
  if (mMenuControl)
    func(mMenuControl.get());
  for (int i = 0; i < mBubbles.GetSize(); ++i)
    func(mBubbles.Get(i));
}

IGraphics::DispatchScope::~DispatchScope()
{
  if (--mGraphics.mDispatchDepth == 0)
    mGraphics.mPendingDeletes.clear();
}

// ---- Control tree ----

void IGraphics::LinkControl(IControl* pControl)
{
  pControl->SetDelegate(*mDelegate);
  pControl->SetGraphics(this);
  pControl->OnInit();
  pControl->OnResize();
  pControl->OnRescale();
}

IControl* IGraphics::AttachControl(IControl* pControl, int ctrlTag, const char* group)
{
  if (!pControl)
    return nullptr;
  if (ctrlTag >= 0)
  {
    if (mTagMap.count(ctrlTag))
    {
      // The caller handed ownership over; a control that cannot be attached must not leak.
      delete pControl;
      return nullptr;
    }
    mTagMap[ctrlTag] = pControl;
  }
  LinkControl(pControl);
  pControl->SetGroup(group ? group : "");
  mControlList.Add(pControl);
  pControl->OnAttached();
  return pControl;
}

void IGraphics::AttachBackgroundControl(IControl* pControl)
{
  if (!pControl)
    return;
  LinkControl(pControl);
  mControlList.Insert(0, pControl);
  // The hover index counts from the front of the list, which has just moved up by one.
  if (mHoverIdx >= 0)
    ++mHoverIdx;
}

void IGraphics::AttachBackground(const char* name)
{
  const IBitmap bitmap = LoadBitmap(name, 1, false, 0);
  AttachBackgroundControl(new IBitmapControl(0.f, 0.f, bitmap, -1, kBlendSrcOver));
}

void IGraphics::AttachSVGBackground(const char* name)
{
  AttachBackgroundControl(new ISVGControl(GetBounds(), LoadSVG(name, "px", 72.f)));
}

void IGraphics::AttachPanelBackground(const IPattern& pattern)
{
  auto* pPanel = new IPanelControl(GetBounds(), pattern);
  pPanel->SetIgnoreMouse(true);
  AttachBackgroundControl(pPanel);
}

void IGraphics::AttachCornerResizer(EUIResizerMode sizeMode, bool layoutOnResize, const IColor& color,
                                    const IColor& mouseOverColor, const IColor& dragColor, float size)
{
  AttachCornerResizer(new ICornerResizerControl(GetBounds(), size, color, mouseOverColor, dragColor), sizeMode,
                      layoutOnResize);
}

void IGraphics::AttachCornerResizer(ICornerResizerControl* pControl, EUIResizerMode sizeMode, bool layoutOnResize)
{
  if (!pControl)
    return;
  if (mResizer)
  {
    delete pControl;
    return;
  }
  mResizer.reset(pControl);
  mResizerMode = sizeMode;
  mRelayoutOnResize = layoutOnResize;
  LinkControl(pControl);
}

void IGraphics::AttachBubbleControl(const IText& text)
{
  AttachBubbleControl(new IBubbleControl(text, COLOR_WHITE, COLOR_BLACK, 5.f));
}

void IGraphics::AttachBubbleControl(IBubbleControl* pControl)
{
  if (!pControl)
    return;
  LinkControl(pControl);
  mBubbles.Add(pControl);
}

void IGraphics::AttachPopupMenuControl(const IText& text, const IRECT& bounds)
{
  if (mMenuControl)
    return;
  mMenuControl = std::make_unique<IPopupMenuControl>(-1, text, IRECT(), bounds);
  LinkControl(mMenuControl.get());
}

void IGraphics::RemovePopupMenuControl()
{
  if (!mMenuControl)
    return;
  // A menu shown by this control can no longer answer: its asker gets a dismissal instead of waiting forever.
  if (mMenuControl->GetExpanded())
    SetControlValueAfterPopupMenu(nullptr);
  DetachControl(mMenuControl.get());
  DestroyControl(mMenuControl.release());
  SetAllControlsDirty();
}

void IGraphics::AttachTextEntryControl()
{
  if (mEntryControl)
    return;
  mEntryControl = std::make_unique<ITextEntryControl>();
  LinkControl(mEntryControl.get());
}

void IGraphics::RemoveTextEntryControl()
{
  if (!mEntryControl)
    return;
  // An edit in progress ends unanswered, as when dismissed.
  if (mEntryControl->GetEditing())
    mEntryTarget = nullptr;
  DetachControl(mEntryControl.get());
  DestroyControl(mEntryControl.release());
  SetAllControlsDirty();
}

void IGraphics::ShowFPSDisplay(bool enable)
{
  if (enable)
  {
    if (!mFrameTimeDisplay)
    {
      mFrameTimeDisplay = std::make_unique<IFPSDisplayControl>(IRECT(10.f, 10.f, 210.f, 60.f),
                                                               IFPSDisplayControl::kFPS, "Frame Time");
      LinkControl(mFrameTimeDisplay.get());
      mFrameTimeStarted = false;
    }
  }
  else
  {
    if (mFrameTimeDisplay)
      DetachControl(mFrameTimeDisplay.get());
    DestroyControl(mFrameTimeDisplay.release());
    mHoverControl = nullptr;
    mHoverIdx = -1;
  }
  SetAllControlsDirty();
}

void IGraphics::DetachControl(IControl* pControl)
{
  if (ControlIsCaptured(pControl))
  {
    // The press began a gesture the release will never end: end it now, or the host keeps the
    // parameter "touched".
    EndParamGestures(pControl);
    ReleaseMouseCapture();
  }
  if (mHoverControl == pControl)
  {
    mHoverControl = nullptr;
    mHoverIdx = -1;
  }
  if (mEntryTarget == pControl)
    mEntryTarget = nullptr;
  if (mMenuTarget == pControl)
    mMenuTarget = nullptr;
  for (auto it = mTagMap.begin(); it != mTagMap.end();)
    it = it->second == pControl ? mTagMap.erase(it) : std::next(it);
  if (const int idx = mControlList.Find(pControl); idx >= 0)
  {
    // The hover index counts from the front of the list: controls behind the removed one move down by one.
    if (mHoverIdx > idx)
      --mHoverIdx;
    mControlList.Delete(idx);
  }
  for (int i = mBubbles.GetSize() - 1; i >= 0; --i)
    if (mBubbles.Get(i) == pControl)
      mBubbles.Delete(i);
}

void IGraphics::DestroyControl(IControl* pControl)
{
  if (!pControl)
    return;
  // A control may remove itself (or another) from inside an event or a draw; its caller is still on
  // the stack, so the object lives until the outermost entry point returns.
  if (mDispatchDepth > 0)
    mPendingDeletes.push_back(std::unique_ptr<IControl>(pControl));
  else
    delete pControl;
}

void IGraphics::RemoveControl(IControl* pControl)
{
  if (mControlList.Find(pControl) < 0)
    return;
  DetachControl(pControl);
  DestroyControl(pControl);
  SetAllControlsDirty();
}

void IGraphics::RemoveControl(int idx)
{
  RemoveControl(mControlList.Get(idx));
}

void IGraphics::RemoveControls(int fromIdx)
{
  fromIdx = std::max(fromIdx, 0);
  for (int idx = mControlList.GetSize() - 1; idx >= fromIdx; --idx)
  {
    IControl* pControl = mControlList.Get(idx);
    DetachControl(pControl);
    DestroyControl(pControl);
  }
  SetAllControlsDirty();
}

void IGraphics::RemoveControlWithTag(int ctrlTag)
{
  IControl* pControl = GetControlWithTag(ctrlTag);
  if (!pControl)
    return;
  DetachControl(pControl);
  SetAllControlsDirty();
}

void IGraphics::RemoveAllControls()
{
  const auto remove = [this](IControl* pControl) {
    if (!pControl)
      return;
    DetachControl(pControl);
    DestroyControl(pControl);
  };
  remove(mMenuControl.release());
  remove(mEntryControl.release());
  remove(mResizer.release());
  remove(mFrameTimeDisplay.release());
  for (int i = mBubbles.GetSize() - 1; i >= 0; --i)
    remove(mBubbles.Get(i));
  for (int i = mControlList.GetSize() - 1; i >= 0; --i)
    remove(mControlList.Get(i));
  // A pointer hidden without a capture is shown again as well.
  ReleaseMouseCapture();
}

IControl* IGraphics::GetControlWithTag(int ctrlTag) const
{
  const auto found = mTagMap.find(ctrlTag);
  return found == mTagMap.end() ? nullptr : found->second;
}

void IGraphics::ForAllControlsFunc(const IControlFunction& func)
{
  VisitAllControls(func);
}

void IGraphics::ForStandardControlsFunc(const IControlFunction& func)
{
  for (int i = 0; i < mControlList.GetSize(); ++i)
    func(mControlList.Get(i));
}

void IGraphics::ForControlWithParam(int paramIdx, const IControlFunction& func)
{
  ForStandardControlsFunc([&](IControl* pControl) {
    if (pControl->LinkedToParam(paramIdx) >= 0)
      func(pControl);
  });
}

void IGraphics::ForControlInGroup(const char* group, const IControlFunction& func)
{
  if (!group || !group[0])
    return;
  ForStandardControlsFunc([&](IControl* pControl) {
    const char* own = pControl->GetGroup();
    if (own[0] && std::strcmp(own, group) == 0)
      func(pControl);
  });
}

void IGraphics::HideControl(int paramIdx, bool hide)
{
  ForControlWithParam(paramIdx, [hide](IControl* pControl) { pControl->Hide(hide); });
}

void IGraphics::DisableControl(int paramIdx, bool disable)
{
  ForControlWithParam(paramIdx, [disable](IControl* pControl) { pControl->SetDisabled(disable); });
}

void IGraphics::SetControlPosition(int idx, float x, float y)
{
  IControl* pControl = GetControl(idx);
  if (!pControl)
    return;
  pControl->SetPosition(x, y);
  if (!pControl->IsHidden())
    SetAllControlsDirty();
}

void IGraphics::SetControlSize(int idx, float w, float h)
{
  IControl* pControl = GetControl(idx);
  if (!pControl)
    return;
  pControl->SetSize(w, h);
  if (!pControl->IsHidden())
    SetAllControlsDirty();
}

void IGraphics::SetControlBounds(int idx, const IRECT& r)
{
  IControl* pControl = GetControl(idx);
  if (!pControl)
    return;
  pControl->SetTargetAndDrawRECTs(r);
  pControl->SetMouseIsOver(false);
  pControl->OnResize();
  if (!pControl->IsHidden())
    SetAllControlsDirty();
}

void IGraphics::UpdatePeers(IControl* pCaller, int valIdx)
{
  const double value = pCaller->GetValue(valIdx);
  const int paramIdx = pCaller->GetParamIdx(valIdx);
  ForStandardControlsFunc([&](IControl* pControl) {
    const int peerValIdx = pControl->LinkedToParam(paramIdx);
    if (pControl != pCaller && peerValIdx >= 0)
      pControl->SetValueFromDelegate(value, peerValIdx);
  });
}

void IGraphics::AssignParamNameToolTips()
{
  ForStandardControlsFunc([](IControl* pControl) {
    if (const IParam* pParam = pControl->GetParam(0))
      pControl->SetTooltip(pParam->GetName());
  });
}

void IGraphics::SetAllControlsDirty()
{
  ForAllControlsFunc([](IControl* pControl) { pControl->SetDirty(false); });
}

void IGraphics::SetAllControlsClean()
{
  VisitAllControls([](IControl* pControl) { pControl->SetClean(); });
}

void IGraphics::EnableTooltips(bool enable)
{
  mTooltipsEnabled = enable;
  if (enable)
    mHoverEnabled = true;
}

void IGraphics::SetStrictDrawing(bool strict)
{
  mStrictDrawing = strict;
  SetAllControlsDirty();
}

void IGraphics::OnGUIIdle()
{
  ForAllControlsFunc([](IControl* pControl) { pControl->OnGUIIdle(); });
}

void IGraphics::OnAppearanceChanged(EUIAppearance appearance)
{
  if (mAppearanceHandler)
    mAppearanceHandler(appearance);
}

void IGraphics::GetTouches(const IControl* pControl, std::vector<std::uintptr_t>& touchesOnThisControl) const
{
  for (const auto& [touchId, pCaptured] : mCaptures)
    if (pCaptured == pControl)
      touchesOnThisControl.push_back(touchId);
}

bool IGraphics::ControlIsCaptured(const IControl* pControl) const
{
  return std::any_of(mCaptures.begin(), mCaptures.end(),
                     [pControl](const auto& capture) { return capture.second == pControl; });
}

// ---- Drawing cycle ----

bool IGraphics::IsDirty(IRECTList& rects)
{
  const DispatchScope scope(*this);
  if (mFrameTick)
    mFrameTick();
  VisitAllControls([](IControl* pControl) { pControl->Animate(); });

  bool dirty = false;
  VisitAllControls([&](IControl* pControl) {
    if (pControl->IsDirty())
    {
      // An opaque control draws nothing outside its rectangle, so no margin for anti-aliased edges is needed;
      // without one, its region can be covered by it alone and drawn without what lies beneath.
      const IRECT& bounds = pControl->GetRECT();
      rects.Add(pControl->IsOpaque() ? bounds : bounds.GetPadded(kDirtyMargin));
      dirty = true;
    }
  });
  return dirty;
}

void IGraphics::Draw(IRECTList& rects)
{
  if (rects.Size() == 0)
    return;
  const DispatchScope scope(*this);
  const float scale = GetBackingPixelScale();
  BeginFrame();
  if (mStrictDrawing)
  {
    DrawRegion(rects.Bounds().GetPixelAligned(scale), scale);
  }
  else
  {
    rects.PixelAlign(scale);
    rects.Optimize();
    for (int i = 0; i < rects.Size(); ++i)
      DrawRegion(rects.Get(i), scale);
  }
  EndFrame();
}

void IGraphics::DrawRegion(const IRECT& r, float s)
{
  const int first = TopmostControlCovering(r, s);
  int index = 0;
  VisitAllControls([&](IControl* pControl) {
    if (index++ >= first)
      DrawControl(pControl, r, s);
  });
}

int IGraphics::TopmostControlCovering(const IRECT& r, float s) const
{
  for (int i = mControlList.GetSize() - 1; i > 0; --i)
  {
    const IControl* pControl = mControlList.Get(i);
    if (!pControl || pControl->IsHidden() || !pControl->IsOpaque())
      continue;
    // Only whole device pixels of the rectangle are certainly covered; its edge pixels may be blended.
    const IRECT& bounds = pControl->GetRECT();
    const IRECT covered(std::ceil(bounds.L * s) / s, std::ceil(bounds.T * s) / s, std::floor(bounds.R * s) / s,
                        std::floor(bounds.B * s) / s);
    if (covered.Contains(r))
      return i;
  }
  return 0;
}

void IGraphics::DrawControl(IControl* pControl, const IRECT& bounds, float scale)
{
  if (!pControl)
    return;
  // The background is always drawn, even hidden: everything else is painted over it.
  if (pControl->IsHidden() && pControl != mControlList.Get(0))
    return;
  const IRECT controlBounds = pControl->GetRECT().GetPadded(kDirtyMargin).GetPixelAligned(scale);
  const IRECT clip = bounds.Intersect(controlBounds);
  if (clip.W() <= 0.f || clip.H() <= 0.f)
    return;
  PathTransformReset(true);
  PathClear();
  SetClipRegion(clip);
  mClipBounds = clip;
  pControl->Draw(*this);
  CompleteRegion(clip);
}

void IGraphics::BeginFrame()
{
  if (!mFrameTimeDisplay)
    return;
  const double now = SecondsSinceFirstFrame();
  // The display's first frame has no earlier one to be timed against: it only starts the clock.
  if (mFrameTimeStarted)
    mFrameTimeDisplay->Update(static_cast<float>(now - mLastFrameTime));
  mFrameTimeStarted = true;
  mLastFrameTime = now;
}

void IGraphics::PathTransformReset(bool clearStack)
{
  // Popped one by one: assigning a fresh stack would allocate a new deque on every control drawn.
  while (clearStack && !mSavedTransforms.empty())
    mSavedTransforms.pop();
  mTransform = IMatrix();
  PathTransformSetMatrix(mTransform);
}

void IGraphics::PathTransformSave()
{
  mSavedTransforms.push(mTransform);
}

void IGraphics::PathTransformRestore()
{
  if (mSavedTransforms.empty())
    return;
  mTransform = mSavedTransforms.top();
  mSavedTransforms.pop();
  PathTransformSetMatrix(mTransform);
}

// ---- Size and scale ----

void IGraphics::Resize(int width, int height, float scale, bool needsPlatformResize)
{
  if (!std::isfinite(scale))
    return;
  width = std::clamp(width, mDelegate->GetMinWidth(), mDelegate->GetMaxWidth());
  height = std::clamp(height, mDelegate->GetMinHeight(), mDelegate->GetMaxHeight());
  scale = std::clamp(scale, mScaleMin, mScaleMax);
  if (width == mWidth && height == mHeight && scale == mDrawScale)
    return;

  ReleaseMouseCapture();
  mDrawScale = scale;
  mWidth = width;
  mHeight = height;
  if (mResizer)
    mResizer->OnRescale();

  ResizePlatformWindow(needsPlatformResize);
  ForAllControlsFunc([](IControl* pControl) { pControl->OnResize(); });
  SetAllControlsDirty();
  DrawResize();

  if (mRelayoutOnResize)
    mDelegate->LayoutUI(this);
}

void IGraphics::SetScreenScale(float scale)
{
  if (!std::isfinite(scale) || scale <= 0.f)
    return;
  mScreenScale = scale;
  ResizePlatformWindow(true);
  ForAllControlsFunc([](IControl* pControl) { pControl->OnRescale(); });
  SetAllControlsDirty();
  DrawResize();
}

void IGraphics::ResizePlatformWindow(bool needsPlatformResize)
{
  const float windowScale = GetPlatformWindowScale();
  const auto windowWidth = static_cast<int>(windowScale * static_cast<int>(mWidth * mDrawScale));
  const auto windowHeight = static_cast<int>(windowScale * static_cast<int>(mHeight * mDrawScale));
  PlatformResize(mDelegate->EditorResizeFromUI(windowWidth, windowHeight, needsPlatformResize));
}

void IGraphics::SetScaleConstraints(float lo, float hi)
{
  mScaleMin = std::min(lo, hi);
  mScaleMax = std::max(lo, hi);
}

void IGraphics::OnDragResize(float x, float y)
{
  if (!ValidPosition(x, y))
    return;
  if (mResizerMode == kResizerSize)
  {
    Resize(static_cast<int>(x), static_cast<int>(y), mDrawScale, true);
    return;
  }
  // The press position anchors the drag: the corner follows the pointer at the new scale.
  if (mPressX <= 0.f || mPressY <= 0.f)
    return;
  const float scale = std::min(x * mDrawScale / mPressX, y * mDrawScale / mPressY);
  Resize(mWidth, mHeight, scale, true);
}

void IGraphics::EndDragResize()
{
  mDragResizing = false;
  if (mResizerMode == kResizerScale)
  {
    ForAllControlsFunc([](IControl* pControl) { pControl->OnRescale(); });
    SetAllControlsDirty();
  }
}

ECursor IGraphics::SetMouseCursor(ECursor cursorType)
{
  const ECursor previous = mCursor;
  mCursor = cursorType;
  return previous;
}

} // namespace iplug::igraphics
