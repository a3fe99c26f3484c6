#include "ITextEntryControl.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "IGraphics.h"
#include "IParam.h"
#include "IPopupMenu.h"
#include "IVirtualKeys.h"
#include "UTF8.h"

// The editing library is instantiated here, on this control, with UTF-16 code units as characters.
#define STB_TEXTEDIT_CHARTYPE char16_t
#define STB_TEXTEDIT_POSITIONTYPE int
#define STB_TEXTEDIT_STRING iplug::igraphics::ITextEntryControl
#define STB_TEXTEDIT_STRINGLEN(obj) ((obj)->GetLength())
#define STB_TEXTEDIT_LAYOUTROW(row, obj, start) LayoutRow((row), (obj), (start))
#define STB_TEXTEDIT_GETWIDTH(obj, start, idx) ((obj)->GetCharWidth((start) + (idx)))
#define STB_TEXTEDIT_KEYTOTEXT(key) KeyToText(key)
#define STB_TEXTEDIT_GETCHAR(obj, idx) ((obj)->GetChar(idx))
#define STB_TEXTEDIT_NEWLINE u'\n'
#define STB_TEXTEDIT_IS_SPACE(ch) ((ch) == u' ' || (ch) == u'\t')
#define STB_TEXTEDIT_DELETECHARS(obj, idx, n) ((obj)->DeleteChars((idx), (n)))
#define STB_TEXTEDIT_INSERTCHARS(obj, idx, chars, n) ((obj)->InsertChars((idx), (chars), (n)))

#define STB_TEXTEDIT_K_SHIFT 0x40000000
#define STB_TEXTEDIT_K_CONTROL 0x20000000
#define STB_TEXTEDIT_K_LEFT static_cast<int>(0x80000025u)
#define STB_TEXTEDIT_K_RIGHT static_cast<int>(0x80000027u)
#define STB_TEXTEDIT_K_UP static_cast<int>(0x80000026u)
#define STB_TEXTEDIT_K_DOWN static_cast<int>(0x80000028u)
#define STB_TEXTEDIT_K_PGUP static_cast<int>(0x80000021u)
#define STB_TEXTEDIT_K_PGDOWN static_cast<int>(0x80000022u)
#define STB_TEXTEDIT_K_LINESTART static_cast<int>(0x80000024u)
#define STB_TEXTEDIT_K_LINEEND static_cast<int>(0x80000023u)
#define STB_TEXTEDIT_K_TEXTSTART (STB_TEXTEDIT_K_LINESTART | STB_TEXTEDIT_K_CONTROL)
#define STB_TEXTEDIT_K_TEXTEND (STB_TEXTEDIT_K_LINEEND | STB_TEXTEDIT_K_CONTROL)
#define STB_TEXTEDIT_K_WORDLEFT (STB_TEXTEDIT_K_LEFT | STB_TEXTEDIT_K_CONTROL)
#define STB_TEXTEDIT_K_WORDRIGHT (STB_TEXTEDIT_K_RIGHT | STB_TEXTEDIT_K_CONTROL)
#define STB_TEXTEDIT_K_DELETE static_cast<int>(0x8000002Eu)
#define STB_TEXTEDIT_K_BACKSPACE static_cast<int>(0x80000008u)
#define STB_TEXTEDIT_K_UNDO (STB_TEXTEDIT_K_CONTROL | 'z')
#define STB_TEXTEDIT_K_REDO (STB_TEXTEDIT_K_CONTROL | STB_TEXTEDIT_K_SHIFT | 'z')

#include <stb/stb_textedit.h>

namespace
{

// The character a key code inserts: plain code points (shift and alt already shaped them) pass, special
// keys and control combinations insert nothing.
int KeyToText(int key)
{
  if (key & (iplug::igraphics::ITextEntryControl::kSpecialKey | STB_TEXTEDIT_K_CONTROL))
    return -1;
  const int codePoint = key & ~(STB_TEXTEDIT_K_SHIFT | iplug::igraphics::ITextEntryControl::kAltFlag);
  // Code units only: characters beyond the basic plane arrive as surrogate pairs through paste.
  return codePoint > 0 && codePoint <= 0xFFFF ? codePoint : -1;
}

void LayoutRow(StbTexteditRow* row, iplug::igraphics::ITextEntryControl* pEntry, int start)
{
  pEntry->GetRowLayout(row->x0, row->x1, row->ymin, row->ymax);
  row->baseline_y_delta = 1.25f;
  row->num_chars = pEntry->GetLength() - start;
}

} // namespace

#define STB_TEXTEDIT_IMPLEMENTATION
#include <stb/stb_textedit.h>

namespace iplug::igraphics
{

struct ITextEntryControl::EditState
{
  STB_TexteditState stb;
};

namespace
{

// Whether the two editing states differ in anything the user can see or undo.
bool StateChanged(const STB_TexteditState& before, const STB_TexteditState& after)
{
  return before.cursor != after.cursor || before.select_start != after.select_start ||
         before.select_end != after.select_end || before.undostate.undo_point != after.undostate.undo_point ||
         before.undostate.redo_point != after.undostate.redo_point;
}

// The first code point of a 1 to 4 byte UTF-8 text; a malformed sequence gives its first byte; 0 for empty.
int DecodeFirst(const char* utf8)
{
  const auto* s = reinterpret_cast<const unsigned char*>(utf8);
  if (s[0] == 0)
    return 0;
  const int length = s[0] < 0x80 ? 1 : (s[0] & 0xE0) == 0xC0 ? 2 : (s[0] & 0xF0) == 0xE0 ? 3 : (s[0] & 0xF8) == 0xF0 ? 4 : 0;
  if (length <= 1)
    return s[0];
  int codePoint = s[0] & (0x7F >> length);
  for (int i = 1; i < length; ++i)
  {
    if ((s[i] & 0xC0) != 0x80)
      return s[0];
    codePoint = (codePoint << 6) | (s[i] & 0x3F);
  }
  return codePoint <= 0x10FFFF ? codePoint : s[0];
}

// Appends code point cp to out as UTF-16 (a surrogate pair above U+FFFF).
void AppendUTF16(std::u16string& out, int cp)
{
  if (cp <= 0xFFFF)
  {
    out.push_back(static_cast<char16_t>(cp));
    return;
  }
  cp -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

// UTF-8 to UTF-16; malformed bytes and code points above U+10FFFF become U+FFFD.
std::u16string ToUTF16(const char* str)
{
  std::u16string out;
  const auto* s = reinterpret_cast<const unsigned char*>(str ? str : "");
  while (*s)
  {
    const int length = s[0] < 0x80 ? 1 : (s[0] & 0xE0) == 0xC0 ? 2 : (s[0] & 0xF0) == 0xE0 ? 3 : (s[0] & 0xF8) == 0xF0 ? 4 : 0;
    int codePoint = length == 1 ? s[0] : s[0] & (0x7F >> length);
    int used = 1;
    bool valid = length > 0;
    for (; valid && used < length; ++used)
    {
      if ((s[used] & 0xC0) != 0x80)
        valid = false;
      else
        codePoint = (codePoint << 6) | (s[used] & 0x3F);
    }
    if (!valid || codePoint > 0x10FFFF)
    {
      AppendUTF16(out, 0xFFFD);
      s += std::max(used - 1, 1);
      continue;
    }
    AppendUTF16(out, codePoint);
    s += length;
  }
  return out;
}

// Appends code point cp to out as UTF-8.
void AppendUTF8(std::string& out, unsigned cp)
{
  char bytes[kMaxUTF8Bytes];
  out.append(bytes, static_cast<std::size_t>(EncodeUTF8(cp, bytes)));
}

// UTF-16 code units [first, last) to UTF-8; a lone surrogate becomes U+FFFD.
std::string ToUTF8(const std::u16string& text, std::size_t first, std::size_t last)
{
  std::string out;
  for (std::size_t i = first; i < last; ++i)
  {
    const unsigned unit = text[i];
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    if (high && i + 1 < last && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
    {
      AppendUTF8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00u));
      ++i;
    }
    else if (unit >= 0xD800 && unit <= 0xDFFF)
      AppendUTF8(out, 0xFFFD);
    else
      AppendUTF8(out, unit);
  }
  return out;
}

// The right-click menu; one for every text entry, kept until the program ends.
IPopupMenu& EditMenu()
{
  static IPopupMenu menu("", 0, false, {"Cut", "Copy", "Paste"});
  return menu;
}

// The digit a digit key stands for: the top row without shift, or the numeric keypad; 0 for other keys.
int DigitOfKey(const IKeyPress& key)
{
  if (key.VK >= '0' && key.VK <= '9' && !key.S)
    return key.VK;
  if (key.VK >= kVK_NUMPAD0 && key.VK <= kVK_NUMPAD9)
    return '0' + (key.VK - kVK_NUMPAD0);
  return 0;
}

// Whether the editing of a parameter of type type is restricted to numbers.
bool IsNumeric(IParam::EParamType type)
{
  return type == IParam::kTypeBool || type == IParam::kTypeInt || type == IParam::kTypeEnum ||
         type == IParam::kTypeDouble;
}

} // namespace

ITextEntryControl::ITextEntryControl()
  : IControl(IRECT(), -1, [](IControl* pCaller) { static_cast<ITextEntryControl*>(pCaller)->StartBlink(); })
  , mEditState(std::make_unique<EditState>())
{
  stb_textedit_initialize_state(&mEditState->stb, 1);
}

ITextEntryControl::~ITextEntryControl() = default;

void ITextEntryControl::CreateTextEntry(int /*paramIdx*/, const IText& text, const IRECT& bounds, int length,
                                        const char* str)
{
  SetTargetAndDrawRECTs(bounds);
  OnResize();
  IText style = text;
  style.mColor = text.mEntryTextColor;
  SetText(style);
  mMaxLength = length;
  SetStr(str);
  // A new entry starts a new history: undoing into the previous entry's text would edit a stranger's value.
  stb_textedit_initialize_state(&mEditState->stb, 1);
  mEditState->stb.select_start = 0;
  mEditState->stb.select_end = GetLength();
  mEditState->stb.cursor = 0;
  OnTextChange();
  SetDirty(true);
  mEditing = true;
}

void ITextEntryControl::CommitEdit()
{
  mEditing = false;
  const std::string text = GetStr();
  // The rectangle is emptied before the result goes out, so a control that opens the next entry from its
  // handler keeps it.
  EndEdit();
  if (GetUI())
    GetUI()->SetControlValueAfterTextEdit(text.c_str());
}

void ITextEntryControl::DismissEdit()
{
  mEditing = false;
  EndEdit();
  if (GetUI())
    GetUI()->ClearInTextEntryControl();
}

void ITextEntryControl::EndEdit()
{
  SetTargetAndDrawRECTs(IRECT());
  OnResize();
  if (GetUI())
    GetUI()->SetAllControlsDirty();
}

void ITextEntryControl::SelectAll()
{
  mEditState->stb.select_start = 0;
  mEditState->stb.select_end = GetLength();
  mEditState->stb.cursor = GetLength();
  SetDirty(false);
}

void ITextEntryControl::CopySelection()
{
  const STB_TexteditState& state = mEditState->stb;
  const int first = std::clamp(std::min(state.select_start, state.select_end), 0, GetLength());
  const int last = std::clamp(std::max(state.select_start, state.select_end), 0, GetLength());
  if (first == last || !GetUI())
    return;
  GetUI()->SetTextInClipboard(ToUTF8(mText, static_cast<std::size_t>(first), static_cast<std::size_t>(last)).c_str());
}

void ITextEntryControl::Cut()
{
  CopySelection();
  if (stb_textedit_cut(this, &mEditState->stb))
    SetDirty(false);
}

void ITextEntryControl::Paste()
{
  WDL_String clip;
  if (!GetUI() || !GetUI()->GetTextFromClipboard(clip) || clip.GetLength() == 0)
    return;
  ReplaceSelection(ToUTF16(clip.Get()));
}

void ITextEntryControl::ReplaceSelection(const std::u16string& text)
{
  STB_TexteditState& state = mEditState->stb;
  stb_textedit_clamp(this, &state);
  const bool hasSelection = state.select_start != state.select_end;
  const int first = hasSelection ? std::min(state.select_start, state.select_end) : state.cursor;
  const int removed = std::abs(state.select_end - state.select_start);
  int inserted = static_cast<int>(text.size());
  if (mMaxLength > 0)
    inserted = std::clamp(mMaxLength - (GetLength() - removed), 0, inserted);
  if (removed == 0 && inserted == 0)
    return;
  // One undo record for the whole replacement, so a single undo restores the text as it was.
  stb_text_makeundo_replace(this, &state, first, removed, inserted);
  mText.replace(static_cast<std::size_t>(first), static_cast<std::size_t>(removed), text, 0,
                static_cast<std::size_t>(inserted));
  SetStr(GetStr().c_str());
  OnTextChange();
  state.cursor = state.select_start = state.select_end = first + inserted;
  state.has_preferred_x = 0;
  SetDirty(false);
}

void ITextEntryControl::SetStr(const char* str)
{
  mCharWidths.clear();
  mText = ToUTF16(str);
}

float ITextEntryControl::MeasureUTF16(const std::u16string& text)
{
  if (!GetUI() || text.empty())
    return 0.f;
  IRECT bounds;
  return GetUI()->MeasureText(mTextStyle, ToUTF8(text, 0, text.size()).c_str(), bounds);
}

float ITextEntryControl::MeasureCharWidth(char16_t c, char16_t previous)
{
  const std::u16string single(1, c);
  if (previous == 0)
    return MeasureUTF16(single);
  const std::u16string before(1, previous);
  return MeasureUTF16(before + single) - MeasureUTF16(before);
}

void ITextEntryControl::OnTextChange()
{
  // A surrogate pair is one character: its first unit carries the width, its second none.
  const auto isHigh = [](char16_t u) { return u >= 0xD800 && u <= 0xDBFF; };
  const auto isLow = [](char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; };
  const std::size_t n = mText.size();
  mCharWidths.assign(n, 0.f);
  std::u16string previous;
  for (std::size_t i = 0; i < n; ++i)
  {
    if (isLow(mText[i]) && i > 0 && isHigh(mText[i - 1]))
      continue;
    const std::size_t units = isHigh(mText[i]) && i + 1 < n && isLow(mText[i + 1]) ? 2 : 1;
    const std::u16string current = mText.substr(i, units);
    mCharWidths[i] = previous.empty() ? MeasureUTF16(current)
                                      : MeasureUTF16(previous + current) - MeasureUTF16(previous);
    previous = current;
  }
}

std::string ITextEntryControl::GetStr() const
{
  return ToUTF8(mText, 0, mText.size());
}

int ITextEntryControl::GetCursor() const
{
  return mEditState->stb.cursor;
}

int ITextEntryControl::GetSelectionStart() const
{
  return mEditState->stb.select_start;
}

int ITextEntryControl::GetSelectionEnd() const
{
  return mEditState->stb.select_end;
}

char16_t ITextEntryControl::GetChar(int idx) const
{
  return idx >= 0 && idx < GetLength() ? mText[static_cast<std::size_t>(idx)] : u'\0';
}

float ITextEntryControl::GetCharWidth(int idx)
{
  if (mCharWidths.size() != mText.size())
    OnTextChange();
  return idx >= 0 && idx < GetLength() ? mCharWidths[static_cast<std::size_t>(idx)] : 0.f;
}

void ITextEntryControl::GetRowLayout(float& x0, float& x1, float& yTop, float& yBottom)
{
  const float total = WidthBefore(GetLength());
  switch (mTextStyle.mAlign)
  {
  case kAlignNear: x0 = mBounds.L; break;
  case kAlignCenter: x0 = mBounds.MW() - total / 2.f; break;
  case kAlignFar: x0 = mBounds.R - total; break;
  }
  x1 = x0 + total;
  switch (mTextStyle.mVAlign)
  {
  case kVAlignTop: yTop = 0.f; break;
  case kVAlignMiddle: yTop = (mBounds.H() - mTextStyle.mSize) / 2.f; break;
  case kVAlignBottom: yTop = mBounds.H() - mTextStyle.mSize; break;
  }
  yBottom = yTop + mTextStyle.mSize;
}

void ITextEntryControl::DeleteChars(int idx, int n)
{
  const int first = std::clamp(idx, 0, GetLength());
  const int last = std::clamp(idx + std::max(n, 0), first, GetLength());
  mText.erase(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first));
  SetStr(GetStr().c_str());
  OnTextChange();
}

bool ITextEntryControl::InsertChars(int idx, const char16_t* chars, int n)
{
  if (idx < 0 || idx > GetLength() || n < 0 || !chars)
    return false;
  if (mMaxLength > 0 && GetLength() + n > mMaxLength)
    return false;
  mText.insert(static_cast<std::size_t>(idx), chars, static_cast<std::size_t>(n));
  SetStr(GetStr().c_str());
  OnTextChange();
  return true;
}

float ITextEntryControl::WidthBefore(int count)
{
  float width = 0.f;
  for (int i = 0; i < count; ++i)
    width += GetCharWidth(i);
  return width;
}

void ITextEntryControl::HighlightSpan(float& top, float& bottom)
{
  float x0 = 0.f;
  float x1 = 0.f;
  float yTop = 0.f;
  float yBottom = 0.f;
  GetRowLayout(x0, x1, yTop, yBottom);
  top = mBounds.T + yTop + 0.1f * mTextStyle.mSize;
  bottom = mBounds.T + yBottom - 0.1f * mTextStyle.mSize;
}

void ITextEntryControl::Draw(IGraphics& g)
{
  if (!mEditing)
    return;
  g.FillRect(mTextStyle.mEntryBackColor, mBounds);

  float x0 = 0.f;
  float x1 = 0.f;
  float yTop = 0.f;
  float yBottom = 0.f;
  GetRowLayout(x0, x1, yTop, yBottom);
  float top = 0.f;
  float bottom = 0.f;
  HighlightSpan(top, bottom);

  const STB_TexteditState& state = mEditState->stb;
  if (state.select_start != state.select_end)
  {
    const int first = std::clamp(std::min(state.select_start, state.select_end), 0, GetLength());
    const int last = std::clamp(std::max(state.select_start, state.select_end), 0, GetLength());
    const IBlend highlight(kBlendSrcOver, 0.2f);
    g.FillRect(mTextStyle.mEntryTextColor, IRECT(x0 + WidthBefore(first), top, x0 + WidthBefore(last), bottom),
               &highlight);
  }

  g.DrawText(mTextStyle, GetStr().c_str(), mBounds);

  if (mCursorVisible && state.select_start == state.select_end)
  {
    const float x = x0 + WidthBefore(std::clamp(state.cursor, 0, GetLength()));
    g.FillRect(mTextStyle.mEntryTextColor, IRECT(std::round(x - 1.f), top, std::round(x), bottom));
  }
}

void ITextEntryControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  if (!mEditing)
    return;
  if (!mBounds.Contains(x, y))
  {
    CommitEdit();
    return;
  }
  if (mod.L)
  {
    const STB_TexteditState before = mEditState->stb;
    stb_textedit_click(this, &mEditState->stb, x, y);
    if (StateChanged(before, mEditState->stb))
      SetDirty(false);
  }
  else if (mod.R && GetUI())
    GetUI()->CreatePopupMenu(*this, EditMenu(), IRECT(x, y, x, y));
}

void ITextEntryControl::OnMouseDrag(float x, float y, float /*dX*/, float /*dY*/, const IMouseMod& mod)
{
  if (!mEditing || !mod.L)
    return;
  const STB_TexteditState before = mEditState->stb;
  stb_textedit_drag(this, &mEditState->stb, x, y);
  if (StateChanged(before, mEditState->stb))
    SetDirty(false);
}

void ITextEntryControl::OnMouseUp(float x, float y, const IMouseMod& mod)
{
  if (!mEditing)
    return;
  if (mod.L)
    stb_textedit_drag(this, &mEditState->stb, x, y);
  SetDirty(true);
}

void ITextEntryControl::OnMouseDblClick(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  if (mEditing)
    SelectAll();
}

bool ITextEntryControl::OnKeyDown(float /*x*/, float /*y*/, const IKeyPress& key)
{
  if (!mEditing)
    return false;

  if (key.C)
  {
    switch (key.VK)
    {
    case 'A': SelectAll(); return true;
    case 'C': CopySelection(); return true;
    case 'V': Paste(); return true;
    case 'X': Cut(); return true;
    case 'Z':
      SendKey(key.S ? STB_TEXTEDIT_K_REDO : STB_TEXTEDIT_K_UNDO);
      return true;
    default: break;
    }
  }

  const int codePoint = DecodeFirst(key.utf8);
  int code = 0;
  switch (key.VK)
  {
  case kVK_RETURN:
  case kVK_KEYPAD_ENTER:
    CommitEdit();
    return true;
  case kVK_ESCAPE:
    DismissEdit();
    return true;
  case kVK_TAB:
    return false;
  case kVK_SPACE:
    code = ' ';
    break;
  case kVK_BACK:
  case kVK_DELETE:
    code = kSpecialKey | key.VK;
    break;
  default:
    if (key.VK >= kVK_PRIOR && key.VK <= kVK_DOWN)
    {
      code = kSpecialKey | key.VK;
      break;
    }
    code = TypedCode(key, codePoint);
    if (code == 0)
      return false;
    break;
  }

  if (key.S)
    code |= kShiftFlag;
  if (key.C)
    code |= kControlFlag;
  if (key.A)
    code |= kAltFlag;
  return SendKey(code);
}

int ITextEntryControl::TypedCode(const IKeyPress& key, int codePoint) const
{
  const IControl* pTarget = GetUI() ? GetUI()->GetEntryTarget() : nullptr;
  if (!pTarget)
    return 0;
  const IParam* pParam = pTarget->NVals() > 0 ? pTarget->GetParam(0) : nullptr;
  if (!pParam || !IsNumeric(pParam->Type()))
  {
    // A character beyond the basic plane is one code point but two code units.
    if (codePoint > 0xFFFF)
      return codePoint;
    return codePoint ? codePoint : kSpecialKey | key.VK;
  }
  if (const int digit = DigitOfKey(key))
    return digit;
  if (codePoint == '+' || codePoint == '-')
    return codePoint;
  if (codePoint == '.' && pParam->Type() == IParam::kTypeDouble)
    return codePoint;
  return 0;
}

bool ITextEntryControl::SendKey(int key)
{
  const STB_TexteditState before = mEditState->stb;
  const std::u16string textBefore = mText;
  const int codePoint = key & ~(kShiftFlag | kAltFlag);
  if (!(key & (kSpecialKey | kControlFlag)) && codePoint > 0xFFFF)
  {
    // The library inserts one code unit per key: a character beyond the basic plane goes in as a pair.
    std::u16string pair;
    AppendUTF16(pair, codePoint);
    ReplaceSelection(pair);
  }
  else
    stb_textedit_key(this, &mEditState->stb, key);
  const bool changed = StateChanged(before, mEditState->stb) || textBefore != mText;
  if (changed)
    SetDirty(false);
  return changed;
}

void ITextEntryControl::StartBlink()
{
  mCursorVisible = true;
  SetAnimation(&ITextEntryControl::BlinkAnimation, 1000);
}

void ITextEntryControl::BlinkAnimation(IControl* pCaller)
{
  auto* pEntry = static_cast<ITextEntryControl*>(pCaller);
  const double progress = pEntry->GetAnimationProgress();
  if (progress > 1.0)
  {
    pEntry->OnEndAnimation();
    return;
  }
  if (progress > 0.5 && pEntry->mCursorVisible)
  {
    pEntry->mCursorVisible = false;
    pEntry->SetDirty(false);
  }
}

void ITextEntryControl::OnEndAnimation()
{
  IControl::OnEndAnimation();
  if (mEditing)
    SetDirty(true);
}

void ITextEntryControl::OnPopupMenuSelection(IPopupMenu* pMenu, int /*valIdx*/)
{
  if (!pMenu || !mEditing)
    return;
  switch (pMenu->GetChosenItemIdx())
  {
  case 0: Cut(); break;
  case 1: CopySelection(); break;
  case 2: Paste(); break;
  default: break;
  }
}

} // namespace iplug::igraphics
