#include "IPlugLV2.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/options/options.h>

#include "IByteChunk.h"
#include "LV2Feature.h"
#include "LV2PluginVariant.h"

namespace iplug
{
namespace
{
  int ChannelsOrWidest(int requested, int widest)
  {
    return requested < 0 ? widest : std::min(requested, widest);
  }

  // Every stored project holds its doubles little-endian, the order in which x86 builds first wrote them.
  void PutLittleEndian(double value, uint8_t* out)
  {
    auto bits = std::bit_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i, bits >>= 8)
      out[i] = static_cast<uint8_t>(bits & 0xFF);
  }

  double ReadLittleEndian(const uint8_t* in)
  {
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
      bits = (bits << 8) | in[i];
    return std::bit_cast<double>(bits);
  }

  double ReadBigEndian(const uint8_t* in)
  {
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
      bits = (bits << 8) | in[i];
    return std::bit_cast<double>(bits);
  }

  // Whether value could be what a parameter with that range held when it was saved. The bytes of a double read
  // in the wrong order almost never make such a value: they land far outside the range, on a subnormal or on
  // a number too small to be anything but an accident.
  bool IsPlausibleStoredValue(double value, const IParam& param)
  {
    if (!std::isfinite(value) || value < param.GetMin() || value > param.GetMax())
      return false;
    return value == 0.0 || std::fabs(value) >= 1e-30;
  }
}

IPlugLV2::IPlugLV2(const InstanceInfo& info, const Config& config)
  : IPlugAPIBase(config, kAPILV2)
  , IPlugProcessor(config)
  , mNInputs(ChannelsOrWidest(info.mNInputs, MaxNChannels(kInput)))
  , mNOutputs(ChannelsOrWidest(info.mNOutputs, MaxNChannels(kOutput)))
  , mReadMeter(info.mReadMeter)
  , mMap(static_cast<LV2_URID_Map*>(const_cast<void*>(LV2FindFeature(info.mFeatures, LV2_URID__map))))
  , mStateKeyURI(LV2StateKeyURI(config))
  , mControlPorts(static_cast<size_t>(NParams()), nullptr)
  , mLastControlValues(static_cast<size_t>(NParams()))
  , mInputPorts(static_cast<size_t>(mNInputs), nullptr)
  , mOutputPorts(static_cast<size_t>(mNOutputs), nullptr)
  , mInputSlice(static_cast<size_t>(mNInputs), nullptr)
  , mOutputSlice(static_cast<size_t>(mNOutputs), nullptr)
{
  for (std::atomic<float>& last : mLastControlValues)
    last.store(std::numeric_limits<float>::quiet_NaN(), std::memory_order_relaxed);
  SetSampleRate(info.mSampleRate);
  const int hostBlock = BlockLengthFromOptions(info.mFeatures);
  SetBlockSize(hostBlock > 0 ? std::min(hostBlock, kMaxBlockSize) : kDefaultBlockSize);
  ConnectChannels();
}

IPlugLV2::~IPlugLV2() = default;

int IPlugLV2::BlockLengthFromOptions(const LV2_Feature* const* features) const
{
  const auto* options = static_cast<const LV2_Options_Option*>(LV2FindFeature(features, LV2_OPTIONS__options));
  if (!options || !mMap)
    return 0;
  const LV2_URID atomInt = mMap->map(mMap->handle, LV2_ATOM__Int);
  const LV2_URID maxLength = mMap->map(mMap->handle, LV2_BUF_SIZE__maxBlockLength);
  const LV2_URID nominalLength = mMap->map(mMap->handle, LV2_BUF_SIZE__nominalBlockLength);
  int nominal = 0;
  for (const LV2_Options_Option* option = options; option->key || option->value; ++option)
  {
    if (option->type != atomInt || option->size != sizeof(int32_t) || !option->value)
      continue;
    const int32_t value = *static_cast<const int32_t*>(option->value);
    if (value <= 0)
      continue;
    if (option->key == maxLength)
      return value;
    if (option->key == nominalLength)
      nominal = value;
  }
  return nominal;
}

void IPlugLV2::ConnectChannels()
{
  SetChannelConnections(kInput, 0, MaxNChannels(kInput), false);
  SetChannelConnections(kOutput, 0, MaxNChannels(kOutput), false);
  SetChannelConnections(kInput, 0, mNInputs, true);
  SetChannelConnections(kOutput, 0, mNOutputs, true);
}

void IPlugLV2::ConnectPort(uint32_t port, void* data)
{
  const auto nParams = static_cast<uint32_t>(NParams());
  if (port < nParams)
  {
    mControlPorts[port] = static_cast<const float*>(data);
    return;
  }
  port -= nParams;
  if (mReadMeter)
  {
    if (port == 0)
    {
      mMeterPort = static_cast<float*>(data);
      return;
    }
    --port;
  }
  if (port < static_cast<uint32_t>(mNInputs))
  {
    mInputPorts[port] = static_cast<const float*>(data);
    return;
  }
  port -= static_cast<uint32_t>(mNInputs);
  if (port < static_cast<uint32_t>(mNOutputs))
    mOutputPorts[port] = static_cast<float*>(data);
}

void IPlugLV2::Activate()
{
  OnActivate(true);
}

void IPlugLV2::Deactivate()
{
  OnActivate(false);
}

void IPlugLV2::ApplyControlPorts()
{
  // Runs before every block and almost never finds a change: the check is a tight loop with no call, so it
  // needs no saved registers, and the rare change is taken on out of line.
  const float* const* ports = mControlPorts.data();
  const std::atomic<float>* lastValues = mLastControlValues.data();
  const auto count = mControlPorts.size();
  bool changed = false;
  for (size_t i = 0; i < count; ++i)
    changed |= ports[i] && !(*ports[i] == lastValues[i].load(std::memory_order_relaxed));
  if (changed)
    ApplyChangedControlPorts();
}

void IPlugLV2::ApplyChangedControlPorts()
{
  for (int i = 0; i < NParams(); ++i)
  {
    const float* port = mControlPorts[static_cast<size_t>(i)];
    if (!port)
      continue;
    const float value = *port;
    std::atomic<float>& last = mLastControlValues[static_cast<size_t>(i)];
    // A port that still shows the value last taken leaves alone what state or the editor set since; one that
    // equals the parameter already (as a float) must not round the parameter's double to a float.
    if (value == last.load(std::memory_order_relaxed))
      continue;
    last.store(value, std::memory_order_relaxed);
    IParam* param = GetParam(i);
    if (value == static_cast<float>(param->Value()))
      continue;
    param->Set(value);
    // Not queued toward an editor: an LV2 editor is an instance of its own that the host feeds with port
    // events, and no idle timer runs here to drain the queue.
    OnParamChange(i, kHost, 0);
  }
}

void IPlugLV2::ProcessSlice(uint32_t offset, int nFrames)
{
  // The frame reads every input before it writes any output, so hosts may hand the same buffer for both.
  // A run that fits one slice, the common case, hands the ports over as they are.
  if (offset == 0)
  {
    ProcessFloatBlock(mInputPorts.data(), mNInputs, mOutputPorts.data(), mNOutputs, nFrames);
    return;
  }
  for (int c = 0; c < mNInputs; ++c)
  {
    const float* port = mInputPorts[static_cast<size_t>(c)];
    mInputSlice[static_cast<size_t>(c)] = port ? port + offset : nullptr;
  }
  for (int c = 0; c < mNOutputs; ++c)
  {
    float* port = mOutputPorts[static_cast<size_t>(c)];
    mOutputSlice[static_cast<size_t>(c)] = port ? port + offset : nullptr;
  }
  ProcessFloatBlock(mInputSlice.data(), mNInputs, mOutputSlice.data(), mNOutputs, nFrames);
}

void IPlugLV2::Run(uint32_t nFrames)
{
  ApplyControlPorts();
  const auto slice = static_cast<uint32_t>(std::max(GetBlockSize(), 1));
  uint32_t offset = 0;
  // A zero-frame run still processes one empty block, as a zero-frame render does in the other formats.
  do
  {
    const uint32_t frames = std::min(slice, nFrames - offset);
    ProcessSlice(offset, static_cast<int>(frames));
    offset += frames;
  } while (offset < nFrames);
  if (mReadMeter && mMeterPort)
    *mMeterPort = mReadMeter(*this);
}

bool IPlugLV2::MapURIDs(const LV2_Feature* const* features, URIDs& urids) const
{
  auto* map = static_cast<LV2_URID_Map*>(const_cast<void*>(LV2FindFeature(features, LV2_URID__map)));
  if (!map)
    map = mMap;
  if (!map)
    return false;
  urids.mAtomChunk = map->map(map->handle, LV2_ATOM__Chunk);
  urids.mStateKey = map->map(map->handle, mStateKeyURI.c_str());
  return urids.mAtomChunk && urids.mStateKey;
}

bool IPlugLV2::IsStateSize(size_t size) const
{
  // An opaque chunk can only be judged by the product's reader; a parameter list has one fixed length.
  if (size == 0 || size > static_cast<size_t>(std::numeric_limits<int>::max()))
    return false;
  if (DoesStateChunks())
    return true;
  IByteChunk current;
  return SerializeState(current) && static_cast<size_t>(current.Size()) == size;
}

double IPlugLV2::PendingValue(int paramIdx) const
{
  const IParam& param = *GetParam(paramIdx);
  const float* port = mControlPorts[static_cast<size_t>(paramIdx)];
  if (port)
  {
    const float value = *port;
    if (!(value == mLastControlValues[static_cast<size_t>(paramIdx)].load(std::memory_order_relaxed)) &&
        !(value == static_cast<float>(param.Value())))
      return param.Constrain(value);
  }
  return param.Value();
}

std::vector<uint8_t> IPlugLV2::StoredParameterList() const
{
  std::vector<uint8_t> bytes(static_cast<size_t>(NParams()) * sizeof(double));
  for (int i = 0; i < NParams(); ++i)
    PutLittleEndian(PendingValue(i), bytes.data() + static_cast<size_t>(i) * sizeof(double));
  return bytes;
}

bool IPlugLV2::ReadStoredParameterList(const uint8_t* data, size_t size, IByteChunk& state) const
{
  if (size != static_cast<size_t>(NParams()) * sizeof(double))
    return false;
  int plausible = 0;
  int plausibleReversed = 0;
  for (int i = 0; i < NParams(); ++i)
  {
    const uint8_t* bytes = data + static_cast<size_t>(i) * sizeof(double);
    const double value = ReadLittleEndian(bytes);
    if (!std::isfinite(value))
      return false;
    plausible += IsPlausibleStoredValue(value, *GetParam(i));
    plausibleReversed += IsPlausibleStoredValue(ReadBigEndian(bytes), *GetParam(i));
    state.Put(&value);
  }
  // Out-of-range values are clamped, as in the other formats; a list that makes more sense byte-reversed was
  // written by a big-endian machine in its own order, and would restore as noise.
  return plausibleReversed <= plausible;
}

void IPlugLV2::TakeControlPortsAsSeen()
{
  for (int i = 0; i < NParams(); ++i)
  {
    const float* port = mControlPorts[static_cast<size_t>(i)];
    mLastControlValues[static_cast<size_t>(i)].store(port ? *port : static_cast<float>(GetParam(i)->Value()),
                                                     std::memory_order_relaxed);
  }
}

LV2_State_Status IPlugLV2::SaveState(LV2_State_Store_Function store, LV2_State_Handle handle,
                                     const LV2_Feature* const* features)
{
  URIDs urids;
  if (!store)
    return LV2_STATE_ERR_UNKNOWN;
  if (!MapURIDs(features, urids))
    return LV2_STATE_ERR_NO_FEATURE;
  if (!DoesStateChunks())
  {
    const std::vector<uint8_t> bytes = StoredParameterList();
    return store(handle, urids.mStateKey, bytes.data(), bytes.size(), urids.mAtomChunk,
                 LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
  }
  IByteChunk state;
  if (!SerializeState(state))
    return LV2_STATE_ERR_UNKNOWN;
  return store(handle, urids.mStateKey, state.GetData(), static_cast<size_t>(state.Size()), urids.mAtomChunk,
               LV2_STATE_IS_POD);
}

LV2_State_Status IPlugLV2::RestoreState(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle,
                                        const LV2_Feature* const* features)
{
  URIDs urids;
  if (!retrieve)
    return LV2_STATE_ERR_UNKNOWN;
  if (!MapURIDs(features, urids))
    return LV2_STATE_ERR_NO_FEATURE;
  size_t size = 0;
  uint32_t type = 0;
  uint32_t flags = 0;
  const void* data = retrieve(handle, urids.mStateKey, &size, &type, &flags);
  if (!data)
    return LV2_STATE_ERR_NO_PROPERTY;
  if (type != urids.mAtomChunk)
    return LV2_STATE_ERR_BAD_TYPE;
  if (!IsStateSize(size))
    return LV2_STATE_ERR_UNKNOWN;

  IByteChunk state;
  IByteChunk before;
  if (DoesStateChunks())
  {
    if (state.PutBytes(data, static_cast<int>(size)) != static_cast<int>(size))
      return LV2_STATE_ERR_UNKNOWN;
  }
  else if (!ReadStoredParameterList(static_cast<const uint8_t*>(data), size, state))
    return LV2_STATE_ERR_UNKNOWN;
  if (!SerializeState(before))
    return LV2_STATE_ERR_UNKNOWN;
  if (UnserializeState(state, 0) <= 0)
  {
    // The product's reader may have set some parameters before it failed: put every value back.
    UnserializeState(before, 0);
    return LV2_STATE_ERR_UNKNOWN;
  }
  TakeControlPortsAsSeen();
  OnRestoreState();
  return LV2_STATE_SUCCESS;
}
} // namespace iplug
