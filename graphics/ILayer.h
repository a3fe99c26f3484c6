#pragma once

#include <memory>

#include "IBitmap.h"
#include "IRECT.h"

namespace iplug::igraphics {

class IControl;

// An off-screen drawing surface: owns its back-end bitmap and remembers the area it covers and the control
// that draws into it. Held through an owning ILayerPtr; main thread.
class ILayer
{
public:
  // A layer owning bitmap over the pixel-aligned area layerBounds, drawn by control (may be null) whose
  // rectangle was controlBounds (ignored, and kept empty, when there is no control).
  ILayer(APIBitmap* bitmap, const IRECT& layerBounds, IControl* control, const IRECT& controlBounds)
    : mBitmap(bitmap), mControl(control), mControlBounds(control ? controlBounds : IRECT()), mBounds(layerBounds)
  {
  }
  ILayer(const ILayer&) = delete;
  ILayer& operator=(const ILayer&) = delete;

  // Marks the content as needing a redraw.
  void Invalidate() { mInvalid = true; }
  // Whether the content must be redrawn.
  bool IsInvalid() const { return mInvalid; }
  // The owned back-end bitmap, or null.
  APIBitmap* GetAPIBitmap() const { return mBitmap.get(); }
  // Gives up ownership of the bitmap (the layer keeps none) and returns it, so a rendered layer can become
  // a cached bitmap.
  APIBitmap* ReleaseAPIBitmap() { return mBitmap.release(); }
  // The bitmap as a one-frame handle (does not transfer ownership).
  IBitmap GetBitmap() const { return IBitmap(mBitmap.get(), 1, false); }
  // The area the layer covers, in user units.
  const IRECT& Bounds() const { return mBounds; }
  // The control that draws into it, or null.
  IControl* GetControl() const { return mControl; }
  // That control's rectangle when the layer was made or last checked; empty without a control.
  const IRECT& ControlBounds() const { return mControlBounds; }
  // Records the control's new rectangle; a change invalidates the content. Returns whether it changed.
  bool UpdateControlBounds(const IRECT& controlBounds)
  {
    if (controlBounds == mControlBounds)
      return false;
    mControlBounds = controlBounds;
    mInvalid = true;
    return true;
  }

private:
  std::unique_ptr<APIBitmap> mBitmap;
  IControl* mControl;
  IRECT mControlBounds;
  IRECT mBounds;
  bool mInvalid = false;
};

// Owning pointer through which callers hold a layer.
using ILayerPtr = std::unique_ptr<ILayer>;

} // namespace iplug::igraphics
