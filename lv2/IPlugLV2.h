#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include "IPlugAPIBase.h"
#include "IPlugProcessor.h"
#include "InstanceInfo.h"

namespace iplug
{

// The LV2 adapter: one plug-in instance as an LV2 host sees it. Control input ports carry the parameters,
// a control output port the product's meter, and audio ports one channel layout (the plug-in URI picks
// which). The product class derives from it and from nothing else. Threads follow LV2's classes:
// construction, activation, state and destruction on the host's main thread, ConnectPort and Run on the
// audio thread, never at the same time as an instantiation-class call.
class IPlugLV2 : public IPlugAPIBase, public IPlugProcessor
{
public:
  // Frames per processed slice when the host names no maximum block length.
  static constexpr int kDefaultBlockSize = 4096;
  // Largest block length taken from the host's options; a longer maximum is processed in slices of this.
  static constexpr int kMaxBlockSize = 1 << 16;

  // Builds both bases for LV2 at the host's sample rate, takes the block length from the host's options
  // (when it offers them with a URID map), connects the URI's channels and resets the processor. [main-thread]
  IPlugLV2(const InstanceInfo& info, const Config& config);
  ~IPlugLV2() override;

  // Connects port to a host buffer (a float for control ports, nFrames floats for audio ports) or to
  // nothing; an index past the last port is ignored. [audio-thread]
  void ConnectPort(uint32_t port, void* data);
  // Restarts the processing state: OnActivate(true). [main-thread]
  void Activate();
  // OnActivate(false). [main-thread]
  void Deactivate();
  // Takes changed control ports into the parameters, processes nFrames frames of the connected audio ports
  // (in slices of the block size) and writes the meter port. Allocates nothing, takes no lock. [audio-thread]
  void Run(uint32_t nFrames);
  // Stores the parameter values the next Run will process, a control port changed since the last Run counting
  // over the parameter it carries, as one atom:Chunk: the Audio Unit's ClassInfo "data" (one double per
  // parameter), always little-endian and flagged portable; a product with opaque state chunks stores its own
  // bytes, not flagged portable. LV2_STATE_ERR_NO_FEATURE without a URID map. May run while Run does, and
  // changes nothing. [main-thread]
  LV2_State_Status SaveState(LV2_State_Store_Function store, LV2_State_Handle handle,
                             const LV2_Feature* const* features);
  // Restores what SaveState stored; the control ports as they stand count as taken, so the restored values
  // hold until the host changes a port. Bytes that are missing, of another type or size, not finite, in the
  // other byte order, or that the product cannot read change nothing and return an error status. [main-thread]
  LV2_State_Status RestoreState(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle,
                                const LV2_Feature* const* features);

  // Audio inputs of this instance's plug-in URI.
  int NInputPorts() const { return mNInputs; }
  // Audio outputs of this instance's plug-in URI.
  int NOutputPorts() const { return mNOutputs; }
  // Whether a meter port follows the control inputs.
  bool HasMeterPort() const { return mReadMeter != nullptr; }

  // LV2 effects have no MIDI output here: nothing is sent. [audio-thread]
  bool SendMidiMsg(const IMidiMsg& /*msg*/) override { return false; }

private:
  // The URIDs this adapter uses, from one host map.
  struct URIDs
  {
    LV2_URID mAtomChunk = 0; // atom:Chunk, the type of the state value
    LV2_URID mStateKey = 0;  // the state property of the serialized parameters
  };

  // The URIDs from the map among features, else from the one given at instantiation; false without a map.
  bool MapURIDs(const LV2_Feature* const* features, URIDs& urids) const;
  // Reads the maximum (else nominal) block length from the host's options; 0 when there is none.
  int BlockLengthFromOptions(const LV2_Feature* const* features) const;
  // Marks the URI's channels connected and the rest unconnected.
  void ConnectChannels();
  // Sets each parameter whose control port changed and differs from it (as a float). [audio-thread]
  void ApplyControlPorts();
  // The work of ApplyControlPorts once a port has changed; kept out of line so the per-block check stays
  // small. [audio-thread]
  [[gnu::noinline]] void ApplyChangedControlPorts();
  // Processes frames [offset, offset + nFrames) of the audio ports. [audio-thread]
  void ProcessSlice(uint32_t offset, int nFrames);
  // Whether size bytes can be the serialized state of this product.
  bool IsStateSize(size_t size) const;
  // The value parameter paramIdx will have after the next Run: its control port's when that changed since the
  // last Run, else its own. [any-thread]
  double PendingValue(int paramIdx) const;
  // The parameter list as stored: PendingValue of each parameter as a little-endian double.
  std::vector<uint8_t> StoredParameterList() const;
  // Reads a stored parameter list into the chunk the product's reader takes; false, leaving state as it
  // was, when a value is not finite or the list reads as one written in the other byte order.
  bool ReadStoredParameterList(const uint8_t* data, size_t size, IByteChunk& state) const;
  // Marks each connected control port's value, and each unconnected port as the parameter's value, as taken.
  void TakeControlPortsAsSeen();

  int mNInputs;                            // audio inputs of the plug-in URI
  int mNOutputs;                           // audio outputs of the plug-in URI
  float (*mReadMeter)(const IPlugLV2&);    // the product's meter; null: no meter port
  LV2_URID_Map* mMap = nullptr;            // the host's URID map from instantiation (not owned), or null
  std::string mStateKeyURI;                // the state property of the serialized parameters
  std::vector<const float*> mControlPorts; // one per parameter, host-owned, or null while unconnected
  std::vector<std::atomic<float>> mLastControlValues; // the control port values last taken, NaN before the first;
                                                      // written by Run and RestoreState, read by SaveState too
  float* mMeterPort = nullptr;             // host-owned meter port, or null
  std::vector<const float*> mInputPorts;   // host-owned audio inputs, or null
  std::vector<float*> mOutputPorts;        // host-owned audio outputs, or null
  std::vector<const float*> mInputSlice;   // per-slice input pointers handed to the frame; sized once
  std::vector<float*> mOutputSlice;        // per-slice output pointers handed to the frame; sized once
};
} // namespace iplug
