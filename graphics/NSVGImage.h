#pragma once

// The records of a parsed SVG document, in the shape the drawing code walks (shapes of paths of cubic
// Bézier points, each with a fill and a stroke paint). All coordinates are document units after the
// viewBox, the units and every transform have been applied. Produced by nsvgParse (SVGParser.h), freed
// with nsvgDelete; the records are plain data and never change after parsing. [any-thread] to read.

// What a paint paints.
enum NSVGpaintType
{
  NSVG_PAINT_NONE = 0,            // nothing
  NSVG_PAINT_COLOR = 1,           // one packed colour
  NSVG_PAINT_LINEAR_GRADIENT = 2, // a linear gradient
  NSVG_PAINT_RADIAL_GRADIENT = 3  // a radial gradient
};

// What a gradient paints beyond its first and last stop.
enum NSVGspreadType
{
  NSVG_SPREAD_PAD = 0,     // the end colours continue
  NSVG_SPREAD_REFLECT = 1, // the gradient mirrors back and forth
  NSVG_SPREAD_REPEAT = 2   // the gradient starts over
};

// How two stroked segments meet.
enum NSVGlineJoin
{
  NSVG_JOIN_MITER = 0,
  NSVG_JOIN_ROUND = 1,
  NSVG_JOIN_BEVEL = 2
};

// How an open stroke ends.
enum NSVGlineCap
{
  NSVG_CAP_BUTT = 0,
  NSVG_CAP_ROUND = 1,
  NSVG_CAP_SQUARE = 2
};

// Which points a fill covers.
enum NSVGfillRule
{
  NSVG_FILLRULE_NONZERO = 0,
  NSVG_FILLRULE_EVENODD = 1
};

// Bits of NSVGshape::flags.
enum NSVGflags
{
  NSVG_FLAGS_VISIBLE = 0x01 // drawn (display and visibility allow it)
};

// One gradient stop. [any-thread] to read
struct NSVGgradientStop
{
  unsigned int color = 0; // packed 0xAABBGGRR (low byte red); alpha = stop-opacity x fill or stroke opacity
  float offset = 0.0f;    // position along the gradient, 0 to 1, never below the previous stop's
};

// A gradient. xform maps document coordinates to gradient space: a linear gradient runs from (0, 0)
// to (0, 1) there, a radial one is centred on (0, 0) with radius 1. [any-thread] to read
struct NSVGgradient
{
  float xform[6] = {1, 0, 0, 1, 0, 0}; // a, b, c, d, e, f: (x, y) -> (a x + c y + e, b x + d y + f)
  char spread = NSVG_SPREAD_PAD;       // an NSVGspreadType
  float fx = 0.0f;                     // radial focal point x in gradient space
  float fy = 0.0f;                     // radial focal point y in gradient space
  int nstops = 0;                      // number of stops, at least 1
  NSVGgradientStop* stops = nullptr;   // nstops stops in offset order (owned)
};

// A fill or stroke paint. [any-thread] to read
struct NSVGpaint
{
  signed char type = NSVG_PAINT_NONE; // an NSVGpaintType
  union
  {
    unsigned int color;     // NSVG_PAINT_COLOR: packed 0xAABBGGRR (low byte red); alpha = fill- or stroke-opacity
    NSVGgradient* gradient; // NSVG_PAINT_*_GRADIENT: the gradient (owned)
  };

  NSVGpaint() : color(0) {}
};

// One subpath as cubic Béziers: x0,y0 then npts - 1 further points in triples (cp1, cp2, end).
// [any-thread] to read
struct NSVGpath
{
  float* pts = nullptr;        // npts * 2 floats (owned)
  int npts = 0;                // number of points: 1 + 3 * segments
  char closed = 0;             // 1 when the subpath was closed (Z, rect, circle, polygon ...)
  float bounds[4] = {};        // min x, min y, max x, max y of the curve itself (not its control points)
  NSVGpath* next = nullptr;    // the next subpath of the shape, or null (owned)
};

// One drawn element with its paints and stroke settings. [any-thread] to read
struct NSVGshape
{
  char id[64] = {};                // the element's id attribute, cut to 63 bytes, NUL-terminated
  NSVGpaint fill;                  // fill paint
  NSVGpaint stroke;                // stroke paint
  float opacity = 1.0f;            // opacity, 0 to 1 (group opacities multiplied in)
  float strokeWidth = 1.0f;        // stroke width in document units (scaled by the transform)
  float strokeDashOffset = 0.0f;   // dash offset in document units
  float strokeDashArray[8] = {};   // dash lengths in document units
  char strokeDashCount = 0;        // number of dash lengths used, 0 for a solid stroke
  char strokeLineJoin = NSVG_JOIN_MITER; // an NSVGlineJoin
  char strokeLineCap = NSVG_CAP_BUTT;    // an NSVGlineCap
  float miterLimit = 4.0f;         // miter limit, at least 1
  char fillRule = NSVG_FILLRULE_NONZERO; // an NSVGfillRule
  unsigned char flags = 0;         // NSVGflags bits
  float bounds[4] = {};            // min x, min y, max x, max y over the shape's paths
  NSVGpath* paths = nullptr;       // first subpath (owned)
  NSVGshape* next = nullptr;       // the next shape in document order, or null (owned)
};

// A parsed document; nsvgDelete frees it with everything it links. [any-thread] to read
struct NSVGimage
{
  float width = 0.0f;          // document width in the units asked for
  float height = 0.0f;         // document height in the units asked for
  NSVGshape* shapes = nullptr; // first shape in document order (owned)
};
