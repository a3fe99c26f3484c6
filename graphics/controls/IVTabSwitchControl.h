#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "ISwitchControlBase.h"
#include "IVectorBase.h"

namespace iplug::igraphics
{

// A row (or column) of buttons, one per option; clicking button i of N sets the value to i / (N - 1). The
// selected button is drawn pressed, the hovered one highlighted, and the ends of the row as end segments.
// Main thread.
class IVTabSwitchControl : public ISwitchControlBase, public IVectorBase
{
public:
  // Tabs for paramIdx; without options an enumerated parameter's display texts name the buttons.
  IVTabSwitchControl(const IRECT& bounds, int paramIdx = -1, const std::vector<std::string>& options = {},
                     const char* label = "", const IVStyle& style = DEFAULT_STYLE, EVShape shape = kVShapeRectangle,
                     EDirection direction = kDirectionHorizontal);
  // Tabs running actionFunc on each selection.
  IVTabSwitchControl(const IRECT& bounds, IActionFunction actionFunc, const std::vector<std::string>& options,
                     const char* label = "", const IVStyle& style = DEFAULT_STYLE, EVShape shape = kVShapeRectangle,
                     EDirection direction = kDirectionHorizontal);

  // Background, label, buttons, value.
  void Draw(IGraphics& g) override;
  // Every button with its option text.
  void DrawWidget(IGraphics& g) override;
  // Options from an enumerated parameter when none were given; label from its name.
  void OnInit() override;
  // Lays out the buttons in the widget area.
  void OnResize() override;
  // Selects the button under the pointer.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Highlights the button under the pointer.
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  // Clears the highlight.
  void OnMouseOut() override;
  // Inside the widget area.
  bool IsHit(float x, float y) const override;

  // The button containing (x, y), or -1.
  virtual int GetButtonForPoint(float x, float y) const;
  // The selected button: (int)((N - 1) x value + 0.5).
  int GetSelectedIdx() const;
  // Number of buttons.
  int NButtons() const { return static_cast<int>(mButtons.size()); }
  // The rectangle of button idx (which must exist).
  const IRECT& GetButton(int idx) const { return mButtons[static_cast<std::size_t>(idx)]; }
  // The button under the pointer, or -1.
  int GetMouseOverIdx() const { return mMouseOverButton; }
  // The text of option idx (which must exist).
  const char* GetOption(int idx) const { return mOptions[static_cast<std::size_t>(idx)].c_str(); }

protected:
  // One button and its text.
  virtual void DrawButton(IGraphics& g, int idx, const IRECT& r, bool pressed, bool mouseOver, bool disabled);
  // Cuts the widget area into the buttons.
  virtual void LayoutButtons();
  // Makes the number of states follow the options.
  void SetOptions(const std::vector<std::string>& options);

  std::vector<std::string> mOptions; // the buttons' texts
  std::vector<IRECT> mButtons; // the buttons' rectangles, user units
  EDirection mDirection; // whether the buttons stand in a row or a column
  int mMouseOverButton = -1; // the button under the pointer; -1: none
};

// A list of radio buttons: each option is a small pressable shape followed by its text, one per row (or
// column); a click on a row selects its option as for the tabs.
class IVRadioButtonControl : public IVTabSwitchControl
{
public:
  // Radio buttons for paramIdx with buttons of buttonSize units.
  IVRadioButtonControl(const IRECT& bounds, int paramIdx = -1, const std::vector<std::string>& options = {},
                       const char* label = "", const IVStyle& style = DEFAULT_STYLE, EVShape shape = kVShapeEllipse,
                       EDirection direction = kDirectionVertical, float buttonSize = 10.f);
  // Radio buttons running actionFunc on each selection.
  IVRadioButtonControl(const IRECT& bounds, IActionFunction actionFunc, const std::vector<std::string>& options,
                       const char* label = "", const IVStyle& style = DEFAULT_STYLE, EVShape shape = kVShapeEllipse,
                       EDirection direction = kDirectionVertical, float buttonSize = 10.f);

  // The option whose button or text holds (x, y), or -1.
  int GetButtonForPoint(float x, float y) const override;
  // The small shape of option idx, left in its row.
  IRECT GetButtonShape(int idx) const;

protected:
  // The shape, then the text beside it.
  void DrawButton(IGraphics& g, int idx, const IRECT& r, bool pressed, bool mouseOver, bool disabled) override;

private:
  float mButtonSize;
};

} // namespace iplug::igraphics
