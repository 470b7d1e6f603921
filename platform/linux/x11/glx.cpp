// OpenGL over GLX: pixel formats are the window-capable RGBA frame-buffer configurations of the
// screen, numbered from 1; contexts, presenting, and the swap interval over GLX_EXT_swap_control
// or GLX_MESA_swap_control.
#include <dlfcn.h>
#include <string.h>

#include "platform/linux/x11/x11.h"

namespace x11 {
namespace {

int attribute(Display* d, GLXFBConfig c, int name) {
  int value = 0;
  glXGetFBConfigAttrib(d, c, name, &value);
  return value;
}

const std::vector<GLXFBConfig>& pixelFormats(Display* d) {
  State& s = state();
  if (s.pixelFormatsListed) return s.pixelFormats;
  s.pixelFormatsListed = true;
  int count = 0;
  GLXFBConfig* all = glXGetFBConfigs(d, DefaultScreen(d), &count);
  for (int i = 0; i < count; ++i)
    if ((attribute(d, all[i], GLX_DRAWABLE_TYPE) & GLX_WINDOW_BIT) &&
        (attribute(d, all[i], GLX_RENDER_TYPE) & GLX_RGBA_BIT) &&
        attribute(d, all[i], GLX_VISUAL_ID) != 0)
      s.pixelFormats.push_back(all[i]);
  if (all) XFree(all);
  return s.pixelFormats;
}

// The configuration of a pixel format number, NULL when the number names none.
GLXFBConfig formatConfig(Display* d, int format) {
  const std::vector<GLXFBConfig>& list = pixelFormats(d);
  return format >= 1 && format <= (int)list.size() ? list[format - 1] : nullptr;
}

int visualDepth(Display* d, GLXFBConfig c) {
  XVisualInfo* vi = glXGetVisualFromFBConfig(d, c);
  int depth = vi ? vi->depth : 0;
  if (vi) XFree(vi);
  return depth;
}

// GLX's own best match for the request (it sorts by closeness) among the configurations shown
// at the screen's depth without conversion and, unless visual is 0, with that visual; its number
// in our list, 0 when there is none.
int closestFormat(Display* d, const PIXELFORMATDESCRIPTOR& want, VisualID visual) {
  int screenDepth = DefaultDepth(d, DefaultScreen(d));
  int colour = want.cColorBits > 24 ? 24 : want.cColorBits;  // 32 bits: 24 of colour, padding
  int request[] = {
      GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT,   GLX_RENDER_TYPE,
      GLX_RGBA_BIT,      GLX_DOUBLEBUFFER, (want.dwFlags & PFD_DOUBLEBUFFER) ? True : False,
      GLX_RED_SIZE,      colour / 3,       GLX_GREEN_SIZE,
      colour / 3,        GLX_BLUE_SIZE,    colour / 3,
      GLX_DEPTH_SIZE,    want.cDepthBits,  None};
  int count = 0;
  GLXFBConfig* matches = glXChooseFBConfig(d, DefaultScreen(d), request, &count);
  const std::vector<GLXFBConfig>& list = pixelFormats(d);
  int found = 0;
  for (int i = 0; i < count && !found; ++i) {
    if (visualDepth(d, matches[i]) != screenDepth) continue;
    if (visual && (VisualID)attribute(d, matches[i], GLX_VISUAL_ID) != visual) continue;
    for (size_t k = 0; k < list.size() && !found; ++k)
      if (list[k] == matches[i]) found = (int)k + 1;
  }
  if (matches) XFree(matches);
  return found;
}

GLXContext toContext(HGLRC rc) { return (GLXContext)rc; }

bool hasExtension(const char* name) {
  const char* all = glXQueryExtensionsString(display(), DefaultScreen(display()));
  std::string list = std::string(" ") + (all ? all : "") + " ";
  return list.find(std::string(" ") + name + " ") != std::string::npos;
}

// WGL_EXT_swap_control's call on the current context's window.
BOOL WINAPI swapIntervalEXT(int interval) {
  typedef void (*SwapEXT)(Display*, GLXDrawable, int);
  typedef int (*SwapMESA)(unsigned int);
  if (hasExtension("GLX_EXT_swap_control")) {
    SwapEXT swap = (SwapEXT)glXGetProcAddressARB((const GLubyte*)"glXSwapIntervalEXT");
    ErrorTrap trap(display());
    swap(display(), glXGetCurrentDrawable(), interval);
    return !trap.failed();
  }
  SwapMESA swap = (SwapMESA)glXGetProcAddressARB((const GLubyte*)"glXSwapIntervalMESA");
  return swap(interval) == 0;
}

}  // namespace

// X fixes a window's visual when the window is made; Win32 picks the pixel format afterwards,
// from the program's request (ChoosePixelFormat, then SetPixelFormat). The two steps meet here,
// so that the request is written only once, in the program: every OpenGL window takes the visual
// of the richest format the screen offers it (double-buffered RGBA at the screen's colour depth,
// with the deepest depth buffer: GLX sorts deeper first), ChoosePixelFormat answers with GLX's
// best match among the formats of the window's own visual, and SetPixelFormat accepts any format
// of that visual. A request that format meets is met; one asking for more finds none.
bool chooseWindowVisual(Visual** visual, int* depth) {
  Display* d = display();
  PIXELFORMATDESCRIPTOR richest = {};
  richest.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  richest.cColorBits = (BYTE)DefaultDepth(d, DefaultScreen(d));
  richest.cDepthBits = 1;  // some depth buffer
  GLXFBConfig config = formatConfig(d, closestFormat(d, richest, 0));
  XVisualInfo* vi = config ? glXGetVisualFromFBConfig(d, config) : nullptr;
  if (!vi) return false;
  *visual = vi->visual;
  *depth = vi->depth;
  XFree(vi);
  return true;
}

// Among the formats the window's visual shows (see chooseWindowVisual).
int choosePixelFormat(WindowRecord& r, const PIXELFORMATDESCRIPTOR& want) {
  return closestFormat(display(), want, XVisualIDFromVisual(nativeOf(r).visual));
}

// A format must be one the window's visual shows.
bool setPixelFormat(WindowRecord& r, int format) {
  GLXFBConfig config = formatConfig(display(), format);
  XVisualInfo* vi = config ? glXGetVisualFromFBConfig(display(), config) : nullptr;
  bool fits = vi && vi->visualid == XVisualIDFromVisual(nativeOf(r).visual);
  if (vi) XFree(vi);
  return fits;
}

HGLRC createContext(WindowRecord& r) {
  Display* d = display();
  ErrorTrap trap(d);
  GLXContext context =
      glXCreateNewContext(d, formatConfig(d, r.pixelFormat), GLX_RGBA_TYPE, NULL, True);
  return trap.failed() || !context ? NULL : (HGLRC)context;
}

bool makeCurrent(WindowRecord* r, HGLRC rc) {
  Display* d = display();
  ErrorTrap trap(d);
  if (!r) return glXMakeCurrent(d, None, NULL) && !trap.failed();
  return glXMakeCurrent(d, idOf(*r), toContext(rc)) && !trap.failed();
}

void deleteContext(HGLRC rc) {
  Display* d = display();
  ErrorTrap trap(d);
  if (glXGetCurrentContext() == toContext(rc)) glXMakeCurrent(d, None, NULL);
  glXDestroyContext(d, toContext(rc));
}

bool swapBuffers(WindowRecord& r) {
  glXSwapBuffers(display(), idOf(r));
  XFlush(display());
  return true;
}

BOOL(WINAPI* swapIntervalCall)(int) = nullptr;

void findSwapInterval() {
  if (hasExtension("GLX_EXT_swap_control") || hasExtension("GLX_MESA_swap_control"))
    swapIntervalCall = swapIntervalEXT;
}

}  // namespace x11

// Mesa's software rasteriser asks for its window's size before every frame with XGetGeometry and
// uses the answer unchecked. For a window another client has just destroyed (a preview's parent
// or a daemon's window going away mid-frame) the request fails, the error is trapped or dropped
// here instead of ending the process, and Mesa would size its buffers from uninitialised memory.
// The executable exports this XGetGeometry, which answers a size of zero then: Mesa draws
// nothing more, and the run ends as it should.
extern "C" Status XGetGeometry(Display* d, Drawable drawable, Window* root, int* x, int* y,
                               unsigned int* width, unsigned int* height, unsigned int* border,
                               unsigned int* depth) {
  using Query = Status (*)(Display*, Drawable, Window*, int*, int*, unsigned int*, unsigned int*,
                           unsigned int*, unsigned int*);
  static const Query xlib = (Query)dlsym(RTLD_NEXT, "XGetGeometry");
  *root = None;
  *x = *y = 0;
  *width = *height = *border = *depth = 0;
  return xlib(d, drawable, root, x, y, width, height, border, depth);
}
