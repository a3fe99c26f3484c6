#pragma once

#include "IMatrix.h"

#include <string_view>

namespace iplug::igraphics {

// Reads an SVG transform list (matrix, translate, scale, rotate with an optional centre, skewX, skewY,
// separated by white space or commas) into one matrix, the first item outermost. Returns false and
// leaves matrix unchanged on any error, so a malformed list counts as no transform. [any-thread]
bool ParseSVGTransform(std::string_view text, IMatrix& matrix);

} // namespace iplug::igraphics
