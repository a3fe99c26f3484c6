#include "SampleConversion.h"

#include <bit>
#include <cstdint>
#include <limits>

namespace iplug
{
namespace
{
// Chosen once when the library loads, so the audio thread only reads a constant.
bool ProcessorHasAVX2()
{
#if defined(__x86_64__) || defined(__i386__)
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
#else
  return false;
#endif
}

const bool kHasAVX2 = ProcessorHasAVX2();

// The loops themselves, inlined into each instruction-set variant below so each is vectorised for its set.
template <class From, class To>
[[gnu::always_inline]] inline void Convert(const From* __restrict from, To* __restrict to, int n)
{
  for (int i = 0; i < n; ++i)
    to[i] = static_cast<To>(from[i]);
}

[[gnu::always_inline]] inline void Accumulate(const sample* __restrict from, float* __restrict to, int n)
{
  for (int i = 0; i < n; ++i)
    to[i] += static_cast<float>(from[i]);
}

// A sample that is exactly a float keeps only its sign bit when that float is subnormal (below 2^-126 in
// magnitude), as the processor's flush-to-zero mode leaves it; NaN and infinity pass. The test is on the
// double's bits: no branch, and no floating-point comparison that could raise a flag.
[[gnu::always_inline]] inline sample FlushFloatSubnormal(sample exactFloat)
{
  constexpr std::int64_t kMagnitude = 0x7FFF'FFFF'FFFF'FFFF;
  constexpr std::int64_t kSmallestNormalFloat = 0x3810'0000'0000'0000; // 2^-126 as a double
  constexpr std::int64_t kSignOnly = std::numeric_limits<std::int64_t>::min();
  const auto bits = std::bit_cast<std::int64_t>(exactFloat);
  const std::int64_t keep = (bits & kMagnitude) < kSmallestNormalFloat ? kSignOnly : -1;
  return std::bit_cast<sample>(bits & keep);
}

// Rounding first and judging the rounded float is what flush-to-zero does (it judges tininess after rounding).
[[gnu::always_inline]] inline void RoundFlushing(const sample* from, sample* to, int n)
{
  for (int i = 0; i < n; ++i)
    to[i] = FlushFloatSubnormal(static_cast<sample>(static_cast<float>(from[i])));
}

[[gnu::always_inline]] inline void Flushing(const sample* from, sample* to, int n)
{
  for (int i = 0; i < n; ++i)
    to[i] = FlushFloatSubnormal(from[i]);
}

// FlushFloatSubnormal on a float's own bits.
[[gnu::always_inline]] inline void FlushingFloats(const float* from, float* to, int n)
{
  constexpr std::int32_t kMagnitude = 0x7FFF'FFFF;
  constexpr std::int32_t kSmallestNormal = 0x0080'0000; // 2^-126
  constexpr std::int32_t kSignOnly = std::numeric_limits<std::int32_t>::min();
  for (int i = 0; i < n; ++i)
  {
    const auto bits = std::bit_cast<std::int32_t>(from[i]);
    const std::int32_t keep = (bits & kMagnitude) < kSmallestNormal ? kSignOnly : -1;
    to[i] = std::bit_cast<float>(bits & keep);
  }
}

// Runs one of the loops above on the baseline instruction set.
template <auto Loop, class From, class To>
void RunBase(const From* from, To* to, int n)
{
  Loop(from, to, n);
}

#if defined(__x86_64__) || defined(__i386__)
// Runs one of the loops above compiled for AVX2.
template <auto Loop, class From, class To>
[[gnu::target("avx2")]] void RunAVX2(const From* from, To* to, int n)
{
  Loop(from, to, n);
}
#endif

// Runs a loop in the variant for this processor.
template <auto Loop, class From, class To>
void Run(const From* from, To* to, int n)
{
#if defined(__x86_64__) || defined(__i386__)
  if (kHasAVX2)
    return RunAVX2<Loop>(from, to, n);
#endif
  RunBase<Loop>(from, to, n);
}
} // namespace

void FloatsToSamples(const float* from, sample* to, int n)
{
  Run<Convert<float, sample>>(from, to, n);
}

void SamplesToFloats(const sample* from, float* to, int n)
{
  Run<Convert<sample, float>>(from, to, n);
}

void AddSamplesToFloats(const sample* from, float* to, int n)
{
  Run<Accumulate>(from, to, n);
}

void RoundToFloatFlushingSubnormals(const sample* from, sample* to, int n)
{
  Run<RoundFlushing>(from, to, n);
}

void FlushFloatSubnormals(const sample* from, sample* to, int n)
{
  Run<Flushing>(from, to, n);
}

void FlushFloatSubnormals(const float* from, float* to, int n)
{
  Run<FlushingFloats>(from, to, n);
}
} // namespace iplug
