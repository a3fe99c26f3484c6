#pragma once

#include <atomic>
#include <thread>
#include <vector>

class Renderer;

// Plays interleaved audio through a started renderer on an audio thread of its own, one slice per slice
// duration of wall time, looping at the end, as a host plays a track while its editor is open. The output is
// computed and dropped (there is no sound device). Start and Stop on the main thread.
class PacedPlayback
{
public:
  // Plays input (renderer.Setup().inChannels wide; not copied, must outlive the playback) through renderer.
  PacedPlayback(Renderer& renderer, const std::vector<float>& input);
  // Stops the thread.
  ~PacedPlayback();
  PacedPlayback(const PacedPlayback&) = delete;
  PacedPlayback& operator=(const PacedPlayback&) = delete;

  // Starts the audio thread.
  void Start();
  // Asks the thread to end and waits for it.
  void Stop();
  // Whether a slice failed to render (the thread then stopped).
  bool Failed() const { return mFailed.load(); }

private:
  void Run();

  Renderer& mRenderer;
  const std::vector<float>& mInput;
  std::vector<float> mOutput;
  std::thread mThread;
  std::atomic<bool> mRunning{false};
  std::atomic<bool> mFailed{false};
};
