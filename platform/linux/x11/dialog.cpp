// The message box on X11: a window of its own on a connection of its own, so that its events
// never mix with the program's messages, showing the box's picture (../dialog.cpp) through cairo.
// It bypasses any window manager, so it always opens on top of the show, centred on the primary
// monitor, and takes the keyboard (the show lends it, fullscreen.cpp). On Xwayland, where the
// compositor gives keys only to a window it has activated, it is a managed dialog instead,
// undecorated and transient for the show, which asks to be activated (and under KWin keeps the
// output beneath it changing while it is up, so that KWin shows it).
#include "platform/linux/dialog.h"

#include <X11/Xatom.h>
#include <X11/keysym.h>
#include <cairo-xlib.h>
#include <poll.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>

#include "platform/linux/x11/x11.h"

namespace x11 {
namespace {

struct Dialog {
  Display* display;
  Window window = 0;
  cairo_surface_t* surface = nullptr;
  layer::Box box;
  XRectangle beneath = {};       // the part of the show's window it covers
  bool repaintsBeneath = false;  // see repaintBeneath
  Time userTime = CurrentTime;   // when it opened, for the window manager (Xwayland)
};

// What a window manager needs to show the dialog above the show, where it was placed, as it is.
void setManagedHints(Dialog& d, int x, int y) {
  Display* display = d.display;
  const Atoms& a = state().atoms;
  if (state().fullScreen) XSetTransientForHint(display, d.window, state().fullScreen);
  Atom dialog = a.netWmWindowTypeDialog;
  XChangeProperty(display, d.window, a.netWmWindowType, XA_ATOM, 32, PropModeReplace,
                  (unsigned char*)&dialog, 1);
  XSizeHints size = {};
  size.flags = USPosition | PMinSize | PMaxSize;
  size.x = x;
  size.y = y;
  size.min_width = size.max_width = d.box.width;
  size.min_height = size.max_height = d.box.height;
  XSetWMNormalHints(display, d.window, &size);
  long noDecorations[5] = {2, 0, 0, 0, 0};  // Motif hints: decorations given, none
  XChangeProperty(display, d.window, a.motifWmHints, a.motifWmHints, 32, PropModeReplace,
                  (unsigned char*)noDecorations, 5);
  d.userTime = manageWithInput(display, d.window);
}

// KWin puts a new X window on screen only with the next repaint of the output where it stands,
// and while the show waits for the box nothing may change there: the box would stay black.
// Clearing the show's window beneath the box (it is black until the show's first frame) is such a
// change. The show is on the primary monitor, as the box is. Only under KWin: weston puts a
// full-screen window back above its dialogs whenever that window changes.
bool needsRepaintBeneath(Display* display) {
  return state().xwayland && state().fullScreen && windowManagerName(display) == "KWin";
}

void repaintBeneath(const Dialog& d) {
  if (!d.repaintsBeneath) return;
  ErrorTrap trap(d.display);
  const XRectangle& r = d.beneath;
  XClearArea(d.display, state().fullScreen, r.x, r.y, r.width, r.height, False);
}

void create(Dialog& d) {
  Display* x = d.display;
  int screen = DefaultScreen(x);
  Output m = monitors().front();
  XSetWindowAttributes a;
  a.background_pixel = WhitePixel(x, screen);
  a.override_redirect = state().xwayland ? False : True;
  a.event_mask =
      ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask;
  int width = d.box.width, height = d.box.height;
  int left = m.x + (m.width - width) / 2, top = m.y + (m.height - height) / 2;
  d.beneath = {(short)(left - m.x), (short)(top - m.y), (unsigned short)width,
               (unsigned short)height};
  d.window = XCreateWindow(x, RootWindow(x, screen), left, top, width, height, 0, CopyFromParent,
                           InputOutput, CopyFromParent,
                           CWBackPixel | CWOverrideRedirect | CWEventMask, &a);
  setWindowTitle(x, d.window, d.box.caption.c_str());
  if (state().xwayland) setManagedHints(d, left, top);
  d.repaintsBeneath = needsRepaintBeneath(x);
  d.surface = cairo_xlib_surface_create(x, d.window, DefaultVisual(x, screen), width, height);
  XMapRaised(x, d.window);
}

void draw(Dialog& d) {
  cairo_t* cr = cairo_create(d.surface);
  layer::drawBox(cr, d.box);
  cairo_destroy(cr);
  cairo_surface_flush(d.surface);
}

// Once mapped, the dialog takes the keyboard; another client's grab may hold it a moment.
void takeKeyboard(Dialog& d) {
  ErrorTrap trap(d.display);
  XSetInputFocus(d.display, d.window, RevertToPointerRoot, CurrentTime);
  struct timespec pause = {0, 50 * 1000 * 1000};
  for (int i = 0; i < 10 && XGrabKeyboard(d.display, d.window, False, GrabModeAsync, GrabModeAsync,
                                          CurrentTime) != GrabSuccess;
       ++i)
    nanosleep(&pause, nullptr);
}

void handle(Dialog& d, XEvent& e) {
  switch (e.type) {
    case MapNotify:
      if (state().xwayland) activateWindow(d.display, d.window, d.userTime);
      takeKeyboard(d);
      break;
    case Expose:
      if (e.xexpose.count == 0) draw(d);
      break;
    case KeyPress:
      layer::boxKey(d.box, XLookupKeysym(&e.xkey, 0));
      break;
    case ButtonPress:
    case ButtonRelease:
      if (e.xbutton.button == Button1 &&
          layer::boxButton(d.box, e.type == ButtonPress, e.xbutton.x, e.xbutton.y))
        draw(d);
      break;
  }
}

void runDialog(Display* display, const std::string& caption, const std::string& text) {
  Window focusBefore = 0;
  int revertBefore = 0;
  XGetInputFocus(display, &focusBefore, &revertBefore);
  Dialog d;
  d.display = display;
  d.box = layer::layOutBox(caption, text);
  create(d);
  XFlush(display);
  while (!d.box.done && !layer::state().stopSignalled) {
    while (!d.box.done && XPending(display)) {
      XEvent e;
      XNextEvent(display, &e);
      handle(d, e);
    }
    struct pollfd wait = {ConnectionNumber(display), POLLIN, 0};
    // Wakes for the stop signals as well, and then lets the compositor show the box.
    if (!d.box.done && poll(&wait, 1, 100) == 0) repaintBeneath(d);
  }
  XUngrabKeyboard(display, CurrentTime);
  // The keyboard goes back to whichever window had it, before the dialog goes: then it never
  // falls to the root, where a window manager would pass it on.
  if (focusBefore != None && focusBefore != PointerRoot) {
    ErrorTrap trap(display);
    XSetInputFocus(display, focusBefore, revertBefore, CurrentTime);
  }
  cairo_surface_destroy(d.surface);
  XDestroyWindow(display, d.window);
  XSync(display, False);
}

}  // namespace

// The show lends its keyboard and pointer while the box is up.
void messageBox(const std::string& caption, const std::string& text) {
  Display* own = XOpenDisplay(NULL);
  if (!own) return;
  bool lent = state().grabbed;
  if (lent) releaseGrabs();
  runDialog(own, caption, text);
  XCloseDisplay(own);
  if (lent) takeGrabs();
}

}  // namespace x11
