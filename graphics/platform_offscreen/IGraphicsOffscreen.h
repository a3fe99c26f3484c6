#pragma once

#include <memory>

#include "EGLOffscreenContext.h"
#include "IGraphicsLinuxFonts.h"
#include "RGBAImage.h"

namespace iplug::igraphics {

// A graphics context with no window: the NanoVG back end drawing into its framebuffers inside an EGL
// surfaceless OpenGL 2 context it owns. For tests, tools and screenshots; the platform operations that need
// a window or a person do nothing and report failure, fonts come from files, bytes or fontconfig.
// The GL context is made current by OpenWindow and stays current; one such context per thread. [main-thread]
class IGraphicsOffscreen : public IGraphicsLinuxFonts
{
public:
  // A context for dlg of width x height user units at fps and draw scale, drawn at screenScale device pixels per point.
  IGraphicsOffscreen(IGEditorDelegate& dlg, int width, int height, int fps = 60, float scale = 1.f,
                     float screenScale = 1.f);
  // Closes the "window" (destroying controls and GL resources with the context current).
  ~IGraphicsOffscreen() override;

  // Creates and makes current the GL context, creates the NanoVG context, applies the screen scale, lays out
  // the controls through the delegate; returns an opaque non-null handle, or null when no GL context can be made.
  void* OpenWindow(void* pParent) override;
  // Removes the controls, deletes the GL resources and the GL context.
  void CloseWindow() override;
  // The handle OpenWindow returned, or null while closed.
  void* GetWindow() override { return mOpen ? this : nullptr; }

  // Runs one frame the way a window's timer does: gathers dirty controls and draws them; true when it drew.
  bool DrawFrame();
  // Marks every control dirty and draws a frame.
  void DrawAll();
  // The main framebuffer's pixels (backing size), top row first; empty while closed.
  RGBAImage Snapshot();
  // The GL renderer's name, or "" while closed.
  const char* GetRendererName() const;
  // Names the bundle whose resource directory the resource operations search first.
  void SetBundleID(const char* bundleID) { mBundleID.Set(bundleID); }
  // The bundle named by SetBundleID ("" until then).
  const char* GetBundleID() override { return mBundleID.Get(); }

  // Platform operations without a window or a person: the pointer is remembered, clipboard, dialogs and URLs
  // fail, a message box counts as cancelled, menus and text fields never open.
  void GetMouseLocation(float& x, float& y) const override;
  void HideMouseCursor(bool hide = true, bool lock = true) override;
  void MoveMouseCursor(float x, float y) override;
  void ForceEndUserEdit() override {}
  bool GetTextFromClipboard(WDL_String& str) override;
  bool SetTextInClipboard(const char* str) override;
  void UpdateTooltips() override {}
  EMsgBoxResult ShowMessageBox(const char* str, const char* caption, EMsgBoxType type,
                               IMsgBoxCompletionHandlerFunc completion = nullptr) override;
  void PromptForFile(WDL_String& fileName, WDL_String& path, EFileAction action = kFileOpen,
                     const char* ext = "") override;
  void PromptForDirectory(WDL_String& dir) override;
  bool PromptForColor(IColor& color, const char* str = "", IColorPickerHandlerFunc func = nullptr) override;
  bool OpenURL(const char* url, const char* msgWindowTitle = nullptr, const char* confirmMsg = nullptr,
               const char* errMsgOnFailure = nullptr) override;
  const char* GetPlatformAPIStr() override { return "Offscreen EGL"; }
  // There is no view: frames stay in the main framebuffer, which Snapshot reads.
  bool HasViewFramebuffer() const override { return false; }
  void CreatePlatformTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length,
                               const char* str) override;
  IPopupMenu* CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync) override;

private:
  std::unique_ptr<EGLOffscreenContext> mGL;
  WDL_String mBundleID;
  float mWantedScreenScale;
  bool mOpen = false;
  float mMouseX = 0.f;
  float mMouseY = 0.f;
};

} // namespace iplug::igraphics
