// Audio components: registration from bundles and in-process factories, search, instances, and the
// dispatch of every Audio Unit call through the instance's Lookup table.

#include "TestComponentSupport.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

namespace {

namespace fs = std::filesystem;

TEST(AudioComponentRegistration, RegistersEveryValidEntryOfABundleOnce)
{
  EXPECT_EQ(TestBundleFirstRegistration(), 3u);
  UInt32 added = 99;
  EXPECT_EQ(StandInRegisterComponentBundle(PLATFORM_TEST_BUNDLE, &added), noErr);
  EXPECT_EQ(added, 0u);
  EXPECT_EQ(AudioComponentFindNext(nullptr, &kNoFactoryDescription), nullptr) << "the entry without a factory function is skipped";
}

TEST(AudioComponentSearch, FindsByDescriptionWithZeroFieldsMatchingAnything)
{
  const AudioComponentDescription anyTestEffect = {kAudioUnitType_Effect, 0, kTestManufacturer, 0, 0};
  AudioComponent gain = TestComponent(kGainDescription);
  ASSERT_NE(gain, nullptr);
  EXPECT_EQ(AudioComponentFindNext(nullptr, &anyTestEffect), gain);
  EXPECT_EQ(AudioComponentFindNext(gain, &anyTestEffect), TestComponent(kOpenFailsDescription));
  EXPECT_EQ(AudioComponentFindNext(TestComponent(kOpenFailsDescription), &anyTestEffect), nullptr);

  const AudioComponentDescription anyTestComponent = {0, 0, kTestManufacturer, 0, 0};
  EXPECT_EQ(AudioComponentCount(&anyTestComponent), 3u);
  const AudioComponentDescription unknown = {kAudioUnitType_Effect, FourCC("none"), kTestManufacturer, 0, 0};
  EXPECT_EQ(AudioComponentFindNext(nullptr, &unknown), nullptr);
  EXPECT_GE(AudioComponentCount(nullptr), 3u);
}

TEST(AudioComponentSearch, ComponentsReportNameVersionAndDescription)
{
  AudioComponent gain = TestComponent(kGainDescription);
  CFOwned<CFStringRef> name;
  ASSERT_EQ(AudioComponentCopyName(gain, name.out()), noErr);
  EXPECT_EQ(Utf8(name), "Tidewell Test: Gain");
  EXPECT_EQ(CFGetRetainCount(name), 1);
  UInt32 version = 0;
  EXPECT_EQ(AudioComponentGetVersion(gain, &version), noErr);
  EXPECT_EQ(version, 0x00010203u);
  AudioComponentDescription description = {};
  EXPECT_EQ(AudioComponentGetDescription(gain, &description), noErr);
  EXPECT_EQ(description.componentSubType, kGainDescription.componentSubType);
  EXPECT_EQ(description.componentType, FourCC("aufx"));
}

struct Notifications {
  std::vector<AudioUnitRenderActionFlags> renderFlags;
  std::vector<AudioUnitPropertyID> changedProperties;
};

OSStatus RecordRender(void* refCon, AudioUnitRenderActionFlags* flags, const AudioTimeStamp*, UInt32, UInt32, AudioBufferList*)
{
  static_cast<Notifications*>(refCon)->renderFlags.push_back(*flags);
  return noErr;
}

void RecordPropertyChange(void* refCon, AudioUnit, AudioUnitPropertyID id, AudioUnitScope, AudioUnitElement)
{
  static_cast<Notifications*>(refCon)->changedProperties.push_back(id);
}

// A buffer list of two mono buffers of frames samples each.
struct StereoBuffers {
  explicit StereoBuffers(UInt32 frames)
    : left(frames, -1.0f)
    , right(frames, -1.0f)
  {
    list = reinterpret_cast<AudioBufferList*>(storage);
    list->mNumberBuffers = 2;
    list->mBuffers[0] = {1, frames * 4, left.data()};
    reinterpret_cast<AudioBuffer*>(storage + offsetof(AudioBufferList, mBuffers))[1] = {1, frames * 4, right.data()};
  }

  std::vector<Float32> left;
  std::vector<Float32> right;
  alignas(AudioBufferList) unsigned char storage[sizeof(AudioBufferList) + sizeof(AudioBuffer)];
  AudioBufferList* list;
};

TEST(AudioComponentInstances, EveryCallReachesTheUnitThroughItsLookupTable)
{
  TestInstance instance;
  ASSERT_EQ(instance.Status(), noErr);
  AudioUnit unit = instance.Unit();
  EXPECT_EQ(AudioComponentInstanceGetComponent(unit), TestComponent(kGainDescription));

  UInt32 size = 0;
  Boolean writable = false;
  EXPECT_EQ(AudioUnitGetPropertyInfo(unit, kAudioUnitProperty_SampleRate, kAudioUnitScope_Global, 0, &size, &writable), noErr);
  EXPECT_EQ(size, 8u);
  EXPECT_TRUE(writable);

  Notifications notifications;
  EXPECT_EQ(AudioUnitAddPropertyListener(unit, kAudioUnitProperty_SampleRate, RecordPropertyChange, &notifications), noErr);
  const Float64 rate = 48000.0;
  EXPECT_EQ(AudioUnitSetProperty(unit, kAudioUnitProperty_SampleRate, kAudioUnitScope_Global, 0, &rate, sizeof(rate)), noErr);
  Float64 readRate = 0.0;
  size = sizeof(readRate);
  EXPECT_EQ(AudioUnitGetProperty(unit, kAudioUnitProperty_SampleRate, kAudioUnitScope_Global, 0, &readRate, &size), noErr);
  EXPECT_EQ(readRate, 48000.0);
  EXPECT_EQ(notifications.changedProperties, std::vector<AudioUnitPropertyID>{kAudioUnitProperty_SampleRate});
  EXPECT_EQ(AudioUnitRemovePropertyListenerWithUserData(unit, kAudioUnitProperty_SampleRate, RecordPropertyChange, &notifications), noErr);
  EXPECT_EQ(AudioUnitSetProperty(unit, kAudioUnitProperty_SampleRate, kAudioUnitScope_Global, 0, &rate, sizeof(rate)), noErr);
  EXPECT_EQ(notifications.changedProperties.size(), 1u);
  EXPECT_EQ(AudioUnitGetProperty(unit, kAudioUnitProperty_ClassInfo, kAudioUnitScope_Global, 0, &readRate, &size), kAudioUnitErr_InvalidProperty);

  Float32 gain = 0.0f;
  EXPECT_EQ(AudioUnitSetParameter(unit, 0, kAudioUnitScope_Global, 0, 0.5f, 0), noErr);
  EXPECT_EQ(AudioUnitGetParameter(unit, 0, kAudioUnitScope_Global, 0, &gain), noErr);
  EXPECT_EQ(gain, 0.5f);
  EXPECT_EQ(AudioUnitGetParameter(unit, 0, kAudioUnitScope_Input, 0, &gain), kAudioUnitErr_InvalidScope);
  AudioUnitParameterEvent events[2] = {};
  events[0] = {kAudioUnitScope_Global, 0, 0, kParameterEvent_Immediate, {}};
  events[0].eventValues.immediate = {0, 0.75f};
  events[1] = {kAudioUnitScope_Global, 0, 0, kParameterEvent_Ramped, {}};
  events[1].eventValues.ramp = {0, 64, 0.75f, 0.25f};
  EXPECT_EQ(AudioUnitScheduleParameters(unit, events, 2), noErr);
  EXPECT_EQ(AudioUnitGetParameter(unit, 0, kAudioUnitScope_Global, 0, &gain), noErr);
  EXPECT_EQ(gain, 0.25f);

  AudioTimeStamp time = {};
  time.mFlags = kAudioTimeStampSampleTimeValid;
  StereoBuffers buffers(64);
  EXPECT_EQ(AudioUnitRender(unit, nullptr, &time, 0, 64, buffers.list), kAudioUnitErr_Uninitialized);
  EXPECT_EQ(AudioUnitInitialize(unit), noErr);
  EXPECT_EQ(AudioUnitAddRenderNotify(unit, RecordRender, &notifications), noErr);
  AudioUnitRenderActionFlags flags = 0;
  EXPECT_EQ(AudioUnitRender(unit, &flags, &time, 0, 64, buffers.list), noErr);
  EXPECT_EQ(buffers.left[63], 0.25f);
  EXPECT_EQ(buffers.right[0], 0.25f);
  EXPECT_EQ(notifications.renderFlags, (std::vector<AudioUnitRenderActionFlags>{kAudioUnitRenderAction_PreRender, kAudioUnitRenderAction_PostRender}));
  EXPECT_EQ(AudioUnitRemoveRenderNotify(unit, RecordRender, &notifications), noErr);
  EXPECT_EQ(AudioUnitRender(unit, &flags, &time, 0, 64, buffers.list), noErr);
  EXPECT_EQ(notifications.renderFlags.size(), 2u);

  EXPECT_EQ(AudioUnitReset(unit, kAudioUnitScope_Global, 0), noErr);
  EXPECT_EQ(AudioUnitGetParameter(unit, 0, kAudioUnitScope_Global, 0, &gain), noErr);
  EXPECT_EQ(gain, 1.0f) << "the test unit's reset restores unity gain";
  EXPECT_EQ(AudioUnitUninitialize(unit), noErr);
  EXPECT_EQ(AudioUnitRender(unit, &flags, &time, 0, 64, buffers.list), kAudioUnitErr_Uninitialized);
}

TEST(AudioComponentInstances, SelectorsTheUnitDoesNotServeAreBadSelectors)
{
  TestInstance instance;
  AudioUnit unit = instance.Unit();
  EXPECT_TRUE(AudioComponentInstanceCanDo(unit, kAudioUnitRenderSelect));
  EXPECT_FALSE(AudioComponentInstanceCanDo(unit, kAudioUnitRemovePropertyListenerSelect));
  EXPECT_FALSE(AudioComponentInstanceCanDo(unit, kMusicDeviceMIDIEventSelect));
  EXPECT_EQ(AudioUnitRemovePropertyListener(unit, kAudioUnitProperty_SampleRate, RecordPropertyChange), badComponentSelector);
  EXPECT_EQ(MusicDeviceMIDIEvent(unit, 0x90, 60, 100, 0), badComponentSelector);
  const UInt8 sysex[] = {0xF0, 0x7E, 0xF7};
  EXPECT_EQ(MusicDeviceSysEx(unit, sysex, 3), badComponentSelector);
}

TEST(AudioComponentInstances, StorageIsThePlugInInterfaceUntilReplaced)
{
  TestInstance first;
  TestInstance second;
  Handle storage = GetComponentInstanceStorage(first.Unit());
  ASSERT_NE(storage, nullptr);
  EXPECT_NE(storage, GetComponentInstanceStorage(second.Unit()));
  char* replacement = nullptr;
  SetComponentInstanceStorage(first.Unit(), &replacement);
  EXPECT_EQ(GetComponentInstanceStorage(first.Unit()), &replacement);
  EXPECT_EQ(GetComponentInstanceStorage(nullptr), nullptr);
}

TEST(AudioComponentInstances, AComponentFindsItsOwnResourcesByItsIdentifier)
{
  TestInstance instance;
  CFURLRef resources = nullptr;
  UInt32 size = sizeof(resources);
  ASSERT_EQ(AudioUnitGetProperty(instance.Unit(), kOwnResourcesProperty, kAudioUnitScope_Global, 0, &resources, &size), noErr);
  CFOwned<CFURLRef> owned(resources);
  EXPECT_EQ(PathOf(resources), fs::canonical(PLATFORM_TEST_BUNDLE).string() + "/Contents/Resources");
  EXPECT_TRUE(fs::exists(PathOf(resources) + "/greeting.txt"));
}

TEST(AudioComponentInstances, AFailedOpenReportsItsStatusAndLeavesNoInstance)
{
  AudioComponentInstance instance = reinterpret_cast<AudioComponentInstance>(1);
  EXPECT_EQ(AudioComponentInstanceNew(TestComponent(kOpenFailsDescription), &instance), kAudioUnitErr_FailedInitialization);
  EXPECT_EQ(instance, nullptr);
}

TEST(AudioComponentRegistration, BundlesInTheUserComponentsFolderAreFound)
{
  ScratchDirectory home;
  ScopedEnvironment homeVariable("HOME", home.Path().string());
  const fs::path folder = home.Path() / ".local/lib/Audio/Plug-Ins/Components";
  MakeComponentBundle(folder, "Scanned.component", "com.tidewell.test.scanned", ComponentEntry("scan"));
  WriteFile(folder / "NotABundle.txt", "ignored");
  const AudioComponentDescription scanned = {kAudioUnitType_Effect, FourCC("scan"), kScratchManufacturer, 0, 0};
  AudioComponent component = AudioComponentFindNext(nullptr, &scanned);
  ASSERT_NE(component, nullptr);
  AudioComponentInstance instance = nullptr;
  ASSERT_EQ(AudioComponentInstanceNew(component, &instance), noErr);
  EXPECT_EQ(AudioUnitInitialize(instance), noErr);
  EXPECT_EQ(AudioComponentInstanceDispose(instance), noErr);
}

// An in-process component: a unit that serves Initialize only.
int gInProcessOpens = 0;

OSStatus InProcessInitialize(void*)
{
  return noErr;
}

AudioComponentMethod InProcessLookup(SInt16 selector)
{
  return selector == kAudioUnitInitializeSelect ? reinterpret_cast<AudioComponentMethod>(reinterpret_cast<void (*)()>(InProcessInitialize)) : nullptr;
}

OSStatus InProcessOpen(void*, AudioComponentInstance)
{
  ++gInProcessOpens;
  return noErr;
}

OSStatus InProcessClose(void*)
{
  --gInProcessOpens;
  return noErr;
}

AudioComponentPlugInInterface gInProcessInterface = {InProcessOpen, InProcessClose, InProcessLookup, nullptr};

AudioComponentPlugInInterface* InProcessFactory(const AudioComponentDescription*)
{
  return &gInProcessInterface;
}

TEST(AudioComponentRegistration, InProcessFactoriesAreRegisteredAndInstantiated)
{
  const AudioComponentDescription description = {kAudioUnitType_Generator, FourCC("inpr"), kScratchManufacturer, 0, 0};
  AudioComponent component = AudioComponentRegister(&description, CFSTR("Scratch: in process"), 2, InProcessFactory);
  ASSERT_NE(component, nullptr);
  EXPECT_EQ(AudioComponentFindNext(nullptr, &description), component);
  AudioComponentInstance instance = nullptr;
  ASSERT_EQ(AudioComponentInstanceNew(component, &instance), noErr);
  EXPECT_EQ(gInProcessOpens, 1);
  EXPECT_EQ(AudioUnitInitialize(instance), noErr);
  EXPECT_EQ(AudioUnitReset(instance, kAudioUnitScope_Global, 0), badComponentSelector);
  EXPECT_EQ(AudioComponentInstanceDispose(instance), noErr);
  EXPECT_EQ(gInProcessOpens, 0);
  EXPECT_EQ(AudioComponentRegister(nullptr, CFSTR("x"), 1, InProcessFactory), nullptr);
  EXPECT_EQ(AudioComponentRegister(&description, CFSTR("x"), 1, nullptr), nullptr);
}

TEST(AudioComponentBadInput, BundlesWithoutUsableEntriesAreRefused)
{
  ScratchDirectory scratch;
  const fs::path noPlist = scratch.Path() / "NoPlist.component";
  fs::create_directories(noPlist / "Contents" / "MacOS");
  const fs::path notXml = scratch.Path() / "NotXml.component";
  WriteFile(notXml / "Contents" / "Info.plist", "\x00\x01 binary junk");
  const fs::path lacking = MakeComponentBundle(scratch.Path(), "Lacking.component", "com.tidewell.test.lacking",
                                               "<dict><key>type</key><string>aufx</string></dict>"
                                               "<dict><key>type</key><string>toolong</string><key>subtype</key><string>abcd</string><key>manufacturer</key><string>Twtx</string><key>name</key><string>n</string><key>factoryFunction</key><string>f</string></dict>"
                                               "<string>not a dictionary</string>");
  const fs::path noArray = MakeComponentBundle(scratch.Path(), "NoArray.component", "com.tidewell.test.noarray", "", false);
  for (const fs::path& bundle : {noPlist, notXml, lacking, noArray})
  {
    UInt32 added = 99;
    EXPECT_EQ(StandInRegisterComponentBundle(bundle.c_str(), &added), invalidComponentID) << bundle;
    EXPECT_EQ(added, 0u);
  }
  EXPECT_EQ(StandInRegisterComponentBundle((scratch.Path() / "Missing.component").c_str(), nullptr), kAudio_FileNotFoundError);
  WriteFile(scratch.Path() / "File.component", "a file");
  EXPECT_EQ(StandInRegisterComponentBundle((scratch.Path() / "File.component").c_str(), nullptr), kAudio_FileNotFoundError);
  EXPECT_EQ(StandInRegisterComponentBundle(nullptr, nullptr), kAudio_ParamError);
}

TEST(AudioComponentBadInput, AMissingFactorySymbolOrExecutableFailsInstantiation)
{
  ScratchDirectory scratch;
  UInt32 added = 0;
  ASSERT_EQ(StandInRegisterComponentBundle(MakeComponentBundle(scratch.Path(), "NoSymbol.component", "com.tidewell.test.nosymbol", ComponentEntry("nsym", "NoSuchFactory")).c_str(), &added), noErr);
  EXPECT_EQ(added, 1u);
  ASSERT_EQ(StandInRegisterComponentBundle(MakeComponentBundle(scratch.Path(), "NoCode.component", "com.tidewell.test.nocode-component", ComponentEntry("ncod"), false).c_str(), &added), noErr);
  for (const char* subtype : {"nsym", "ncod"})
  {
    const AudioComponentDescription description = {kAudioUnitType_Effect, FourCC(subtype), kScratchManufacturer, 0, 0};
    AudioComponent component = AudioComponentFindNext(nullptr, &description);
    ASSERT_NE(component, nullptr) << subtype;
    AudioComponentInstance instance = reinterpret_cast<AudioComponentInstance>(1);
    EXPECT_EQ(AudioComponentInstanceNew(component, &instance), invalidComponentID) << subtype;
    EXPECT_EQ(instance, nullptr);
  }
}

TEST(AudioComponentBadInput, UnknownComponentsAndInstancesAreRefused)
{
  AudioComponentDescription notAComponent = {};
  auto unknown = reinterpret_cast<AudioComponent>(&notAComponent);
  AudioComponentInstance instance = nullptr;
  CFStringRef name = nullptr;
  UInt32 version = 0;
  AudioComponentDescription description = {};
  EXPECT_EQ(AudioComponentInstanceNew(unknown, &instance), invalidComponentID);
  EXPECT_EQ(AudioComponentInstanceNew(nullptr, &instance), kAudio_ParamError);
  EXPECT_EQ(AudioComponentInstanceNew(TestComponent(kGainDescription), nullptr), kAudio_ParamError);
  EXPECT_EQ(AudioComponentCopyName(unknown, &name), kAudio_ParamError);
  EXPECT_EQ(AudioComponentGetVersion(unknown, &version), kAudio_ParamError);
  EXPECT_EQ(AudioComponentGetDescription(unknown, &description), kAudio_ParamError);
  EXPECT_EQ(AudioComponentGetDescription(TestComponent(kGainDescription), nullptr), kAudio_ParamError);
  EXPECT_EQ(AudioComponentFindNext(unknown, nullptr), nullptr);

  AudioComponentInstance disposed = nullptr;
  ASSERT_EQ(AudioComponentInstanceNew(TestComponent(kGainDescription), &disposed), noErr);
  ASSERT_EQ(AudioComponentInstanceDispose(disposed), noErr);
  EXPECT_EQ(AudioComponentInstanceDispose(disposed), badComponentInstance);
  EXPECT_EQ(AudioUnitInitialize(disposed), badComponentInstance);
  EXPECT_EQ(AudioComponentInstanceGetComponent(disposed), nullptr);
  EXPECT_FALSE(AudioComponentInstanceCanDo(disposed, kAudioUnitInitializeSelect));
  EXPECT_EQ(AudioUnitInitialize(nullptr), kAudio_ParamError);
  EXPECT_EQ(AudioComponentInstanceDispose(nullptr), kAudio_ParamError);
}

TEST(AudioComponentBadInput, MissingRequiredPointersAreParameterErrors)
{
  TestInstance instance;
  AudioUnit unit = instance.Unit();
  Float64 value = 0.0;
  AudioTimeStamp time = {};
  StereoBuffers buffers(4);
  EXPECT_EQ(AudioUnitGetProperty(unit, kAudioUnitProperty_SampleRate, kAudioUnitScope_Global, 0, &value, nullptr), kAudio_ParamError);
  EXPECT_EQ(AudioUnitGetParameter(unit, 0, kAudioUnitScope_Global, 0, nullptr), kAudio_ParamError);
  EXPECT_EQ(AudioUnitRender(unit, nullptr, nullptr, 0, 4, buffers.list), kAudio_ParamError);
  EXPECT_EQ(AudioUnitRender(unit, nullptr, &time, 0, 4, nullptr), kAudio_ParamError);
  EXPECT_EQ(AudioUnitScheduleParameters(unit, nullptr, 2), kAudio_ParamError);
}

}
