#pragma once

#include <functional>
#include <string>
#include <vector>

#include "IControl.h"
#include "IPopupMenu.h"

namespace iplug::igraphics
{

// One setting on the settings page: a box showing the current choice; a click opens the drawn popup menu of
// every choice, and picking one calls the choice function with its index. Choices the driver does not allow
// are shown greyed in the menu. [main-thread]
class AppChoiceControl : public IControl
{
public:
  // Called with the index of the choice picked.
  using ChoiceFunc = std::function<void(int index)>;

  // A control at bounds that calls choiceFunc with the index the user picks. [main-thread]
  AppChoiceControl(const IRECT& bounds, ChoiceFunc choiceFunc);

  // Replaces the choices and the one shown (-1: none, showing emptyText); redraws.
  void SetChoices(std::vector<std::string> choices, int selected, const std::string& emptyText);
  // The choices, in menu order.
  const std::vector<std::string>& Choices() const { return mChoices; }
  // The choice shown, or -1.
  int Selected() const { return mSelected; }
  // The text the box shows: the choice shown, or the empty text.
  const std::string& ShownText() const { return mSelected >= 0 ? mChoices[static_cast<size_t>(mSelected)] : mEmptyText; }

  void Draw(IGraphics& g) override;
  // Opens the menu of choices under the box.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Calls the choice function with the item picked, if any.
  void OnPopupMenuSelection(IPopupMenu* pMenu, int valIdx) override;

private:
  ChoiceFunc mChoiceFunc;
  std::vector<std::string> mChoices;
  int mSelected = -1;
  std::string mEmptyText;
  IPopupMenu mMenu;
};

} // namespace iplug::igraphics
