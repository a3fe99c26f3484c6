/* The same declarations under their AudioToolbox path. */
#include <AudioUnit/AudioUnitProperties.h>
