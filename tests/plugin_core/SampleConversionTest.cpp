// The conversion passes between the host's floats and the product's samples agree bit for bit with a plain
// scalar conversion at every length (the vectorised loops have remainders to handle), touch nothing past
// the length they are given, and round and flush as the calling thread's modes say; the rounding pass that
// flushes by itself matches the processor's flush-to-zero exactly.

#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cstdint>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "SampleConversion.h"
#include "ScopedFlushDenormals.h"

namespace iplug
{
namespace
{
constexpr float kFloatSentinel = -12345.0f;
constexpr sample kSampleSentinel = -54321.0;
constexpr int kGuard = 9; // elements after the length that must stay untouched

// Lengths around every vector width and unrolling the compiler may pick, and one past a whole block.
std::vector<int> Lengths()
{
  std::vector<int> lengths;
  for (int n = 0; n <= 70; ++n)
    lengths.push_back(n);
  lengths.push_back(4096 + 3);
  return lengths;
}

// Doubles that need rounding to become floats, with the special values among them.
std::vector<sample> AwkwardSamples(int n)
{
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> value(-2.0, 2.0);
  std::vector<sample> samples(static_cast<size_t>(n));
  const sample specials[] = {0.0, -0.0, 1.0 + std::ldexp(1.0, -24), std::numeric_limits<double>::infinity(),
                             1e-40, -1e300, std::numeric_limits<double>::quiet_NaN()};
  for (int i = 0; i < n; ++i)
    samples[static_cast<size_t>(i)] = i % 5 == 4 ? specials[(i / 5) % 7] : value(rng);
  return samples;
}

// The scalar conversion the passes must match, kept out of any vector loop.
float ScalarFloat(sample s)
{
  volatile sample v = s;
  return static_cast<float>(v);
}

// The same bits, or both NaN (whose payload a conversion may carry either way).
template <class T>
bool Same(T a, T b)
{
  return std::memcmp(&a, &b, sizeof(T)) == 0 || (std::isnan(a) && std::isnan(b));
}

// Passes when the first n of `to` are `expected` (the same bits, or both NaN) and the guard after them
// still holds the sentinel.
template <class T>
::testing::AssertionResult WroteExactly(const std::vector<T>& to, const std::vector<T>& expected, int n, T sentinel)
{
  for (int i = 0; i < n; ++i)
    if (!Same(to[static_cast<size_t>(i)], expected[static_cast<size_t>(i)]))
      return ::testing::AssertionFailure() << "length " << n << ", element " << i << ": "
                                           << to[static_cast<size_t>(i)] << " instead of "
                                           << expected[static_cast<size_t>(i)];
  for (int i = n; i < n + kGuard; ++i)
    if (to[static_cast<size_t>(i)] != sentinel)
      return ::testing::AssertionFailure() << "length " << n << " wrote element " << i;
  return ::testing::AssertionSuccess();
}
} // namespace

TEST(SampleConversion, FloatsBecomeTheSameSamplesAtEveryLength)
{
  for (int n : Lengths())
  {
    std::vector<sample> source = AwkwardSamples(n);
    std::vector<float> from(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
      from[static_cast<size_t>(i)] = ScalarFloat(source[static_cast<size_t>(i)]);
    std::vector<sample> to(static_cast<size_t>(n + kGuard), kSampleSentinel);

    FloatsToSamples(from.data(), to.data(), n);

    const std::vector<sample> expected(from.begin(), from.end());
    ASSERT_TRUE(WroteExactly(to, expected, n, kSampleSentinel));
  }
}

TEST(SampleConversion, SamplesRoundToTheSameFloatsAtEveryLength)
{
  for (int n : Lengths())
  {
    const std::vector<sample> from = AwkwardSamples(n);
    std::vector<float> to(static_cast<size_t>(n + kGuard), kFloatSentinel);

    SamplesToFloats(from.data(), to.data(), n);

    std::vector<float> expected(from.size());
    for (size_t i = 0; i < from.size(); ++i)
      expected[i] = ScalarFloat(from[i]);
    ASSERT_TRUE(WroteExactly(to, expected, n, kFloatSentinel));
  }
}

TEST(SampleConversion, AddingRoundsEachSampleThenAddsAsFloats)
{
  for (int n : Lengths())
  {
    const std::vector<sample> from = AwkwardSamples(n);
    std::vector<float> to(static_cast<size_t>(n + kGuard), kFloatSentinel);
    for (int i = 0; i < n; ++i)
      to[static_cast<size_t>(i)] = 0.5f + static_cast<float>(i % 3);
    const std::vector<float> before = to;

    AddSamplesToFloats(from.data(), to.data(), n);

    std::vector<float> expected(from.size());
    for (size_t i = 0; i < from.size(); ++i)
    {
      volatile float sum = before[i];
      sum = sum + ScalarFloat(from[i]);
      expected[i] = sum;
    }
    ASSERT_TRUE(WroteExactly(to, expected, n, kFloatSentinel));
  }
}

TEST(SampleConversion, NegativeLengthWritesNothing)
{
  const sample from[4] = {1.0, 2.0, 3.0, 4.0};
  float to[4] = {kFloatSentinel, kFloatSentinel, kFloatSentinel, kFloatSentinel};
  SamplesToFloats(from, to, -3);
  AddSamplesToFloats(from, to, -1);
  for (float f : to)
    EXPECT_EQ(f, kFloatSentinel);
}

TEST(SampleConversion, RoundsInTheThreadsRoundingMode)
{
  // Just above halfway between two floats: to nearest rounds up, toward zero rounds down.
  const sample justAboveHalf = 1.0 + std::ldexp(1.0, -24) + std::ldexp(1.0, -40);
  std::vector<sample> from(37, justAboveHalf);
  std::vector<float> to(from.size());

  const int saved = std::fegetround();
  ASSERT_EQ(std::fesetround(FE_TOWARDZERO), 0);
  SamplesToFloats(from.data(), to.data(), static_cast<int>(from.size()));
  std::fesetround(saved);

  for (float f : to)
    EXPECT_EQ(f, 1.0f);
  SamplesToFloats(from.data(), to.data(), static_cast<int>(from.size()));
  for (float f : to)
    EXPECT_EQ(f, 1.0f + std::ldexp(1.0f, -23));
}

#if defined(__SSE__) || defined(__x86_64__)
TEST(SampleConversion, FlushesFloatDenormalsOnlyUnderFlushToZero)
{
  // A normal double that becomes a subnormal float.
  std::vector<sample> from(37, 1e-40);
  std::vector<float> to(from.size());

  SamplesToFloats(from.data(), to.data(), static_cast<int>(from.size()));
  for (float f : to)
    EXPECT_EQ(std::fpclassify(f), FP_SUBNORMAL);
  {
    const ScopedFlushDenormals flush;
    SamplesToFloats(from.data(), to.data(), static_cast<int>(from.size()));
  }
  for (float f : to)
    EXPECT_EQ(f, 0.0f);
}

// Values at the edge of the float range: tiny results either side of the smallest normal float (some round
// up to it), the largest subnormal, and overflow.
std::vector<sample> FloatEdgeSamples()
{
  const double smallestNormal = std::numeric_limits<float>::min();
  return {smallestNormal,
          -smallestNormal,
          std::nextafter(smallestNormal, 0.0),                // rounds up to the smallest normal: kept
          -smallestNormal * (1.0 - std::ldexp(1.0, -30)),     // the same, negative
          smallestNormal * (1.0 - std::ldexp(1.0, -23)),      // the largest subnormal float: flushed
          std::numeric_limits<float>::denorm_min(),
          -1e-40,
          std::numeric_limits<double>::denorm_min(),          // a double subnormal
          -std::numeric_limits<double>::min(),
          static_cast<double>(std::numeric_limits<float>::max()) * 1.5,
          -1e300,
          std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::quiet_NaN(),
          0.1,
          -0.0};
}

// n awkward samples with a float edge value in every third place.
std::vector<sample> EdgeLadenSamples(int n)
{
  const std::vector<sample> edges = FloatEdgeSamples();
  std::vector<sample> samples = AwkwardSamples(n);
  for (size_t i = 0; i < samples.size(); i += 3)
    samples[i] = edges[(i / 3) % edges.size()];
  return samples;
}

TEST(SampleConversion, RoundingWithFlushMatchesTheProcessorsFlushToZeroAtEveryLength)
{
  for (int n : Lengths())
  {
    const std::vector<sample> from = EdgeLadenSamples(n);
    std::vector<sample> expected(from.size());
    {
      const ScopedFlushDenormals flush;
      for (size_t i = 0; i < from.size(); ++i)
        expected[i] = static_cast<sample>(ScalarFloat(from[i]));
    }
    std::vector<sample> to(static_cast<size_t>(n + kGuard), kSampleSentinel);

    RoundToFloatFlushingSubnormals(from.data(), to.data(), n);

    ASSERT_TRUE(WroteExactly(to, expected, n, kSampleSentinel));
  }
}

TEST(SampleConversion, RoundingWithFlushKeepsTheSignOfFlushedSamplesAndWorksInPlace)
{
  std::vector<sample> samples = {1e-40, -1e-40, -std::numeric_limits<double>::denorm_min(), 0.1, -0.1};
  samples.resize(67, -1e-41);

  RoundToFloatFlushingSubnormals(samples.data(), samples.data(), static_cast<int>(samples.size()));

  EXPECT_EQ(std::bit_cast<std::uint64_t>(samples[0]), 0u);
  EXPECT_TRUE(std::signbit(samples[1]) && samples[1] == 0.0);
  EXPECT_TRUE(std::signbit(samples[2]) && samples[2] == 0.0);
  EXPECT_EQ(samples[3], static_cast<sample>(0.1f));
  EXPECT_EQ(samples[4], static_cast<sample>(-0.1f));
  for (size_t i = 5; i < samples.size(); ++i)
    ASSERT_TRUE(std::signbit(samples[i]) && samples[i] == 0.0) << "element " << i;
}

TEST(SampleConversion, FlushingFloatsMatchesRoundingWithFlushForSamplesThatAreFloats)
{
  for (int n : Lengths())
  {
    // Only floats: the path is for samples converted from float buffers.
    std::vector<sample> from = EdgeLadenSamples(n);
    for (sample& s : from)
      s = static_cast<sample>(ScalarFloat(s));
    std::vector<sample> expected(from.size());
    RoundToFloatFlushingSubnormals(from.data(), expected.data(), n);
    std::vector<sample> to(static_cast<size_t>(n + kGuard), kSampleSentinel);

    FlushFloatSubnormals(from.data(), to.data(), n);
    ASSERT_TRUE(WroteExactly(to, expected, n, kSampleSentinel));

    from.resize(static_cast<size_t>(n + kGuard), kSampleSentinel);
    FlushFloatSubnormals(from.data(), from.data(), n);
    ASSERT_TRUE(WroteExactly(from, expected, n, kSampleSentinel)) << "in place";
  }
}

TEST(SampleConversion, FlushingFloatBuffersMatchesTheTripThroughSamples)
{
  for (int n : Lengths())
  {
    std::vector<float> from(static_cast<size_t>(n));
    const std::vector<sample> ladder = EdgeLadenSamples(n);
    for (int i = 0; i < n; ++i)
      from[static_cast<size_t>(i)] = ScalarFloat(ladder[static_cast<size_t>(i)]);
    std::vector<sample> samples(from.size());
    FloatsToSamples(from.data(), samples.data(), n);
    FlushFloatSubnormals(samples.data(), samples.data(), n);
    std::vector<float> expected(from.size());
    SamplesToFloats(samples.data(), expected.data(), n);
    std::vector<float> to(static_cast<size_t>(n + kGuard), kFloatSentinel);

    FlushFloatSubnormals(from.data(), to.data(), n);
    ASSERT_TRUE(WroteExactly(to, expected, n, kFloatSentinel));

    from.resize(static_cast<size_t>(n + kGuard), kFloatSentinel);
    FlushFloatSubnormals(from.data(), from.data(), n);
    ASSERT_TRUE(WroteExactly(from, expected, n, kFloatSentinel)) << "in place";
  }
}
#endif
} // namespace iplug

