#pragma once

#include <type_traits>

namespace iplug::igraphics {

// An axis-aligned rectangle in user-interface units (one unit is one pixel at draw scale 1; y grows
// downwards). The all-zero rectangle is "empty"; a zero-width rectangle elsewhere is not. All comparisons
// are exact float comparisons. Copied by value.
struct IRECT
{
  float L = 0.f; // left edge
  float T = 0.f; // top edge
  float R = 0.f; // right edge
  float B = 0.f; // bottom edge

  // The empty rectangle.
  constexpr IRECT() = default;
  // A rectangle from its four edges.
  constexpr IRECT(float l, float t, float r, float b) : L(l), T(t), R(r), B(b) {}

  // Edge-wise equality.
  constexpr bool operator==(const IRECT&) const = default;

  // Width.
  constexpr float W() const { return R - L; }
  // Height.
  constexpr float H() const { return B - T; }
  // Horizontal centre.
  constexpr float MW() const { return (L + R) / 2.f; }
  // Vertical centre.
  constexpr float MH() const { return (T + B) / 2.f; }
  // W() x H().
  constexpr float Area() const { return W() * H(); }

  // All four edges are exactly 0.
  constexpr bool Empty() const { return L == 0.f && T == 0.f && R == 0.f && B == 0.f; }

  // Neither rectangle is empty and rhs lies inside this one (edges may coincide).
  constexpr bool Contains(const IRECT& rhs) const
  {
    return !Empty() && !rhs.Empty() && rhs.L >= L && rhs.R <= R && rhs.T >= T && rhs.B <= B;
  }

  // Not empty and the point lies inside; the left and top edges are inside, the right and bottom are not.
  constexpr bool Contains(float x, float y) const { return !Empty() && x >= L && x < R && y >= T && y < B; }

  // Neither is empty and they meet; touching this one's right or bottom edge counts as meeting.
  constexpr bool Intersects(const IRECT& rhs) const
  {
    return !Empty() && !rhs.Empty() && R >= rhs.L && L < rhs.R && B >= rhs.T && T < rhs.B;
  }

  // The common part when the two intersect, else the empty rectangle.
  constexpr IRECT Intersect(const IRECT& rhs) const
  {
    if (!Intersects(rhs))
      return IRECT();
    return IRECT(Max(L, rhs.L), Max(T, rhs.T), Min(R, rhs.R), Min(B, rhs.B));
  }

  // The bounding rectangle of both; an empty operand contributes nothing.
  constexpr IRECT Union(const IRECT& rhs) const
  {
    if (Empty())
      return rhs;
    if (rhs.Empty())
      return *this;
    return IRECT(Min(L, rhs.L), Min(T, rhs.T), Max(R, rhs.R), Max(B, rhs.B));
  }

  // True when either is empty, or when both share a column (L and R) or a row (T and B) and touch or
  // overlap along it, so that their union covers exactly what they cover together.
  constexpr bool Mergeable(const IRECT& rhs) const
  {
    if (Empty() || rhs.Empty())
      return true;
    if (L == rhs.L && R == rhs.R)
      return Within(T, rhs.T, rhs.B) || Within(rhs.T, T, B);
    if (T == rhs.T && B == rhs.B)
      return Within(L, rhs.L, rhs.R) || Within(rhs.L, L, R);
    return false;
  }

  // Grown by p on every side (negative p shrinks).
  constexpr IRECT GetPadded(float p) const { return IRECT(L - p, T - p, R + p, B + p); }

  // Multiplies all four edges by s.
  constexpr void Scale(float s)
  {
    L *= s;
    T *= s;
    R *= s;
    B *= s;
  }

  // Copy with all four edges multiplied by s.
  constexpr IRECT GetScaled(float s) const
  {
    IRECT r = *this;
    r.Scale(s);
    return r;
  }

  // Floors L and T and ceils R and B: the smallest whole-unit rectangle containing this one.
  void PixelAlign();
  // Copy aligned as PixelAlign().
  IRECT GetPixelAligned() const;
  // The smallest rectangle on the device-pixel grid of that scale that contains this one; a scale that is
  // not a positive finite number is taken as 1.
  void PixelAlign(float scale);
  // Copy aligned as PixelAlign(scale).
  IRECT GetPixelAligned(float scale) const;

private:
  static constexpr float Min(float a, float b) { return b < a ? b : a; }
  static constexpr float Max(float a, float b) { return a < b ? b : a; }
  static constexpr bool Within(float v, float lo, float hi) { return v >= lo && v <= hi; }
};

static_assert(sizeof(IRECT) == 16 && std::is_trivially_copyable_v<IRECT>, "IRECT is a plain 16-byte value");

} // namespace iplug::igraphics
