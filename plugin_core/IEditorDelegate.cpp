#include "IEditorDelegate.h"

namespace iplug
{

IEditorDelegate::IEditorDelegate(int nParams)
{
  for (int i = 0; i < nParams; ++i)
    mParams.Add(new IParam());
}

void IEditorDelegate::OnParamChange(int paramIdx, EParamSource /*source*/, int /*sampleOffset*/)
{
  OnParamChange(paramIdx);
}

void IEditorDelegate::OnParamReset(EParamSource source)
{
  for (int i = 0; i < NParams(); ++i)
    OnParamChange(i, source, -1);
}

} // namespace iplug
