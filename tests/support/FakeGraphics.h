#pragma once

#include <vector>

#include "IControl.h"
#include "IGEditorDelegate.h"
#include "IGraphics.h"

namespace iplug::igraphics
{

// A graphics context without a window: records what the platform side was asked to do.
class FakeGraphics : public IGraphics
{
public:
  using IGraphics::IGraphics;

  void* OpenWindow(void* pParent) override
  {
    ++mOpenCount;
    return pParent;
  }
  void CloseWindow() override { ++mCloseCount; }
  void GetMouseLocation(float& x, float& y) const override
  {
    x = 12.f;
    y = 34.f;
  }
  bool OnKeyDown(float x, float y, const IKeyPress&) override
  {
    mKeyAt = {x, y};
    return true;
  }
  bool OnKeyUp(float, float, const IKeyPress&) override { return false; }
  void PlatformResize(bool) override { ++mPlatformResizes; }

  int mOpenCount = 0;
  int mCloseCount = 0;
  int mPlatformResizes = 0;
  std::vector<float> mKeyAt;
};

// A control that draws nothing and counts what reaches it.
class RecordingControl : public IControl
{
public:
  using IControl::IControl;
  void Draw(IGraphics&) override {}
  void OnMsgFromDelegate(int msgTag, int, const void*) override { mMessages.push_back(msgTag); }
  void OnMidi(const IMidiMsg& msg) override { mMidiStatus.push_back(msg.mStatus); }

  std::vector<int> mMessages;
  std::vector<int> mMidiStatus;
};

} // namespace iplug::igraphics
