#pragma once

#include <initializer_list>

#include "IGraphicsConstants.h"
#include "IMatrix.h"

namespace iplug::igraphics {

// One colour of a gradient at a position along it.
struct IColorStop
{
  IColor mColor;       // colour at this stop
  float mOffset = 0.f; // position along the gradient, 0-1

  // Opaque black at offset 0.
  constexpr IColorStop() = default;
  // A stop of the given colour at the given offset.
  constexpr IColorStop(const IColor& color, float offset) : mColor(color), mOffset(offset) {}
};

// A fill or stroke paint: a solid colour or a linear or radial gradient of up to 16 stops.
// A linear gradient runs from (0, 0) to (0, 1) and a radial one has radius 1 around (0, 0), both in the
// pattern's own coordinates, which mTransform maps user coordinates into. Copied by value.
struct IPattern
{
  static constexpr int kMaxStops = 16; // capacity of mStops

  EPatternKind mType = kPatternSolid;  // solid, linear or radial
  EPatternEdge mEdge = kPatternEdgePad; // what lies beyond the stops
  IColorStop mStops[kMaxStops];        // entries at and beyond mNStops hold opaque black at offset 0
  int mNStops = 0;                     // stops in use
  IMatrix mTransform;                  // user coordinates -> pattern coordinates

  // A solid pattern of the default colour (opaque black).
  IPattern() : IPattern(IColor()) {}
  // A solid pattern: one stop of that colour at offset 0. Implicit so that a colour can stand for a pattern.
  IPattern(const IColor& color) : mType(kPatternSolid), mNStops(1) { mStops[0] = IColorStop(color, 0.f); }
  // A pattern of the given kind with no stops yet and the identity transform.
  explicit IPattern(EPatternKind type) : mType(type) {}

  // A linear gradient from (x1, y1) (offset 0) to (x2, y2) (offset 1) in user units; coinciding points give a
  // gradient that starts there and runs one unit downwards. Stops beyond 16 are dropped.
  static IPattern CreateLinearGradient(float x1, float y1, float x2, float y2,
                                       std::initializer_list<IColorStop> stops = {});
  // A radial gradient centred on (x, y) whose offset 1 lies at radius r in user units; r <= 0 is taken as 1.
  // Stops beyond 16 are dropped.
  static IPattern CreateRadialGradient(float x, float y, float r, std::initializer_list<IColorStop> stops = {});

  // Number of stops in use.
  int NStops() const { return mNStops; }
  // The stop at index (0 <= index < NStops()); out of range gives opaque black at offset 0.
  IColorStop GetStop(int index) const { return index >= 0 && index < mNStops ? mStops[index] : IColorStop(); }
  // Appends a stop; returns false (and changes nothing) when 16 stops are already held.
  bool AddStop(const IColor& color, float offset);
  // Replaces the user-to-pattern transform.
  void SetTransform(const IMatrix& transform) { mTransform = transform; }
};

} // namespace iplug::igraphics
