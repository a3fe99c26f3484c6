#pragma once

#include "IButtonControlBase.h"
#include "IVectorBase.h"

namespace iplug::igraphics
{

// A vector push button: a pressable shape, drawn pressed while its value is above 0.5, with its label over
// it or above it; the default action splashes from the click. Main thread.
class IVButtonControl : public IButtonControlBase, public IVectorBase
{
public:
  // A button running actionFunc, labelled label (over the shape when labelInButton).
  IVButtonControl(const IRECT& bounds, IActionFunction actionFunc = SplashClickActionFunc, const char* label = "",
                  const IVStyle& style = DEFAULT_STYLE, bool labelInButton = true, bool valueInButton = true,
                  EVShape shape = kVShapeRectangle);

  // Background, label, shape, value.
  void Draw(IGraphics& g) override;
  // The pressable shape in the widget area.
  void DrawWidget(IGraphics& g) override;
  // Lays out; the shape is the hit area.
  void OnResize() override;
  // Inside the shape's area.
  bool IsHit(float x, float y) const override;
};

} // namespace iplug::igraphics
