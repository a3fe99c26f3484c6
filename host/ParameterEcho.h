#pragma once

#include <AudioToolbox/AudioToolbox.h>

#include <cstdio>

#include "ParameterCatalog.h"

class HostComponent;

// Prints what an editor tells the host about the unit's parameters, one line each, as the host's listener
// sees it: "begin NAME", "param NAME VALUE" (the unit's display text) and "end NAME". Lines are flushed at
// once, so a program reading them sees each as it happens. Events arrive on the main run loop. Main thread.
class ParameterEcho
{
public:
  // Listens to every parameter of unit described in catalog (both outlive this object), printing to out.
  ParameterEcho(const HostComponent& unit, const ParameterCatalog& catalog, std::FILE* out);
  ~ParameterEcho();
  ParameterEcho(const ParameterEcho&) = delete;
  ParameterEcho& operator=(const ParameterEcho&) = delete;

  // Whether the listener was set up.
  bool IsListening() const { return mListener != nullptr; }

private:
  static void EventProc(void* refCon, void* object, const AudioUnitEvent* event, UInt64 hostTime, AudioUnitParameterValue value);
  void Print(const AudioUnitEvent& event, AudioUnitParameterValue value);

  const HostComponent& mUnit;
  const ParameterCatalog& mCatalog;
  std::FILE* mOut;
  AUEventListenerRef mListener = nullptr;
};
