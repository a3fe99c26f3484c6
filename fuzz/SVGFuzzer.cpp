// Parses arbitrary text as an SVG document: the parser never crashes or leaks, and whatever it accepts
// holds only records the drawing code can walk (cubic point counts, ordered gradient stops, bounded dash
// arrays, finite sizes).
#include "SVGParser.h"

#include "FuzzPlugin.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

using iplug::fuzz::Require;

namespace {

void CheckPaint(const NSVGpaint& paint)
{
  Require(paint.type >= NSVG_PAINT_NONE && paint.type <= NSVG_PAINT_RADIAL_GRADIENT);
  if (paint.type != NSVG_PAINT_LINEAR_GRADIENT && paint.type != NSVG_PAINT_RADIAL_GRADIENT)
    return;
  const NSVGgradient* gradient = paint.gradient;
  Require(gradient && gradient->nstops >= 2 && gradient->stops);
  for (int i = 0; i < gradient->nstops; ++i)
  {
    Require(gradient->stops[i].offset >= 0.0f && gradient->stops[i].offset <= 1.0f);
    Require(i == 0 || gradient->stops[i].offset >= gradient->stops[i - 1].offset);
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  // The first byte picks the units, as LoadSVG's callers may.
  static const char* const kUnits[] = {"px", "pt", "mm", "in"};
  const char* units = size > 0 ? kUnits[data[0] % 4] : "px";
  std::string text(reinterpret_cast<const char*>(data), size);
  NSVGimage* image = nsvgParse(text.data(), units, 96.0f);
  if (!image)
    return 0;
  Require(std::isfinite(image->width) && std::isfinite(image->height));
  for (const NSVGshape* shape = image->shapes; shape; shape = shape->next)
  {
    CheckPaint(shape->fill);
    CheckPaint(shape->stroke);
    Require(shape->strokeDashCount >= 0 && shape->strokeDashCount <= 8);
    Require(shape->opacity >= 0.0f && shape->opacity <= 1.0f);
    Require(shape->paths != nullptr);
    for (const NSVGpath* path = shape->paths; path; path = path->next)
      Require(path->pts && path->npts >= 4 && (path->npts - 1) % 3 == 0);
  }
  nsvgDelete(image);
  return 0;
}
