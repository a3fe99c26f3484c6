#pragma once

#include "IPlugLV2.h"
#include "LV2UIHost.h"

namespace iplug
{
// A product object that serves only an LV2 editor: no audio runs through it. Its parameters mirror the
// plug-in instance's control ports (the host reports them through port events), and what the user does in
// the editor goes back to the host as port writes bracketed by touch gestures. Port i is parameter i (the
// order the Turtle description gives them). [ui-thread]
template <class Product>
class LV2UIPlug final : public Product
{
public:
  // The product made from info, talking to host (copied).
  LV2UIPlug(const InstanceInfo& info, const LV2UIHost& host)
    : Product(info)
    , mHost(host)
  {
  }

  // A gesture on parameter paramIdx begins: the host is told the port is touched. [ui-thread]
  void BeginInformHostOfParamChange(int paramIdx) override { mHost.Touch(static_cast<uint32_t>(paramIdx), true); }
  // Parameter paramIdx's value goes to its control port, in the parameter's units. [ui-thread]
  void InformHostOfParamChange(int paramIdx, double /*normalizedValue*/) override
  {
    if (const IParam* pParam = this->GetParam(paramIdx))
      mHost.WriteControl(static_cast<uint32_t>(paramIdx), static_cast<float>(pParam->Value()));
  }
  // The gesture on parameter paramIdx ends: the port is released. [ui-thread]
  void EndInformHostOfParamChange(int paramIdx) override { mHost.Touch(static_cast<uint32_t>(paramIdx), false); }
  // The corner resizer changed the editor's size: the host's window follows when it offers resizing.
  bool EditorResize(int width, int height) override { return mHost.Resize(width, height); }

private:
  LV2UIHost mHost;
};
} // namespace iplug
