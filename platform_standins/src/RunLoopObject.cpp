#include "RunLoopObject.h"

#include "Export.h"
#include "StringObject.h"
#include "TimerObject.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <sys/syscall.h>
#include <unistd.h>

STANDIN_EXPORT const CFRunLoopMode kCFRunLoopDefaultMode = CFSTR("kCFRunLoopDefaultMode");
STANDIN_EXPORT const CFRunLoopMode kCFRunLoopCommonModes = CFSTR("kCFRunLoopCommonModes");

namespace standin {

namespace {

using Clock = std::chrono::steady_clock;

// Runs longer than this are treated as "forever".
constexpr CFTimeInterval kLongestRun = 1.0e9;

Clock::duration ToDuration(CFTimeInterval seconds)
{
  if (!(seconds > 0.0))
    return Clock::duration::zero();
  return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(std::min(seconds, kLongestRun)));
}

// The first date after now on the grid scheduled + k * interval, skipping the firings that were missed.
CFAbsoluteTime NextOnGrid(CFAbsoluteTime scheduled, CFTimeInterval interval, CFAbsoluteTime now)
{
  CFAbsoluteTime next = scheduled + interval;
  if (next <= now)
    next = scheduled + (std::floor((now - scheduled) / interval) + 1.0) * interval;
  return next;
}

bool IsMainThread()
{
  return getpid() == static_cast<pid_t>(syscall(SYS_gettid));
}

struct ThreadRunLoop {
  RunLoopObject* loop = nullptr;
  ~ThreadRunLoop()
  {
    if (loop)
      loop->Release();
  }
};

}

std::mutex& RunLoopMutex()
{
  static auto* mutex = new std::mutex();
  return *mutex;
}

RunLoopObject* RunLoopObject::Main()
{
  static RunLoopObject* main = [] {
    auto* loop = new RunLoopObject();
    loop->MakeConstant();
    return loop;
  }();
  return main;
}

RunLoopObject* RunLoopObject::Current()
{
  if (IsMainThread())
    return Main();
  thread_local ThreadRunLoop threadLoop;
  if (!threadLoop.loop)
    threadLoop.loop = new RunLoopObject();
  return threadLoop.loop;
}

RunLoopObject::RunLoopObject()
  : CFObject(kTypeID)
{
}

RunLoopObject::~RunLoopObject()
{
  std::vector<TimerObject*> timers;
  {
    std::lock_guard<std::mutex> lock(RunLoopMutex());
    timers.swap(mTimers);
    for (TimerObject* timer : timers)
    {
      timer->mRunLoop = nullptr;
      timer->mModes.clear();
    }
    mSources.clear();
  }
  for (TimerObject* timer : timers)
    timer->Release();
}

void RunLoopObject::AddCommonMode(const std::string& mode)
{
  std::lock_guard<std::mutex> lock(RunLoopMutex());
  if (mode != kCommonModes)
    mCommonModes.insert(mode);
  WakeLocked();
}

bool RunLoopObject::ModeMatches(const std::string& scheduledMode, const std::string& runMode) const
{
  return scheduledMode == runMode || (scheduledMode == kCommonModes && mCommonModes.count(runMode) > 0);
}

bool RunLoopObject::TimerMatches(const TimerObject& timer, const std::string& runMode) const
{
  if (!timer.mValid)
    return false;
  return std::any_of(timer.mModes.begin(), timer.mModes.end(), [&](const std::string& mode) { return ModeMatches(mode, runMode); });
}

bool RunLoopObject::HasWorkLocked(const std::string& mode) const
{
  const bool timers = std::any_of(mTimers.begin(), mTimers.end(), [&](const TimerObject* timer) { return TimerMatches(*timer, mode); });
  const bool sources = std::any_of(mSources.begin(), mSources.end(), [&](const Source& source) { return ModeMatches(source.mode, mode); });
  return timers || sources;
}

size_t RunLoopObject::PendingLocked(const std::string& mode) const
{
  size_t pending = 0;
  for (const Source& source : mSources)
  {
    if (ModeMatches(source.mode, mode))
      pending += source.pending.size();
  }
  return pending;
}

std::optional<CFAbsoluteTime> RunLoopObject::NextFireDateLocked(const std::string& mode) const
{
  std::optional<CFAbsoluteTime> next;
  for (const TimerObject* timer : mTimers)
  {
    if (TimerMatches(*timer, mode) && (!next || timer->mFireDate < *next))
      next = timer->mFireDate;
  }
  return next;
}

CFRunLoopRunResult RunLoopObject::Run(const std::string& mode, CFTimeInterval seconds, bool returnAfterSourceHandled)
{
  const Clock::time_point deadline = Clock::now() + ToDuration(seconds);
  std::unique_lock<std::mutex> lock(RunLoopMutex());
  if (mode == kCommonModes)
    return kCFRunLoopRunFinished;
  while (true)
  {
    if (!HasWorkLocked(mode))
      return kCFRunLoopRunFinished;
    FireDueTimers(lock, mode);
    const bool handled = RunSources(lock, mode);
    if (mStopRequested)
    {
      mStopRequested = false;
      return kCFRunLoopRunStopped;
    }
    if (handled && returnAfterSourceHandled)
      return kCFRunLoopRunHandledSource;
    if (Clock::now() >= deadline)
      return kCFRunLoopRunTimedOut;
    if (PendingLocked(mode) > 0)
      continue;
    Clock::time_point wakeAt = deadline;
    if (std::optional<CFAbsoluteTime> next = NextFireDateLocked(mode))
      wakeAt = std::min(wakeAt, Clock::now() + ToDuration(*next - CFAbsoluteTimeGetCurrent()));
    mWake.wait_until(lock, wakeAt, [this] { return mWakeRequested || mStopRequested; });
    mWakeRequested = false;
  }
}

void RunLoopObject::FireDueTimers(std::unique_lock<std::mutex>& lock, const std::string& mode)
{
  const CFAbsoluteTime now = CFAbsoluteTimeGetCurrent();
  std::vector<TimerObject*> due;
  for (TimerObject* timer : mTimers)
  {
    if (TimerMatches(*timer, mode) && timer->mFireDate <= now)
      due.push_back(timer);
  }
  std::stable_sort(due.begin(), due.end(), [](const TimerObject* a, const TimerObject* b) { return a->mFireDate < b->mFireDate; });
  for (TimerObject* timer : due)
    timer->Retain();
  for (TimerObject* timer : due)
  {
    const bool stillDue = timer->mValid && timer->mRunLoop == this && timer->mFireDate <= now;
    const CFAbsoluteTime scheduled = timer->mFireDate;
    lock.unlock();
    if (stillDue)
      timer->CallOut();
    lock.lock();
    const bool rescheduledByCallout = timer->mFireDate != scheduled;
    if (stillDue && timer->mValid && !rescheduledByCallout && timer->mInterval > 0.0)
      timer->mFireDate = NextOnGrid(scheduled, timer->mInterval, CFAbsoluteTimeGetCurrent());
    const bool oneShotDone = stillDue && timer->mValid && !rescheduledByCallout && timer->mInterval <= 0.0;
    lock.unlock();
    if (oneShotDone)
      timer->Invalidate();
    timer->Release();
    lock.lock();
  }
}

bool RunLoopObject::RunSources(std::unique_lock<std::mutex>& lock, const std::string& mode)
{
  // Only the work waiting now: work posted while it runs waits for the next pass.
  size_t budget = PendingLocked(mode);
  bool handled = false;
  while (budget-- > 0)
  {
    auto source = std::find_if(mSources.begin(), mSources.end(), [&](const Source& candidate) { return ModeMatches(candidate.mode, mode) && !candidate.pending.empty(); });
    if (source == mSources.end())
      break;
    std::function<void()> work = std::move(source->pending.front());
    source->pending.pop_front();
    lock.unlock();
    work();
    work = nullptr;
    lock.lock();
    handled = true;
  }
  return handled;
}

void RunLoopObject::Stop()
{
  std::lock_guard<std::mutex> lock(RunLoopMutex());
  mStopRequested = true;
  mWake.notify_all();
}

void RunLoopObject::WakeUp()
{
  std::lock_guard<std::mutex> lock(RunLoopMutex());
  WakeLocked();
}

void RunLoopObject::WakeLocked()
{
  mWakeRequested = true;
  mWake.notify_all();
}

void RunLoopObject::AddTimer(TimerObject* timer, const std::string& mode)
{
  std::lock_guard<std::mutex> lock(RunLoopMutex());
  if (!timer->mValid || (timer->mRunLoop && timer->mRunLoop != this))
    return;
  if (!timer->mRunLoop)
  {
    timer->mRunLoop = this;
    timer->Retain();
    mTimers.push_back(timer);
  }
  timer->mModes.insert(mode);
  WakeLocked();
}

void RunLoopObject::RemoveTimer(TimerObject* timer, const std::string& mode)
{
  bool detached = false;
  {
    std::lock_guard<std::mutex> lock(RunLoopMutex());
    if (timer->mRunLoop != this)
      return;
    timer->mModes.erase(mode);
    if (timer->mModes.empty())
    {
      ForgetTimerLocked(timer);
      timer->mRunLoop = nullptr;
      detached = true;
    }
  }
  if (detached)
    timer->Release();
}

bool RunLoopObject::ContainsTimer(TimerObject* timer, const std::string& mode)
{
  std::lock_guard<std::mutex> lock(RunLoopMutex());
  if (timer->mRunLoop != this)
    return false;
  if (mode == kCommonModes)
    return timer->mModes.count(mode) > 0;
  return TimerMatches(*timer, mode);
}

void RunLoopObject::ForgetTimerLocked(TimerObject* timer)
{
  mTimers.erase(std::remove(mTimers.begin(), mTimers.end(), timer), mTimers.end());
}

void RunLoopObject::AddSource(const void* owner, const std::string& mode)
{
  std::lock_guard<std::mutex> lock(RunLoopMutex());
  mSources.push_back(Source{owner, mode, {}});
  WakeLocked();
}

void RunLoopObject::RemoveSource(const void* owner)
{
  std::vector<Source> removed;
  {
    std::lock_guard<std::mutex> lock(RunLoopMutex());
    const auto first = std::stable_partition(mSources.begin(), mSources.end(), [&](const Source& source) { return source.owner != owner; });
    std::move(first, mSources.end(), std::back_inserter(removed));
    mSources.erase(first, mSources.end());
  }
}

void RunLoopObject::Post(const void* owner, std::function<void()> work)
{
  std::lock_guard<std::mutex> lock(RunLoopMutex());
  auto source = std::find_if(mSources.begin(), mSources.end(), [&](const Source& candidate) { return candidate.owner == owner; });
  if (source == mSources.end())
    return;
  source->pending.push_back(std::move(work));
  WakeLocked();
}

}

using standin::CFObject;
using standin::RunLoopObject;
using standin::TimerObject;

namespace {

std::string ModeName(CFStringRef mode)
{
  return standin::StringValue(mode).value_or(std::string());
}

}

STANDIN_EXPORT CFTypeID CFRunLoopGetTypeID(void)
{
  return RunLoopObject::kTypeID;
}

STANDIN_EXPORT CFRunLoopRef CFRunLoopGetCurrent(void)
{
  return standin::ToRef<CFRunLoopRef>(RunLoopObject::Current());
}

STANDIN_EXPORT CFRunLoopRef CFRunLoopGetMain(void)
{
  return standin::ToRef<CFRunLoopRef>(RunLoopObject::Main());
}

STANDIN_EXPORT void CFRunLoopAddCommonMode(CFRunLoopRef rl, CFRunLoopMode mode)
{
  RunLoopObject* loop = CFObject::Cast<RunLoopObject>(rl);
  if (loop && standin::StringValue(mode))
    loop->AddCommonMode(ModeName(mode));
}

STANDIN_EXPORT CFRunLoopRunResult CFRunLoopRunInMode(CFRunLoopMode mode, CFTimeInterval seconds, Boolean returnAfterSourceHandled)
{
  if (!standin::StringValue(mode))
    return kCFRunLoopRunFinished;
  return RunLoopObject::Current()->Run(ModeName(mode), seconds, returnAfterSourceHandled);
}

STANDIN_EXPORT void CFRunLoopRun(void)
{
  while (true)
  {
    const CFRunLoopRunResult result = RunLoopObject::Current()->Run(RunLoopObject::kDefaultMode, 1.0e10, false);
    if (result == kCFRunLoopRunStopped || result == kCFRunLoopRunFinished)
      return;
  }
}

STANDIN_EXPORT void CFRunLoopStop(CFRunLoopRef rl)
{
  if (RunLoopObject* loop = CFObject::Cast<RunLoopObject>(rl))
    loop->Stop();
}

STANDIN_EXPORT void CFRunLoopWakeUp(CFRunLoopRef rl)
{
  if (RunLoopObject* loop = CFObject::Cast<RunLoopObject>(rl))
    loop->WakeUp();
}

STANDIN_EXPORT void CFRunLoopAddTimer(CFRunLoopRef rl, CFRunLoopTimerRef timer, CFRunLoopMode mode)
{
  RunLoopObject* loop = CFObject::Cast<RunLoopObject>(rl);
  TimerObject* object = CFObject::Cast<TimerObject>(timer);
  if (loop && object && standin::StringValue(mode))
    loop->AddTimer(object, ModeName(mode));
}

STANDIN_EXPORT void CFRunLoopRemoveTimer(CFRunLoopRef rl, CFRunLoopTimerRef timer, CFRunLoopMode mode)
{
  RunLoopObject* loop = CFObject::Cast<RunLoopObject>(rl);
  TimerObject* object = CFObject::Cast<TimerObject>(timer);
  if (loop && object)
    loop->RemoveTimer(object, ModeName(mode));
}

STANDIN_EXPORT Boolean CFRunLoopContainsTimer(CFRunLoopRef rl, CFRunLoopTimerRef timer, CFRunLoopMode mode)
{
  RunLoopObject* loop = CFObject::Cast<RunLoopObject>(rl);
  TimerObject* object = CFObject::Cast<TimerObject>(timer);
  return loop && object && loop->ContainsTimer(object, ModeName(mode));
}
