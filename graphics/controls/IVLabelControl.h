#pragma once

#include "ITextControl.h"
#include "IVectorBase.h"

namespace iplug::igraphics
{

// A text in the style's label text over the style's background colour; no widget. Main thread.
class IVLabelControl : public ITextControl, public IVectorBase
{
public:
  // label drawn with style's label text.
  IVLabelControl(const IRECT& bounds, const char* label, const IVStyle& style = DEFAULT_STYLE);

  // Background, then the text.
  void Draw(IGraphics& g) override;
  // Also takes the style's label text as the text style.
  void SetStyle(const IVStyle& style) override;
  // Replaces the text (the label string follows it).
  void SetStr(const char* str) override;
};

} // namespace iplug::igraphics
