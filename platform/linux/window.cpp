// Windows: classes, creating and destroying them, their hints for a window manager, showing,
// stacking and focusing them, and moving one into a foreign parent (the preview's).
// Implements RegisterClassA, UnregisterClassA, LoadIconA, LoadCursorA, AdjustWindowRectEx,
// CreateWindowExA, DestroyWindow, IsWindow, SetParent, SetWindowLongA (GWL_STYLE), ShowWindow
// (SW_SHOW), SetForegroundWindow, SetFocus and SetWindowPos (HWND_TOPMOST) for the calls the
// program makes. A window keeps the size and place it was made with, except that SetParent moves
// it into its new parent's corner, and inside a daemon's window it follows that window's size.
#include <X11/Xatom.h>
#include <string.h>
#include <strings.h>
#include <time.h>

#include "platform/linux/x11.h"

namespace x11 {

// Used by the EWMH client message that changes _NET_WM_STATE.
const long _NET_WM_STATE_ADD = 1;

// Windows' frame metrics at 96 dpi, so a window laid out for Windows gets the same size here.
const int FRAME_EDGE = 8;
const int CAPTION_HEIGHT = 23;
const DWORD WS_CAPTION = 0x00C00000u;

bool NoCaseLess::operator()(const std::string& a, const std::string& b) const {
  return strcasecmp(a.c_str(), b.c_str()) < 0;
}

WindowRecord* findWindow(Window id) {
  auto it = state().windows.find(id);
  return it == state().windows.end() ? nullptr : &it->second;
}

void forgetWindow(Window id) {
  state().goneWindows.insert(id);
  WindowRecord* r = findWindow(id);
  if (!r) return;
  XFreeColormap(display(), r->colormap);
  state().windows.erase(id);
}

// Window titles are ANSI text (Latin-1 here); _NET_WM_NAME wants UTF-8.
void setWindowTitle(Display* d, Window window, const char* title) {
  XStoreName(d, window, title);
  std::string utf8;
  for (const unsigned char* p = (const unsigned char*)title; *p; ++p) {
    if (*p >= 0x80) utf8 += (char)(0xC0 | (*p >> 6));
    utf8 += (char)(*p < 0x80 ? *p : 0x80 | (*p & 0x3F));
  }
  XChangeProperty(d, window, state().atoms.netWmName, state().atoms.utf8String, 8, PropModeReplace,
                  (const unsigned char*)utf8.data(), (int)utf8.size());
}

namespace {

// What a window manager reads: the class, the close protocol, and the show's own hints.
void setHints(Display* d, Window w, const char* title, bool fullScreen) {
  const Atoms& a = state().atoms;
  setWindowTitle(d, w, title);
  char name[] = "dravik", className[] = "Dravik";
  XClassHint hint = {name, className};
  XSetClassHint(d, w, &hint);
  Atom protocols[] = {a.wmDeleteWindow};
  XSetWMProtocols(d, w, protocols, 1);
  if (fullScreen) setFullScreenHints(d, w);
}

Window createXWindow(Display* d, WindowRecord& r, int x, int y, bool fullScreen) {
  Window root = DefaultRootWindow(d);
  if (!chooseWindowVisual(&r.visual, &r.depth)) {
    r.visual = DefaultVisual(d, DefaultScreen(d));
    r.depth = DefaultDepth(d, DefaultScreen(d));
  }
  r.colormap = XCreateColormap(d, root, r.visual, AllocNone);
  XSetWindowAttributes a;
  a.colormap = r.colormap;
  a.border_pixel = 0;
  // OpenGL paints every pixel. Until the first frame (message boxes may come first) the show's
  // window is black; other windows show what was there, with no flash of a background.
  a.background_pixmap = None;
  a.background_pixel = 0;
  // Hosted by a daemon, the input is the daemon's: our window asks for none of it.
  bool hosted = state().hostWindow != 0;
  a.event_mask = StructureNotifyMask;
  if (!hosted) a.event_mask |= KeyPressMask | KeyReleaseMask | ButtonPressMask | PointerMotionMask;
  a.override_redirect = (fullScreen && fullScreenBypassesManager()) || hosted ? True : False;
  unsigned long mask = CWColormap | CWBorderPixel | CWEventMask | CWOverrideRedirect |
                       (fullScreen ? CWBackPixel : CWBackPixmap);
  ErrorTrap trap(d);
  Window w =
      XCreateWindow(d, root, x, y, r.width, r.height, 0, r.depth, InputOutput, r.visual, mask, &a);
  if (trap.failed()) {
    XFreeColormap(d, r.colormap);
    return 0;
  }
  return w;
}

const int WINDOW_GONE = -1;

// IsUnmapped, IsUnviewable or IsViewable; WINDOW_GONE once the server has destroyed it (a
// preview's window goes with its parent).
int mapState(Display* d, Window window) {
  XWindowAttributes a;
  ErrorTrap trap(d);
  return XGetWindowAttributes(d, window, &a) ? a.map_state : WINDOW_GONE;
}

double monotonicSeconds() {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (double)now.tv_sec + (double)now.tv_nsec / 1e9;
}

// Mapping is asynchronous and focus can only go to a viewable window. Without a window
// manager the map is done at once, with one it takes a moment: up to a second of wall time,
// however slowly a busy machine answers, and not at all once the window is gone.
void waitUntilMapped(Display* d, Window window) {
  const double deadline = monotonicSeconds() + 1.0;
  while (mapState(d, window) == IsUnmapped && monotonicSeconds() < deadline) {
    struct timespec pause = {0, 5 * 1000 * 1000};
    nanosleep(&pause, nullptr);
  }
}

// Hosted by a daemon, the keyboard stays where the daemon put it.
bool focus(Display* d, Window window) {
  if (state().hostWindow || mapState(d, window) != IsViewable) return false;
  ErrorTrap trap(d);
  XSetInputFocus(d, window, RevertToParent, CurrentTime);
  return !trap.failed();
}

}  // namespace

// A window of ours that a window manager shows: it takes the keyboard when activated, and it was
// opened now, by the user's doing (the time stamp of a property change on it, in server time).
Time manageWithInput(Display* d, Window w) {
  XWMHints hints = {};
  hints.flags = InputHint;
  hints.input = True;
  XSetWMHints(d, w, &hints);
  Atom userTime = state().atoms.netWmUserTime;
  XWindowAttributes a;
  XGetWindowAttributes(d, w, &a);
  XSelectInput(d, w, a.your_event_mask | PropertyChangeMask);
  XChangeProperty(d, w, userTime, XA_CARDINAL, 32, PropModeAppend, nullptr, 0);
  XEvent e;
  XWindowEvent(d, w, PropertyChangeMask, &e);
  XSelectInput(d, w, a.your_event_mask);
  long now = (long)e.xproperty.time;
  XChangeProperty(d, w, userTime, XA_CARDINAL, 32, PropModeReplace, (unsigned char*)&now, 1);
  return e.xproperty.time;
}

namespace {

// An EWMH request about a window, sent to the window manager through the root window; without
// a manager nothing happens.
void askWindowManager(Display* d, Window window, Atom request, long l0, long l1, long l3) {
  XEvent e = {};
  e.xclient.type = ClientMessage;
  e.xclient.window = window;
  e.xclient.message_type = request;
  e.xclient.format = 32;
  e.xclient.data.l[0] = l0;
  e.xclient.data.l[1] = l1;
  e.xclient.data.l[3] = l3;
  XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

}  // namespace

void requestWmState(Display* d, Window window, Atom wmState) {
  askWindowManager(d, window, state().atoms.netWmState, _NET_WM_STATE_ADD, (long)wmState,
                   SOURCE_APPLICATION);
}

namespace {

// A property's value when it has the type and format asked for (for format 32, as longs), empty
// when the window or the property is missing.
std::string propertyValue(Display* d, Window w, Atom property, Atom type, int format) {
  Atom actualType;
  int actualFormat;
  unsigned long count, after;
  unsigned char* data = nullptr;
  std::string value;
  ErrorTrap trap(d);
  if (XGetWindowProperty(d, w, property, 0, 64, False, type, &actualType, &actualFormat, &count,
                         &after, &data) == Success &&
      data && actualType == type && actualFormat == format)
    value.assign((const char*)data, count * (format == 32 ? sizeof(long) : format / 8));
  if (data) XFree(data);
  return value;
}

// The window a property names; 0 when it names none.
Window windowProperty(Display* d, Window w, Atom property) {
  std::string v = propertyValue(d, w, property, XA_WINDOW, 32);
  long named = 0;
  if (v.size() == sizeof named) memcpy(&named, v.data(), sizeof named);
  return (Window)named;
}

}  // namespace

// The manager names itself on a window of its own, which names itself in turn (a stale
// property outlives a manager that has gone).
std::string windowManagerName(Display* d) {
  const Atoms& a = state().atoms;
  Window check = windowProperty(d, DefaultRootWindow(d), a.netSupportingWmCheck);
  if (!check || windowProperty(d, check, a.netSupportingWmCheck) != check) return "";
  return propertyValue(d, check, a.netWmName, a.utf8String, 8);
}

// As the user's own request at that time would.
void activateWindow(Display* d, Window window, Time userTime) {
  askWindowManager(d, window, state().atoms.netActiveWindow, SOURCE_APPLICATION, (long)userTime, 0);
}

}  // namespace x11

using namespace x11;

ATOM RegisterClassA(const WNDCLASSA* wc) {
  if (!state().classes.emplace(wc->lpszClassName, wc->lpfnWndProc).second) return 0;  // taken
  return 0xC000;  // where Windows numbers registered classes from
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
  return state().classes.erase(className) ? TRUE : FALSE;
}

// Icons and cursors of a class are not shown on X; any non-null handle will do.
HICON LoadIconA(HINSTANCE, LPCSTR) { return (HICON)(uintptr_t)1; }
HCURSOR LoadCursorA(HINSTANCE, LPCSTR) { return (HCURSOR)(uintptr_t)1; }

// The window manager frames X windows from outside; this grows the rectangle by the frame
// Windows would draw, so that the preview's window has the same size on both systems.
BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL, DWORD) {
  if ((style & WS_CAPTION) != WS_CAPTION) return TRUE;
  rect->left -= FRAME_EDGE;
  rect->top -= FRAME_EDGE + CAPTION_HEIGHT;
  rect->right += FRAME_EDGE;
  rect->bottom += FRAME_EDGE;
  return TRUE;
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU, HINSTANCE, LPVOID) {
  Display* d = display();
  auto cls = state().classes.find(className);
  if (!d || cls == state().classes.end()) return NULL;
  WindowRecord r;
  r.proc = cls->second;
  r.style = style;
  r.width = width > 0 ? width : 1;
  r.height = height > 0 ? height : 1;
  // The show's full-screen window: on the primary monitor, whose origin is the origin of the
  // Win32 screen; no window manager may move, frame or resize it, so it bypasses the manager.
  std::vector<Monitor> all = monitors();  // asked once: each asking is several round trips
  const Monitor& m = all.front();
  bool fullScreen = isFullScreenRequest(m, style, parent, x, y, r.width, r.height);
  r.id = createXWindow(d, r, fullScreen ? m.x + x : x, fullScreen ? m.y + y : y, fullScreen);
  if (!r.id) return NULL;
  setHints(d, r.id, title, fullScreen);
  state().windows[r.id] = r;
  if (fullScreen) beginFullScreen(r.id, all);
  applyCursor(r.id);
  XFlush(d);
  // Windows sends the new size while creating the window.
  HWND hWnd = toHwnd(r.id);
  sendMessage(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.width, r.height));
  return hWnd;
}

BOOL DestroyWindow(HWND hWnd) {
  WindowRecord* r = findWindow(hWnd);
  if (!r) return FALSE;
  Display* d = display();
  if (r->id == state().fullScreen) endFullScreen();
  ErrorTrap trap(d);
  XDestroyWindow(d, r->id);
  bool destroyed = !trap.failed();  // fails when the server destroyed it first
  forgetWindow(r->id);
  XFlush(d);
  return destroyed ? TRUE : FALSE;
}

BOOL IsWindow(HWND hWnd) {
  uintptr_t id = (uintptr_t)hWnd;
  Display* d = display();
  if (id == 0 || id > 0x1fffffff || !d) return FALSE;  // X ids have 29 bits
  XWindowAttributes attributes;
  ErrorTrap trap(d);  // a window that is gone answers with an error, not a reply
  if (XGetWindowAttributes(d, (Window)id, &attributes)) return TRUE;
  forgetWindow((Window)id);
  return FALSE;
}

// The window moves to the new parent's top left corner (a preview's window covers its parent
// from there, as on Windows); inside the daemon's window it also fills it.
HWND SetParent(HWND child, HWND newParent) {
  WindowRecord* r = findWindow(child);
  Display* d = display();
  if (!r || !d) return NULL;
  Window old = r->parent ? r->parent : DefaultRootWindow(d);
  ErrorTrap trap(d);
  XReparentWindow(d, r->id, toWindow(newParent), 0, 0);
  if (trap.failed()) return NULL;
  r->parent = toWindow(newParent);
  if (r->parent == state().hostWindow) {
    XSelectInput(d, r->parent, StructureNotifyMask);  // its size changes (events.cpp)
    fitToHost();
  }
  return toHwnd(old);
}

void x11::fitToHost() {
  State& s = state();
  int width, height;
  windowSize(s.hostWindow, &width, &height);
  for (auto& entry : s.windows)
    if (entry.second.parent == s.hostWindow) XResizeWindow(display(), entry.first, width, height);
}

LONG SetWindowLongA(HWND hWnd, int index, LONG newLong) {
  WindowRecord* r = findWindow(hWnd);
  if (!r || index != GWL_STYLE) return 0;
  LONG old = (LONG)r->style;
  r->style = (DWORD)newLong;
  return old;
}

BOOL ShowWindow(HWND hWnd, int) {
  WindowRecord* r = findWindow(hWnd);
  if (!r) return FALSE;
  Display* d = display();
  BOOL wasVisible = r->shown;
  bool fullScreen = r->id == state().fullScreen;
  if (fullScreen) prepareFullScreen();
  {
    ErrorTrap trap(d);
    XMapRaised(d, r->id);
  }
  waitUntilMapped(d, r->id);
  if (fullScreen) holdDesk();
  r->shown = true;
  // Showing a top-level window activates it.
  if (!wasVisible && !r->parent) sendMessage(hWnd, WM_ACTIVATE, WA_ACTIVE, 0);
  return wasVisible;
}

BOOL SetForegroundWindow(HWND hWnd) {
  WindowRecord* r = findWindow(hWnd);
  if (!r) return FALSE;
  Display* d = display();
  {
    ErrorTrap trap(d);
    XRaiseWindow(d, r->id);
  }
  return focus(d, r->id) ? TRUE : FALSE;
}

// The program only hands its window the keyboard; which window had it before is not asked for.
HWND SetFocus(HWND hWnd) {
  WindowRecord* r = findWindow(hWnd);
  return r && focus(display(), r->id) ? hWnd : NULL;
}

// Only the stacking is used: HWND_TOPMOST puts the window above all others and keeps it there.
BOOL SetWindowPos(HWND hWnd, HWND insertAfter, int, int, int, int, UINT) {
  WindowRecord* r = findWindow(hWnd);
  if (!r || insertAfter != HWND_TOPMOST) return FALSE;
  Display* d = display();
  ErrorTrap trap(d);
  requestWmState(d, r->id, state().atoms.netWmStateAbove);
  XRaiseWindow(d, r->id);
  return trap.failed() ? FALSE : TRUE;
}
