#include "LV2Feature.h"

#include <cstring>

namespace iplug
{
const void* LV2FindFeature(const LV2_Feature* const* features, const char* uri)
{
  for (const LV2_Feature* const* f = features; f && *f; ++f)
    if ((*f)->URI && std::strcmp((*f)->URI, uri) == 0)
      return (*f)->data;
  return nullptr;
}
} // namespace iplug
