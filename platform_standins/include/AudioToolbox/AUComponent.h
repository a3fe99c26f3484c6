/* The same declarations under their AudioToolbox path. */
#include <AudioUnit/AUComponent.h>
