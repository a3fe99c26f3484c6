#include "PacedPlayback.h"

#include <algorithm>
#include <chrono>

#include "Renderer.h"

PacedPlayback::PacedPlayback(Renderer& renderer, const std::vector<float>& input)
  : mRenderer(renderer)
  , mInput(input)
  , mOutput(static_cast<std::size_t>(renderer.Setup().maxFrames) * renderer.Setup().outChannels)
{
}

PacedPlayback::~PacedPlayback()
{
  Stop();
}

void PacedPlayback::Start()
{
  if (mRunning.exchange(true))
    return;
  mThread = std::thread([this] { Run(); });
}

void PacedPlayback::Stop()
{
  mRunning = false;
  if (mThread.joinable())
    mThread.join();
}

void PacedPlayback::Run()
{
  const StreamSetup& setup = mRenderer.Setup();
  const std::size_t channels = setup.inChannels;
  const std::size_t frames = channels ? mInput.size() / channels : 0;
  if (frames == 0)
    return;
  const auto slice = std::chrono::duration<double>(static_cast<double>(setup.maxFrames) / setup.sampleRate);
  auto deadline = std::chrono::steady_clock::now();
  std::size_t position = 0;
  while (mRunning)
  {
    const auto n = static_cast<UInt32>(std::min<std::size_t>(setup.maxFrames, frames - position));
    if (mRenderer.Process(mInput.data() + position * channels, mOutput.data(), n) != noErr)
    {
      mFailed = true;
      return;
    }
    position = position + n >= frames ? 0 : position + n;
    deadline += std::chrono::duration_cast<std::chrono::steady_clock::duration>(slice * (static_cast<double>(n) / setup.maxFrames));
    std::this_thread::sleep_until(deadline);
  }
}
