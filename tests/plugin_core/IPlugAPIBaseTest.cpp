#include <gtest/gtest.h>

#include <CoreFoundation/CoreFoundation.h>

#include <cstring>
#include <string>
#include <vector>

#include "IPlugAPIBase.h"
#include "Timer_impl.h"

using namespace iplug;

namespace
{
  Config TestConfig(bool hasEditor)
  {
    return Config{.paramCount = 2,
                  .channelIO = "1-1",
                  .pluginName = "Test",
                  .productName = "Test",
                  .makerName = "Maker",
                  .vendorVersion = 0x00010203,
                  .uniqueId = 0x74737431,
                  .makerId = 0x4D6B7231,
                  .hasEditor = hasEditor,
                  .editorWidth = 300,
                  .editorHeight = 200,
                  .editorMinWidth = 100,
                  .editorMaxWidth = 600,
                  .editorMinHeight = 50,
                  .editorMaxHeight = 400,
                  .bundleId = "com.maker.test"};
  }

  // Records, in order, what the idle tick and the informs deliver.
  class RecordingPlug : public IPlugAPIBase
  {
  public:
    explicit RecordingPlug(bool hasEditor = true) : IPlugAPIBase(TestConfig(hasEditor), kAPIAU)
    {
      GetParam(0)->InitDouble("A", 0.0, 0.0, 10.0, 0.5);
      GetParam(1)->InitDouble("B", 0.0, 0.0, 1.0, 0.01);
    }

    void SendParameterValueFromDelegate(int paramIdx, double value, bool normalized) override
    {
      mEvents.push_back("param " + std::to_string(paramIdx) + "=" + std::to_string(value) + (normalized ? "n" : ""));
    }
    void SendMidiMsgFromDelegate(const IMidiMsg& msg) override { mEvents.push_back("midi " + std::to_string(msg.mStatus)); }
    void SendSysexMsgFromDelegate(const ISysEx& msg) override { mEvents.push_back("sysex " + std::to_string(msg.mSize)); }
    void OnIdle() override { mEvents.push_back("idle"); }
    void OnParamChange(int paramIdx, EParamSource source, int) override
    {
      mEvents.push_back("change " + std::to_string(paramIdx) + " from " + std::to_string(source));
    }
    void InformHostOfParamChange(int paramIdx, double normalizedValue) override
    {
      mEvents.push_back("inform " + std::to_string(paramIdx) + "=" + std::to_string(normalizedValue));
    }
    void HostSpecificInit() override { mEvents.push_back("host init"); }
    void OnHostIdentified() override { mEvents.push_back("host identified"); }

    // The audio side's producers of the editor queues.
    void MidiFromProcessor(const IMidiMsg& msg) { mMidiMsgsFromProcessor.Push(msg); }
    void SysExFromProcessor(const SysExData& data) { mSysExDataFromProcessor.Push(data); }
    bool PopDeferredSysEx(SysExData& data) { return mSysExDataFromEditor.Pop(data); }
    bool PopDeferredMidi(IMidiMsg& msg) { return mMidiMsgsFromEditor.Pop(msg); }

    // Runs one idle tick as the timer would.
    void Tick()
    {
      struct NullTimer : Timer
      {
        void Stop() override {}
      } timer;
      OnTimer(timer);
    }

    std::vector<std::string> mEvents;
  };
}

TEST(IPlugAPIBase, TakesItsIdentityFromTheConfiguration)
{
  RecordingPlug plug;
  EXPECT_EQ(plug.GetHost(), -1) << "the host is unidentified until SetHost";
  EXPECT_EQ(plug.GetEditorWidth(), 300);
  EXPECT_EQ(plug.GetMaxHeight(), 400);
  EXPECT_STREQ(plug.GetAPIStr(), "AU");
}

TEST(IPlugAPIBase, SetHostStoresIdentifierAndVersionThenNotifies)
{
  RecordingPlug plug;
  plug.SetHost("Logic Pro X", 0x000A0200);
  EXPECT_EQ(plug.GetHost(), kHostLogic);
  EXPECT_EQ(plug.GetHostVersion(false), 0x000A0200);
  EXPECT_EQ(plug.mEvents, (std::vector<std::string>{"host init", "host identified"}));
}

TEST(IPlugAPIBase, IdleTickDrainsParamsThenMidiThenSysExThenCallsOnIdle)
{
  RecordingPlug plug;
  plug.SendParameterValueFromAPI(0, 0.5, true);
  plug.SendParameterValueFromAPI(1, 0.25, false);
  plug.MidiFromProcessor(IMidiMsg(0, 0x90, 60, 1));
  const uint8_t bytes[3] = {0xF0, 0x01, 0xF7};
  plug.SysExFromProcessor(SysExData(0, 3, bytes));
  plug.Tick();
  EXPECT_EQ(plug.mEvents, (std::vector<std::string>{"param 0=5.000000", "param 1=0.250000", "midi 144", "sysex 3", "idle"}));
  plug.mEvents.clear();
  plug.Tick();
  EXPECT_EQ(plug.mEvents, (std::vector<std::string>{"idle"}));
}

TEST(IPlugAPIBase, WithoutAnEditorTheTickOnlyCallsOnIdle)
{
  RecordingPlug plug(false);
  plug.SendParameterValueFromAPI(0, 0.5, true);
  plug.Tick();
  EXPECT_EQ(plug.mEvents, (std::vector<std::string>{"idle"}));
}

TEST(IPlugAPIBase, MoreThan512HostChangesBetweenTicksAreNotAllShown)
{
  RecordingPlug plug;
  for (int i = 0; i < 600; ++i)
  {
    plug.GetParam(1)->Set(i / 1000.0);
    plug.SendParameterValueFromAPI(1, i / 1000.0, false);
  }
  plug.Tick();
  EXPECT_EQ(plug.mEvents.size(), 513u) << "512 changes and the idle call";
  EXPECT_DOUBLE_EQ(plug.GetParam(1)->Value(), 0.599) << "the value itself was still set";
}

TEST(IPlugAPIBase, UserChangesInformTheHostThenTheProduct)
{
  RecordingPlug plug;
  plug.SendParameterValueFromUI(0, 0.5);
  EXPECT_EQ(plug.GetParam(0)->Value(), 5.0);
  ASSERT_GE(plug.mEvents.size(), 2u);
  EXPECT_EQ(plug.mEvents[0], "inform 0=0.500000");
  EXPECT_EQ(plug.mEvents[1], "change 0 from 3");
}

TEST(IPlugAPIBase, CompareStateAllowsOnlySinglePrecisionNoise)
{
  RecordingPlug plug;
  plug.GetParam(0)->Set(2.5);
  plug.GetParam(1)->Set(0.3);
  double state[2] = {2.5, 0.3 + 1e-9};
  uint8_t bytes[sizeof(state) + 4] = {};
  std::memcpy(bytes + 4, state, sizeof(state));
  EXPECT_TRUE(plug.CompareState(bytes, 4));
  state[1] = 0.31;
  std::memcpy(bytes + 4, state, sizeof(state));
  EXPECT_FALSE(plug.CompareState(bytes, 4));
}

TEST(IPlugAPIBase, DeferredSysExKeepsAtMost512Bytes)
{
  RecordingPlug plug;
  std::vector<uint8_t> longMessage(1000, 0x42);
  plug.SendSysexMsgFromUI(ISysEx(7, longMessage.data(), static_cast<int32_t>(longMessage.size())));
  plug.SendSysexMsgFromUI(ISysEx(0, nullptr, 0));
  SysExData data;
  ASSERT_TRUE(plug.PopDeferredSysEx(data));
  EXPECT_EQ(data.mOffset, 7);
  EXPECT_EQ(data.mSize, 512);
  EXPECT_EQ(data.mData[511], 0x42);
  ASSERT_TRUE(plug.PopDeferredSysEx(data));
  EXPECT_EQ(data.mSize, 0);
  EXPECT_EQ(data.mData[0], 0);
}

TEST(IPlugAPIBase, ImportantParametersOnlyWhenFewerThanAll)
{
  RecordingPlug plug;
  WDL_TypedBuf<int> results;
  plug.OnHostRequestingImportantParameters(2, results);
  EXPECT_EQ(results.GetSize(), 0);
  plug.OnHostRequestingImportantParameters(1, results);
  ASSERT_EQ(results.GetSize(), 1);
  EXPECT_EQ(results.Get()[0], 0);
}

TEST(IPlugAPIBase, CurrentTimeCarriesTheUtcOffset)
{
  const std::string text = CurrentTime();
  ASSERT_EQ(text.size(), 20u) << text;
  EXPECT_TRUE(text[15] == '+' || text[15] == '-') << text;
  EXPECT_EQ(text[8], ' ');
  EXPECT_EQ(text[11], ':');
}

TEST(IdleTimer, FiresAtOnceOnTheMainRunLoopAndStopsWithThePlugin)
{
  {
    RecordingPlug plug(false);
    plug.CreateTimer();
    CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.0, true);
    EXPECT_EQ(plug.mEvents.size(), 1u) << "the first firing is immediate";
  }
  // The plug-in is gone; its timer must not fire into freed memory.
  CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.0, true);
}

TEST(IdleTimer, RepeatsEveryPeriodInTheCommonModesWhenItsTimeComes)
{
  int firings = 0;
  Timer_impl timer([&](Timer&) { ++firings; }, IPlugAPIBase::kIdleTimerPeriodMs);
  CFRunLoopTimerRef osTimer = timer.OSTimer();
  ASSERT_NE(osTimer, nullptr);
  EXPECT_TRUE(CFRunLoopContainsTimer(CFRunLoopGetMain(), osTimer, kCFRunLoopCommonModes));
  EXPECT_TRUE(CFRunLoopTimerDoesRepeat(osTimer));
  EXPECT_DOUBLE_EQ(CFRunLoopTimerGetInterval(osTimer), 0.020);

  CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.0, true);
  EXPECT_EQ(firings, 1);
  // Its time comes by hand rather than by waiting on the clock.
  CFRunLoopTimerSetNextFireDate(osTimer, CFAbsoluteTimeGetCurrent() - 1.0);
  CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.0, true);
  EXPECT_EQ(firings, 2);

  timer.Stop();
  EXPECT_EQ(timer.OSTimer(), nullptr);
}
