// The legacy Component Manager entry: one function, a parameter block per call, the object as storage.

#include "AUHostSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <initializer_list>

using namespace au_test;

namespace
{
using EntryFunction = OSStatus (*)(ComponentParameters*, void*);

EntryFunction Entry()
{
  FindComponent(kTidewell);
  const std::filesystem::path path = TIDEWELL_BUNDLE_PATH;
  CFOwned<CFURLRef> url(CFURLCreateFromFileSystemRepresentation(nullptr, reinterpret_cast<const UInt8*>(path.c_str()),
                                                                static_cast<CFIndex>(path.string().size()), true));
  CFOwned<CFBundleRef> bundle(CFBundleCreate(nullptr, url));
  CFOwned<CFStringRef> name(NewString("Tidewell_Entry"));
  return reinterpret_cast<EntryFunction>(CFBundleGetFunctionPointerForName(bundle, name));
}

template <class T>
long Slot(T value)
{
  long slot = 0;
  std::memcpy(&slot, &value, sizeof(T));
  return slot;
}

// One call's parameter block: the selector and its arguments, first argument first.
class Call
{
public:
  Call(SInt16 selector, std::initializer_list<long> args)
  {
    ComponentParameters* params = Params();
    params->flags = 0;
    params->paramSize = static_cast<UInt8>(args.size() * sizeof(long));
    params->what = selector;
    int i = 0;
    for (long arg : args)
      params->params[i++] = arg;
  }
  ComponentParameters* Params() { return reinterpret_cast<ComponentParameters*>(mStorage); }

private:
  alignas(ComponentParameters) unsigned char mStorage[offsetof(ComponentParameters, params) + 8 * sizeof(long)] = {};
};

// A heap object opened through the entry for a live instance handle; closed through the entry.
class LegacyUnit
{
public:
  LegacyUnit()
  {
    Call open(kComponentOpenSelect, {Slot(static_cast<AudioUnit>(mInstance))});
    mOpenStatus = mEntry(open.Params(), nullptr);
    mStorage = GetComponentInstanceStorage(mInstance);
  }
  ~LegacyUnit()
  {
    Call close(kComponentCloseSelect, {});
    mEntry(close.Params(), mStorage);
  }

  OSStatus operator()(SInt16 selector, std::initializer_list<long> args)
  {
    Call call(selector, args);
    return mEntry(call.Params(), mStorage);
  }
  OSStatus OpenStatus() const { return mOpenStatus; }
  void* Storage() const { return mStorage; }

private:
  Unit mInstance;
  EntryFunction mEntry = Entry();
  OSStatus mOpenStatus = -1;
  void* mStorage = nullptr;
};
} // namespace

TEST(LegacyEntry, OpenMakesTheObjectTheInstanceStorage)
{
  LegacyUnit unit;
  EXPECT_EQ(unit.OpenStatus(), noErr);
  EXPECT_NE(unit.Storage(), nullptr);
  EXPECT_EQ(unit(kComponentVersionSelect, {}), 0x00010102);
}

TEST(LegacyEntry, CanDoAnswersForTheAudioUnitSelectors)
{
  LegacyUnit unit;
  for (SInt16 selector : {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 14, 15, 16, 17})
    EXPECT_EQ(unit(kComponentCanDoSelect, {Slot(selector)}), 1) << selector;
  for (SInt16 selector : {8, 12, 13, 18, 0x101, -1, -2, -3, -4})
    EXPECT_EQ(unit(kComponentCanDoSelect, {Slot(selector)}), 0) << selector;
}

TEST(LegacyEntry, DispatchesPropertyAndParameterCalls)
{
  LegacyUnit unit;
  EXPECT_EQ(unit(kAudioUnitSetParameterSelect, {Slot(UInt32(2)), Slot(UInt32(0)), Slot(UInt32(0)), Slot(0.75f), Slot(0)}),
            noErr);
  AudioUnitParameterValue value = 0.f;
  EXPECT_EQ(unit(kAudioUnitGetParameterSelect, {Slot(UInt32(2)), Slot(UInt32(0)), Slot(UInt32(0)), Slot(&value)}), noErr);
  EXPECT_EQ(value, 0.75f);

  EXPECT_EQ(unit(kAudioUnitGetPropertyInfoSelect,
                 {Slot(UInt32(kAudioUnitProperty_SampleRate)), Slot(UInt32(0)), Slot(UInt32(0)), 0, 0}),
            noErr);
  const Float64 rate = 96000.0;
  EXPECT_EQ(unit(kAudioUnitSetPropertySelect,
                 {Slot(UInt32(kAudioUnitProperty_SampleRate)), Slot(UInt32(0)), Slot(UInt32(0)), Slot(&rate), Slot(UInt32(8))}),
            noErr);
  Float64 read = 0.0;
  UInt32 size = sizeof(read);
  EXPECT_EQ(unit(kAudioUnitGetPropertySelect,
                 {Slot(UInt32(kAudioUnitProperty_SampleRate)), Slot(UInt32(0)), Slot(UInt32(0)), Slot(&read), Slot(&size)}),
            noErr);
  EXPECT_EQ(read, 96000.0);
  EXPECT_EQ(unit(kAudioUnitInitializeSelect, {}), noErr);
  EXPECT_EQ(unit(kAudioUnitResetSelect, {0, 0}), noErr);
  EXPECT_EQ(unit(kAudioUnitUninitializeSelect, {}), noErr);
}

TEST(LegacyEntry, RendersWithoutActionFlags)
{
  LegacyUnit unit;
  InputSource source;
  const AURenderCallbackStruct callback = source.Callback();
  ASSERT_EQ(unit(kAudioUnitSetPropertySelect, {Slot(UInt32(kAudioUnitProperty_SetRenderCallback)), Slot(UInt32(1)),
                                              Slot(UInt32(0)), Slot(&callback), Slot(UInt32(16))}),
            noErr);
  ASSERT_EQ(unit(kAudioUnitInitializeSelect, {}), noErr);
  HostBuffers out(2, 32);
  const AudioTimeStamp time = SampleTime(0);
  EXPECT_EQ(unit(kAudioUnitRenderSelect, {0, Slot(&time), Slot(UInt32(0)), Slot(UInt32(32)), Slot(out.List())}), noErr);
  EXPECT_EQ(source.calls, 1);
  EXPECT_EQ(out.Channel(0)[3], 0.5f + 3 / 1000.f);
}

TEST(LegacyEntry, InstrumentSelectorsWithoutMidiInput)
{
  LegacyUnit unit;
  EXPECT_EQ(unit(kMusicDeviceMIDIEventSelect, {0x90, 60, 100, 0}), badComponentSelector);
  EXPECT_EQ(unit(kMusicDeviceSysExSelect, {0, 0}), badComponentSelector);
  EXPECT_EQ(unit(kMusicDevicePrepareInstrumentSelect, {}), noErr);
  EXPECT_EQ(unit(kMusicDeviceStopNoteSelect, {}), noErr);

  MusicDeviceNoteParams note = {2, 61.7f, 100.f, {}};
  NoteInstanceID noteID = 0;
  EXPECT_EQ(unit(kMusicDeviceStartNoteSelect, {0, 0, Slot(&noteID), 0, Slot(&note)}), noErr);
  EXPECT_EQ(noteID, 61u);
}

TEST(LegacyEntry, RefusesWhatItCannotServe)
{
  LegacyUnit unit;
  EXPECT_EQ(unit(0x0777, {}), badComponentSelector);
  EXPECT_EQ(unit(kAudioUnitSetParameterSelect, {Slot(UInt32(2))}), kAudio_ParamError);
  Call version(kComponentVersionSelect, {});
  EXPECT_EQ(Entry()(version.Params(), nullptr), badComponentInstance);
  EXPECT_EQ(Entry()(nullptr, unit.Storage()), kAudio_ParamError);
}
