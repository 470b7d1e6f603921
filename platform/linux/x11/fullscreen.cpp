// The standalone show's full-screen window and its hold on the desk while it is shown, as
// screen lockers hold it: the window covers the primary monitor and a black window the rest of
// the desk beneath it; it keeps the keyboard and the pointer for itself and stays above windows
// that open later; the X server's own blanking is held off; at the end the keyboard goes back to
// the window that had it. The message box (dialog.cpp) lends the keyboard and pointer while it
// is up. Hosted by a daemon, none of this happens: the daemon holds the desk.
// On Xwayland the compositor gives the keys only to the window it has activated, and never
// activates one that bypasses its window manager: there the show is a managed full-screen window
// that asks to be activated; a black window bypassing the manager covers each other monitor.
#include <X11/Xatom.h>
#include <time.h>

#include <algorithm>

#include "platform/linux/x11/x11.h"

namespace x11 {
namespace {

const int GRAB_TRIES = 10;  // another client may hold a grab for a moment
const long GRAB_RETRY_NS = 50 * 1000 * 1000;

Time userTime = CurrentTime;  // when the show was started, in the server's time

// Puts the show above everything, the covers right beneath it.
void raise(Display* d) {
  State& s = state();
  std::vector<Window> stack = {s.fullScreen};
  stack.insert(stack.end(), s.covers.begin(), s.covers.end());
  ErrorTrap trap(d);
  XRaiseWindow(d, s.fullScreen);
  if (stack.size() > 1) XRestackWindows(d, stack.data(), (int)stack.size());
}

// A managed window the manager shows full screen from the start, with the keyboard when active;
// the time it was opened.
Time setManagedFullScreenHints(Display* d, Window w) {
  const Atoms& a = state().atoms;
  Atom fullScreen = a.netWmStateFullscreen;
  XChangeProperty(d, w, a.netWmState, XA_ATOM, 32, PropModeReplace, (unsigned char*)&fullScreen, 1);
  long bypass = 1;  // the compositor may show it directly
  XChangeProperty(d, w, a.netWmBypassCompositor, XA_CARDINAL, 32, PropModeReplace,
                  (unsigned char*)&bypass, 1);
  return manageWithInput(d, w);
}

// Black, and bypassing any window manager: a cover needs no keys, and sway shows a managed one
// on the output it chooses (the show's), not on the one the cover is for.
Window blackWindow(Display* d, const Output& m) {
  XSetWindowAttributes a;
  a.background_pixel = BlackPixel(d, DefaultScreen(d));
  a.override_redirect = True;
  Window w = XCreateWindow(d, DefaultRootWindow(d), m.x, m.y, m.width, m.height, 0, CopyFromParent,
                           InputOutput, CopyFromParent, CWBackPixel | CWOverrideRedirect, &a);
  applyCursor(w);
  return w;
}

}  // namespace

bool fullScreenBypassesManager() { return !state().xwayland; }

void setFullScreenHints(Display* d, Window w) {
  if (fullScreenBypassesManager()) return;
  userTime = setManagedFullScreenHints(d, w);
}

// Black covers are made only where the primary monitor leaves some of the screen uncovered:
// one over the whole screen beneath the show, or on Xwayland one on each other monitor.
void beginFullScreen(Window window, const std::vector<Output>& all) {
  State& s = state();
  Display* d = display();
  s.fullScreen = window;
  int width = DisplayWidth(d, DefaultScreen(d)), height = DisplayHeight(d, DefaultScreen(d));
  if (all[0].width >= width && all[0].height >= height) return;
  if (fullScreenBypassesManager())
    s.covers.push_back(blackWindow(d, {0, 0, width, height, 0}));
  else
    for (size_t i = 1; i < all.size(); ++i) s.covers.push_back(blackWindow(d, all[i]));
}

void takeGrabs() {
  State& s = state();
  Display* d = display();
  struct timespec pause = {0, GRAB_RETRY_NS};
  bool keyboard = false, pointer = false;
  for (int i = 0; i < GRAB_TRIES && !(keyboard && pointer); ++i, nanosleep(&pause, nullptr)) {
    keyboard = keyboard || XGrabKeyboard(d, s.fullScreen, False, GrabModeAsync, GrabModeAsync,
                                         CurrentTime) == GrabSuccess;
    pointer = pointer ||
              XGrabPointer(d, s.fullScreen, False, ButtonPressMask | PointerMotionMask,
                           GrabModeAsync, GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
  }
  s.grabbed = true;  // a grab that failed leaves the show running without it
}

void releaseGrabs() {
  Display* d = display();
  XUngrabKeyboard(d, CurrentTime);
  XUngrabPointer(d, CurrentTime);
  XSync(d, False);
  state().grabbed = false;
}

void prepareFullScreen() {
  State& s = state();
  int revert;
  XGetInputFocus(display(), &s.focusBefore, &revert);
  for (Window cover : s.covers) XMapWindow(display(), cover);
}

void holdDesk() {
  Display* d = display();
  raise(d);
  if (!fullScreenBypassesManager()) {  // full screen once more, as some managers read it only so
    requestWmState(d, state().fullScreen, state().atoms.netWmStateFullscreen);
    activateWindow(d, state().fullScreen, userTime);
  }
  takeGrabs();
  holdOffBlanking(true);
  XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);  // windows that open later
}

// A window of another client was mapped or restacked: the show goes back on top.
void keepFullScreenOnTop(const XEvent& e) {
  State& s = state();
  Window changed = e.type == MapNotify ? e.xmap.window : e.xconfigure.window;
  bool ours = changed == s.fullScreen ||
              std::find(s.covers.begin(), s.covers.end(), changed) != s.covers.end();
  if (s.fullScreen && !ours) raise(display());
}

void endFullScreen() {
  State& s = state();
  Display* d = display();
  releaseGrabs();
  holdOffBlanking(false);
  XSelectInput(d, DefaultRootWindow(d), NoEventMask);
  ErrorTrap trap(d);
  for (Window cover : s.covers) XDestroyWindow(d, cover);
  s.covers.clear();
  if (s.focusBefore != None && s.focusBefore != PointerRoot)  // it may be gone by now
    XSetInputFocus(d, s.focusBefore, RevertToParent, CurrentTime);
  s.fullScreen = s.focusBefore = 0;
}

}  // namespace x11
