#pragma once

#include "IControl.h"

namespace iplug::igraphics
{

// The small button the standalone program puts at the editor's top-right corner: three slider marks on a
// translucent plate; a click runs its action (opening the audio and MIDI settings). [main-thread]
class AppSettingsButton : public IControl
{
public:
  // Side of the button in user units, and its distance from the editor's edges.
  static constexpr float kSize = 14.f;
  static constexpr float kMargin = 3.f;

  // A button at the top-right corner of an editor of width editorWidth user units, running actionFunc.
  AppSettingsButton(float editorWidth, IActionFunction actionFunc);

  // The rectangle of the button in an editor of width editorWidth user units.
  static IRECT Bounds(float editorWidth);

  void Draw(IGraphics& g) override;
  // Runs the action.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
};

} // namespace iplug::igraphics
