#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "Config.h"
#include "IChannelData.h"
#include "IOConfig.h"
#include "IPlugConstants.h"
#include "IPlugMidi.h"
#include "ITransportInfo.h"
#include "RelaxedAtomic.h"
#include "WDL_HeapBuf.h"
#include "WDL_PtrList.h"
#include "WDL_String.h"

namespace iplug
{
// The audio-side base of a plug-in instance: the accepted channel layouts, one record per possible channel,
// block processing over double buffers whatever the host's sample format, and the audio state the host sets.
// Layout queries and state setters run on the main thread. The per-block calls (connections, attaching,
// processing, pass-through) run on the audio thread and never allocate, lock or call the system. Sample rate,
// bypass and offline flags are atomics any thread may set; activation and reset are requested from any thread
// and run by the audio thread at the start of its next block, so they never overlap a block.
// A block is never longer than the block size: larger frame counts are cut to it, because the scratch buffers
// that stand in for missing, silent or converted channels hold no more.
class IPlugProcessor
{
public:
  // Channel counts above this in the channel I/O text are clamped to it.
  static constexpr int kMaxBusChannels = 1024;

  // Takes kind, MIDI flags, latency and channel layouts from config and creates the channel records.
  explicit IPlugProcessor(const Config& config);
  virtual ~IPlugProcessor() = default;
  IPlugProcessor(const IPlugProcessor&) = delete;
  IPlugProcessor& operator=(const IPlugProcessor&) = delete;

  // Renders one block (audio thread); each array holds MaxNChannels(route) buffers of nFrames samples.
  // Default: every output copies the input of the same index, or is silent when there is none.
  virtual void ProcessBlock(sample** inputs, sample** outputs, int nFrames);
  // Handles one incoming MIDI message (audio thread). Default: sends it straight out (MIDI thru).
  virtual void ProcessMidiMsg(const IMidiMsg& msg);
  // Handles one incoming SysEx message; its bytes are valid during the call only (audio thread). Default: nothing.
  virtual void ProcessSysEx(const ISysEx& msg);
  // Called when sample rate or block size changed; never during a block (audio thread, or before rendering).
  // Default: nothing.
  virtual void OnReset();
  // Called when the host (de)activates the plug-in; never during a block (audio thread, or before rendering).
  // Default: nothing.
  virtual void OnActivate(bool active);
  // Sends one MIDI message to the host (audio thread); returns whether the host took it.
  virtual bool SendMidiMsg(const IMidiMsg& msg) = 0;
  // Sends the messages in order (audio thread); true only if every send succeeded (an empty list is true).
  virtual bool SendMidiMsgs(WDL_TypedBuf<IMidiMsg>& msgs);
  // Sends one SysEx message to the host (audio thread). Default: nothing is sent, returns false.
  virtual bool SendSysEx(const ISysEx& msg);
  // Writes the display name of bus busIdx (zero-based) of nBuses on route into name, at most 32 characters.
  virtual void GetBusName(ERoute route, int busIdx, int nBuses, WDL_String& name) const;
  // Stores the latency in samples reported to the host (main thread).
  virtual void SetLatency(int samples);
  // Offered each block of ProcessFloatBlock (its arguments, with nFrames at most the block size) before the
  // frame converts it: a product that can write this block's float outputs without double-precision samples,
  // exactly as ProcessBlock would, does so and returns true; false (the default) must leave the product as it
  // was, and the frame converts and calls ProcessBlock. The last virtual operation, so the others keep their
  // slots. Allocates nothing, takes no lock. [audio-thread]
  virtual bool ProcessFloatBlockDirectly(const float* const* /*inputs*/, int /*nInputs*/, float* const* /*outputs*/,
                                         int /*nOutputs*/, int /*nFrames*/)
  {
    return false;
  }

  // Parses a channel I/O text such as "1-1 2-2" or "2.2-2", appending one IOConfig per layout to
  // channelIOList; the four outputs receive the largest channel and bus totals of any layout (0 for none).
  // Returns the number of layouts appended. A null text has no layouts.
  static int ParseChannelIOStr(const char* IOStr, WDL_PtrList<IOConfig>& channelIOList, int& totalNInChans,
                               int& totalNOutChans, int& totalNInBuses, int& totalNOutBuses);

  // Whether some layout has nIn input and nOut output channels in total; a negative count matches any.
  bool LegalIO(int nIn, int nOut) const;
  // The largest bus count of route over all layouts; pConfigIdxWithTheMostBuses receives that layout's
  // index (the later one on ties, -1 without layouts).
  int MaxNBuses(ERoute route, int* pConfigIdxWithTheMostBuses = nullptr) const;
  // The largest channel count of bus busIdx of route over all layouts (missing bus: 0); -1 when the first
  // layout has a wildcard bus on route.
  int MaxNChannelsForBus(ERoute route, int busIdx) const;
  // Index of the first layout whose per-bus channel counts equal the lists (an empty output list matches
  // any outputs), or -1.
  int GetIOConfigWithChanCounts(std::vector<int>& inputBuses, std::vector<int>& outputBuses);
  // Number of route's channel records marked connected.
  int NChannelsConnected(ERoute route) const;
  // Whether channel chIdx of route exists and is connected. Inline: products ask it in every block.
  bool IsChannelConnected(ERoute route, int chIdx) const
  {
    const ChannelList& channels = Channels(route);
    return chIdx >= 0 && chIdx < static_cast<int>(channels.size()) &&
           channels[static_cast<std::size_t>(chIdx)].mConnected;
  }
  // Number of channel records of route: the largest channel total of any layout. Inline, as above.
  int MaxNChannels(ERoute route) const { return static_cast<int>(Channels(route).size()); }
  // Number of accepted layouts.
  int NIOConfigs() const { return mIOConfigs.GetSize(); }
  // Layout idx, or null when out of range.
  const IOConfig* GetIOConfig(int idx) const { return mIOConfigs.Get(idx); }

  // Marks channels idx .. idx+n-1 of route (clipped to the records) (un)connected (audio thread).
  // A channel that is not connected reads and writes its own scratch buffer, which is silenced when the
  // channel loses its connection.
  void SetChannelConnections(ERoute route, int idx, int n, bool connected);
  // Labels channel idx of route with formatStr filled with the channel number (idx + 1, or idx when
  // zeroBased), at most 32 characters. A format that is not a single integer conversion is used as plain text.
  void SetChannelLabel(ERoute route, int idx, const char* formatStr, bool zeroBased = false);
  // The label of channel idx of route; empty when the channel does not exist. Valid until the next change.
  const char* GetChannelLabel(ERoute route, int idx) const;
  // Hands the host's double buffers to channels idx .. idx+n-1 of route (clipped to the records): each
  // connected channel takes the next pointer of ppData, for this block only (audio thread). A null pointer
  // leaves the channel on its scratch buffer, silenced: it reads zeros and writes nowhere.
  void AttachBuffers(ERoute route, int idx, int n, sample** ppData, int nFrames);
  // As above for the host's float buffers: inputs are converted into the scratch buffers (at most block-size
  // frames); outputs are processed in the scratch buffers and converted into the host pointer afterwards.
  void AttachBuffers(ERoute route, int idx, int n, float** ppData, int nFrames);
  // Runs ProcessBlock on the attached double buffers (audio thread).
  void ProcessBuffers(sample type, int nFrames);
  // Runs ProcessBlock, then converts the outputs into the attached float buffers (audio thread).
  void ProcessBuffers(float type, int nFrames);
  // The float ProcessBuffers for a host that hands every channel of a block at once, with nothing attached:
  // inputs[k] and outputs[k] are the float buffers of the k-th connected input and output channel (nInputs
  // and nOutputs of them; a missing or null input reads as silence, a missing or null output is not
  // written). The inputs are converted into the scratch buffers, ProcessBlock runs on them and the outputs
  // are converted back, with the same result as attaching the buffers and ProcessBuffers(float), but none
  // of the per-channel attach and release bookkeeping: the data slots stay on the scratch buffers. Input
  // and output buffers may be the same memory. [audio-thread]
  // A product whose next block needs no samples (one it passes through unchanged, say) may write it from the
  // float buffers itself: ProcessFloatBlockDirectly offers it the block first.
  void ProcessFloatBlock(const float* const* inputs, int nInputs, float* const* outputs, int nOutputs, int nFrames);
  // Copies every input to the output of the same index (silence without one) instead of processing (audio thread).
  void PassThroughBuffers(sample type, int nFrames);
  // As above, then converts the outputs into the attached float buffers; the result equals the input exactly.
  void PassThroughBuffers(float type, int nFrames);
  // As the float ProcessBuffers, but the result is added to what the host's float buffers already hold.
  void ProcessBuffersAccumulating(int nFrames);
  // Silences every scratch buffer over the block size.
  void ZeroScratchBuffers();
  // Sets the largest block in frames and resizes and silences the scratch buffers; the current size does nothing.
  void SetBlockSize(int blockSize);
  // Disconnects inputs from the third on and marks outputs from the third on connected.
  void LimitToStereoIO();
  // Asks for OnActivate(active) before the next block; a later request replaces one not yet run. Any thread.
  void RequestActivate(bool active);
  // Asks for OnReset before the next block, after any requested activation. Any thread.
  void RequestReset();
  // Runs the requested activation, then the requested reset, each at most once. Audio thread, before a block.
  void RunPendingRequests();
  // Samples per beat at the current tempo and sample rate, 0 when the tempo is unknown.
  double GetSamplesPerBeat() const;
  // The Audio Unit component type: 'aufx' effect, 'aumf' effect with MIDI input, 'aumu' instrument, 'aumi' MIDI effect.
  uint32_t GetAUPluginType() const;

  // Sample rate in Hz.
  double GetSampleRate() const { return mSampleRate; }
  // Sets the sample rate in Hz. Any thread.
  void SetSampleRate(double sampleRate) { mSampleRate = sampleRate; }
  // Largest block in frames.
  int GetBlockSize() const { return mBlockSize; }
  // True only while ProcessBlock runs on inputs the frame has just converted from the host's float buffers
  // (ProcessFloatBlock), so that every connected input sample is exactly a float; false otherwise, also when
  // a product's ProcessBlock is called directly. [audio-thread]
  bool InputsAreFloats() const { return mInputsAreFloats; }
  // Latency in samples.
  int GetLatency() const { return mLatency; }
  // Tail length in samples, 0 for none.
  int GetTailSize() const { return mTailSize; }
  // Sets the tail length in samples.
  void SetTailSize(int tailSize) { mTailSize = tailSize; }
  // Whether the host bypasses the plug-in.
  bool GetBypassed() const { return mBypassed; }
  // Set by the host adapter. Any thread; the audio thread reads it once per block.
  void SetBypassed(bool bypassed) { mBypassed = bypassed; }
  // Whether the host renders faster than real time.
  bool GetRenderingOffline() const { return mRenderingOffline; }
  // Set by the host adapter. Any thread.
  void SetRenderingOffline(bool offline) { mRenderingOffline = offline; }
  // Whether the plug-in is an instrument.
  bool IsInstrument() const { return mPlugType == 1; }
  // Whether the plug-in is a MIDI effect.
  bool IsMidiEffect() const { return mPlugType == 2; }
  // Whether the plug-in accepts MIDI.
  bool DoesMIDIIn() const { return mDoesMIDIIn; }
  // Whether the plug-in produces MIDI.
  bool DoesMIDIOut() const { return mDoesMIDIOut; }
  // Whether the plug-in understands MPE.
  bool DoesMPE() const { return mDoesMPE; }
  // The host's time information for the current block.
  const ITransportInfo& GetTransportInfo() const { return mTimeInfo; }
  // Replaces the time information (host adapter, audio thread, before each block).
  void SetTransportInfo(const ITransportInfo& info) { mTimeInfo = info; }

private:
  using ChannelList = std::vector<IChannelData<float, sample>>;

  ChannelList& Channels(ERoute route) { return route == kOutput ? mOutChannels : mInChannels; }
  const ChannelList& Channels(ERoute route) const { return route == kOutput ? mOutChannels : mInChannels; }
  // The frame count a block may use: nFrames cut to [0, block size].
  int BlockFrames(int nFrames) const;
  // Points the channel at its silenced scratch buffer and forgets any host buffer.
  void ParkOnScratch(IChannelData<float, sample>& channel);
  // Copies inputs to outputs of the same index, silencing outputs without an input.
  void CopyInputsToOutputs(sample** inputs, sample** outputs, int nFrames) const;
  // Converts the outputs into the attached float buffers, replacing or adding to their content.
  void ConvertOutputs(int nFrames, bool accumulate);
  // Drops this block's host buffers so that a later block cannot reach them.
  void ReleaseHostBuffers();

  int mPlugType;                   // 0 effect, 1 instrument, 2 MIDI effect
  bool mDoesMIDIIn;                // accepts MIDI
  bool mDoesMIDIOut;               // produces MIDI
  bool mDoesMPE;                   // understands MPE
  // Bits of mPendingRequests.
  static constexpr unsigned kRequestActivate = 1;   // OnActivate(true)
  static constexpr unsigned kRequestDeactivate = 2; // OnActivate(false)
  static constexpr unsigned kRequestReset = 4;      // OnReset()

  int mLatency;                                   // samples
  RelaxedAtomic<double> mSampleRate{48000.0};     // Hz
  int mBlockSize = 0;                             // largest block in frames
  bool mInputsAreFloats = false;                  // see InputsAreFloats; audio thread only
  int mTailSize = 0;                              // samples
  RelaxedAtomic<bool> mBypassed{false};           // set by the host adapter
  RelaxedAtomic<bool> mRenderingOffline{false};   // set by the host adapter
  std::atomic<unsigned> mPendingRequests{0};      // kRequest bits not yet run by the audio thread
  WDL_PtrList_DeleteOnDestroy<IOConfig> mIOConfigs; // accepted layouts, in declared order
  std::vector<sample*> mInData;    // input array handed to ProcessBlock; never resized after construction
  std::vector<sample*> mOutData;   // output array handed to ProcessBlock; never resized after construction
  ChannelList mInChannels;         // one record per input channel, data slot into mInData
  ChannelList mOutChannels;        // one record per output channel, data slot into mOutData

protected:
  ITransportInfo mTimeInfo; // host time information, refreshed by the host adapter before each block
};
} // namespace iplug
