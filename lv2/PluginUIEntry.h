#pragma once

#include "IPlugLV2.h"
#include "InstanceInfo.h"
#include "LV2UIHost.h"

namespace iplug
{
// What the LV2 editor binary needs of the product, defined by the file the build generates for each product
// (lv2/PluginUIEntry.cpp.in).

// A new product object serving an editor that talks to host; null when memory ran out. Owned by the
// caller. [main-thread]
IPlugLV2* MakeUIPlug(const InstanceInfo& info, const LV2UIHost& host);
// Hands the meter port's value to the editor as the product's engine hands its meter on. [main-thread]
void SendMeterToEditor(IPlugLV2& plug, float value);
} // namespace iplug
