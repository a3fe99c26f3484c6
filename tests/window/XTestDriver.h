#pragma once

// Drives windows on the test's X server with synthetic input (the XTest extension), as a person would.

#include <functional>
#include <string>

using Display = struct _XDisplay;

class XTestDriver
{
public:
  // Connects to $DISPLAY; IsConnected() tells whether that worked and the server has XTest.
  XTestDriver();
  ~XTestDriver();
  XTestDriver(const XTestDriver&) = delete;
  XTestDriver& operator=(const XTestDriver&) = delete;

  bool IsConnected() const { return mDisplay != nullptr; }
  Display* Get() const { return mDisplay; }

  // The top-level window whose name is name, or 0.
  unsigned long FindWindow(const std::string& name) const;
  // The window's size in pixels; false when it is gone.
  bool Size(unsigned long window, int& width, int& height) const;
  // The window's top-left corner on the root window.
  void Origin(unsigned long window, int& x, int& y) const;
  // The number of windows directly under the root.
  int TopLevelCount() const;

  // Moves the pointer to (x, y) of window.
  void MoveTo(unsigned long window, int x, int y);
  // Moves the pointer by (dx, dy) pixels from where it is.
  void MoveBy(int dx, int dy);
  // Presses or releases mouse button (1 left, 3 right).
  void Button(int button, bool down);
  // Clicks button at (x, y) of window.
  void Click(unsigned long window, int x, int y, int button = 1);
  // Drags with the left button from (x0, y0) to (x1, y1) of window in steps moves.
  void Drag(unsigned long window, int x0, int y0, int x1, int y1, int steps, const std::function<void()>& between = {});
  // Drags with the left button from (x, y) of window by (dx, dy) per step, steps times, moving relatively (as a
  // mouse does, so a control that holds the pointer in place still sees every step).
  void DragBy(unsigned long window, int x, int y, int dx, int dy, int steps, const std::function<void()>& between = {});
  // Presses and releases the key of keysym, with Shift held when shift.
  void Key(unsigned long keysym, bool shift = false);
  // Gives window the keyboard.
  void Focus(unsigned long window);
  // Asks window to close, as a window manager's close button does (WM_DELETE_WINDOW).
  void RequestClose(unsigned long window);
  // Flushes the requests.
  void Flush();

private:
  Display* mDisplay = nullptr;
};

// Calls check repeatedly (running pump between calls) until it returns true or seconds pass; its last result.
bool WaitFor(const std::function<bool()>& check, double seconds, const std::function<void()>& pump = {});
