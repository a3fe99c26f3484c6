#pragma once

#include <vector>

#include "IButtonControlBase.h"
#include "IControl.h"
#include "IKnobControlBase.h"
#include "ILayer.h"
#include "ISVG.h"
#include "ISliderControlBase.h"
#include "ISwitchControlBase.h"

namespace iplug::igraphics
{

// An SVG picture over the control's bounds, optionally kept in a layer so it is rasterised only when
// the scale or the bounds change. Main thread.
class ISVGControl : public IControl
{
public:
  // svg over bounds; with useLayer the rasterised picture is cached.
  ISVGControl(const IRECT& bounds, const ISVG& svg, bool useLayer = false);

  // The picture (from the layer when it is still good).
  void Draw(IGraphics& g) override;
  // Replaces the picture; redraws.
  void SetSVG(const ISVG& svg);

private:
  ISVG mSVG;
  bool mUseLayer;
  ILayerPtr mLayer;
};

// A momentary button drawn with an off picture and an on picture.
class ISVGButtonControl : public IButtonControlBase
{
public:
  // A button over bounds running actionFunc, showing onImage while pressed.
  ISVGButtonControl(const IRECT& bounds, IActionFunction actionFunc, const ISVG& offImage, const ISVG& onImage);

  // The on picture above 0.5, else the off picture.
  void Draw(IGraphics& g) override;

private:
  ISVG mOffSVG;
  ISVG mOnSVG;
};

// A knob drawn by rotating one picture from -135 to +135 degrees.
class ISVGKnobControl : public IKnobControlBase
{
public:
  // A vertical knob of paramIdx (gearing 4, cursor hidden while dragging) showing svg.
  ISVGKnobControl(const IRECT& bounds, const ISVG& svg, int paramIdx = -1);

  // The picture rotated by value x 270 - 135 degrees about the centre, at the bounds' size.
  void Draw(IGraphics& g) override;
  // Replaces the picture; redraws.
  void SetSVG(const ISVG& svg);

private:
  ISVG mSVG;
};

// A switch with one picture per state.
class ISVGSwitchControl : public ISwitchControlBase
{
public:
  // A switch of paramIdx with one state per picture.
  ISVGSwitchControl(const IRECT& bounds, std::initializer_list<ISVG> svgs, int paramIdx = -1,
                    IActionFunction actionFunc = nullptr);

  // Picture number round((N - 1) x value).
  void Draw(IGraphics& g) override;

private:
  std::vector<ISVG> mSVGs;
};

// A slider drawn as a handle picture over a track picture.
class ISVGSliderControl : public ISliderControlBase
{
public:
  // A slider of paramIdx along dir with gearing, drawn with handleSvg over trackSvg.
  ISVGSliderControl(const IRECT& bounds, const ISVG& handleSvg, const ISVG& trackSvg, int paramIdx = -1,
                    EDirection dir = kDirectionVertical, double gearing = 4.0);

  // The track, then the handle at the value.
  void Draw(IGraphics& g) override;
  // Fits the track to its picture's aspect, centred, at least one unit wide.
  void OnResize() override;
  // The handle rectangle moved along the track for value (negative: the current value).
  IRECT GetHandleBounds(double value = -1.0) const;

private:
  ISVG mHandleSVG;
  ISVG mTrackSVG;
  IRECT mHandleBounds;
};

} // namespace iplug::igraphics
