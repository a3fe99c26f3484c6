#include <benchmark/benchmark.h>

#include "support/HundredControlEditor.h"

using namespace iplug::igraphics;

// IsDirty + Draw on a 100-control editor with nothing dirty: the cost of an idle frame.
static void BM_FrameNothingDirty(benchmark::State& state)
{
  HundredControlEditor editor;
  for (auto _ : state)
    benchmark::DoNotOptimize(editor.Frame());
}
BENCHMARK(BM_FrameNothingDirty);

// One 40 x 20 control dirty: the duck-meter frame.
static void BM_FrameOneControlDirty(benchmark::State& state)
{
  HundredControlEditor editor;
  iplug::igraphics::IControl* meter = editor.graphics.GetControl(50);
  for (auto _ : state)
  {
    meter->SetDirty(false);
    benchmark::DoNotOptimize(editor.Frame());
  }
}
BENCHMARK(BM_FrameOneControlDirty);

// Every control dirty: a full repaint.
static void BM_FrameAllDirty(benchmark::State& state)
{
  HundredControlEditor editor;
  for (auto _ : state)
  {
    editor.graphics.SetAllControlsDirty();
    benchmark::DoNotOptimize(editor.Frame());
  }
}
BENCHMARK(BM_FrameAllDirty);
