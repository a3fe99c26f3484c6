// The LV2 plug-in binary's only export, lv2_descriptor: one descriptor per plug-in URI (one per channel
// layout), all served by the IPlugLV2 adapter, with the State extension.

#include <lv2/core/lv2.h>
#include <lv2/state/state.h>

#include <cstring>
#include <new>
#include <vector>

#include "IPlugLV2.h"
#include "LV2PluginVariant.h"
#include "PluginEntry.h"

#define TIDEWELL_EXPORT extern "C" __attribute__((visibility("default")))

namespace
{
using iplug::IPlugLV2;
using iplug::LV2PluginVariant;

// The variants and their descriptors, made once on the first lookup and kept until the binary is unloaded:
// the host holds the descriptors and their URI pointers. Never copied or moved, so the pointers stay valid.
struct DescriptorTable
{
  DescriptorTable();
  DescriptorTable(const DescriptorTable&) = delete;
  DescriptorTable& operator=(const DescriptorTable&) = delete;

  std::vector<LV2PluginVariant> mVariants;
  std::vector<LV2_Descriptor> mDescriptors;
};

IPlugLV2* Plug(LV2_Handle instance)
{
  return static_cast<IPlugLV2*>(instance);
}

const LV2PluginVariant* VariantOf(const LV2_Descriptor* descriptor);

LV2_Handle Instantiate(const LV2_Descriptor* descriptor, double sampleRate, const char* /*bundlePath*/,
                       const LV2_Feature* const* features)
{
  const LV2PluginVariant* variant = VariantOf(descriptor);
  if (!variant || !(sampleRate > 0.0))
    return nullptr;
  iplug::InstanceInfo info;
  info.mSampleRate = sampleRate;
  info.mNInputs = variant->mNInputs;
  info.mNOutputs = variant->mNOutputs;
  info.mFeatures = features;
  IPlugLV2* plug = iplug::MakePlug(info);
  if (!plug)
    return nullptr;
  plug->PruneUninitializedPresets();
  plug->OnReset();
  return plug;
}

void ConnectPort(LV2_Handle instance, uint32_t port, void* data)
{
  Plug(instance)->ConnectPort(port, data);
}

void Activate(LV2_Handle instance)
{
  Plug(instance)->Activate();
}

void Run(LV2_Handle instance, uint32_t nFrames)
{
  Plug(instance)->Run(nFrames);
}

void Deactivate(LV2_Handle instance)
{
  Plug(instance)->Deactivate();
}

void Cleanup(LV2_Handle instance)
{
  delete Plug(instance);
}

LV2_State_Status SaveState(LV2_Handle instance, LV2_State_Store_Function store, LV2_State_Handle handle,
                           uint32_t /*flags*/, const LV2_Feature* const* features)
{
  try
  {
    return Plug(instance)->SaveState(store, handle, features);
  }
  catch (const std::bad_alloc&)
  {
    return LV2_STATE_ERR_UNKNOWN;
  }
}

LV2_State_Status RestoreState(LV2_Handle instance, LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle,
                              uint32_t /*flags*/, const LV2_Feature* const* features)
{
  try
  {
    return Plug(instance)->RestoreState(retrieve, handle, features);
  }
  catch (const std::bad_alloc&)
  {
    return LV2_STATE_ERR_UNKNOWN;
  }
}

const void* ExtensionData(const char* uri)
{
  static const LV2_State_Interface state{SaveState, RestoreState};
  if (uri && std::strcmp(uri, LV2_STATE__interface) == 0)
    return &state;
  return nullptr;
}

DescriptorTable::DescriptorTable()
  : mVariants(iplug::LV2PluginVariants(iplug::MakePlugConfig(), iplug::PlugHasMeter()))
{
  for (const LV2PluginVariant& variant : mVariants)
    mDescriptors.push_back(
      {variant.mURI.c_str(), Instantiate, ConnectPort, Activate, Run, Deactivate, Cleanup, ExtensionData});
}

// Null only when memory ran out; a later lookup tries again.
const DescriptorTable* Table()
{
  try
  {
    static const DescriptorTable table;
    return &table;
  }
  catch (const std::bad_alloc&)
  {
    return nullptr;
  }
}

const LV2PluginVariant* VariantOf(const LV2_Descriptor* descriptor)
{
  const DescriptorTable* table = Table();
  if (!table || !descriptor)
    return nullptr;
  for (size_t i = 0; i < table->mDescriptors.size(); ++i)
  {
    if (&table->mDescriptors[i] == descriptor)
      return &table->mVariants[i];
  }
  return nullptr;
}
} // namespace

// The descriptor at index, or null past the last one. [any-thread]
TIDEWELL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index)
{
  const DescriptorTable* table = Table();
  if (!table || index >= table->mDescriptors.size())
    return nullptr;
  return &table->mDescriptors[index];
}
