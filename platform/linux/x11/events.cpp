// X events of our windows turned into window messages and window changes: keys, mouse buttons,
// moves, size, iconify, the window manager's close request; and those of other windows that
// concern the show (one opening above it, the daemon's window changing size).
#include "platform/linux/x11/x11.h"

namespace x11 {
namespace {

layer::Held held(unsigned int state) {
  return {(state & Button1Mask) != 0, (state & Button2Mask) != 0, (state & Button3Mask) != 0,
          (state & ShiftMask) != 0, (state & ControlMask) != 0};
}

// ICCCM 4.2.8.1: the manager asks a window to close with WM_DELETE_WINDOW in WM_PROTOCOLS.
bool isCloseRequest(const XClientMessageEvent& e) {
  return e.message_type == state().atoms.wmProtocols &&
         (Atom)e.data.l[0] == state().atoms.wmDeleteWindow;
}

void translate(XEvent& e) {
  if (e.type == ConfigureNotify && e.xany.window == state().hostWindow) fitToHost();
  if ((e.type == MapNotify || e.type == ConfigureNotify) &&
      e.xany.window == DefaultRootWindow(display()))
    keepFullScreenOnTop(e);  // another client's window
  WindowRecord* r = findWindow(e.xany.window);
  if (!r) return;  // not ours, or already destroyed
  HWND hWnd = r->handle;
  switch (e.type) {
    case KeyPress:
    case KeyRelease:
      layer::keyEvent(hWnd, XLookupKeysym(&e.xkey, 0), e.type == KeyPress);
      break;
    case ButtonPress:  // buttons 1 to 3 are left, middle and right
      layer::buttonPressed(hWnd, (int)e.xbutton.button, held(e.xbutton.state), e.xbutton.x,
                           e.xbutton.y);
      break;
    case MotionNotify:
      layer::pointerMoved(hWnd, held(e.xmotion.state), e.xmotion.x, e.xmotion.y);
      break;
    case ConfigureNotify:
      layer::windowResized(*r, e.xconfigure.width, e.xconfigure.height);
      break;
    case UnmapNotify:
      layer::windowMinimised(*r);
      break;
    case MapNotify:
      layer::windowRestored(*r);
      break;
    case DestroyNotify:
      forgetWindow(e.xdestroywindow.window);
      break;
    case ClientMessage:
      if (isCloseRequest(e.xclient)) layer::closeRequested(hWnd);
      break;
  }
}

}  // namespace

// X never waits here: the swap interval paces the frames.
void pumpEvents(bool) {
  Display* d = display();
  while (XPending(d)) {
    XEvent e;
    XNextEvent(d, &e);
    translate(e);
  }
  reportErrors();  // after the events: a window's end comes before errors about it
}

}  // namespace x11
