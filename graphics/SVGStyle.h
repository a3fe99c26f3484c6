#pragma once

#include "SVGColor.h"

#include <string>
#include <string_view>
#include <vector>

namespace iplug::igraphics {

// A length as written, converted to user units once the reference for percentages is known. [any-thread]
struct SVGLength
{
  // Units of SVG lengths; plain numbers are user units.
  enum EUnit
  {
    kUser,
    kPx,
    kPt,
    kPc,
    kMm,
    kCm,
    kIn,
    kPercent,
    kEm,
    kEx
  };

  float value = 0.0f;  // the number as written
  EUnit unit = kUser;  // its unit

  // Reads a number with an optional unit (px, pt, pc, mm, cm, in, %, em, ex); false for anything else.
  static bool Parse(std::string_view text, SVGLength& length);
  // User units at dpi pixels per inch, percentages of percentReference; em is 16 px, ex 8 px.
  float ToUser(float dpi, float percentReference) const;
};

// A fill or stroke as written: none, a colour, currentColor, or a reference with a fallback. [any-thread]
struct SVGPaintValue
{
  // What the paint names.
  enum EKind
  {
    kNone,
    kColor,
    kCurrentColor,
    kUrl
  };

  EKind kind = kNone;           // what it names
  SVGColor color;               // kColor
  std::string url;              // kUrl: the id referred to, without '#'
  EKind fallbackKind = kNone;   // kUrl: used when the reference names no gradient (never kUrl)
  SVGColor fallbackColor;       // kUrl with fallback kColor

  // A plain colour paint.
  static SVGPaintValue Color(SVGColor color)
  {
    SVGPaintValue paint;
    paint.kind = kColor;
    paint.color = color;
    return paint;
  }
  // Reads a paint value; false (keeping the inherited paint) for an unreadable one.
  static bool Parse(std::string_view text, SVGPaintValue& paint);
};

// The computed presentation properties of an element: what it inherits from its parent, overridden by
// its own presentation attributes, style sheet rules and style attribute, in that order. [any-thread]
struct SVGStyle
{
  SVGPaintValue fill = SVGPaintValue::Color({}); // black unless set
  SVGPaintValue stroke;                      // none unless set
  SVGColor color;                           // what currentColor means
  float opacity = 1.0f;                     // product of this element's and its ancestors' opacity
  float fillOpacity = 1.0f;                 // 0 to 1
  float strokeOpacity = 1.0f;               // 0 to 1
  SVGLength strokeWidth{1.0f, SVGLength::kUser}; // stroke width
  char lineCap = 0;                         // an NSVGlineCap
  char lineJoin = 0;                        // an NSVGlineJoin
  float miterLimit = 4.0f;                  // at least 1
  std::vector<SVGLength> dashArray;         // empty for solid strokes
  SVGLength dashOffset;                     // dash offset
  char fillRule = 0;                        // an NSVGfillRule
  bool visible = true;                      // visibility (inherited)
  bool displayed = true;                    // display (this element only)
  SVGColor stopColor;                       // stop-color (stops only)
  float stopOpacity = 1.0f;                 // stop-opacity (stops only)

  // The style a child starts from: inherited properties kept, the others back to their initial values.
  SVGStyle Inherit() const;
  // Applies one declaration; unknown names, "inherit" and invalid values leave the style unchanged.
  void Apply(std::string_view name, std::string_view value);
};

// Removes white space at both ends.
std::string_view TrimSVGText(std::string_view text);

} // namespace iplug::igraphics
