#include "IEditorDelegate.h"

#include <algorithm>

namespace iplug
{

IEditorDelegate::IEditorDelegate(int nParams)
{
  for (int i = 0; i < nParams; ++i)
    mParams.Add(new IParam());
}

void* IEditorDelegate::OpenWindow(void* /*pParent*/)
{
  OnUIOpen();
  return nullptr;
}

void IEditorDelegate::CloseWindow()
{
  OnUIClose();
}

void IEditorDelegate::OnUIOpen()
{
  for (int i = 0; i < NParams(); ++i)
    SendParameterValueFromDelegate(i, GetParam(i)->ToNormalisedValue(GetParam(i)->Value()), true);
}

void IEditorDelegate::OnRestoreState()
{
  OnUIOpen();
}

void IEditorDelegate::OnParamChange(int paramIdx, EParamSource /*source*/, int /*sampleOffset*/)
{
  OnParamChange(paramIdx);
}

void IEditorDelegate::OnParamReset(EParamSource source)
{
  for (int i = 0; i < NParams(); ++i)
  {
    OnParamChange(i, source, -1);
    OnParamChangeUI(i, source);
  }
}

void IEditorDelegate::SendControlMsgFromDelegate(int ctrlTag, int msgTag, int dataSize, const void* pData)
{
  OnMessage(msgTag, ctrlTag, dataSize, pData);
}

void IEditorDelegate::SendArbitraryMsgFromDelegate(int msgTag, int dataSize, const void* pData)
{
  OnMessage(msgTag, -1, dataSize, pData);
}

void IEditorDelegate::SendMidiMsgFromDelegate(const IMidiMsg& msg)
{
  OnMidiMsgUI(msg);
}

void IEditorDelegate::SendSysexMsgFromDelegate(const ISysEx& msg)
{
  OnSysexMsgUI(msg);
}

void IEditorDelegate::SendParameterValueFromDelegate(int paramIdx, double /*value*/, bool /*normalized*/)
{
  OnParamChangeUI(paramIdx, kDelegate);
}

void IEditorDelegate::SendParameterValueFromUI(int paramIdx, double normalizedValue)
{
  if (IParam* param = GetParam(paramIdx))
    param->SetNormalized(normalizedValue);
  OnParamChangeUI(paramIdx, kUI);
}

void IEditorDelegate::SetEditorSize(int width, int height)
{
  mEditorWidth = width;
  mEditorHeight = height;
}

void IEditorDelegate::SetSizeConstraints(int widthLo, int widthHi, int heightLo, int heightHi)
{
  mMinWidth = std::min(widthLo, widthHi);
  mMaxWidth = std::max(widthLo, widthHi);
  mMinHeight = std::min(heightLo, heightHi);
  mMaxHeight = std::max(heightLo, heightHi);
}

} // namespace iplug
