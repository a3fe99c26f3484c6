/* Run loops and their timers. The host drives the main run loop from its main thread with CFRunLoopRunInMode. */
#ifndef __COREFOUNDATION_CFRUNLOOP__
#define __COREFOUNDATION_CFRUNLOOP__

#include <CoreFoundation/CFBase.h>
#include <CoreFoundation/CFDate.h>
#include <CoreFoundation/CFString.h>

CF_EXTERN_C_BEGIN

typedef struct __CFRunLoop* CFRunLoopRef;
typedef struct __CFRunLoopTimer* CFRunLoopTimerRef;
typedef CFStringRef CFRunLoopMode;

typedef SInt32 CFRunLoopRunResult;
enum {
  kCFRunLoopRunFinished = 1,      /* the mode has no timers and no sources */
  kCFRunLoopRunStopped = 2,       /* CFRunLoopStop was called */
  kCFRunLoopRunTimedOut = 3,      /* the given time passed */
  kCFRunLoopRunHandledSource = 4  /* a source was handled and returnAfterSourceHandled was true */
};

/* The default mode. */
CF_EXPORT const CFRunLoopMode kCFRunLoopDefaultMode;
/* The set of common modes (the default mode plus those added with CFRunLoopAddCommonMode); add timers to it, never run in it. */
CF_EXPORT const CFRunLoopMode kCFRunLoopCommonModes;

/* Type ID of run loops. */
CF_EXPORT CFTypeID CFRunLoopGetTypeID(void);
/* The calling thread's run loop (made on first use); not owned. */
CF_EXPORT CFRunLoopRef CFRunLoopGetCurrent(void);
/* The run loop of the process's main thread; not owned. */
CF_EXPORT CFRunLoopRef CFRunLoopGetMain(void);
/* Makes mode one of the common modes of rl. */
CF_EXPORT void CFRunLoopAddCommonMode(CFRunLoopRef rl, CFRunLoopMode mode);
/* Runs the calling thread's run loop in mode: fires due timers and handles sources, sleeping in between, until seconds pass, CFRunLoopStop is called, or (with returnAfterSourceHandled) a source was handled; timers never count as sources. Returns at once with kCFRunLoopRunFinished when the mode is empty. */
CF_EXPORT CFRunLoopRunResult CFRunLoopRunInMode(CFRunLoopMode mode, CFTimeInterval seconds, Boolean returnAfterSourceHandled);
/* Runs the calling thread's run loop in the default mode until it is stopped or has nothing left to do. */
CF_EXPORT void CFRunLoopRun(void);
/* Makes the innermost run of rl return kCFRunLoopRunStopped (or the next run, when it is not running). Thread-safe. */
CF_EXPORT void CFRunLoopStop(CFRunLoopRef rl);
/* Wakes rl from its sleep so that it re-examines its timers. Thread-safe. */
CF_EXPORT void CFRunLoopWakeUp(CFRunLoopRef rl);

typedef struct {
  CFIndex version;                              /* 0 */
  void* info;                                   /* handed to the callout */
  const void* (*retain)(const void* info);      /* called once at creation; NULL = none */
  void (*release)(const void* info);            /* called when the timer is invalidated or destroyed; NULL = none */
  CFStringRef (*copyDescription)(const void* info); /* NULL = none */
} CFRunLoopTimerContext;

typedef void (*CFRunLoopTimerCallBack)(CFRunLoopTimerRef timer, void* info);

/* Type ID of run-loop timers. */
CF_EXPORT CFTypeID CFRunLoopTimerGetTypeID(void);
/* A new timer that first fires at fireDate (now or earlier fires at the next run) and then every interval seconds (interval <= 0: once); context is copied and its info retained; caller owns. flags and order are ignored. */
CF_EXPORT CFRunLoopTimerRef CFRunLoopTimerCreate(CFAllocatorRef allocator, CFAbsoluteTime fireDate, CFTimeInterval interval, CFOptionFlags flags, CFIndex order, CFRunLoopTimerCallBack callout, CFRunLoopTimerContext* context);
/* Adds timer to rl in mode (kCFRunLoopCommonModes for every common mode); rl retains it. A timer belongs to one run loop at most; invalid timers are ignored. */
CF_EXPORT void CFRunLoopAddTimer(CFRunLoopRef rl, CFRunLoopTimerRef timer, CFRunLoopMode mode);
/* Removes timer from mode of rl; rl releases it when no mode is left. */
CF_EXPORT void CFRunLoopRemoveTimer(CFRunLoopRef rl, CFRunLoopTimerRef timer, CFRunLoopMode mode);
/* True when timer is in mode of rl. */
CF_EXPORT Boolean CFRunLoopContainsTimer(CFRunLoopRef rl, CFRunLoopTimerRef timer, CFRunLoopMode mode);
/* The next time the timer fires. */
CF_EXPORT CFAbsoluteTime CFRunLoopTimerGetNextFireDate(CFRunLoopTimerRef timer);
/* Moves the next firing to fireDate. */
CF_EXPORT void CFRunLoopTimerSetNextFireDate(CFRunLoopTimerRef timer, CFAbsoluteTime fireDate);
/* The repeat interval in seconds (0 for a one-shot timer). */
CF_EXPORT CFTimeInterval CFRunLoopTimerGetInterval(CFRunLoopTimerRef timer);
/* True for a repeating timer. */
CF_EXPORT Boolean CFRunLoopTimerDoesRepeat(CFRunLoopTimerRef timer);
/* Stops the timer for good: removes it from its run loop (which releases it) and releases its context info. Thread-safe. */
CF_EXPORT void CFRunLoopTimerInvalidate(CFRunLoopTimerRef timer);
/* False once the timer was invalidated (or a one-shot timer has fired). */
CF_EXPORT Boolean CFRunLoopTimerIsValid(CFRunLoopTimerRef timer);

CF_EXTERN_C_END

#endif
