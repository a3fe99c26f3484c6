// Event listeners: the gesture and value events a unit announces reach the host's listeners.

#include "TestComponentSupport.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

struct Received {
  void* object;
  AudioUnitEventType type;
  AudioUnitParameterID parameter;
  AudioUnitParameterValue value;
};

void RecordEvent(void* refCon, void* object, const AudioUnitEvent* event, UInt64, AudioUnitParameterValue value)
{
  static_cast<std::vector<Received>*>(refCon)->push_back({object, event->mEventType, event->mArgument.mParameter.mParameterID, value});
}

AudioUnitEvent ParameterEvent(AudioUnitEventType type, AudioUnit unit, AudioUnitParameterID parameter, AudioUnitScope scope = kAudioUnitScope_Global)
{
  AudioUnitEvent event = {};
  event.mEventType = type;
  event.mArgument.mParameter = {unit, parameter, scope, 0};
  return event;
}

// A listener on the main run loop (or on none) subscribed to the three parameter events of parameter
// 0 of a test unit, disposed at the end.
class EventListeners : public ::testing::Test {
protected:
  void Listen(CFRunLoopRef runLoop, AudioUnitParameterID parameter = 0)
  {
    ASSERT_EQ(AUEventListenerCreate(RecordEvent, &mReceived, runLoop, kCFRunLoopDefaultMode, 0.05f, 0.0f, &mListener), noErr);
    for (AudioUnitEventType type : {kAudioUnitEvent_BeginParameterChangeGesture, kAudioUnitEvent_ParameterValueChange, kAudioUnitEvent_EndParameterChangeGesture})
    {
      const AudioUnitEvent event = ParameterEvent(type, mInstance.Unit(), parameter);
      ASSERT_EQ(AUEventListenerAddEventType(mListener, &mObject, &event), noErr);
    }
  }

  void TearDown() override
  {
    if (mListener)
      AUListenerDispose(mListener);
  }

  void PostGestureFromTheUnit()
  {
    const UInt32 any = 1;
    ASSERT_EQ(AudioUnitSetProperty(mInstance.Unit(), kPostGestureProperty, kAudioUnitScope_Global, 0, &any, sizeof(any)), noErr);
  }

  TestInstance mInstance;
  int mObject = 0;
  AUEventListenerRef mListener = nullptr;
  std::vector<Received> mReceived;
};

TEST_F(EventListeners, ARunLoopListenerGetsTheUnitsGestureWhenTheLoopRuns)
{
  Listen(CFRunLoopGetMain());
  ASSERT_EQ(AudioUnitSetParameter(mInstance.Unit(), 0, kAudioUnitScope_Global, 0, 0.25f, 0), noErr);
  PostGestureFromTheUnit();
  EXPECT_TRUE(mReceived.empty()) << "delivery waits for the listener's run loop";
  EXPECT_EQ(CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.0, true), kCFRunLoopRunHandledSource);
  ASSERT_EQ(mReceived.size(), 3u);
  EXPECT_EQ(mReceived[0].type, kAudioUnitEvent_BeginParameterChangeGesture);
  EXPECT_EQ(mReceived[1].type, kAudioUnitEvent_ParameterValueChange);
  EXPECT_EQ(mReceived[1].value, 0.25f) << "a value change carries the value read from the unit";
  EXPECT_EQ(mReceived[2].type, kAudioUnitEvent_EndParameterChangeGesture);
  EXPECT_EQ(mReceived[0].object, &mObject);
  EXPECT_EQ(mReceived[0].value, 0.0f);
}

TEST_F(EventListeners, AListenerWithoutRunLoopGetsEventsAtOnce)
{
  Listen(nullptr);
  PostGestureFromTheUnit();
  EXPECT_EQ(mReceived.size(), 3u);
}

TEST_F(EventListeners, SubscriptionsMatchUnitParameterAndScope)
{
  Listen(nullptr);
  TestInstance otherUnit;
  for (const AudioUnitEvent& event : {ParameterEvent(kAudioUnitEvent_ParameterValueChange, otherUnit.Unit(), 0), ParameterEvent(kAudioUnitEvent_ParameterValueChange, mInstance.Unit(), 1), ParameterEvent(kAudioUnitEvent_ParameterValueChange, mInstance.Unit(), 0, kAudioUnitScope_Input)})
    EXPECT_EQ(AUEventListenerNotify(nullptr, nullptr, &event), noErr);
  EXPECT_TRUE(mReceived.empty());

  const AudioUnitEvent anyParameter = ParameterEvent(kAudioUnitEvent_ParameterValueChange, mInstance.Unit(), kAUParameterListener_AnyParameter);
  ASSERT_EQ(AUEventListenerAddEventType(mListener, &mObject, &anyParameter), noErr);
  const AudioUnitEvent parameterSeven = ParameterEvent(kAudioUnitEvent_ParameterValueChange, mInstance.Unit(), 7);
  AUEventListenerNotify(nullptr, nullptr, &parameterSeven);
  ASSERT_EQ(mReceived.size(), 1u);
  EXPECT_EQ(mReceived[0].parameter, 7u);
}

TEST_F(EventListeners, TheSendingListenerDoesNotHearItself)
{
  Listen(nullptr);
  const AudioUnitEvent event = ParameterEvent(kAudioUnitEvent_BeginParameterChangeGesture, mInstance.Unit(), 0);
  AUEventListenerNotify(mListener, nullptr, &event);
  AUEventListenerNotify(mListener, &mObject, &event);
  EXPECT_TRUE(mReceived.empty());
  int otherObject = 0;
  AUEventListenerNotify(mListener, &otherObject, &event);
  EXPECT_EQ(mReceived.size(), 1u);
}

TEST_F(EventListeners, RemovedSubscriptionsAndDisposedListenersHearNothingMore)
{
  Listen(CFRunLoopGetMain());
  const AudioUnitEvent end = ParameterEvent(kAudioUnitEvent_EndParameterChangeGesture, mInstance.Unit(), 0);
  ASSERT_EQ(AUEventListenerRemoveEventType(mListener, &mObject, &end), noErr);
  AUEventListenerNotify(nullptr, nullptr, &end);
  PostGestureFromTheUnit();
  ASSERT_EQ(AUListenerDispose(mListener), noErr);
  mListener = nullptr;
  CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.0, false);
  EXPECT_TRUE(mReceived.empty()) << "undelivered events go with the listener";
}

TEST(EventListenerBadInput, BadArgumentsAreParameterErrors)
{
  AUEventListenerRef listener = nullptr;
  std::vector<Received> received;
  EXPECT_EQ(AUEventListenerCreate(nullptr, nullptr, nullptr, nullptr, 0, 0, &listener), kAudio_ParamError);
  EXPECT_EQ(AUEventListenerCreate(RecordEvent, &received, nullptr, nullptr, 0, 0, nullptr), kAudio_ParamError);
  EXPECT_EQ(AUEventListenerCreate(RecordEvent, &received, static_cast<CFRunLoopRef>(const_cast<void*>(static_cast<const void*>(CFSTR("not a run loop")))), nullptr, 0, 0, &listener), kAudio_ParamError);
  EXPECT_EQ(AUEventListenerNotify(nullptr, nullptr, nullptr), kAudio_ParamError);

  ASSERT_EQ(AUEventListenerCreate(RecordEvent, &received, nullptr, nullptr, 0, 0, &listener), noErr);
  EXPECT_EQ(AUEventListenerAddEventType(listener, nullptr, nullptr), kAudio_ParamError);
  ASSERT_EQ(AUListenerDispose(listener), noErr);
  const AudioUnitEvent event = ParameterEvent(kAudioUnitEvent_ParameterValueChange, nullptr, 0);
  EXPECT_EQ(AUEventListenerAddEventType(listener, nullptr, &event), kAudio_ParamError);
  EXPECT_EQ(AUListenerDispose(listener), kAudio_ParamError);
  EXPECT_EQ(AUListenerDispose(nullptr), kAudio_ParamError);
}

// Runs under the thread sanitizer too (its name ends in "Threads").
class EventListenerThreads : public EventListeners {};

TEST_F(EventListenerThreads, AnEventPostedFromAnotherThreadWakesTheMainLoop)
{
  Listen(CFRunLoopGetMain());
  const AudioUnitEvent event = ParameterEvent(kAudioUnitEvent_BeginParameterChangeGesture, mInstance.Unit(), 0);
  std::thread poster([&event] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    AUEventListenerNotify(nullptr, nullptr, &event);
  });
  EXPECT_EQ(CFRunLoopRunInMode(kCFRunLoopDefaultMode, 30.0, true), kCFRunLoopRunHandledSource);
  poster.join();
  ASSERT_EQ(mReceived.size(), 1u);
  EXPECT_EQ(mReceived[0].type, kAudioUnitEvent_BeginParameterChangeGesture);
}

}
