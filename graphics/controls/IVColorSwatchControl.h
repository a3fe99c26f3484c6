#pragma once

#include <functional>
#include <string>
#include <vector>

#include "IControl.h"
#include "IVectorBase.h"

namespace iplug::igraphics
{

// Called with the cell whose colour was chosen and the colour.
using IColorChosenFunc = std::function<void(int cellIdx, const IColor& color)>;

// Cells of colour swatches, one per colour role of the style, each with an optional name; clicking a cell
// asks the platform for a colour ("Choose a color"), stores it in that role and reports it. Main thread.
class IVColorSwatchControl : public IControl, public IVectorBase
{
public:
  // How the cells are arranged in the widget area.
  enum ECellLayout
  {
    kGrid,       // as square a grid as the number of cells allows, filled row by row
    kHorizontal, // one row
    kVertical    // one column
  };

  // Swatches of the listed roles (all nine when empty) named by cellLabels, reporting to func.
  IVColorSwatchControl(const IRECT& bounds, const char* label = "", IColorChosenFunc func = nullptr,
                       const IVStyle& style = DEFAULT_STYLE, ECellLayout layout = kGrid,
                       const std::vector<EVColor>& colorIDs = {}, const std::vector<std::string>& cellLabels = {});

  // Background, label, cells.
  void Draw(IGraphics& g) override;
  // Every cell: swatch, frame, highlight and name.
  void DrawWidget(IGraphics& g) override;
  // Lays out the cells.
  void OnResize() override;
  // Asks for a colour for the cell under the pointer.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Highlights the cell under the pointer.
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  // Clears the highlighted cell.
  void OnMouseOut() override;

  // The cell containing (x, y), or -1.
  int GetCellForPoint(float x, float y) const;
  // Number of cells.
  int NCells() const { return static_cast<int>(mColorIDs.size()); }
  // The rectangle of cell idx (which must exist).
  const IRECT& GetCell(int idx) const { return mCells[static_cast<std::size_t>(idx)]; }
  // The cell under the pointer, or -1.
  int GetMouseOverCell() const { return mCellOver; }

private:
  // Stores color in cell idx's role and reports it.
  void ColorChosen(int idx, const IColor& color);

  IColorChosenFunc mColorChosenFunc;
  ECellLayout mLayout;
  std::vector<EVColor> mColorIDs;
  std::vector<std::string> mCellLabels;
  std::vector<IRECT> mCells;
  int mCellOver = -1;
};

} // namespace iplug::igraphics
