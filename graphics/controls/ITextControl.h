#pragma once

#include "IControl.h"

namespace iplug::igraphics
{

// A string drawn over a background colour; lets the pointer through. Main thread.
class ITextControl : public IControl
{
public:
  // str in text over bgColor; with setBoundsBasedOnStr the bounds shrink or grow to the measured string.
  ITextControl(const IRECT& bounds, const char* str = "", const IText& text = DEFAULT_TEXT,
               const IColor& bgColor = DEFAULT_BGCOLOR, bool setBoundsBasedOnStr = false);

  // Background, then the string when there is one.
  void Draw(IGraphics& g) override;
  // Fits the bounds to the string when asked.
  void OnInit() override;
  // Replaces the string (redrawing, refitting) when it differs.
  virtual void SetStr(const char* str);
  // Replaces the string with at most maxlen formatted characters; redraws.
  virtual void SetStrFmt(int maxlen, const char* fmt, ...) __attribute__((format(printf, 3, 4)));
  // Empties the string.
  virtual void ClearStr() { SetStr(""); }
  // Makes both rectangles the measured string's size, centred where the control was.
  void SetBoundsBasedOnStr();
  // The string.
  const char* GetStr() const { return mStr.Get(); }
  // Replaces the background colour; redraws.
  void SetBoxColor(const IColor& color);

protected:
  WDL_String mStr; // the text shown
  IColor mBGColor; // background colour
  bool mSetBoundsBasedOnStr; // the rectangle follows the text's measured size
};

// A parameter's display text (and optionally its label), with a drop-down triangle for enumerations;
// a click prompts for a value when prompting is on.
class ICaptionControl : public ITextControl
{
public:
  // A caption of paramIdx in text over bgColor; showParamLabel appends the parameter's label.
  ICaptionControl(const IRECT& bounds, int paramIdx, const IText& text = DEFAULT_TEXT,
                  const IColor& bgColor = DEFAULT_BGCOLOR, bool showParamLabel = true);

  // The current display text, background, and the triangle for enumerations.
  void Draw(IGraphics& g) override;
  // Places the triangle for enumerated parameters.
  void OnResize() override;
  // Prompts for a value (menu or text entry) with either button.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // The drop-down triangle's rectangle; empty when the parameter is not an enumeration.
  const IRECT& GetTriangleRect() const { return mTri; }

private:
  bool mShowParamLabel;
  IRECT mTri;
};

// Text that opens a URL when clicked, underlined, coloured by hover and by having been clicked.
class IURLControl : public ITextControl
{
public:
  // label linking to url, in text's colour, mouseOverColor while hovered and clickedColor once clicked.
  IURLControl(const IRECT& bounds, const char* label, const char* url, const IText& text = DEFAULT_TEXT,
              const IColor& bgColor = DEFAULT_BGCOLOR, const IColor& mouseOverColor = COLOR_WHITE,
              const IColor& clickedColor = COLOR_BLUE);

  // Background, underline and text in the current colour.
  void Draw(IGraphics& g) override;
  // Opens the URL and remembers the click.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Hand cursor while over it.
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  // Arrow cursor again.
  void OnMouseOut() override;
  // Also takes the new text colour as the normal colour.
  void SetText(const IText& text) override;
  // Whether it was clicked.
  bool GetClicked() const { return mClicked; }

private:
  WDL_String mURLStr;
  IColor mOriginalColor;
  IColor mMouseOverColor;
  IColor mClickedColor;
  bool mClicked = false;
};

// A two-state text button showing offText or onText.
class ITextToggleControl : public ITextControl
{
public:
  // A toggle of paramIdx showing offText below 0.5 and onText above.
  ITextToggleControl(const IRECT& bounds, int paramIdx, const char* offText = "OFF", const char* onText = "ON",
                     const IText& text = DEFAULT_TEXT, const IColor& bgColor = DEFAULT_BGCOLOR);
  // The same with an action function instead of a parameter.
  ITextToggleControl(const IRECT& bounds, IActionFunction actionFunc, const char* offText = "OFF",
                     const char* onText = "ON", const IText& text = DEFAULT_TEXT,
                     const IColor& bgColor = DEFAULT_BGCOLOR);

  // Flips the value.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Shows the text of the new value, then marks every slot dirty.
  void SetDirty(bool triggerAction = true, int valIdx = -1) override;

private:
  WDL_String mOffText;
  WDL_String mOnText;
};

// A layout placeholder: crossed diagonals, its position and size, and a label.
class PlaceHolder : public ITextControl
{
public:
  // A placeholder over bounds labelled str.
  PlaceHolder(const IRECT& bounds, const char* str = "Place Holder");

  // Background, diagonals, size and position texts, label.
  void Draw(IGraphics& g) override;
  // Updates the size and position texts.
  void OnResize() override;
  // The "x, y" text of the top-left corner.
  const char* GetTLText() const { return mTLGCText.Get(); }
  // The width and height texts.
  const char* GetWidthText() const { return mWidthText.Get(); }
  const char* GetHeightText() const { return mHeightText.Get(); }

private:
  WDL_String mTLGCText;
  WDL_String mWidthText;
  WDL_String mHeightText;
  IText mCentreLabel;
};

} // namespace iplug::igraphics
