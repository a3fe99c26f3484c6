#include "Tidewell.h"
#include "TidewellLayout.h"

#include <atomic>
#include <cmath>
#include <ctime>

#include "FourCC.h"
#include "IControl.h"
#include "SampleConversion.h"
#include "ScopedFlushDenormals.h"

using namespace iplug;

namespace
{
  constexpr double kTwoPi = 6.283185307179586;
  constexpr float kTwoToMinus31 = 1.0f / 2147483648.0f;

  // Instances made in the same second must not dip in lockstep, so the time seed is mixed with a count.
  std::seed_seq MakeSeed()
  {
    static std::atomic<unsigned> instanceCount{0};
    const auto now = static_cast<unsigned>(std::time(nullptr));
    return std::seed_seq{now, instanceCount.fetch_add(1)};
  }
}

Config Tidewell::MakeConfig()
{
  return Config{.paramCount = kNumParams,
                .presetCount = 1,
                .channelIO = "1-1 2-2",
                .pluginName = "Tidewell",
                .productName = "Tidewell",
                .makerName = "Kelvane",
                .vendorVersion = 0x00010102,
                .uniqueId = static_cast<int>(FourCC("xhm2")),
                .makerId = static_cast<int>(FourCC("Klvn")),
                .latencySamples = 0,
                .receivesMidi = false,
                .sendsMidi = false,
                .handlesMpe = false,
                .usesStateChunks = false,
                .pluginKind = 0,
                .hasEditor = true,
                .editorWidth = 495,
                .editorHeight = 220,
                .editorMinWidth = 247,
                .editorMaxWidth = 990,
                .editorMinHeight = 110,
                .editorMaxHeight = 440,
                .hostCanResize = false,
                .bundleId = "com.kelvane.audiounit.Tidewell",
                .lv2Class = "DynamicsPlugin",
                .makerURL = "https://kelvane.com",
                .licenseURI = "https://kelvane.com/plugins/licence"};
}

Tidewell::Tidewell(const InstanceInfo& info)
  : PluginAdapter(info, MakeConfig())
{
  std::seed_seq seed = MakeSeed();
  mRandomGenerator.seed(seed);

  GetParam(kDuck)->InitEnum("Duck", 1, {"Bypassed", "Ducking"});
  GetParam(kPeriod)->InitDouble("Period", 0.5, 0., 1., 0.01, "Period", IParam::kFlagCannotAutomate);
  GetParam(kRandom)->InitDouble("Random", 0.5, 0., 1., 0.01, "Random", IParam::kFlagCannotAutomate);
  GetParam(kDuration)->InitDouble("Duration", 0.5, 0., 1., 0.01, "Duration", IParam::kFlagCannotAutomate);
  GetParam(kDepth)->InitDouble("Depth", 1., 0., 1., 0.01, "Depth", IParam::kFlagCannotAutomate);

  // The editor: made at 495 x 220 (the configuration's size), 60 frames per second, draw scale 1, and laid
  // out when its window opens.
  mMakeGraphicsFunc = [this]() { return igraphics::MakeGraphics(*this, GetEditorWidth(), GetEditorHeight(), 60, 1.f); };
  mLayoutFunc = LayoutTidewellEditor;

  // The host resets before rendering; until then the engine runs at the frame's default rate
  // rather than on unset values.
  OnReset();
}

void Tidewell::OnReset()
{
  mSampleRate = static_cast<float>(GetSampleRate());
  mSampleCounter = 0.f;
  mEnvelopePos = 0.f;
  mRandomExtension = 0.f;
  mMeter = 0.f;
  // The rate may have changed while the settings did not, so the derived values are recomputed either way.
  TakeSettings();
  Calc();
}

void Tidewell::OnActivate(bool active)
{
  if (active)
    OnReset();
}

// guide:meter-idle
void Tidewell::OnIdle()
{
  igraphics::IGraphics* ui = GetUI();
  if (!mMeterPending || !ui)
    return;
  if (igraphics::IControl* duck = ui->GetControlWithTag(kCtrlTagDuck))
    duck->SetValueFromDelegate(mMeter, 0);
  mMeterPending = false;
}
// guide:end

void Tidewell::TakeSettings()
{
  // Settings rarely change between blocks: the check reads and compares them with nothing else to do, and
  // the derived values are rewritten only on a change (rewriting them anyway would make the period test,
  // which reads them straight back, wait on those stores in every block).
  // The parameter objects are all looked up first: after each value read, an atomic load, the compiler
  // would have to fetch the parameter list again.
  const IParam* params[kNumParams];
  for (int i = 0; i < kNumParams; ++i)
    params[i] = GetParam(i);
  const bool duckOn = params[kDuck]->Value() != 0.0;
  const auto period = static_cast<float>(params[kPeriod]->Value());
  const auto random = static_cast<float>(params[kRandom]->Value());
  const auto duration = static_cast<float>(params[kDuration]->Value());
  const auto depth = static_cast<float>(params[kDepth]->Value());
  if (duckOn != mDuckOn || period != mPeriod || random != mRandom || duration != mDuration || depth != mDepth)
    TakeChangedSettings(duckOn, period, random, duration, depth);
}

void Tidewell::TakeChangedSettings(bool duckOn, float period, float random, float duration, float depth)
{
  mDuckOn = duckOn;
  mPeriod = period;
  mRandom = random;
  mDuration = duration;
  mDepth = depth;
  Calc();
}

void Tidewell::Calc()
{
  mPeriodSeconds = mPeriod * 20.f + 10.f;
  mRandomSeconds = mRandom * 10.f + 5.f;
  mDurationSamples = ((mDuration + mDuration) + 1.f) * mSampleRate;
  mDepthAmount = mDepth * 0.25f + 0.25f;
}

bool Tidewell::PeriodEndsWithin(int nFrames) const
{
  // The same float operations as RunPeriodTest, so the two never disagree.
  const float counter = mSampleCounter + static_cast<float>(nFrames);
  return counter > (mRandomExtension + mPeriodSeconds) * mSampleRate;
}

void Tidewell::RunPeriodTest(int nFrames)
{
  mSampleCounter += static_cast<float>(nFrames);
  if (mSampleCounter > (mRandomExtension + mPeriodSeconds) * mSampleRate)
  {
    mSampleCounter = 0.f;
    mEnvelopePos = mDurationSamples;
    const auto r = static_cast<float>(mRandomGenerator() >> 1);
    mRandomExtension = mRandomSeconds * r * kTwoToMinus31;
  }
}

void Tidewell::ProcessBlock(sample** inputs, sample** outputs, int nFrames)
{
  TakeSettings();
  RunPeriodTest(nFrames);

  const int nChans = NChannelsProcessed();
  if (nFrames > 0)
  {
    if (mEnvelopePos > 0.f)
    {
      // Only the dip computes in float, where quiet input would fall onto the slow subnormal path.
      const ScopedFlushDenormals flushDenormals;
      ProcessDip(inputs, outputs, nFrames, nChans);
    }
    else
      ProcessSteady(inputs, outputs, nFrames, nChans);
  }

  mMeterPending = true;
}

int Tidewell::NChannelsProcessed() const
{
  return MaxNChannels(kOutput) >= 2 && IsChannelConnected(kOutput, 1) ? 2 : 1;
}

void Tidewell::EnterSteady()
{
  mEnvelopePos = 0.f;
  mGain = 1.f;
  if (mDuckOn)
    mMeter = (1.f - mCosine) * 0.5f;
}

bool Tidewell::ProcessFloatBlockDirectly(const float* const* inputs, int nInputs, float* const* outputs,
                                         int nOutputs, int nFrames)
{
  const int nChans = NChannelsProcessed();
  if (nFrames <= 0 || nInputs < nChans || nOutputs < nChans || !inputs || !outputs)
    return false;
  for (int c = 0; c < nChans; ++c)
  {
    if (!inputs[c] || !outputs[c])
      return false;
  }
  // Taking the settings twice when the block goes on to ProcessBlock changes nothing the second time.
  TakeSettings();
  if (mEnvelopePos > 0.f || PeriodEndsWithin(nFrames))
    return false;
  RunPeriodTest(nFrames);
  EnterSteady();
  // What ProcessSteady makes of float inputs, without the trip through samples.
  for (int c = 0; c < nChans; ++c)
    FlushFloatSubnormals(inputs[c], outputs[c], nFrames);
  mMeterPending = true;
  return true;
}

void Tidewell::ProcessSteady(sample** inputs, sample** outputs, int nFrames, int nChans)
{
  // Outside a dip the gain is exactly 1, so ducking or not the output is the input rounded to float, flushed
  // as inside a dip.
  EnterSteady();

  // Samples converted from float buffers are floats already: only the flush is left to do.
  const bool exactFloats = InputsAreFloats();
  for (int c = 0; c < nChans; ++c)
  {
    if (exactFloats)
      FlushFloatSubnormals(inputs[c], outputs[c], nFrames);
    else
      RoundToFloatFlushingSubnormals(inputs[c], outputs[c], nFrames);
  }
}

void Tidewell::ProcessDip(sample** inputs, sample** outputs, int nFrames, int nChans)
{
  // The envelope runs in locals and is stored back at the end.
  const float length = mDurationSamples;
  const float depth = mDepthAmount;
  const bool duckOn = mDuckOn;
  float position = mEnvelopePos;
  float cosine = mCosine;
  float gain = mGain;

  for (int i = 0; i < nFrames; ++i)
  {
    if (position > 0.f)
    {
      // Duration lowered during a dip: join the shorter curve at its start.
      if (position > length)
        position = length;
      const double phase = static_cast<double>(position) * kTwoPi / static_cast<double>(length);
      cosine = static_cast<float>(std::cos(phase));
      gain = depth * cosine + (1.f - depth);
      position -= 1.f;
    }
    else
    {
      position = 0.f;
      gain = 1.f;
    }
    for (int c = 0; c < nChans; ++c)
    {
      const auto in = static_cast<float>(inputs[c][i]);
      outputs[c][i] = duckOn ? gain * in : in;
    }
  }

  mEnvelopePos = position;
  mCosine = cosine;
  mGain = gain;
  if (duckOn)
    mMeter = (1.f - cosine) * 0.5f;
}
