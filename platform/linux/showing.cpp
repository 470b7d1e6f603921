// Showing, raising and focusing our windows.
#include <time.h>

#include "platform/linux/xwin.h"

namespace {

const int kHide = 0;            // SW_HIDE
const int kMinimize = 6;        // SW_MINIMIZE
const UINT kNoZOrder = 0x0004;  // SWP_NOZORDER
const HWND kTop = (HWND)0;
const HWND kBottom = (HWND)1;

int mapState(Display* display, Window window) {
  XWindowAttributes a;
  XErrorTrap trap(display);
  if (!XGetWindowAttributes(display, window, &a)) return IsUnmapped;
  return a.map_state;
}

// Mapping is asynchronous; focus can only go to a viewable window. Without a window
// manager the map is done at once, with one it takes a moment (bounded here).
void waitUntilMapped(Display* display, Window window) {
  for (int i = 0; i < 200 && mapState(display, window) == IsUnmapped; ++i) {
    struct timespec pause = {0, 5 * 1000 * 1000};
    nanosleep(&pause, nullptr);
  }
}

bool focus(Display* display, Window window) {
  if (mapState(display, window) != IsViewable) return false;
  XErrorTrap trap(display);
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  return !trap.failed();
}

}  // namespace

BOOL ShowWindow(HWND hWnd, int cmdShow) {
  WindowRecord* r = findWindow(hWnd);
  if (!r) return FALSE;
  Display* display = xDisplay();
  BOOL wasVisible = r->shown;
  if (cmdShow == kHide || cmdShow == kMinimize) {
    XErrorTrap trap(display);
    if (cmdShow == kHide) XUnmapWindow(display, r->id);
    if (cmdShow == kMinimize) XIconifyWindow(display, r->id, DefaultScreen(display));
    r->shown = false;
    return wasVisible;
  }
  {
    XErrorTrap trap(display);
    XMapRaised(display, r->id);
  }
  waitUntilMapped(display, r->id);
  r->shown = true;
  // Showing a top-level window activates it.
  if (!wasVisible && !r->parent) sendMessage(hWnd, WM_ACTIVATE, WA_ACTIVE, 0);
  return wasVisible;
}

BOOL SetForegroundWindow(HWND hWnd) {
  WindowRecord* r = findWindow(hWnd);
  if (!r) return FALSE;
  Display* display = xDisplay();
  {
    XErrorTrap trap(display);
    XRaiseWindow(display, r->id);
  }
  return focus(display, r->id) ? TRUE : FALSE;
}

HWND SetFocus(HWND hWnd) {
  Display* display = xDisplay();
  if (!display) return NULL;
  Window previous = 0;
  int revert = 0;
  XGetInputFocus(display, &previous, &revert);
  WindowRecord* r = findWindow(hWnd);
  if (!r || !focus(display, r->id)) return NULL;
  return findWindow(previous) ? toHwnd(previous) : NULL;
}

BOOL SetWindowPos(HWND hWnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  WindowRecord* r = findWindow(hWnd);
  if (!r) return FALSE;
  Display* display = xDisplay();
  XErrorTrap trap(display);
  if (!(flags & SWP_NOMOVE)) {
    r->x = x;
    r->y = y;
    XMoveWindow(display, r->id, x, y);
  }
  if (!(flags & SWP_NOSIZE) && cx > 0 && cy > 0) XResizeWindow(display, r->id, cx, cy);
  if (!(flags & kNoZOrder)) {
    if (insertAfter == HWND_TOPMOST) requestAbove(display, r->id);
    if (insertAfter == HWND_TOPMOST || insertAfter == kTop) XRaiseWindow(display, r->id);
    if (insertAfter == kBottom) XLowerWindow(display, r->id);
  }
  return trap.failed() ? FALSE : TRUE;
}
