// The display: the one X connection and its atoms, X error trapping, the cursor and the pointer's
// position, and the monitors' sizes and the colour depth. Hosted by a screen-saver daemon, the
// display is the daemon's window.
#include <X11/XKBlib.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/scrnsaver.h>
#include <math.h>
#include <stdio.h>
#include <string.h>

#include <utility>

#include "platform/linux/x11/x11.h"

namespace x11 {

State& state() {
  static State s;
  return s;
}

namespace {

void internAtoms(Display* d, Atoms& a) {
  const std::pair<const char*, Atom*> atoms[] = {
      {"WM_PROTOCOLS", &a.wmProtocols},
      {"WM_DELETE_WINDOW", &a.wmDeleteWindow},
      {"_NET_WM_NAME", &a.netWmName},
      {"UTF8_STRING", &a.utf8String},
      {"_NET_WM_STATE", &a.netWmState},
      {"_NET_WM_STATE_FULLSCREEN", &a.netWmStateFullscreen},
      {"_NET_WM_STATE_ABOVE", &a.netWmStateAbove},
      {"_NET_WM_BYPASS_COMPOSITOR", &a.netWmBypassCompositor},
      {"_NET_ACTIVE_WINDOW", &a.netActiveWindow},
      {"_NET_WM_USER_TIME", &a.netWmUserTime},
      {"_NET_WM_WINDOW_TYPE", &a.netWmWindowType},
      {"_NET_WM_WINDOW_TYPE_DIALOG", &a.netWmWindowTypeDialog},
      {"_MOTIF_WM_HINTS", &a.motifWmHints},
      {"_NET_SUPPORTING_WM_CHECK", &a.netSupportingWmCheck}};
  const int n = (int)(sizeof atoms / sizeof atoms[0]);
  char* names[n];
  Atom values[n];
  for (int i = 0; i < n; ++i) names[i] = (char*)atoms[i].first;
  XInternAtoms(d, names, n, False, values);  // one round trip for all
  for (int i = 0; i < n; ++i) *atoms[i].second = values[i];
}

// No request may be made from here: errors outside a trap wait for reportErrors.
int recordError(Display* display, XErrorEvent* error) {
  State& s = state();
  if (s.trapDisplay == display && error->serial >= s.trapFirstSerial) {
    if (s.trapCode == 0) s.trapCode = error->error_code;
  } else {  // the text now: a dialog's connection may be closed by the time it is reported
    char name[80], line[160];
    XGetErrorText(display, error->error_code, name, sizeof name);
    snprintf(line, sizeof line, "X error: %s, request %d.%d\n", name, error->request_code,
             error->minor_code);
    s.untrappedErrors.emplace_back(error->resourceid, line);
  }
  return 0;
}

// Whether a window the pointer is over is one that shows (not the root, not input-only).
bool showsOnScreen(Display* d, Window w) {
  XWindowAttributes a;
  ErrorTrap trap(d);
  return w != None && XGetWindowAttributes(d, w, &a) && a.c_class == InputOutput;
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

bool openDisplay() {
  State& s = state();
  installErrorHandler();
  s.display = XOpenDisplay(NULL);
  if (!s.display) return false;
  internAtoms(s.display, s.atoms);
  s.xwayland = isXwayland(s.display);
  // Held keys then repeat their press alone, as on Windows.
  XkbSetDetectableAutoRepeat(s.display, True, nullptr);
  return true;
}

void reportErrors() {
  State& s = state();
  for (const auto& [resource, line] : std::exchange(s.untrappedErrors, {}))
    if (!s.goneWindows.count(resource)) fputs(line.c_str(), stderr);
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

namespace {

// The refresh rate of the mode the monitor's first output shows, 0 when there is none.
int refreshOf(Display* d, const XRRMonitorInfo& m) {
  XRRScreenResources* res = XRRGetScreenResourcesCurrent(d, DefaultRootWindow(d));
  XRROutputInfo* output = m.noutput && res ? XRRGetOutputInfo(d, res, m.outputs[0]) : nullptr;
  XRRCrtcInfo* crtc = output && output->crtc ? XRRGetCrtcInfo(d, res, output->crtc) : nullptr;
  int hz = 0;
  for (int i = 0; crtc && i < res->nmode; ++i) {
    const XRRModeInfo& mode = res->modes[i];
    if (mode.id == crtc->mode && mode.hTotal && mode.vTotal)
      hz = (int)lround((double)mode.dotClock / ((double)mode.hTotal * mode.vTotal));
  }
  if (crtc) XRRFreeCrtcInfo(crtc);
  if (output) XRRFreeOutputInfo(output);
  if (res) XRRFreeScreenResources(res);
  return hz;
}

}  // namespace

std::vector<Output> monitors() {
  Display* d = display();
  std::vector<Output> list;
  if (Window host = state().hostWindow) {
    list.push_back({0, 0, 0, 0, 0});
    windowSize(host, &list[0].width, &list[0].height);
    return list;
  }
  int events, errors, count = 0;
  if (XRRQueryExtension(d, &events, &errors)) {
    XRRMonitorInfo* found = XRRGetMonitors(d, DefaultRootWindow(d), True, &count);
    int primary = 0;  // the first, when none is marked primary
    for (int i = 0; i < count; ++i)
      if (found[i].primary) primary = i;
    for (int k = 0; k < count; ++k) {
      const XRRMonitorInfo& m = found[(primary + k) % count];
      list.push_back({m.x, m.y, m.width, m.height, k == 0 ? refreshOf(d, m) : 0});
    }
    if (found) XRRFreeMonitors(found);
  }
  XineramaScreenInfo* heads =
      list.empty() && XineramaIsActive(d) ? XineramaQueryScreens(d, &count) : nullptr;
  for (int i = 0; heads && i < count; ++i)
    list.push_back({heads[i].x_org, heads[i].y_org, heads[i].width, heads[i].height, 0});
  if (heads) XFree(heads);
  if (list.empty())
    list.push_back(
        {0, 0, DisplayWidth(d, DefaultScreen(d)), DisplayHeight(d, DefaultScreen(d)), 0});
  return list;
}

bool isXwayland(Display* d) {
  int opcode, event, error;
  if (XQueryExtension(d, "XWAYLAND", &opcode, &event, &error)) return true;
  bool named = false;
  XRRScreenResources* res = XRRQueryExtension(d, &event, &error)
                                ? XRRGetScreenResourcesCurrent(d, DefaultRootWindow(d))
                                : nullptr;
  for (int i = 0; res && i < res->noutput && !named; ++i) {
    XRROutputInfo* output = XRRGetOutputInfo(d, res, res->outputs[i]);
    named = output && strncmp(output->name, "XWAYLAND", 8) == 0;
    if (output) XRRFreeOutputInfo(output);
  }
  if (res) XRRFreeScreenResources(res);
  return named;
}

void holdOffBlanking(bool hold) {
  int events, errors;
  if (XScreenSaverQueryExtension(display(), &events, &errors))
    XScreenSaverSuspend(display(), hold ? True : False);
}

void applyCursor(Window window) {
  Display* d = display();
  ErrorTrap trap(d);
  if (layer::state().cursorCount < 0)
    XDefineCursor(d, window, invisibleCursor(d));
  else
    XUndefineCursor(d, window);
}

void applyCursor(WindowRecord& r) {
  applyCursor(idOf(r));
  XFlush(display());
}

int colourDepth() { return DefaultDepth(display(), DefaultScreen(display())); }

// Xwayland knows where the pointer is only while it is over one of its windows, and catches up
// with the compositor's position when the compositor next tells it: as one of them appears under
// the pointer (mutter, weston), or only as the pointer moves (sway, KWin). So there, when the
// pointer was over none of them at the first reading, the first other place it reports is that
// catch-up and stands for the first reading; a place other than the catch-up's is a movement.
// (Xwayland's raw motion does not tell them apart: weston may send it with the catch-up.)
bool cursorPosition(POINT* point) {
  Display* d = display();
  State& s = state();
  Window root, child;
  int rootX, rootY, x, y;
  unsigned int mask;
  if (!XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rootX, &rootY, &x, &y, &mask))
    return false;  // the pointer is on another screen
  POINT now = {rootX, rootY};
  *point = now;
  if (!s.xwayland || s.pointerKnown) return true;
  auto at = [&now](const POINT& p) { return p.x == now.x && p.y == now.y; };
  if (!s.pointerAtStart) {
    s.pointerAtStart = now;
    s.pointerKnown = showsOnScreen(d, child);
  } else if (!s.catchUp && !at(*s.pointerAtStart)) {
    s.catchUp = now;
  } else if (s.catchUp && !at(*s.catchUp)) {
    s.pointerKnown = true;
  }
  if (!s.pointerKnown) *point = *s.pointerAtStart;
  return true;
}

}  // namespace x11
