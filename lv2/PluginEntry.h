#pragma once

#include "Config.h"
#include "IPlugLV2.h"
#include "InstanceInfo.h"

namespace iplug
{
// What the LV2 entry needs of the product, defined by the file the build generates for each product
// (lv2/PluginEntry.cpp.in), so the product's own sources name no format.

// The product's configuration, as its constructor hands it to the bases. [any-thread]
Config MakePlugConfig();
// Whether the product has a meter for the meter port. [any-thread]
bool PlugHasMeter();
// A new product object for info (the meter reader is filled in here); null when memory ran out.
// Owned by the caller. [main-thread]
IPlugLV2* MakePlug(InstanceInfo info);
} // namespace iplug
