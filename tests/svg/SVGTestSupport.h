#pragma once

#include "SVGParser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace iplug::igraphics::test {

struct ImageDeleter
{
  void operator()(NSVGimage* image) const { nsvgDelete(image); }
};

using SVGImagePtr = std::unique_ptr<NSVGimage, ImageDeleter>;

// Parses a document given as text (copied, since the parser takes a writable buffer).
inline SVGImagePtr ParseSVG(const std::string& text, const char* units = "px", float dpi = 96.0f)
{
  std::string buffer = text;
  return SVGImagePtr(nsvgParse(buffer.data(), units, dpi));
}

// Parses the body of an svg element of 100 x 100 px without a viewBox.
inline SVGImagePtr ParseBody(const std::string& body)
{
  return ParseSVG("<svg xmlns='http://www.w3.org/2000/svg' width='100' height='100'>" + body + "</svg>");
}

inline int CountShapes(const NSVGimage* image)
{
  int count = 0;
  for (const NSVGshape* shape = image->shapes; shape; shape = shape->next)
    ++count;
  return count;
}

inline int CountPaths(const NSVGshape* shape)
{
  int count = 0;
  for (const NSVGpath* path = shape->paths; path; path = path->next)
    ++count;
  return count;
}

// The on-curve points of a path (every third point from the first), as x, y pairs.
inline std::vector<float> OnCurvePoints(const NSVGpath* path)
{
  std::vector<float> points;
  for (int i = 0; i < path->npts; i += 3)
  {
    points.push_back(path->pts[i * 2]);
    points.push_back(path->pts[i * 2 + 1]);
  }
  return points;
}

// The point at parameter t of cubic segment k of a path.
inline void PointOnSegment(const NSVGpath* path, int segment, float t, float& x, float& y)
{
  const float* p = path->pts + segment * 6;
  const float u = 1.0f - t;
  x = u * u * u * p[0] + 3 * u * u * t * p[2] + 3 * u * t * t * p[4] + t * t * t * p[6];
  y = u * u * u * p[1] + 3 * u * u * t * p[3] + 3 * u * t * t * p[5] + t * t * t * p[7];
}

// Maps a document point through a gradient's transform into gradient space.
inline void ToGradientSpace(const NSVGgradient* gradient, float x, float y, float& gx, float& gy)
{
  const float* m = gradient->xform;
  gx = x * m[0] + y * m[2] + m[4];
  gy = x * m[1] + y * m[3] + m[5];
}

// Packs red, green, blue and alpha the way paints store them (low byte red).
constexpr unsigned int RGBA(unsigned int r, unsigned int g, unsigned int b, unsigned int a = 255)
{
  return r | (g << 8) | (b << 16) | (a << 24);
}

} // namespace iplug::igraphics::test
