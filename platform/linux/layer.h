// The Linux layer's own internals, shared by the Win32 calls it implements and by the two window
// systems beneath them (x11/, wayland/): the process state in one struct, the window table, how
// the program was launched, and the messages that window-system events become.
// The Win32 calls themselves are declared in platform/win32.h; the seam to the window systems is
// windowsystem.h.
#pragma once

#include <signal.h>

#include <deque>
#include <map>
#include <set>
#include <string>

#include "platform/system.h"

namespace layer {

// A window this process created through CreateWindowExA. Its handle is the window system's name
// for it: the X window id on X11, a number of the Wayland system's own on Wayland.
struct WindowRecord {
  HWND handle = NULL;
  HWND parent = NULL;  // NULL: a top-level window
  WNDPROC proc = nullptr;
  DWORD style = 0;
  int width = 0;  // in pixels
  int height = 0;
  bool fullScreen = false;  // the standalone show's window, covering the primary output
  int pixelFormat = 0;      // set once by SetPixelFormat; 0 until then
  bool shown = false;       // by ShowWindow
  bool minimised = false;   // hidden by someone else (iconified) until shown again
  void* native = nullptr;   // the window system's own record of it
};

// Window classes and registry names compare regardless of letter case, as on Windows.
struct NoCaseLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

// How a screen-saver daemon or a locker launched the program: `--root` (or `-root`), a window in
// `--window-id ID` (or `-window-id ID`) or in XSCREENSAVER_WINDOW. Anything else on the command
// line means the standalone program.
struct Launch {
  bool hosted = false;
  bool root = false;
  bool windowNamed = false;  // an id was given, valid or not
  unsigned long window = 0;  // the window it names: 0 when none or not a valid X id
};
// The arguments (argv[1] on) and XSCREENSAVER_WINDOW as a daemon passes them.
Launch parseLaunch(int argc, char** argv, const char* screensaverWindow);
// This process's launch, read once from its command line.
const Launch& launch();

// Everything the neutral part of the layer keeps for the process, in one place.
struct State {
  std::map<std::string, WNDPROC, NoCaseLess> classes;  // registered window classes
  std::map<HWND, WindowRecord> windows;                // our windows by handle
  std::deque<MSG> queue;                               // posted messages, oldest first
  bool keyDown[256] = {};        // by virtual-key code, as reported in messages
  int cursorCount = 0;           // ShowCursor's display count; the cursor shows while >= 0
  std::set<HGLRC> contexts;      // live contexts made by wglCreateContext
  std::set<void*> registryKeys;  // keys open through RegOpenKeyExA
  // Hosted: the window the setting names as the preview's parent (a daemon's X window), or NULL
  // when the show covers its output as the background (`--root` on Wayland).
  HWND hostParent = NULL;
  volatile sig_atomic_t stopSignalled = 0;  // SIGTERM or SIGINT, once it has arrived
};
State& state();

// Our window of a handle, or NULL when it names none of ours.
WindowRecord* findWindow(HWND hWnd);
// Drops the record of a window the window system has destroyed: its handle names nothing now.
void forgetWindow(HWND hWnd);

// Sent messages reach the window procedure at once, posted ones wait in the queue.
LRESULT sendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
void postMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
void installStopSignals();

// What window-system input and window changes become, for both systems. Keys come as X key
// symbols (xkbcommon's are the same numbers), taken without modifiers.
void keyEvent(HWND hWnd, unsigned long keysym, bool press);
// The buttons and modifier keys held, as Windows reports them in wParam.
struct Held {
  bool left, middle, right, shift, control;
};
WPARAM keyState(const Held& held);
// A press of button 1 (left), 2 (middle) or 3 (right), given what was held before it.
void buttonPressed(HWND hWnd, int button, Held held, int x, int y);
void pointerMoved(HWND hWnd, const Held& held, int x, int y);
void windowResized(WindowRecord& r, int width, int height);
void windowMinimised(WindowRecord& r);
void windowRestored(WindowRecord& r);
void closeRequested(HWND hWnd);

// The value the user's setting file holds for the preview's parent ("" when none).
std::string userSetting();

// The message box: one line "caption: text" on stderr.
void writeBoxLine(const std::string& caption, const std::string& text);

}  // namespace layer
