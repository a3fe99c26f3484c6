#pragma once

#include <algorithm>

namespace iplug::igraphics {

// A colour as four 8-bit channels held in ints (nominally 0-255): alpha, red, green, blue. Copied by value.
struct IColor
{
  int A = 255; // alpha, 0 transparent .. 255 opaque
  int R = 0;   // red
  int G = 0;   // green
  int B = 0;   // blue

  // Opaque black.
  constexpr IColor() = default;
  // A colour from alpha, red, green and blue; values are kept as given (see Clamp).
  constexpr IColor(int a, int r, int g, int b) : A(a), R(r), G(g), B(b) {}

  // Channel-wise equality.
  constexpr bool operator==(const IColor&) const = default;

  // Limits every channel to 0-255.
  constexpr void Clamp()
  {
    A = std::clamp(A, 0, 255);
    R = std::clamp(R, 0, 255);
    G = std::clamp(G, 0, 255);
    B = std::clamp(B, 0, 255);
  }

  // The same colour with alpha = opacity x 255 (opacity clamped to 0-1, truncated).
  constexpr IColor WithOpacity(float opacity) const
  {
    return IColor(static_cast<int>(std::clamp(opacity, 0.f, 1.f) * 255.f), R, G, B);
  }
};

} // namespace iplug::igraphics
