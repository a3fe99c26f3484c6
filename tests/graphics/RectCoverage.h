#pragma once

#include <algorithm>
#include <vector>

#include "IRECTList.h"

// Helpers that judge an optimised dirty list by the unit cells it covers on a small integer grid.
namespace rect_coverage {

using iplug::igraphics::IRECT;
using iplug::igraphics::IRECTList;

// Cells of a gridSize x gridSize grid covered by any entry (a cell (x, y) is [x, x+1) x [y, y+1)).
inline std::vector<bool> CoveredCells(const IRECTList& list, int gridSize)
{
  std::vector<bool> cells(static_cast<size_t>(gridSize * gridSize), false);
  for (int i = 0; i < list.Size(); ++i)
  {
    const IRECT r = list.Get(i);
    for (int y = std::max(0, static_cast<int>(r.T)); y < std::min(gridSize, static_cast<int>(r.B)); ++y)
      for (int x = std::max(0, static_cast<int>(r.L)); x < std::min(gridSize, static_cast<int>(r.R)); ++x)
        cells[static_cast<size_t>(y * gridSize + x)] = true;
  }
  return cells;
}

// Area two rectangles have in common (0 when they merely touch).
inline float SharedArea(const IRECT& a, const IRECT& b)
{
  const float w = std::min(a.R, b.R) - std::max(a.L, b.L);
  const float h = std::min(a.B, b.B) - std::max(a.T, b.T);
  return w > 0.f && h > 0.f ? w * h : 0.f;
}

// Whether any two entries share area.
inline bool AnyOverlap(const IRECTList& list)
{
  for (int i = 0; i < list.Size(); ++i)
    for (int j = i + 1; j < list.Size(); ++j)
      if (SharedArea(list.Get(i), list.Get(j)) > 0.f)
        return true;
  return false;
}

} // namespace rect_coverage
