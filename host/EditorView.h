#pragma once

#include <AppKit/NSView.h>
#include <AudioUnit/AUCocoaUIView.h>

#include <memory>
#include <string>

class HostComponent;

// A unit's editor view, obtained as a host obtains it: the Cocoa view factory named by
// kAudioUnitProperty_CocoaUI, found in its bundle and asked for a view. The view is removed (and with it the
// editor closed) when this object goes. Main thread.
class EditorView
{
public:
  // The view of unit's editor; null with a one-line error text when the unit has none or refuses.
  static std::unique_ptr<EditorView> Open(HostComponent& unit, std::string& error);
  ~EditorView();
  EditorView(const EditorView&) = delete;
  EditorView& operator=(const EditorView&) = delete;

  NSView& View() const { return *mView; }
  // The view's size in device pixels.
  int PixelWidth() const;
  int PixelHeight() const;

private:
  EditorView(std::unique_ptr<AUCocoaUIBase> factory, NSView* view) : mFactory(std::move(factory)), mView(view) {}

  std::unique_ptr<AUCocoaUIBase> mFactory;
  NSView* mView;
};
