#pragma once

#include <atomic>
#include <functional>
#include <vector>

#include "IPlugAPIBase.h"
#include "IPlugProcessor.h"
#include "IPlugQueue.h"
#include "InstanceInfo.h"

namespace iplug
{

// The standalone program's adapter: the plug-in object as the program (its own host) sees it. The program's
// audio device calls ProcessDeviceBlock on its audio thread with planar float buffers; MIDI from the device's
// input thread and MIDI the plug-in sends cross through single-producer, single-consumer rings; the editor,
// the idle timer and the program's state run on the main thread. The product class derives from it and from
// nothing else.
class IPlugAPP : public IPlugAPIBase, public IPlugProcessor
{
public:
  // Capacity of each MIDI ring between the device threads and the audio thread.
  static constexpr int kMidiRingSize = 1024;
  // Frames per block until a device is opened.
  static constexpr int kDefaultBlockSize = 512;
  // Control tag of the settings button the adapter puts on the editor; chosen far above any product's tags.
  static constexpr int kSettingsButtonTag = 0x41505053;

  // Builds both bases for the standalone program and starts the idle timer. [main-thread]
  IPlugAPP(const InstanceInfo& info, const Config& config);
  ~IPlugAPP() override;

  // Makes the object ready for a device stream of nInputs and nOutputs channels at sampleRate with blocks of
  // at most blockSize frames: connects that many channels and asks for activation and reset before the first
  // block. Only while no stream runs. [main-thread]
  void PrepareStream(double sampleRate, int blockSize, int nInputs, int nOutputs);
  // Processes one device block: takes the waiting MIDI, runs pending activation and reset, then processes
  // nFrames frames of the planar buffers (in slices of the block size), or passes the inputs through while
  // bypassed. Allocates nothing, takes no lock, makes no system call. [audio-thread]
  void ProcessDeviceBlock(const float* const* inputs, int nInputs, float* const* outputs, int nOutputs, int nFrames);

  // Queues a message from the MIDI input device for the next block (from the MIDI input device's thread); false when the ring is full. [any-thread]
  bool ReceiveMidiFromDevice(const IMidiMsg& msg);
  // Takes the oldest message the plug-in sent, for the MIDI output device; false when none waits. [main-thread]
  bool TakeMidiForDevice(IMidiMsg& msg);
  // Queues msg for the MIDI output device; false when the ring is full or the plug-in sends no MIDI. [audio-thread]
  bool SendMidiMsg(const IMidiMsg& msg) override;

  // Called with the editor's new size in device pixels whenever the editor resizes itself. [main-thread]
  void SetEditorResizeHandler(std::function<void(int width, int height)> handler) { mResizeHandler = std::move(handler); }
  // Called when the settings button on the editor is clicked. [main-thread]
  void SetSettingsHandler(std::function<void()> handler) { mSettingsHandler = std::move(handler); }
  // Passes the editor's new size to the resize handler; true when there is one. [main-thread]
  bool EditorResize(int width, int height) override;
  // Lays out the product's editor, then puts the settings button at its top-right corner. [main-thread]
  void LayoutUI(igraphics::IGraphics* pGraphics) override;

  // Messages dropped because a MIDI ring was full. [any-thread]
  unsigned DroppedMidi() const { return mDroppedMidi.load(std::memory_order_relaxed); }

private:
  // Processes frames [offset, offset + nFrames) of the device buffers. [audio-thread]
  void ProcessSlice(const float* const* inputs, int nInputs, float* const* outputs, int nOutputs, int offset,
                    int nFrames);
  // Copies each input to the output of the same index, silence where there is no input. [audio-thread]
  static void PassThrough(const float* const* inputs, int nInputs, float* const* outputs, int nOutputs, int nFrames);

  IPlugQueue<IMidiMsg> mMidiFromDevice{kMidiRingSize}; // MIDI input thread -> audio thread
  IPlugQueue<IMidiMsg> mMidiToDevice{kMidiRingSize};   // audio thread -> main thread
  std::atomic<unsigned> mDroppedMidi{0};
  std::vector<const float*> mInputSlice;  // per-slice input pointers; sized once per stream
  std::vector<float*> mOutputSlice;       // per-slice output pointers; sized once per stream
  std::function<void(int, int)> mResizeHandler;
  std::function<void()> mSettingsHandler;
};

} // namespace iplug
