#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "IControl.h"
#include "IGEditorDelegate.h"
#include "IGraphicsOffscreen.h"
#include "RGBAImage.h"

using namespace iplug::igraphics;

// One editor frame drawn off-screen through NanoVG on llvmpipe: 500 x 220 user units holding 10 bitmaps,
// 10 vector paths and 5 text runs, redrawn whole or with one 120 x 100 region dirty, at draw scale 1 and 2.
// glFinish closes every iteration so the rasteriser's work is counted, not only the command recording.

namespace
{
constexpr int kWidth = 500;
constexpr int kHeight = 220;

class FuncControl : public IControl
{
public:
  FuncControl(const IRECT& bounds, std::function<void(IGraphics&, const IRECT&)> draw)
    : IControl(bounds), mDraw(std::move(draw))
  {
  }
  void Draw(IGraphics& g) override { mDraw(g, GetRECT()); }

private:
  std::function<void(IGraphics&, const IRECT&)> mDraw;
};

// An open off-screen editor with the benchmark's controls.
class BenchEditor
{
public:
  explicit BenchEditor(float drawScale)
    : mGraphics(std::make_unique<IGraphicsOffscreen>(mDelegate, kWidth, kHeight, 60, drawScale))
  {
    mDir = std::filesystem::temp_directory_path() / ("tidewell-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(mDir);
    mOpen = mGraphics->OpenWindow(nullptr) != nullptr;
    if (!mOpen)
      return;
    mGraphics->LoadFont("BenchSans", "DejaVu Sans", kTextStyleNormal);
    Populate();
  }
  ~BenchEditor()
  {
    mGraphics.reset();
    std::error_code error;
    std::filesystem::remove_all(mDir, error);
  }

  bool IsOpen() const { return mOpen; }

  // Draws the regions in rects and waits for the rasteriser.
  void Draw(IRECTList& rects)
  {
    mGraphics->Draw(rects);
    glFinish();
  }

private:
  void Populate()
  {
    IGraphics& g = *mGraphics;
    g.AttachControl(new FuncControl(g.GetBounds(), [](IGraphics& gr, const IRECT& r) {
      gr.FillRect(IColor(255, 40, 44, 52), r);
    }));
    RGBAImage picture(48, 48);
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 48; ++x)
        picture.SetPixel(x, y, IColor(255, x * 5, y * 5, 128));
    const std::string path = (mDir / "tile.png").string();
    picture.WritePNG(path.c_str());
    const IBitmap tile = g.LoadBitmap(path.c_str());
    for (int i = 0; i < 10; ++i)
    {
      const float x = 10.f + 48.f * static_cast<float>(i);
      g.AttachControl(new FuncControl(IRECT(x, 10, x + 40, 50), [tile](IGraphics& gr, const IRECT& r) {
        gr.DrawBitmap(tile, r, 1);
      }));
    }
    for (int i = 0; i < 10; ++i)
    {
      const float x = 10.f + 48.f * static_cast<float>(i);
      g.AttachControl(new FuncControl(IRECT(x, 60, x + 40, 140), [i](IGraphics& gr, const IRECT& r) {
        gr.FillRoundRect(IColor(255, 90, 90 + 10 * i, 160), r, 6.f);
        gr.DrawArc(COLOR_WHITE, r.MW(), r.MH(), 15.f, -135.f, -135.f + 27.f * static_cast<float>(i), nullptr, 3.f);
        gr.FillCircle(COLOR_ORANGE, r.MW(), r.B - 12.f, 6.f);
      }));
    }
    const char* labels[5] = {"Duck", "Period", "Random", "Duration", "Depth"};
    for (int i = 0; i < 5; ++i)
    {
      const float x = 10.f + 96.f * static_cast<float>(i);
      const char* label = labels[i];
      g.AttachControl(new FuncControl(IRECT(x, 160, x + 90, 200), [label](IGraphics& gr, const IRECT& r) {
        gr.DrawText(IText(18.f, COLOR_WHITE, "BenchSans"), label, r);
      }));
    }
  }

  IGEditorDelegate mDelegate{0};
  std::unique_ptr<IGraphicsOffscreen> mGraphics;
  std::filesystem::path mDir;
  bool mOpen = false;
};

void RunFrames(benchmark::State& state, const IRECT& region)
{
  BenchEditor editor(static_cast<float>(state.range(0)));
  if (!editor.IsOpen())
  {
    state.SkipWithError("no EGL surfaceless OpenGL context");
    return;
  }
  IRECTList rects;
  for (auto _ : state)
  {
    rects.Clear();
    rects.Add(region);
    editor.Draw(rects);
  }
  state.SetLabel(region.W() >= kWidth ? "full 500x220" : "120x100 dirty");
}

void BM_FullFrame(benchmark::State& state)
{
  RunFrames(state, IRECT(0, 0, kWidth, kHeight));
}

void BM_PartialFrame(benchmark::State& state)
{
  RunFrames(state, IRECT(100, 50, 220, 150));
}

} // namespace

BENCHMARK(BM_FullFrame)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PartialFrame)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
