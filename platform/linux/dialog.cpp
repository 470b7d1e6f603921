// The message box's dialog window: text in the core "fixed" font, an OK button, its own loop.
#include <X11/Xatom.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>
#include <vector>

#include "platform/linux/signals.h"
#include "platform/linux/xwin.h"

namespace {

const int kMargin = 16;
const int kButtonWidth = 80;
const int kButtonHeight = 26;
const int kMinWidth = 240;

struct Dialog {
  Display* display;
  Window window = 0;
  GC gc = 0;
  XFontStruct* font = nullptr;
  std::vector<std::string> lines;
  int width = 0;
  int height = 0;
  int lineHeight = 13;
  XRectangle button = {};
  bool pressed = false;
  bool done = false;
};

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (char c : text) {
    if (c == '\n')
      lines.emplace_back();
    else if (c != '\r')
      lines.back() += c;
  }
  return lines;
}

int textWidth(const Dialog& d, const std::string& s) {
  return d.font ? XTextWidth(d.font, s.c_str(), (int)s.size()) : 6 * (int)s.size();
}

void layout(Dialog& d) {
  if (d.font) d.lineHeight = d.font->ascent + d.font->descent + 2;
  int widest = kButtonWidth;
  for (const std::string& line : d.lines) widest = std::max(widest, textWidth(d, line));
  d.width = std::max(kMinWidth, widest + 2 * kMargin);
  int textHeight = (int)d.lines.size() * d.lineHeight;
  d.height = kMargin + textHeight + kMargin + kButtonHeight + kMargin;
  d.button = {(short)((d.width - kButtonWidth) / 2), (short)(d.height - kMargin - kButtonHeight),
              (unsigned short)kButtonWidth, (unsigned short)kButtonHeight};
}

void setHints(Dialog& d, const std::string& caption) {
  Display* x = d.display;
  setWindowTitle(x, d.window, caption.c_str());
  setCloseProtocol(x, d.window);
  Atom dialogType = XInternAtom(x, "_NET_WM_WINDOW_TYPE_DIALOG", False);
  XChangeProperty(x, d.window, XInternAtom(x, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                  PropModeReplace, (const unsigned char*)&dialogType, 1);
  Atom above = XInternAtom(x, "_NET_WM_STATE_ABOVE", False);
  XChangeProperty(x, d.window, XInternAtom(x, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeReplace,
                  (const unsigned char*)&above, 1);
  XSizeHints size = {};
  size.flags = PPosition | PMinSize | PMaxSize;
  size.min_width = size.max_width = d.width;
  size.min_height = size.max_height = d.height;
  XSetWMNormalHints(x, d.window, &size);
}

void create(Dialog& d, const std::string& caption) {
  Display* x = d.display;
  int screen = DefaultScreen(x);
  d.font = XLoadQueryFont(x, "fixed");
  layout(d);
  int left = (DisplayWidth(x, screen) - d.width) / 2;
  int top = (DisplayHeight(x, screen) - d.height) / 2;
  d.window = XCreateSimpleWindow(x, RootWindow(x, screen), left, top, d.width, d.height, 1,
                                 BlackPixel(x, screen), WhitePixel(x, screen));
  setHints(d, caption);
  XSelectInput(
      x, d.window,
      ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask);
  d.gc = XCreateGC(x, d.window, 0, nullptr);
  if (d.font) XSetFont(x, d.gc, d.font->fid);
  XMapRaised(x, d.window);
}

void draw(Dialog& d) {
  Display* x = d.display;
  int screen = DefaultScreen(x);
  XClearWindow(x, d.window);
  XSetForeground(x, d.gc, BlackPixel(x, screen));
  int baseline = kMargin + (d.font ? d.font->ascent : 10);
  for (const std::string& line : d.lines) {
    XDrawString(x, d.window, d.gc, kMargin, baseline, line.c_str(), (int)line.size());
    baseline += d.lineHeight;
  }
  const XRectangle& b = d.button;
  if (d.pressed) XFillRectangle(x, d.window, d.gc, b.x, b.y, b.width, b.height);
  XDrawRectangle(x, d.window, d.gc, b.x, b.y, b.width - 1, b.height - 1);
  XSetForeground(x, d.gc, d.pressed ? WhitePixel(x, screen) : BlackPixel(x, screen));
  const char* ok = "OK";
  int okX = b.x + (b.width - textWidth(d, ok)) / 2;
  int okY = b.y + (b.height + (d.font ? d.font->ascent - d.font->descent : 8)) / 2;
  XDrawString(x, d.window, d.gc, okX, okY, ok, 2);
}

bool onButton(const Dialog& d, int px, int py) {
  const XRectangle& b = d.button;
  return px >= b.x && px < b.x + b.width && py >= b.y && py < b.y + b.height;
}

// Keyboard input goes to the dialog while it is up (there may be no window manager to do it).
void takeFocus(Dialog& d) {
  XErrorTrap trap(d.display);
  XSetInputFocus(d.display, d.window, RevertToPointerRoot, CurrentTime);
}

void handle(Dialog& d, XEvent& e) {
  switch (e.type) {
    case MapNotify:
      takeFocus(d);
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
    case ClientMessage:
      d.done = (Atom)e.xclient.data.l[0] == XInternAtom(d.display, "WM_DELETE_WINDOW", False);
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
  d.lines = splitLines(text);
  create(d, caption);
  XFlush(display);
  while (!d.done && !stopSignalled()) {
    while (!d.done && XPending(display)) {
      XEvent e;
      XNextEvent(display, &e);
      handle(d, e);
    }
    if (d.done) break;
    struct pollfd wait = {ConnectionNumber(display), POLLIN, 0};
    poll(&wait, 1, 100);  // wakes for the stop signals as well
  }
  XDestroyWindow(display, d.window);
  XFreeGC(display, d.gc);
  if (d.font) XFreeFont(display, d.font);
  // Give the keyboard back to whichever window had it.
  if (focusBefore != None && focusBefore != PointerRoot) {
    XErrorTrap trap(display);
    XSetInputFocus(display, focusBefore, revertBefore, CurrentTime);
  }
  XSync(display, False);
}
