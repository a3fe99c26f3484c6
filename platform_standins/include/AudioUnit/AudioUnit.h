/* Audio Unit umbrella header. */
#ifndef AudioUnit_AudioUnit_h
#define AudioUnit_AudioUnit_h

#include <AudioUnit/AudioComponent.h>
#include <AudioUnit/AUComponent.h>
#include <AudioUnit/AudioUnitProperties.h>
#include <AudioUnit/MusicDevice.h>

#endif
