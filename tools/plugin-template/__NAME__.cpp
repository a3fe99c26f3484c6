#include "@PLUGIN_NAME@.h"

#include <cmath>

#include "FourCC.h"
#include "IGraphics.h"
#include "IVKnobControl.h"
#include "ScopedFlushDenormals.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
  constexpr int kEditorWidth = 240;
  constexpr int kEditorHeight = 200;
  constexpr int kEditorFPS = 60;
  constexpr double kDefaultGain = -6.; // decibels

  double LinearGain(double decibels)
  {
    return std::pow(10., decibels / 20.);
  }
}

Config @PLUGIN_NAME@::MakeConfig()
{
  return Config{.paramCount = kNumParams,
                .presetCount = 1,
                .channelIO = "1-1 2-2",
                .pluginName = "@PLUGIN_NAME@",
                .productName = "@PLUGIN_NAME@",
                .makerName = "@MANUFACTURER@",
                .vendorVersion = 0x00010000,
                .uniqueId = static_cast<int>(FourCC("@SUBTYPE@")),
                .makerId = static_cast<int>(FourCC("@MFR_CODE@")),
                .hasEditor = true,
                .editorWidth = kEditorWidth,
                .editorHeight = kEditorHeight,
                .editorMinWidth = kEditorWidth,
                .editorMaxWidth = kEditorWidth,
                .editorMinHeight = kEditorHeight,
                .editorMaxHeight = kEditorHeight,
                .bundleId = "@BUNDLE_ID@",
                .lv2Class = "AmplifierPlugin",
                .uriBase = "@URI_BASE@"};
}

@PLUGIN_NAME@::@PLUGIN_NAME@(const InstanceInfo& info)
  : PluginAdapter(info, MakeConfig())
{
  GetParam(kGain)->InitGain("Gain", kDefaultGain, -70., 12.);
  mMakeGraphicsFunc = [this] { return MakeGraphics(*this, kEditorWidth, kEditorHeight, kEditorFPS, 1.f); };
  mLayoutFunc = [](IGraphics* pGraphics) {
    pGraphics->LoadFont(DEFAULT_FONT, "DejaVu Sans", kTextStyleNormal);
    pGraphics->AttachPanelBackground(IPattern(IColor(255, 40, 44, 52)));
    pGraphics->AttachControl(new IVKnobControl(pGraphics->GetBounds().GetPadded(-40.f), kGain, "Gain"));
  };
  OnReset();
}

void @PLUGIN_NAME@::OnReset()
{
  mGain = LinearGain(GetParam(kGain)->Value());
}

void @PLUGIN_NAME@::ProcessBlock(sample** inputs, sample** outputs, int nFrames)
{
  if (nFrames <= 0)
    return;
  const ScopedFlushDenormals flushDenormals;
  const int nChans = MaxNChannels(kOutput) >= 2 && IsChannelConnected(kOutput, 1) ? 2 : 1;
  const double start = mGain;
  const double end = LinearGain(GetParam(kGain)->Value());
  const double step = (end - start) / nFrames;
  // Rounded to single precision, the hosts' format, while subnormals are flushed, so none reaches the host.
  for (int c = 0; c < nChans; ++c)
  {
    for (int i = 0; i < nFrames; ++i)
      outputs[c][i] = static_cast<float>(inputs[c][i] * (start + step * (i + 1)));
  }
  mGain = end;
}
