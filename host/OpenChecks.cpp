#include "OpenChecks.h"

#include <algorithm>
#include <chrono>

#include "CFStringUtf8.h"
#include "StatusText.h"
#include "ValidationContext.h"

namespace
{
  // Hosts give up on (or warn about) components slower than these to open.
  constexpr double kColdLimitMs = 5000.0;
  constexpr double kWarmLimitMs = 100.0;
  constexpr int kWarmOpens = 20;

  using Clock = std::chrono::steady_clock;

  double MillisecondsSince(Clock::time_point start)
  {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  }

  // Opens and disposes of one instance; false when either fails. ms gets the open time.
  bool TimedOpen(AudioComponent component, double& ms, OSStatus& status)
  {
    AudioUnit unit = nullptr;
    const Clock::time_point start = Clock::now();
    status = AudioComponentInstanceNew(component, &unit);
    ms = MillisecondsSince(start);
    if (status != noErr || !unit)
      return false;
    status = AudioComponentInstanceDispose(unit);
    return status == noErr;
  }

  void CheckTimes(ValidationContext& context)
  {
    ValidationReport& report = context.report;
    double coldMs = 0.0;
    OSStatus status = noErr;
    const bool coldOpened = TimedOpen(context.component, coldMs, status);
    report.Check(coldOpened && coldMs < kColdLimitMs, "cold open (loads the code)",
                 coldOpened ? Format("%.2f ms (limit %.0f ms)", coldMs, kColdLimitMs) : "failed: " + StatusText(status));

    double totalMs = 0.0;
    double worstMs = 0.0;
    bool allOpened = true;
    for (int i = 0; i < kWarmOpens && allOpened; ++i)
    {
      double ms = 0.0;
      allOpened = TimedOpen(context.component, ms, status);
      totalMs += ms;
      worstMs = std::max(worstMs, ms);
    }
    const double meanMs = totalMs / kWarmOpens;
    report.Check(allOpened && meanMs < kWarmLimitMs, "warm open and dispose",
                 allOpened ? Format("%.3f ms mean, %.3f ms worst of %d (limit %.0f ms)", meanMs, worstMs, kWarmOpens, kWarmLimitMs)
                           : "failed: " + StatusText(status));
  }

  // A four-character code as text, first character from the most significant byte.
  std::string CodeText(OSType code)
  {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
      text += static_cast<char>((code >> shift) & 0xFF);
    return text;
  }

  void CheckIdentity(ValidationContext& context)
  {
    AudioComponentDescription description{};
    UInt32 version = 0;
    CFRef<CFStringRef> name;
    const bool read = AudioComponentGetDescription(context.component, &description) == noErr
                      && AudioComponentGetVersion(context.component, &version) == noErr
                      && AudioComponentCopyName(context.component, name.Out()) == noErr;
    const AudioComponentDescription& wanted = context.wanted;
    const bool matches = read && description.componentType == wanted.componentType && description.componentSubType == wanted.componentSubType
                         && description.componentManufacturer == wanted.componentManufacturer && CFStringGetLength(name.Get()) > 0;
    context.report.Check(matches, "identity (" + CodeText(wanted.componentType) + " " + CodeText(wanted.componentSubType) + " "
                                    + CodeText(wanted.componentManufacturer) + ")",
                         Format("\"%s\", version %u.%u.%u", iplug::CFStringUtf8(name.Get()).c_str(), version >> 16, (version >> 8) & 0xFF, version & 0xFF));
  }

  void CheckFirstInitialize(ValidationContext& context)
  {
    std::unique_ptr<HostComponent> unit = context.Open("the first Initialize");
    if (!unit)
      return;
    const Clock::time_point start = Clock::now();
    const OSStatus status = unit->Initialize();
    const double ms = MillisecondsSince(start);
    context.report.Check(status == noErr, "Initialize with the default formats", Format("%s in %.3f ms", StatusText(status).c_str(), ms));
    const OSStatus uninitStatus = unit->Uninitialize();
    context.report.Check(uninitStatus == noErr, "Uninitialize", StatusText(uninitStatus));
  }
}

void OpenChecks::Run(ValidationContext& context)
{
  context.report.Section("open");
  CheckTimes(context);
  CheckIdentity(context);
  CheckFirstInitialize(context);
}
