#pragma once

// The test component of tests/platform/component and its bundle in the build tree (PLATFORM_TEST_BUNDLE).

#include "PlatformTestSupport.h"

#include <AudioToolbox/AudioToolbox.h>
#include <StandIn/StandInComponents.h>

inline constexpr OSType kTestManufacturer = 0x54777474;            // 'Twtt'
inline constexpr OSType kScratchManufacturer = 0x54777478;         // 'Twtx': bundles the tests lay out themselves
inline constexpr AudioComponentDescription kGainDescription = {kAudioUnitType_Effect, 0x7467616E, kTestManufacturer, 0, 0};            // 'tgan'
inline constexpr AudioComponentDescription kInstrumentDescription = {kAudioUnitType_MusicDevice, 0x74696E73, kTestManufacturer, 0, 0}; // 'tins'
inline constexpr AudioComponentDescription kOpenFailsDescription = {kAudioUnitType_Effect, 0x6F706E66, kTestManufacturer, 0, 0};       // 'opnf'
inline constexpr AudioComponentDescription kNoFactoryDescription = {kAudioUnitType_Effect, 0x6E6F666E, kTestManufacturer, 0, 0};       // 'nofn'

inline constexpr AudioUnitPropertyID kOwnResourcesProperty = 64000; // get: URL of the component's Resources, found from inside it
inline constexpr AudioUnitPropertyID kPostGestureProperty = 64001;  // set: the component announces a gesture on parameter 0

// Registers the test bundle once per process; the number of components that first registration added.
inline UInt32 TestBundleFirstRegistration()
{
  static const UInt32 added = [] {
    UInt32 count = 0;
    StandInRegisterComponentBundle(PLATFORM_TEST_BUNDLE, &count);
    return count;
  }();
  return added;
}

inline AudioComponent TestComponent(const AudioComponentDescription& description)
{
  TestBundleFirstRegistration();
  return AudioComponentFindNext(nullptr, &description);
}

// An instance of a test component, disposed at the end of the scope.
class TestInstance {
public:
  explicit TestInstance(const AudioComponentDescription& description = kGainDescription)
  {
    mStatus = AudioComponentInstanceNew(TestComponent(description), &mUnit);
  }
  ~TestInstance()
  {
    if (mUnit)
      AudioComponentInstanceDispose(mUnit);
  }
  TestInstance(const TestInstance&) = delete;
  TestInstance& operator=(const TestInstance&) = delete;

  AudioUnit Unit() const { return mUnit; }
  OSStatus Status() const { return mStatus; }

private:
  AudioUnit mUnit = nullptr;
  OSStatus mStatus = noErr;
};

// Lays out a component bundle with the test component's executable and the given AudioComponents
// entries; the executable is left out when copyExecutable is false.
inline std::filesystem::path MakeComponentBundle(const std::filesystem::path& folder, const std::string& name, const std::string& identifier, const std::string& entries, bool copyExecutable = true)
{
  const std::filesystem::path bundle = folder / name;
  WriteFile(bundle / "Contents" / "Info.plist", InfoPlist(identifier, "TestComponent", "<key>AudioComponents</key><array>" + entries + "</array>\n"));
  std::filesystem::create_directories(bundle / "Contents" / "MacOS");
  if (copyExecutable)
    std::filesystem::copy_file(std::filesystem::path(PLATFORM_TEST_BUNDLE) / "Contents/MacOS/TestComponent", bundle / "Contents/MacOS/TestComponent");
  return bundle;
}

// One AudioComponents entry of an effect by the scratch manufacturer.
inline std::string ComponentEntry(const std::string& subtype, const std::string& factory = "TestComponent_Factory")
{
  return "<dict><key>type</key><string>aufx</string><key>subtype</key><string>" + subtype + "</string><key>manufacturer</key><string>Twtx</string>"
         "<key>name</key><string>Scratch: " + subtype + "</string><key>version</key><integer>7</integer>"
         "<key>factoryFunction</key><string>" + factory + "</string></dict>";
}

// The four-character code of the first four characters of code.
inline OSType FourCC(const char* code)
{
  return (OSType(UInt8(code[0])) << 24) | (OSType(UInt8(code[1])) << 16) | (OSType(UInt8(code[2])) << 8) | OSType(UInt8(code[3]));
}
