// Cost per sample frame of one LV2 run of Tidewell outside a dip, mono and stereo, at the block sizes
// scripts/bench-lv2 times with lv2bench (64, 512, 4096), beside the yardstick of a simple LV2 effect: one
// float multiply per sample from the input port to the output port. The run is what a host calls: control
// ports, float <-> double conversion, the engine and the bookkeeping around it.
// Run: build/release/bench/lv2_run_bench
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "Tidewell.h"

namespace
{
  constexpr double kSampleRate = 48000.0;

  // The ports of one instance: control values at their defaults, nChans float inputs and outputs.
  struct Ports
  {
    Ports(int nChans, int nFrames)
      : in(static_cast<size_t>(nChans), std::vector<float>(static_cast<size_t>(nFrames)))
      , out(static_cast<size_t>(nChans), std::vector<float>(static_cast<size_t>(nFrames)))
    {
      for (auto& channel : in)
        for (size_t i = 0; i < channel.size(); ++i)
          channel[i] = 0.25f + 0.1f * std::sin(0.01f * static_cast<float>(i));
    }

    float controls[kNumParams] = {1.f, 0.5f, 0.5f, 0.5f, 1.f};
    std::vector<std::vector<float>> in;
    std::vector<std::vector<float>> out;
  };

  // Connects every port of plug (no meter port: its instance info has no meter reader).
  void Connect(Tidewell& plug, Ports& ports)
  {
    uint32_t port = 0;
    for (float& control : ports.controls)
      plug.ConnectPort(port++, &control);
    for (auto& channel : ports.in)
      plug.ConnectPort(port++, channel.data());
    for (auto& channel : ports.out)
      plug.ConnectPort(port++, channel.data());
  }

  void ReportPerFrame(benchmark::State& state, int nFrames)
  {
    const auto frames = static_cast<double>(state.iterations()) * nFrames;
    state.SetItemsProcessed(static_cast<int64_t>(frames));
    state.counters["ns_per_frame"] =
      benchmark::Counter(frames * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  }

  void BM_LV2RunOutsideDip(benchmark::State& state)
  {
    const int nFrames = static_cast<int>(state.range(0));
    const int nChans = static_cast<int>(state.range(1));
    iplug::InstanceInfo info;
    info.mSampleRate = kSampleRate;
    info.mNInputs = nChans;
    info.mNOutputs = nChans;
    Tidewell plug(info);
    Ports ports(nChans, nFrames);
    Connect(plug, ports);
    plug.Activate();
    // The first dip comes after at least 10 s: a reset before then keeps every run outside one. Pausing the
    // timer would cost more than the reset itself, which is timed with the run it precedes.
    const int runsBeforeDip = static_cast<int>(10.0 * kSampleRate) / nFrames - 1;
    int run = 0;
    for (auto _ : state)
    {
      if (++run == runsBeforeDip)
      {
        plug.OnReset();
        run = 0;
      }
      plug.Run(static_cast<uint32_t>(nFrames));
      benchmark::DoNotOptimize(ports.out[0].data());
    }
    ReportPerFrame(state, nFrames);
  }

  // The yardstick: a gain effect's run, one multiply per sample between float ports.
  void BM_FloatGainRun(benchmark::State& state)
  {
    const int nFrames = static_cast<int>(state.range(0));
    const int nChans = static_cast<int>(state.range(1));
    Ports ports(nChans, nFrames);
    float gain = 0.5f;
    for (auto _ : state)
    {
      benchmark::DoNotOptimize(gain);
      for (int c = 0; c < nChans; ++c)
      {
        const float* in = ports.in[static_cast<size_t>(c)].data();
        float* out = ports.out[static_cast<size_t>(c)].data();
        for (int i = 0; i < nFrames; ++i)
          out[i] = gain * in[i];
      }
      benchmark::DoNotOptimize(ports.out[0].data());
    }
    ReportPerFrame(state, nFrames);
  }

  void BlockSizesAndChannels(benchmark::internal::Benchmark* bench)
  {
    bench->ArgNames({"frames", "chans"});
    for (int chans : {1, 2})
      for (int frames : {64, 512, 4096})
        bench->Args({frames, chans});
  }
}

BENCHMARK(BM_FloatGainRun)->Apply(BlockSizesAndChannels);
BENCHMARK(BM_LV2RunOutsideDip)->Apply(BlockSizesAndChannels);
