#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "IRECTList.h"

using iplug::igraphics::IRECT;
using iplug::igraphics::IRECTList;

namespace {

constexpr float kEditorW = 495.f;
constexpr float kEditorH = 220.f;
constexpr float kDirtyMargin = 0.75f; // the redraw cycle pads every dirty control by this much
constexpr float kBackingScale = 2.f;  // a double-density display

IRECT AsDirty(const IRECT& control)
{
  return control.GetPadded(kDirtyMargin).GetPixelAligned(kBackingScale);
}

// Controls scattered over the editor at random sizes: knobs, meters, labels and their value bubbles, many
// of them overlapping.
std::vector<IRECT> ScatteredFrame(int count)
{
  std::mt19937 rng(7u);
  std::uniform_real_distribution<float> size(16.f, 110.f);
  std::vector<IRECT> dirty;
  for (int i = 0; i < count; ++i)
  {
    const float w = size(rng);
    const float h = size(rng) * 0.6f;
    const float x = std::uniform_real_distribution<float>(0.f, kEditorW - w)(rng);
    const float y = std::uniform_real_distribution<float>(0.f, kEditorH - h)(rng);
    dirty.push_back(AsDirty(IRECT(x, y, x + w, y + h)));
  }
  return dirty;
}

// A bank of equally spaced controls laid edge to edge, so the padded neighbours overlap along every side.
std::vector<IRECT> ControlGridFrame(int count)
{
  constexpr int kColumns = 10;
  constexpr float kCellW = kEditorW / kColumns;
  constexpr float kCellH = 44.f;
  std::vector<IRECT> dirty;
  for (int i = 0; i < count; ++i)
  {
    const float x = (i % kColumns) * kCellW;
    const float y = static_cast<float>(i / kColumns) * kCellH;
    dirty.push_back(AsDirty(IRECT(x, y, x + kCellW, y + kCellH)));
  }
  return dirty;
}

// One frame: refill the cleared list (as the view does) and optimise it. Reports how often the list's
// buffer had to grow inside the timed loop; 0 means steady-state frames do not allocate.
void RunFrames(benchmark::State& state, const std::vector<IRECT>& frame)
{
  IRECTList list;
  for (const IRECT& r : frame)
    list.Add(r);
  list.Optimize();
  const int warmCapacity = list.Capacity();
  int growths = 0;

  for (auto _ : state)
  {
    list.Clear();
    for (const IRECT& r : frame)
      list.Add(r);
    list.Optimize();
    benchmark::DoNotOptimize(list.Get(0));
    growths += list.Capacity() != warmCapacity ? 1 : 0;
  }

  state.counters["rects_in"] = static_cast<double>(frame.size());
  state.counters["rects_out"] = list.Size();
  state.counters["buffer_growths"] = growths;
}

void BM_OptimizeScattered(benchmark::State& state)
{
  RunFrames(state, ScatteredFrame(static_cast<int>(state.range(0))));
}

void BM_OptimizeControlGrid(benchmark::State& state)
{
  RunFrames(state, ControlGridFrame(static_cast<int>(state.range(0))));
}

} // namespace

BENCHMARK(BM_OptimizeScattered)->Arg(10)->Arg(25)->Arg(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OptimizeControlGrid)->Arg(10)->Arg(25)->Arg(50)->Unit(benchmark::kMicrosecond);
