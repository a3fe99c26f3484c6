#pragma once

#include <string>

// The host's own top-level X11 window that an editor view is shown in, as a host's plug-in window. It
// follows the view's size, and reports when the user closed it (the window manager's close button or the
// window destroyed). Main thread.
class EditorWindow
{
public:
  // A window of width x height pixels titled title, shown; null with a one-line error text when there is no
  // X display.
  static EditorWindow* Create(const std::string& title, int width, int height, std::string& error);
  ~EditorWindow();
  EditorWindow(const EditorWindow&) = delete;
  EditorWindow& operator=(const EditorWindow&) = delete;

  // The X11 window id.
  unsigned long Id() const { return mWindow; }
  // Resizes the window to width x height pixels.
  void Resize(int width, int height);
  // Handles the window's pending events; false once it was closed.
  bool Poll();

private:
  EditorWindow() = default;

  void* mDisplay = nullptr;
  unsigned long mWindow = 0;
  unsigned long mDeleteAtom = 0;
  bool mOpen = true;
  bool mDestroyed = false;
};
