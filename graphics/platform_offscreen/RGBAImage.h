#pragma once

#include <cstdint>
#include <vector>

#include "IColor.h"

namespace iplug::igraphics {

// A picture held as 8-bit RGBA pixels, top row first, with alpha premultiplied as the GL renderer leaves
// it. Read back from a framebuffer for tests, tools and screenshots. Copied by value. [main-thread]
class RGBAImage
{
public:
  // An empty picture (0 x 0).
  RGBAImage() = default;
  // A width x height picture of transparent black; negative sizes count as 0.
  RGBAImage(int width, int height);

  // The width x height pixels at the origin of the framebuffer bound to the current GL context, rows
  // flipped so the top row comes first. An empty picture when no context is current or a size is not positive.
  static RGBAImage ReadFramebuffer(int width, int height);

  // Width in pixels.
  int Width() const { return mWidth; }
  // Height in pixels.
  int Height() const { return mHeight; }
  // The pixel at (x, y) as a colour (x, y clamped to the picture); transparent black for an empty picture.
  IColor GetPixel(int x, int y) const;
  // Replaces the pixel at (x, y); out-of-range positions are ignored.
  void SetPixel(int x, int y, const IColor& color);
  // All pixels, 4 bytes each (R, G, B, A), rows top first.
  const std::vector<uint8_t>& Data() const { return mData; }
  // All pixels, writable.
  std::vector<uint8_t>& Data() { return mData; }

  // Writes the picture as a PNG file at path (alpha un-premultiplied, as PNG expects); false when the
  // picture is empty or the file cannot be written.
  bool WritePNG(const char* path) const;

private:
  int mWidth = 0;
  int mHeight = 0;
  std::vector<uint8_t> mData;
};

} // namespace iplug::igraphics
