// Creating and destroying our windows, and telling whether a window (ours or not) exists.
#include <map>

#include "platform/linux/xwin.h"

namespace {

std::map<Window, WindowRecord>& windows() {
  static std::map<Window, WindowRecord> table;
  return table;
}

const long kEventMask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                        PointerMotionMask | StructureNotifyMask;

// A pop-up as large as the display is a full-screen window: no window manager may move,
// frame or resize it, so it bypasses the manager altogether.
bool coversDisplay(Display* display, DWORD style, HWND parent, int x, int y, int w, int h) {
  int screen = DefaultScreen(display);
  return (style & WS_POPUP) && !(style & WS_CHILD) && parent == NULL && x <= 0 && y <= 0 &&
         x + w >= DisplayWidth(display, screen) && y + h >= DisplayHeight(display, screen);
}

Window createXWindow(Display* display, WindowRecord& r, bool fullScreen) {
  Window root = RootWindow(display, DefaultScreen(display));
  if (!chooseWindowVisual(display, &r.visual, &r.depth)) {
    r.visual = DefaultVisual(display, DefaultScreen(display));
    r.depth = DefaultDepth(display, DefaultScreen(display));
  }
  r.colormap = XCreateColormap(display, root, r.visual, AllocNone);
  XSetWindowAttributes a;
  a.colormap = r.colormap;
  a.border_pixel = 0;
  a.background_pixmap = None;  // OpenGL paints every pixel; no flash of a background
  a.event_mask = kEventMask;
  a.override_redirect = fullScreen ? True : False;
  unsigned long mask = CWColormap | CWBorderPixel | CWBackPixmap | CWEventMask | CWOverrideRedirect;
  XErrorTrap trap(display);
  Window w = XCreateWindow(display, r.parent ? r.parent : root, r.x, r.y, r.width, r.height, 0,
                           r.depth, InputOutput, r.visual, mask, &a);
  if (trap.failed()) {
    XFreeColormap(display, r.colormap);
    return 0;
  }
  return w;
}

}  // namespace

WindowRecord* findWindow(Window id) {
  auto it = windows().find(id);
  return it == windows().end() ? nullptr : &it->second;
}

WindowRecord* findWindow(HWND hWnd) { return findWindow(toWindow(hWnd)); }

std::vector<Window> ourWindowIds() {
  std::vector<Window> ids;
  for (auto& entry : windows()) ids.push_back(entry.first);
  return ids;
}

bool classHasWindows(const std::string& className) {
  for (auto& entry : windows())
    if (entry.second.className == className) return true;
  return false;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU, HINSTANCE, LPVOID) {
  Display* display = xDisplay();
  WNDPROC proc = findClassProc(className);
  if (!display || !proc) return NULL;
  WindowRecord r;
  r.proc = proc;
  r.className = className;
  r.style = style;
  r.exStyle = exStyle;
  r.parent = toWindow(parent);
  r.x = x;
  r.y = y;
  r.width = width > 0 ? width : 1;
  r.height = height > 0 ? height : 1;
  bool fullScreen = coversDisplay(display, style, parent, x, y, r.width, r.height);
  r.id = createXWindow(display, r, fullScreen);
  if (!r.id) return NULL;

  setWindowTitle(display, r.id, title ? title : "");
  setCloseProtocol(display, r.id);
  if (fullScreen) setFullScreenHints(display, r.id);
  applyCursor(display, r.id);
  windows()[r.id] = r;
  XFlush(display);

  // Windows sends the new size while creating the window.
  HWND hWnd = toHwnd(r.id);
  sendMessage(hWnd, WM_SIZE, SIZE_RESTORED, (LPARAM)((r.height << 16) | (r.width & 0xffff)));
  return hWnd;
}

void forgetWindow(Window id) {
  WindowRecord* r = findWindow(id);
  if (!r) return;
  XFreeColormap(xDisplay(), r->colormap);
  windows().erase(id);
  dropMessagesOf(toHwnd(id));
}

BOOL DestroyWindow(HWND hWnd) {
  WindowRecord* r = findWindow(hWnd);
  if (!r) return FALSE;
  Display* display = xDisplay();
  XErrorTrap trap(display);
  XDestroyWindow(display, r->id);
  bool destroyed = !trap.failed();  // fails when the server destroyed it first
  forgetWindow(r->id);
  XFlush(display);
  return destroyed ? TRUE : FALSE;
}

BOOL IsWindow(HWND hWnd) {
  uintptr_t id = (uintptr_t)hWnd;
  Display* display = xDisplay();
  if (id == 0 || id > 0x1fffffff || !display) return FALSE;  // X ids have 29 bits
  XWindowAttributes attributes;
  XErrorTrap trap(display);  // a window that is gone answers with an error, not a reply
  if (XGetWindowAttributes(display, (Window)id, &attributes)) return TRUE;
  forgetWindow((Window)id);
  return FALSE;
}
