// The message box: one line "caption: text" on stderr, and a modal dialog when there is a
// display, on a connection of its own so that its events never mix with the program's messages.
// Implements MessageBoxA with an OK button (the only style the program uses); Return, Escape,
// Space or a click on OK ends it, and so does a stop signal. The dialog draws its own caption
// bar and bypasses any window manager, so it always opens on top of the show, centred on the
// primary monitor, and takes the keyboard (the show lends it, fullscreen.cpp). On Xwayland,
// where the compositor gives keys only to a window it has activated, it is a managed dialog
// instead, undecorated and transient for the show, which asks to be activated (and under KWin
// keeps the output beneath it changing while it is up, so that KWin shows it).
#include <X11/Xatom.h>
#include <X11/keysym.h>
#include <poll.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>

#include "platform/linux/x11.h"

namespace x11 {
namespace {

const int MARGIN = 16;
const int BUTTON_WIDTH = 80;
const int BUTTON_HEIGHT = 26;
const int MIN_WIDTH = 240;

struct Dialog {
  Display* display;
  Window window = 0;
  GC gc = 0;
  XFontStruct* font = nullptr;
  std::string caption;
  std::vector<std::string> lines;
  int width = 0;
  int height = 0;
  int lineHeight = 13;
  int captionHeight = 0;
  unsigned long captionPixel = 0, edgePixel = 0;
  XRectangle button = {};
  XRectangle beneath = {};  // the part of the show's window it covers
  bool repaintsBeneath = false;  // see repaintBeneath
  bool pressed = false;
  bool done = false;
  Time userTime = CurrentTime;  // when it opened, for the window manager (Xwayland)
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
  size.min_width = size.max_width = d.width;
  size.min_height = size.max_height = d.height;
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

// One write, so the line stays whole even when other output interleaves.
void writeLine(const std::string& caption, const std::string& text) {
  std::string line = caption + ": " + text;
  std::replace(line.begin(), line.end(), '\n', ' ');
  line += '\n';
  ssize_t written = write(STDERR_FILENO, line.data(), line.size());
  (void)written;
}

int textWidth(const Dialog& d, const std::string& s) {
  return d.font ? XTextWidth(d.font, s.c_str(), (int)s.size()) : 6 * (int)s.size();
}

// The caption bar, the lines of text, the OK button centred below them.
void layout(Dialog& d) {
  if (d.font) d.lineHeight = d.font->ascent + d.font->descent + 2;
  d.captionHeight = d.lineHeight + MARGIN / 2;
  int widest = std::max(BUTTON_WIDTH, textWidth(d, d.caption));
  for (const std::string& line : d.lines) widest = std::max(widest, textWidth(d, line));
  d.width = std::max(MIN_WIDTH, widest + 2 * MARGIN);
  d.height = d.captionHeight + MARGIN + (int)d.lines.size() * d.lineHeight + MARGIN +
             BUTTON_HEIGHT + MARGIN;
  d.button = {(short)((d.width - BUTTON_WIDTH) / 2), (short)(d.height - MARGIN - BUTTON_HEIGHT),
              (unsigned short)BUTTON_WIDTH, (unsigned short)BUTTON_HEIGHT};
}

void create(Dialog& d) {
  Display* x = d.display;
  int screen = DefaultScreen(x);
  d.font = XLoadQueryFont(x, "fixed");
  layout(d);
  Monitor m = primaryMonitor();
  // A muted blue caption bar and a grey edge, visible on black and on white alike.
  XColor caption = {0, 0x3a3a, 0x4a4a, 0x6b6b, DoRed | DoGreen | DoBlue, 0};
  XColor edge = {0, 0x8080, 0x8080, 0x8080, DoRed | DoGreen | DoBlue, 0};
  Colormap colours = DefaultColormap(x, screen);
  d.captionPixel = XAllocColor(x, colours, &caption) ? caption.pixel : BlackPixel(x, screen);
  d.edgePixel = XAllocColor(x, colours, &edge) ? edge.pixel : BlackPixel(x, screen);
  XSetWindowAttributes a;
  a.background_pixel = WhitePixel(x, screen);
  a.border_pixel = d.edgePixel;
  a.override_redirect = state().xwayland ? False : True;
  a.event_mask =
      ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask;
  int left = m.x + (m.width - d.width) / 2, top = m.y + (m.height - d.height) / 2;
  d.beneath = {(short)(left - m.x), (short)(top - m.y), (unsigned short)d.width,
               (unsigned short)d.height};
  d.window = XCreateWindow(x, RootWindow(x, screen), left, top, d.width, d.height, 1,
                           CopyFromParent, InputOutput, CopyFromParent,
                           CWBackPixel | CWBorderPixel | CWOverrideRedirect | CWEventMask, &a);
  setWindowTitle(x, d.window, d.caption.c_str());
  if (state().xwayland) setManagedHints(d, left, top);
  d.repaintsBeneath = needsRepaintBeneath(x);
  d.gc = XCreateGC(x, d.window, 0, nullptr);
  if (d.font) XSetFont(x, d.gc, d.font->fid);
  XMapRaised(x, d.window);
}

void text(Dialog& d, unsigned long pixel, int x, int y, const std::string& s) {
  XSetForeground(d.display, d.gc, pixel);
  XDrawString(d.display, d.window, d.gc, x, y, s.c_str(), (int)s.size());
}

void draw(Dialog& d) {
  Display* x = d.display;
  unsigned long black = BlackPixel(x, DefaultScreen(x)), white = WhitePixel(x, DefaultScreen(x));
  int ascent = d.font ? d.font->ascent : 10, descent = d.font ? d.font->descent : 2;
  XClearWindow(x, d.window);
  XSetForeground(x, d.gc, d.captionPixel);
  XFillRectangle(x, d.window, d.gc, 0, 0, d.width, d.captionHeight);
  text(d, white, MARGIN / 2, (d.captionHeight + ascent - descent) / 2, d.caption);
  int baseline = d.captionHeight + MARGIN + ascent;
  for (const std::string& line : d.lines) {
    text(d, black, MARGIN, baseline, line);
    baseline += d.lineHeight;
  }
  const XRectangle& b = d.button;
  if (d.pressed) XFillRectangle(x, d.window, d.gc, b.x, b.y, b.width, b.height);
  XDrawRectangle(x, d.window, d.gc, b.x, b.y, b.width - 1, b.height - 1);
  text(d, d.pressed ? white : black, b.x + (b.width - textWidth(d, "OK")) / 2,
       b.y + (b.height + ascent - descent) / 2, "OK");
}

bool onButton(const Dialog& d, int px, int py) {
  const XRectangle& b = d.button;
  return px >= b.x && px < b.x + b.width && py >= b.y && py < b.y + b.height;
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
    case KeyPress: {
      KeySym sym = XLookupKeysym(&e.xkey, 0);
      d.done = sym == XK_Return || sym == XK_KP_Enter || sym == XK_Escape || sym == XK_space;
      break;
    }
    case ButtonPress:
      d.pressed = e.xbutton.button == Button1 && onButton(d, e.xbutton.x, e.xbutton.y);
      draw(d);
      break;
    case ButtonRelease:
      d.done = d.pressed && e.xbutton.button == Button1 && onButton(d, e.xbutton.x, e.xbutton.y);
      d.pressed = false;
      draw(d);
      break;
  }
}

}  // namespace

void runMessageDialog(Display* display, const std::string& caption, const std::string& text) {
  Window focusBefore = 0;
  int revertBefore = 0;
  XGetInputFocus(display, &focusBefore, &revertBefore);
  Dialog d;
  d.display = display;
  d.caption = caption;
  for (size_t at = 0, end = 0; end != std::string::npos; at = end + 1)
    d.lines.push_back(text.substr(at, (end = text.find('\n', at)) - at));
  create(d);
  XFlush(display);
  while (!d.done && !state().stopSignalled) {
    while (!d.done && XPending(display)) {
      XEvent e;
      XNextEvent(display, &e);
      handle(d, e);
    }
    struct pollfd wait = {ConnectionNumber(display), POLLIN, 0};
    // Wakes for the stop signals as well, and then lets the compositor show the box.
    if (!d.done && poll(&wait, 1, 100) == 0) repaintBeneath(d);
  }
  XUngrabKeyboard(display, CurrentTime);
  // The keyboard goes back to whichever window had it, before the dialog goes: then it never
  // falls to the root, where a window manager would pass it on.
  if (focusBefore != None && focusBefore != PointerRoot) {
    ErrorTrap trap(display);
    XSetInputFocus(display, focusBefore, revertBefore, CurrentTime);
  }
  XDestroyWindow(display, d.window);
  XFreeGC(display, d.gc);
  if (d.font) XFreeFont(display, d.font);
  XSync(display, False);
}

}  // namespace x11

using namespace x11;

// The show lends its keyboard and pointer while the box is up.
int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
  writeLine(caption, text);
  if (!x11::display()) return IDOK;  // the atoms come with the program's own connection
  Display* own = XOpenDisplay(NULL);
  if (!own) return IDOK;
  bool lent = state().grabbed;
  if (lent) releaseGrabs();
  runMessageDialog(own, caption, text);
  XCloseDisplay(own);
  if (lent) takeGrabs();
  return IDOK;
}
