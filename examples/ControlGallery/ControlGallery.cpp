#include "ControlGallery.h"
#include "ControlGalleryLayout.h"

#include <cmath>

#include "FourCC.h"
#include "IGraphics.h"
#include "ScopedFlushDenormals.h"

using namespace iplug;

Config ControlGallery::MakeConfig()
{
  return Config{.paramCount = kNumGalleryParams,
                .presetCount = 1,
                .channelIO = "1-1 2-2",
                .pluginName = "ControlGallery",
                .productName = "ControlGallery",
                .makerName = "Kelvane",
                .vendorVersion = 0x00010102,
                .uniqueId = static_cast<int>(FourCC("cgal")),
                .makerId = static_cast<int>(FourCC("Klvn")),
                .latencySamples = 0,
                .receivesMidi = false,
                .sendsMidi = false,
                .handlesMpe = false,
                .usesStateChunks = false,
                .pluginKind = 0,
                .hasEditor = true,
                .editorWidth = kControlGalleryWidth,
                .editorHeight = kControlGalleryHeight,
                .editorMinWidth = kControlGalleryWidth,
                .editorMaxWidth = kControlGalleryWidth,
                .editorMinHeight = kControlGalleryHeight,
                .editorMaxHeight = kControlGalleryHeight,
                .hostCanResize = false,
                .bundleId = "com.kelvane.audiounit.ControlGallery",
                .lv2Class = "UtilityPlugin",
                .makerURL = "https://kelvane.com",
                .licenseURI = "https://kelvane.com/plugins/licence"};
}

ControlGallery::ControlGallery(const InstanceInfo& info)
  : PluginAdapter(info, MakeConfig())
{
  InitControlGalleryParams(*this);
  mMakeGraphicsFunc = [this] {
    return igraphics::MakeGraphics(*this, kControlGalleryWidth, kControlGalleryHeight, kControlGalleryFPS, 1.f);
  };
  mLayoutFunc = LayoutControlGallery;
  OnReset();
}

void ControlGallery::OnReset()
{
  mGain = TargetGain();
}

double ControlGallery::TargetGain() const
{
  const double amp = std::pow(10., GetParam(kGalleryGain)->Value() / 20.);
  return GetParam(kGalleryInvert)->Bool() ? -amp : amp;
}

void ControlGallery::ProcessBlock(sample** inputs, sample** outputs, int nFrames)
{
  // An empty block moves nothing, so the ramp waits for the next one.
  if (nFrames <= 0)
    return;
  const ScopedFlushDenormals flushDenormals;
  const int nChans = MaxNChannels(kOutput) >= 2 && IsChannelConnected(kOutput, 1) ? 2 : 1;
  const double start = mGain;
  const double end = TargetGain();
  const double step = (end - start) / nFrames;
  for (int c = 0; c < nChans; ++c)
  {
    const sample* in = inputs[c];
    sample* out = outputs[c];
    for (int i = 0; i < nFrames; ++i)
      out[i] = static_cast<float>(in[i] * (start + step * (i + 1)));
  }
  mGain = end;
}
