// The message box: one line "caption: text" on stderr, and a modal dialog when there is a
// display, on a connection of its own so that its events never mix with the program's messages.
// Implements MessageBoxA with an OK button (the only style the program uses); Return, Escape,
// Space, a click on OK or the window manager's close request ends it, and so does a stop signal.
#include <X11/Xatom.h>
#include <X11/keysym.h>
#include <poll.h>
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
  std::vector<std::string> lines;
  int width = 0;
  int height = 0;
  int lineHeight = 13;
  XRectangle button = {};
  bool pressed = false;
  bool done = false;
};

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

void layout(Dialog& d) {
  if (d.font) d.lineHeight = d.font->ascent + d.font->descent + 2;
  int widest = BUTTON_WIDTH;
  for (const std::string& line : d.lines) widest = std::max(widest, textWidth(d, line));
  d.width = std::max(MIN_WIDTH, widest + 2 * MARGIN);
  d.height = MARGIN + (int)d.lines.size() * d.lineHeight + MARGIN + BUTTON_HEIGHT + MARGIN;
  d.button = {(short)((d.width - BUTTON_WIDTH) / 2), (short)(d.height - MARGIN - BUTTON_HEIGHT),
              (unsigned short)BUTTON_WIDTH, (unsigned short)BUTTON_HEIGHT};
}

void setHints(Dialog& d, const std::string& caption) {
  Display* x = d.display;
  const Atoms& a = state().atoms;
  setWindowTitle(x, d.window, caption.c_str());
  Atom protocols[] = {a.wmDeleteWindow};
  XSetWMProtocols(x, d.window, protocols, 1);
  XChangeProperty(x, d.window, a.netWmWindowType, XA_ATOM, 32, PropModeReplace,
                  (const unsigned char*)&a.netWmWindowTypeDialog, 1);
  XChangeProperty(x, d.window, a.netWmState, XA_ATOM, 32, PropModeReplace,
                  (const unsigned char*)&a.netWmStateAbove, 1);
  XSizeHints size = {};
  size.flags = PPosition | PMinSize | PMaxSize;
  size.min_width = size.max_width = d.width;
  size.min_height = size.max_height = d.height;
  XSetWMNormalHints(x, d.window, &size);
}

// Centred on the screen.
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
  int baseline = MARGIN + (d.font ? d.font->ascent : 10);
  for (const std::string& line : d.lines) {
    XDrawString(x, d.window, d.gc, MARGIN, baseline, line.c_str(), (int)line.size());
    baseline += d.lineHeight;
  }
  const XRectangle& b = d.button;
  if (d.pressed) XFillRectangle(x, d.window, d.gc, b.x, b.y, b.width, b.height);
  XDrawRectangle(x, d.window, d.gc, b.x, b.y, b.width - 1, b.height - 1);
  XSetForeground(x, d.gc, d.pressed ? WhitePixel(x, screen) : BlackPixel(x, screen));
  int okX = b.x + (b.width - textWidth(d, "OK")) / 2;
  int okY = b.y + (b.height + (d.font ? d.font->ascent - d.font->descent : 8)) / 2;
  XDrawString(x, d.window, d.gc, okX, okY, "OK", 2);
}

bool onButton(const Dialog& d, int px, int py) {
  const XRectangle& b = d.button;
  return px >= b.x && px < b.x + b.width && py >= b.y && py < b.y + b.height;
}

void handle(Dialog& d, XEvent& e) {
  switch (e.type) {
    case MapNotify: {  // the keyboard goes to the dialog (there may be no window manager)
      ErrorTrap trap(d.display);
      XSetInputFocus(d.display, d.window, RevertToPointerRoot, CurrentTime);
      break;
    }
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
      d.done = (Atom)e.xclient.data.l[0] == state().atoms.wmDeleteWindow;
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
  for (size_t at = 0, end = 0; end != std::string::npos; at = end + 1)
    d.lines.push_back(text.substr(at, (end = text.find('\n', at)) - at));
  create(d, caption);
  XFlush(display);
  while (!d.done && !state().stopSignalled) {
    while (!d.done && XPending(display)) {
      XEvent e;
      XNextEvent(display, &e);
      handle(d, e);
    }
    struct pollfd wait = {ConnectionNumber(display), POLLIN, 0};
    if (!d.done) poll(&wait, 1, 100);  // wakes for the stop signals as well
  }
  XDestroyWindow(display, d.window);
  XFreeGC(display, d.gc);
  if (d.font) XFreeFont(display, d.font);
  // The keyboard goes back to whichever window had it.
  if (focusBefore != None && focusBefore != PointerRoot) {
    ErrorTrap trap(display);
    XSetInputFocus(display, focusBefore, revertBefore, CurrentTime);
  }
  XSync(display, False);
}

}  // namespace x11

using namespace x11;

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
  writeLine(caption, text);
  if (!x11::display()) return IDOK;  // the atoms come with the program's own connection
  Display* own = XOpenDisplay(NULL);
  if (!own) return IDOK;
  runMessageDialog(own, caption, text);
  XCloseDisplay(own);
  return IDOK;
}
