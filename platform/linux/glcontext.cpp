// The device context (our window itself) and the OpenGL context over GLX.
#include <set>

#include "platform/linux/xwin.h"

namespace {

std::set<GLXContext>& contexts() {
  static std::set<GLXContext> live;
  return live;
}

GLXContext toContext(HGLRC rc) { return (GLXContext)rc; }

}  // namespace

// A window's device context is the window: every window keeps its own (CS_OWNDC).
HDC GetDC(HWND hWnd) {
  WindowRecord* r = findWindow(hWnd);
  return r ? (HDC)hWnd : NULL;
}

int ReleaseDC(HWND hWnd, HDC hdc) { return findWindow(hWnd) && (HWND)hdc == hWnd ? 1 : 0; }

HGLRC wglCreateContext(HDC hdc) {
  WindowRecord* r = findWindow((HWND)hdc);
  Display* display = xDisplay();
  if (!r || !display || r->pixelFormat == 0) return NULL;
  XErrorTrap trap(display);
  GLXContext context = glXCreateNewContext(display, formatConfig(display, r->pixelFormat),
                                           GLX_RGBA_TYPE, NULL, True);
  if (trap.failed() || !context) return NULL;
  contexts().insert(context);
  return (HGLRC)context;
}

BOOL wglMakeCurrent(HDC hdc, HGLRC rc) {
  Display* display = xDisplay();
  if (!display) return FALSE;
  XErrorTrap trap(display);
  if (!rc) return glXMakeCurrent(display, None, NULL) && !trap.failed();
  WindowRecord* r = findWindow((HWND)hdc);
  if (!r || !contexts().count(toContext(rc))) return FALSE;
  return glXMakeCurrent(display, r->id, toContext(rc)) && !trap.failed();
}

BOOL wglDeleteContext(HGLRC rc) {
  Display* display = xDisplay();
  if (!display || !contexts().erase(toContext(rc))) return FALSE;
  XErrorTrap trap(display);
  if (glXGetCurrentContext() == toContext(rc)) glXMakeCurrent(display, None, NULL);
  glXDestroyContext(display, toContext(rc));
  return TRUE;
}

BOOL SwapBuffers(HDC hdc) {
  WindowRecord* r = findWindow((HWND)hdc);
  Display* display = xDisplay();
  if (!r || !display || r->pixelFormat == 0) return FALSE;
  glXSwapBuffers(display, r->id);
  XFlush(display);
  return TRUE;
}
