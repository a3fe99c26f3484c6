#include "IGraphics.h"

#include <algorithm>

#include "IControl.h"
#include "IGEditorDelegate.h"

namespace iplug::igraphics
{

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
  RemoveAllControls();
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
  pControl->SetDelegate(*mDelegate);
  pControl->SetGraphics(this);
  pControl->OnInit();
  pControl->OnResize();
  pControl->OnRescale();
  pControl->SetGroup(group ? group : "");
  mControlList.Add(pControl);
  pControl->OnAttached();
  return pControl;
}

void IGraphics::RemoveAllControls()
{
  mTagMap.clear();
  mControlList.Empty(true);
}

IControl* IGraphics::GetControlWithTag(int ctrlTag) const
{
  const auto found = mTagMap.find(ctrlTag);
  return found == mTagMap.end() ? nullptr : found->second;
}

void IGraphics::ForAllControlsFunc(const IControlFunction& func)
{
  ForStandardControlsFunc(func);
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

void IGraphics::SetAllControlsDirty()
{
  ForAllControlsFunc([](IControl* pControl) { pControl->SetDirty(false); });
}

void IGraphics::SetAllControlsClean()
{
  ForAllControlsFunc([](IControl* pControl) { pControl->SetClean(); });
}

void IGraphics::Resize(int width, int height, float scale, bool needsPlatformResize)
{
  width = std::clamp(width, mDelegate->GetMinWidth(), mDelegate->GetMaxWidth());
  height = std::clamp(height, mDelegate->GetMinHeight(), mDelegate->GetMaxHeight());
  scale = std::clamp(scale, mScaleMin, mScaleMax);
  if (width == mWidth && height == mHeight && scale == mDrawScale)
    return;

  mDrawScale = scale;
  mWidth = width;
  mHeight = height;

  ResizePlatformWindow(needsPlatformResize);
  ForAllControlsFunc([](IControl* pControl) { pControl->OnResize(); });
  SetAllControlsDirty();
  DrawResize();

  if (mRelayoutOnResize)
    mDelegate->LayoutUI(this);
}

void IGraphics::SetScreenScale(float scale)
{
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

} // namespace iplug::igraphics
