#pragma once

#include "IDirBrowseControlBase.h"

namespace iplug::igraphics
{

// A drop-down file chooser built on the directory-browsing base: it shows the chosen file's name (or a
// prompt while none is chosen) beside a drop-down triangle, and a click opens the menu of the files found
// in its folders, scanned afresh each time. [main-thread]
class GalleryFileMenu : public IDirBrowseControlBase
{
public:
  // A chooser of files ending in extension (shown without it) over bounds, its texts in text.
  GalleryFileMenu(const IRECT& bounds, const char* extension, const IText& text = DEFAULT_TEXT);

  // Background, frame, the chosen name or the prompt, and the triangle.
  void Draw(IGraphics& g) override;
  // Rescans the folders and opens the menu below the control.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Takes the chosen item's file (its tag) as the selection; a dismissed menu keeps the old one.
  void OnPopupMenuSelection(IPopupMenu* pMenu, int valIdx) override;

  // The text shown: the chosen item's text, or "Choose a file" while none is chosen.
  const char* GetDisplayText() const;

private:
  WDL_String mChosenText; // text of the chosen item
  WDL_String mChosenPath; // full path of the chosen file, empty while none is chosen
};

} // namespace iplug::igraphics
