#pragma once

#include "IParam.h"
#include "WDL_PtrList.h"

namespace iplug
{

// Who changed a parameter.
enum EParamSource
{
  kHost = 1,
  kPresetRecall = 2,
  kUI = 3,
  kDelegate = 4,
};

// The interface through which an editor and the plug-in exchange parameter values.
// It owns the plug-in's parameters: one IParam per configured index, for the instance's life.
class IEditorDelegate
{
public:
  // Creates nParams parameters in the none state, in index order. Main thread.
  explicit IEditorDelegate(int nParams);
  virtual ~IEditorDelegate() = default;
  IEditorDelegate(const IEditorDelegate&) = delete;
  IEditorDelegate& operator=(const IEditorDelegate&) = delete;

  // The parameter at paramIdx (not owned by the caller), or null when out of range. Any thread.
  IParam* GetParam(int paramIdx) const { return mParams.Get(paramIdx); }
  // Number of parameters.
  int NParams() const { return mParams.GetSize(); }

  // A parameter changed on the given source's thread; sampleOffset is -1 when not from audio. Calls OnParamChange(paramIdx).
  virtual void OnParamChange(int paramIdx, EParamSource source, int sampleOffset = -1);
  // The product's hook for a parameter change; runs on whichever thread made the change.
  virtual void OnParamChange(int /*paramIdx*/) {}
  // Calls OnParamChange(i, source, -1) for every parameter in index order.
  virtual void OnParamReset(EParamSource source);

private:
  WDL_PtrList_DeleteOnDestroy<IParam> mParams;
};

} // namespace iplug
