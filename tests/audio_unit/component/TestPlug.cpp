// A plug-in built on IPlugAU for the adapter's tests, covering what the product does not have: several
// buses ("2-2.2 2.7-2.2.4": a stereo input to two stereo outputs, or a stereo and a 7-channel input to two
// stereo outputs and a 4-channel one), MIDI in and out, MPE, presets, latency and tail, and parameters of
// every kind, unit, display curve and group. It shows the host what the adapter did:
// - output bus 0 carries the stereo input, output bus 1 the stereo input doubled;
// - every processed block sends one control change whose data bytes are the numbers of connected output
//   and input channels;
// - with "Mode" at "C" it writes the transport record into output channel 0 instead (tempo, sample
//   position, quarter-note position, last bar, cycle start and end, numerator, denominator, running, looping);
// - MIDI input goes straight out again and SysEx input comes back as SysEx output;
// - a block whose first input sample is kAllocateMarker allocates, which the render allocation guard catches.

#include <algorithm>
#include <memory>
#include <new>

#include "FourCC.h"
#include "IPlugAUFactory.h"

namespace
{
enum ETestParams
{
  kGain = 0,
  kFreq,
  kMode,
  kEnabled,
  kSteps,
  kAmount,
  kDelay,
  kNumTestParams
};

constexpr int kModeTransport = 2;
// First input sample that makes a block allocate.
constexpr iplug::sample kAllocateMarker = -4096.0;

iplug::Config MakeTestConfig()
{
  return iplug::Config{.paramCount = kNumTestParams,
                       .presetCount = 2,
                       .channelIO = "2-2.2 2.7-2.2.4",
                       .pluginName = "TestPlug",
                       .productName = "TestPlug",
                       .makerName = "Tidewell Tests",
                       .vendorVersion = 0x00020304,
                       .uniqueId = static_cast<int>(iplug::FourCC("tplg")),
                       .makerId = static_cast<int>(iplug::FourCC("Twau")),
                       .latencySamples = 64,
                       .receivesMidi = true,
                       .sendsMidi = true,
                       .handlesMpe = true,
                       .editorWidth = 100,
                       .editorHeight = 100,
                       .editorMinWidth = 100,
                       .editorMaxWidth = 100,
                       .editorMinHeight = 100,
                       .editorMaxHeight = 100,
                       .bundleId = "com.tidewell.test.testplug"};
}

class TestPlug final : public iplug::IPlugAU
{
public:
  explicit TestPlug(const iplug::InstanceInfo& info)
    : IPlugAU(info, MakeTestConfig())
  {
    using iplug::IParam;
    GetParam(kGain)->InitGain("Gain", 0.0, -70.0, 24.0, 0.5, 0, "Main");
    GetParam(kFreq)->InitFrequency("Freq", 1000.0, 20.0, 20000.0, 1.0, 0, "Filter");
    GetParam(kMode)->InitEnum("Mode", 0, {"A", "B", "C"}, IParam::kFlagMeta, "Main");
    GetParam(kEnabled)->InitBool("Enabled", true, "", IParam::kFlagCannotAutomate | IParam::kFlagMeta);
    GetParam(kSteps)->InitInt("Steps", 3, 0, 10, "", IParam::kFlagCannotAutomate);
    GetParam(kAmount)->InitDouble("Amount", 0.25, 0.0, 1.0, 0.01, "", 0, "", IParam::ShapePowCurve(2.0));
    GetParam(kDelay)->InitMilliseconds("Delay", 10.0, 0.0, 100.0);
    MakePreset("First", -6.0, 440.0, 1, 1, 5, 0.5, 20.0);
    MakePreset("Second", 3.0, 2000.0, 0, 0, 7, 0.75, 50.0);
    SetTailSize(4800);
  }

  void ProcessBlock(iplug::sample** inputs, iplug::sample** outputs, int nFrames) override
  {
    if (nFrames > 0 && inputs[0][0] == kAllocateMarker)
      mAllocated = std::make_unique<double>(inputs[0][0]);
    if (GetParam(kMode)->Int() == kModeTransport)
    {
      WriteTransport(outputs[0], nFrames);
      return;
    }
    for (int c = 0; c < 4; ++c)
      for (int i = 0; i < nFrames; ++i)
        outputs[c][i] = inputs[c % 2][i] * (c < 2 ? 1.0 : 2.0);
    SendMidiMsg(iplug::IMidiMsg(0, 0xB0, static_cast<uint8_t>(NChannelsConnected(iplug::kOutput)),
                                static_cast<uint8_t>(NChannelsConnected(iplug::kInput))));
  }

  void ProcessSysEx(const iplug::ISysEx& msg) override { SendSysEx(msg); }

private:
  void WriteTransport(iplug::sample* out, int nFrames) const
  {
    const iplug::ITransportInfo& t = GetTransportInfo();
    const double values[] = {t.mTempo,      t.mSamplePos,  t.mPPQPos,    t.mLastBar,
                             t.mCycleStart, t.mCycleEnd,   static_cast<double>(t.mNumerator),
                             static_cast<double>(t.mDenominator), t.mTransportIsRunning ? 1.0 : 0.0,
                             t.mTransportLoopEnabled ? 1.0 : 0.0};
    std::copy_n(values, std::min(nFrames, static_cast<int>(sizeof(values) / sizeof(values[0]))), out);
  }

  std::unique_ptr<double> mAllocated; // what a marked block allocated
};
} // namespace

iplug::IPlugAU* iplug::MakePlug(void* memory)
{
  const InstanceInfo info;
  if (memory)
    return new (memory) TestPlug(info);
  return new TestPlug(info);
}

extern "C" __attribute__((visibility("default"))) AudioComponentPlugInInterface* TestPlug_Factory(
  const AudioComponentDescription* inDesc)
{
  return iplug::IPlugAUFactory<TestPlug, true>::Factory(inDesc);
}

extern "C" __attribute__((visibility("default"))) OSStatus TestPlug_Entry(ComponentParameters* params, void* storage)
{
  return iplug::IPlugAU::IPlugAUEntry(params, storage);
}
