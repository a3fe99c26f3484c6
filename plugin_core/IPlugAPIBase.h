#pragma once

#include <memory>

#include "Config.h"
#include "IPlugMPSCQueue.h"
#include "IPlugQueue.h"
#include "IPluginBase.h"
#include "Timer.h"

namespace iplug
{

// Host identifiers found by SetHost; 0 is an unknown host and -1 a host not yet identified.
enum EHost
{
  kHostUninit = -1,
  kHostUnknown = 0,
  kHostReaper = 1,
  kHostProTools = 2,
  kHostCubase = 3,
  kHostNuendo = 4,
  kHostSonar = 5,
  kHostVegas = 6,
  kHostFL = 7,
  kHostSamplitude = 8,
  kHostAbletonLive = 9,
  kHostTracktion = 10,
  kHostNTracks = 11,
  kHostMelodyneStudio = 12,
  kHostVSTScanner = 13,
  kHostAULab = 14,
  kHostForte = 15,
  kHostChainer = 16,
  kHostAudition = 17,
  kHostOrion = 18,
  kHostBias = 19,
  kHostSAWStudio = 20,
  kHostLogic = 21,
  kHostGarageBand = 22,
  kHostDigitalPerformer = 23,
  kHostStandalone = 24,
  kHostAudioMulch = 25,
  kHostStudioOne = 26,
  kHostVST3TestHost = 27,
  kHostArdour = 28,
  kHostRenoise = 29,
  kHostOpenMPT = 30,
  kHostWaveLab = 31,
  kHostWaveLabElements = 32,
  kHostTwistedWave = 33,
  kHostBitwig = 34,
  kHostWWW = 35,
  kHostReason = 36,
  kHostGoldWave5x = 37,
  kHostWaveform = 38,
  kHostAudacity = 39,
  kHostAcoustica = 40,
  kHostPluginDoctor = 41,
  kHostiZotopeRX = 42,
  kHostSAVIHost = 43,
  kHostBlueCat = 44,
  kHostMixbus32C = 45,
  kHostMixbus = 46,
};

// The host-facing base of a plug-in instance: carries parameter changes between the user interface
// and the host, identifies the host, runs the 20 ms idle timer and owns the lock-free queues that
// carry parameter changes, MIDI and SysEx between the audio thread and the main thread. Host parameter
// calls may come on several threads at once, so their queue to the editor takes many producers.
class IPlugAPIBase : public IPluginBase
{
public:
  // Capacities of the queues between the audio side, the host and the editor.
  static constexpr int kParamChangeQueueSize = 512;
  static constexpr int kMidiQueueSize = 32;
  static constexpr int kSysExQueueSize = 4;
  // Period of the idle timer in milliseconds.
  static constexpr uint32_t kIdleTimerPeriodMs = 20;

  // Takes names, codes, version, editor size and flags from config. Main thread.
  IPlugAPIBase(const Config& config, EAPI plugAPI);
  // Stops the idle timer first.
  ~IPlugAPIBase() override;

  // True when every parameter's value equals the double at data + startPos + i (as floats, within 1e-5).
  virtual bool CompareState(const uint8_t* pStateData, int startPos) const;
  // The host asks the plug-in to show its about box; returns whether it did.
  virtual bool OnHostRequestingAboutBox() { return false; }
  // The host asks the plug-in to show its help; returns whether it did.
  virtual bool OnHostRequestingProductHelp() { return false; }
  // SetHost identified the host.
  virtual void OnHostIdentified() {}
  // Appends the indices 0 .. count-1 to results when count is below the number of parameters.
  virtual void OnHostRequestingImportantParameters(int count, WDL_TypedBuf<int>& results);
  // The host asks whether the editor supports a view of width x height; true only for 0 x 0.
  virtual bool OnHostRequestingSupportedViewConfiguration(int width, int height) { return width + height == 0; }
  // The host chose a view configuration.
  virtual void OnHostSelectedViewConfiguration(int /*width*/, int /*height*/) {}
  // Writes the name of a MIDI note; returns whether there is one (none by default).
  virtual bool GetMidiNoteText(int /*noteNumber*/, char* noteText) const;
  // The graphics context for hosts that embed the editor's interface directly (none here).
  virtual void* GetAAXViewInterface() { return nullptr; }
  // Called by the idle timer after the queues are drained. Main thread.
  virtual void OnIdle() {}
  // Writes the host's track colour (0..255 each); nothing by default.
  virtual void GetTrackColor(int& /*r*/, int& /*g*/, int& /*b*/) {}
  // Writes the host's track name; nothing by default.
  virtual void GetTrackName(WDL_String& /*str*/) {}
  // The host's track index; 0 by default.
  virtual int GetTrackIndex() { return 0; }
  // Writes the host's track namespace (folder) name; nothing by default.
  virtual void GetTrackNamespace(WDL_String& /*str*/) {}
  // The host's track namespace index; 0 by default.
  virtual int GetTrackNamespaceIndex() { return 0; }
  // The host set a parameter (already stored): queues the real value for the editor. Any thread, several at once.
  virtual void SendParameterValueFromAPI(int paramIdx, double value, bool normalized);
  // Host-specific set-up after identification.
  virtual void HostSpecificInit() {}
  // Asks the host to resize the editor to width x height pixels; false by default.
  virtual bool EditorResize(int /*width*/, int /*height*/) { return false; }
  // Tells the host a user gesture on a parameter begins.
  virtual void BeginInformHostOfParamChange(int /*paramIdx*/) {}
  // Tells the host a user gesture on a parameter ends.
  virtual void EndInformHostOfParamChange(int /*paramIdx*/) {}
  // Tells the host a parameter now has a normalised value.
  virtual void InformHostOfParamChange(int /*paramIdx*/, double /*normalizedValue*/) {}
  // Sends MIDI from the audio side towards the editor; nothing by default.
  virtual void TransmitMidiMsgFromProcessor(const IMidiMsg& /*msg*/) {}
  // Sends SysEx from the audio side towards the editor; nothing by default.
  virtual void TransmitSysExDataFromProcessor(const SysExData& /*data*/) {}

  // Delegate operations routed through the host.
  void SendParameterValueFromUI(int paramIdx, double normalizedValue) override;
  void BeginInformHostOfParamChangeFromUI(int paramIdx) override { BeginInformHostOfParamChange(paramIdx); }
  void EndInformHostOfParamChangeFromUI(int paramIdx) override { EndInformHostOfParamChange(paramIdx); }
  void DirtyParametersFromUI() override;
  bool EditorResizeFromUI(int width, int height, bool needsPlatformResize) override;
  void SendMidiMsgFromUI(const IMidiMsg& msg) override { DeferMidiMsg(msg); }
  void SendSysexMsgFromUI(const ISysEx& msg) override { DeferSysexMsg(msg); }
  void SendArbitraryMsgFromUI(int msgTag, int ctrlTag = -1, int dataSize = 0, const void* pData = nullptr) override;
  void DeferMidiMsg(const IMidiMsg& msg) override { mMidiMsgsFromEditor.Push(msg); }
  void DeferSysexMsg(const ISysEx& msg) override;

  // Sets a parameter from the user interface: store, inform the host, then OnParamChange(kUI). Main thread.
  void SetParameterValue(int paramIdx, double normalizedValue);
  // Identifies the host from its name (case-insensitive substring, first match in a fixed order) and packed version.
  void SetHost(const char* host, int version);
  // (Re)creates the idle timer, which calls OnTimer every 20 ms. Main thread.
  void CreateTimer();
  // One idle tick: drains the editor queues (when there is an editor) in order, then calls OnIdle. Main thread.
  void OnTimer(Timer& timer);

protected:
  IPlugMPSCQueue<ParamTuple> mParamChangeToUIQueue{kParamChangeQueueSize}; // parameter changes from any thread to the editor
  IPlugQueue<IMidiMsg> mMidiMsgsFromEditor{kMidiQueueSize}; // MIDI from the editor to the audio thread
  IPlugQueue<IMidiMsg> mMidiMsgsFromProcessor{kMidiQueueSize}; // MIDI from the audio thread to the editor
  IPlugQueue<SysExData> mSysExDataFromEditor{kSysExQueueSize}; // SysEx from the editor to the audio thread
  IPlugQueue<SysExData> mSysExDataFromProcessor{kSysExQueueSize}; // SysEx from the audio thread to the editor

private:
  std::unique_ptr<Timer> mTimer;
};

// Formats the current local time with its offset from UTC ("20261207 21:05 +0100") into the
// process-wide diagnostic text and returns it. Main thread.
const char* CurrentTime();

// The host identifier for a host name: first table text found in the lower-cased name, else kHostUnknown.
int LookUpHost(const char* hostName);

} // namespace iplug
