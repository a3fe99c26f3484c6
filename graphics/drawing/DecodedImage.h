#pragma once

#include <memory>

namespace iplug::igraphics
{

// Pixels of a PNG, JPEG or other image file decoded to 8-bit RGBA (straight alpha, rows top first), and
// whether every one of them is fully opaque. Owns its pixels; empty when decoding failed. [main-thread]
class DecodedImage
{
public:
  // Decodes the file at path (empty when missing or unreadable).
  static DecodedImage FromFile(const char* path);
  // Decodes size bytes at pData (empty when they are not an image).
  static DecodedImage FromMemory(const void* pData, int size);

  // The pixels, width x height x 4 bytes, or null when empty.
  const unsigned char* Pixels() const { return mPixels.get(); }
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }
  // True when every pixel's alpha is 255 (false when empty).
  bool IsOpaque() const { return mOpaque; }

private:
  struct FreePixels
  {
    void operator()(unsigned char* pPixels) const;
  };

  // Takes over pixels from the decoder (null allowed) and scans their alpha.
  DecodedImage(unsigned char* pPixels, int width, int height);

  std::unique_ptr<unsigned char, FreePixels> mPixels;
  int mWidth = 0;
  int mHeight = 0;
  bool mOpaque = false;
};

} // namespace iplug::igraphics
