// What the Linux layer's files share: the X display, X error trapping, our window records
// and the message queue. Only files of platform/linux include this (and so Xlib and GLX).
#pragma once

// The Win32 declarations first: they define APIENTRY as Windows has it, before GL does.
#include "platform/system.h"
// clang-format off
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
// clang-format on

#include <string>
#include <vector>

// The one connection to the X server, opened on first use (static initialisation reads the
// cursor before WinMain). NULL when there is no display; then it is not tried again.
Display* xDisplay();

// Records X errors instead of ending the process. A trap catches the errors of the requests
// made while it lives; failed() waits for the server's answers and tells whether any failed.
void installXErrorHandler();
class XErrorTrap {
 public:
  explicit XErrorTrap(Display* display);
  ~XErrorTrap();
  XErrorTrap(const XErrorTrap&) = delete;
  XErrorTrap& operator=(const XErrorTrap&) = delete;
  bool failed();

 private:
  Display* display_;
  // The enclosing trap, restored when this one ends.
  Display* outerDisplay_;
  unsigned long outerSerial_;
  int outerCode_;
};

// A window this process created through CreateWindowExA.
struct WindowRecord {
  Window id = 0;
  Window parent = 0;
  WNDPROC proc = nullptr;
  std::string className;
  DWORD style = 0;
  DWORD exStyle = 0;
  Visual* visual = nullptr;
  int depth = 0;
  Colormap colormap = 0;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int pixelFormat = 0;  // 1-based index set by SetPixelFormat; 0 until then
  bool shown = false;
  bool minimised = false;  // unmapped by someone else, e.g. iconified by the window manager
};

// Our window for a handle, or NULL when the handle names none of ours.
WindowRecord* findWindow(HWND hWnd);
WindowRecord* findWindow(Window id);
// Drops the record of a window the server has destroyed (with a foreign parent, say): like a
// destroyed window on Windows, its handle names nothing any more.
void forgetWindow(Window id);
std::vector<Window> ourWindowIds();
inline HWND toHwnd(Window id) { return (HWND)(uintptr_t)id; }
inline Window toWindow(HWND hWnd) { return (Window)(uintptr_t)hWnd; }

// The window procedure registered for a class name (case-insensitive), or NULL.
WNDPROC findClassProc(const char* className);
bool classHasWindows(const std::string& className);

// Sent messages call the window procedure at once; posted ones wait in the queue.
LRESULT sendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
void postMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, Time time, int rootX,
                 int rootY);
void dropMessagesOf(HWND hWnd);

// Translates the X events waiting on the connection into messages.
void pumpXEvents(Display* display);
void translateKeyEvent(Display* display, XKeyEvent& event);
void translateButtonEvent(const XButtonEvent& event);
void translateMotionEvent(const XMotionEvent& event);

// The Windows virtual-key code of a key symbol, 0 when it has none.
UINT virtualKeyOf(unsigned long keysym);
bool isExtendedKey(unsigned long keysym);

// The cursor our windows show: the invisible one while ShowCursor's count is negative.
void applyCursor(Display* display, Window window);

// The visual a window is created with so that SetPixelFormat can bind the format chosen later.
bool chooseWindowVisual(Display* display, Visual** visual, int* depth);
// The GLX configuration of a 1-based pixel format index, NULL when there is none.
GLXFBConfig formatConfig(Display* display, int format);

// Window manager hints: title, close protocol, full-screen state.
void setWindowTitle(Display* display, Window window, const char* title);
void setCloseProtocol(Display* display, Window window);
void setFullScreenHints(Display* display, Window window);
void requestAbove(Display* display, Window window);

// Shows a modal dialog with the caption as title, the text and an OK button, on a connection
// of its own, until Return, Escape, a click on OK or a close request (or a stop signal).
void runMessageDialog(Display* display, const std::string& caption, const std::string& text);
