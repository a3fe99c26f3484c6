#include "IGraphicsOffscreen.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include "IGEditorDelegate.h"
#include "nanovg.h"
#include "nanovg_gl.h"
#include "nanovg_gl_utils.h"

namespace iplug::igraphics {

IGraphicsOffscreen::IGraphicsOffscreen(IGEditorDelegate& dlg, int width, int height, int fps, float scale,
                                       float screenScale)
  : IGraphicsLinuxFonts(dlg, width, height, fps, scale)
  , mWantedScreenScale(screenScale > 0.f ? screenScale : 1.f)
{
}

IGraphicsOffscreen::~IGraphicsOffscreen()
{
  CloseWindow();
}

void* IGraphicsOffscreen::OpenWindow(void* /*pParent*/)
{
  if (mOpen)
    CloseWindow();
  if (!mGL)
    mGL = std::make_unique<EGLOffscreenContext>();
  if (!mGL->MakeCurrent())
  {
    mGL.reset();
    return nullptr;
  }
  OnViewInitialized(nullptr);
  if (!GetDrawContext())
  {
    mGL.reset();
    return nullptr;
  }
  mOpen = true;
  SetScreenScale(mWantedScreenScale);
  if (IGEditorDelegate* pDelegate = GetDelegate())
  {
    pDelegate->LayoutUI(this);
    pDelegate->OnUIOpen();
  }
  return this;
}

void IGraphicsOffscreen::CloseWindow()
{
  if (!mGL)
    return;
  mGL->MakeCurrent();
  OnViewDestroyed();
  mGL.reset();
  mOpen = false;
}

bool IGraphicsOffscreen::DrawFrame()
{
  if (!mOpen)
    return false;
  IRECTList rects;
  if (!IsDirty(rects))
    return false;
  SetAllControlsClean();
  Draw(rects);
  return true;
}

void IGraphicsOffscreen::DrawAll()
{
  SetAllControlsDirty();
  DrawFrame();
}

RGBAImage IGraphicsOffscreen::Snapshot()
{
  NVGLUframebuffer* fb = GetMainFramebuffer();
  if (!mOpen || !fb)
    return RGBAImage();
  GLint previous = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
  glBindFramebuffer(GL_FRAMEBUFFER, fb->fbo);
  RGBAImage image = RGBAImage::ReadFramebuffer(BackingWidth(), BackingHeight());
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
  return image;
}

const char* IGraphicsOffscreen::GetRendererName() const
{
  return mOpen ? mGL->GetRenderer() : "";
}

void IGraphicsOffscreen::GetMouseLocation(float& x, float& y) const
{
  x = mMouseX;
  y = mMouseY;
}

void IGraphicsOffscreen::HideMouseCursor(bool hide, bool /*lock*/)
{
  mPointerHidden = hide;
}

void IGraphicsOffscreen::MoveMouseCursor(float x, float y)
{
  mMouseX = x;
  mMouseY = y;
}

bool IGraphicsOffscreen::GetTextFromClipboard(WDL_String& str)
{
  str.Set("");
  return false;
}

bool IGraphicsOffscreen::SetTextInClipboard(const char* /*str*/)
{
  return false;
}

EMsgBoxResult IGraphicsOffscreen::ShowMessageBox(const char* /*str*/, const char* /*caption*/, EMsgBoxType /*type*/,
                                                 IMsgBoxCompletionHandlerFunc completion)
{
  // Nobody can answer: the box counts as cancelled.
  if (completion)
    completion(kMsgResultCancel);
  return kMsgResultCancel;
}

void IGraphicsOffscreen::PromptForFile(WDL_String& fileName, WDL_String& /*path*/, EFileAction /*action*/,
                                       const char* /*ext*/)
{
  fileName.Set("");
}

void IGraphicsOffscreen::PromptForDirectory(WDL_String& dir)
{
  dir.Set("");
}

bool IGraphicsOffscreen::PromptForColor(IColor& /*color*/, const char* /*str*/, IColorPickerHandlerFunc /*func*/)
{
  return false;
}

bool IGraphicsOffscreen::OpenURL(const char* /*url*/, const char* /*msgWindowTitle*/, const char* /*confirmMsg*/,
                                 const char* /*errMsgOnFailure*/)
{
  return false;
}

void IGraphicsOffscreen::CreatePlatformTextEntry(int /*paramIdx*/, const IText& /*text*/, const IRECT& /*bounds*/,
                                                 int /*length*/, const char* /*str*/)
{
}

IPopupMenu* IGraphicsOffscreen::CreatePlatformPopupMenu(IPopupMenu& /*menu*/, const IRECT& /*bounds*/, bool& isAsync)
{
  isAsync = false;
  return nullptr;
}

} // namespace iplug::igraphics
