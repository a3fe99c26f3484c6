#pragma once

#include <algorithm>

#include "IGraphicsConstants.h"

namespace iplug::igraphics {

// How a path is stroked: miter limit, caps, joins and an optional dash pattern.
struct IStrokeOptions
{
  // A dash pattern of up to 8 lengths; no entries means a solid line.
  struct DashOptions
  {
    static constexpr int kMaxDashes = 8; // capacity of mArray

    float mArray[kMaxDashes] = {}; // alternating dash and gap lengths in user units
    float mOffset = 0.f;           // distance into the pattern at which the stroke starts
    int mCount = 0;                // entries in use

    // Number of entries in use.
    int GetCount() const { return mCount; }
    // Start offset into the pattern.
    float GetOffset() const { return mOffset; }
    // The entries (GetCount() of them are meaningful).
    const float* GetArray() const { return mArray; }

    // Copies count lengths (clamped to 0-8; a null array means none) and the offset.
    void SetDash(const float* array, float offset, int count)
    {
      mCount = array ? std::clamp(count, 0, kMaxDashes) : 0;
      std::copy(array, array + mCount, mArray);
      std::fill(mArray + mCount, mArray + kMaxDashes, 0.f);
      mOffset = offset;
    }
  };

  float mMiterLimit = 10.f;   // longest miter, in stroke widths, before a join is bevelled
  bool mPreserve = false;     // keep the current path after stroking
  EStrokeCap mCap = kCapButt; // end shape
  EStrokeJoin mJoin = kJoinMiter; // corner shape
  DashOptions mDash;          // dash pattern (none by default)
};

// How a path is filled.
struct IFillOptions
{
  EFillMode mFillMode = kFillNonZero; // inside rule
  bool mPreserve = false;             // keep the current path after filling

  // Fill options with the given rule and path preservation.
  constexpr IFillOptions(EFillMode fillMode = kFillNonZero, bool preserve = false)
    : mFillMode(fillMode), mPreserve(preserve)
  {
  }
};

} // namespace iplug::igraphics
