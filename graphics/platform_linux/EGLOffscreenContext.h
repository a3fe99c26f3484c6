#pragma once

namespace iplug::igraphics {

// A desktop OpenGL 2 context without any window or surface, made through EGL's surfaceless platform
// (Mesa's llvmpipe on a machine without a display or GPU). Drawing goes into framebuffer objects that the
// caller binds. Test and tool support, not a platform layer. [ui-thread]
class EGLOffscreenContext
{
public:
  // Creates the context (not current); IsValid() tells whether that worked.
  EGLOffscreenContext();
  // Releases the context if current, then destroys it.
  ~EGLOffscreenContext();
  EGLOffscreenContext(const EGLOffscreenContext&) = delete;
  EGLOffscreenContext& operator=(const EGLOffscreenContext&) = delete;

  // Whether a context exists.
  bool IsValid() const { return mContext != nullptr; }
  // Makes the context current on the calling thread; false when there is none or EGL refuses.
  bool MakeCurrent();
  // Makes no context current on the calling thread.
  void ReleaseCurrent();
  // The GL renderer's name ("llvmpipe (...)"), or "" without a context. Needs the context current.
  const char* GetRenderer() const;

private:
  void* mDisplay = nullptr;
  void* mContext = nullptr;
};

} // namespace iplug::igraphics
