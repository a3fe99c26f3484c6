/* The same declarations under their AudioToolbox path. */
#include <AudioUnit/MusicDevice.h>
