// X windows of the program: creating and destroying them, their hints for a window manager,
// showing, stacking and focusing them, moving one into a foreign parent (the preview's), and
// hosting in a daemon's window, whose size our windows inside it follow.
#include <X11/Xatom.h>
#include <string.h>
#include <strings.h>
#include <time.h>

#include "platform/linux/x11/x11.h"

namespace x11 {

// Used by the EWMH client message that changes _NET_WM_STATE.
const long _NET_WM_STATE_ADD = 1;

void forgetWindow(Window id) {
  state().goneWindows.insert(id);
  WindowRecord* r = findWindow(id);
  if (!r) return;
  XFreeColormap(display(), nativeOf(*r).colormap);
  delete &nativeOf(*r);
  layer::forgetWindow(r->handle);
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

Window createXWindow(Display* d, WindowRecord& r, XWindow& n, int x, int y, bool fullScreen) {
  Window root = DefaultRootWindow(d);
  if (!chooseWindowVisual(&n.visual, &n.depth)) {
    n.visual = DefaultVisual(d, DefaultScreen(d));
    n.depth = DefaultDepth(d, DefaultScreen(d));
  }
  n.colormap = XCreateColormap(d, root, n.visual, AllocNone);
  XSetWindowAttributes a;
  a.colormap = n.colormap;
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
      XCreateWindow(d, root, x, y, r.width, r.height, 0, n.depth, InputOutput, n.visual, mask, &a);
  if (trap.failed()) {
    XFreeColormap(d, n.colormap);
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

bool createWindow(WindowRecord& r, const char* title, int x, int y,
                  const std::vector<Output>& outputs) {
  Display* d = display();
  // The show's window is on the primary monitor, whose origin is the origin of the Win32 screen.
  const Output& m = outputs.front();
  if (r.fullScreen) x += m.x, y += m.y;
  XWindow* n = new XWindow;
  Window id = createXWindow(d, r, *n, x, y, r.fullScreen);
  if (!id) {
    delete n;
    return false;
  }
  r.handle = toHwnd(id);
  r.native = n;
  setHints(d, id, title, r.fullScreen);
  if (r.fullScreen) beginFullScreen(id, outputs);
  XFlush(d);
  return true;
}

bool destroyWindow(WindowRecord& r) {
  Display* d = display();
  Window id = idOf(r);
  if (id == state().fullScreen) endFullScreen();
  ErrorTrap trap(d);
  XDestroyWindow(d, id);
  bool destroyed = !trap.failed();  // fails when the server destroyed it first
  forgetWindow(id);
  XFlush(d);
  return destroyed;
}

bool windowExists(HWND hWnd) {
  uintptr_t id = (uintptr_t)hWnd;
  Display* d = display();
  if (id > 0x1fffffff) return false;  // X ids have 29 bits
  XWindowAttributes attributes;
  ErrorTrap trap(d);  // a window that is gone answers with an error, not a reply
  if (XGetWindowAttributes(d, (Window)id, &attributes)) return true;
  forgetWindow((Window)id);
  return false;
}

// The window moves to the new parent's top left corner (a preview's window covers its parent
// from there, as on Windows); inside the daemon's window it also fills it.
bool setParent(WindowRecord& r, HWND newParent) {
  Display* d = display();
  ErrorTrap trap(d);
  XReparentWindow(d, idOf(r), toWindow(newParent), 0, 0);
  if (trap.failed()) return false;
  if (toWindow(newParent) == state().hostWindow) {
    r.parent = newParent;
    XSelectInput(d, state().hostWindow, StructureNotifyMask);  // its size changes (events.cpp)
    fitToHost();
  }
  return true;
}

void fitToHost() {
  State& s = state();
  int width, height;
  windowSize(s.hostWindow, &width, &height);
  for (auto& entry : layer::state().windows)
    if (entry.second.parent == toHwnd(s.hostWindow))
      XResizeWindow(display(), idOf(entry.second), width, height);
}

void showWindow(WindowRecord& r) {
  Display* d = display();
  Window id = idOf(r);
  bool fullScreen = id == state().fullScreen;
  if (fullScreen) prepareFullScreen();
  {
    ErrorTrap trap(d);
    XMapRaised(d, id);
  }
  waitUntilMapped(d, id);
  if (fullScreen) holdDesk();
}

bool focusWindow(WindowRecord& r, bool raise) {
  Display* d = display();
  if (raise) {
    ErrorTrap trap(d);
    XRaiseWindow(d, idOf(r));
  }
  return focus(d, idOf(r));
}

bool keepOnTop(WindowRecord& r) {
  Display* d = display();
  ErrorTrap trap(d);
  requestWmState(d, idOf(r), state().atoms.netWmStateAbove);
  XRaiseWindow(d, idOf(r));
  return !trap.failed();
}

// A daemon's window, or with `--root` alone the root window: the setting names it as the
// preview's parent.
bool beginHosting(const layer::Launch& launch) {
  Window host = launch.windowNamed ? launch.window : DefaultRootWindow(display());
  state().hostWindow = host;
  layer::state().hostParent = toHwnd(host);
  return host != 0;
}

}  // namespace x11
