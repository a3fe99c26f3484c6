#pragma once

#include "IRECT.h"
#include "WDL_HeapBuf.h"

namespace iplug::igraphics {

// An ordered, growable list of rectangles in one contiguous buffer that grows in steps of 4096 bytes and
// never shrinks, so a list that is cleared and refilled every frame stops allocating once it has grown.
// Order is significant: Optimize depends on it. Main thread; not thread-safe.
class IRECTList
{
public:
  // An empty list (no buffer allocated yet).
  IRECTList() = default;

  // Number of rectangles.
  int Size() const { return mRects.GetSize() / static_cast<int>(sizeof(IRECT)); }
  // Number of rectangles the buffer holds before it must grow.
  int Capacity() const { return mRects.GetCapacity() / static_cast<int>(sizeof(IRECT)); }

  // Appends rect; false (list unchanged) when the buffer could not grow.
  bool Add(const IRECT& rect);
  // Replaces entry i; false when i is out of range.
  bool Set(int i, const IRECT& rect);
  // Entry i, or the empty rectangle when i is out of range.
  IRECT Get(int i) const { return i >= 0 && i < Size() ? Data()[i] : IRECT(); }
  // Empties the list and keeps the buffer.
  void Clear() { mRects.Resize(0, false); }

  // Union of all entries from the first to the last (empty entries contribute nothing).
  IRECT Bounds() const;
  // Pixel-aligns every entry at that scale (see IRECT::PixelAlign(float)).
  void PixelAlign(float scale);

  // Rewrites the list so that it covers exactly the same area with fewer rectangles that do not overlap:
  // pass 1 removes contained entries and cuts overlaps away, pass 2 merges neighbours of the same row or
  // column. Allocates only when cutting needs more entries than the buffer holds.
  void Optimize();

  // Removes the corner overlap X from r: appends one part of r without X to the list and returns the other
  // part, which replaces r. When the list cannot grow, returns r unchanged (coverage is kept, overlap too).
  IRECT Split(const IRECT& r, const IRECT& X);

private:
  IRECT* Data() const { return static_cast<IRECT*>(mRects.Get()); }
  void Delete(int i);
  IRECT Shrink(const IRECT& r, const IRECT& X);
  void RemoveOverlaps();
  void MergeNeighbours();

  WDL_HeapBuf mRects{4096};
};

} // namespace iplug::igraphics
