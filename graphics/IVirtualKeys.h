#pragma once

namespace iplug {

// The virtual-key codes IKeyPress::VK carries, whatever the platform: the values and names of the
// published Windows virtual-key table, so key handling reads the same on every platform layer.
// Letter and digit keys have no names of their own: their code is the upper-case letter or the digit
// ('A' .. 'Z', '0' .. '9'). Plain constants, usable from any thread.

inline constexpr int kVK_BACK = 0x08;      // backspace
inline constexpr int kVK_TAB = 0x09;       // tab
inline constexpr int kVK_LINEFEED = 0x0A;  // line feed (no Windows name; the character itself)
inline constexpr int kVK_RETURN = 0x0D;    // return
inline constexpr int kVK_ESCAPE = 0x1B;    // escape
inline constexpr int kVK_SPACE = 0x20;     // space bar
inline constexpr int kVK_PRIOR = 0x21;     // page up
inline constexpr int kVK_NEXT = 0x22;      // page down
inline constexpr int kVK_END = 0x23;       // end
inline constexpr int kVK_HOME = 0x24;      // home
inline constexpr int kVK_LEFT = 0x25;      // left arrow
inline constexpr int kVK_UP = 0x26;        // up arrow
inline constexpr int kVK_RIGHT = 0x27;     // right arrow
inline constexpr int kVK_DOWN = 0x28;      // down arrow
inline constexpr int kVK_INSERT = 0x2D;    // insert
inline constexpr int kVK_DELETE = 0x2E;    // forward delete
inline constexpr int kVK_NUMPAD0 = 0x60;   // keypad 0; keypad 1 .. 9 follow in order
inline constexpr int kVK_NUMPAD1 = 0x61;   // keypad 1
inline constexpr int kVK_NUMPAD2 = 0x62;   // keypad 2
inline constexpr int kVK_NUMPAD3 = 0x63;   // keypad 3
inline constexpr int kVK_NUMPAD4 = 0x64;   // keypad 4
inline constexpr int kVK_NUMPAD5 = 0x65;   // keypad 5
inline constexpr int kVK_NUMPAD6 = 0x66;   // keypad 6
inline constexpr int kVK_NUMPAD7 = 0x67;   // keypad 7
inline constexpr int kVK_NUMPAD8 = 0x68;   // keypad 8
inline constexpr int kVK_NUMPAD9 = 0x69;   // keypad 9
inline constexpr int kVK_MULTIPLY = 0x6A;  // keypad *
inline constexpr int kVK_ADD = 0x6B;       // keypad +
inline constexpr int kVK_SEPARATOR = 0x6C; // keypad separator (the keypad = or , key)
inline constexpr int kVK_SUBTRACT = 0x6D;  // keypad -
inline constexpr int kVK_DECIMAL = 0x6E;   // keypad decimal point
inline constexpr int kVK_DIVIDE = 0x6F;    // keypad /
inline constexpr int kVK_F1 = 0x70;        // F1; F2 .. F24 follow in order
inline constexpr int kVK_F2 = 0x71;        // F2
inline constexpr int kVK_F3 = 0x72;        // F3
inline constexpr int kVK_F4 = 0x73;        // F4
inline constexpr int kVK_F5 = 0x74;        // F5
inline constexpr int kVK_F6 = 0x75;        // F6
inline constexpr int kVK_F7 = 0x76;        // F7
inline constexpr int kVK_F8 = 0x77;        // F8
inline constexpr int kVK_F9 = 0x78;        // F9
inline constexpr int kVK_F10 = 0x79;       // F10
inline constexpr int kVK_F11 = 0x7A;       // F11
inline constexpr int kVK_F12 = 0x7B;       // F12
inline constexpr int kVK_F13 = 0x7C;       // F13
inline constexpr int kVK_F14 = 0x7D;       // F14
inline constexpr int kVK_F15 = 0x7E;       // F15
inline constexpr int kVK_F16 = 0x7F;       // F16
inline constexpr int kVK_F17 = 0x80;       // F17
inline constexpr int kVK_F18 = 0x81;       // F18
inline constexpr int kVK_F19 = 0x82;       // F19
inline constexpr int kVK_F20 = 0x83;       // F20
inline constexpr int kVK_F21 = 0x84;       // F21
inline constexpr int kVK_F22 = 0x85;       // F22
inline constexpr int kVK_F23 = 0x86;       // F23
inline constexpr int kVK_F24 = 0x87;       // F24
inline constexpr int kVK_NUMLOCK = 0x90;   // num lock (the Mac keypad's clear key)

// The keypad's enter key: return with bit 15 set, so it can be told from the main return key.
inline constexpr int kVK_KEYPAD_ENTER = 0x800D;

} // namespace iplug
