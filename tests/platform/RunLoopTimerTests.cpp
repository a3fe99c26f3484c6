// The main run loop and its timers, driven from the test's main thread as a host drives it.

#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

namespace {

// What a timer's callout saw, and what it should do.
struct Firings {
  std::vector<CFAbsoluteTime> times;
  size_t stopAfter = 0;
  bool invalidateInCallout = false;
  int retained = 0;
  int released = 0;
};

void RecordFiring(CFRunLoopTimerRef timer, void* info)
{
  auto* firings = static_cast<Firings*>(info);
  firings->times.push_back(CFAbsoluteTimeGetCurrent());
  if (firings->invalidateInCallout)
    CFRunLoopTimerInvalidate(timer);
  if (firings->stopAfter && firings->times.size() == firings->stopAfter)
    CFRunLoopStop(CFRunLoopGetCurrent());
}

const void* RetainFirings(const void* info)
{
  ++static_cast<Firings*>(const_cast<void*>(info))->retained;
  return info;
}

void ReleaseFirings(const void* info)
{
  ++static_cast<Firings*>(const_cast<void*>(info))->released;
}

CFRunLoopTimerRef MakeTimer(Firings& firings, CFAbsoluteTime fireDate, CFTimeInterval interval)
{
  CFRunLoopTimerContext context = {0, &firings, RetainFirings, ReleaseFirings, nullptr};
  return CFRunLoopTimerCreate(nullptr, fireDate, interval, 0, 0, RecordFiring, &context);
}

// Every test leaves the main run loop as it found it: its timer is invalidated at the end, while the
// record its callout writes to still exists.
class RunLoopTimers : public ::testing::Test {
protected:
  Firings mFirings;

  CFRunLoopTimerRef Scheduled(Firings& firings, CFAbsoluteTime fireDate, CFTimeInterval interval, CFRunLoopMode mode = kCFRunLoopCommonModes)
  {
    CFRunLoopTimerRef timer = MakeTimer(firings, fireDate, interval);
    CFRunLoopAddTimer(CFRunLoopGetMain(), timer, mode);
    mTimers.push_back(timer);
    return timer;
  }

  void TearDown() override
  {
    for (CFRunLoopTimerRef timer : mTimers)
    {
      CFRunLoopTimerInvalidate(timer);
      CFRelease(timer);
    }
  }

private:
  std::vector<CFRunLoopTimerRef> mTimers;
};

TEST_F(RunLoopTimers, ATimerDueNowFiresAtTheNextRun)
{
  Firings& firings = mFirings;
  const CFAbsoluteTime now = CFAbsoluteTimeGetCurrent();
  CFRunLoopTimerRef timer = Scheduled(firings, now, 10.0);
  EXPECT_TRUE(firings.times.empty()) << "timers fire only when the loop runs";
  EXPECT_EQ(CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.0, false), kCFRunLoopRunTimedOut);
  EXPECT_EQ(firings.times.size(), 1u);
  EXPECT_EQ(CFRunLoopTimerGetNextFireDate(timer), now + 10.0);
  EXPECT_EQ(CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.0, false), kCFRunLoopRunTimedOut);
  EXPECT_EQ(firings.times.size(), 1u) << "not again before its period";
}

TEST_F(RunLoopTimers, ARepeatingTimerFiresEveryPeriod)
{
  Firings& firings = mFirings;
  firings.stopAfter = 4;
  const CFTimeInterval period = 0.02;
  Scheduled(firings, CFAbsoluteTimeGetCurrent(), period);
  EXPECT_EQ(CFRunLoopRunInMode(kCFRunLoopDefaultMode, 30.0, false), kCFRunLoopRunStopped);
  ASSERT_EQ(firings.times.size(), 4u);
  for (size_t i = 1; i < firings.times.size(); ++i)
    EXPECT_GE(firings.times[i] - firings.times[0], period * static_cast<double>(i) - 0.001) << "firing " << i << " came early";
}

TEST_F(RunLoopTimers, MissedFiringsAreSkippedNotRepeated)
{
  Firings& firings = mFirings;
  const CFAbsoluteTime start = CFAbsoluteTimeGetCurrent() - 1.05;
  CFRunLoopTimerRef timer = Scheduled(firings, start, 0.1);
  CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.0, false);
  EXPECT_EQ(firings.times.size(), 1u);
  const CFAbsoluteTime next = CFRunLoopTimerGetNextFireDate(timer);
  EXPECT_GT(next, firings.times[0]);
  const double periods = (next - start) / 0.1;
  EXPECT_NEAR(periods, std::round(periods), 1e-6) << "the next firing stays on the timer's grid";
}

TEST_F(RunLoopTimers, InvalidatingStopsTheTimerAndReleasesItsInfoOnce)
{
  Firings& firings = mFirings;
  CFRunLoopTimerRef timer = Scheduled(firings, CFAbsoluteTimeGetCurrent(), 0.5);
  EXPECT_EQ(firings.retained, 1);
  EXPECT_EQ(CFGetRetainCount(timer), 2) << "the run loop holds the timer";
  EXPECT_TRUE(CFRunLoopContainsTimer(CFRunLoopGetMain(), timer, kCFRunLoopCommonModes));
  CFRunLoopTimerInvalidate(timer);
  CFRunLoopTimerInvalidate(timer);
  EXPECT_FALSE(CFRunLoopTimerIsValid(timer));
  EXPECT_EQ(firings.released, 1);
  EXPECT_EQ(CFGetRetainCount(timer), 1);
  EXPECT_FALSE(CFRunLoopContainsTimer(CFRunLoopGetMain(), timer, kCFRunLoopCommonModes));
  EXPECT_EQ(CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.0, false), kCFRunLoopRunFinished) << "nothing is left to run";
  EXPECT_TRUE(firings.times.empty());
}

TEST_F(RunLoopTimers, ATimerMayInvalidateItselfFromItsCallout)
{
  Firings& firings = mFirings;
  firings.invalidateInCallout = true;
  CFRunLoopTimerRef timer = Scheduled(firings, CFAbsoluteTimeGetCurrent(), 0.001);
  CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.0, false);
  CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.0, false);
  EXPECT_EQ(firings.times.size(), 1u);
  EXPECT_FALSE(CFRunLoopTimerIsValid(timer));
}

TEST_F(RunLoopTimers, AOneShotTimerFiresOnceAndEnds)
{
  Firings& firings = mFirings;
  CFRunLoopTimerRef timer = Scheduled(firings, CFAbsoluteTimeGetCurrent(), 0.0);
  EXPECT_FALSE(CFRunLoopTimerDoesRepeat(timer));
  CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.0, false);
  EXPECT_EQ(firings.times.size(), 1u);
  EXPECT_FALSE(CFRunLoopTimerIsValid(timer));
  EXPECT_EQ(firings.released, 1);
}

TEST_F(RunLoopTimers, CommonModesCoverTheDefaultModeAndTheModesAddedToThem)
{
  Firings& firings = mFirings;
  Scheduled(firings, CFAbsoluteTimeGetCurrent(), 10.0);
  EXPECT_EQ(CFRunLoopRunInMode(CFSTR("TestTrackingMode"), 0.0, false), kCFRunLoopRunFinished);
  EXPECT_TRUE(firings.times.empty());
  CFRunLoopAddCommonMode(CFRunLoopGetMain(), CFSTR("TestTrackingMode"));
  EXPECT_EQ(CFRunLoopRunInMode(CFSTR("TestTrackingMode"), 0.0, false), kCFRunLoopRunTimedOut);
  EXPECT_EQ(firings.times.size(), 1u);
}

TEST_F(RunLoopTimers, ATimerInOneModeFiresOnlyInThatMode)
{
  Firings& firings = mFirings;
  CFRunLoopTimerRef timer = Scheduled(firings, CFAbsoluteTimeGetCurrent(), 10.0, CFSTR("TestPrivateMode"));
  EXPECT_EQ(CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.0, false), kCFRunLoopRunFinished);
  EXPECT_TRUE(firings.times.empty());
  EXPECT_EQ(CFRunLoopRunInMode(CFSTR("TestPrivateMode"), 0.0, false), kCFRunLoopRunTimedOut);
  EXPECT_EQ(firings.times.size(), 1u);
  CFRunLoopRemoveTimer(CFRunLoopGetMain(), timer, CFSTR("TestPrivateMode"));
  EXPECT_EQ(CFGetRetainCount(timer), 1) << "removed from its last mode, the loop lets it go";
  EXPECT_TRUE(CFRunLoopTimerIsValid(timer));
}

TEST_F(RunLoopTimers, MovingTheFireDateReschedules)
{
  Firings& firings = mFirings;
  CFRunLoopTimerRef timer = Scheduled(firings, CFAbsoluteTimeGetCurrent() + 1000.0, 10.0);
  CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.0, false);
  EXPECT_TRUE(firings.times.empty());
  CFRunLoopTimerSetNextFireDate(timer, CFAbsoluteTimeGetCurrent());
  CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.0, false);
  EXPECT_EQ(firings.times.size(), 1u);
}

TEST_F(RunLoopTimers, AStopRequestedBeforeTheRunEndsIt)
{
  Firings& firings = mFirings;
  Scheduled(firings, CFAbsoluteTimeGetCurrent() + 1000.0, 10.0);
  CFRunLoopStop(CFRunLoopGetMain());
  EXPECT_EQ(CFRunLoopRunInMode(kCFRunLoopDefaultMode, 30.0, false), kCFRunLoopRunStopped);
}

TEST(RunLoopBadInput, EmptyModesNullArgumentsAndCommonModesRunNothing)
{
  EXPECT_EQ(CFRunLoopRunInMode(CFSTR("TestEmptyMode"), 5.0, false), kCFRunLoopRunFinished);
  EXPECT_EQ(CFRunLoopRunInMode(kCFRunLoopCommonModes, 5.0, false), kCFRunLoopRunFinished);
  EXPECT_EQ(CFRunLoopRunInMode(nullptr, 5.0, false), kCFRunLoopRunFinished);
  EXPECT_EQ(CFRunLoopTimerCreate(nullptr, 0.0, 1.0, 0, 0, nullptr, nullptr), nullptr);

  Firings firings;
  CFOwned<CFRunLoopTimerRef> timer(MakeTimer(firings, CFAbsoluteTimeGetCurrent(), 1.0));
  CFRunLoopAddTimer(CFRunLoopGetMain(), timer, nullptr);
  CFRunLoopAddTimer(nullptr, timer, kCFRunLoopDefaultMode);
  EXPECT_EQ(CFGetRetainCount(timer), 1);
  CFRunLoopTimerInvalidate(timer);
  CFRunLoopAddTimer(CFRunLoopGetMain(), timer, kCFRunLoopDefaultMode);
  EXPECT_FALSE(CFRunLoopContainsTimer(CFRunLoopGetMain(), timer, kCFRunLoopDefaultMode)) << "an invalid timer is never scheduled";
  CFRunLoopStop(nullptr);
}

TEST(RunLoops, TheMainThreadsCurrentLoopIsTheMainLoop)
{
  EXPECT_EQ(CFRunLoopGetCurrent(), CFRunLoopGetMain());
  CFRunLoopRef other = nullptr;
  std::thread([&] { other = CFRunLoopGetCurrent(); }).join();
  EXPECT_NE(other, CFRunLoopGetMain());
  EXPECT_GT(CFAbsoluteTimeGetCurrent(), 7.0e8) << "seconds since 2001 are well past 2023";
}

// Runs under the thread sanitizer too (its name ends in "Threads").
class RunLoopThreads : public RunLoopTimers {};

TEST_F(RunLoopThreads, StopFromAnotherThreadEndsASleepingRun)
{
  Firings& firings = mFirings;
  Scheduled(firings, CFAbsoluteTimeGetCurrent() + 1000.0, 10.0);
  CFRunLoopRef main = CFRunLoopGetMain();
  std::thread stopper([main] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    CFRunLoopStop(main);
  });
  EXPECT_EQ(CFRunLoopRunInMode(kCFRunLoopDefaultMode, 30.0, false), kCFRunLoopRunStopped);
  stopper.join();
}

}
