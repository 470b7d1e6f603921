// What a window manager reads from our windows: title, close protocol, full-screen state.
#include <X11/Xatom.h>

#include <string>

#include "platform/linux/xwin.h"

namespace {

Atom atom(Display* display, const char* name) { return XInternAtom(display, name, False); }

// Window titles are ANSI text (Latin-1 here); _NET_WM_NAME wants UTF-8.
std::string latin1ToUtf8(const char* text) {
  std::string out;
  for (const unsigned char* p = (const unsigned char*)text; *p; ++p) {
    if (*p < 0x80) {
      out += (char)*p;
    } else {
      out += (char)(0xC0 | (*p >> 6));
      out += (char)(0x80 | (*p & 0x3F));
    }
  }
  return out;
}

}  // namespace

void setWindowTitle(Display* display, Window window, const char* title) {
  XStoreName(display, window, title);
  std::string utf8 = latin1ToUtf8(title);
  XChangeProperty(display, window, atom(display, "_NET_WM_NAME"), atom(display, "UTF8_STRING"), 8,
                  PropModeReplace, (const unsigned char*)utf8.data(), (int)utf8.size());
  XClassHint hint;
  char name[] = "dravik";
  char className[] = "Dravik";
  hint.res_name = name;
  hint.res_class = className;
  XSetClassHint(display, window, &hint);
}

void setCloseProtocol(Display* display, Window window) {
  Atom deleteWindow = atom(display, "WM_DELETE_WINDOW");
  XSetWMProtocols(display, window, &deleteWindow, 1);
}

// Also asked for when a manager does look at the window (it bypasses it by default).
void setFullScreenHints(Display* display, Window window) {
  Atom states[2] = {atom(display, "_NET_WM_STATE_FULLSCREEN"),
                    atom(display, "_NET_WM_STATE_ABOVE")};
  XChangeProperty(display, window, atom(display, "_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace,
                  (const unsigned char*)states, 2);
}

// Asks a running window manager to keep the window above others; without one, nothing happens.
void requestAbove(Display* display, Window window) {
  XEvent e = {};
  e.xclient.type = ClientMessage;
  e.xclient.window = window;
  e.xclient.message_type = atom(display, "_NET_WM_STATE");
  e.xclient.format = 32;
  e.xclient.data.l[0] = 1;  // _NET_WM_STATE_ADD
  e.xclient.data.l[1] = (long)atom(display, "_NET_WM_STATE_ABOVE");
  e.xclient.data.l[3] = 1;  // from an application
  Window root = RootWindow(display, DefaultScreen(display));
  XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
}
