// Pixel formats are the GLX frame-buffer configurations usable in a window, numbered from 1.
// ChoosePixelFormat scores them against the request the way Windows picks the closest.
#include <stdlib.h>

#include <vector>

#include "platform/linux/xwin.h"

namespace {

int attribute(Display* display, GLXFBConfig config, int name) {
  int value = 0;
  glXGetFBConfigAttrib(display, config, name, &value);
  return value;
}

const std::vector<GLXFBConfig>& formats(Display* display) {
  static std::vector<GLXFBConfig> list;
  static bool listed;
  if (listed) return list;
  listed = true;
  int glxMajor = 0, glxMinor = 0;
  if (!glXQueryVersion(display, &glxMajor, &glxMinor) || (glxMajor == 1 && glxMinor < 3))
    return list;
  int count = 0;
  GLXFBConfig* all = glXGetFBConfigs(display, DefaultScreen(display), &count);
  for (int i = 0; i < count; ++i) {
    GLXFBConfig c = all[i];
    if ((attribute(display, c, GLX_DRAWABLE_TYPE) & GLX_WINDOW_BIT) &&
        (attribute(display, c, GLX_RENDER_TYPE) & GLX_RGBA_BIT) &&
        attribute(display, c, GLX_VISUAL_ID) != 0)
      list.push_back(c);
  }
  if (all) XFree(all);
  return list;
}

// Lower is closer. Colour depth matters most, then the depth buffer, then what was not
// asked for (alpha, stencil, accumulation, multisampling, slow configurations).
long score(Display* display, GLXFBConfig c, const PIXELFORMATDESCRIPTOR& want) {
  int screenDepth = DefaultDepth(display, DefaultScreen(display));
  int wantColour = want.cColorBits ? want.cColorBits : screenDepth;
  if (wantColour > 24) wantColour = 24;  // 32 bits a pixel are 24 of colour and padding
  int colour = attribute(display, c, GLX_RED_SIZE) + attribute(display, c, GLX_GREEN_SIZE) +
               attribute(display, c, GLX_BLUE_SIZE);
  int depth = attribute(display, c, GLX_DEPTH_SIZE);
  bool wantDouble = (want.dwFlags & PFD_DOUBLEBUFFER) != 0;
  long s = 0;
  XVisualInfo* vi = glXGetVisualFromFBConfig(display, c);
  if (!vi || vi->depth != screenDepth) s += 10000000;  // drawable without colour conversions
  if (vi) XFree(vi);
  if (attribute(display, c, GLX_DOUBLEBUFFER) != (wantDouble ? 1 : 0)) s += 1000000;
  s += 10000L * abs(colour - wantColour);
  s +=
      depth < want.cDepthBits ? 5000L * (want.cDepthBits - depth) : 10L * (depth - want.cDepthBits);
  s += 10L * abs(attribute(display, c, GLX_ALPHA_SIZE) - want.cAlphaBits);
  s += 10L * abs(attribute(display, c, GLX_STENCIL_SIZE) - want.cStencilBits);
  if (!want.cAccumBits && attribute(display, c, GLX_ACCUM_RED_SIZE)) s += 100;
  if (attribute(display, c, GLX_SAMPLES) > 0) s += 1000;
  if (attribute(display, c, GLX_CONFIG_CAVEAT) != GLX_NONE) s += 500;
  return s;
}

int closestFormat(Display* display, const PIXELFORMATDESCRIPTOR& want) {
  const std::vector<GLXFBConfig>& list = formats(display);
  int best = 0;
  long bestScore = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    long s = score(display, list[i], want);
    if (best == 0 || s < bestScore) {
      best = (int)i + 1;
      bestScore = s;
    }
  }
  return best;
}

}  // namespace

GLXFBConfig formatConfig(Display* display, int format) {
  const std::vector<GLXFBConfig>& list = formats(display);
  return format >= 1 && format <= (int)list.size() ? list[format - 1] : nullptr;
}

// Windows are created before their pixel format is set, but an X window's visual is fixed at
// creation: it gets the visual of the format an OpenGL window asks for on this screen.
bool chooseWindowVisual(Display* display, Visual** visual, int* depth) {
  PIXELFORMATDESCRIPTOR want = {};
  want.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  want.iPixelType = PFD_TYPE_RGBA;
  want.cColorBits = (BYTE)DefaultDepth(display, DefaultScreen(display));
  want.cDepthBits = 16;
  GLXFBConfig config = formatConfig(display, closestFormat(display, want));
  XVisualInfo* vi = config ? glXGetVisualFromFBConfig(display, config) : nullptr;
  if (!vi) return false;
  *visual = vi->visual;
  *depth = vi->depth;
  XFree(vi);
  return true;
}

int ChoosePixelFormat(HDC hdc, const PIXELFORMATDESCRIPTOR* want) {
  WindowRecord* r = findWindow((HWND)hdc);
  Display* display = xDisplay();
  if (!r || !want || !display) return 0;
  return closestFormat(display, *want);
}

// A window's format is set once. It must be one the window's visual can show.
BOOL SetPixelFormat(HDC hdc, int format, const PIXELFORMATDESCRIPTOR*) {
  WindowRecord* r = findWindow((HWND)hdc);
  Display* display = xDisplay();
  if (!r || !display || r->pixelFormat != 0) return FALSE;
  GLXFBConfig config = formatConfig(display, format);
  XVisualInfo* vi = config ? glXGetVisualFromFBConfig(display, config) : nullptr;
  bool fits = vi && vi->visualid == XVisualIDFromVisual(r->visual);
  if (vi) XFree(vi);
  if (!fits) return FALSE;
  r->pixelFormat = format;
  return TRUE;
}
