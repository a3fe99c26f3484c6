// NanoVG's OpenGL 2 renderer and framebuffer helpers are header-only implementations; this is the one
// translation unit that instantiates them for the whole program.
#include <GL/gl.h>
#include <GL/glext.h>

#include "nanovg.h"
#define NANOVG_GL2_IMPLEMENTATION
#include "nanovg_gl.h"
#include "nanovg_gl_utils.h"
