#pragma once

#include "IBitmap.h"
#include "IButtonControlBase.h"
#include "IControl.h"
#include "IKnobControlBase.h"
#include "ISliderControlBase.h"
#include "ISwitchControlBase.h"
#include "ITextControl.h"

namespace iplug::igraphics
{

// Mix-in that draws a control from a strip of equally sized frames, choosing the frame from the
// control's slot-0 value: frame k of N covers values within half a step of (k - 1) / (N - 1).
class IBitmapBase
{
public:
  // Draws pControl (not owned) from bitmap.
  IBitmapBase(const IBitmap& bitmap, IControl* pControl) : mBitmap(bitmap), mControl(pControl) {}
  virtual ~IBitmapBase() = default;

  // The frame (1..N) that value v shows.
  static int FrameForValue(int nFrames, double v);
  // Draws the frame for the control's value, frame-sized and centred in the control's bounds, with its blend.
  void DrawBitmap(IGraphics& g);
  // The strip.
  const IBitmap& GetBitmap() const { return mBitmap; }
  // True when DrawBitmap covers the control's rectangle opaquely and nothing beyond it: an opaque strip whose
  // frames are the rectangle's size, drawn over with full weight (a disabled control is drawn translucent).
  bool CoversOpaquely() const;

protected:
  // Replaces the strip with the one the context holds for the current scale.
  void RescaleBitmap();

  IBitmap mBitmap; // the strip at the current scale; the context's cache owns its pixels
  IControl* mControl; // the control this base belongs to; not owned
};

// A plain picture (or a picture strip showing a value); reloaded by name when the scale changes.
class IBitmapControl : public IControl, public IBitmapBase
{
public:
  // A picture at (x, y) the size of one frame, linked to paramIdx, drawn with blend.
  IBitmapControl(float x, float y, const IBitmap& bitmap, int paramIdx = -1, EBlend blend = kBlendSrcOver);
  // The same over bounds.
  IBitmapControl(const IRECT& bounds, const IBitmap& bitmap, int paramIdx = -1, EBlend blend = kBlendSrcOver);

  // The frame for the value.
  void Draw(IGraphics& g) override { DrawBitmap(g); }
  // Opaque when its strip is (see CoversOpaquely).
  bool IsOpaque() const override { return CoversOpaquely(); }
  // Reloads the strip by name at ceil(screen scale).
  void OnRescale() override;
};

// A knob drawn from a strip of frames, dragged vertically or horizontally.
class IBKnobControl : public IKnobControlBase, public IBitmapBase
{
public:
  // A knob at (x, y) the size of one frame, linked to paramIdx, dragged along dir with gearing.
  IBKnobControl(float x, float y, const IBitmap& bitmap, int paramIdx, EDirection dir = kDirectionVertical,
                double gearing = 4.0);
  // The same over bounds.
  IBKnobControl(const IRECT& bounds, const IBitmap& bitmap, int paramIdx, EDirection dir = kDirectionVertical,
                double gearing = 4.0);

  // The frame for the value.
  void Draw(IGraphics& g) override { DrawBitmap(g); }
  // Opaque when its strip is (see CoversOpaquely).
  bool IsOpaque() const override { return CoversOpaquely(); }
  // Takes the strip for the new scale.
  void OnRescale() override { RescaleBitmap(); }
};

// A knob drawn by rotating one picture from -130 to +130 degrees.
class IBKnobRotaterControl : public IKnobControlBase, public IBitmapBase
{
public:
  // A knob at (x, y) the size of the picture, linked to paramIdx.
  IBKnobRotaterControl(float x, float y, const IBitmap& bitmap, int paramIdx, EDirection dir = kDirectionVertical,
                       double gearing = 4.0);

  // The picture rotated by value x 260 - 130 degrees about the centre.
  void Draw(IGraphics& g) override;
  // Takes the picture for the new scale.
  void OnRescale() override { RescaleBitmap(); }
};

// A switch drawn from a strip: each click shows the next frame, wrapping after the last.
class IBSwitchControl : public ISwitchControlBase, public IBitmapBase
{
public:
  // A switch at (x, y) the size of one frame, linked to paramIdx.
  IBSwitchControl(float x, float y, const IBitmap& bitmap, int paramIdx = -1);
  // The same over bounds.
  IBSwitchControl(const IRECT& bounds, const IBitmap& bitmap, int paramIdx = -1);

  // Steps by one frame of the strip (1 / (N - 1)), wrapping past the last, and sends the value on.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // The frame for the value.
  void Draw(IGraphics& g) override { DrawBitmap(g); }
  // Opaque when its strip is (see CoversOpaquely).
  bool IsOpaque() const override { return CoversOpaquely(); }
  // Takes the strip for the new scale.
  void OnRescale() override { RescaleBitmap(); }
};

// A momentary button drawn from a strip (released, pressed).
class IBButtonControl : public IButtonControlBase, public IBitmapBase
{
public:
  // A button at (x, y) the size of one frame running actionFunc.
  IBButtonControl(float x, float y, const IBitmap& bitmap, IActionFunction actionFunc = DefaultClickActionFunc);
  // The same over bounds.
  IBButtonControl(const IRECT& bounds, const IBitmap& bitmap, IActionFunction actionFunc = DefaultClickActionFunc);

  // The frame for the value.
  void Draw(IGraphics& g) override { DrawBitmap(g); }
  // Opaque when its strip is (see CoversOpaquely).
  bool IsOpaque() const override { return CoversOpaquely(); }
  // Takes the strip for the new scale.
  void OnRescale() override { RescaleBitmap(); }
};

// A slider drawn as a handle picture moving over an optional track picture.
class IBSliderControl : public ISliderControlBase, public IBitmapBase
{
public:
  // A slider at (x, y) trackLength long along dir, the handle's size across.
  IBSliderControl(float x, float y, float trackLength, const IBitmap& handleBitmap, const IBitmap& trackBitmap,
                  int paramIdx = -1, EDirection dir = kDirectionVertical, double gearing = 8.0);
  // The same over bounds.
  IBSliderControl(const IRECT& bounds, const IBitmap& handleBitmap, const IBitmap& trackBitmap, int paramIdx = -1,
                  EDirection dir = kDirectionVertical, double gearing = 8.0);

  // The track (if any), then the handle at the value.
  void Draw(IGraphics& g) override;
  // Places the track: the track picture centred, else a handle-wide strip through the middle.
  void OnResize() override;
  // Takes the handle picture for the new scale.
  void OnRescale() override { RescaleBitmap(); }
  // The handle's rectangle at value (negative: the current value).
  IRECT GetHandleBounds(double value = -1.0) const;

private:
  IBitmap mTrackBitmap;
};

// Text drawn with a bitmap font: frame k + 1 of the strip holds character 32 + k.
class IBTextControl : public ITextControl, public IBitmapBase
{
public:
  // str drawn with the font strip in cells of charWidth x charHeight, charOffset apart, with blend.
  IBTextControl(const IRECT& bounds, const IBitmap& bitmap, const IText& text = DEFAULT_TEXT, const char* str = "",
                int charWidth = 6, int charHeight = 12, int charOffset = 0, bool multiLine = false,
                bool vCenter = true, EBlend blend = kBlendSrcOver);

  // The string in the bitmap font.
  void Draw(IGraphics& g) override;
  // Takes the strip for the new scale.
  void OnRescale() override { RescaleBitmap(); }

private:
  int mCharWidth;
  int mCharHeight;
  int mCharOffset;
  bool mMultiLine;
  bool mVCentre;
};

} // namespace iplug::igraphics
