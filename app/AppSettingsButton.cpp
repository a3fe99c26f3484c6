#include "AppSettingsButton.h"

#include "IGraphics.h"

namespace iplug::igraphics
{

AppSettingsButton::AppSettingsButton(float editorWidth, IActionFunction actionFunc)
  : IControl(Bounds(editorWidth), std::move(actionFunc))
{
  SetTooltip("Audio and MIDI settings");
}

IRECT AppSettingsButton::Bounds(float editorWidth)
{
  const float right = editorWidth - kMargin;
  return IRECT(right - kSize, kMargin, right, kMargin + kSize);
}

void AppSettingsButton::Draw(IGraphics& g)
{
  const IRECT& r = GetRECT();
  g.FillRoundRect(IColor(120, 0, 0, 0), r, 3.f);
  const IColor mark(220, 255, 255, 255);
  // Three sliders with their knobs at different places read as "settings" at this size.
  const float knobs[3] = {0.65f, 0.3f, 0.55f};
  for (int i = 0; i < 3; ++i)
  {
    const float y = r.T + r.H() * (0.3f + 0.2f * static_cast<float>(i));
    g.DrawLine(mark, r.L + 3.f, y, r.R - 3.f, y);
    g.FillCircle(mark, r.L + 3.f + (r.W() - 6.f) * knobs[i], y, 1.5f);
  }
}

void AppSettingsButton::OnMouseDown(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  SetDirty(true);
}

} // namespace iplug::igraphics
