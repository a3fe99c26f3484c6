#pragma once

#include <string_view>

namespace iplug::igraphics {

// A colour read from an SVG attribute: red, green and blue packed as 0x00BBGGRR (low byte red, the
// layout of NSVGpaint) and an alpha of its own from rgba() or "transparent". [any-thread]
struct SVGColor
{
  unsigned int rgb = 0; // 0x00BBGGRR
  float alpha = 1.0f;   // 0 to 1
};

// Reads #rgb, #rrggbb, rgb()/rgba() with numbers or percentages (clamped to 0-255 and 0-1), a named
// colour of SVG 1.1 (any letter case) or "transparent"; false for anything else, including "none" and
// "currentColor", which the caller resolves. [any-thread]
bool ParseSVGColor(std::string_view text, SVGColor& color);

// Packs red, green and blue bytes as 0x00BBGGRR.
constexpr unsigned int PackSVGColor(unsigned int r, unsigned int g, unsigned int b)
{
  return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

} // namespace iplug::igraphics
