#pragma once

#include <vector>

namespace iplug::igraphics {

// One subpath in cubic Bézier form: x0, y0, then (cp1x, cp1y, cp2x, cp2y, x, y) per segment. [any-thread]
struct SVGSubpath
{
  std::vector<float> pts; // 2 + 6 * segments floats
  bool closed = false;    // ended by a close command (or a closed element outline)
};

// Turns drawing commands (move, line, quadratic and cubic curves, elliptical arcs, close) into subpaths
// of cubic Béziers, the one segment kind the drawing code walks. Keeps the current point and the subpath
// start the way SVG path data defines them. [any-thread]
class SVGPathBuilder
{
public:
  // Starts a new subpath at (x, y).
  void MoveTo(float x, float y);
  // A straight segment to (x, y), as a cubic with control points at a third and two thirds.
  void LineTo(float x, float y);
  // A cubic segment.
  void CubicTo(float cx1, float cy1, float cx2, float cy2, float x, float y);
  // A quadratic segment, raised to a cubic.
  void QuadTo(float cx, float cy, float x, float y);
  // An elliptical arc to (x, y) with radii rx, ry, x-axis rotation in degrees and SVG's two flags, in
  // cubics of at most 90 degrees each; a zero radius makes it a line, equal end points make it nothing.
  void ArcTo(float rx, float ry, float rotation, bool largeArc, bool sweep, float x, float y);
  // Closes the subpath with a line back to its start when needed; the current point returns there.
  void Close();

  // Current point x and y.
  float X() const { return mX; }
  float Y() const { return mY; }

  // The finished subpaths with at least one segment; the builder is empty afterwards.
  std::vector<SVGSubpath> Take();

private:
  // Ensures a subpath is open, starting one at the current point after a close.
  void Begin();
  // Moves the current subpath to the results when it has a segment.
  void Flush();

  std::vector<SVGSubpath> mDone; // finished subpaths
  SVGSubpath mCurrent;           // the subpath being built
  bool mOpen = false;            // mCurrent has its start point
  float mX = 0.0f, mY = 0.0f;    // current point
  float mStartX = 0.0f, mStartY = 0.0f; // start of the current subpath
};

// Appends the commands of SVG path data d (M L H V C S Q T A Z, absolute and relative, implicit
// repeats) to builder. Stops at the first error and keeps what came before it, as SVG prescribes.
// Returns false when an error stopped it. [any-thread]
bool ParseSVGPathData(const char* d, SVGPathBuilder& builder);

} // namespace iplug::igraphics
