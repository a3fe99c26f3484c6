/* CoreMIDI umbrella header: the packet lists that Audio Units use for MIDI output. */
#ifndef __CoreMIDI_h__
#define __CoreMIDI_h__

#include <CoreMIDI/MIDIServices.h>

#endif
