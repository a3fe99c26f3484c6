// Tidewell's editor drawn off-screen with its real skin: a full frame against a frame in which only the
// duck meter moved, at screen scales 1 and 2. The meter frame redraws one 120 x 96 region, and as the duck's
// frames are opaque it draws no background beneath them, so it should cost a small share of the full frame.
// glFinish closes every iteration and wall time is reported, so the rasteriser's threads are counted, not
// only the command recording.

#include <benchmark/benchmark.h>

#include <CoreFoundation/CoreFoundation.h>
#include <GL/gl.h>

#include <cstring>
#include <memory>

#include "IControl.h"
#include "IGraphicsOffscreen.h"
#include "Tidewell.h"

using namespace iplug::igraphics;

namespace
{

// Makes the built component bundle known to the platform, so the editor finds its skin by the bundle's
// identifier as it does inside a host; returns that identifier ("" when the bundle is missing).
const char* RegisterComponentBundle()
{
  static char identifier[256] = {};
  static CFBundleRef bundle = nullptr;
  if (bundle)
    return identifier;
  const char* path = TIDEWELL_COMPONENT_DIR;
  CFURLRef url = CFURLCreateFromFileSystemRepresentation(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(path),
                                                         static_cast<CFIndex>(std::strlen(path)), true);
  bundle = url ? CFBundleCreate(kCFAllocatorDefault, url) : nullptr;
  if (url)
    CFRelease(url);
  CFStringRef id = bundle ? CFBundleGetIdentifier(bundle) : nullptr;
  if (id)
    CFStringGetCString(id, identifier, sizeof(identifier), kCFStringEncodingUTF8);
  return identifier;
}

// Tidewell's editor opened off-screen at screenScale.
struct OpenEditor
{
  explicit OpenEditor(float screenScale)
    : graphics(plug, 495, 220, 60, 1.f, screenScale)
  {
    graphics.SetBundleID(RegisterComponentBundle());
    ok = graphics.OpenWindow(nullptr) != nullptr;
    duck = ok ? graphics.GetControlWithTag(kCtrlTagDuck) : nullptr;
  }

  Tidewell plug;
  IGraphicsOffscreen graphics;
  IControl* duck = nullptr;
  bool ok = false;
};

void BM_TidewellEditorFullFrame(benchmark::State& state)
{
  OpenEditor editor(static_cast<float>(state.range(0)));
  if (!editor.ok || !editor.duck)
  {
    state.SkipWithError("no off-screen GL context or no skin");
    return;
  }
  for (auto _ : state)
  {
    editor.graphics.DrawAll();
    glFinish();
  }
}
BENCHMARK(BM_TidewellEditorFullFrame)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TidewellEditorMeterFrame(benchmark::State& state)
{
  OpenEditor editor(static_cast<float>(state.range(0)));
  if (!editor.ok || !editor.duck)
  {
    state.SkipWithError("no off-screen GL context or no skin");
    return;
  }
  editor.graphics.DrawAll();
  int step = 0;
  for (auto _ : state)
  {
    // Every frame shows another duck frame, as the meter does during a dip.
    editor.duck->SetValueFromDelegate(static_cast<double>(step++ % 31) / 30.0);
    editor.graphics.DrawFrame();
    glFinish();
  }
}
BENCHMARK(BM_TidewellEditorMeterFrame)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
