#include "IGraphicsLinux.h"

#include "IGEditorDelegate.h"
#include "IGraphicsLinuxView.h"
#include "IPluginBase.h"
#include "ITextEntryControl.h"
#include "LinuxDesktop.h"
#include "LinuxDialogs.h"

namespace iplug::igraphics {

namespace {

// Dialogs run zenity and xdg-open as child processes; one runner serves every editor and lives as long as the
// process, so it can reap the handlers it launched.
LinuxSpawnRunner& Runner()
{
  static LinuxSpawnRunner runner;
  return runner;
}

} // namespace

IGraphicsLinux::IGraphicsLinux(IGEditorDelegate& dlg, int width, int height, int fps, float scale)
  : IGraphicsLinuxFonts(dlg, width, height, fps, scale)
{
}

IGraphicsLinux::~IGraphicsLinux()
{
  CloseWindow();
}

void* IGraphicsLinux::OpenWindow(void* pParent)
{
  if (mView)
    CloseWindow();
  // A null parent is the Audio Unit view factory's call: the host receives the view and owns it too.
  mView = IGraphicsLinuxView::Create(*this, pParent, pParent == nullptr);
  if (!mView)
    return nullptr;
  mView->EnterContext();
  OnViewInitialized(mView);
  if (!GetDrawContext())
  {
    mView->LeaveContext();
    mView->Discard();
    mView = nullptr;
    return nullptr;
  }
  SetScreenScale(mView->ReadScreenScale());
  // X11 has no native menus or text fields: the toolkit's drawn ones take their place.
  AttachPopupMenuControl();
  AttachTextEntryControl();
  if (IGEditorDelegate* pDelegate = GetDelegate())
  {
    pDelegate->LayoutUI(this);
    UpdateTooltips();
    pDelegate->OnUIOpen();
  }
  mView->LeaveContext();
  mView->SetTimer();
  return static_cast<NSView*>(mView);
}

void IGraphicsLinux::CloseWindow()
{
  if (!mView)
    return;
  IGraphicsLinuxView* view = mView;
  view->KillTimer();
  view->EnterContext();
  OnViewDestroyed();
  view->LeaveContext();
  mView = nullptr;
  view->Detach();
}

void* IGraphicsLinux::GetWindow()
{
  return mView ? static_cast<NSView*>(mView) : nullptr;
}

unsigned long IGraphicsLinux::GetNativeWindow() const
{
  return mView ? mView->NativeWindow() : 0;
}

void IGraphicsLinux::PlatformResize(bool /*parentHasResized*/)
{
  if (!mView)
    return;
  mView->SetFrameSize(static_cast<int>(WindowWidth() * GetScreenScale()),
                      static_cast<int>(WindowHeight() * GetScreenScale()));
  UpdateTooltips();
}

void IGraphicsLinux::UpdateTooltips()
{
  if (TooltipsEnabled() && NBubbles() == 0)
    AttachBubbleControl();
}

void IGraphicsLinux::ActivateGLContext()
{
  if (mView)
    mView->EnterContext();
}

void IGraphicsLinux::DeactivateGLContext()
{
  if (mView)
    mView->LeaveContext();
}

bool IGraphicsLinux::HasViewFramebuffer() const
{
  return mView && !mView->IsOffscreen();
}

// ---- Pointer ----

void IGraphicsLinux::GetMouseLocation(float& x, float& y) const
{
  float px = 0.f, py = 0.f;
  if (mView && mView->QueryPointer(px, py))
  {
    const float s = GetDrawScale() * GetScreenScale();
    x = px / s;
    y = py / s;
    return;
  }
  x = mPointerX;
  y = mPointerY;
}

void IGraphicsLinux::HideMouseCursor(bool hide, bool lock)
{
  if (hide == mPointerHidden)
    return;
  if (hide)
  {
    GetMouseLocation(mLockX, mLockY);
    mPointerLocked = lock;
    if (mView)
      mView->SetPointerVisible(false);
    mPointerHidden = true;
  }
  else
  {
    float x = 0.f, y = 0.f;
    DoCursorLock(mLockX, mLockY, x, y);
    if (mView)
      mView->SetPointerVisible(true);
    mPointerHidden = false;
    mPointerLocked = false;
  }
}

void IGraphicsLinux::DoCursorLock(float x, float y, float& prevX, float& prevY)
{
  if (mPointerHidden && mPointerLocked)
  {
    if (mView)
    {
      const float s = GetDrawScale() * GetScreenScale();
      mView->WarpPointer(mLockX * s, mLockY * s);
    }
    prevX = mLockX;
    prevY = mLockY;
    return;
  }
  prevX = x;
  prevY = y;
  mPointerX = x;
  mPointerY = y;
}

void IGraphicsLinux::MoveMouseCursor(float x, float y)
{
  const float s = GetDrawScale() * GetScreenScale();
  if (mView)
    mView->WarpPointer(x * s, y * s);
  mLockX = x;
  mLockY = y;
  mPointerX = x;
  mPointerY = y;
}

ECursor IGraphicsLinux::SetMouseCursor(ECursor cursorType)
{
  const ECursor previous = IGraphics::SetMouseCursor(cursorType);
  if (mView)
    mView->SetCursor(cursorType);
  return previous;
}

void IGraphicsLinux::ClientToScreen(float& x, float& y)
{
  const float s = GetDrawScale() * GetScreenScale();
  x *= s;
  y *= s;
  if (mView)
    mView->WindowToScreen(x, y);
}

// ---- Services ----

LinuxDialogs IGraphicsLinux::Dialogs()
{
  // The host's run loop, and with it the frame timer, waits while a dialog is open: the dialog's wait draws
  // the editor instead.
  return LinuxDialogs(Runner(), [this] {
    if (mView)
      mView->ModalFrame();
  });
}

bool IGraphicsLinux::GetTextFromClipboard(WDL_String& str)
{
  if (!mView)
  {
    str.Set("");
    return false;
  }
  return mView->GetClipboardText(str);
}

bool IGraphicsLinux::SetTextInClipboard(const char* str)
{
  return mView && mView->SetClipboardText(str);
}

EMsgBoxResult IGraphicsLinux::ShowMessageBox(const char* str, const char* caption, EMsgBoxType type,
                                             IMsgBoxCompletionHandlerFunc completion)
{
  ReleaseMouseCapture();
  return Dialogs().ShowMessageBox(str, caption, type, completion);
}

void IGraphicsLinux::PromptForFile(WDL_String& fileName, WDL_String& path, EFileAction action, const char* ext)
{
  if (!mView)
  {
    fileName.Set("");
    return;
  }
  Dialogs().PromptForFile(fileName, path, action, ext);
}

void IGraphicsLinux::PromptForDirectory(WDL_String& dir)
{
  if (!mView)
  {
    dir.Set("");
    return;
  }
  Dialogs().PromptForDirectory(dir);
}

bool IGraphicsLinux::PromptForColor(IColor& color, const char* str, IColorPickerHandlerFunc func)
{
  return mView && Dialogs().PromptForColor(color, str, func);
}

bool IGraphicsLinux::OpenURL(const char* url, const char* /*msgWindowTitle*/, const char* /*confirmMsg*/,
                             const char* /*errMsgOnFailure*/)
{
  return Dialogs().OpenURL(url);
}

bool IGraphicsLinux::RevealPathInExplorerOrFinder(WDL_String& path, bool select)
{
  return Dialogs().RevealPathInExplorerOrFinder(path, select);
}

EUIAppearance IGraphicsLinux::GetUIAppearance() const
{
  return LinuxDesktop::Appearance();
}

int IGraphicsLinux::GetUserOSVersion() const
{
  return LinuxDesktop::UserOSVersion();
}

// ---- Native controls ----

void IGraphicsLinux::ForceEndUserEdit()
{
  if (ITextEntryControl* pEntry = GetTextEntryControl())
    pEntry->DismissEdit();
}

void IGraphicsLinux::CreatePlatformTextEntry(int /*paramIdx*/, const IText& /*text*/, const IRECT& /*bounds*/,
                                             int /*length*/, const char* /*str*/)
{
}

IPopupMenu* IGraphicsLinux::CreatePlatformPopupMenu(IPopupMenu& /*menu*/, const IRECT& /*bounds*/, bool& isAsync)
{
  isAsync = false;
  return nullptr;
}

// The product's make-graphics callback lands here: on Linux the editor is an IGraphicsLinux. The delegate is
// the plug-in itself; its bundle holds the resources and its product name names the shared-resources folder.
IGraphics* MakeGraphics(IGEditorDelegate& dlg, int width, int height, int fps, float scale)
{
  auto* pGraphics = new IGraphicsLinux(dlg, width, height, fps, scale);
  if (const auto* pPlug = dynamic_cast<const IPluginBase*>(&dlg))
  {
    pGraphics->SetBundleID(pPlug->GetBundleID());
    pGraphics->SetSharedResourcesSubPath(pPlug->GetProductName());
  }
  return pGraphics;
}

} // namespace iplug::igraphics
