#include "EGLOffscreenContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

namespace iplug::igraphics {

namespace {

// The surfaceless display, initialised once and kept for the life of the process: terminating it
// unloads Mesa's driver, and one display serves every context anyway.
EGLDisplay SurfacelessDisplay()
{
  static const EGLDisplay display = [] {
    auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay)
      return EGL_NO_DISPLAY;
    EGLDisplay d = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (d == EGL_NO_DISPLAY || !eglInitialize(d, nullptr, nullptr))
      return EGL_NO_DISPLAY;
    return d;
  }();
  return display;
}

} // namespace

EGLOffscreenContext::EGLOffscreenContext()
{
  EGLDisplay display = SurfacelessDisplay();
  if (display == EGL_NO_DISPLAY || !eglBindAPI(EGL_OPENGL_API))
    return;
  const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 2, EGL_CONTEXT_MINOR_VERSION, 1, EGL_NONE};
  EGLContext context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
  if (context == EGL_NO_CONTEXT)
    return;
  mDisplay = display;
  mContext = context;
}

EGLOffscreenContext::~EGLOffscreenContext()
{
  if (!mContext)
    return;
  if (eglGetCurrentContext() == mContext)
    ReleaseCurrent();
  eglDestroyContext(mDisplay, mContext);
}

bool EGLOffscreenContext::MakeCurrent()
{
  if (!mContext)
    return false;
  eglBindAPI(EGL_OPENGL_API);
  return eglMakeCurrent(mDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, mContext) == EGL_TRUE;
}

void EGLOffscreenContext::ReleaseCurrent()
{
  if (mDisplay)
    eglMakeCurrent(mDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

const char* EGLOffscreenContext::GetRenderer() const
{
  if (!mContext || eglGetCurrentContext() != mContext)
    return "";
  const GLubyte* renderer = glGetString(GL_RENDERER);
  return renderer ? reinterpret_cast<const char*>(renderer) : "";
}

} // namespace iplug::igraphics
