// The mouse cursor: its position on the screen, and hiding it over our windows.
#include "platform/linux/xwin.h"

static int displayCount;  // ShowCursor's count; the cursor shows while it is 0 or more

static Cursor invisibleCursor(Display* display) {
  static Cursor cursor;
  if (!cursor) {
    Window root = RootWindow(display, DefaultScreen(display));
    char empty[1] = {0};
    Pixmap blank = XCreateBitmapFromData(display, root, empty, 1, 1);
    XColor black = {};
    cursor = XCreatePixmapCursor(display, blank, blank, &black, &black, 0, 0);
    XFreePixmap(display, blank);
  }
  return cursor;
}

void applyCursor(Display* display, Window window) {
  XErrorTrap trap(display);
  if (displayCount < 0)
    XDefineCursor(display, window, invisibleCursor(display));
  else
    XUndefineCursor(display, window);
}

int ShowCursor(BOOL show) {
  bool wasShown = displayCount >= 0;
  displayCount += show ? 1 : -1;
  Display* display = xDisplay();
  if (display && wasShown != (displayCount >= 0)) {
    for (Window w : ourWindowIds()) applyCursor(display, w);
    XFlush(display);
  }
  return displayCount;
}

BOOL GetCursorPos(LPPOINT point) {
  Display* display = xDisplay();
  if (!display || !point) return FALSE;
  Window root, child;
  int rootX, rootY, x, y;
  unsigned int mask;
  if (!XQueryPointer(display, RootWindow(display, DefaultScreen(display)), &root, &child, &rootX,
                     &rootY, &x, &y, &mask))
    return FALSE;  // the pointer is on another screen
  point->x = rootX;
  point->y = rootY;
  return TRUE;
}
