#include "IGEditorDelegate.h"

#include <algorithm>
#include <cmath>

#include "IControl.h"

namespace iplug::igraphics
{

IGEditorDelegate::IGEditorDelegate(int nParams)
  : IEditorDelegate(nParams)
{
}

IGEditorDelegate::~IGEditorDelegate() = default;

void* IGEditorDelegate::OpenWindow(void* pParent)
{
  if (!mGraphics)
  {
    mGraphics.reset(CreateGraphics());
    if (mGraphics && mLastWidth != 0 && mLastHeight != 0 && mLastScale != 0.f)
      mGraphics->Resize(mLastWidth, mLastHeight, mLastScale, true);
  }
  return mGraphics ? mGraphics->OpenWindow(pParent) : nullptr;
}

void IGEditorDelegate::CloseWindow()
{
  if (mClosing)
    return;
  mClosing = true;
  OnUIClose();
  if (mGraphics)
  {
    mLastWidth = mGraphics->Width();
    mLastHeight = mGraphics->Height();
    mLastScale = mGraphics->GetDrawScale();
    mGraphics->CloseWindow();
    mGraphics.reset();
  }
  mClosing = false;
}

void IGEditorDelegate::SetScreenScale(float scale)
{
  if (mGraphics)
    mGraphics->SetScreenScale(scale);
}

void IGEditorDelegate::SendControlValueFromDelegate(int ctrlTag, double normalizedValue)
{
  // The value comes from a host or the audio side: one that is no number changes nothing, and controls hold
  // only 0..1.
  if (!mGraphics || !std::isfinite(normalizedValue))
    return;
  if (IControl* pControl = mGraphics->GetControlWithTag(ctrlTag))
    pControl->SetValueFromDelegate(std::clamp(normalizedValue, 0.0, 1.0), 0);
}

void IGEditorDelegate::SendControlMsgFromDelegate(int ctrlTag, int msgTag, int dataSize, const void* pData)
{
  if (!mGraphics)
    return;
  if (IControl* pControl = mGraphics->GetControlWithTag(ctrlTag))
    pControl->OnMsgFromDelegate(msgTag, dataSize, pData);
}

void IGEditorDelegate::SendParameterValueFromDelegate(int paramIdx, double value, bool normalized)
{
  // As for control values: a value that is no number changes nothing, the others are clamped to the range.
  if (!std::isfinite(value))
    return;
  const IParam* param = GetParam(paramIdx);
  if (mGraphics && param)
  {
    const double normalizedValue = normalized ? std::clamp(value, 0.0, 1.0) : param->ToNormalisedValue(value);
    mGraphics->ForControlWithParam(paramIdx, [&](IControl* pControl) {
      for (int v = 0; v < pControl->NVals(); ++v)
        if (pControl->GetParamIdx(v) == paramIdx)
          pControl->SetValueFromDelegate(normalizedValue, v);
    });
  }
  IEditorDelegate::SendParameterValueFromDelegate(paramIdx, value, normalized);
}

void IGEditorDelegate::SendMidiMsgFromDelegate(const IMidiMsg& msg)
{
  if (mGraphics)
  {
    mGraphics->ForAllControlsFunc([&](IControl* pControl) {
      if (pControl->GetWantsMidi())
        pControl->OnMidi(msg);
    });
  }
  IEditorDelegate::SendMidiMsgFromDelegate(msg);
}

bool IGEditorDelegate::OnKeyDown(const IKeyPress& key)
{
  if (!mGraphics)
    return false;
  float x = 0.f, y = 0.f;
  mGraphics->GetMouseLocation(x, y);
  return mGraphics->OnKeyDown(x, y, key);
}

bool IGEditorDelegate::OnKeyUp(const IKeyPress& key)
{
  if (!mGraphics)
    return false;
  float x = 0.f, y = 0.f;
  mGraphics->GetMouseLocation(x, y);
  return mGraphics->OnKeyUp(x, y, key);
}

bool IGEditorDelegate::SerializeEditorState(IByteChunk& chunk) const
{
  return SerializeEditorSize(chunk);
}

int IGEditorDelegate::UnserializeEditorState(const IByteChunk& chunk, int startPos)
{
  return UnserializeEditorSize(chunk, startPos);
}

bool IGEditorDelegate::SerializeEditorSize(IByteChunk& chunk) const
{
  const int32_t width = mGraphics ? mGraphics->Width() : mLastWidth;
  const int32_t height = mGraphics ? mGraphics->Height() : mLastHeight;
  const float scale = mGraphics ? mGraphics->GetDrawScale() : mLastScale;
  chunk.Put(&width);
  chunk.Put(&height);
  chunk.Put(&scale);
  return true;
}

int IGEditorDelegate::UnserializeEditorSize(const IByteChunk& chunk, int startPos)
{
  int32_t width = 0;
  int32_t height = 0;
  float scale = 0.f;
  int pos = chunk.Get(&width, startPos);
  if (pos >= 0)
    pos = chunk.Get(&height, pos);
  if (pos >= 0)
    pos = chunk.Get(&scale, pos);

  if (!mGraphics)
  {
    mLastWidth = width;
    mLastHeight = height;
    mLastScale = scale;
  }
  else if (width != 0 && height != 0 && scale != 0.f)
  {
    mGraphics->Resize(width, height, scale, true);
  }
  return pos;
}

IGraphics* IGEditorDelegate::CreateGraphics()
{
  return mMakeGraphicsFunc ? mMakeGraphicsFunc() : nullptr;
}

void IGEditorDelegate::LayoutUI(IGraphics* pGraphics)
{
  if (mLayoutFunc)
    mLayoutFunc(pGraphics);
}

} // namespace iplug::igraphics
