#include "CFAUPreset.h"

namespace iplug
{
namespace
{
CFAUPreset* Record(const void* presetRef)
{
  return static_cast<CFAUPreset*>(const_cast<void*>(presetRef));
}

const void* RetainCallBack(CFAllocatorRef /*allocator*/, const void* value)
{
  return CFAUPresetRetain(value);
}

void ReleaseCallBack(CFAllocatorRef /*allocator*/, const void* value)
{
  CFAUPresetRelease(value);
}
} // namespace

CFAUPresetRef CFAUPresetCreate(CFAllocatorRef allocator, SInt32 presetNumber, CFStringRef presetName)
{
  auto* preset = static_cast<CFAUPreset*>(CFAllocatorAllocate(allocator, sizeof(CFAUPreset), 0));
  if (!preset)
    return nullptr;
  preset->auPreset.presetNumber = presetNumber;
  preset->auPreset.presetName = presetName ? CFStringCreateCopy(allocator, presetName) : nullptr;
  preset->version = 0;
  preset->allocator = allocator;
  preset->retainCount = 1;
  return preset;
}

const void* CFAUPresetRetain(const void* presetRef)
{
  CFAUPreset* preset = Record(presetRef);
  if (!preset)
    return presetRef;
  if (preset->auPreset.presetName)
    CFRetain(preset->auPreset.presetName);
  ++preset->retainCount;
  return presetRef;
}

void CFAUPresetRelease(const void* presetRef)
{
  CFAUPreset* preset = Record(presetRef);
  if (!preset || preset->retainCount <= 0)
    return;
  if (preset->auPreset.presetName)
    CFRelease(preset->auPreset.presetName);
  if (--preset->retainCount > 0)
    return;
  preset->auPreset.presetNumber = 0;
  preset->auPreset.presetName = nullptr;
  CFAllocatorDeallocate(preset->allocator, preset);
}

CFStringRef CFAUPresetCopyDescription(const void* presetRef)
{
  const CFAUPreset* preset = Record(presetRef);
  return CFStringCreateWithFormat(kCFAllocatorDefault, nullptr, CFSTR("AUPreset:\npreset number = %d\npreset name = %@"),
                                  static_cast<int>(preset->auPreset.presetNumber), preset->auPreset.presetName);
}

Boolean CFAUPresetEqual(const void* presetRef1, const void* presetRef2)
{
  const CFAUPreset* preset1 = Record(presetRef1);
  const CFAUPreset* preset2 = Record(presetRef2);
  if (preset1->auPreset.presetNumber != preset2->auPreset.presetNumber)
    return false;
  CFStringRef name1 = preset1->auPreset.presetName;
  CFStringRef name2 = preset2->auPreset.presetName;
  if (!name1 || !name2)
    return name1 == name2;
  return CFStringCompare(name1, name2, 0) == kCFCompareEqualTo;
}

void CFAUPresetArrayCallBacks_Init(CFArrayCallBacks* callBacks)
{
  callBacks->version = 0;
  callBacks->retain = RetainCallBack;
  callBacks->release = ReleaseCallBack;
  callBacks->copyDescription = CFAUPresetCopyDescription;
  callBacks->equal = CFAUPresetEqual;
}
} // namespace iplug
