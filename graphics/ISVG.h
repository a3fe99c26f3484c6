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
  // The document's width in the units it was parsed with; 0 for an invalid handle.
  float W() const;
  // The document's height in the units it was parsed with; 0 for an invalid handle.
  float H() const;
};

} // namespace iplug::igraphics
