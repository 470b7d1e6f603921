// Moving our window into another window (the preview's parent) and changing its style.
#include "platform/linux/xwin.h"

HWND SetParent(HWND hWndChild, HWND hWndNewParent) {
  WindowRecord* r = findWindow(hWndChild);
  Display* display = xDisplay();
  if (!r || !display) return NULL;
  Window root = RootWindow(display, DefaultScreen(display));
  Window newParent = hWndNewParent ? toWindow(hWndNewParent) : root;
  Window oldParent = r->parent ? r->parent : root;
  XErrorTrap trap(display);
  // The window keeps its position, now counted within the new parent.
  XReparentWindow(display, r->id, newParent, r->x, r->y);
  if (trap.failed()) return NULL;
  r->parent = newParent == root ? 0 : newParent;
  return toHwnd(oldParent);
}

LONG SetWindowLongA(HWND hWnd, int index, LONG newLong) {
  WindowRecord* r = findWindow(hWnd);
  if (!r) return 0;
  const int kExStyle = -20;  // GWL_EXSTYLE
  DWORD* field = nullptr;
  if (index == GWL_STYLE) field = &r->style;
  if (index == kExStyle) field = &r->exStyle;
  if (!field) return 0;
  LONG old = (LONG)*field;
  *field = (DWORD)newLong;
  return old;
}
