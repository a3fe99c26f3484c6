#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "AppSettings.h"

class RtAudio;

namespace iplug
{
class IPlugAPP;

// One device of an audio driver as the program lists it.
struct AppAudioDevice
{
  std::string name;            // the driver's name for it (for JACK: a client with ports, e.g. "system")
  unsigned inputs = 0;         // input channels
  unsigned outputs = 0;        // output channels
  std::vector<unsigned> rates; // sample rates it offers, Hz
  unsigned preferredRate = 0;  // the rate it prefers, Hz (0: none)
};

// DSP load and xruns of the running stream, as the settings page and --stats show them.
struct AppAudioLoad
{
  double mean = 0.0; // time spent processing / time the blocks last, since the last reading (1 = 100 %)
  double peak = 0.0; // the largest share of one block, since the last reading
};

// The program's audio stream through RtAudio: one duplex stream (output only for a plug-in without inputs)
// on the driver and devices the settings name, in planar 32-bit floats, whose callback hands each block to
// the plug-in under the render allocation guard and counts the xruns the driver reports. Opened, restarted
// and closed on the main thread. [main-thread]
class AppAudio
{
public:
  // The drivers this build can use, in the order they are tried when none is chosen. [any-thread]
  static const std::vector<std::string>& Drivers();
  // The devices of driver; false with a one-line error when the driver is unknown or cannot be reached.
  static bool ListDevices(const std::string& driver, std::vector<AppAudioDevice>& devices, std::string& error);

  // A stream for plug, named clientName where the driver names streams (JACK: the client and its ports).
  AppAudio(IPlugAPP& plug, std::string clientName);
  // Stops and closes the stream.
  ~AppAudio();
  AppAudio(const AppAudio&) = delete;
  AppAudio& operator=(const AppAudio&) = delete;

  // Stops any stream, then opens and starts one as settings ask: an empty driver picks the first of Drivers()
  // that has a device; devices by name or by number, else the driver's defaults; the plug-in's widest channel
  // layout the devices take; the rate and buffer asked, else the device's. settings then holds what runs.
  // With connect, JACK's ports are connected to the devices' ports. False with a one-line error (an unknown
  // device, a rate the device refuses, no layout that fits) and no stream.
  bool Start(AppSettings& settings, bool connect, std::string& error);
  // Stops and closes the stream, if one runs.
  void Stop();
  // Whether a stream runs.
  bool Running() const { return mRunning; }

  // Of the running (or last) stream: sample rate in Hz, frames per block, channels.
  unsigned SampleRate() const { return mSampleRate; }
  unsigned BufferFrames() const { return mBufferFrames; }
  int NInputs() const { return static_cast<int>(mInputs.size()); }
  int NOutputs() const { return static_cast<int>(mOutputs.size()); }
  // Blocks the driver reported as late (input overflow or output underflow) since the program started. [any-thread]
  uint64_t Xruns() const { return mXruns.load(std::memory_order_relaxed); }
  // Blocks processed since the program started. [any-thread]
  uint64_t Blocks() const { return mBlocks.load(std::memory_order_relaxed); }
  // The load since the previous call (or the stream's start), and starts the next measurement.
  AppAudioLoad ReadLoad();
  // The load over the whole run of the program.
  double MeanLoadOverall() const;

private:
  // RtAudio's callback: one block of planar floats. [audio-thread]
  static int Callback(void* output, void* input, unsigned nFrames, double streamTime, unsigned status, void* user);
  // Processes one block and measures it. Allocates nothing, takes no lock. [audio-thread]
  void Process(float* output, const float* input, unsigned nFrames, unsigned status);

  IPlugAPP& mPlug;
  std::string mClientName;
  std::unique_ptr<RtAudio> mAudio;
  bool mRunning = false;
  unsigned mSampleRate = 0;
  unsigned mBufferFrames = 0;
  std::vector<const float*> mInputs; // per-block channel pointers into the device's planar buffer; sized at Start
  std::vector<float*> mOutputs;
  std::atomic<uint64_t> mXruns{0};
  std::atomic<uint64_t> mBlocks{0};
  std::atomic<uint64_t> mBusyNs{0};   // processing time, ns, summed over every block
  std::atomic<uint64_t> mPeriodNs{0}; // the blocks' duration at the sample rate, ns, summed likewise
  std::atomic<uint32_t> mPeakPermille{0}; // the largest block's load since the last reading, in 1/1000
  uint64_t mLastBusyNs = 0;
  uint64_t mLastPeriodNs = 0;
};

} // namespace iplug
