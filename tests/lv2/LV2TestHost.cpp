#include "LV2TestHost.h"

#include <gtest/gtest.h>

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/core/lv2.h>

#include <algorithm>
#include <cmath>
#include <cstring>

std::string StereoURI()
{
  return "https://kelvane.com/plugins/Tidewell/stereo";
}

std::string MonoURI()
{
  return "https://kelvane.com/plugins/Tidewell/mono";
}

LV2TestWorld::LV2TestWorld(const std::vector<std::string>& bundlePaths)
  : mWorld(lilv_world_new())
{
  for (const std::string& path : bundlePaths)
  {
    LilvNode* bundle = lilv_new_file_uri(mWorld, nullptr, (path + "/").c_str());
    lilv_world_load_bundle(mWorld, bundle);
    lilv_node_free(bundle);
  }
}

LV2TestWorld::~LV2TestWorld()
{
  lilv_world_free(mWorld);
}

const LilvPlugin* LV2TestWorld::Plugin(const std::string& uri) const
{
  LilvNode* node = NewURI(uri.c_str());
  const LilvPlugin* plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(mWorld), node);
  lilv_node_free(node);
  return plugin;
}

LV2_URID LV2TestWorld::URID(const char* uri)
{
  return MapURI(this, uri);
}

LV2_URID LV2TestWorld::MapURI(LV2_URID_Map_Handle handle, const char* uri)
{
  auto* self = static_cast<LV2TestWorld*>(handle);
  const auto found = self->mURIDs.find(uri);
  if (found != self->mURIDs.end())
    return found->second;
  self->mURIs.emplace_back(uri);
  const auto urid = static_cast<LV2_URID>(self->mURIs.size());
  self->mURIDs.emplace(uri, urid);
  return urid;
}

const char* LV2TestWorld::UnmapURID(LV2_URID_Unmap_Handle handle, LV2_URID urid)
{
  auto* self = static_cast<LV2TestWorld*>(handle);
  if (urid == 0 || urid > self->mURIs.size())
    return nullptr;
  return self->mURIs[urid - 1].c_str();
}

LV2TestInstance::LV2TestInstance(LV2TestWorld& world, const std::string& uri, const LV2InstanceOptions& options)
  : mWorld(world)
  , mPlugin(world.Plugin(uri))
  , mMaxBlockLength(options.maxBlockLength)
{
  if (!mPlugin)
  {
    ADD_FAILURE() << "no plug-in " << uri << " in the bundle";
    return;
  }

  mMapFeature = {LV2_URID__map, world.Map()};
  mUnmapFeature = {LV2_URID__unmap, world.Unmap()};
  mStateFeatures = {&mMapFeature, &mUnmapFeature, nullptr};
  if (options.withFeatures)
  {
    mFeatures = {&mMapFeature, &mUnmapFeature};
    if (mMaxBlockLength > 0)
    {
      mOptions[0] = {LV2_OPTIONS_INSTANCE, 0, world.URID(LV2_BUF_SIZE__maxBlockLength), sizeof(int32_t),
                     world.URID(LV2_ATOM__Int), &mMaxBlockLength};
      mOptionsFeature = {LV2_OPTIONS__options, mOptions};
      mFeatures.push_back(&mOptionsFeature);
    }
  }
  mFeatures.push_back(nullptr);

  mInstance = lilv_plugin_instantiate(mPlugin, options.sampleRate, mFeatures.data());
  if (!mInstance)
    return;

  const uint32_t nPorts = lilv_plugin_get_num_ports(mPlugin);
  mControls.assign(nPorts, 0.f);
  std::vector<float> defaults(nPorts);
  lilv_plugin_get_port_ranges_float(mPlugin, nullptr, nullptr, defaults.data());
  LilvNode* audioClass = world.NewURI(LV2_CORE__AudioPort);
  LilvNode* inputClass = world.NewURI(LV2_CORE__InputPort);
  for (uint32_t i = 0; i < nPorts; ++i)
  {
    const LilvPort* port = lilv_plugin_get_port_by_index(mPlugin, i);
    const bool input = lilv_port_is_a(mPlugin, port, inputClass);
    if (lilv_port_is_a(mPlugin, port, audioClass))
    {
      (input ? mInputIndex : mOutputIndex).push_back(i);
      (input ? mInputs : mOutputs).emplace_back(kBufferFrames, 0.f);
      continue;
    }
    mControls[i] = std::isnan(defaults[i]) ? 0.f : defaults[i];
    mControlIndex[lilv_node_as_string(lilv_port_get_symbol(mPlugin, port))] = i;
    lilv_instance_connect_port(mInstance, i, &mControls[i]);
  }
  lilv_node_free(audioClass);
  lilv_node_free(inputClass);
  ConnectAudio(0);
  lilv_instance_activate(mInstance);
}

LV2TestInstance::~LV2TestInstance()
{
  if (!mInstance)
    return;
  lilv_instance_deactivate(mInstance);
  lilv_instance_free(mInstance);
}

float& LV2TestInstance::Control(const std::string& symbol)
{
  const auto found = mControlIndex.find(symbol);
  if (found == mControlIndex.end())
  {
    ADD_FAILURE() << "no control port " << symbol;
    static float nowhere = 0.f;
    return nowhere;
  }
  return mControls[found->second];
}

void LV2TestInstance::ConnectAudio(uint32_t frame)
{
  for (size_t c = 0; c < mInputs.size(); ++c)
    lilv_instance_connect_port(mInstance, mInputIndex[c], mInputs[c].data() + frame);
  for (size_t c = 0; c < mOutputs.size(); ++c)
    lilv_instance_connect_port(mInstance, mOutputIndex[c], mOutputs[c].data() + frame);
}

void LV2TestInstance::Run(uint32_t nFrames)
{
  lilv_instance_run(mInstance, std::min(nFrames, kBufferFrames));
}

std::vector<float> LV2TestInstance::Process(const std::vector<float>& interleaved, int blockSize)
{
  const size_t nIn = mInputs.size();
  const size_t nOut = mOutputs.size();
  const size_t frames = nIn ? interleaved.size() / nIn : 0;
  const auto block = static_cast<size_t>(std::clamp(blockSize, 1, static_cast<int>(kBufferFrames)));
  std::vector<float> out(frames * nOut);
  for (size_t start = 0; start < frames; start += kBufferFrames)
  {
    const size_t chunk = std::min<size_t>(kBufferFrames, frames - start);
    for (size_t f = 0; f < chunk; ++f)
      for (size_t c = 0; c < nIn; ++c)
        mInputs[c][f] = interleaved[(start + f) * nIn + c];
    // Runs of one block each, walking the ports along the buffers as a host with short periods does.
    for (size_t offset = 0; offset < chunk; offset += block)
    {
      ConnectAudio(static_cast<uint32_t>(offset));
      lilv_instance_run(mInstance, static_cast<uint32_t>(std::min(block, chunk - offset)));
    }
    for (size_t f = 0; f < chunk; ++f)
      for (size_t c = 0; c < nOut; ++c)
        out[(start + f) * nOut + c] = mOutputs[c][f];
  }
  ConnectAudio(0);
  return out;
}

const LV2_State_Interface* LV2TestInstance::StateInterface() const
{
  return static_cast<const LV2_State_Interface*>(lilv_instance_get_extension_data(mInstance, LV2_STATE__interface));
}

LV2_State_Status LV2StateStore::Store(LV2_State_Handle handle, uint32_t key, const void* value, size_t size,
                                      uint32_t type, uint32_t flags)
{
  auto* self = static_cast<LV2StateStore*>(handle);
  const auto* bytes = static_cast<const uint8_t*>(value);
  self->properties[key] = Property{std::vector<uint8_t>(bytes, bytes + size), type, flags};
  return LV2_STATE_SUCCESS;
}

const void* LV2StateStore::Retrieve(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type,
                                    uint32_t* flags)
{
  auto* self = static_cast<LV2StateStore*>(handle);
  const auto found = self->properties.find(key);
  if (found == self->properties.end())
    return nullptr;
  *size = found->second.bytes.size();
  *type = found->second.type;
  *flags = found->second.flags;
  return found->second.bytes.data();
}
