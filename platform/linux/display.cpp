// The display: the one X connection and its atoms, X error trapping, the cursor, and the
// display's size and colour depth (system metrics and the current display mode).
// Hosted by a screen-saver daemon, the display is the daemon's window and the pointer is not read.
// Implements ShowCursor, GetCursorPos, GetSystemMetrics and EnumDisplaySettingsA for the calls
// the program makes; the display mode is only read, never changed.
#include <X11/XKBlib.h>

#include "platform/linux/x11.h"

namespace x11 {

State& state() {
  static State s;  // built on first use: static initialisation of the program calls in early
  return s;
}

namespace {

void internAtoms(Display* d, Atoms& a) {
  const char* names[] = {
      "WM_PROTOCOLS",        "WM_DELETE_WINDOW",    "_NET_WM_NAME",
      "UTF8_STRING",         "_NET_WM_STATE",       "_NET_WM_STATE_FULLSCREEN",
      "_NET_WM_STATE_ABOVE", "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DIALOG"};
  Atom* out[] = {&a.wmProtocols,     &a.wmDeleteWindow,  &a.netWmName,
                 &a.utf8String,      &a.netWmState,      &a.netWmStateFullscreen,
                 &a.netWmStateAbove, &a.netWmWindowType, &a.netWmWindowTypeDialog};
  const int n = (int)(sizeof names / sizeof names[0]);
  Atom atoms[n];
  XInternAtoms(d, (char**)names, n, False, atoms);
  for (int i = 0; i < n; ++i) *out[i] = atoms[i];
}

int recordError(Display* display, XErrorEvent* error) {
  State& s = state();
  if (s.trapDisplay == display && error->serial >= s.trapFirstSerial && s.trapCode == 0)
    s.trapCode = error->error_code;
  return 0;  // errors outside a trap belong to calls that have returned; they are dropped
}

Cursor invisibleCursor(Display* d) {
  Cursor& cursor = state().invisibleCursor;
  if (!cursor) {
    char empty[1] = {0};
    Pixmap blank = XCreateBitmapFromData(d, DefaultRootWindow(d), empty, 1, 1);
    XColor black = {};
    cursor = XCreatePixmapCursor(d, blank, blank, &black, &black, 0, 0);
    XFreePixmap(d, blank);
  }
  return cursor;
}

}  // namespace

Display* display() {
  State& s = state();
  if (!s.displayTried) {
    s.displayTried = true;
    installErrorHandler();
    s.display = XOpenDisplay(NULL);
    if (s.display) {
      internAtoms(s.display, s.atoms);
      // Held keys then repeat their press alone, as on Windows.
      XkbSetDetectableAutoRepeat(s.display, True, nullptr);
    }
  }
  return s.display;
}

void installErrorHandler() {
  static bool installed;
  if (!installed) XSetErrorHandler(recordError);
  installed = true;
}

// Errors are told apart by request serial, so neither end of a trap waits for the server:
// earlier requests' errors have smaller serials, and later ones belong to calls that did not ask.
ErrorTrap::ErrorTrap(Display* display)
    : display_(display),
      outerDisplay_(state().trapDisplay),
      outerSerial_(state().trapFirstSerial),
      outerCode_(state().trapCode) {
  installErrorHandler();
  State& s = state();
  s.trapDisplay = display_;
  s.trapFirstSerial = NextRequest(display_);
  s.trapCode = 0;
}

ErrorTrap::~ErrorTrap() {
  State& s = state();
  s.trapDisplay = outerDisplay_;
  s.trapFirstSerial = outerSerial_;
  s.trapCode = outerCode_;
}

bool ErrorTrap::failed() {
  XSync(display_, False);
  return state().trapCode != 0;
}

void windowSize(Window window, int* width, int* height) {
  Display* d = display();
  XWindowAttributes a;
  ErrorTrap trap(d);
  bool known = XGetWindowAttributes(d, window, &a);
  *width = known ? a.width : DisplayWidth(d, DefaultScreen(d));
  *height = known ? a.height : DisplayHeight(d, DefaultScreen(d));
}

void applyCursor(Window window) {
  Display* d = display();
  ErrorTrap trap(d);
  if (state().cursorCount < 0)
    XDefineCursor(d, window, invisibleCursor(d));
  else
    XUndefineCursor(d, window);
}

}  // namespace x11

using namespace x11;

int ShowCursor(BOOL show) {
  State& s = state();
  bool wasShown = s.cursorCount >= 0;
  s.cursorCount += show ? 1 : -1;
  if (display() && wasShown != (s.cursorCount >= 0)) {
    for (auto& entry : s.windows) applyCursor(entry.first);
    XFlush(display());
  }
  return s.cursorCount;
}

// Hosted by a daemon, the pointer is the daemon's business: its position is not read.
BOOL GetCursorPos(LPPOINT point) {
  Display* d = display();
  if (!d || state().hostWindow) return FALSE;
  Window root, child;
  int rootX, rootY, x, y;
  unsigned int mask;
  if (!XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rootX, &rootY, &x, &y, &mask))
    return FALSE;  // the pointer is on another screen
  point->x = rootX;
  point->y = rootY;
  return TRUE;
}

// The display is the screen, or the daemon's window when it hosts the program.
int GetSystemMetrics(int index) {
  Display* d = display();
  if (!d) return 0;
  int width = DisplayWidth(d, DefaultScreen(d)), height = DisplayHeight(d, DefaultScreen(d));
  if (state().hostWindow) windowSize(state().hostWindow, &width, &height);
  return index == SM_CXSCREEN ? width : index == SM_CYSCREEN ? height : 0;
}

// The current mode of the default screen: its colour depth (the mode is never changed here).
BOOL EnumDisplaySettingsA(LPCSTR deviceName, DWORD modeNum, DEVMODEA* mode) {
  Display* d = display();
  if (!d || deviceName || modeNum != ENUM_CURRENT_SETTINGS) return FALSE;
  mode->dmBitsPerPel = (DWORD)DefaultDepth(d, DefaultScreen(d));
  return TRUE;
}
