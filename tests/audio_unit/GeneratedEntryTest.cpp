// A product's Audio Unit entry points as the build generates them from its name and class (EntryPlug,
// built with MIDI input): exactly the three names made from the product's exported, the component found
// and opened through its factory, the view factory class named after the product and describing itself
// so, and the MIDI selectors served.

#include "AUHostSupport.h"
#include "support/ElfExports.h"

#include <AudioUnit/AUCocoaUIView.h>
#include <AudioUnit/MusicDevice.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

using namespace au_test;

namespace
{
constexpr AudioComponentDescription kEntryPlug = {FourCC("aumf"), FourCC("entp"), FourCC("Twau"), 0, 0};
const std::string kEntryBundle = ENTRY_PLUG_BUNDLE_PATH;

AudioComponent FindEntryPlug()
{
  static const OSStatus registered = StandInRegisterComponentBundle(kEntryBundle.c_str(), nullptr);
  return registered == noErr ? AudioComponentFindNext(nullptr, &kEntryPlug) : nullptr;
}

// One EntryPlug instance, disposed at the end of the scope.
class EntryUnit
{
public:
  EntryUnit() { mStatus = AudioComponentInstanceNew(FindEntryPlug(), &mUnit); }
  ~EntryUnit()
  {
    if (mUnit)
      AudioComponentInstanceDispose(mUnit);
  }
  EntryUnit(const EntryUnit&) = delete;
  EntryUnit& operator=(const EntryUnit&) = delete;

  operator AudioUnit() const { return mUnit; }
  OSStatus Status() const { return mStatus; }

private:
  AudioUnit mUnit = nullptr;
  OSStatus mStatus = noErr;
};
} // namespace

TEST(GeneratedEntry, ExportsOnlyTheThreeNamesMadeFromTheProductName)
{
  const std::set<std::string> expected = {"EntryPlug_Factory", "EntryPlug_Entry", "EntryPlug_View"};
  EXPECT_EQ(ExportedNames(kEntryBundle + "/Contents/MacOS/EntryPlug"), expected);
}

TEST(GeneratedEntry, FactoryOpensTheProduct)
{
  EntryUnit unit;
  ASSERT_EQ(unit.Status(), noErr);
  ASSERT_NE(static_cast<AudioUnit>(unit), nullptr);
  EXPECT_EQ(AudioUnitInitialize(unit), noErr);
}

TEST(GeneratedEntry, ViewFactoryClassIsNamedAndDescribedAfterTheProduct)
{
  EntryUnit unit;
  AudioUnitCocoaViewInfo info = {};
  ASSERT_EQ(GetProp(static_cast<AudioUnit>(unit), kAudioUnitProperty_CocoaUI, kAudioUnitScope_Global, 0, info), noErr);
  CFOwned<CFURLRef> location(info.mCocoaAUViewBundleLocation);
  CFOwned<CFStringRef> className(info.mCocoaAUViewClass[0]);
  EXPECT_EQ(Utf8(className), "EntryPlug_View");

  CFOwned<CFBundleRef> bundle(CFBundleCreate(nullptr, location));
  auto makeClass = reinterpret_cast<AUCocoaUIClassFunction>(CFBundleGetFunctionPointerForName(bundle, className));
  ASSERT_NE(makeClass, nullptr);
  std::unique_ptr<AUCocoaUIBase> factory(makeClass());
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(factory->interfaceVersion(), 0u);
  CFOwned<CFStringRef> description(factory->description());
  EXPECT_EQ(Utf8(description), "EntryPlug View");
  EXPECT_EQ(factory->uiViewForAudioUnit(nullptr, {100.0, 100.0}), nullptr);
}

TEST(GeneratedEntry, ServesTheMidiSelectorsWhenBuiltWithMidiInput)
{
  EntryUnit unit;
  ASSERT_EQ(unit.Status(), noErr);
  EXPECT_EQ(MusicDeviceMIDIEvent(unit, 0x90, 60, 100, 0), noErr);
  const UInt8 sysEx[] = {0xF0, 0x7D, 0x01, 0xF7};
  EXPECT_EQ(MusicDeviceSysEx(unit, sysEx, sizeof(sysEx)), noErr);
}
