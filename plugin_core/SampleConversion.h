#pragma once

#include "IPlugConstants.h"

namespace iplug
{
// The passes between the host's single-precision buffers and the double-precision samples a product
// processes. Each is one plain loop over contiguous arrays, vectorised by the compiler, and on processors
// with AVX2 run in a variant built for it, whose conversion instructions take four samples at a time
// instead of two. The results are the same bit for bit on either path: float to double is exact, and
// double to float rounds in the calling thread's rounding mode, honouring its flush-to-zero setting.
// None allocates, locks or calls the system. n <= 0 does nothing. The arrays must not overlap unless said.

// Writes n floats from `from` into `to` as samples. [any-thread]
void FloatsToSamples(const float* from, sample* to, int n);
// Writes n samples from `from` into `to`, each rounded to float. [any-thread]
void SamplesToFloats(const sample* from, float* to, int n);
// Adds n samples from `from`, each rounded to float, to the floats in `to` (a float addition). [any-thread]
void AddSamplesToFloats(const sample* from, float* to, int n);
// Writes n samples from `from` into `to`, each rounded to float and, where that float is subnormal, flushed
// to zero of its sign: what rounding under flush-to-zero gives, without switching the thread's modes,
// whose control register costs more to write twice than a short block costs to copy. `from` may equal
// `to`. [any-thread]
void RoundToFloatFlushingSubnormals(const sample* from, sample* to, int n);
// The same for samples that are each exactly a float already (converted from float buffers): only the flush
// is needed, with no conversion, so this pass costs less. `from` may equal `to`. [any-thread]
void FlushFloatSubnormals(const sample* from, sample* to, int n);
// The same flush from float buffers straight into float buffers, for a block that needs no samples at all:
// bit for bit what converting to samples, flushing and rounding back gives. `from` may equal `to`. [any-thread]
void FlushFloatSubnormals(const float* from, float* to, int n);
} // namespace iplug
