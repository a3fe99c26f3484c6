#pragma once

#include <array>

#include "IControl.h"
#include "IVectorBase.h"

namespace iplug::igraphics
{

// The frame-time display: a graph of the last 100 frame times with their average as frames per
// second, milliseconds or a percentage, its texts in the style's frame colour. The graphics context feeds
// it at the start of every frame and it redraws every frame. Main thread.
class IFPSDisplayControl : public IControl, public IVectorBase
{
public:
  // What the readout shows.
  enum EStyle
  {
    kFPS,
    kMS,
    kPercentage
  };

  // Number of frame times kept.
  static constexpr int kNumDataPoints = 100;

  // A display over bounds with that readout and label.
  IFPSDisplayControl(const IRECT& bounds, EStyle style = kFPS, const char* label = "Frame Time");

  // Always true: the display redraws every frame.
  bool IsDirty() override { return true; }
  // Cycles the readout: frames per second, milliseconds, percentage.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Background, outline, graph, back-end name, label and readout.
  void Draw(IGraphics& g) override;
  // Also gives the texts the new frame colour.
  void SetStyle(const IVStyle& style) override;

  // Stores one frame time in seconds, replacing the oldest.
  void Update(float timeSeconds);
  // Mean of the stored frame times in seconds.
  float GetAverage() const;
  // The readout texts for the current style: main and (frames per second only) second readout; both empty
  // until a frame time has been stored.
  void GetReadouts(WDL_String& main, WDL_String& second) const;
  // Current readout style.
  EStyle GetStyle() const { return mDisplayStyle; }

private:
  // Height of sample t in 0..1 for the current style.
  float GraphValue(float t) const;
  // Gives the three text styles the style's frame colour.
  void ColorTexts();

  EStyle mDisplayStyle;
  WDL_String mLabel;
  std::array<float, kNumDataPoints> mBuffer{};
  int mReadPos = 0;
  int mFilled = 0; // samples written so far, up to kNumDataPoints
  IText mTitleStyle;
  IText mReadoutStyle;
  IText mSecondReadoutStyle;
  IColor mBackgroundColor = COLOR_WHITE;
};

} // namespace iplug::igraphics
