// The standalone show's full-screen window and its hold on the desk while it is shown, as
// screen lockers hold it: the window covers the primary monitor and a black window the rest of
// the desk beneath it; it keeps the keyboard and the pointer for itself and stays above windows
// that open later; the X server's own blanking is held off; at the end the keyboard goes back to
// the window that had it. The message box (dialog.cpp) lends the keyboard and pointer while it
// is up. Hosted by a daemon, none of this happens: the daemon holds the desk.
#include <time.h>

#include "platform/linux/x11.h"

namespace x11 {
namespace {

const int GRAB_TRIES = 10;  // another client may hold a grab for a moment
const long GRAB_RETRY_NS = 50 * 1000 * 1000;

// Puts the show above everything, the cover right beneath it.
void raise(Display* d) {
  State& s = state();
  Window stack[] = {s.fullScreen, s.cover};
  ErrorTrap trap(d);
  XRaiseWindow(d, s.fullScreen);
  if (s.cover) XRestackWindows(d, stack, 2);
}

}  // namespace

bool isFullScreenRequest(DWORD style, HWND parent, int x, int y, int width, int height) {
  Monitor m = primaryMonitor();
  return !state().hostWindow && (style & WS_POPUP) && !(style & WS_CHILD) && parent == NULL &&
         x <= 0 && y <= 0 && x + width >= m.width && y + height >= m.height;
}

// The black cover is made only when the primary monitor leaves some of the screen uncovered.
void beginFullScreen(Window window) {
  State& s = state();
  Display* d = display();
  Monitor m = primaryMonitor();
  s.fullScreen = window;
  int width = DisplayWidth(d, DefaultScreen(d)), height = DisplayHeight(d, DefaultScreen(d));
  if (m.width >= width && m.height >= height) return;
  XSetWindowAttributes a;
  a.background_pixel = BlackPixel(d, DefaultScreen(d));
  a.override_redirect = True;
  s.cover = XCreateWindow(d, DefaultRootWindow(d), 0, 0, width, height, 0, CopyFromParent,
                          InputOutput, CopyFromParent, CWBackPixel | CWOverrideRedirect, &a);
  applyCursor(s.cover);
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
  if (s.cover) XMapWindow(display(), s.cover);
}

void holdDesk() {
  Display* d = display();
  raise(d);
  takeGrabs();
  holdOffBlanking(true);
  XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);  // windows that open later
}

// A window of another client was mapped or restacked: the show goes back on top.
void keepFullScreenOnTop(const XEvent& e) {
  State& s = state();
  Window changed = e.type == MapNotify ? e.xmap.window : e.xconfigure.window;
  if (s.fullScreen && changed != s.fullScreen && changed != s.cover) raise(display());
}

void endFullScreen() {
  State& s = state();
  Display* d = display();
  releaseGrabs();
  holdOffBlanking(false);
  XSelectInput(d, DefaultRootWindow(d), NoEventMask);
  ErrorTrap trap(d);
  if (s.cover) XDestroyWindow(d, s.cover);
  if (s.focusBefore != None && s.focusBefore != PointerRoot)  // it may be gone by now
    XSetInputFocus(d, s.focusBefore, RevertToParent, CurrentTime);
  s.fullScreen = s.cover = s.focusBefore = 0;
}

}  // namespace x11
