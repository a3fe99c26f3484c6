// Property listeners and render notifications: who is told, in which order, and when.

#include "AUHostSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace au_test;

namespace
{
// What listeners saw, as "tag:property:scope:element:sample rate at the call".
struct Journal
{
  AudioUnit unit = nullptr;
  std::vector<std::string> calls;
};

struct Listener
{
  Journal* journal;
  const char* tag;
};

void Record(void* userData, AudioUnit unit, AudioUnitPropertyID id, AudioUnitScope scope, AudioUnitElement element)
{
  auto* listener = static_cast<Listener*>(userData);
  Float64 rate = 0.0;
  GetProp(unit, kAudioUnitProperty_SampleRate, kAudioUnitScope_Global, 0, rate);
  listener->journal->calls.push_back(std::string(listener->tag) + ":" + std::to_string(id) + ":" + std::to_string(scope) +
                                     ":" + std::to_string(element) + ":" + std::to_string(static_cast<int>(rate)));
}

void RecordAgain(void* userData, AudioUnit unit, AudioUnitPropertyID id, AudioUnitScope scope, AudioUnitElement element)
{
  Record(userData, unit, id, scope, element);
}

OSStatus SetRate(AudioUnit unit, Float64 rate, AudioUnitScope scope = kAudioUnitScope_Global, AudioUnitElement element = 0)
{
  return SetProp(unit, kAudioUnitProperty_SampleRate, scope, element, rate);
}

// Render notifications write "pre" or "post" with the bus number.
struct NotifyLog
{
  std::vector<std::string> calls;

  static OSStatus Notify(void* refCon, AudioUnitRenderActionFlags* flags, const AudioTimeStamp*, UInt32 bus, UInt32,
                         AudioBufferList*)
  {
    auto* log = static_cast<NotifyLog*>(refCon);
    const bool pre = *flags & kAudioUnitRenderAction_PreRender;
    const bool post = *flags & kAudioUnitRenderAction_PostRender;
    log->calls.push_back(std::string(pre && !post ? "pre" : post && !pre ? "post" : "?") + std::to_string(bus));
    return noErr;
  }

  static OSStatus NotifyAgain(void* refCon, AudioUnitRenderActionFlags* flags, const AudioTimeStamp* time, UInt32 bus,
                              UInt32 nFrames, AudioBufferList* ioData)
  {
    return Notify(refCon, flags, time, bus, nFrames, ioData);
  }
};
} // namespace

TEST(PropertyListeners, AreToldBeforeTheChangeIsApplied)
{
  Unit unit;
  Journal journal;
  Listener first{&journal, "a"};
  ASSERT_EQ(AudioUnitAddPropertyListener(unit, kAudioUnitProperty_SampleRate, Record, &first), noErr);
  ASSERT_EQ(SetRate(unit, 44100.0, kAudioUnitScope_Output, 3), noErr);
  EXPECT_EQ(journal.calls, (std::vector<std::string>{"a:2:2:0:48000"}));
}

TEST(PropertyListeners, AreToldInRegistrationOrderAndOnlyForTheirProperty)
{
  Unit unit;
  Journal journal;
  Listener first{&journal, "a"};
  Listener second{&journal, "b"};
  Listener formats{&journal, "f"};
  AudioUnitAddPropertyListener(unit, kAudioUnitProperty_SampleRate, Record, &first);
  AudioUnitAddPropertyListener(unit, kAudioUnitProperty_StreamFormat, Record, &formats);
  AudioUnitAddPropertyListener(unit, kAudioUnitProperty_SampleRate, RecordAgain, &second);
  SetRate(unit, 44100.0);
  EXPECT_EQ(journal.calls, (std::vector<std::string>{"a:2:0:0:48000", "b:2:0:0:48000"}));
}

TEST(PropertyListeners, TheSameFunctionListensOnceWithItsFirstUserData)
{
  Unit unit;
  Journal journal;
  Listener first{&journal, "a"};
  Listener second{&journal, "b"};
  AudioUnitAddPropertyListener(unit, kAudioUnitProperty_SampleRate, Record, &first);
  AudioUnitAddPropertyListener(unit, kAudioUnitProperty_SampleRate, Record, &second);
  SetRate(unit, 44100.0);
  EXPECT_EQ(journal.calls, (std::vector<std::string>{"a:2:0:0:48000"}));
}

TEST(PropertyListeners, AreRemovedByFunctionOrByFunctionAndUserData)
{
  Unit unit;
  Journal journal;
  Listener first{&journal, "a"};
  Listener second{&journal, "b"};
  AudioUnitAddPropertyListener(unit, kAudioUnitProperty_SampleRate, Record, &first);
  AudioUnitAddPropertyListener(unit, kAudioUnitProperty_SampleRate, RecordAgain, &second);
  EXPECT_EQ(AudioUnitRemovePropertyListenerWithUserData(unit, kAudioUnitProperty_SampleRate, Record, &second), noErr);
  EXPECT_EQ(AudioUnitRemovePropertyListener(unit, kAudioUnitProperty_SampleRate, RecordAgain), noErr);
  SetRate(unit, 44100.0);
  EXPECT_EQ(journal.calls, (std::vector<std::string>{"a:2:0:0:48000"}));

  EXPECT_EQ(AudioUnitRemovePropertyListenerWithUserData(unit, kAudioUnitProperty_SampleRate, Record, &first), noErr);
  EXPECT_EQ(AudioUnitRemovePropertyListener(unit, kAudioUnitProperty_SampleRate, Record), noErr);
  SetRate(unit, 96000.0);
  EXPECT_EQ(journal.calls.size(), 1u);
  EXPECT_EQ(AudioUnitAddPropertyListener(unit, kAudioUnitProperty_SampleRate, nullptr, &first), kAudio_ParamError);
}

TEST(RenderNotifications, RunBeforeAndAfterEveryRenderInOrder)
{
  Unit unit;
  InputSource source;
  ASSERT_EQ(PrepareStereo(unit, source), noErr);
  NotifyLog log;
  ASSERT_EQ(AudioUnitAddRenderNotify(unit, NotifyLog::Notify, &log), noErr);
  ASSERT_EQ(AudioUnitAddRenderNotify(unit, NotifyLog::NotifyAgain, &log), noErr);
  ASSERT_EQ(AudioUnitAddRenderNotify(unit, NotifyLog::Notify, &log), noErr);
  HostBuffers out(2, 64);
  const AudioTimeStamp time = SampleTime(0);
  ASSERT_EQ(AudioUnitRender(unit, nullptr, &time, 0, 64, out.List()), noErr);
  EXPECT_EQ(log.calls, (std::vector<std::string>{"pre0", "pre0", "pre0", "post0", "post0", "post0"}));

  log.calls.clear();
  EXPECT_EQ(AudioUnitRemoveRenderNotify(unit, NotifyLog::Notify, &log), noErr);
  const AudioTimeStamp next = SampleTime(64);
  ASSERT_EQ(AudioUnitRender(unit, nullptr, &next, 0, 64, out.List()), noErr);
  EXPECT_EQ(log.calls, (std::vector<std::string>{"pre0", "pre0", "post0", "post0"}));
}

TEST(RenderNotifications, RemovingNeedsTheSameFunctionAndReference)
{
  Unit unit;
  InputSource source;
  ASSERT_EQ(PrepareStereo(unit, source), noErr);
  NotifyLog log;
  NotifyLog other;
  ASSERT_EQ(AudioUnitAddRenderNotify(unit, NotifyLog::Notify, &log), noErr);
  ASSERT_EQ(AudioUnitAddRenderNotify(unit, NotifyLog::Notify, &other), noErr);
  EXPECT_EQ(AudioUnitRemoveRenderNotify(unit, NotifyLog::Notify, nullptr), noErr) << "no match is still status 0";
  EXPECT_EQ(AudioUnitRemoveRenderNotify(unit, NotifyLog::Notify, &other), noErr);

  HostBuffers out(2, 64);
  const AudioTimeStamp time = SampleTime(0);
  ASSERT_EQ(AudioUnitRender(unit, nullptr, &time, 0, 64, out.List()), noErr);
  EXPECT_EQ(log.calls, (std::vector<std::string>{"pre0", "post0"})) << "the entry with another reference stays";
  EXPECT_TRUE(other.calls.empty());
}
