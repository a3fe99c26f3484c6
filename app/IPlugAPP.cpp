#include "IPlugAPP.h"

#include <algorithm>
#include <cstring>

#include "AppSettingsButton.h"
#include "IGraphics.h"

namespace iplug
{

IPlugAPP::IPlugAPP(const InstanceInfo& /*info*/, const Config& config)
  : IPlugAPIBase(config, kAPIAPP)
  , IPlugProcessor(config)
{
  SetHost("standalone", 0);
  SetBlockSize(kDefaultBlockSize);
  CreateTimer();
}

IPlugAPP::~IPlugAPP() = default;

void IPlugAPP::PrepareStream(double sampleRate, int blockSize, int nInputs, int nOutputs)
{
  nInputs = std::clamp(nInputs, 0, MaxNChannels(kInput));
  nOutputs = std::clamp(nOutputs, 0, MaxNChannels(kOutput));
  SetSampleRate(sampleRate);
  SetBlockSize(std::max(blockSize, 1));
  SetChannelConnections(kInput, 0, MaxNChannels(kInput), false);
  SetChannelConnections(kOutput, 0, MaxNChannels(kOutput), false);
  SetChannelConnections(kInput, 0, nInputs, true);
  SetChannelConnections(kOutput, 0, nOutputs, true);
  mInputSlice.assign(static_cast<size_t>(nInputs), nullptr);
  mOutputSlice.assign(static_cast<size_t>(nOutputs), nullptr);
  RequestActivate(true);
  RequestReset();
}

void IPlugAPP::ProcessDeviceBlock(const float* const* inputs, int nInputs, float* const* outputs, int nOutputs,
                                  int nFrames)
{
  RunPendingRequests();
  IMidiMsg msg;
  while (mMidiFromDevice.Pop(msg))
    ProcessMidiMsg(msg);
  nInputs = std::min(nInputs, static_cast<int>(mInputSlice.size()));
  nOutputs = std::min(nOutputs, static_cast<int>(mOutputSlice.size()));
  if (GetBypassed())
  {
    PassThrough(inputs, nInputs, outputs, nOutputs, nFrames);
    return;
  }
  const int slice = std::max(GetBlockSize(), 1);
  for (int offset = 0; offset < nFrames; offset += slice)
    ProcessSlice(inputs, nInputs, outputs, nOutputs, offset, std::min(slice, nFrames - offset));
}

void IPlugAPP::ProcessSlice(const float* const* inputs, int nInputs, float* const* outputs, int nOutputs, int offset,
                            int nFrames)
{
  // A device block within the block size, the common case, hands the buffers over as they are.
  if (offset == 0)
  {
    ProcessFloatBlock(inputs, nInputs, outputs, nOutputs, nFrames);
    return;
  }
  for (int c = 0; c < nInputs; ++c)
    mInputSlice[static_cast<size_t>(c)] = inputs[c] + offset;
  for (int c = 0; c < nOutputs; ++c)
    mOutputSlice[static_cast<size_t>(c)] = outputs[c] + offset;
  ProcessFloatBlock(mInputSlice.data(), nInputs, mOutputSlice.data(), nOutputs, nFrames);
}

void IPlugAPP::PassThrough(const float* const* inputs, int nInputs, float* const* outputs, int nOutputs, int nFrames)
{
  const auto bytes = static_cast<size_t>(nFrames) * sizeof(float);
  for (int c = 0; c < nOutputs; ++c)
  {
    if (c < nInputs)
      std::memmove(outputs[c], inputs[c], bytes);
    else
      std::memset(outputs[c], 0, bytes);
  }
}

bool IPlugAPP::ReceiveMidiFromDevice(const IMidiMsg& msg)
{
  if (mMidiFromDevice.Push(msg))
    return true;
  mDroppedMidi.fetch_add(1, std::memory_order_relaxed);
  return false;
}

bool IPlugAPP::TakeMidiForDevice(IMidiMsg& msg)
{
  return mMidiToDevice.Pop(msg);
}

bool IPlugAPP::SendMidiMsg(const IMidiMsg& msg)
{
  if (!DoesMIDIOut())
    return false;
  if (mMidiToDevice.Push(msg))
    return true;
  mDroppedMidi.fetch_add(1, std::memory_order_relaxed);
  return false;
}

bool IPlugAPP::EditorResize(int width, int height)
{
  if (!mResizeHandler)
    return false;
  mResizeHandler(width, height);
  return true;
}

void IPlugAPP::LayoutUI(igraphics::IGraphics* pGraphics)
{
  IPlugAPIBase::LayoutUI(pGraphics);
  if (!pGraphics)
    return;
  const auto width = static_cast<float>(pGraphics->Width());
  if (igraphics::IControl* button = pGraphics->GetControlWithTag(kSettingsButtonTag))
  {
    button->SetTargetAndDrawRECTs(igraphics::AppSettingsButton::Bounds(width));
    return;
  }
  pGraphics->AttachControl(new igraphics::AppSettingsButton(width,
                                                            [this](igraphics::IControl*) {
                                                              if (mSettingsHandler)
                                                                mSettingsHandler();
                                                            }),
                           kSettingsButtonTag);
}

} // namespace iplug
