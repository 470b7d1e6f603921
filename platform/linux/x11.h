// The Linux layer's internals, shared by its files and seen by no other folder: the process
// state in one struct, the X error trap, and each file's entry points for the others.
// The Win32 calls themselves are declared in platform/win32.h; this layer implements exactly
// the subset the program calls, with the behaviour the program relies on.
#pragma once

// The Win32 declarations first: they define APIENTRY as Windows has it, before GL does.
#include "platform/system.h"
// clang-format off
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
// clang-format on
#include <signal.h>

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace x11 {

// The source indication of EWMH client messages: an application's own request.
const long SOURCE_APPLICATION = 1;

// A window this process created through CreateWindowExA.
struct WindowRecord {
  Window id = 0;
  Window parent = 0;  // 0: a top-level window
  WNDPROC proc = nullptr;
  DWORD style = 0;
  Visual* visual = nullptr;
  int depth = 0;
  Colormap colormap = 0;
  int width = 0;
  int height = 0;
  int pixelFormat = 0;     // set once by SetPixelFormat; 0 until then
  bool shown = false;      // mapped by ShowWindow
  bool minimised = false;  // unmapped by someone else (iconified) until mapped again
};

// Window classes compare their names regardless of letter case, as on Windows.
struct NoCaseLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

// The atoms the layer uses, interned once when the display opens.
struct Atoms {
  Atom wmProtocols, wmDeleteWindow, netWmName, utf8String, netWmState, netWmStateFullscreen,
      netWmStateAbove, netWmBypassCompositor, netActiveWindow, netWmUserTime, netWmWindowType,
      netWmWindowTypeDialog, motifWmHints, netSupportingWmCheck;
};

// Everything the layer keeps for the process, in one place.
struct State {
  Display* display = nullptr;  // the one connection; NULL when there is no display
  bool displayTried = false;   // opened on first use (static initialisation reads the cursor)
  Atoms atoms = {};
  // The X server is Xwayland, a Wayland compositor's: the compositor gives keys only to the
  // window it has activated, and tells Xwayland where the pointer is only when it is over one
  // of Xwayland's windows.
  bool xwayland = false;
  // On Xwayland: the XInput extension's opcode once raw pointer motion is watched; whether the
  // position Xwayland reports is the pointer's own (it was over one of Xwayland's windows when
  // first read, or it has moved since); and that first position (see GetCursorPos).
  int xinputOpcode = 0;
  bool pointerKnown = false;
  bool pointerAtStartRead = false;
  POINT pointerAtStart = {};
  // Hosted by a screen-saver daemon: its window, which the program takes as its preview's
  // parent and as the display; the input belongs to the daemon. 0 when not hosted.
  Window hostWindow = 0;

  // The innermost live X error trap: which connection, from which request on, what it caught.
  Display* trapDisplay = nullptr;
  unsigned long trapFirstSerial = 0;
  int trapCode = 0;
  // X errors outside any trap, reported on the next pass (reportErrors), and the windows known
  // to be gone: errors on those were to be expected.
  std::vector<std::pair<XID, std::string>> untrappedErrors;  // the resource, the line
  std::set<XID> goneWindows;

  std::map<std::string, WNDPROC, NoCaseLess> classes;  // registered window classes
  std::map<Window, WindowRecord> windows;              // our windows by X id
  std::deque<MSG> queue;                               // posted messages, oldest first

  int cursorCount = 0;         // ShowCursor's display count; the cursor shows while >= 0
  Cursor invisibleCursor = 0;  // made on first use
  bool keyDown[256] = {};      // by virtual-key code, as reported in messages

  std::vector<GLXFBConfig> pixelFormats;  // window-capable RGBA configurations, from 1
  bool pixelFormatsListed = false;
  std::set<GLXContext> contexts;  // live contexts made by wglCreateContext

  std::set<void*> registryKeys;  // keys open through RegOpenKeyExA

  // The standalone show's full-screen window while it exists: the black windows that cover the
  // rest of the desk (one beneath it; on Xwayland one on each other monitor), whether it holds
  // the keyboard and the pointer, and the window that had the keyboard before it, which gets it
  // back at the end.
  Window fullScreen = 0;
  std::vector<Window> covers;
  bool grabbed = false;
  Window focusBefore = 0;

  volatile sig_atomic_t stopSignalled = 0;  // SIGTERM or SIGINT, once it has arrived
};
State& state();

// The display connection, opened on first use; NULL when there is none.
Display* display();

// Records the X errors of the requests made while it lives, instead of ending the process: a
// foreign window may vanish at any time. Traps nest; failed() asks whether any request failed.
class ErrorTrap {
 public:
  explicit ErrorTrap(Display* display);
  ~ErrorTrap();
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;
  bool failed();

 private:
  Display* display_;
  Display* outerDisplay_;  // the enclosing trap, restored at the end
  unsigned long outerSerial_;
  int outerCode_;
};
void installErrorHandler();
// Writes one line on stderr for each X error outside a trap that concerns no window known to be
// gone by now: a request of ours that went wrong. It never ends the process.
void reportErrors();

inline HWND toHwnd(Window id) { return (HWND)(uintptr_t)id; }
inline Window toWindow(HWND hWnd) { return (Window)(uintptr_t)hWnd; }
// Our window for an X id, or NULL when it names none of ours.
WindowRecord* findWindow(Window id);
inline WindowRecord* findWindow(HWND hWnd) { return findWindow(toWindow(hWnd)); }
// Drops the record of a window the server has destroyed: its handle names nothing any more.
void forgetWindow(Window id);

// display.cpp: the cursor our windows show (invisible while ShowCursor's count is negative).
void applyCursor(Window window);
// The size of a window (of the screen when it is gone).
void windowSize(Window window, int* width, int* height);
// The primary monitor: RandR's primary, else the first Xinerama head, else the whole screen;
// with its refresh rate in hertz, 0 when unknown.
struct Monitor {
  int x, y, width, height, refreshHz;
};
Monitor primaryMonitor();
// Every monitor, the primary first (only its refresh rate is asked for).
std::vector<Monitor> monitors();
// Whether the server is Xwayland: its extension, or the outputs it names XWAYLAND0, ...
bool isXwayland(Display* display);
// Takes note of a generic event: raw pointer motion, on Xwayland.
void notePointerMotion(XEvent& e);
// Holds the X server's own screen saver and power saving off, or lets them work again.
void holdOffBlanking(bool hold);

// events.cpp: sent messages reach the window procedure at once, posted ones wait in the queue.
LRESULT sendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
void postMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
void installStopSignals();

// glcontext.cpp: the visual an OpenGL window is created with, so that SetPixelFormat can bind
// the format chosen later (an X window's visual is fixed when it is created).
bool chooseWindowVisual(Visual** visual, int* depth);

// window.cpp: the title a window manager shows.
void setWindowTitle(Display* display, Window window, const char* title);
// Our windows inside the daemon's window fill it, whatever its size.
void fitToHost();
// A managed window of ours: the input hint and a user time of now, which it returns. Requests to
// a window manager: to add a state to a window, to activate it as a user's action then would.
Time manageWithInput(Display* display, Window window);
void requestWmState(Display* display, Window window, Atom wmState);
void activateWindow(Display* display, Window window, Time userTime);
// The running window manager's name ("KWin", ...), empty without one.
std::string windowManagerName(Display* display);

// fullscreen.cpp: the standalone show's full-screen window and its hold on the desk.
// A pop-up without parent at the origin covering the primary monitor is the show's window.
bool isFullScreenRequest(const Monitor& primary, DWORD style, HWND parent, int x, int y, int width,
                         int height);
void beginFullScreen(Window window, const std::vector<Monitor>& all);  // when it is created
// What a window manager reads of the show's window: on Xwayland it is managed, full screen
// before it maps; elsewhere it bypasses the manager and carries no window-manager state.
bool fullScreenBypassesManager();
void setFullScreenHints(Display* display, Window window);
void prepareFullScreen();  // before it is mapped
void holdDesk();           // once it is mapped
void keepFullScreenOnTop(const XEvent& rootEvent);
void releaseGrabs();  // while a message box is up
void takeGrabs();
void endFullScreen();  // when it is destroyed

// dialog.cpp: the modal dialog of MessageBoxA, on a connection of its own.
void runMessageDialog(Display* display, const std::string& caption, const std::string& text);

}  // namespace x11
