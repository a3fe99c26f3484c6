#pragma once

#include <memory>
#include <string>
#include <vector>

#include "IControl.h"

namespace iplug::igraphics
{

// A one-line text field drawn by the graphics context itself, used to type a parameter value (or any
// text) when the context has one attached. The text is kept in UTF-16; cursor movement, selection,
// insertion, deletion and undo are stb_textedit's, driven through the callbacks below. Numeric
// parameters refuse characters that cannot be part of their value as they are typed. The graphics
// context owns the control; everything runs on the main (UI) thread.
class ITextEntryControl : public IControl
{
public:
  // Key codes handed to the editing library: special keys are kSpecialKey plus the virtual key code,
  // typed characters their code point; the modifier flags are added.
  static constexpr int kSpecialKey = static_cast<int>(0x80000000u);
  static constexpr int kShiftFlag = 0x40000000;
  static constexpr int kControlFlag = 0x20000000;
  static constexpr int kAltFlag = 0x10000000;

  // An idle entry with an empty rectangle, no parameter and the cursor blink as its action [main-thread].
  ITextEntryControl();
  ~ITextEntryControl() override;

  // Starts editing str (UTF-8, null is empty) in bounds with style text, the whole text selected; typing and
  // pasting stop at length code units (0: no limit); paramIdx is the context's and not used here [main-thread].
  void CreateTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length, const char* str);
  // Ends editing and hands the text (UTF-8) to the graphics context, which sets the waiting control [main-thread].
  void CommitEdit();
  // Ends editing without handing the text over and forgets the waiting control [main-thread].
  void DismissEdit();
  // Selects the whole text [main-thread].
  void SelectAll();
  // Puts the selected text (UTF-8) on the clipboard; nothing when the selection is empty [main-thread].
  void CopySelection();
  // Copies the selection, then deletes it as one undoable step [main-thread].
  void Cut();
  // Replaces the selection with the clipboard's text as one undoable step; nothing when the clipboard is empty [main-thread].
  void Paste();
  // Replaces the text with str (UTF-8, null is empty) and empties the width cache; no undo record [main-thread].
  void SetStr(const char* str);
  // Rebuilds the width cache for the whole text [main-thread].
  void OnTextChange();
  // Width in user units of c drawn after previous (0: none), so kerning between the pair counts [main-thread].
  float MeasureCharWidth(char16_t c, char16_t previous);

  // Whether an edit is in progress.
  bool GetEditing() const { return mEditing; }
  // The text being edited, as UTF-8.
  std::string GetStr() const;
  // Cursor position in UTF-16 code units.
  int GetCursor() const;
  // Selection ends in UTF-16 code units, in the order they were made (start may exceed end).
  int GetSelectionStart() const;
  int GetSelectionEnd() const;
  // Whether the blinking cursor is in its shown phase.
  bool GetCursorVisible() const { return mCursorVisible; }

  // Callbacks of the editing library [main-thread].

  // Number of UTF-16 code units in the text.
  int GetLength() const { return static_cast<int>(mText.size()); }
  // The code unit at idx (0 when out of range).
  char16_t GetChar(int idx) const;
  // Width of the code unit at idx from the width cache, filling the cache first when it is empty.
  float GetCharWidth(int idx);
  // The single row's left and right x (absolute) and top and bottom y (relative to the rectangle's top).
  void GetRowLayout(float& x0, float& x1, float& yTop, float& yBottom);
  // Deletes n code units at idx (clipped to the text).
  void DeleteChars(int idx, int n);
  // Inserts n code units at idx; false when idx is outside the text.
  bool InsertChars(int idx, const char16_t* chars, int n);

  // Control operations.
  void Draw(IGraphics& g) override;
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  void OnMouseDblClick(float x, float y, const IMouseMod& mod) override;
  bool OnKeyDown(float x, float y, const IKeyPress& key) override;
  void OnEndAnimation() override;
  // The choice of the right-click menu: "Cut", "Copy" or "Paste".
  void OnPopupMenuSelection(IPopupMenu* pMenu, int valIdx) override;

private:
  struct EditState;

  // Shows the cursor and times the next blink cycle of one second.
  void StartBlink();
  // Replaces the selection (or inserts at the cursor) with as much of text as the length limit allows, as one
  // undoable step, and puts the cursor behind it.
  void ReplaceSelection(const std::u16string& text);
  // Sends one key code to the editing library; true when the editing state changed (the control is then dirty).
  bool SendKey(int key);
  // Ends editing: empties the rectangles and marks every control dirty.
  void EndEdit();
  // The key code for an ordinary key with decoded character codePoint: numeric parameters of the waiting
  // control let only digits, signs and (for doubles) the point through; 0 when refused or nobody waits.
  int TypedCode(const IKeyPress& key, int codePoint) const;
  // Width in user units of text drawn in the control's style; 0 while not attached.
  float MeasureUTF16(const std::u16string& text);
  // One animation frame of the blink: hides the cursor after half a second, ends the cycle after one.
  static void BlinkAnimation(IControl* pCaller);
  // Sum of the cached widths of the first count code units.
  float WidthBefore(int count);
  // The row's top and bottom y in absolute coordinates, shrunk by a tenth of the text size.
  void HighlightSpan(float& top, float& bottom);

  bool mCursorVisible = false;
  bool mEditing = false;
  std::unique_ptr<EditState> mEditState;
  std::u16string mText;
  std::vector<float> mCharWidths;
  // Longest text in code units that typing or pasting may make; 0 = no limit. A longer initial text is kept.
  int mMaxLength = 0;
};

} // namespace iplug::igraphics
