// Feeds arbitrary bytes to the LV2 adapter's state restore, as a host's saved project would: the first byte
// picks the property's type (the chunk type or another), the rest is the value. Restoring never reads out of
// bounds; a refused value leaves the saved state as it was, and an accepted one leaves every parameter
// inside its range.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <lv2/atom/atom.h>

#include "FuzzPlugin.h"
#include "IPlugLV2.h"
#include "PluginEntry.h"

using iplug::fuzz::Require;

namespace
{
  std::map<std::string, LV2_URID>& URIDs()
  {
    static std::map<std::string, LV2_URID> urids;
    return urids;
  }

  LV2_URID Map(LV2_URID_Map_Handle, const char* uri)
  {
    auto& urids = URIDs();
    return urids.emplace(uri, static_cast<LV2_URID>(urids.size() + 1)).first->second;
  }

  struct Input
  {
    const uint8_t* data;
    size_t size;
    uint32_t type;
  };

  const void* Retrieve(LV2_State_Handle handle, uint32_t, size_t* size, uint32_t* type, uint32_t* flags)
  {
    const auto* input = static_cast<const Input*>(handle);
    *size = input->size;
    *type = input->type;
    *flags = LV2_STATE_IS_POD;
    return input->data;
  }

  std::vector<uint8_t> Saved(iplug::IPlugLV2& plug, const LV2_Feature* const* features)
  {
    std::vector<uint8_t> bytes;
    auto store = [](LV2_State_Handle handle, uint32_t, const void* value, size_t size, uint32_t, uint32_t) {
      auto* out = static_cast<std::vector<uint8_t>*>(handle);
      out->assign(static_cast<const uint8_t*>(value), static_cast<const uint8_t*>(value) + size);
      return LV2_STATE_SUCCESS;
    };
    Require(plug.SaveState(store, &bytes, features) == LV2_STATE_SUCCESS);
    return bytes;
  }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (size < 1)
    return 0;
  static LV2_URID_Map map{nullptr, Map};
  static const LV2_Feature mapFeature{LV2_URID__map, &map};
  static const LV2_Feature* const features[] = {&mapFeature, nullptr};
  iplug::InstanceInfo info;
  info.mFeatures = features;
  static const std::unique_ptr<iplug::IPlugLV2> plug(iplug::MakePlug(info));
  Require(plug != nullptr);

  const std::vector<uint8_t> before = Saved(*plug, features);
  const uint32_t type = (data[0] & 1) ? Map(nullptr, LV2_ATOM__Chunk) : Map(nullptr, LV2_ATOM__String);
  // A copy of exactly the value's bytes, so that reading past them is caught.
  const std::vector<uint8_t> value(data + 1, data + size);
  Input input{value.data(), value.size(), type};
  if (plug->RestoreState(Retrieve, &input, features) != LV2_STATE_SUCCESS)
  {
    Require(Saved(*plug, features) == before);
    return 0;
  }
  for (int i = 0; i < plug->NParams(); ++i)
  {
    const iplug::IParam* param = plug->GetParam(i);
    Require(param->Value() >= param->GetMin() && param->Value() <= param->GetMax());
  }
  return 0;
}
