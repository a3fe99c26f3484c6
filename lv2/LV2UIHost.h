#pragma once

#include <lv2/ui/ui.h>

namespace iplug
{
// What an LV2 host gave an editor instance to talk back with: the write function and its controller, and
// the optional touch (gestures) and resize features. Any of the optional ones may be null. [ui-thread]
struct LV2UIHost
{
  LV2UI_Write_Function write = nullptr; // writes a port value to the plug-in instance
  LV2UI_Controller controller = nullptr; // the host's handle for write
  const LV2UI_Touch* touch = nullptr;    // begins and ends gestures on a port, or null
  const LV2UI_Resize* resize = nullptr;  // tells the host the editor's new size, or null

  // Writes value (the parameter's own units) to port.
  void WriteControl(uint32_t port, float value) const
  {
    if (write)
      write(controller, port, sizeof(float), 0, &value);
  }
  // Begins (grabbed) or ends a gesture on port.
  void Touch(uint32_t port, bool grabbed) const
  {
    if (touch && touch->touch)
      touch->touch(touch->handle, port, grabbed);
  }
  // Tells the host the editor's size in pixels; false without the feature or when the host refuses.
  bool Resize(int width, int height) const { return resize && resize->ui_resize && resize->ui_resize(resize->handle, width, height) == 0; }
};
} // namespace iplug
