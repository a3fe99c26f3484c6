#include "SampleConversion.h"

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
[[gnu::always_inline]] inline void Convert(const From* from, To* to, int n)
{
  for (int i = 0; i < n; ++i)
    to[i] = static_cast<To>(from[i]);
}

[[gnu::always_inline]] inline void Accumulate(const sample* from, float* to, int n)
{
  for (int i = 0; i < n; ++i)
    to[i] += static_cast<float>(from[i]);
}

void FloatsToSamplesBase(const float* from, sample* to, int n)
{
  Convert(from, to, n);
}

void SamplesToFloatsBase(const sample* from, float* to, int n)
{
  Convert(from, to, n);
}

void AddSamplesToFloatsBase(const sample* from, float* to, int n)
{
  Accumulate(from, to, n);
}

#if defined(__x86_64__) || defined(__i386__)
[[gnu::target("avx2")]] void FloatsToSamplesAVX2(const float* from, sample* to, int n)
{
  Convert(from, to, n);
}

[[gnu::target("avx2")]] void SamplesToFloatsAVX2(const sample* from, float* to, int n)
{
  Convert(from, to, n);
}

[[gnu::target("avx2")]] void AddSamplesToFloatsAVX2(const sample* from, float* to, int n)
{
  Accumulate(from, to, n);
}
#endif
} // namespace

void FloatsToSamples(const float* from, sample* to, int n)
{
#if defined(__x86_64__) || defined(__i386__)
  if (kHasAVX2)
    return FloatsToSamplesAVX2(from, to, n);
#endif
  FloatsToSamplesBase(from, to, n);
}

void SamplesToFloats(const sample* from, float* to, int n)
{
#if defined(__x86_64__) || defined(__i386__)
  if (kHasAVX2)
    return SamplesToFloatsAVX2(from, to, n);
#endif
  SamplesToFloatsBase(from, to, n);
}

void AddSamplesToFloats(const sample* from, float* to, int n)
{
#if defined(__x86_64__) || defined(__i386__)
  if (kHasAVX2)
    return AddSamplesToFloatsAVX2(from, to, n);
#endif
  AddSamplesToFloatsBase(from, to, n);
}
} // namespace iplug
