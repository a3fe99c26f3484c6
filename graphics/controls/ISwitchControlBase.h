#pragma once

#include <vector>

#include "IControl.h"

namespace iplug::igraphics
{

// Mouse behaviour of a switch: each click moves to the next of its states (wrapping to the first);
// a linked switch has one state per whole number of its parameter's range. Main thread.
class ISwitchControlBase : public IControl
{
public:
  // A switch over bounds linked to paramIdx with numStates positions.
  ISwitchControlBase(const IRECT& bounds, int paramIdx = -1, IActionFunction actionFunc = nullptr,
                     int numStates = 2);

  // Takes the number of states from the linked parameter's range.
  void OnInit() override;
  // Moves to the next state and sends it on.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Ends the press.
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;

  // Marks state stateIdx (0..states-1) disabled for drawing; redraws.
  void SetStateDisabled(int stateIdx, bool disabled);
  // Marks every state disabled or enabled; redraws.
  void SetAllStatesDisabled(bool disabled);
  // Whether state stateIdx is disabled (false out of range).
  bool GetStateDisabled(int stateIdx) const;
  // Number of positions.
  int GetNumStates() const { return mNumStates; }
  // Whether the button is held.
  bool GetMouseDown() const { return mMouseDown; }

protected:
  int mNumStates; // number of positions
  std::vector<bool> mStatesDisabled; // positions that cannot be chosen
  bool mMouseDown = false; // the button is held
};

} // namespace iplug::igraphics
