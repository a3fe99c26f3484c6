#include "LinuxKeyTable.h"

#include <X11/X.h>
#include <X11/keysym.h>

#include <algorithm>
#include <array>
#include <iterator>

#include "IVirtualKeys.h"
#include "UTF8.h"

namespace iplug::igraphics {

namespace {

// A physical key with a fixed virtual-key code.
struct KeyRow
{
  unsigned long keysym; // the unshifted KeySym of the key
  int vk;               // its virtual-key code
};

// The physical keys the Mac table maps by key code. The keypad's keys appear twice, with their navigation
// and their digit KeySym, since layouts differ in which of the two is the key's first; so the keypad gives the
// same codes whatever the layout and Num Lock say, as the Mac keypad (which has no Num Lock) does.
constexpr std::array kKeyRows = {
  KeyRow{XK_BackSpace, kVK_BACK},
  KeyRow{XK_KP_Decimal, kVK_DECIMAL},     KeyRow{XK_KP_Delete, kVK_DECIMAL},
  KeyRow{XK_KP_Multiply, kVK_MULTIPLY},   KeyRow{XK_KP_Add, kVK_ADD},
  KeyRow{XK_Num_Lock, kVK_NUMLOCK},       KeyRow{XK_KP_Divide, kVK_DIVIDE},
  KeyRow{XK_KP_Enter, kVK_KEYPAD_ENTER},  KeyRow{XK_KP_Subtract, kVK_SUBTRACT},
  KeyRow{XK_KP_Equal, kVK_SEPARATOR},     KeyRow{XK_KP_Separator, kVK_SEPARATOR},
  KeyRow{XK_KP_0, kVK_NUMPAD0},           KeyRow{XK_KP_Insert, kVK_NUMPAD0},
  KeyRow{XK_KP_1, kVK_NUMPAD1},           KeyRow{XK_KP_End, kVK_NUMPAD1},
  KeyRow{XK_KP_2, kVK_NUMPAD2},           KeyRow{XK_KP_Down, kVK_NUMPAD2},
  KeyRow{XK_KP_3, kVK_NUMPAD3},           KeyRow{XK_KP_Page_Down, kVK_NUMPAD3},
  KeyRow{XK_KP_4, kVK_NUMPAD4},           KeyRow{XK_KP_Left, kVK_NUMPAD4},
  KeyRow{XK_KP_5, kVK_NUMPAD5},           KeyRow{XK_KP_Begin, kVK_NUMPAD5},
  KeyRow{XK_KP_6, kVK_NUMPAD6},           KeyRow{XK_KP_Right, kVK_NUMPAD6},
  KeyRow{XK_KP_7, kVK_NUMPAD7},           KeyRow{XK_KP_Home, kVK_NUMPAD7},
  KeyRow{XK_KP_8, kVK_NUMPAD8},           KeyRow{XK_KP_Up, kVK_NUMPAD8},
  KeyRow{XK_KP_9, kVK_NUMPAD9},           KeyRow{XK_KP_Page_Up, kVK_NUMPAD9},
  KeyRow{XK_Insert, kVK_INSERT},          KeyRow{XK_Delete, kVK_DELETE},
  KeyRow{XK_Home, kVK_HOME},              KeyRow{XK_End, kVK_END},
  KeyRow{XK_Page_Up, kVK_PRIOR},          KeyRow{XK_Page_Down, kVK_NEXT},
  KeyRow{XK_Left, kVK_LEFT},              KeyRow{XK_Right, kVK_RIGHT},
  KeyRow{XK_Up, kVK_UP},                  KeyRow{XK_Down, kVK_DOWN},
};

// Code points the keypad's KeySyms type, in KeySym order from XK_KP_Multiply to XK_KP_9.
constexpr std::array<char, XK_KP_9 - XK_KP_Multiply + 1> kKeypadChars = {
  '*', '+', ',', '-', '.', '/', '0', '1', '2', '3', '4', '5', '6', '7', '8', '9'};

// A legacy KeySym and the character X11 assigns it.
struct LegacyKeysym
{
  unsigned long keysym; // KeySym outside Latin-1 and the Unicode range
  int codePoint;        // its Unicode character
};

// Every legacy KeySym that types a character, generated from X11's keysymdef.h (LinuxKeyTable.cmake).
constexpr LegacyKeysym kLegacyKeysyms[] = {
#include "LinuxLegacyKeysyms.inc"
};

// The first Unicode KeySym: 0x01000000 plus the code point.
constexpr unsigned long kUnicodeKeysymBase = 0x01000000;
constexpr int kMaxCodePoint = 0x10FFFF;
// Keys that type no character report 1024 + their key code, out of the way of every real code.
constexpr int kNoCharacterBase = 1024;

int ModifierFlags(unsigned int state)
{
  int flags = 0;
  if (state & ShiftMask)
    flags |= kKeyFlagShift;
  if (state & ControlMask)
    flags |= kKeyFlagCommand;
  if (state & Mod1Mask)
    flags |= kKeyFlagOption;
  return flags;
}

// The virtual-key code of a physical key in kKeyRows, or 0.
int TableCode(unsigned long keysym)
{
  const auto row = std::find_if(kKeyRows.begin(), kKeyRows.end(), [&](const KeyRow& r) { return r.keysym == keysym; });
  return row == kKeyRows.end() ? 0 : row->vk;
}

bool IsVirtualCharacter(int c)
{
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == kVK_TAB || c == kVK_LINEFEED ||
         c == kVK_RETURN || c == kVK_ESCAPE || c == kVK_SPACE;
}

// Whether the character belongs in IKeyPress::utf8: printable characters and the control characters of
// Tab, line feed, Return and Escape; not Backspace or Delete, which edit rather than type.
bool IsTypedCharacter(int c)
{
  return (c >= 0x20 && c != 0x7F) || c == '\t' || c == '\n' || c == '\r' || c == 0x1B;
}

} // namespace

int LinuxKeysymToCodePoint(unsigned long keysym)
{
  if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF))
    return static_cast<int>(keysym);
  if (keysym >= kUnicodeKeysymBase + 0x20 && keysym <= kUnicodeKeysymBase + kMaxCodePoint)
  {
    const int c = static_cast<int>(keysym - kUnicodeKeysymBase);
    const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
    const bool control = c >= 0x7F && c < 0xA0;
    return surrogate || control ? 0 : c;
  }
  if (keysym >= XK_KP_Multiply && keysym <= XK_KP_9)
    return kKeypadChars[keysym - XK_KP_Multiply];
  switch (keysym)
  {
  case XK_BackSpace: return kVK_BACK;
  case XK_Tab:
  case XK_ISO_Left_Tab:
  case XK_KP_Tab: return kVK_TAB;
  case XK_Linefeed: return kVK_LINEFEED;
  case XK_Return:
  case XK_KP_Enter: return kVK_RETURN;
  case XK_Escape: return kVK_ESCAPE;
  case XK_KP_Space: return ' ';
  case XK_KP_Equal: return '=';
  case XK_Delete: return 0x7F;
  default: break;
  }
  const auto* legacy = std::find_if(std::begin(kLegacyKeysyms), std::end(kLegacyKeysyms),
                                    [&](const LegacyKeysym& k) { return k.keysym == keysym; });
  return legacy == std::end(kLegacyKeysyms) ? 0 : legacy->codePoint;
}

bool LinuxIsModifierKey(unsigned long keysym)
{
  return (keysym >= XK_Shift_L && keysym <= XK_Hyper_R) || (keysym >= XK_ISO_Lock && keysym <= XK_ISO_Level5_Lock) ||
         keysym == XK_Mode_switch;
}

int LinuxKeyEventToVK(const LinuxKeyEvent& event, int& flags)
{
  flags = ModifierFlags(event.state);

  if (const int code = TableCode(event.keysym))
  {
    flags |= kKeyFlagVirtual;
    return code;
  }
  if (event.keysym >= XK_F1 && event.keysym <= XK_F24)
  {
    flags |= kKeyFlagVirtual;
    return kVK_F1 + static_cast<int>(event.keysym - XK_F1);
  }

  int c = LinuxKeysymToCodePoint(event.typedKeysym);
  if (c == 0)
  {
    flags |= kKeyFlagVirtual;
    return kNoCharacterBase + static_cast<int>(event.keycode);
  }
  if (c >= 'a' && c <= 'z')
    c -= 'a' - 'A';
  if (IsVirtualCharacter(c))
  {
    flags |= kKeyFlagVirtual;
    return c;
  }
  flags &= ~kKeyFlagShift;
  return c;
}

IKeyPress LinuxKeyEventToKeyPress(const LinuxKeyEvent& event)
{
  int flags = 0;
  const int code = LinuxKeyEventToVK(event, flags);

  char utf8[IKeyPress::kMaxUTF8] = {};
  const int c = LinuxKeysymToCodePoint(event.typedKeysym);
  if (IsTypedCharacter(c))
    EncodeUTF8(static_cast<unsigned>(c), utf8);

  return IKeyPress(utf8, (flags & kKeyFlagVirtual) ? code : 0, (flags & kKeyFlagShift) != 0,
                   (flags & kKeyFlagCommand) != 0, (flags & kKeyFlagOption) != 0);
}

} // namespace iplug::igraphics
