#pragma once

#include "IKeyPress.h"

namespace iplug::igraphics {

// Bits of the flags LinuxKeyEventToVK reports, the same bits the Mac key table reports. The Mac's control bit
// (32) stays unused: Control plays the command key here, and Super reaches the window manager. [any-thread]
enum ELinuxKeyFlag : int
{
  kKeyFlagVirtual = 1, // the code is a virtual key, not a plain character
  kKeyFlagShift = 4,   // Shift held
  kKeyFlagCommand = 8, // Control held (the Mac's command key: shortcuts, and IKeyPress::C)
  kKeyFlagOption = 16  // Alt (Mod1) held (the Mac's option key, and IKeyPress::A)
};

// One X11 key event as the window layer reads it. Plain values, so the table needs no display. [any-thread]
struct LinuxKeyEvent
{
  unsigned long keysym = 0;      // the physical key: XLookupKeysym(event, 0), the unshifted KeySym
  unsigned long typedKeysym = 0; // what the key typed with Shift, Caps Lock and the layout's levels applied
                                 // (the KeySym XLookupString reports; Control and Alt do not change it)
  unsigned int state = 0;        // the event's X modifier mask (ShiftMask, ControlMask, Mod1Mask, ...)
  unsigned int keycode = 0;      // the X key code, 8 .. 255
};

// The virtual-key code of a key event, as the Mac key table gives it for the same physical key, with the
// modifier and virtual-key bits of ELinuxKeyFlag in flags. Keypad keys, Backspace, Insert, Delete, Home, End,
// Page Up and Down, the arrows, Num Lock and F1 .. F24 are virtual keys by their physical key whatever Num
// Lock says (the keypad's Enter is kVK_KEYPAD_ENTER); otherwise the typed character decides: letters give the
// upper-case letter, digits, Tab, line feed, Return, Escape and Space themselves, all as virtual keys; any
// other character is a plain character with the Shift bit cleared (the character already carries the shift).
// Shift+Tab types back-tab, which is reported as Tab with Shift. A key that types no character is the virtual
// key 1024 + its key code. [any-thread]
int LinuxKeyEventToVK(const LinuxKeyEvent& event, int& flags);

// The key press the graphics core receives for a key event: VK only when the table reports a virtual key,
// utf8 the typed character (empty for keys that type none, such as arrows, Backspace and Delete), S, C and
// A from the flags (S cleared for plain characters). [any-thread]
IKeyPress LinuxKeyEventToKeyPress(const LinuxKeyEvent& event);

// Whether the key only changes modifiers (Shift, Control, Alt, Meta, Super, Hyper, Caps Lock, the ISO level
// and group keys): X reports these as key presses, Cocoa as flag changes the core never sees, so the window
// layer skips them. Num Lock is not one: the key table maps it. [any-thread]
bool LinuxIsModifierKey(unsigned long keysym);

// The Unicode code point a KeySym types (Latin-1, legacy and Unicode KeySyms, the keypad's characters, Tab,
// line feed, Return, Escape, Backspace and Delete as their control characters); 0 when it types none.
// [any-thread]
int LinuxKeysymToCodePoint(unsigned long keysym);

} // namespace iplug::igraphics
