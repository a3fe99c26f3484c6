#include "IPlugProcessor.h"

#include "FourCC.h"
#include "SampleConversion.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>
#include <utility>

namespace iplug
{
namespace
{
constexpr int kMaxLabelLength = 32;         // characters of a bus name or channel label
constexpr std::size_t kMaxFormatDigits = 2; // keeps a label format from asking for a huge field width

// Calls visit for every non-empty piece of text between separators.
template <class Visitor>
void ForEachToken(std::string_view text, char separator, Visitor&& visit)
{
  std::size_t start = 0;
  while (start <= text.size())
  {
    const std::size_t end = std::min(text.find(separator, start), text.size());
    if (end > start)
      visit(text.substr(start, end - start));
    start = end + 1;
  }
}

// Channel count of one bus token: "*" is the wildcard, decimal digits a count (clamped), anything else 0.
int ParseBusToken(std::string_view token)
{
  if (token == "*")
    return IBusInfo::kWildcard;
  if (token.empty() || token.find_first_not_of("0123456789") != std::string_view::npos)
    return 0;
  int count = 0;
  const std::from_chars_result parsed = std::from_chars(token.data(), token.data() + token.size(), count);
  if (parsed.ec == std::errc::result_out_of_range)
    return IPlugProcessor::kMaxBusChannels;
  return std::min(count, IPlugProcessor::kMaxBusChannels);
}

// Adds the non-empty buses of one side of a layout to config; returns the side's channel total.
int ParseRoute(std::string_view part, ERoute route, IOConfig& config)
{
  int total = 0;
  ForEachToken(part, '.', [&](std::string_view token) {
    const int nChans = ParseBusToken(token);
    if (nChans != 0)
      config.AddBusInfo(route, nChans);
    total += nChans;
  });
  return total;
}

// The part [idx, idx + n) of [0, size), as a begin and end index (empty when they do not overlap).
std::pair<int, int> ClipRange(int idx, int n, std::size_t size)
{
  const long long begin = std::max(idx, 0);
  const long long end = std::min(static_cast<long long>(idx) + std::max(n, 0), static_cast<long long>(size));
  return {static_cast<int>(begin), static_cast<int>(std::max(begin, end))};
}

// Whether format holds at most one conversion, an int one of small width, so filling it with one int is safe.
bool IsSingleIntFormat(const char* format)
{
  int conversions = 0;
  for (const char* p = format; *p; ++p)
  {
    if (*p != '%')
      continue;
    if (*++p == '%')
      continue;
    p += std::strspn(p, "-+ #0");
    const std::size_t width = std::strspn(p, "0123456789");
    p += width;
    std::size_t precision = 0;
    if (*p == '.')
    {
      precision = std::strspn(++p, "0123456789");
      p += precision;
    }
    if ((*p != 'd' && *p != 'i') || width > kMaxFormatDigits || precision > kMaxFormatDigits || ++conversions > 1)
      return false;
  }
  return true;
}

} // namespace

IPlugProcessor::IPlugProcessor(const Config& config)
  : mPlugType(config.pluginKind)
  , mDoesMIDIIn(config.receivesMidi)
  , mDoesMIDIOut(config.sendsMidi)
  , mDoesMPE(config.handlesMpe)
  , mLatency(config.latencySamples)
{
  int nIn = 0, nOut = 0, nInBuses = 0, nOutBuses = 0;
  ParseChannelIOStr(config.channelIO, mIOConfigs, nIn, nOut, nInBuses, nOutBuses);

  mInData.assign(static_cast<std::size_t>(nIn), nullptr);
  mOutData.assign(static_cast<std::size_t>(nOut), nullptr);
  mInChannels = ChannelList(static_cast<std::size_t>(nIn));
  mOutChannels = ChannelList(static_cast<std::size_t>(nOut));
  for (std::size_t i = 0; i < mInChannels.size(); ++i)
    mInChannels[i].mData = &mInData[i];
  for (std::size_t i = 0; i < mOutChannels.size(); ++i)
    mOutChannels[i].mData = &mOutData[i];
}

void IPlugProcessor::ProcessBlock(sample** inputs, sample** outputs, int nFrames)
{
  CopyInputsToOutputs(inputs, outputs, nFrames);
}

void IPlugProcessor::ProcessMidiMsg(const IMidiMsg& msg)
{
  SendMidiMsg(msg);
}

void IPlugProcessor::ProcessSysEx(const ISysEx&) {}

void IPlugProcessor::OnReset() {}

void IPlugProcessor::OnActivate(bool) {}

bool IPlugProcessor::SendMidiMsgs(WDL_TypedBuf<IMidiMsg>& msgs)
{
  bool allSent = true;
  for (int i = 0; i < msgs.GetSize(); ++i)
    allSent = SendMidiMsg(msgs.Get()[i]) && allSent;
  return allSent;
}

bool IPlugProcessor::SendSysEx(const ISysEx&)
{
  return false;
}

void IPlugProcessor::GetBusName(ERoute route, int busIdx, int nBuses, WDL_String& name) const
{
  if (route == kOutput)
  {
    if (nBuses == 1)
      name.Set("Output");
    else
      name.SetFormatted(kMaxLabelLength, "Output %i", busIdx);
    return;
  }
  if (nBuses == 1)
    name.Set("Input");
  else if (nBuses == 2)
    name.Set(busIdx == 0 ? "Main" : "Aux");
  else
    name.SetFormatted(kMaxLabelLength, "Input %i", busIdx);
}

void IPlugProcessor::SetLatency(int samples)
{
  mLatency = samples;
}

int IPlugProcessor::ParseChannelIOStr(const char* IOStr, WDL_PtrList<IOConfig>& channelIOList, int& totalNInChans,
                                      int& totalNOutChans, int& totalNInBuses, int& totalNOutBuses)
{
  totalNInChans = totalNOutChans = totalNInBuses = totalNOutBuses = 0;
  if (!IOStr)
    return 0;

  int nLayouts = 0;
  ForEachToken(IOStr, ' ', [&](std::string_view layout) {
    const std::size_t dash = std::min(layout.find('-'), layout.size());
    const std::string_view inputs = layout.substr(0, dash);
    const std::string_view outputs = dash < layout.size() ? layout.substr(dash + 1) : std::string_view();

    IOConfig* config = channelIOList.Add(new IOConfig());
    totalNInChans = std::max(totalNInChans, ParseRoute(inputs, kInput, *config));
    totalNOutChans = std::max(totalNOutChans, ParseRoute(outputs, kOutput, *config));
    totalNInBuses = std::max(totalNInBuses, config->NBuses(kInput));
    totalNOutBuses = std::max(totalNOutBuses, config->NBuses(kOutput));
    ++nLayouts;
  });
  return nLayouts;
}

bool IPlugProcessor::LegalIO(int nIn, int nOut) const
{
  if (nIn < 0 && nOut < 0)
    return true;
  for (int i = 0; i < NIOConfigs(); ++i)
  {
    const IOConfig* config = GetIOConfig(i);
    const bool inputsMatch = nIn < 0 || config->GetTotalNChannels(kInput) == nIn;
    const bool outputsMatch = nOut < 0 || config->GetTotalNChannels(kOutput) == nOut;
    if (inputsMatch && outputsMatch)
      return true;
  }
  return false;
}

int IPlugProcessor::MaxNBuses(ERoute route, int* pConfigIdxWithTheMostBuses) const
{
  int most = 0;
  int mostIdx = -1;
  for (int i = 0; i < NIOConfigs(); ++i)
  {
    const int nBuses = GetIOConfig(i)->NBuses(route);
    if (nBuses >= most)
    {
      most = nBuses;
      mostIdx = i;
    }
  }
  if (pConfigIdxWithTheMostBuses)
    *pConfigIdxWithTheMostBuses = mostIdx;
  return most;
}

int IPlugProcessor::MaxNChannelsForBus(ERoute route, int busIdx) const
{
  if (NIOConfigs() > 0 && GetIOConfig(0)->ContainsWildcard(route))
    return -1;
  int most = 0;
  for (int i = 0; i < NIOConfigs(); ++i)
    most = std::max(most, GetIOConfig(i)->NChansOnBusSAFE(route, busIdx));
  return most;
}

int IPlugProcessor::GetIOConfigWithChanCounts(std::vector<int>& inputBuses, std::vector<int>& outputBuses)
{
  const auto matches = [](const IOConfig& config, ERoute route, const std::vector<int>& counts) {
    if (config.NBuses(route) != static_cast<int>(counts.size()))
      return false;
    for (std::size_t bus = 0; bus < counts.size(); ++bus)
      if (config.NChansOnBusSAFE(route, static_cast<int>(bus)) != counts[bus])
        return false;
    return true;
  };

  for (int i = 0; i < NIOConfigs(); ++i)
  {
    const IOConfig& config = *GetIOConfig(i);
    if (matches(config, kInput, inputBuses) && (outputBuses.empty() || matches(config, kOutput, outputBuses)))
      return i;
  }
  return -1;
}

int IPlugProcessor::NChannelsConnected(ERoute route) const
{
  const ChannelList& channels = Channels(route);
  return static_cast<int>(std::count_if(channels.begin(), channels.end(), [](const auto& c) { return c.mConnected; }));
}

void IPlugProcessor::SetChannelConnections(ERoute route, int idx, int n, bool connected)
{
  ChannelList& channels = Channels(route);
  const auto [begin, end] = ClipRange(idx, n, channels.size());
  for (int i = begin; i < end; ++i)
  {
    IChannelData<float, sample>& channel = channels[static_cast<std::size_t>(i)];
    const bool wasConnected = channel.mConnected;
    channel.mConnected = connected;
    if (connected)
      continue;
    // A channel that loses its host buffer must not keep replaying the last audio it carried.
    if (wasConnected)
      ParkOnScratch(channel);
    else
      *channel.mData = channel.mScratchBuf.Get();
  }
}

void IPlugProcessor::SetChannelLabel(ERoute route, int idx, const char* formatStr, bool zeroBased)
{
  ChannelList& channels = Channels(route);
  if (idx < 0 || idx >= static_cast<int>(channels.size()))
    return;
  WDL_String& label = channels[static_cast<std::size_t>(idx)].mLabel;
  if (!formatStr)
    label.Set("");
  else if (IsSingleIntFormat(formatStr))
    label.SetFormatted(kMaxLabelLength, formatStr, zeroBased ? idx : idx + 1);
  else
    label.Set(formatStr, kMaxLabelLength);
}

const char* IPlugProcessor::GetChannelLabel(ERoute route, int idx) const
{
  const ChannelList& channels = Channels(route);
  if (idx < 0 || idx >= static_cast<int>(channels.size()))
    return "";
  return channels[static_cast<std::size_t>(idx)].mLabel.Get();
}

void IPlugProcessor::AttachBuffers(ERoute route, int idx, int n, sample** ppData, int)
{
  ChannelList& channels = Channels(route);
  const auto [begin, end] = ClipRange(idx, n, channels.size());
  int next = 0;
  for (int i = begin; i < end; ++i)
  {
    IChannelData<float, sample>& channel = channels[static_cast<std::size_t>(i)];
    if (!channel.mConnected)
      continue;
    sample* host = ppData ? ppData[next++] : nullptr;
    if (!host)
    {
      ParkOnScratch(channel);
      continue;
    }
    *channel.mData = host;
    channel.mIncomingData = nullptr;
  }
}

void IPlugProcessor::AttachBuffers(ERoute route, int idx, int n, float** ppData, int nFrames)
{
  ChannelList& channels = Channels(route);
  const auto [begin, end] = ClipRange(idx, n, channels.size());
  const int frames = BlockFrames(nFrames);
  int next = 0;
  for (int i = begin; i < end; ++i)
  {
    IChannelData<float, sample>& channel = channels[static_cast<std::size_t>(i)];
    if (!channel.mConnected)
      continue;
    float* host = ppData ? ppData[next++] : nullptr;
    sample* scratch = channel.mScratchBuf.Get();
    *channel.mData = scratch;
    if (route == kOutput)
    {
      channel.mIncomingData = host;
      continue;
    }
    channel.mIncomingData = nullptr;
    if (host)
      FloatsToSamples(host, scratch, frames);
    else
      std::fill_n(scratch, frames, 0.0);
  }
}

void IPlugProcessor::ProcessBuffers(sample, int nFrames)
{
  ProcessBlock(mInData.data(), mOutData.data(), BlockFrames(nFrames));
  ReleaseHostBuffers();
}

void IPlugProcessor::ProcessBuffers(float, int nFrames)
{
  const int frames = BlockFrames(nFrames);
  ProcessBlock(mInData.data(), mOutData.data(), frames);
  ConvertOutputs(frames, false);
  ReleaseHostBuffers();
}

void IPlugProcessor::ProcessFloatBlock(const float* const* inputs, int nInputs, float* const* outputs, int nOutputs,
                                       int nFrames)
{
  const int frames = BlockFrames(nFrames);
  if (ProcessFloatBlockDirectly(inputs, nInputs, outputs, nOutputs, frames))
    return;
  int next = 0;
  for (IChannelData<float, sample>& channel : mInChannels)
  {
    if (!channel.mConnected)
      continue;
    const float* host = next < nInputs && inputs ? inputs[next] : nullptr;
    ++next;
    sample* scratch = channel.mScratchBuf.Get();
    *channel.mData = scratch;
    if (host)
      FloatsToSamples(host, scratch, frames);
    else
      std::fill_n(scratch, frames, 0.0);
  }
  for (IChannelData<float, sample>& channel : mOutChannels)
  {
    if (channel.mConnected)
      *channel.mData = channel.mScratchBuf.Get();
  }

  mInputsAreFloats = true;
  ProcessBlock(mInData.data(), mOutData.data(), frames);
  mInputsAreFloats = false;

  next = 0;
  for (const IChannelData<float, sample>& channel : mOutChannels)
  {
    if (!channel.mConnected)
      continue;
    float* host = next < nOutputs && outputs ? outputs[next] : nullptr;
    ++next;
    const sample* result = *channel.mData;
    if (host && result)
      SamplesToFloats(result, host, frames);
  }
}

void IPlugProcessor::PassThroughBuffers(sample, int nFrames)
{
  CopyInputsToOutputs(mInData.data(), mOutData.data(), BlockFrames(nFrames));
  ReleaseHostBuffers();
}

void IPlugProcessor::PassThroughBuffers(float, int nFrames)
{
  const int frames = BlockFrames(nFrames);
  CopyInputsToOutputs(mInData.data(), mOutData.data(), frames);
  ConvertOutputs(frames, false);
  ReleaseHostBuffers();
}

void IPlugProcessor::ProcessBuffersAccumulating(int nFrames)
{
  const int frames = BlockFrames(nFrames);
  ProcessBlock(mInData.data(), mOutData.data(), frames);
  ConvertOutputs(frames, true);
  ReleaseHostBuffers();
}

void IPlugProcessor::ZeroScratchBuffers()
{
  for (ChannelList* channels : {&mInChannels, &mOutChannels})
    for (IChannelData<float, sample>& channel : *channels)
      std::fill_n(channel.mScratchBuf.Get(), std::min(mBlockSize, channel.mScratchBuf.GetSize()), 0.0);
}

void IPlugProcessor::SetBlockSize(int blockSize)
{
  blockSize = std::max(blockSize, 0);
  if (blockSize == mBlockSize)
    return;

  // A failed resize keeps the old buffer, so the block size becomes what every scratch buffer can hold.
  int available = blockSize;
  for (ChannelList* channels : {&mInChannels, &mOutChannels})
    for (IChannelData<float, sample>& channel : *channels)
    {
      channel.mScratchBuf.Resize(blockSize);
      available = std::min(available, channel.mScratchBuf.GetSize());
      ParkOnScratch(channel);
    }
  mBlockSize = available;
}

void IPlugProcessor::LimitToStereoIO()
{
  SetChannelConnections(kInput, 2, MaxNChannels(kInput) - 2, false);
  SetChannelConnections(kOutput, 2, MaxNChannels(kOutput) - 2, true);
}

void IPlugProcessor::RequestActivate(bool active)
{
  const unsigned wanted = active ? kRequestActivate : kRequestDeactivate;
  unsigned pending = mPendingRequests.load();
  while (!mPendingRequests.compare_exchange_weak(pending, (pending & kRequestReset) | wanted))
  {
  }
}

void IPlugProcessor::RequestReset()
{
  mPendingRequests.fetch_or(kRequestReset);
}

void IPlugProcessor::RunPendingRequests()
{
  const unsigned pending = mPendingRequests.exchange(0);
  if (pending & kRequestActivate)
    OnActivate(true);
  else if (pending & kRequestDeactivate)
    OnActivate(false);
  if (pending & kRequestReset)
    OnReset();
}

double IPlugProcessor::GetSamplesPerBeat() const
{
  return mTimeInfo.mTempo > 0.0 ? mSampleRate * 60.0 / mTimeInfo.mTempo : 0.0;
}

uint32_t IPlugProcessor::GetAUPluginType() const
{
  switch (mPlugType)
  {
  case 1:
    return FourCC("aumu");
  case 2:
    return FourCC("aumi");
  default:
    return mPlugType == 0 && mDoesMIDIIn ? FourCC("aumf") : FourCC("aufx");
  }
}

int IPlugProcessor::BlockFrames(int nFrames) const
{
  return std::clamp(nFrames, 0, mBlockSize);
}

void IPlugProcessor::ParkOnScratch(IChannelData<float, sample>& channel)
{
  std::fill_n(channel.mScratchBuf.Get(), channel.mScratchBuf.GetSize(), 0.0);
  *channel.mData = channel.mScratchBuf.Get();
  channel.mIncomingData = nullptr;
}

void IPlugProcessor::CopyInputsToOutputs(sample** inputs, sample** outputs, int nFrames) const
{
  if (!outputs || nFrames <= 0)
    return;
  const std::size_t nIn = inputs ? mInChannels.size() : 0;
  for (std::size_t i = 0; i < mOutChannels.size(); ++i)
  {
    sample* out = outputs[i];
    sample* in = i < nIn ? inputs[i] : nullptr;
    if (!out || out == in)
      continue;
    if (in)
      std::copy_n(in, nFrames, out);
    else
      std::fill_n(out, nFrames, 0.0);
  }
}

void IPlugProcessor::ConvertOutputs(int nFrames, bool accumulate)
{
  for (IChannelData<float, sample>& channel : mOutChannels)
  {
    const sample* result = *channel.mData;
    float* host = channel.mIncomingData;
    if (!channel.mConnected || !host || !result)
      continue;
    if (accumulate)
      AddSamplesToFloats(result, host, nFrames);
    else
      SamplesToFloats(result, host, nFrames);
  }
}

void IPlugProcessor::ReleaseHostBuffers()
{
  for (ChannelList* channels : {&mInChannels, &mOutChannels})
    for (IChannelData<float, sample>& channel : *channels)
    {
      *channel.mData = channel.mScratchBuf.Get();
      channel.mIncomingData = nullptr;
    }
}
} // namespace iplug
