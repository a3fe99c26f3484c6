#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>

#include "IPlugAU.h"

namespace iplug
{
// The Audio Unit component factory of one product class Plug (which derives from IPlugAU alone).
// DoesMIDIIn says whether the MIDI and SysEx selectors are served. Every instance lives in one malloc'd
// block: an AUInstanceHeader, then the Plug object, constructed in place by Open. Main thread.
template <class Plug, bool DoesMIDIIn>
struct IPlugAUFactory
{
  // One instance: the header the host calls through, then room for the object.
  struct InstanceBlock
  {
    AUInstanceHeader mHeader; // the method table the host calls through; first, so the block's address is the instance's
    alignas(Plug) unsigned char mObject[sizeof(Plug)]; // room for the plug-in object, built by Open
    bool mConstructed; // Open built the object, so Close must destroy it
  };
  static_assert(offsetof(InstanceBlock, mObject) == sizeof(AUInstanceHeader),
                "the object follows the header directly");
  static_assert(alignof(Plug) <= alignof(std::max_align_t), "malloc must be able to align the object");

  // A new block with its header filled in, the object not yet built; null when memory ran out.
  static AudioComponentPlugInInterface* Factory(const AudioComponentDescription* /*desc*/)
  {
    auto* block = static_cast<InstanceBlock*>(std::malloc(sizeof(InstanceBlock)));
    if (!block)
      return nullptr;
    block->mHeader.mInterface.Open = Open;
    block->mHeader.mInterface.Close = Close;
    block->mHeader.mInterface.Lookup = Lookup;
    block->mHeader.mInterface.reserved = nullptr;
    block->mHeader.mConstruct = Construct;
    block->mHeader.mDestruct = Destruct;
    block->mHeader.mSpare[0] = nullptr;
    block->mHeader.mSpare[1] = nullptr;
    block->mConstructed = false;
    return &block->mHeader.mInterface;
  }

  // Builds the object in the block, remembers the host's handle and drops the preset slots left empty.
  // memFullErr when construction runs out of memory: no exception reaches the host.
  static OSStatus Open(void* self, AudioComponentInstance instance)
  {
    auto* block = static_cast<InstanceBlock*>(self);
    try
    {
      IPlugAU* plug = block->mHeader.mConstruct(block->mObject, instance);
      block->mConstructed = true;
      plug->mComponentInstance = instance;
      plug->PruneUninitializedPresets();
    }
    catch (const std::bad_alloc&)
    {
      return memFullErr;
    }
    return noErr;
  }

  // Destroys the object (when Open built it) and frees the block.
  static OSStatus Close(void* self)
  {
    auto* block = static_cast<InstanceBlock*>(self);
    if (block->mConstructed)
      block->mHeader.mDestruct(block->mObject);
    std::free(block);
    return noErr;
  }

  // The method serving a selector, or null.
  static AudioComponentMethod Lookup(SInt16 selector)
  {
    switch (selector)
    {
    case kAudioUnitInitializeSelect: return Method(IPlugAU::AUMethodInitialize);
    case kAudioUnitUninitializeSelect: return Method(IPlugAU::AUMethodUninitialize);
    case kAudioUnitGetPropertyInfoSelect: return Method(IPlugAU::AUMethodGetPropertyInfo);
    case kAudioUnitGetPropertySelect: return Method(IPlugAU::AUMethodGetProperty);
    case kAudioUnitSetPropertySelect: return Method(IPlugAU::AUMethodSetProperty);
    case kAudioUnitGetParameterSelect: return Method(IPlugAU::AUMethodGetParameter);
    case kAudioUnitSetParameterSelect: return Method(IPlugAU::AUMethodSetParameter);
    case kAudioUnitResetSelect: return Method(IPlugAU::AUMethodReset);
    case kAudioUnitAddPropertyListenerSelect: return Method(IPlugAU::AUMethodAddPropertyListener);
    case kAudioUnitRemovePropertyListenerSelect: return Method(IPlugAU::AUMethodRemovePropertyListener);
    case kAudioUnitRenderSelect: return Method(IPlugAU::AUMethodRender);
    case kAudioUnitAddRenderNotifySelect: return Method(IPlugAU::AUMethodAddRenderNotify);
    case kAudioUnitRemoveRenderNotifySelect: return Method(IPlugAU::AUMethodRemoveRenderNotify);
    case kAudioUnitScheduleParametersSelect: return Method(IPlugAU::AUMethodScheduleParameters);
    case kAudioUnitRemovePropertyListenerWithUserDataSelect:
      return Method(IPlugAU::AUMethodRemovePropertyListenerWithUserData);
    case kMusicDeviceMIDIEventSelect: return DoesMIDIIn ? Method(IPlugAU::AUMethodMIDIEvent) : nullptr;
    case kMusicDeviceSysExSelect: return DoesMIDIIn ? Method(IPlugAU::AUMethodSysEx) : nullptr;
    default: return nullptr;
    }
  }

  // Builds the product's object in memory.
  static IPlugAU* Construct(void* memory, AudioComponentInstance /*instance*/) { return MakePlug(memory); }

  // Runs the object's destructor in place; the memory stays.
  static void Destruct(void* object) { static_cast<Plug*>(object)->~Plug(); }

private:
  // The platform hands methods out under one variadic type; the host calls each through its own signature.
  template <class Proc>
  static AudioComponentMethod Method(Proc proc)
  {
    return reinterpret_cast<AudioComponentMethod>(reinterpret_cast<void (*)()>(proc));
  }
};
} // namespace iplug
