// The device context and the OpenGL context, over the window system's binding (GLX or EGL).
// Pixel formats are the configurations a window can take, numbered from 1.
// Implements GetDC, ReleaseDC, ChoosePixelFormat, SetPixelFormat, wglCreateContext,
// wglMakeCurrent, wglDeleteContext, SwapBuffers, and wglGetProcAddress for wglSwapIntervalEXT.
// A window's device context is the window itself: every window keeps its own (CS_OWNDC), so the
// handles are the same number.
#include <string.h>

#include "platform/linux/windowsystem.h"

using namespace layer;

namespace {

WindowRecord* windowOf(HDC hdc) { return findWindow((HWND)hdc); }

}  // namespace

HDC GetDC(HWND hWnd) { return findWindow(hWnd) ? (HDC)hWnd : NULL; }

int ReleaseDC(HWND hWnd, HDC hdc) { return findWindow(hWnd) && (HWND)hdc == hWnd ? 1 : 0; }

int ChoosePixelFormat(HDC hdc, const PIXELFORMATDESCRIPTOR* want) {
  WindowRecord* r = windowOf(hdc);
  return r ? windowSystem()->choosePixelFormat(*r, *want) : 0;
}

// A window's format is set once.
BOOL SetPixelFormat(HDC hdc, int format, const PIXELFORMATDESCRIPTOR*) {
  WindowRecord* r = windowOf(hdc);
  if (!r || r->pixelFormat != 0 || !windowSystem()->setPixelFormat(*r, format)) return FALSE;
  r->pixelFormat = format;
  return TRUE;
}

HGLRC wglCreateContext(HDC hdc) {
  WindowRecord* r = windowOf(hdc);
  if (!r || r->pixelFormat == 0) return NULL;
  HGLRC context = windowSystem()->createContext(*r);
  if (context) state().contexts.insert(context);
  return context;
}

BOOL wglMakeCurrent(HDC hdc, HGLRC rc) {
  const WindowSystem* ws = windowSystem();
  if (!ws) return FALSE;
  if (!rc) return ws->makeCurrent(nullptr, NULL) ? TRUE : FALSE;
  WindowRecord* r = windowOf(hdc);
  if (!r || !state().contexts.count(rc)) return FALSE;
  return ws->makeCurrent(r, rc) ? TRUE : FALSE;
}

BOOL wglDeleteContext(HGLRC rc) {
  const WindowSystem* ws = windowSystem();
  if (!ws || !state().contexts.erase(rc)) return FALSE;
  ws->deleteContext(rc);
  return TRUE;
}

BOOL SwapBuffers(HDC hdc) {
  WindowRecord* r = windowOf(hdc);
  if (!r || r->pixelFormat == 0) return FALSE;
  return windowSystem()->swapBuffers(*r) ? TRUE : FALSE;
}

// Only the one extension call the program asks for; NULL when the window system has none.
PROC wglGetProcAddress(LPCSTR name) {
  const WindowSystem* ws = windowSystem();
  if (!ws || strcmp(name, "wglSwapIntervalEXT") != 0 || !ws->swapInterval) return NULL;
  return reinterpret_cast<PROC>(reinterpret_cast<void*>(ws->swapInterval));
}
