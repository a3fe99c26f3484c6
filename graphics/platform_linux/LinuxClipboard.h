#pragma once

#include <pugl/pugl.h>

#include "WDL_String.h"

namespace iplug::igraphics {

// Clipboard text for one view's window (the X CLIPBOARD selection, UTF-8). Every editor of the process that
// copied text is remembered with that text: pasting into another editor of the process is answered from it at
// once, since waiting for the owner's answer on the same X connection would wait for a reply nobody reads
// until the wait ends. Text from other programs is asked of its owner, waiting briefly. [ui-thread]
class LinuxClipboard
{
public:
  // For the window of view (a realised Pugl view, not owned).
  explicit LinuxClipboard(PuglView* view);
  ~LinuxClipboard();
  LinuxClipboard(const LinuxClipboard&) = delete;
  LinuxClipboard& operator=(const LinuxClipboard&) = delete;

  // Offers str as the clipboard's text; false when the selection could not be taken.
  bool SetText(const char* str);
  // The clipboard's text; false (str empty) when there is none or its owner did not answer in time.
  bool GetText(WDL_String& str);

private:
  bool AskOwner(WDL_String& str);

  PuglView* mView;
  unsigned long mWindow;
};

} // namespace iplug::igraphics
