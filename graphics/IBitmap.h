#pragma once

#include "WDL_String.h"

namespace iplug::igraphics {

// A back-end bitmap: the drawing back end derives its texture-holding bitmap from this record. Owned by the
// bitmap cache or by a layer; never copied.
class APIBitmap
{
public:
  // A record with no back-end image, 0 x 0 pixels, at pixel density and draw scale 1.
  APIBitmap() = default;
  // A record for a back-end image of width x height stored pixels made for pixel density scale, created at
  // draw scale drawScale.
  APIBitmap(int bitmap, int width, int height, float scale, float drawScale)
    : mBitmap(bitmap), mWidth(width), mHeight(height), mScale(scale), mDrawScale(drawScale)
  {
  }
  APIBitmap(const APIBitmap&) = delete;
  APIBitmap& operator=(const APIBitmap&) = delete;
  virtual ~APIBitmap() = default;

  // Replaces every field at once (the back end calls this when it has created the image).
  void SetBitmap(int bitmap, int width, int height, float scale, float drawScale)
  {
    mBitmap = bitmap;
    mWidth = width;
    mHeight = height;
    mScale = scale;
    mDrawScale = drawScale;
  }

  // Back-end handle (the NanoVG image id).
  int GetBitmap() const { return mBitmap; }
  // Width in stored pixels.
  int GetWidth() const { return mWidth; }
  // Height in stored pixels.
  int GetHeight() const { return mHeight; }
  // Pixel density the pixels were made for: 1 plain, 2 double density.
  float GetScale() const { return mScale; }
  // Draw scale at which it was created (layers).
  float GetDrawScale() const { return mDrawScale; }
  // True when every pixel is fully opaque, so that whatever it is drawn over cannot show through.
  bool IsOpaque() const { return mOpaque; }
  // Records what the back end found when it decoded the pixels.
  void SetOpaque(bool opaque) { mOpaque = opaque; }

private:
  int mBitmap = 0;
  int mWidth = 0;
  int mHeight = 0;
  float mScale = 1.f;
  float mDrawScale = 1.f;
  bool mOpaque = false; // only a decoded image is known to be opaque; render targets never are
};

// A handle on a strip of equally sized frames in one back-end bitmap, as controls use it. Does not own the
// back-end bitmap; a null one makes the handle invalid. Copied by value.
class IBitmap
{
public:
  // An invalid handle.
  IBitmap() = default;
  // A handle on nFrames frames (values below 1 count as 1) laid side by side when framesAreHorizontal, else
  // stacked, loaded under resourceName (null is empty). The size in user units is the stored size divided by
  // the bitmap's pixel density (a density that is not positive counts as 1), truncated.
  IBitmap(APIBitmap* apiBitmap, int nFrames, bool framesAreHorizontal, const char* resourceName = "");

  // Width of the whole strip in user units.
  int W() const { return mW; }
  // Height of the whole strip in user units.
  int H() const { return mH; }
  // Number of frames.
  int N() const { return mN; }
  // Width of one frame in user units.
  int FW() const { return mHorizontalFrames ? mW / mN : mW; }
  // Height of one frame in user units.
  int FH() const { return mHorizontalFrames ? mH : mH / mN; }
  // Whether frames are laid side by side.
  bool GetFramesAreHorizontal() const { return mHorizontalFrames; }
  // The back-end bitmap (not owned), or null.
  APIBitmap* GetAPIBitmap() const { return mAPIBitmap; }
  // Pixel density of the back-end bitmap (1 for an invalid handle).
  float GetScale() const { return mAPIBitmap ? mAPIBitmap->GetScale() : 1.f; }
  // Draw scale of the back-end bitmap (1 for an invalid handle).
  float GetDrawScale() const { return mAPIBitmap ? mAPIBitmap->GetDrawScale() : 1.f; }
  // Name it was loaded under, used to reload it at another scale.
  const WDL_String& GetResourceName() const { return mResourceName; }
  // Whether it refers to a back-end bitmap.
  bool IsValid() const { return mAPIBitmap != nullptr; }

private:
  APIBitmap* mAPIBitmap = nullptr;
  int mW = 0;
  int mH = 0;
  int mN = 1;
  bool mHorizontalFrames = false;
  WDL_String mResourceName;
};

} // namespace iplug::igraphics
