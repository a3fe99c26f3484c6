#pragma once

#include <cstddef>
#include <vector>

#include "IPlugProcessor.h"

namespace iplug::test
{
// A configuration with the given channel layouts, kind and MIDI input; everything else is fixed.
inline Config MakeConfig(const char* channelIO, int pluginKind = 0, bool receivesMidi = false, int latency = 0)
{
  return Config{.paramCount = 5,
                .presetCount = 1,
                .channelIO = channelIO,
                .pluginName = "Test",
                .productName = "Test Product",
                .makerName = "Test Maker",
                .vendorVersion = 0x010102,
                .uniqueId = 1234,
                .makerId = 5678,
                .latencySamples = latency,
                .receivesMidi = receivesMidi,
                .pluginKind = pluginKind,
                .hasEditor = true,
                .editorWidth = 495,
                .editorHeight = 220,
                .editorMinWidth = 330,
                .editorMaxWidth = 742,
                .editorMinHeight = 147,
                .editorMaxHeight = 330,
                .bundleId = "com.test.plug"};
}

// A processor that records what the frame hands to ProcessBlock and sends MIDI into a list.
// By default it renders every output as twice the input of the same index.
class TestProcessor : public IPlugProcessor
{
public:
  explicit TestProcessor(const char* channelIO, int pluginKind = 0, bool receivesMidi = false)
    : IPlugProcessor(MakeConfig(channelIO, pluginKind, receivesMidi))
  {
  }

  void ProcessBlock(sample** inputs, sample** outputs, int nFrames) override
  {
    ++blocks;
    lastFrames = nFrames;
    inputsWereFloats = InputsAreFloats();
    seenInputs.assign(inputs, inputs + MaxNChannels(kInput));
    seenOutputs.assign(outputs, outputs + MaxNChannels(kOutput));
    if (useDefaultBlock)
    {
      IPlugProcessor::ProcessBlock(inputs, outputs, nFrames);
      return;
    }
    for (int ch = 0; ch < MaxNChannels(kOutput); ++ch)
      for (int f = 0; f < nFrames; ++f)
        outputs[ch][f] = ch < MaxNChannels(kInput) ? 2.0 * inputs[ch][f] : 0.0;
  }

  bool SendMidiMsg(const IMidiMsg& msg) override
  {
    sent.push_back(msg);
    return static_cast<int>(sent.size()) - 1 != failingSend;
  }

  bool useDefaultBlock = false;     // run the frame's own ProcessBlock instead of the doubling one
  int blocks = 0;                   // ProcessBlock calls so far
  int lastFrames = -1;              // frame count of the last ProcessBlock call
  bool inputsWereFloats = false;    // what InputsAreFloats said during the last ProcessBlock call
  std::vector<sample*> seenInputs;  // input array of the last ProcessBlock call
  std::vector<sample*> seenOutputs; // output array of the last ProcessBlock call
  std::vector<IMidiMsg> sent;       // every message passed to SendMidiMsg
  int failingSend = -1;             // index of the SendMidiMsg call that reports failure
};
} // namespace iplug::test
