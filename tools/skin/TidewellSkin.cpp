// Draws Tidewell's skin with the toolkit itself and writes it as PNG strips at 1x and 2x:
//   tidewell_skin OUTDIR
// writes Background.png, processBtn.png, controlKnob.png, Rubberduck.png and their @2x versions.
// Every frame is opaque, so a control's frame pasted over the background is exactly what the editor shows,
// and a control whose value changed is redrawn alone, without the background beneath it.
//   tidewell_skin --icon OUTDIR
// writes the standalone program's icon, AppIcon.png (256 x 256 pixels) and AppIcon-48.png (48 x 48), from the
// same drawing as the skin's duck.

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "IControl.h"
#include "IGEditorDelegate.h"
#include "IGraphicsOffscreen.h"

using namespace iplug::igraphics;

namespace
{

// Sizes of one frame in user units, and frame counts. The controls sit at the editor's fixed positions:
// knobs at x = 16.5 + 99 k, y = 110; the switch at (402.5, 121); the duck at (339, 9).
constexpr int kEditorW = 495, kEditorH = 220;
constexpr int kKnobSize = 66, kKnobFrames = 31;
constexpr int kSwitchW = 70, kSwitchH = 40, kSwitchFrames = 2;
constexpr int kDuckW = 120, kDuckH = 96, kDuckFrames = 31;
// The icon's design size in user units, and the pixel sizes it is written at.
constexpr int kIconSize = 256;
constexpr int kIconPixels[] = {256, 48};

const IColor kNight(255, 16, 38, 52);
const IColor kPanel(255, 24, 56, 72);
const IColor kPanelEdge(255, 44, 92, 112);
const IColor kFoam(255, 226, 240, 238);
const IColor kTeal(255, 64, 196, 180);
const IColor kDimTeal(255, 38, 92, 96);
const IColor kWater(255, 40, 120, 168);
const IColor kDeepWater(255, 22, 74, 118);
const IColor kDuckYellow(255, 250, 206, 46);
const IColor kDuckShade(255, 222, 160, 24);
const IColor kBeak(255, 242, 122, 30);

const char* kLabelFont = "SkinBold";
const char* kTitleFont = "SkinTitle";

// A control that runs a drawing function over its bounds.
class Painter : public IControl
{
public:
  Painter(const IRECT& bounds, std::function<void(IGraphics&, const IRECT&)> paint)
    : IControl(bounds), mPaint(std::move(paint))
  {
  }
  void Draw(IGraphics& g) override { mPaint(g, mBounds); }

private:
  std::function<void(IGraphics&, const IRECT&)> mPaint;
};

// The value (0..1) that frame index i (0-based) of an n-frame strip shows.
float FrameValue(int i, int n) { return n < 2 ? 0.f : static_cast<float>(i) / static_cast<float>(n - 1); }

void PaintBackground(IGraphics& g, const IRECT& r)
{
  g.FillRect(kNight, r);
  // Gentle swells across the top, behind the title and the pond.
  for (int i = 0; i < 4; ++i)
  {
    const float y = 30.f + 16.f * static_cast<float>(i);
    g.PathClear();
    g.PathMoveTo(0.f, y);
    for (int x = 0; x <= kEditorW; x += 5)
      g.PathLineTo(static_cast<float>(x), y + 3.f * std::sin(static_cast<float>(x) / 28.f + static_cast<float>(i)));
    g.PathStroke(IPattern(IColor(60 - 12 * i, 120, 200, 210)), 1.5f);
  }
  const IText title(26.f, kFoam, kTitleFont, kAlignNear, kVAlignTop);
  g.DrawText(title, "Tidewell", IRECT(18.f, 12.f, 300.f, 44.f));
  const IText subtitle(11.f, kTeal, kLabelFont, kAlignNear, kVAlignTop);
  g.DrawText(subtitle, "rhythmic ducking", IRECT(20.f, 44.f, 300.f, 60.f));

  // The knob row and the switch sit on a flat panel the same colour as their tiles.
  g.FillRoundRect(kPanel, IRECT(8.f, 102.f, 487.f, 212.f), 8.f);
  g.DrawRoundRect(kPanelEdge, IRECT(8.f, 102.f, 487.f, 212.f), 8.f, nullptr, 1.f);
  const IText label(12.f, kFoam, kLabelFont, kAlignCenter, kVAlignMiddle);
  const char* names[] = {"Period", "Random", "Duration", "Depth"};
  for (int k = 0; k < 4; ++k)
  {
    const float x = 16.5f + 99.f * static_cast<float>(k);
    g.DrawText(label, names[k], IRECT(x - 10.f, 180.f, x + kKnobSize + 10.f, 198.f));
  }
  g.DrawText(label, "Duck", IRECT(402.5f, 166.f, 402.5f + kSwitchW, 184.f));
}

void PaintKnob(IGraphics& g, const IRECT& r, float v)
{
  g.FillRect(kPanel, r);
  const float cx = r.MW(), cy = r.MH(), radius = r.W() * 0.5f - 6.f;
  const float a1 = -135.f, a2 = -135.f + 270.f * v;
  g.DrawArc(kDimTeal, cx, cy, radius + 2.f, -135.f, 135.f, nullptr, 3.f);
  if (v > 0.f)
    g.DrawArc(kTeal, cx, cy, radius + 2.f, a1, a2, nullptr, 3.f);
  IPattern body = IPattern::CreateRadialGradient(cx - radius * 0.3f, cy - radius * 0.3f, radius * 1.4f,
                                                 {{IColor(255, 92, 128, 140), 0.f}, {IColor(255, 30, 50, 60), 1.f}});
  g.PathClear();
  g.PathCircle(cx, cy, radius - 4.f);
  g.PathFill(body);
  g.DrawCircle(kPanelEdge, cx, cy, radius - 4.f, nullptr, 1.f);
  // The pointer: angle 0 points up, growing clockwise.
  const float rad = a2 * 3.14159265f / 180.f;
  const float px = cx + std::sin(rad) * (radius - 8.f), py = cy - std::cos(rad) * (radius - 8.f);
  g.DrawLine(kFoam, cx + std::sin(rad) * 6.f, cy - std::cos(rad) * 6.f, px, py, nullptr, 3.f);
}

void PaintSwitch(IGraphics& g, const IRECT& r, bool on)
{
  g.FillRect(kPanel, r);
  const IRECT pill(r.L + 6.f, r.T + 8.f, r.R - 6.f, r.B - 8.f);
  g.FillRoundRect(on ? kTeal : kDimTeal, pill, pill.H() / 2.f);
  g.DrawRoundRect(kPanelEdge, pill, pill.H() / 2.f, nullptr, 1.f);
  const float knobR = pill.H() / 2.f - 3.f;
  const float kx = on ? pill.R - pill.H() / 2.f : pill.L + pill.H() / 2.f;
  g.FillCircle(kFoam, kx, pill.MH(), knobR);
}

void PaintDuck(IGraphics& g, const IRECT& r, float v)
{
  g.FillRect(kNight, r);
  const float waterY = r.T + r.H() * 0.62f;
  // The meter pulls the duck under: at 1 only the top of its head shows.
  const float sink = 34.f * v;
  const float bodyCx = r.MW() - 6.f, bodyCy = waterY - 6.f + sink;
  g.FillEllipse(kDuckYellow, bodyCx, bodyCy, 34.f, 18.f);
  g.FillEllipse(kDuckShade, bodyCx - 6.f, bodyCy + 2.f, 16.f, 8.f);
  const float headCx = bodyCx + 22.f, headCy = bodyCy - 22.f;
  g.FillCircle(kDuckYellow, headCx, headCy, 13.f);
  g.FillTriangle(kBeak, headCx + 10.f, headCy - 2.f, headCx + 24.f, headCy + 3.f, headCx + 10.f, headCy + 7.f);
  g.FillCircle(kNight, headCx + 4.f, headCy - 4.f, 2.2f);
  // Water over the submerged part, darker with depth.
  IPattern water = IPattern::CreateLinearGradient(r.L, waterY, r.L, r.B, {{kWater, 0.f}, {kDeepWater, 1.f}});
  g.PathClear();
  g.PathMoveTo(r.L, waterY);
  for (int x = 0; x <= static_cast<int>(r.W()); x += 4)
    g.PathLineTo(r.L + static_cast<float>(x), waterY + 2.f * std::sin(static_cast<float>(x) / 9.f));
  g.PathLineTo(r.R, r.B);
  g.PathLineTo(r.L, r.B);
  g.PathClose();
  g.PathFill(water);
}

// The icon: the duck a quarter sunk, larger than in the editor, on a rounded tile of the editor's night blue
// whose corners stay transparent.
void PaintIcon(IGraphics& g, const IRECT& r)
{
  const IRECT tile = r.GetPadded(-8.f);
  constexpr float kCorner = 44.f;
  g.FillRoundRect(kNight, tile, kCorner);
  // Scaled by 1.8 and centred, the duck's pond stays inside the tile's rounded corners.
  constexpr float kDuckScale = 1.8f;
  g.PathTransformSave();
  g.PathTransformTranslate(r.MW() - kDuckScale * kDuckW / 2.f, r.MH() - kDuckScale * kDuckH / 2.f);
  g.PathTransformScale(kDuckScale);
  PaintDuck(g, IRECT(0.f, 0.f, kDuckW, kDuckH), 0.25f);
  g.PathTransformRestore();
  g.DrawRoundRect(kPanelEdge, tile, kCorner, nullptr, 6.f);
}

// Renders one strip of n frames of w x h units, stacked vertically, at drawScale device pixels per unit times
// screenScale; returns whether it was written.
bool RenderStrip(const std::string& path, int w, int h, int n, float screenScale,
                 const std::function<void(IGraphics&, const IRECT&, float)>& paintFrame, float drawScale = 1.f)
{
  IGEditorDelegate dlg(0);
  const int stripH = h * n;
  dlg.SetSizeConstraints(w, w, stripH, stripH);
  IGraphicsOffscreen graphics(dlg, w, stripH, 60, drawScale, screenScale);
  dlg.mLayoutFunc = [&](IGraphics* pGraphics) {
    pGraphics->LoadFont(kLabelFont, "DejaVu Sans", kTextStyleBold);
    pGraphics->LoadFont(kTitleFont, "DejaVu Serif", kTextStyleBold);
    pGraphics->AttachControl(new Painter(IRECT(0.f, 0.f, static_cast<float>(w), static_cast<float>(stripH)),
                                         [&](IGraphics& g, const IRECT&) {
                                           for (int i = 0; i < n; ++i)
                                           {
                                             const float top = static_cast<float>(h * i);
                                             paintFrame(g, IRECT(0.f, top, static_cast<float>(w), top + h),
                                                        FrameValue(i, n));
                                           }
                                         }));
  };
  if (!graphics.OpenWindow(nullptr))
  {
    std::fprintf(stderr, "tidewell_skin: no off-screen OpenGL context\n");
    return false;
  }
  graphics.DrawAll();
  const bool written = graphics.Snapshot().WritePNG(path.c_str());
  if (!written)
    std::fprintf(stderr, "tidewell_skin: cannot write %s\n", path.c_str());
  return written;
}

} // namespace

bool RenderIcon(const std::string& dir)
{
  bool ok = true;
  for (int pixels : kIconPixels)
  {
    const std::string name = pixels == kIconSize ? "/AppIcon.png" : "/AppIcon-" + std::to_string(pixels) + ".png";
    ok = ok && RenderStrip(dir + name, kIconSize, kIconSize, 1, 1.f,
                           [](IGraphics& g, const IRECT& r, float) { PaintIcon(g, r); },
                           static_cast<float>(pixels) / static_cast<float>(kIconSize));
  }
  return ok;
}

int main(int argc, char** argv)
{
  const bool icon = argc == 3 && std::string(argv[1]) == "--icon";
  if (argc != 2 && !icon)
  {
    std::fprintf(stderr, "usage: tidewell_skin OUTDIR | tidewell_skin --icon OUTDIR\n");
    return 2;
  }
  if (icon)
    return RenderIcon(argv[2]) ? 0 : 1;
  const std::string dir = argv[1];
  bool ok = true;
  for (int density = 1; density <= 2; ++density)
  {
    const std::string suffix = density == 1 ? ".png" : "@2x.png";
    const float s = static_cast<float>(density);
    ok = ok && RenderStrip(dir + "/Background" + suffix, kEditorW, kEditorH, 1, s,
                           [](IGraphics& g, const IRECT& r, float) { PaintBackground(g, r); });
    ok = ok && RenderStrip(dir + "/processBtn" + suffix, kSwitchW, kSwitchH, kSwitchFrames, s,
                           [](IGraphics& g, const IRECT& r, float v) { PaintSwitch(g, r, v > 0.5f); });
    ok = ok && RenderStrip(dir + "/controlKnob" + suffix, kKnobSize, kKnobSize, kKnobFrames, s,
                           [](IGraphics& g, const IRECT& r, float v) { PaintKnob(g, r, v); });
    ok = ok && RenderStrip(dir + "/Rubberduck" + suffix, kDuckW, kDuckH, kDuckFrames, s,
                           [](IGraphics& g, const IRECT& r, float v) { PaintDuck(g, r, v); });
  }
  return ok ? 0 : 1;
}
