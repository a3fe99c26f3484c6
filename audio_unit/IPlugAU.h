#pragma once

#include <AudioToolbox/AudioToolbox.h>
#include <AudioUnit/AudioUnit.h>
#include <CoreFoundation/CoreFoundation.h>
#include <CoreMIDI/CoreMIDI.h>

#include "IPlugAPIBase.h"
#include "IPlugProcessor.h"
#include "InstanceInfo.h"
#include "RenderGate.h"
#include "RenderNotifyList.h"
#include "WDL_HeapBuf.h"
#include "WDL_PtrList.h"
#include "WDL_String.h"

namespace iplug
{
class IPlugAU;

// Private property through which the view factory fetches the plug-in object: 8 bytes, any scope, get only.
inline constexpr AudioUnitPropertyID kPlugInstancePropertyID = static_cast<AudioUnitPropertyID>(-101);

// How an input bus gets its audio.
enum EAUInputType
{
  eNotConnected = 0,     // no source
  eDirectFastProc = 1,   // an upstream unit, called through its fast render function
  eDirectNoFastProc = 2, // an upstream unit, called through AudioUnitRender
  eRenderCallback = 3    // a host render callback
};

// Display name of an input kind ("DirectFastProc", ...); "NotConnected" for any value outside 1..3. Static text.
const char* AUInputTypeStr(int type);

// Packs a bundle version text: up to three decimal fields, each after one separator character, as
// major << 16 | minor << 8 | revision (minor and revision taken as 8 bits, major as 16); missing fields are 0,
// and so is the whole version for a null or empty text.
int ParseHostBundleVersion(const char* versionStr);

// The start of every instance block that the component factory hands the host: the platform's plug-in
// interface, extended by the factory's own construct and destruct functions and two spare slots. The
// plug-in object follows right behind it, so every method finds its object at this fixed distance.
struct AUInstanceHeader
{
  AudioComponentPlugInInterface mInterface;                              // Open, Close, Lookup, reserved (null)
  IPlugAU* (*mConstruct)(void* memory, AudioComponentInstance instance); // builds the object in memory
  void (*mDestruct)(void* object);                                       // runs the object's destructor in place
  void* mSpare[2];                                                       // null
};
static_assert(sizeof(AUInstanceHeader) == 8 * sizeof(void*), "the instance header has eight pointer slots");

// Builds the product's plug-in object for the Audio Unit factory: in memory when it is non-null, otherwise
// in a new heap object (deleted by the legacy close). Defined by the product; main thread.
IPlugAU* MakePlug(void* memory);

// The Audio Unit v2 adapter: answers the host's selector calls (lifecycle, properties, parameters,
// listeners, render) for one plug-in instance. The product class derives from it, and from nothing else,
// so that the IPlugAU part sits at the start of the object. Unless stated otherwise every call runs on the
// thread the host makes it on, which for everything but rendering and parameter calls is the main thread.
// The render thread never waits: bypass, reset, sample rate and (de)activation are requests it carries out
// before its next block; render notifications are published copies; changes of buses, formats, connections,
// host callbacks and the block size hold the render gate, and a render that meets them turns back with
// kAudioUnitErr_CannotDoInCurrentContext. Property listeners are not guarded: the host adds and removes
// them on one thread.
class IPlugAU : public IPlugAPIBase, public IPlugProcessor
{
public:
  // Largest channel count of an input bus: inputs are pulled through a buffer list on the stack.
  static constexpr int kMaxInputBusChannels = 128;
  // Maximum frames per slice until the host sets it.
  static constexpr int kDefaultBlockSize = 512;
  // Bytes of the MIDI output packet list, allocated once at construction.
  static constexpr int kMidiPacketListBytes = 4096;
  // Largest maximum frames per slice a host may set.
  static constexpr int kMaxBlockSize = 1 << 16;

  // One bus as the host sees it; owned by the bus list.
  struct BusChannels
  {
    bool mConnected = false;   // input: has a source; output: has been rendered
    int mNHostChannels = -1;   // channels the host declared through a stream format; -1 not declared
    int mNPlugChannels = 0;    // channels the plug-in offers on this bus
    int mPlugChannelStart = 0; // index of the bus's first channel in the processor's channel list
  };

  // Where one input bus pulls its audio from; owned by the connection list.
  struct InputBusConnection
  {
    void* mUpstreamObject = nullptr;                   // the upstream instance's storage, for its fast render function
    AudioUnit mUpstreamUnit = nullptr;                 // the upstream unit
    int mUpstreamBus = 0;                              // the upstream unit's output bus
    AudioUnitRenderProc mUpstreamRenderProc = nullptr; // the upstream unit's fast render function
    AURenderCallbackStruct mUpstreamCallback = {};     // the host's render callback and its reference
    EAUInputType mInputType = eNotConnected;           // which of the above is used
  };

  // A host function told when one property is set; owned by the listener list.
  struct PropertyListener
  {
    AudioUnitPropertyID mPropID = 0;                       // the property listened to
    AudioUnitPropertyListenerProc mListenerProc = nullptr; // the host's function
    void* mProcArgs = nullptr;                             // the host's user data, handed back
  };

  // Builds both bases for the Audio Unit API, the bus and connection records and scratch buffers for a
  // block size of 512, and starts the idle timer. Main thread.
  IPlugAU(const InstanceInfo& info, const Config& config);
  // Stops the idle timer (in the base) and frees every record and buffer.
  ~IPlugAU() override;

  // The object of an instance block: right behind its eight-slot header.
  static IPlugAU* PlugFromBlock(void* block);

  // Selector methods handed out by the factory's Lookup, one per selector with the platform's signature;
  // self is the instance block. Each runs the Do operation (or property call) of the same name.
  static OSStatus AUMethodInitialize(void* self);
  static OSStatus AUMethodUninitialize(void* self);
  static OSStatus AUMethodGetPropertyInfo(void* self, AudioUnitPropertyID propID, AudioUnitScope scope,
                                          AudioUnitElement element, UInt32* outDataSize, Boolean* outWritable);
  static OSStatus AUMethodGetProperty(void* self, AudioUnitPropertyID propID, AudioUnitScope scope,
                                      AudioUnitElement element, void* outData, UInt32* ioDataSize);
  static OSStatus AUMethodSetProperty(void* self, AudioUnitPropertyID propID, AudioUnitScope scope,
                                      AudioUnitElement element, const void* inData, UInt32 inDataSize);
  static OSStatus AUMethodAddPropertyListener(void* self, AudioUnitPropertyID propID,
                                              AudioUnitPropertyListenerProc proc, void* userData);
  static OSStatus AUMethodRemovePropertyListener(void* self, AudioUnitPropertyID propID,
                                                 AudioUnitPropertyListenerProc proc);
  static OSStatus AUMethodRemovePropertyListenerWithUserData(void* self, AudioUnitPropertyID propID,
                                                             AudioUnitPropertyListenerProc proc, void* userData);
  static OSStatus AUMethodAddRenderNotify(void* self, AURenderCallback proc, void* refCon);
  static OSStatus AUMethodRemoveRenderNotify(void* self, AURenderCallback proc, void* refCon);
  static OSStatus AUMethodGetParameter(void* self, AudioUnitParameterID paramID, AudioUnitScope scope,
                                       AudioUnitElement element, AudioUnitParameterValue* value);
  static OSStatus AUMethodSetParameter(void* self, AudioUnitParameterID paramID, AudioUnitScope scope,
                                       AudioUnitElement element, AudioUnitParameterValue value, UInt32 offsetFrames);
  static OSStatus AUMethodScheduleParameters(void* self, const AudioUnitParameterEvent* events, UInt32 nEvents);
  static OSStatus AUMethodRender(void* self, AudioUnitRenderActionFlags* flags, const AudioTimeStamp* time,
                                 UInt32 outputBusNumber, UInt32 nFrames, AudioBufferList* ioData);
  static OSStatus AUMethodReset(void* self, AudioUnitScope scope, AudioUnitElement element);
  static OSStatus AUMethodMIDIEvent(void* self, UInt32 status, UInt32 data1, UInt32 data2, UInt32 offsetSampleFrame);
  static OSStatus AUMethodSysEx(void* self, const UInt8* data, UInt32 length);

  // The operations behind the selectors, shared with the legacy entry.
  // Identifies the host, checks the declared channel counts, resets the parameters' handlers and asks for
  // activation before the next block; badComponentSelector when illegal.
  static OSStatus DoInitialize(IPlugAU* plug);
  // Deactivates, asking for OnActivate(false) before the next block. Returns 0.
  static OSStatus DoUninitialize(IPlugAU* plug);
  // Asks for OnReset before the next block; scope and element do not matter. Returns 0.
  static OSStatus DoReset(IPlugAU* plug);
  // Reads a global parameter's value. Any thread.
  static OSStatus DoGetParameter(IPlugAU* plug, AudioUnitParameterID paramID, AudioUnitScope scope,
                                 AudioUnitElement element, AudioUnitParameterValue* value);
  // Sets a global parameter from the host; the buffer offset is not used. Any thread, several at once.
  static OSStatus DoSetParameter(IPlugAU* plug, AudioUnitParameterID paramID, AudioUnitScope scope,
                                 AudioUnitElement element, AudioUnitParameterValue value, UInt32 offsetFrames);
  // Applies the immediate events in order (ramps are ignored); stops at the first bad one.
  static OSStatus DoScheduleParameters(IPlugAU* plug, const AudioUnitParameterEvent* events, UInt32 nEvents);
  // Adds a listener unless the same function already listens to propID.
  static OSStatus DoAddPropertyListener(IPlugAU* plug, AudioUnitPropertyID propID,
                                        AudioUnitPropertyListenerProc proc, void* userData);
  // Removes the first listener of propID with this function.
  static OSStatus DoRemovePropertyListener(IPlugAU* plug, AudioUnitPropertyID propID,
                                           AudioUnitPropertyListenerProc proc);
  // Removes the first listener of propID with this function and user data.
  static OSStatus DoRemovePropertyListenerWithUserData(IPlugAU* plug, AudioUnitPropertyID propID,
                                                       AudioUnitPropertyListenerProc proc, void* userData);
  // Appends a render notification (duplicates allowed); safe while rendering.
  static OSStatus DoAddRenderNotify(IPlugAU* plug, AURenderCallback proc, void* refCon);
  // Removes the first render notification with this function and reference; safe while rendering.
  static OSStatus DoRemoveRenderNotify(IPlugAU* plug, AURenderCallback proc, void* refCon);
  // Hands one MIDI message to the processor and the editor; badComponentSelector without MIDI input. Audio thread.
  static OSStatus DoMIDIEvent(IPlugAU* plug, UInt32 status, UInt32 data1, UInt32 data2, UInt32 offsetSampleFrame);
  // Hands one SysEx message to the processor; badComponentSelector without MIDI input. Audio thread.
  static OSStatus DoSysEx(IPlugAU* plug, const UInt8* data, UInt32 length);
  // Renders nFrames of output bus outputBusNumber into ioData (null buffers are provided here). Audio thread.
  static OSStatus RenderProc(void* self, AudioUnitRenderActionFlags* flags, const AudioTimeStamp* time,
                             UInt32 outputBusNumber, UInt32 nFrames, AudioBufferList* ioData);

  // The legacy Component Manager entry. params holds the call's arguments in one pointer-sized slot each,
  // first argument first; storage is the object (null on open). Returns the call's status.
  static OSStatus IPlugAUEntry(ComponentParameters* params, void* storage);

  // Info form (data null: size and writability only) and get form of every property.
  OSStatus GetProperty(AudioUnitPropertyID propID, AudioUnitScope scope, AudioUnitElement element,
                       UInt32* dataSize, Boolean* writable, void* data);
  // Sets a property from *dataSize bytes at data, after telling its listeners.
  OSStatus SetProperty(AudioUnitPropertyID propID, AudioUnitScope scope, AudioUnitElement element,
                       UInt32* dataSize, const void* data);

  // Whether the channel counts the host declared so far are legal (true when none were).
  bool CheckLegalIO() const;
  // Calls every listener of propID, in registration order, with element 0.
  void InformListeners(AudioUnitPropertyID propID, AudioUnitScope scope);

  // A new ClassInfo dictionary of the current state (caller owns). Main thread.
  virtual OSStatus GetState(CFPropertyListRef* ppPropList);
  // Restores a ClassInfo dictionary; kAudioUnitErr_InvalidPropertyValue (parameters untouched) when it
  // is not this plug-in's or its data does not fit. Main thread.
  virtual OSStatus SetState(CFPropertyListRef pPropList);

  // Host notifications: gesture begin, value change and gesture end as parameter events to the host's event
  // listeners; preset, parameter-list and latency changes to the property listeners (latency before it changes).
  void BeginInformHostOfParamChange(int paramIdx) override;
  void InformHostOfParamChange(int paramIdx, double normalizedValue) override;
  void EndInformHostOfParamChange(int paramIdx) override;
  void InformHostOfPresetChange() override;
  void InformHostOfParameterDetailsChange() override;
  void SetLatency(int samples) override;
  // The context name the host set.
  void GetTrackName(WDL_String& str) override;

  // MIDI output through the host's callback; false without one. Audio thread.
  bool SendMidiMsg(const IMidiMsg& msg) override;
  bool SendMidiMsgs(WDL_TypedBuf<IMidiMsg>& msgs) override;
  bool SendSysEx(const ISysEx& sysEx) override;

private:
  // Legacy open: a new heap object that becomes the instance's storage.
  static OSStatus LegacyOpen(ComponentInstance instance);
  // Legacy close: returns every bus to the unconnected state, then deletes the object.
  void LegacyClose();

  // Creates nBuses bus records of route (and their connection records for inputs), channels numbered in order.
  void CreateBuses(ERoute route, int nBuses);
  // Sizes the float scratch buffers for the block size, zero-filled; false when memory ran out.
  bool ResizeScratchBuffers();
  // Channels a scratch buffer of route carries: enough for the processor and for every bus.
  int NScratchChannels(ERoute route) const;

  // The bus list of route.
  WDL_PtrList<BusChannels>& Buses(ERoute route) { return route == kOutput ? mOutBuses : mInBuses; }
  const WDL_PtrList<BusChannels>& Buses(ERoute route) const { return route == kOutput ? mOutBuses : mInBuses; }
  // Input scope: input bus element; output or global scope: output bus element; otherwise null.
  BusChannels* GetBus(AudioUnitScope scope, AudioUnitElement element);
  // Sum of the declared channel counts of the list's buses other than excludeIdx; -1 when none is declared.
  static int NHostChannelsConnected(const WDL_PtrList<BusChannels>& list, int excludeIdx);
  // Whether nChannels on bus busIdx of scope, with what the other buses declared, is a legal layout.
  bool CheckLegalIO(AudioUnitScope scope, int busIdx, int nChannels) const;
  // Works out each input bus's kind of source and the processor's input connections. Main thread.
  void AssessInputConnections();
  // Tags of the channel layouts bus element of scope can carry; writes them when tags is non-null.
  int GetChannelLayoutTags(AudioUnitScope scope, AudioUnitElement element, AudioChannelLayoutTag* tags) const;

  // Identifies the host from the identifier and version of the process's main bundle.
  void IdentifyHostFromMainBundle();

  // Get handlers: each reports size (and writability where it varies) and, when data is non-null, checks the
  // host's buffer (its capacity is *dataSize on entry) and fills it. Objects handed out belong to the host.
  // ClassInfo: a new dictionary of the current state.
  OSStatus GetClassInfo(UInt32* dataSize, Boolean* writable, void* data);
  // The parameter IDs in global scope; nothing in any other.
  OSStatus GetParameterList(AudioUnitScope scope, UInt32* dataSize, void* data);
  // The description of parameter element.
  OSStatus GetParameterInfo(AudioUnitScope scope, AudioUnitElement element, UInt32* dataSize, void* data);
  // The format of a bus: non-interleaved 32-bit float at the processor's sample rate.
  OSStatus GetStreamFormat(AudioUnitScope scope, AudioUnitElement element, UInt32* dataSize, Boolean* writable,
                           void* data);
  // The number of buses of a scope (1 for global).
  OSStatus GetElementCount(AudioUnitScope scope, UInt32* dataSize, void* data);
  // One input/output channel-count pair per layout.
  OSStatus GetSupportedNumChannels(AudioUnitScope scope, UInt32* dataSize, void* data);
  // A new array with the display text of each value of parameter element.
  OSStatus GetParameterValueStrings(AudioUnitScope scope, AudioUnitElement element, UInt32* dataSize, void* data);
  // The tail length in seconds.
  OSStatus GetTailTime(AudioUnitScope scope, UInt32* dataSize, Boolean* writable, void* data);
  // A new array of CFAUPreset records, one per preset.
  OSStatus GetFactoryPresets(UInt32* dataSize, void* data);
  // The current preset's number and a new string of its name.
  OSStatus GetCurrentPreset(UInt32* dataSize, Boolean* writable, void* data);
  // A new string naming bus element of the input or output scope.
  OSStatus GetElementName(AudioUnitScope scope, AudioUnitElement element, UInt32* dataSize, void* data);
  // The view factory's bundle URL and class name, both new.
  OSStatus GetCocoaUI(UInt32* dataSize, void* data);
  // Hands a host's ControlValue to the editor's control with that tag (main thread).
  OSStatus SetControlValue(AudioUnitScope scope, const void* data, UInt32 size);
  // The layout tags of a bus.
  OSStatus GetSupportedChannelLayoutTags(AudioUnitScope scope, AudioUnitElement element, UInt32* dataSize,
                                         Boolean* writable, void* data);
  // The host's record gets a new string with the display text of its value.
  OSStatus GetParameterStringFromValue(AudioUnitScope scope, UInt32* dataSize, void* data);
  // The host's record gets a new string with the parameter's name, cut to the length asked for.
  OSStatus GetParameterIDName(AudioUnitScope scope, UInt32* dataSize, void* data);
  // The host's record gets a new string with the name of its clump.
  OSStatus GetParameterClumpName(AudioUnitScope scope, UInt32* dataSize, void* data);
  // The host's record gets the value its text stands for.
  OSStatus GetParameterValueFromString(AudioUnitScope scope, UInt32* dataSize, void* data);
  // Fills the host's parameter record for parameter paramIdx.
  void FillParameterInfo(int paramIdx, AudioUnitParameterInfo& info);
  // The 1-based clump of a group name, appending the name to the plug-in's group list when it is new.
  int ClumpID(const char* groupName);

  // Set handlers: data holds dataSize bytes; a null or short record is kAudioUnitErr_InvalidPropertyValue.
  // ClassInfo: restores the dictionary.
  OSStatus SetClassInfo(const void* data, UInt32 dataSize);
  // Connects an upstream unit's output to an input bus, or disconnects it.
  OSStatus SetMakeConnection(AudioUnitScope scope, const void* data, UInt32 dataSize);
  // A positive, finite sample rate, then OnReset before the next block.
  OSStatus SetSampleRateProperty(const void* data, UInt32 dataSize);
  // Declares a bus's channel count (and sample rate) when the format is one the render path handles (native
  // 32-bit float, non-interleaved) and legal.
  OSStatus SetStreamFormat(AudioUnitScope scope, AudioUnitElement element, const void* data, UInt32 dataSize);
  // A block size of 1 to kMaxBlockSize frames, with scratch memory for it (holding the render gate), then
  // OnReset before the next block.
  OSStatus SetMaxFramesPerSlice(AudioUnitScope scope, const void* data, UInt32 dataSize);
  // Bypass on or off at once; the processor is (de)activated and reset before the next block.
  OSStatus SetBypass(AudioUnitScope scope, const void* data, UInt32 dataSize);
  // Feeds an input bus from a host render callback, or disconnects it.
  OSStatus SetRenderCallback(AudioUnitScope scope, AudioUnitElement element, const void* data, UInt32 dataSize);
  // Stores the host's name for the unit's track.
  OSStatus SetContextName(const void* data, UInt32 dataSize);
  // Stores the host's musical-time callbacks (a shorter, older record leaves the rest null).
  OSStatus SetHostCallbacks(AudioUnitScope scope, const void* data, UInt32 dataSize);
  // Recalls the preset of the record's number.
  OSStatus SetCurrentPreset(const void* data, UInt32 dataSize);
  // Whether the host renders faster than real time.
  OSStatus SetOfflineRender(const void* data, UInt32 dataSize);
  // Identifies the host by name and version, unless it was identified already.
  OSStatus SetHostIdentifier(const void* data, UInt32 dataSize);
  // Stores the host's MIDI output callback.
  OSStatus SetMIDIOutputCallback(const void* data, UInt32 dataSize);
  // Applies a stream format to an existing bus; the status of the stream-format set.
  OSStatus ApplyStreamFormat(AudioUnitScope scope, AudioUnitElement element, BusChannels& bus,
                             const AudioStreamBasicDescription& format);

  // Checks a ClassInfo dictionary before anything changes; yields its preset name (cut to fit) and its data.
  bool ValidateClassInfo(CFPropertyListRef pPropList, char* presetName, int presetNameSize, IByteChunk& state) const;
  // Whether a serialized state of size bytes has the layout this plug-in writes.
  bool IsStateSize(int size) const;

  // A host parameter set, shared by the set and schedule calls.
  OSStatus SetParameterFromHost(AudioUnitParameterID paramID, AudioUnitScope scope, AudioUnitParameterValue value);
  // Posts one parameter event to the host's event listeners.
  void NotifyParameterEvent(AudioUnitEventType type, int paramIdx);

  // Render path (audio thread), one step of RenderProc each.
  // Checks the call and renders it with the gate held; returns the render's status.
  OSStatus Render(const AudioTimeStamp& time, UInt32 outputBusNumber, UInt32 nFrames, AudioBufferList& ioData);
  // Pulls every connected input bus, once per time stamp; the first failing pull's status.
  OSStatus PullInputs(const AudioTimeStamp* time, UInt32 nFrames);
  // Pulls one input bus from its source and attaches what came back to the processor.
  OSStatus PullInputBus(int busIdx, const AudioTimeStamp* time, UInt32 nFrames);
  // Connects as many of the bus's channels as the host declared or hands buffers for, and no more, at every
  // render, so a bus follows every change of format or buffer count.
  void ConnectOutputBus(BusChannels& bus, const AudioBufferList& ioData);
  // Attaches the host's output buffers, providing scratch memory for null ones.
  void AttachOutputBuffers(const BusChannels& bus, AudioBufferList& ioData, UInt32 nFrames);
  // Index of the last connected output bus (the one before the first unconnected), or -1.
  int LastConnectedOutputBus() const;
  // Disconnects the later buses, then processes the block, or passes it through while bypassed.
  void RunProcessor(UInt32 outputBusNumber, UInt32 nFrames);
  // Sends the SysEx messages the editor queued.
  void SendQueuedSysEx();
  // Fills the processor's transport record from the host callbacks.
  void PreProcess();
  // Hands a packet list to the host's MIDI output callback; true when it took it.
  bool SendPacketList(const MIDIPacketList* packets);
  // The packet-list buffer made at construction; null when memory ran out then.
  MIDIPacketList* PacketListBuffer();
  // Adds bytes to the fixed packet list; when it is full, sends it first (clearing sent on failure) and
  // starts over. Null when even an empty list cannot hold the bytes.
  MIDIPacket* AddToPacketList(MIDIPacketList* packets, MIDIPacket* packet, MIDITimeStamp time, ByteCount nBytes,
                              const Byte* data, bool& sent);

  bool mActive = false;                                           // between a successful Initialize and Uninitialize
  double mLastRenderSampleTime = -1.0;                            // sample time at which inputs were last pulled
  WDL_String mViewFactoryClassName;                               // class name of the Cocoa view factory
  AudioComponentInstance mComponentInstance = nullptr;            // the host's handle, passed back to listeners
  HostCallbackInfo mHostCallbacks = {};                           // the host's musical-time callbacks
  WDL_PtrList_DeleteOnDestroy<BusChannels> mInBuses;              // one record per input bus
  WDL_PtrList_DeleteOnDestroy<BusChannels> mOutBuses;             // one record per output bus
  WDL_PtrList_DeleteOnDestroy<InputBusConnection> mInBusConnections; // one record per input bus
  WDL_PtrList_DeleteOnDestroy<PropertyListener> mPropertyListeners;  // in registration order
  // The scratch buffers always hold channels x block size floats: the block size drops to 0 when they cannot.
  WDL_TypedBuf<float> mInScratchBuf;                              // input channels x block size, for render callbacks
  WDL_TypedBuf<float> mOutScratchBuf;                             // output channels x block size, for null host buffers
  RenderGate mRenderGate;                                         // keeps reconfigurations and renders apart
  RenderNotifyList mRenderNotify;                                 // render notifications, in order
  AUMIDIOutputCallbackStruct mMidiCallback = {};                  // the host's MIDI output
  AudioTimeStamp mLastRenderTimeStamp = {};                       // time stamp of the current render call
  WDL_String mTrackName;                                          // context name set by the host
  WDL_String mParamDisplayStr;                                    // text of the last string-from-value conversion
  WDL_HeapBuf mMidiPacketBuf{256};                                // the MIDI output packet list, sized once at construction

  template <class Plug, bool DoesMIDIIn>
  friend struct IPlugAUFactory;
};
} // namespace iplug
