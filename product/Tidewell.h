#pragma once

#include <random>

#include "Config.h"
#include "PluginAdapter.h"
#include "RelaxedAtomic.h"

// Control tag of the duck picture, which shows the meter.
constexpr int kCtrlTagDuck = 0;

// Parameter indices of the effect.
enum EParams
{
  kDuck = 0,
  kPeriod,
  kRandom,
  kDuration,
  kDepth,
  kNumParams
};

// The ducking effect: every period (10 to 30 s plus a random 0 to 15 s extension) it dips the
// signal along a raised-cosine gain curve lasting 1 to 3 s and lets it recover. The signal path
// runs in single precision; the duck meter (0 to 1) is handed to the editor from the main thread.
// It derives from the adapter of the plug-in format it is built for, which the build picks; a format's
// editor-only binary (LV2's UI) derives from it in turn to send the editor's changes to its host.
class Tidewell : public iplug::PluginAdapter
{
public:
  // The configuration handed to the framework bases.
  static iplug::Config MakeConfig();

  // Declares the five parameters and prepares the engine for the processor's sample rate. The format's
  // factory passes what it knows of the new instance in info; engines built without a host pass nothing. Main thread.
  explicit Tidewell(const iplug::InstanceInfo& info = iplug::InstanceInfo());

  // Restarts the period count with no dip running; picks up the sample rate and the settings. Never during
  // a block: the adapter runs it on the audio thread before a block, engines without a host before rendering.
  void OnReset() override;
  // Activating does what OnReset does; deactivating does nothing.
  void OnActivate(bool active) override;
  // Ducks one block of mono or stereo audio with the settings the parameters hold at its start. Audio thread;
  // allocates nothing, takes no lock.
  void ProcessBlock(iplug::sample** inputs, iplug::sample** outputs, int nFrames) override;
  // A block of float buffers with no dip running or starting: its outputs are its inputs with subnormals
  // flushed, written without converting to samples and back; false for any other block. Audio thread;
  // allocates nothing, takes no lock.
  bool ProcessFloatBlockDirectly(const float* const* inputs, int nInputs, float* const* outputs, int nOutputs,
                                 int nFrames) override;
  // Hands the duck meter to the editor's duck picture (control tag 0) once per processed block. Main thread.
  void OnIdle() override;

  // guide:meter-accessor
  // The duck meter: 0 outside a dip, rising to 1 at the middle of one. Read on the main thread.
  float GetMeter() const { return mMeter; }
  // True when a block was processed since the meter was last handed to the editor.
  bool GetMeterPending() const { return mMeterPending; }
  // guide:end

private:
  // Takes the four settings and the switch from the atomic parameters, then recomputes the derived values.
  // Audio thread (or before rendering).
  void TakeSettings();
  // Stores settings that differ from the cached ones and recomputes the derived values; kept out of line so
  // the per-block check stays small.
  [[gnu::noinline]] void TakeChangedSettings(bool duckOn, float period, float random, float duration, float depth);
  // Recomputes the derived values from the cached settings and the sample rate.
  void Calc();
  // The output channels processed: two when a second output is connected, else one.
  int NChannelsProcessed() const;
  // The envelope and meter of a block with no dip running: the gain stays 1.
  void EnterSteady();
  // A block with no dip running.
  void ProcessSteady(iplug::sample** inputs, iplug::sample** outputs, int nFrames, int nChans);
  // A block that starts inside a dip: one envelope step per sample.
  void ProcessDip(iplug::sample** inputs, iplug::sample** outputs, int nFrames, int nChans);
  // Starts a dip when the period (plus the current random extension) has elapsed.
  void RunPeriodTest(int nFrames);
  // Whether RunPeriodTest(nFrames) would start a dip; changes nothing.
  bool PeriodEndsWithin(int nFrames) const;

  // Settings and derived values belong to the audio thread, which takes them from the parameters once per
  // block; only the meter and its flag cross to the main thread.
  float mPeriod = 0.5f;
  float mRandom = 0.5f;
  float mDuration = 0.5f;
  float mDepth = 1.0f;
  bool mDuckOn = true;

  float mSampleRate = 0.f;
  float mPeriodSeconds = 0.f;
  float mRandomSeconds = 0.f;
  float mDurationSamples = 0.f;
  float mDepthAmount = 0.f;

  float mSampleCounter = 0.f;
  float mEnvelopePos = 0.f;
  float mGain = 1.f;
  float mCosine = 1.f;
  float mRandomExtension = 0.f;
  // guide:meter-members
  iplug::RelaxedAtomic<float> mMeter{0.f};
  iplug::RelaxedAtomic<bool> mMeterPending{false};
  // guide:end

  // Per instance, so the audio thread never touches the C library's shared (locked) generator.
  std::mt19937 mRandomGenerator;
};
