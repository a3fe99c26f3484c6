#include <gtest/gtest.h>

#include <string>

#include "IVirtualKeys.h"
#include "LinuxKeyTable.h"

#include <X11/Xlib.h>

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

// The modifier bits of the X protocol.
constexpr unsigned int kShift = ShiftMask;
constexpr unsigned int kControl = ControlMask;
constexpr unsigned int kAlt = Mod1Mask;
constexpr unsigned int kCapsLock = LockMask;

unsigned long Sym(const char* name)
{
  const KeySym sym = XStringToKeysym(name);
  EXPECT_NE(sym, static_cast<KeySym>(NoSymbol)) << name;
  return sym;
}

// A key event for the physical key named `key` that typed the KeySym named `typed`.
LinuxKeyEvent Event(const char* key, const char* typed, unsigned int state = 0, unsigned int keycode = 38)
{
  return LinuxKeyEvent{Sym(key), Sym(typed), state, keycode};
}

struct TableRow
{
  const char* keysym; // unshifted KeySym name
  int vk;             // expected virtual-key code
};

// Every physical key the table maps, with the KeySym the key typed being the unshifted one.
const TableRow kTableRows[] = {
  {"BackSpace", 8},      {"KP_Decimal", 110},   {"KP_Delete", 110},  {"KP_Multiply", 106}, {"KP_Add", 107},
  {"Num_Lock", 144},     {"KP_Divide", 111},    {"KP_Enter", 0x800D}, {"KP_Subtract", 109}, {"KP_Equal", 108},
  {"KP_Separator", 108}, {"KP_0", 96},          {"KP_Insert", 96},   {"KP_1", 97},          {"KP_End", 97},
  {"KP_2", 98},          {"KP_Down", 98},       {"KP_3", 99},        {"KP_Next", 99},       {"KP_4", 100},
  {"KP_Left", 100},      {"KP_5", 101},         {"KP_Begin", 101},   {"KP_6", 102},         {"KP_Right", 102},
  {"KP_7", 103},         {"KP_Home", 103},      {"KP_8", 104},       {"KP_Up", 104},        {"KP_9", 105},
  {"KP_Prior", 105},     {"Insert", 45},        {"Home", 36},        {"Prior", 33},         {"Delete", 46},
  {"End", 35},           {"Next", 34},          {"Left", 37},        {"Right", 39},         {"Down", 40},
  {"Up", 38},            {"F1", 112},           {"F2", 113},         {"F3", 114},           {"F4", 115},
  {"F5", 116},           {"F6", 117},           {"F7", 118},         {"F8", 119},           {"F9", 120},
  {"F10", 121},          {"F11", 122},          {"F12", 123},        {"F13", 124},          {"F14", 125},
  {"F15", 126},          {"F16", 127},          {"F17", 128},        {"F18", 129},          {"F19", 130},
  {"F20", 131},          {"F21", 132},          {"F22", 133},        {"F23", 134},          {"F24", 135},
};

} // namespace

TEST(LinuxKeyTable, EveryPhysicalKeyOfTheTableGivesItsVirtualKey)
{
  for (const TableRow& row : kTableRows)
  {
    int flags = 0;
    EXPECT_EQ(LinuxKeyEventToVK(Event(row.keysym, row.keysym), flags), row.vk) << row.keysym;
    EXPECT_EQ(flags, kKeyFlagVirtual) << row.keysym;
    EXPECT_EQ(LinuxKeyEventToKeyPress(Event(row.keysym, row.keysym)).VK, row.vk) << row.keysym;
  }
}

TEST(LinuxKeyTable, KeypadDigitKeysGiveNumpadCodesWithNumLockOffAndTypeDigitsWithItOn)
{
  const IKeyPress numLockOff = LinuxKeyEventToKeyPress(Event("KP_Home", "KP_Home"));
  EXPECT_EQ(numLockOff.VK, kVK_NUMPAD7);
  EXPECT_STREQ(numLockOff.utf8, "");

  const IKeyPress numLockOn = LinuxKeyEventToKeyPress(Event("KP_Home", "KP_7"));
  EXPECT_EQ(numLockOn.VK, kVK_NUMPAD7);
  EXPECT_STREQ(numLockOn.utf8, "7");
}

TEST(LinuxKeyTable, KeypadEnterIsReturnWithBit15)
{
  const IKeyPress key = LinuxKeyEventToKeyPress(Event("KP_Enter", "KP_Enter"));
  EXPECT_EQ(key.VK, 0x800D);
  EXPECT_EQ(key.VK, kVK_KEYPAD_ENTER);
}

TEST(LinuxKeyTable, LowerAndUpperCaseLettersBothGiveTheUpperCaseCode)
{
  const IKeyPress lower = LinuxKeyEventToKeyPress(Event("a", "a"));
  const IKeyPress upper = LinuxKeyEventToKeyPress(Event("a", "A", kShift));
  const IKeyPress capsLock = LinuxKeyEventToKeyPress(Event("a", "A", kCapsLock));
  EXPECT_EQ(lower.VK, 'A');
  EXPECT_EQ(upper.VK, 'A');
  EXPECT_EQ(capsLock.VK, 'A');
  EXPECT_STREQ(lower.utf8, "a");
  EXPECT_STREQ(upper.utf8, "A");
  EXPECT_FALSE(lower.S);
  EXPECT_TRUE(upper.S) << "letters are virtual keys, so shift stays";
  EXPECT_FALSE(capsLock.S);
}

TEST(LinuxKeyTable, ShiftedPlusIsAPlainCharacterWithShiftCleared)
{
  int flags = 0;
  EXPECT_EQ(LinuxKeyEventToVK(Event("equal", "plus", kShift), flags), '+');
  EXPECT_EQ(flags, 0);

  const IKeyPress key = LinuxKeyEventToKeyPress(Event("equal", "plus", kShift));
  EXPECT_EQ(key.VK, 0);
  EXPECT_STREQ(key.utf8, "+");
  EXPECT_FALSE(key.S);
}

TEST(LinuxKeyTable, DigitsTabReturnEscapeAndSpaceAreVirtualKeys)
{
  const struct
  {
    const char* keysym;
    int vk;
    const char* utf8;
  } keys[] = {{"1", '1', "1"},
              {"Tab", kVK_TAB, "\t"},
              {"Return", kVK_RETURN, "\r"},
              {"Linefeed", kVK_LINEFEED, "\n"},
              {"Escape", kVK_ESCAPE, "\x1b"},
              {"space", kVK_SPACE, " "}};
  for (const auto& k : keys)
  {
    const IKeyPress key = LinuxKeyEventToKeyPress(Event(k.keysym, k.keysym, kShift));
    EXPECT_EQ(key.VK, k.vk) << k.keysym;
    EXPECT_STREQ(key.utf8, k.utf8) << k.keysym;
    EXPECT_TRUE(key.S) << k.keysym;
  }
}

TEST(LinuxKeyTable, ShiftTabIsTabWithShiftNotABackTabCharacter)
{
  const IKeyPress key = LinuxKeyEventToKeyPress(Event("Tab", "ISO_Left_Tab", kShift));
  EXPECT_EQ(key.VK, kVK_TAB);
  EXPECT_STREQ(key.utf8, "\t");
  EXPECT_TRUE(key.S);
}

TEST(LinuxKeyTable, ControlIsCommandAndAltIsOption)
{
  int flags = 0;
  EXPECT_EQ(LinuxKeyEventToVK(Event("s", "s", kControl), flags), 'S');
  EXPECT_EQ(flags, kKeyFlagVirtual | kKeyFlagCommand);
  EXPECT_EQ(LinuxKeyEventToVK(Event("s", "s", kAlt), flags), 'S');
  EXPECT_EQ(flags, kKeyFlagVirtual | kKeyFlagOption);
  EXPECT_EQ(LinuxKeyEventToVK(Event("Left", "Left", kShift | kControl | kAlt), flags), kVK_LEFT);
  EXPECT_EQ(flags, kKeyFlagVirtual | kKeyFlagShift | kKeyFlagCommand | kKeyFlagOption);

  const IKeyPress key = LinuxKeyEventToKeyPress(Event("z", "Z", kShift | kControl));
  EXPECT_EQ(key.VK, 'Z');
  EXPECT_TRUE(key.S);
  EXPECT_TRUE(key.C);
  EXPECT_FALSE(key.A);
}

TEST(LinuxKeyTable, PlainCharactersKeepControlAndAlt)
{
  const IKeyPress key = LinuxKeyEventToKeyPress(Event("period", "period", kControl | kAlt));
  EXPECT_EQ(key.VK, 0);
  EXPECT_STREQ(key.utf8, ".");
  EXPECT_TRUE(key.C);
  EXPECT_TRUE(key.A);
}

TEST(LinuxKeyTable, NonAsciiCharactersArePlainAndEncodedAsUTF8)
{
  const IKeyPress latin1 = LinuxKeyEventToKeyPress(Event("eacute", "eacute"));
  EXPECT_EQ(latin1.VK, 0);
  EXPECT_STREQ(latin1.utf8, "\xC3\xA9");

  const IKeyPress euro = LinuxKeyEventToKeyPress(Event("e", "EuroSign"));
  EXPECT_EQ(euro.VK, 0);
  EXPECT_STREQ(euro.utf8, "\xE2\x82\xAC");

  const IKeyPress cyrillic = LinuxKeyEventToKeyPress(Event("Cyrillic_a", "Cyrillic_A", kShift));
  EXPECT_EQ(cyrillic.VK, 0) << "only Latin letters have virtual keys";
  EXPECT_STREQ(cyrillic.utf8, "\xD0\x90");
  EXPECT_FALSE(cyrillic.S);

  const IKeyPress emoji = LinuxKeyEventToKeyPress(LinuxKeyEvent{Sym("e"), 0x0101F600, 0, 26});
  EXPECT_STREQ(emoji.utf8, "\xF0\x9F\x98\x80");
}

TEST(LinuxKeyTable, BackspaceAndArrowsTypeNoText)
{
  EXPECT_STREQ(LinuxKeyEventToKeyPress(Event("BackSpace", "BackSpace")).utf8, "");
  EXPECT_STREQ(LinuxKeyEventToKeyPress(Event("Delete", "Delete")).utf8, "");
  EXPECT_STREQ(LinuxKeyEventToKeyPress(Event("Up", "Up")).utf8, "");
  EXPECT_STREQ(LinuxKeyEventToKeyPress(Event("F5", "F5")).utf8, "");
}

TEST(LinuxKeyTable, KeyWithoutCharacterIsVirtualKeyAboveAllCodes)
{
  int flags = 0;
  EXPECT_EQ(LinuxKeyEventToVK(Event("Pause", "Pause", 0, 127), flags), 1024 + 127);
  EXPECT_EQ(flags, kKeyFlagVirtual);
  EXPECT_EQ(LinuxKeyEventToVK(Event("dead_acute", "dead_acute", 0, 35), flags), 1024 + 35);
  EXPECT_EQ(LinuxKeyEventToVK(LinuxKeyEvent{0, 0, 0, 200}, flags), 1024 + 200) << "NoSymbol";
}

TEST(LinuxKeyTable, ModifierKeysAreRecognisedAndNumLockIsNotOne)
{
  for (const char* name : {"Shift_L", "Shift_R", "Control_L", "Control_R", "Alt_L", "Meta_R", "Super_L",
                           "Hyper_R", "Caps_Lock", "ISO_Level3_Shift", "Mode_switch"})
    EXPECT_TRUE(LinuxIsModifierKey(Sym(name))) << name;
  for (const char* name : {"Num_Lock", "a", "Tab", "ISO_Left_Tab", "F1", "KP_Enter"})
    EXPECT_FALSE(LinuxIsModifierKey(Sym(name))) << name;
}

TEST(LinuxKeyTable, CodePointsOfInvalidUnicodeKeysymsAreNone)
{
  EXPECT_EQ(LinuxKeysymToCodePoint(0x0100D800), 0) << "surrogate";
  EXPECT_EQ(LinuxKeysymToCodePoint(0x01110000), 0) << "beyond Unicode";
  EXPECT_EQ(LinuxKeysymToCodePoint(0x01000085), 0) << "C1 control";
  EXPECT_EQ(LinuxKeysymToCodePoint(0x7F), 0) << "no Latin-1 KeySym";
  EXPECT_EQ(LinuxKeysymToCodePoint(0x010000E9), 0xE9);
}
