#include "IRECTList.h"

#include <cstring>

namespace iplug::igraphics {

bool IRECTList::Add(const IRECT& rect)
{
  const int size = Size();
  if (!mRects.Resize((size + 1) * static_cast<int>(sizeof(IRECT)), false))
    return false;
  Data()[size] = rect;
  return true;
}

bool IRECTList::Set(int i, const IRECT& rect)
{
  if (i < 0 || i >= Size())
    return false;
  Data()[i] = rect;
  return true;
}

void IRECTList::Delete(int i)
{
  const int size = Size();
  std::memmove(Data() + i, Data() + i + 1, static_cast<size_t>(size - i - 1) * sizeof(IRECT));
  mRects.Resize((size - 1) * static_cast<int>(sizeof(IRECT)), false);
}

IRECT IRECTList::Bounds() const
{
  IRECT bounds;
  for (int i = 0; i < Size(); ++i)
    bounds = bounds.Union(Data()[i]);
  return bounds;
}

void IRECTList::PixelAlign(float scale)
{
  for (int i = 0; i < Size(); ++i)
    Data()[i].PixelAlign(scale);
}

void IRECTList::Optimize()
{
  if (Size() == 0)
    return;
  RemoveOverlaps();
  MergeNeighbours();
}

// X spans r's whole width or height. Removes it from r; when X is a band through the middle of r, the part
// beyond the band is appended so that no area is lost.
IRECT IRECTList::Shrink(const IRECT& r, const IRECT& X)
{
  if (X.L != r.L)
  {
    if (X.R != r.R && !Add(IRECT(X.R, r.T, r.R, r.B)))
      return r;
    return IRECT(r.L, r.T, X.L, r.B);
  }
  if (X.T != r.T)
  {
    if (X.B != r.B && !Add(IRECT(r.L, X.B, r.R, r.B)))
      return r;
    return IRECT(r.L, r.T, r.R, X.T);
  }
  if (X.R != r.R)
    return IRECT(X.R, r.T, r.R, r.B);
  return IRECT(r.L, X.B, r.R, r.B);
}

IRECT IRECTList::Split(const IRECT& r, const IRECT& X)
{
  IRECT appended;
  IRECT kept;
  if (r.L == X.L && r.T == X.T) // X in the top-left corner
  {
    appended = IRECT(X.R, r.T, r.R, X.B);
    kept = IRECT(r.L, X.B, r.R, r.B);
  }
  else if (r.L == X.L) // bottom-left
  {
    appended = IRECT(r.L, r.T, r.R, X.T);
    kept = IRECT(X.R, X.T, r.R, r.B);
  }
  else if (r.T == X.T) // top-right
  {
    appended = IRECT(r.L, r.T, X.L, X.B);
    kept = IRECT(r.L, X.B, r.R, r.B);
  }
  else // bottom-right
  {
    appended = IRECT(r.L, r.T, r.R, X.T);
    kept = IRECT(r.L, X.T, X.L, r.B);
  }
  return Add(appended) ? kept : r;
}

// Entries appended by Shrink and Split land at the end and are visited when the loops reach them.
void IRECTList::RemoveOverlaps()
{
  for (int i = 0; i < Size(); ++i)
  {
    int j = i + 1;
    while (j < Size())
    {
      const IRECT a = Data()[i];
      const IRECT b = Data()[j];
      if (a.Contains(b))
      {
        Delete(j);
        continue;
      }
      if (b.Contains(a))
      {
        Delete(i);
        j = i + 1;
        continue;
      }
      if (a.Intersects(b))
      {
        const IRECT x = a.Intersect(b);
        if (a.Mergeable(x))
          Set(i, Shrink(a, x));
        else if (b.Mergeable(x))
          Set(j, Shrink(b, x));
        else if (b.Area() > a.Area())
          Set(i, Split(a, x));
        else
          Set(j, Split(b, x));
      }
      ++j;
    }
  }
}

// Merges the first mergeable pair in list order (the later entry becomes the union, the earlier one goes)
// and starts over, until no pair is mergeable.
void IRECTList::MergeNeighbours()
{
  bool merged = true;
  while (merged)
  {
    merged = false;
    for (int i = 0; i < Size() && !merged; ++i)
    {
      for (int j = i + 1; j < Size(); ++j)
      {
        if (Data()[i].Mergeable(Data()[j]))
        {
          Data()[j] = Data()[i].Union(Data()[j]);
          Delete(i);
          merged = true;
          break;
        }
      }
    }
  }
}

} // namespace iplug::igraphics
