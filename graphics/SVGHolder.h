#pragma once

#include "SVGParser.h"

namespace iplug::igraphics {

// One parsed SVG document as the SVG cache holds it; frees the document when destroyed. [main-thread]
class SVGHolder
{
public:
  // Takes ownership of image (may be null).
  explicit SVGHolder(NSVGimage* image) : mImage(image) {}
  ~SVGHolder()
  {
    if (mImage)
      nsvgDelete(mImage);
  }
  SVGHolder(const SVGHolder&) = delete;
  SVGHolder& operator=(const SVGHolder&) = delete;

  // The document (owned by this holder).
  NSVGimage* GetImage() const { return mImage; }

private:
  NSVGimage* mImage;
};

} // namespace iplug::igraphics
