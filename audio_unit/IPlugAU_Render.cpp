// IPlugAU, file 3 of 4: buses, stream formats, connections and the render path, with MIDI in and out.
// Everything reached from RenderProc runs on the host's render thread and neither allocates nor locks: the
// pull buffer list lives on the stack, scratch memory is sized when the block size changes, the queues are
// fixed rings and MIDI output goes through a packet list made at construction. Builds with the allocation
// guard abort when that is broken.

#include "IPlugAU.h"
#include "PropertyRecord.h"
#include "RenderAllocationGuard.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <vector>

namespace iplug
{
namespace
{
// A buffer list with room for the largest input bus, laid out as the platform's AudioBufferList.
struct InputBufferList
{
  UInt32 mNumberBuffers;
  AudioBuffer mBuffers[IPlugAU::kMaxInputBusChannels];
};
static_assert(offsetof(InputBufferList, mBuffers) == offsetof(AudioBufferList, mBuffers),
              "an InputBufferList is read as an AudioBufferList");

// Largest SysEx piece added to a packet list at once.
constexpr int kSysExPieceSize = 256;

// The platform's layout tags for a bus of nChans channels, in the order hosts are offered them.
std::vector<AudioChannelLayoutTag> LayoutTagsForChannels(int nChans)
{
  const auto count = static_cast<AudioChannelLayoutTag>(nChans) & 0xFFFF;
  switch (nChans)
  {
  case 0: return {kAudioChannelLayoutTag_UseChannelDescriptions};
  case 1: return {kAudioChannelLayoutTag_Mono};
  case 2: return {kAudioChannelLayoutTag_Stereo};
  case 3: return {kAudioChannelLayoutTag_MPEG_3_0_A};
  case 4:
    return {kAudioChannelLayoutTag_Quadraphonic, kAudioChannelLayoutTag_Ambisonic_B_Format,
            kAudioChannelLayoutTag_HOA_ACN_SN3D | 4};
  case 5: return {kAudioChannelLayoutTag_MPEG_5_0_B};
  case 6: return {kAudioChannelLayoutTag_MPEG_5_1_A, kAudioChannelLayoutTag_AudioUnit_6_0};
  case 7: return {kAudioChannelLayoutTag_MPEG_6_1_A, kAudioChannelLayoutTag_AudioUnit_7_0};
  case 8: return {kAudioChannelLayoutTag_MPEG_7_1_C, kAudioChannelLayoutTag_MPEG_7_1_A};
  case 9:
  case 16: return {kAudioChannelLayoutTag_HOA_ACN_SN3D | count};
  default: return {kAudioChannelLayoutTag_DiscreteInOrder | count};
  }
}

// A channel total as the signed 16-bit count of an AUChannelInfo: -1 for any count.
SInt16 ChannelInfoCount(const IOConfig& config, ERoute route)
{
  if (config.ContainsWildcard(route))
    return -1;
  return static_cast<SInt16>(std::min(config.GetTotalNChannels(route), static_cast<int>(SHRT_MAX)));
}

// Writes silence into every buffer the host handed over, for a render that cannot run.
void SilenceHostBuffers(AudioBufferList& ioData, UInt32 nFrames)
{
  for (UInt32 k = 0; k < ioData.mNumberBuffers; ++k)
  {
    AudioBuffer& buffer = ioData.mBuffers[k];
    const UInt32 frames = std::min<UInt32>(nFrames, buffer.mDataByteSize / sizeof(float));
    if (buffer.mData)
      std::fill_n(static_cast<float*>(buffer.mData), frames, 0.f);
  }
}

// Whether the render path reads and writes this format as it is: native-endian 32-bit float, one channel per
// buffer, which is how the unit describes its own buses.
bool IsRenderableFormat(const AudioStreamBasicDescription& format)
{
  const UInt32 flags = format.mFormatFlags;
  return format.mFormatID == kAudioFormatLinearPCM && (flags & kAudioFormatFlagIsFloat) != 0 &&
         (flags & kAudioFormatFlagIsNonInterleaved) != 0 && (flags & kAudioFormatFlagIsBigEndian) == 0 &&
         format.mBitsPerChannel == 32 && format.mBytesPerFrame == sizeof(float);
}

// A host number for a count of channels; counts beyond any bus are cut so that sums cannot overflow.
int ChannelCount(UInt32 channels)
{
  return static_cast<int>(std::min<UInt32>(channels, IPlugProcessor::kMaxBusChannels + 1));
}
} // namespace

// Buses and scratch memory.

int IPlugAU::NScratchChannels(ERoute route) const
{
  const WDL_PtrList<BusChannels>& buses = Buses(route);
  const BusChannels* last = buses.Get(buses.GetSize() - 1);
  const int busChannels = last ? last->mPlugChannelStart + last->mNPlugChannels : 0;
  return std::max(MaxNChannels(route), busChannels);
}

bool IPlugAU::ResizeScratchBuffers()
{
  const int blockSize = GetBlockSize();
  const int nIn = NScratchChannels(kInput) * blockSize;
  const int nOut = NScratchChannels(kOutput) * blockSize;
  if (!mInScratchBuf.Resize(nIn) || !mOutScratchBuf.Resize(nOut))
    return false;
  std::fill_n(mInScratchBuf.Get(), nIn, 0.f);
  std::fill_n(mOutScratchBuf.Get(), nOut, 0.f);
  return true;
}

IPlugAU::BusChannels* IPlugAU::GetBus(AudioUnitScope scope, AudioUnitElement element)
{
  if (element > static_cast<UInt32>(INT_MAX))
    return nullptr;
  const int busIdx = static_cast<int>(element);
  switch (scope)
  {
  case kAudioUnitScope_Input: return mInBuses.Get(busIdx);
  case kAudioUnitScope_Output:
  case kAudioUnitScope_Global: return mOutBuses.Get(busIdx);
  default: return nullptr;
  }
}

int IPlugAU::NHostChannelsConnected(const WDL_PtrList<BusChannels>& list, int excludeIdx)
{
  int total = 0;
  bool counted = false;
  for (int i = 0; i < list.GetSize(); ++i)
  {
    const int nHostChannels = list.Get(i)->mNHostChannels;
    if (i == excludeIdx || nHostChannels < 0)
      continue;
    total += nHostChannels;
    counted = true;
  }
  return counted ? total : -1;
}

bool IPlugAU::CheckLegalIO(AudioUnitScope scope, int busIdx, int nChannels) const
{
  if (scope == kAudioUnitScope_Input)
  {
    const int inputs = nChannels + std::max(NHostChannelsConnected(mInBuses, busIdx), 0);
    const int outputs = mActive ? NHostChannelsConnected(mOutBuses, -1) : -1;
    return LegalIO(inputs, outputs);
  }
  const int outputs = nChannels + std::max(NHostChannelsConnected(mOutBuses, busIdx), 0);
  const int inputs = mActive ? NHostChannelsConnected(mInBuses, -1) : -1;
  return LegalIO(inputs, outputs);
}

void IPlugAU::AssessInputConnections()
{
  SetChannelConnections(kInput, 0, MaxNChannels(kInput), false);
  for (int i = 0; i < mInBuses.GetSize(); ++i)
  {
    BusChannels& bus = *mInBuses.Get(i);
    InputBusConnection& connection = *mInBusConnections.Get(i);
    if (connection.mUpstreamRenderProc && connection.mUpstreamObject)
      connection.mInputType = eDirectFastProc;
    else if (connection.mUpstreamUnit)
      connection.mInputType = eDirectNoFastProc;
    else if (connection.mUpstreamCallback.inputProc)
      connection.mInputType = eRenderCallback;
    else
      connection.mInputType = eNotConnected;

    bus.mConnected = connection.mInputType != eNotConnected;
    if (!bus.mConnected)
      continue;
    if (bus.mNHostChannels < 0)
      bus.mNHostChannels = bus.mNPlugChannels;
    SetChannelConnections(kInput, bus.mPlugChannelStart, bus.mNHostChannels, true);
    SetChannelConnections(kInput, bus.mPlugChannelStart + bus.mNHostChannels,
                          std::max(bus.mNPlugChannels - bus.mNHostChannels, 0), false);
  }
}

int IPlugAU::GetChannelLayoutTags(AudioUnitScope scope, AudioUnitElement element, AudioChannelLayoutTag* tags) const
{
  if ((scope != kAudioUnitScope_Input && scope != kAudioUnitScope_Output) || element > static_cast<UInt32>(INT_MAX))
    return 0;
  const ERoute route = scope == kAudioUnitScope_Input ? kInput : kOutput;
  std::vector<AudioChannelLayoutTag> collected;
  for (int i = 0; i < NIOConfigs(); ++i)
  {
    const IBusInfo* bus = GetIOConfig(i)->GetBusInfo(route, static_cast<int>(element));
    if (!bus)
      continue;
    for (AudioChannelLayoutTag tag : LayoutTagsForChannels(bus->mNChans))
      if (std::find(collected.begin(), collected.end(), tag) == collected.end())
        collected.push_back(tag);
  }
  if (tags)
    std::copy(collected.begin(), collected.end(), tags);
  return static_cast<int>(collected.size());
}

// Bus properties.

OSStatus IPlugAU::GetStreamFormat(AudioUnitScope scope, AudioUnitElement element, UInt32* dataSize, Boolean* writable,
                                  void* data)
{
  const BusChannels* bus = GetBus(scope, element);
  if (!bus)
    return kAudioUnitErr_InvalidProperty;
  *writable = true;
  if (data)
  {
    if (*dataSize < sizeof(AudioStreamBasicDescription))
      return kAudioUnitErr_InvalidPropertyValue;
    AudioStreamBasicDescription format = {};
    format.mSampleRate = GetSampleRate();
    format.mFormatID = kAudioFormatLinearPCM;
    format.mFormatFlags = kAudioFormatFlagsNativeFloatPacked | kAudioFormatFlagIsNonInterleaved;
    format.mBytesPerPacket = sizeof(float);
    format.mFramesPerPacket = 1;
    format.mBytesPerFrame = sizeof(float);
    format.mChannelsPerFrame = static_cast<UInt32>(bus->mNHostChannels >= 0 ? bus->mNHostChannels : bus->mNPlugChannels);
    format.mBitsPerChannel = 32;
    std::memcpy(data, &format, sizeof(format));
  }
  *dataSize = sizeof(AudioStreamBasicDescription);
  return noErr;
}

OSStatus IPlugAU::GetSupportedNumChannels(AudioUnitScope scope, UInt32* dataSize, void* data)
{
  if (scope != kAudioUnitScope_Global)
    return kAudioUnitErr_InvalidProperty;
  const UInt32 size = static_cast<UInt32>(NIOConfigs()) * sizeof(AUChannelInfo);
  if (data)
  {
    if (*dataSize < size)
      return kAudioUnitErr_InvalidPropertyValue;
    for (int i = 0; i < NIOConfigs(); ++i)
    {
      const AUChannelInfo info = {ChannelInfoCount(*GetIOConfig(i), kInput), ChannelInfoCount(*GetIOConfig(i), kOutput)};
      std::memcpy(static_cast<AUChannelInfo*>(data) + i, &info, sizeof(info));
    }
  }
  *dataSize = size;
  return noErr;
}

OSStatus IPlugAU::GetSupportedChannelLayoutTags(AudioUnitScope scope, AudioUnitElement element, UInt32* dataSize,
                                                Boolean* writable, void* data)
{
  const int count = GetChannelLayoutTags(scope, element, nullptr);
  const UInt32 size = static_cast<UInt32>(count) * sizeof(AudioChannelLayoutTag);
  if (data)
  {
    if (count == 0)
      return kAudioUnitErr_InvalidProperty;
    if (*dataSize < size)
      return kAudioUnitErr_InvalidPropertyValue;
    std::vector<AudioChannelLayoutTag> tags(static_cast<std::size_t>(count));
    GetChannelLayoutTags(scope, element, tags.data());
    std::memcpy(data, tags.data(), size);
  }
  *dataSize = size;
  *writable = count > 0;
  return noErr;
}

OSStatus IPlugAU::SetStreamFormat(AudioUnitScope scope, AudioUnitElement element, const void* data, UInt32 dataSize)
{
  BusChannels* bus = GetBus(scope, element);
  if (!bus)
    return kAudioUnitErr_InvalidProperty;
  AudioStreamBasicDescription format;
  if (!ReadRecord(data, dataSize, format))
    return kAudioUnitErr_InvalidPropertyValue;
  const RenderGate::Reconfiguration reconfiguration(mRenderGate);
  const OSStatus status = ApplyStreamFormat(scope, element, *bus, format);
  AssessInputConnections();
  return status;
}

OSStatus IPlugAU::ApplyStreamFormat(AudioUnitScope scope, AudioUnitElement element, BusChannels& bus,
                                    const AudioStreamBasicDescription& format)
{
  bus.mNHostChannels = 0;
  const int nChannels = ChannelCount(format.mChannelsPerFrame);
  // A bus never carries more channels than the plug-in offers on it, and an input bus never more than the
  // pull buffer list holds.
  const bool fits = nChannels > 0 && nChannels <= bus.mNPlugChannels &&
                    (scope != kAudioUnitScope_Input || nChannels <= kMaxInputBusChannels);
  if (!fits || !IsRenderableFormat(format) || !CheckLegalIO(scope, static_cast<int>(element), nChannels))
    return kAudioUnitErr_InvalidProperty;
  bus.mNHostChannels = nChannels;
  if (std::isfinite(format.mSampleRate) && format.mSampleRate > 0.0)
    SetSampleRate(format.mSampleRate);
  return noErr;
}

OSStatus IPlugAU::SetMakeConnection(AudioUnitScope scope, const void* data, UInt32 dataSize)
{
  AudioUnitConnection connection;
  if (!ReadRecord(data, dataSize, connection))
    return kAudioUnitErr_InvalidPropertyValue;
  if ((scope != kAudioUnitScope_Global && scope != kAudioUnitScope_Input) ||
      connection.destInputNumber >= static_cast<UInt32>(mInBuses.GetSize()))
    return kAudioUnitErr_InvalidProperty;

  const int busIdx = static_cast<int>(connection.destInputNumber);
  const RenderGate::Reconfiguration reconfiguration(mRenderGate);
  *mInBusConnections.Get(busIdx) = InputBusConnection();
  OSStatus status = noErr;
  AudioUnit source = connection.sourceAudioUnit;
  if (source)
  {
    // A unit fed by itself would pull itself without end.
    AudioStreamBasicDescription format = {};
    UInt32 formatSize = sizeof(format);
    status = source == mComponentInstance ? kAudioUnitErr_InvalidProperty
                                          : AudioUnitGetProperty(source, kAudioUnitProperty_StreamFormat,
                                                                 kAudioUnitScope_Output, connection.sourceOutputNumber,
                                                                 &format, &formatSize);
    if (status == noErr)
      status = SetProperty(kAudioUnitProperty_StreamFormat, kAudioUnitScope_Input, connection.destInputNumber,
                           &formatSize, &format);
    if (status == noErr)
    {
      InputBusConnection& record = *mInBusConnections.Get(busIdx);
      record.mUpstreamUnit = source;
      record.mUpstreamBus = static_cast<int>(connection.sourceOutputNumber);
      AudioUnitRenderProc renderProc = nullptr;
      UInt32 procSize = sizeof(renderProc);
      if (AudioUnitGetProperty(source, kAudioUnitProperty_FastDispatch, kAudioUnitScope_Global, kAudioUnitRenderSelect,
                               &renderProc, &procSize) == noErr && renderProc)
      {
        record.mUpstreamRenderProc = renderProc;
        record.mUpstreamObject = GetComponentInstanceStorage(source);
      }
    }
    else
    {
      status = kAudioUnitErr_InvalidProperty;
    }
  }
  AssessInputConnections();
  return status;
}

OSStatus IPlugAU::SetRenderCallback(AudioUnitScope scope, AudioUnitElement element, const void* data, UInt32 dataSize)
{
  if (scope != kAudioUnitScope_Input || element >= static_cast<UInt32>(mInBuses.GetSize()))
    return kAudioUnitErr_InvalidProperty;
  AURenderCallbackStruct callback;
  if (!ReadRecord(data, dataSize, callback))
    return kAudioUnitErr_InvalidPropertyValue;
  const RenderGate::Reconfiguration reconfiguration(mRenderGate);
  InputBusConnection& record = *mInBusConnections.Get(static_cast<int>(element));
  record = InputBusConnection();
  if (callback.inputProc)
    record.mUpstreamCallback = callback;
  AssessInputConnections();
  return noErr;
}

OSStatus IPlugAU::SetMaxFramesPerSlice(AudioUnitScope scope, const void* data, UInt32 dataSize)
{
  if (scope != kAudioUnitScope_Global)
    return kAudioUnitErr_InvalidProperty;
  UInt32 frames = 0;
  if (!ReadRecord(data, dataSize, frames) || frames == 0 || frames > static_cast<UInt32>(kMaxBlockSize))
    return kAudioUnitErr_InvalidPropertyValue;
  const RenderGate::Reconfiguration reconfiguration(mRenderGate);
  const int previous = GetBlockSize();
  SetBlockSize(static_cast<int>(frames));
  if (GetBlockSize() != static_cast<int>(frames) || !ResizeScratchBuffers())
  {
    SetBlockSize(previous);
    if (!ResizeScratchBuffers())
      SetBlockSize(0);
    return kAudio_MemFullError;
  }
  RequestReset();
  return noErr;
}

// Render path.

OSStatus IPlugAU::RenderProc(void* self, AudioUnitRenderActionFlags* /*flags*/, const AudioTimeStamp* time,
                             UInt32 outputBusNumber, UInt32 nFrames, AudioBufferList* ioData)
{
  auto* plug = static_cast<IPlugAU*>(self);
  if (!time || !ioData)
    return kAudio_ParamError;
  const RenderAllocationGuard allocationGuard;
  if (!plug->mRenderGate.EnterRender())
  {
    SilenceHostBuffers(*ioData, nFrames);
    return kAudioUnitErr_CannotDoInCurrentContext;
  }
  const OSStatus status = plug->Render(*time, outputBusNumber, nFrames, *ioData);
  plug->mRenderGate.LeaveRender();
  return status;
}

OSStatus IPlugAU::Render(const AudioTimeStamp& time, UInt32 outputBusNumber, UInt32 nFrames, AudioBufferList& ioData)
{
  mLastRenderTimeStamp = time;
  if (!(time.mFlags & kAudioTimeStampSampleTimeValid) || nFrames > static_cast<UInt32>(GetBlockSize()))
    return kAudioUnitErr_InvalidPropertyValue;

  const bool midiEffect = IsMidiEffect();
  BusChannels* outBus = GetBus(kAudioUnitScope_Output, outputBusNumber);
  if (!midiEffect)
  {
    if (!outBus)
      return kAudioUnitErr_InvalidElement;
    // Every buffer needs a plug-in channel behind it and room for the frames asked for.
    if (ioData.mNumberBuffers > static_cast<UInt32>(outBus->mNPlugChannels))
      return kAudio_ParamError;
    for (UInt32 k = 0; k < ioData.mNumberBuffers; ++k)
      if (ioData.mBuffers[k].mData && ioData.mBuffers[k].mDataByteSize < nFrames * sizeof(float))
        return kAudio_ParamError;
  }

  RunPendingRequests();
  mRenderNotify.Notify(kAudioUnitRenderAction_PreRender, &time, outputBusNumber, nFrames, &ioData);
  if (!midiEffect)
  {
    const OSStatus status = PullInputs(&time, nFrames);
    if (status != noErr)
      return status;
    ConnectOutputBus(*outBus, ioData);
    AttachOutputBuffers(*outBus, ioData, nFrames);
  }
  if (midiEffect || static_cast<int>(outputBusNumber) == LastConnectedOutputBus())
    RunProcessor(outputBusNumber, nFrames);
  mRenderNotify.Notify(kAudioUnitRenderAction_PostRender, &time, outputBusNumber, nFrames, &ioData);
  SendQueuedSysEx();
  return noErr;
}

OSStatus IPlugAU::PullInputs(const AudioTimeStamp* time, UInt32 nFrames)
{
  if (time->mSampleTime == mLastRenderSampleTime)
    return noErr;
  for (int i = 0; i < mInBuses.GetSize(); ++i)
  {
    if (!mInBuses.Get(i)->mConnected)
      continue;
    const OSStatus status = PullInputBus(i, time, nFrames);
    if (status != noErr)
      return status;
  }
  mLastRenderSampleTime = time->mSampleTime;
  return noErr;
}

OSStatus IPlugAU::PullInputBus(int busIdx, const AudioTimeStamp* time, UInt32 nFrames)
{
  const BusChannels& bus = *mInBuses.Get(busIdx);
  const InputBusConnection& connection = *mInBusConnections.Get(busIdx);
  const int nChannels = bus.mNHostChannels;
  if (nChannels > kMaxInputBusChannels)
    return kAudioUnitErr_FormatNotSupported;

  InputBufferList list;
  list.mNumberBuffers = static_cast<UInt32>(nChannels);
  for (int k = 0; k < nChannels; ++k)
    list.mBuffers[k] = {1, nFrames * static_cast<UInt32>(sizeof(float)), nullptr};
  auto* bufferList = reinterpret_cast<AudioBufferList*>(&list);

  AudioUnitRenderActionFlags pullFlags = 0;
  OSStatus status = noErr;
  switch (connection.mInputType)
  {
  case eDirectFastProc:
    status = connection.mUpstreamRenderProc(connection.mUpstreamObject, &pullFlags, time,
                                            static_cast<UInt32>(connection.mUpstreamBus), nFrames, bufferList);
    break;
  case eDirectNoFastProc:
    status = AudioUnitRender(connection.mUpstreamUnit, &pullFlags, time, static_cast<UInt32>(connection.mUpstreamBus),
                             nFrames, bufferList);
    break;
  case eRenderCallback:
    for (int k = 0; k < nChannels; ++k)
      list.mBuffers[k].mData = mInScratchBuf.Get() + static_cast<std::size_t>(bus.mPlugChannelStart + k) * nFrames;
    status = connection.mUpstreamCallback.inputProc(connection.mUpstreamCallback.inputProcRefCon, &pullFlags, time,
                                                    static_cast<UInt32>(busIdx), nFrames, bufferList);
    break;
  default: return noErr;
  }
  if (status != noErr)
    return status;

  // A source that handed back less than it was asked for is read as silence rather than past its end.
  for (int k = 0; k < nChannels; ++k)
  {
    const AudioBuffer& buffer = list.mBuffers[k];
    float* samples = buffer.mDataByteSize >= nFrames * sizeof(float) ? static_cast<float*>(buffer.mData) : nullptr;
    AttachBuffers(kInput, bus.mPlugChannelStart + k, 1, &samples, static_cast<int>(nFrames));
  }
  return noErr;
}

void IPlugAU::ConnectOutputBus(BusChannels& bus, const AudioBufferList& ioData)
{
  // Marking channels that keep their state costs a flag each; skipping it once let a bus keep the channel
  // count of an earlier format and leave buffers of the new one unwritten.
  const int nConnected = std::max(bus.mNHostChannels, static_cast<int>(ioData.mNumberBuffers));
  SetChannelConnections(kOutput, bus.mPlugChannelStart, nConnected, true);
  SetChannelConnections(kOutput, bus.mPlugChannelStart + nConnected, std::max(bus.mNPlugChannels - nConnected, 0),
                        false);
  bus.mConnected = true;
}

void IPlugAU::AttachOutputBuffers(const BusChannels& bus, AudioBufferList& ioData, UInt32 nFrames)
{
  for (UInt32 k = 0; k < ioData.mNumberBuffers; ++k)
  {
    AudioBuffer& buffer = ioData.mBuffers[k];
    const int channel = bus.mPlugChannelStart + static_cast<int>(k);
    if (!buffer.mData)
    {
      buffer.mData = mOutScratchBuf.Get() + static_cast<std::size_t>(channel) * nFrames;
      buffer.mDataByteSize = nFrames * static_cast<UInt32>(sizeof(float));
    }
    auto* samples = static_cast<float*>(buffer.mData);
    AttachBuffers(kOutput, channel, 1, &samples, static_cast<int>(nFrames));
  }
}

int IPlugAU::LastConnectedOutputBus() const
{
  for (int i = 0; i < mOutBuses.GetSize(); ++i)
    if (!mOutBuses.Get(i)->mConnected)
      return i - 1;
  return mOutBuses.GetSize() - 1;
}

void IPlugAU::RunProcessor(UInt32 outputBusNumber, UInt32 nFrames)
{
  const auto nBuses = static_cast<UInt32>(mOutBuses.GetSize());
  if (outputBusNumber < nBuses && outputBusNumber + 1 < nBuses)
  {
    const int firstUnused = mOutBuses.Get(static_cast<int>(outputBusNumber) + 1)->mPlugChannelStart;
    SetChannelConnections(kOutput, firstUnused, MaxNChannels(kOutput) - firstUnused, false);
  }
  const int frames = static_cast<int>(nFrames);
  if (GetBypassed())
  {
    PassThroughBuffers(0.f, frames);
    return;
  }
  IMidiMsg msg;
  while (mMidiMsgsFromEditor.Pop(msg))
    ProcessMidiMsg(msg);
  PreProcess();
  ProcessBuffers(0.f, frames);
}

void IPlugAU::SendQueuedSysEx()
{
  SysExData data;
  while (mSysExDataFromEditor.Pop(data))
    SendSysEx(ISysEx(data.mOffset, data.mData, data.mSize));
}

void IPlugAU::PreProcess()
{
  ITransportInfo info;
  void* user = mHostCallbacks.hostUserData;
  Float64 beat = 0.0, tempo = 0.0;
  if (mHostCallbacks.beatAndTempoProc && mHostCallbacks.beatAndTempoProc(user, &beat, &tempo) == noErr)
  {
    info.mTempo = tempo > 0.0 ? tempo : 120.0;
    info.mPPQPos = beat >= 0.0 ? beat : -1.0;
  }

  Boolean playing = false, changed = false, cycling = false;
  Float64 samplePos = 0.0, cycleStart = 0.0, cycleEnd = 0.0;
  if (mHostCallbacks.transportStateProc &&
      mHostCallbacks.transportStateProc(user, &playing, &changed, &samplePos, &cycling, &cycleStart, &cycleEnd) == noErr)
  {
    info.mTransportIsRunning = playing;
    info.mTransportLoopEnabled = cycling;
    info.mSamplePos = samplePos > 0.0 ? samplePos : -1.0;
    info.mCycleStart = cycleStart > 0.0 ? cycleStart : -1.0;
    info.mCycleEnd = cycleEnd > 0.0 ? cycleEnd : -1.0;
  }

  UInt32 toNextBeat = 0, denominator = 0;
  Float32 numerator = 0.f;
  Float64 downbeat = 0.0;
  if (mHostCallbacks.musicalTimeLocationProc &&
      mHostCallbacks.musicalTimeLocationProc(user, &toNextBeat, &numerator, &denominator, &downbeat) == noErr)
  {
    info.mNumerator = std::isfinite(numerator) ? static_cast<int>(std::clamp(numerator, -1e9f, 1e9f)) : 0;
    info.mDenominator = static_cast<int>(std::min<UInt32>(denominator, INT_MAX));
    info.mLastBar = downbeat > 0.0 ? downbeat : -1.0;
  }
  SetTransportInfo(info);
}

// MIDI in.

OSStatus IPlugAU::DoMIDIEvent(IPlugAU* plug, UInt32 status, UInt32 data1, UInt32 data2, UInt32 offsetSampleFrame)
{
  if (!plug->DoesMIDIIn())
    return badComponentSelector;
  const IMidiMsg msg(static_cast<int32_t>(std::min<UInt32>(offsetSampleFrame, INT32_MAX)), static_cast<uint8_t>(status),
                     static_cast<uint8_t>(data1), static_cast<uint8_t>(data2));
  plug->ProcessMidiMsg(msg);
  plug->mMidiMsgsFromProcessor.Push(msg);
  return noErr;
}

OSStatus IPlugAU::DoSysEx(IPlugAU* plug, const UInt8* data, UInt32 length)
{
  if (!plug->DoesMIDIIn())
    return badComponentSelector;
  if (!data && length > 0)
    return kAudio_ParamError;
  plug->ProcessSysEx(ISysEx(0, data, static_cast<int32_t>(std::min<UInt32>(length, INT32_MAX))));
  return noErr;
}

// MIDI out.

bool IPlugAU::SendPacketList(const MIDIPacketList* packets)
{
  return mMidiCallback.midiOutputCallback(mMidiCallback.userData, &mLastRenderTimeStamp, 0, packets) == noErr;
}

MIDIPacketList* IPlugAU::PacketListBuffer()
{
  return static_cast<MIDIPacketList*>(mMidiPacketBuf.Get());
}

MIDIPacket* IPlugAU::AddToPacketList(MIDIPacketList* packets, MIDIPacket* packet, MIDITimeStamp time, ByteCount nBytes,
                                     const Byte* data, bool& sent)
{
  const auto capacity = static_cast<ByteCount>(mMidiPacketBuf.GetSize());
  if (MIDIPacket* added = MIDIPacketListAdd(packets, capacity, packet, time, nBytes, data))
    return added;
  // The fixed list is full: hand it to the host and start the next one, so the audio thread never grows it.
  sent = SendPacketList(packets) && sent;
  return MIDIPacketListAdd(packets, capacity, MIDIPacketListInit(packets), time, nBytes, data);
}

bool IPlugAU::SendMidiMsg(const IMidiMsg& msg)
{
  if (!mMidiCallback.midiOutputCallback)
    return false;
  MIDIPacketList packets;
  const Byte bytes[3] = {msg.mStatus, msg.mData1, msg.mData2};
  const auto time = static_cast<MIDITimeStamp>(std::max(msg.mOffset, 0));
  if (!MIDIPacketListAdd(&packets, sizeof(packets), MIDIPacketListInit(&packets), time, sizeof(bytes), bytes))
    return false;
  return SendPacketList(&packets);
}

bool IPlugAU::SendMidiMsgs(WDL_TypedBuf<IMidiMsg>& msgs)
{
  MIDIPacketList* packets = PacketListBuffer();
  if (!mMidiCallback.midiOutputCallback || !packets)
    return false;
  bool sent = true;
  MIDIPacket* packet = MIDIPacketListInit(packets);
  for (int i = 0; i < msgs.GetSize() && packet; ++i)
  {
    const IMidiMsg& msg = msgs.Get()[i];
    const auto time = static_cast<MIDITimeStamp>(std::max(msg.mOffset, 0));
    // Byte by byte, so messages of one time share a packet as the platform packs them.
    for (Byte byte : {msg.mStatus, msg.mData1, msg.mData2})
      if (packet)
        packet = AddToPacketList(packets, packet, time, 1, &byte, sent);
  }
  return packet && SendPacketList(packets) && sent;
}

bool IPlugAU::SendSysEx(const ISysEx& sysEx)
{
  MIDIPacketList* packets = PacketListBuffer();
  if (!mMidiCallback.midiOutputCallback || !packets)
    return false;
  const int nBytes = sysEx.mData ? std::max(sysEx.mSize, 0) : 0;
  const auto time = static_cast<MIDITimeStamp>(std::max(sysEx.mOffset, 0));
  bool sent = true;
  MIDIPacket* packet = MIDIPacketListInit(packets);
  for (int pos = 0; pos < nBytes && packet; pos += kSysExPieceSize)
  {
    const int piece = std::min(kSysExPieceSize, nBytes - pos);
    packet = AddToPacketList(packets, packet, time, static_cast<ByteCount>(piece), sysEx.mData + pos, sent);
  }
  return packet && SendPacketList(packets) && sent;
}
} // namespace iplug
