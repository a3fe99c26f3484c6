#pragma once

#include <algorithm>

namespace iplug::igraphics {

// The pixel densities tried, in order, when looking for a bitmap made for target density t: t itself, then
// 3 (unless t is 3), then downwards from 3 to 1, skipping t. A denser image scaled down is preferred
// to a smaller one scaled up: 1 -> 1, 3, 2; 2 -> 2, 3, 1; 3 -> 3, 2, 1; 4 -> 4, 3, 2, 1. Value type.
class DensityOrder
{
public:
  static constexpr int kMaxDensities = 4; // at most t, 3, 2, 1

  // The order for target density target (values below 1 count as 1).
  explicit constexpr DensityOrder(int target)
  {
    const int t = std::max(target, 1);
    Append(t);
    if (t != 3)
      Append(3);
    for (int d = 2; d >= 1; --d)
      if (d != t)
        Append(d);
  }

  // Number of densities in the order.
  constexpr int Size() const { return mCount; }
  // The density at position i (0 <= i < Size()).
  constexpr int operator[](int i) const { return mDensities[i]; }
  // First density, for range-for.
  constexpr const int* begin() const { return mDensities; }
  // One past the last density, for range-for.
  constexpr const int* end() const { return mDensities + mCount; }

private:
  constexpr void Append(int d) { mDensities[mCount++] = d; }

  int mDensities[kMaxDensities] = {};
  int mCount = 0;
};

} // namespace iplug::igraphics
