#pragma once

#include <cstdint>

namespace iplug::igraphics {

// Button and modifier state that comes with a pointer event, plus the touch that caused it.
struct IMouseMod
{
  bool L = false;           // left button down
  bool R = false;           // right button down
  bool S = false;           // shift held
  bool C = false;           // control held
  bool A = false;           // alt/option held
  std::uintptr_t touchId = 0; // touch or pointer identifier; 0 for the mouse
  float touchRadius = 0.f;  // touch radius in user units; 0 for the mouse

  // A modifier record; the defaults describe the plain mouse with nothing pressed.
  constexpr IMouseMod(bool l = false, bool r = false, bool s = false, bool c = false, bool a = false,
                      std::uintptr_t touch = 0, float radius = 0.f)
    : L(l), R(r), S(s), C(c), A(a), touchId(touch), touchRadius(radius)
  {
  }

  // Whether the event comes from a touch rather than the mouse.
  constexpr bool IsTouch() const { return touchId != 0; }
};

// One pointer sample: position, movement since the previous sample and modifiers. Input entry points take a
// vector of these so that several touches can arrive together; the mouse always sends one.
struct IMouseInfo
{
  float x = 0.f;  // position in user units
  float y = 0.f;  // position in user units
  float dX = 0.f; // movement since the previous sample; 0 for down and up events
  float dY = 0.f; // movement since the previous sample; 0 for down and up events
  IMouseMod ms;   // buttons, modifiers and touch
};

} // namespace iplug::igraphics
