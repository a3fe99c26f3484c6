// The stand-in library exports the platform's functions under their own names with C linkage, and
// nothing of its own inner workings.

#include <AudioToolbox/AudioToolbox.h>

#include <gtest/gtest.h>

#include "support/ElfExports.h"

#include <dlfcn.h>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

std::string LibraryPath()
{
  Dl_info info = {};
  dladdr(reinterpret_cast<void*>(&CFRetain), &info);
  return info.dli_fname ? info.dli_fname : "";
}

bool StartsWith(const std::string& name, const std::string& prefix)
{
  return name.compare(0, prefix.size(), prefix) == 0;
}

TEST(ExportedSymbols, ThePlatformFunctionsAreExportedWithCLinkage)
{
  const std::set<std::string> names = ExportedNames(LibraryPath());
  for (const char* name : {"CFRetain", "CFRelease", "CFStringCreateWithCString", "CFStringGetCString", "CFNumberCreate", "CFDataCreate", "CFArrayCreateMutable", "CFDictionaryCreateMutable",
                           "CFPropertyListCreateWithData", "CFPropertyListCreateData", "CFBundleGetBundleWithIdentifier", "CFBundleGetMainBundle", "CFRunLoopGetMain", "CFRunLoopTimerCreate",
                           "CFRunLoopAddTimer", "CFRunLoopRunInMode", "CFRunLoopTimerInvalidate", "CFAbsoluteTimeGetCurrent", "__CFStringMakeConstantString", "kCFTypeArrayCallBacks",
                           "kCFTypeDictionaryKeyCallBacks", "kCFRunLoopCommonModes", "kCFBooleanTrue", "AudioComponentFindNext", "AudioComponentInstanceNew", "AudioComponentInstanceDispose",
                           "AudioUnitInitialize", "AudioUnitGetProperty", "AudioUnitSetProperty", "AudioUnitRender", "AudioUnitScheduleParameters", "AUEventListenerNotify",
                           "GetComponentInstanceStorage", "SetComponentInstanceStorage", "MIDIPacketListInit", "MIDIPacketListAdd", "MusicDeviceMIDIEvent", "FSFindFolder", "FSRefMakePath",
                           "StandInRegisterComponentBundle"})
    EXPECT_TRUE(names.count(name)) << name << " is not exported";
}

TEST(ExportedSymbols, NothingButThePlatformsNamesIsExported)
{
  const std::set<std::string> names = ExportedNames(LibraryPath());
  ASSERT_GT(names.size(), 100u);
  const std::vector<std::string> platformPrefixes = {"CF", "kCF", "__CFString", "Audio", "AU", "MusicDevice", "MIDI", "FS", "GetComponentInstanceStorage", "SetComponentInstanceStorage", "StandIn"};
  // Symbols the toolchain adds to every shared object (and the sanitizers' own markers).
  const std::vector<std::string> toolchainPrefixes = {"_init", "_fini", "_edata", "_end", "__bss_start", "__odr_asan", "__asan", "__sancov", "__start_", "__stop_"};
  for (const std::string& name : names)
  {
    const auto matches = [&](const std::string& prefix) { return StartsWith(name, prefix); };
    const bool platform = std::any_of(platformPrefixes.begin(), platformPrefixes.end(), matches);
    const bool toolchain = std::any_of(toolchainPrefixes.begin(), toolchainPrefixes.end(), matches);
    EXPECT_TRUE(platform || toolchain) << name << " should not be exported";
    EXPECT_FALSE(StartsWith(name, "_Z")) << name << " has C++ linkage";
  }
}

}
