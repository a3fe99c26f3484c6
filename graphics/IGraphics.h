#pragma once

#include <functional>
#include <unordered_map>

#include "IKeyPress.h"
#include "IRECT.h"
#include "WDL_PtrList.h"

namespace iplug::igraphics
{

class IControl;
class IGEditorDelegate;

// Called for each control a visit reaches.
using IControlFunction = std::function<void(IControl* pControl)>;

// The graphics context of one open editor: owns the controls, tracks the editor's logical size, draw
// scale and screen scale, and offers the operations through which controls and the editor delegate
// manipulate the tree. Abstract: the drawing back end and the platform layer provide the window,
// the drawing and the pointer. Main thread only.
class IGraphics
{
public:
  // Tag of a control that has none.
  static constexpr int kNoTag = -1;

  // A context of width x height user units at the given frame rate and draw scale for dlg (not owned).
  IGraphics(IGEditorDelegate& dlg, int width, int height, int fps = 60, float scale = 1.f);
  // Destroys every control.
  virtual ~IGraphics();
  IGraphics(const IGraphics&) = delete;
  IGraphics& operator=(const IGraphics&) = delete;

  // Opens the editor window inside the host's parent view; returns the native view, owned by the context.
  virtual void* OpenWindow(void* pParent) = 0;
  // Closes the editor window.
  virtual void CloseWindow() = 0;
  // The pointer position in user units.
  virtual void GetMouseLocation(float& x, float& y) const = 0;
  // A key went down with the pointer at (x, y); returns whether a control or the key handler took it.
  virtual bool OnKeyDown(float x, float y, const iplug::IKeyPress& key) = 0;
  // A key went up with the pointer at (x, y); returns whether it was handled.
  virtual bool OnKeyUp(float x, float y, const iplug::IKeyPress& key) = 0;
  // Makes the platform window follow the size; parentHasResized tells whether the host already did.
  virtual void PlatformResize(bool /*parentHasResized*/) {}
  // Device pixels of the platform window per user unit (beyond the draw scale).
  virtual float GetPlatformWindowScale() const { return 1.f; }
  // Recreates size-dependent drawing resources.
  virtual void DrawResize() {}

  // Takes ownership of pControl and appends it, tagged ctrlTag (>= 0) and grouped; null (nothing attached) when the tag is taken.
  IControl* AttachControl(IControl* pControl, int ctrlTag = kNoTag, const char* group = "");
  // Destroys every control, last first, and forgets the tags.
  void RemoveAllControls();
  // The control with ctrlTag, or null.
  IControl* GetControlWithTag(int ctrlTag) const;
  // The control at idx, or null when out of range.
  IControl* GetControl(int idx) const { return mControlList.Get(idx); }
  // Number of standard controls.
  int NControls() const { return mControlList.GetSize(); }
  // Visits every control in drawing order.
  void ForAllControlsFunc(const IControlFunction& func);
  // Visits the standard controls in order.
  void ForStandardControlsFunc(const IControlFunction& func);
  // Visits the standard controls linked to paramIdx.
  void ForControlWithParam(int paramIdx, const IControlFunction& func);
  // Hands pCaller's value at valIdx to every other standard control linked to the same parameter.
  void UpdatePeers(IControl* pCaller, int valIdx);
  // Marks every control dirty without telling the delegate.
  void SetAllControlsDirty();
  // Clears every control's dirty mark.
  void SetAllControlsClean();

  // Resizes the editor to width x height user units at draw scale scale (each clamped to the limits).
  void Resize(int width, int height, float scale, bool needsPlatformResize = true);
  // The display's device pixels per point changed.
  void SetScreenScale(float scale);
  // Limits of the draw scale.
  void SetScaleConstraints(float lo, float hi);

  // Logical width and height in user units.
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }
  // Frames per second the platform layer drives.
  int FPS() const { return mFrameRate; }
  // The user-chosen zoom of the whole editor.
  float GetDrawScale() const { return mDrawScale; }
  // Device pixels per point of the display.
  float GetScreenScale() const { return mScreenScale; }
  // Device pixels per user unit.
  float GetBackingPixelScale() const { return mScreenScale * mDrawScale; }
  // The editor bounds (0, 0, width, height).
  IRECT GetBounds() const { return IRECT(0.f, 0.f, static_cast<float>(mWidth), static_cast<float>(mHeight)); }
  // The editor delegate (not owned).
  IGEditorDelegate* GetDelegate() const { return mDelegate; }

protected:
  // Asks the delegate (and through it the host) for the window size of the current size and scale, then follows it.
  void ResizePlatformWindow(bool needsPlatformResize);

  WDL_PtrList<IControl> mControlList;
  std::unordered_map<int, IControl*> mTagMap;
  int mWidth;
  int mHeight;
  int mFrameRate;
  float mScreenScale = 1.f;
  float mDrawScale;
  float mScaleMin;
  float mScaleMax;
  bool mRelayoutOnResize = false;
  IGEditorDelegate* mDelegate;
};

} // namespace iplug::igraphics
