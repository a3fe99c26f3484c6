// Cost of the ducking engine per sample frame, outside and inside a dip, against a plain float
// gain loop over the same buffers, and what the denormal guard costs when the host already flushes
// denormals (no register write) or not (two writes per block). Run: build/release/bench/engine_bench
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#if defined(__SSE__) || defined(__x86_64__)
#include <xmmintrin.h>
#endif

#include "Tidewell.h"

using iplug::kInput;
using iplug::kOutput;
using iplug::sample;

namespace
{
  constexpr double kSampleRate = 48000.0;

  // Stereo test buffers of one block, in both sample formats.
  struct Buffers
  {
    explicit Buffers(int nFrames)
    {
      for (int c = 0; c < 2; ++c)
      {
        in[c].resize(nFrames);
        out[c].resize(nFrames);
        inFloat[c].resize(nFrames);
        outFloat[c].resize(nFrames);
        for (int i = 0; i < nFrames; ++i)
        {
          in[c][i] = 0.25 + 0.1 * std::sin(0.01 * i + c);
          inFloat[c][i] = static_cast<float>(in[c][i]);
        }
        inPtrs[c] = in[c].data();
        outPtrs[c] = out[c].data();
        inFloatPtrs[c] = inFloat[c].data();
        outFloatPtrs[c] = outFloat[c].data();
      }
    }

    std::vector<sample> in[2], out[2];
    std::vector<float> inFloat[2], outFloat[2];
    sample* inPtrs[2];
    sample* outPtrs[2];
    float* inFloatPtrs[2];
    float* outFloatPtrs[2];
  };

  void Prepare(Tidewell& plug, int nFrames, int nChans)
  {
    plug.SetSampleRate(kSampleRate);
    plug.SetBlockSize(nFrames);
    plug.SetChannelConnections(kInput, 0, 2, false);
    plug.SetChannelConnections(kOutput, 0, 2, false);
    plug.SetChannelConnections(kInput, 0, nChans, true);
    plug.SetChannelConnections(kOutput, 0, nChans, true);
    plug.OnReset();
  }

  // Resets the engine before the first dip could start, so every timed block is outside one.
  class SteadyGuard
  {
  public:
    SteadyGuard(Tidewell& plug, int nFrames) : mPlug(plug), mBlocksBeforeDip(static_cast<int>(20.0 * kSampleRate) / nFrames - 1) {}
    // Call once per block, before processing it.
    void Tick()
    {
      if (++mBlock < mBlocksBeforeDip)
        return;
      mPlug.OnReset();
      mBlock = 0;
    }

  private:
    Tidewell& mPlug;
    int mBlocksBeforeDip;
    int mBlock = 0;
  };

  // True when the last frame of the block came out ducked.
  bool InDip(const Buffers& buffers, int nFrames)
  {
    return static_cast<float>(buffers.out[0][nFrames - 1]) != static_cast<float>(buffers.in[0][nFrames - 1]);
  }

  void ReportPerFrame(benchmark::State& state, int nFrames)
  {
    const auto frames = static_cast<double>(state.iterations()) * nFrames;
    state.SetItemsProcessed(static_cast<int64_t>(frames));
    state.counters["ns_per_frame"] = benchmark::Counter(frames * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  }

  void BM_ProcessBlockOutsideDip(benchmark::State& state)
  {
    const int nFrames = static_cast<int>(state.range(0));
    const int nChans = static_cast<int>(state.range(1));
    Tidewell plug;
    Prepare(plug, nFrames, nChans);
    Buffers buffers(nFrames);
    SteadyGuard steady(plug, nFrames);
    for (auto _ : state)
    {
      steady.Tick();
      plug.ProcessBlock(buffers.inPtrs, buffers.outPtrs, nFrames);
      benchmark::DoNotOptimize(buffers.out[0].data());
    }
    ReportPerFrame(state, nFrames);
  }

  void BM_ProcessBlockInsideDip(benchmark::State& state)
  {
    const int nFrames = static_cast<int>(state.range(0));
    const int nChans = static_cast<int>(state.range(1));
    Tidewell plug;
    Prepare(plug, nFrames, nChans);
    plug.GetParam(kDuration)->Set(1.0);
    plug.OnParamChange(kDuration);
    Buffers buffers(nFrames);
    for (auto _ : state)
    {
      plug.ProcessBlock(buffers.inPtrs, buffers.outPtrs, nFrames);
      benchmark::DoNotOptimize(buffers.out[0].data());
      if (!InDip(buffers, nFrames))
      {
        // Run untimed to the next dip.
        state.PauseTiming();
        do
          plug.ProcessBlock(buffers.inPtrs, buffers.outPtrs, nFrames);
        while (!InDip(buffers, nFrames));
        state.ResumeTiming();
      }
    }
    ReportPerFrame(state, nFrames);
  }

  void BM_FloatPathOutsideDip(benchmark::State& state)
  {
    const int nFrames = static_cast<int>(state.range(0));
    const int nChans = static_cast<int>(state.range(1));
    Tidewell plug;
    Prepare(plug, nFrames, nChans);
    Buffers buffers(nFrames);
    SteadyGuard steady(plug, nFrames);
    for (auto _ : state)
    {
      steady.Tick();
      plug.AttachBuffers(kInput, 0, nChans, buffers.inFloatPtrs, nFrames);
      plug.AttachBuffers(kOutput, 0, nChans, buffers.outFloatPtrs, nFrames);
      plug.ProcessBuffers(0.f, nFrames);
      benchmark::DoNotOptimize(buffers.outFloat[0].data());
    }
    ReportPerFrame(state, nFrames);
  }

  // The yardstick: one float multiply per sample over the same double buffers the engine gets.
  void BM_BaselineFloatGain(benchmark::State& state)
  {
    const int nFrames = static_cast<int>(state.range(0));
    const int nChans = static_cast<int>(state.range(1));
    Buffers buffers(nFrames);
    float gain = 0.5f;
    for (auto _ : state)
    {
      benchmark::DoNotOptimize(gain);
      for (int c = 0; c < nChans; ++c)
      {
        const sample* in = buffers.inPtrs[c];
        sample* out = buffers.outPtrs[c];
        for (int i = 0; i < nFrames; ++i)
          out[i] = gain * static_cast<float>(in[i]);
      }
      benchmark::DoNotOptimize(buffers.out[0].data());
    }
    ReportPerFrame(state, nFrames);
  }

  // The yardstick inside a dip: the plain gain loop plus one cos per frame, the engine's allowance.
  void BM_BaselineFloatGainPlusCos(benchmark::State& state)
  {
    const int nFrames = static_cast<int>(state.range(0));
    const int nChans = static_cast<int>(state.range(1));
    Buffers buffers(nFrames);
    double phase = 0.0;
    for (auto _ : state)
    {
      for (int i = 0; i < nFrames; ++i)
      {
        phase += 1e-5;
        const auto gain = static_cast<float>(std::cos(phase));
        for (int c = 0; c < nChans; ++c)
          buffers.outPtrs[c][i] = gain * static_cast<float>(buffers.inPtrs[c][i]);
      }
      if (phase > 6.0)
        phase = 0.0;
      benchmark::DoNotOptimize(buffers.out[0].data());
    }
    ReportPerFrame(state, nFrames);
  }

#if defined(__SSE__) || defined(__x86_64__)
  // Small stereo blocks outside a dip, with the host's flush-to-zero and denormals-are-zero modes off (0)
  // or on (1) around every block, as a host's render thread runs.
  void BM_ProcessBlockHostFlushModes(benchmark::State& state)
  {
    constexpr int kFrames = 32;
    constexpr unsigned kBothModes = 0x8040;
    const unsigned saved = _mm_getcsr();
    _mm_setcsr(state.range(0) ? saved | kBothModes : saved & ~kBothModes);
    Tidewell plug;
    Prepare(plug, kFrames, 2);
    Buffers buffers(kFrames);
    SteadyGuard steady(plug, kFrames);
    for (auto _ : state)
    {
      steady.Tick();
      plug.ProcessBlock(buffers.inPtrs, buffers.outPtrs, kFrames);
      benchmark::DoNotOptimize(buffers.out[0].data());
    }
    _mm_setcsr(saved);
    ReportPerFrame(state, kFrames);
  }
#endif

  void BlockSizesAndChannels(benchmark::internal::Benchmark* bench)
  {
    bench->ArgNames({"frames", "chans"});
    for (int chans : {1, 2})
      for (int frames : {32, 512, 4096})
        bench->Args({frames, chans});
  }
}

BENCHMARK(BM_BaselineFloatGain)->Apply(BlockSizesAndChannels);
BENCHMARK(BM_BaselineFloatGainPlusCos)->Apply(BlockSizesAndChannels);
BENCHMARK(BM_ProcessBlockOutsideDip)->Apply(BlockSizesAndChannels);
BENCHMARK(BM_ProcessBlockInsideDip)->Apply(BlockSizesAndChannels);
BENCHMARK(BM_FloatPathOutsideDip)->Apply(BlockSizesAndChannels);
#if defined(__SSE__) || defined(__x86_64__)
BENCHMARK(BM_ProcessBlockHostFlushModes)->ArgName("host_flushes")->Arg(0)->Arg(1);
#endif
