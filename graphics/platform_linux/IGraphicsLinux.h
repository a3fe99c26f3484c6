#pragma once

#include "IGraphicsLinuxFonts.h"
#include "WDL_String.h"

namespace iplug::igraphics {

class IGraphicsLinuxView;
class LinuxDialogs;

// The editor's graphics context on Linux: the NanoVG back end shown in an X11 window through Pugl (OpenGL 2),
// with the platform operations of the graphics core done the X11 way. OpenWindow embeds the editor in the
// host's window (a parent X11 window id) or makes a window of its own that a host adds to one of its windows
// (the Audio Unit view factory's way); without a window system the view draws off-screen, so a host can still
// render it into an image. There are no native menus or text fields: the drawn popup menu and text entry are
// attached when the window opens. Dialogs go through zenity and keep the editor drawing while they are open;
// URLs go to xdg-open, started detached. Everything runs on the thread that opened the window. [ui-thread]
class IGraphicsLinux : public IGraphicsLinuxFonts
{
public:
  // A context for dlg of width x height user units at fps frames per second and draw scale.
  IGraphicsLinux(IGEditorDelegate& dlg, int width, int height, int fps, float scale);
  // Closes the window if open.
  ~IGraphicsLinux() override;

  // ---- Window ----

  // Closes an open view, makes a new one (child of pParent, an X11 window id, when non-null), creates the NanoVG
  // context, applies the screen's scale, lays out the controls, then starts the frame timer; the view (an
  // NSView*) or null when no view can be made.
  void* OpenWindow(void* pParent) override;
  // Stops the frame timer, destroys the controls and the GL resources, and releases the view.
  void CloseWindow() override;
  // The view (NSView*) while open, else null.
  void* GetWindow() override;
  // The view's X11 window id; 0 while closed or off-screen.
  unsigned long GetNativeWindow() const;
  // Sets the view's size to the editor's size at draw scale and screen scale, and tells the view's host.
  void PlatformResize(bool parentHasResized) override;
  // Device pixels per point: X11 windows are measured in pixels.
  float GetPlatformWindowScale() const override { return GetScreenScale(); }
  // The bundle the resource operations search first ("" until set).
  const char* GetBundleID() override { return mBundleID.Get(); }
  // Names that bundle.
  void SetBundleID(const char* bundleID) { mBundleID.Set(bundleID); }
  // "Linux X11".
  const char* GetPlatformAPIStr() override { return "Linux X11"; }
  // Makes the view's GL context current (nestable) / releases it again.
  void ActivateGLContext() override;
  void DeactivateGLContext() override;
  // For the view: the back end's main framebuffer, its read-back and its presentation outside a frame.
  using IGraphicsNanoVG::GetMainFramebuffer;
  using IGraphicsNanoVG::PresentMainFramebuffer;
  using IGraphicsNanoVG::ReadMainFramebuffer;
  // Whether frames are presented to a window (false for an off-screen view).
  bool HasViewFramebuffer() const override;

  // ---- Pointer ----

  // The pointer's position in user units relative to the view (the last known one off-screen).
  void GetMouseLocation(float& x, float& y) const override;
  // Hides (with lock: and keeps in place) or shows the pointer; nothing when the state would not change.
  void HideMouseCursor(bool hide = true, bool lock = true) override;
  // Warps the pointer to (x, y) in user units.
  void MoveMouseCursor(float x, float y) override;
  // Shows the cursor kind over the view; returns the previous kind.
  ECursor SetMouseCursor(ECursor cursorType = kCursorArrow) override;
  // Screen position of view point (x, y) in user units, and back.
  void ClientToScreen(float& x, float& y) override;
  // While the pointer is hidden and locked, puts it back where it was hidden and returns that place in
  // prevX/prevY; otherwise remembers (x, y) there. Called with every pointer event.
  void DoCursorLock(float x, float y, float& prevX, float& prevY);

  // ---- Services ----

  bool GetTextFromClipboard(WDL_String& str) override;
  bool SetTextInClipboard(const char* str) override;
  // Tooltips show in the toolkit's bubble after the hover delay (the view times them): attaches a bubble when
  // tooltips are on and there is none.
  void UpdateTooltips() override;
  EMsgBoxResult ShowMessageBox(const char* str, const char* caption, EMsgBoxType type,
                               IMsgBoxCompletionHandlerFunc completion = nullptr) override;
  void PromptForFile(WDL_String& fileName, WDL_String& path, EFileAction action = kFileOpen,
                     const char* ext = "") override;
  void PromptForDirectory(WDL_String& dir) override;
  bool PromptForColor(IColor& color, const char* str = "", IColorPickerHandlerFunc func = nullptr) override;
  bool OpenURL(const char* url, const char* msgWindowTitle = nullptr, const char* confirmMsg = nullptr,
               const char* errMsgOnFailure = nullptr) override;
  bool RevealPathInExplorerOrFinder(WDL_String& path, bool select = false) override;
  EUIAppearance GetUIAppearance() const override;
  // The running kernel's version (see LinuxDesktop).
  int GetUserOSVersion() const;

  // ---- Native controls: X11 has none ----

  // Ends the drawn text entry, if one is open.
  void ForceEndUserEdit() override;
  // No native text field exists; the drawn text entry is used instead (attached at open).
  void CreatePlatformTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length,
                               const char* str) override;
  // No native menu exists: nothing is chosen (the drawn popup menu, attached at open, is used instead).
  IPopupMenu* CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync) override;

private:
  // The desktop's dialogs, drawing this editor while one is open.
  LinuxDialogs Dialogs();

  IGraphicsLinuxView* mView = nullptr;
  WDL_String mBundleID;
  float mLockX = 0.f; // where the pointer was hidden, user units
  float mLockY = 0.f;
  bool mPointerLocked = false;
};

} // namespace iplug::igraphics
