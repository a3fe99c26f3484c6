#pragma once

#include <lv2/core/lv2.h>

namespace iplug
{
// The data of the feature with uri in a host's null-terminated feature list (itself possibly null), or null
// when the host did not offer it. [any-thread]
const void* LV2FindFeature(const LV2_Feature* const* features, const char* uri);
} // namespace iplug
