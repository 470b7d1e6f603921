// X events of our windows turned into window messages.
#include <string.h>

#include "platform/linux/xwin.h"

namespace {

LPARAM sizeParam(int width, int height) {
  return (LPARAM)(((height & 0xffff) << 16) | (width & 0xffff));
}

WPARAM activation(WORD state, bool minimised) {
  return (WPARAM)(state | ((minimised ? 1u : 0u) << 16));
}

// Iconifying unmaps the window; it counts as minimised until it is mapped again.
void minimise(WindowRecord& r) {
  if (r.minimised || !r.shown) return;
  r.minimised = true;
  HWND hWnd = toHwnd(r.id);
  sendMessage(hWnd, WM_ACTIVATE, activation(WA_INACTIVE, true), 0);
  if (findWindow(hWnd)) sendMessage(hWnd, WM_SIZE, SIZE_MINIMIZED, 0);
}

void restore(WindowRecord& r) {
  if (!r.minimised) return;
  r.minimised = false;
  HWND hWnd = toHwnd(r.id);
  sendMessage(hWnd, WM_SIZE, SIZE_RESTORED, sizeParam(r.width, r.height));
  if (findWindow(hWnd)) sendMessage(hWnd, WM_ACTIVATE, activation(WA_ACTIVE, false), 0);
}

void resize(WindowRecord& r, int width, int height) {
  if (width == r.width && height == r.height) return;
  r.width = width;
  r.height = height;
  sendMessage(toHwnd(r.id), WM_SIZE, SIZE_RESTORED, sizeParam(width, height));
}

bool isCloseRequest(Display* display, const XClientMessageEvent& e) {
  return e.format == 32 && e.message_type == XInternAtom(display, "WM_PROTOCOLS", False) &&
         (Atom)e.data.l[0] == XInternAtom(display, "WM_DELETE_WINDOW", False);
}

void translate(Display* display, XEvent& e) {
  WindowRecord* r = findWindow(e.xany.window);
  if (!r) return;  // not ours, or already destroyed
  switch (e.type) {
    case KeyPress:
    case KeyRelease:
      translateKeyEvent(display, e.xkey);
      break;
    case ButtonPress:
    case ButtonRelease:
      translateButtonEvent(e.xbutton);
      break;
    case MotionNotify:
      translateMotionEvent(e.xmotion);
      break;
    case ConfigureNotify:
      if (e.xconfigure.window == r->id) resize(*r, e.xconfigure.width, e.xconfigure.height);
      break;
    case UnmapNotify:
      if (e.xunmap.window == r->id) minimise(*r);
      break;
    case MapNotify:
      if (e.xmap.window == r->id) restore(*r);
      break;
    case DestroyNotify:
      if (e.xdestroywindow.window == r->id) forgetWindow(r->id);
      break;
    case ClientMessage:
      if (isCloseRequest(display, e.xclient)) sendMessage(toHwnd(r->id), WM_CLOSE, 0, 0);
      break;
  }
}

}  // namespace

void pumpXEvents(Display* display) {
  while (XPending(display)) {
    XEvent e;
    XNextEvent(display, &e);
    translate(display, e);
  }
}
