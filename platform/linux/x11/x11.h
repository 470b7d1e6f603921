// The X11 window system's internals (Xlib + GLX), shared by its files and seen by no other
// folder: its state in one struct, the X error trap, and each file's entry points for the others.
// x11.cpp fills the layer's WindowSystem with them.
// Implements: windows (top-level, full screen, inside a foreign parent), X input as messages,
// the cursor, monitors (RandR, Xinerama), GLX contexts and the swap interval, the message box on
// a connection of its own, hosting in a daemon's window. Lacks: nothing the program calls.
#pragma once

// The Win32 declarations first: they define APIENTRY as Windows has it, before GL does.
#include "platform/linux/windowsystem.h"
// clang-format off
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
// clang-format on

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace x11 {

using layer::Output;
using layer::WindowRecord;

// The source indication of EWMH client messages: an application's own request.
const long SOURCE_APPLICATION = 1;

// What X11 keeps of each window of ours (its id is the record's handle).
struct XWindow {
  Visual* visual = nullptr;
  int depth = 0;
  Colormap colormap = 0;
};

// The atoms the system uses, interned once when the display opens.
struct Atoms {
  Atom wmProtocols, wmDeleteWindow, netWmName, utf8String, netWmState, netWmStateFullscreen,
      netWmStateAbove, netWmBypassCompositor, netActiveWindow, netWmUserTime, netWmWindowType,
      netWmWindowTypeDialog, motifWmHints, netSupportingWmCheck;
};

// Everything X11 keeps for the process, in one place.
struct State {
  Display* display = nullptr;  // the one connection
  Atoms atoms = {};
  // The X server is Xwayland, a Wayland compositor's: the compositor gives keys only to the
  // window it has activated, and tells Xwayland where the pointer is only when it is over one
  // of Xwayland's windows.
  bool xwayland = false;
  // On Xwayland (see cursorPosition): whether the position Xwayland reports is the pointer's own
  // (it was over one of Xwayland's windows when first read, or it has moved since Xwayland caught
  // up with it); that first position; and where Xwayland caught up.
  bool pointerKnown = false;
  std::optional<POINT> pointerAtStart;
  std::optional<POINT> catchUp;
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

  Cursor invisibleCursor = 0;  // made on first use

  std::vector<GLXFBConfig> pixelFormats;  // window-capable RGBA configurations, from 1
  bool pixelFormatsListed = false;

  // The standalone show's full-screen window while it exists: the black windows that cover the
  // rest of the desk (one beneath it; on Xwayland one on each other monitor), whether it holds
  // the keyboard and the pointer, and the window that had the keyboard before it, which gets it
  // back at the end.
  Window fullScreen = 0;
  std::vector<Window> covers;
  bool grabbed = false;
  Window focusBefore = 0;
};
State& state();

// The display connection; NULL when there is none.
inline Display* display() { return state().display; }

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
inline Window idOf(const WindowRecord& r) { return toWindow(r.handle); }
inline XWindow& nativeOf(const WindowRecord& r) { return *(XWindow*)r.native; }
// Our window for an X id, or NULL when it names none of ours.
inline WindowRecord* findWindow(Window id) { return layer::findWindow(toHwnd(id)); }
// Drops the record of a window the server has destroyed: its handle names nothing any more.
void forgetWindow(Window id);

// display.cpp: opens the connection (false without one).
bool openDisplay();
// The cursor our windows show (invisible while ShowCursor's count is negative).
void applyCursor(Window window);
void applyCursor(WindowRecord& r);
// The size of a window (of the screen when it is gone).
void windowSize(Window window, int* width, int* height);
// Every monitor, the primary first (RandR's primary, else the first Xinerama head, else the
// whole screen); only the primary's refresh rate is asked for (0 when unknown). Hosted: the
// daemon's window alone.
std::vector<Output> monitors();
int colourDepth();
bool cursorPosition(POINT* point);
// Whether the server is Xwayland: its extension, or the outputs it names XWAYLAND0, ...
bool isXwayland(Display* display);
// Holds the X server's own screen saver and power saving off, or lets them work again.
void holdOffBlanking(bool hold);

// events.cpp: turns the X events that have come into messages.
void pumpEvents(bool mayWait);

// glx.cpp: the visual an OpenGL window is created with, so that setPixelFormat can bind the
// format chosen later (an X window's visual is fixed when it is created); the GLX side of the
// WindowSystem.
bool chooseWindowVisual(Visual** visual, int* depth);
int choosePixelFormat(WindowRecord& r, const PIXELFORMATDESCRIPTOR& want);
bool setPixelFormat(WindowRecord& r, int format);
HGLRC createContext(WindowRecord& r);
bool makeCurrent(WindowRecord* r, HGLRC context);
void deleteContext(HGLRC context);
bool swapBuffers(WindowRecord& r);
// WGL_EXT_swap_control's call, nullptr when the driver offers neither GLX extension for it.
extern BOOL(WINAPI* swapIntervalCall)(int);
void findSwapInterval();

// window.cpp: windows of the program, and their hints for a window manager.
bool createWindow(WindowRecord& r, const char* title, int x, int y,
                  const std::vector<Output>& outputs);
bool destroyWindow(WindowRecord& r);
bool windowExists(HWND hWnd);
bool setParent(WindowRecord& r, HWND parent);
void showWindow(WindowRecord& r);
bool focusWindow(WindowRecord& r, bool raise);
bool keepOnTop(WindowRecord& r);
bool beginHosting(const layer::Launch& launch);
// The title a window manager shows.
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
void beginFullScreen(Window window, const std::vector<Output>& all);  // when it is created
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

// dialog.cpp: the modal box of MessageBoxA, on a connection of its own.
void messageBox(const std::string& caption, const std::string& text);

}  // namespace x11
