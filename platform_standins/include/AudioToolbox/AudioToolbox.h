/* AudioToolbox umbrella header. */
#ifndef AudioToolbox_AudioToolbox_h
#define AudioToolbox_AudioToolbox_h

#include <AudioUnit/AudioUnit.h>
#include <AudioToolbox/AudioUnitUtilities.h>
#include <CoreMIDI/CoreMIDI.h>

#endif
