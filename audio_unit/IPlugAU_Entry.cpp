// IPlugAU, file 4 of 4: the legacy Component Manager entry, for hosts that still call units through one
// function with a parameter block. It lives apart from the rest of the class because it is the only part
// that builds objects through the product's MakePlug.

#include "IPlugAU.h"

#include <cstring>
#include <new>

namespace iplug
{
namespace
{
// The call's arguments, one pointer-sized slot each, first argument first; each value sits in the first
// bytes of its slot. Reading checks that the caller's block holds the slot.
class ComponentArgs
{
public:
  explicit ComponentArgs(const ComponentParameters& params) : mParams(params) {}

  // Whether the block holds at least n slots.
  bool Has(int n) const { return mParams.paramSize >= n * static_cast<int>(sizeof(long)); }

  // Slot idx read as T.
  template <class T>
  T Get(int idx) const
  {
    static_assert(sizeof(T) <= sizeof(long), "every argument fits in one slot");
    T value;
    std::memcpy(&value, &mParams.params[idx], sizeof(T));
    return value;
  }

private:
  const ComponentParameters& mParams;
};

// Number of argument slots each selector reads.
int NArgs(SInt16 selector)
{
  switch (selector)
  {
  case kComponentOpenSelect:
  case kComponentCanDoSelect: return 1;
  case kAudioUnitUninitializeSelect:
  case kAudioUnitInitializeSelect: return 0;
  case kAudioUnitResetSelect:
  case kAudioUnitAddRenderNotifySelect:
  case kAudioUnitRemoveRenderNotifySelect:
  case kAudioUnitScheduleParametersSelect:
  case kAudioUnitRemovePropertyListenerSelect:
  case kMusicDeviceSysExSelect: return 2;
  case kAudioUnitAddPropertyListenerSelect:
  case kAudioUnitRemovePropertyListenerWithUserDataSelect: return 3;
  case kMusicDeviceMIDIEventSelect:
  case kAudioUnitGetParameterSelect: return 4;
  case kAudioUnitGetPropertyInfoSelect:
  case kAudioUnitGetPropertySelect:
  case kAudioUnitSetPropertySelect:
  case kAudioUnitSetParameterSelect:
  case kAudioUnitRenderSelect:
  case kMusicDeviceStartNoteSelect: return 5;
  default: return 0;
  }
}

// Whether the legacy can-do answers yes for a selector.
bool CanDo(SInt16 selector)
{
  switch (selector)
  {
  case kAudioUnitInitializeSelect:
  case kAudioUnitUninitializeSelect:
  case kAudioUnitGetPropertyInfoSelect:
  case kAudioUnitGetPropertySelect:
  case kAudioUnitSetPropertySelect:
  case kAudioUnitGetParameterSelect:
  case kAudioUnitSetParameterSelect:
  case kAudioUnitResetSelect:
  case kAudioUnitAddPropertyListenerSelect:
  case kAudioUnitRemovePropertyListenerSelect:
  case kAudioUnitRenderSelect:
  case kAudioUnitAddRenderNotifySelect:
  case kAudioUnitRemoveRenderNotifySelect:
  case kAudioUnitScheduleParametersSelect: return true;
  default: return false;
  }
}

// Writes the pitch of the note parameters, truncated, as the new note's instance ID.
OSStatus StartNote(const ComponentArgs& args)
{
  auto* noteID = args.Get<NoteInstanceID*>(2);
  const auto* noteParams = args.Get<const MusicDeviceNoteParams*>(4);
  if (!noteID || !noteParams)
    return kAudio_ParamError;
  *noteID = static_cast<NoteInstanceID>(noteParams->mPitch);
  return noErr;
}
} // namespace

OSStatus IPlugAU::LegacyOpen(ComponentInstance instance)
{
  IPlugAU* plug = nullptr;
  try
  {
    plug = MakePlug(nullptr);
  }
  catch (const std::bad_alloc&)
  {
    return memFullErr;
  }
  plug->PruneUninitializedPresets();
  plug->mComponentInstance = instance;
  SetComponentInstanceStorage(instance, reinterpret_cast<Handle>(plug));
  return noErr;
}

void IPlugAU::LegacyClose()
{
  for (int i = 0; i < mInBuses.GetSize(); ++i)
  {
    mInBuses.Get(i)->mConnected = false;
    mInBuses.Get(i)->mNHostChannels = -1;
    *mInBusConnections.Get(i) = InputBusConnection();
  }
  for (int i = 0; i < mOutBuses.GetSize(); ++i)
  {
    mOutBuses.Get(i)->mConnected = false;
    mOutBuses.Get(i)->mNHostChannels = -1;
  }
  delete this;
}

OSStatus IPlugAU::IPlugAUEntry(ComponentParameters* params, void* storage)
{
  if (!params)
    return kAudio_ParamError;
  const SInt16 selector = params->what;
  const ComponentArgs args(*params);
  if (!args.Has(NArgs(selector)))
    return kAudio_ParamError;
  if (selector == kComponentOpenSelect)
    return LegacyOpen(args.Get<ComponentInstance>(0));
  if (selector == kComponentCanDoSelect)
    return CanDo(args.Get<SInt16>(0)) ? 1 : 0;

  auto* plug = static_cast<IPlugAU*>(storage);
  if (!plug)
    return badComponentInstance;

  UInt32 dummySize = 0;
  Boolean dummyWritable = false;
  switch (selector)
  {
  case kComponentCloseSelect:
    plug->LegacyClose();
    return noErr;
  case kComponentVersionSelect: return plug->GetPluginVersion(false);
  case kAudioUnitInitializeSelect: return DoInitialize(plug);
  case kAudioUnitUninitializeSelect: return DoUninitialize(plug);
  case kAudioUnitResetSelect: return DoReset(plug);
  case kAudioUnitGetPropertyInfoSelect:
  {
    UInt32* dataSize = args.Get<UInt32*>(3);
    Boolean* writable = args.Get<Boolean*>(4);
    Boolean* pWritable = writable ? writable : &dummyWritable;
    *pWritable = false;
    return plug->GetProperty(args.Get<AudioUnitPropertyID>(0), args.Get<AudioUnitScope>(1),
                             args.Get<AudioUnitElement>(2), dataSize ? dataSize : &dummySize, pWritable, nullptr);
  }
  case kAudioUnitGetPropertySelect:
  {
    UInt32* dataSize = args.Get<UInt32*>(4);
    return plug->GetProperty(args.Get<AudioUnitPropertyID>(0), args.Get<AudioUnitScope>(1),
                             args.Get<AudioUnitElement>(2), dataSize ? dataSize : &dummySize, &dummyWritable,
                             args.Get<void*>(3));
  }
  case kAudioUnitSetPropertySelect:
  {
    UInt32 dataSize = args.Get<UInt32>(4);
    return plug->SetProperty(args.Get<AudioUnitPropertyID>(0), args.Get<AudioUnitScope>(1),
                             args.Get<AudioUnitElement>(2), &dataSize, args.Get<const void*>(3));
  }
  case kAudioUnitGetParameterSelect:
    return DoGetParameter(plug, args.Get<AudioUnitParameterID>(0), args.Get<AudioUnitScope>(1),
                          args.Get<AudioUnitElement>(2), args.Get<AudioUnitParameterValue*>(3));
  case kAudioUnitSetParameterSelect:
    return DoSetParameter(plug, args.Get<AudioUnitParameterID>(0), args.Get<AudioUnitScope>(1),
                          args.Get<AudioUnitElement>(2), args.Get<AudioUnitParameterValue>(3), args.Get<UInt32>(4));
  case kAudioUnitScheduleParametersSelect:
    return DoScheduleParameters(plug, args.Get<const AudioUnitParameterEvent*>(0), args.Get<UInt32>(1));
  case kAudioUnitAddPropertyListenerSelect:
    return DoAddPropertyListener(plug, args.Get<AudioUnitPropertyID>(0), args.Get<AudioUnitPropertyListenerProc>(1),
                                 args.Get<void*>(2));
  case kAudioUnitRemovePropertyListenerSelect:
    return DoRemovePropertyListener(plug, args.Get<AudioUnitPropertyID>(0), args.Get<AudioUnitPropertyListenerProc>(1));
  case kAudioUnitRemovePropertyListenerWithUserDataSelect:
    return DoRemovePropertyListenerWithUserData(plug, args.Get<AudioUnitPropertyID>(0),
                                                args.Get<AudioUnitPropertyListenerProc>(1), args.Get<void*>(2));
  case kAudioUnitAddRenderNotifySelect:
    return DoAddRenderNotify(plug, args.Get<AURenderCallback>(0), args.Get<void*>(1));
  case kAudioUnitRemoveRenderNotifySelect:
    return DoRemoveRenderNotify(plug, args.Get<AURenderCallback>(0), args.Get<void*>(1));
  case kAudioUnitRenderSelect:
    return RenderProc(plug, nullptr, args.Get<const AudioTimeStamp*>(1), args.Get<UInt32>(2), args.Get<UInt32>(3),
                      args.Get<AudioBufferList*>(4));
  case kMusicDeviceMIDIEventSelect:
    return DoMIDIEvent(plug, args.Get<UInt32>(0), args.Get<UInt32>(1), args.Get<UInt32>(2), args.Get<UInt32>(3));
  case kMusicDeviceSysExSelect: return DoSysEx(plug, args.Get<const UInt8*>(0), args.Get<UInt32>(1));
  case kMusicDevicePrepareInstrumentSelect:
  case kMusicDeviceReleaseInstrumentSelect:
  case kMusicDeviceStopNoteSelect: return noErr;
  case kMusicDeviceStartNoteSelect: return StartNote(args);
  default: return badComponentSelector;
  }
}
} // namespace iplug
