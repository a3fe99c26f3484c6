#pragma once

#include <AudioUnit/AudioUnit.h>

// A private Audio Unit property through which a host hands a value to one of the editor's controls by its
// control tag, the way the plug-in itself hands values to tagged controls (a meter, for example) from its
// idle timer. Write-only, global scope, element 0; the value goes to the open editor, if any, on the main
// thread. A host program uses it to show the editor in a known state. Shared by the adapter and hosts.
inline constexpr AudioUnitPropertyID kControlValuePropertyID = static_cast<AudioUnitPropertyID>(-102);

// The property's value.
struct ControlValue
{
  SInt32 controlTag;       // the control's tag
  Float64 normalizedValue; // 0 - 1; clamped
};
