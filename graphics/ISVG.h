#pragma once

struct NSVGimage;

namespace iplug::igraphics {

// A handle on a parsed SVG document; the SVG cache owns the document. A null document makes the handle
// invalid, and an invalid handle draws nothing. Copied by value.
struct ISVG
{
  NSVGimage* mImage = nullptr; // the parsed document (not owned), or null

  // A handle on image (null gives an invalid handle).
  explicit ISVG(NSVGimage* image = nullptr) : mImage(image) {}

  // Whether it refers to a document.
  bool IsValid() const { return mImage != nullptr; }
};

} // namespace iplug::igraphics
