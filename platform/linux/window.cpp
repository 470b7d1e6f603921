// Windows: classes, creating and destroying them, showing, stacking and focusing them, and moving
// one into a foreign parent (the preview's), over the window system in use.
// Implements RegisterClassA, UnregisterClassA, LoadIconA, LoadCursorA, AdjustWindowRectEx,
// CreateWindowExA, DestroyWindow, IsWindow, SetParent, SetWindowLongA (GWL_STYLE), ShowWindow
// (SW_SHOW), SetForegroundWindow, SetFocus and SetWindowPos (HWND_TOPMOST) for the calls the
// program makes. A window keeps the size and place it was made with, except that SetParent moves
// it into its new parent's corner, a daemon's window sizes those inside it, and the show follows
// its output's size.
#include <strings.h>

#include "platform/linux/windowsystem.h"

namespace layer {
namespace {

// Windows' frame metrics at 96 dpi, so a window laid out for Windows gets the same size here.
const int FRAME_EDGE = 8;
const int CAPTION_HEIGHT = 23;
const DWORD WS_CAPTION = 0x00C00000u;

// The show's window: a pop-up without parent at the origin covering the primary output.
bool isFullScreenRequest(const Output& primary, DWORD style, HWND parent, int x, int y, int width,
                         int height) {
  return (style & WS_POPUP) && !(style & WS_CHILD) && parent == NULL && x <= 0 && y <= 0 &&
         x + width >= primary.width && y + height >= primary.height;
}

}  // namespace

State& state() {
  static State s;  // built on first use: static initialisation of the program calls in early
  return s;
}

bool NoCaseLess::operator()(const std::string& a, const std::string& b) const {
  return strcasecmp(a.c_str(), b.c_str()) < 0;
}

WindowRecord* findWindow(HWND hWnd) {
  auto it = state().windows.find(hWnd);
  return it == state().windows.end() ? nullptr : &it->second;
}

void forgetWindow(HWND hWnd) { state().windows.erase(hWnd); }

}  // namespace layer

using namespace layer;

ATOM RegisterClassA(const WNDCLASSA* wc) {
  if (!state().classes.emplace(wc->lpszClassName, wc->lpfnWndProc).second) return 0;  // taken
  return 0xC000;  // where Windows numbers registered classes from
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
  return state().classes.erase(className) ? TRUE : FALSE;
}

// Icons and cursors of a class are not shown here; any non-null handle will do.
HICON LoadIconA(HINSTANCE, LPCSTR) { return (HICON)(uintptr_t)1; }
HCURSOR LoadCursorA(HINSTANCE, LPCSTR) { return (HCURSOR)(uintptr_t)1; }

// A window manager frames windows from outside; this grows the rectangle by the frame Windows
// would draw, so that the preview's window has the same size on both systems.
BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL, DWORD) {
  if ((style & WS_CAPTION) != WS_CAPTION) return TRUE;
  rect->left -= FRAME_EDGE;
  rect->top -= FRAME_EDGE + CAPTION_HEIGHT;
  rect->right += FRAME_EDGE;
  rect->bottom += FRAME_EDGE;
  return TRUE;
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU, HINSTANCE, LPVOID) {
  const WindowSystem* ws = windowSystem();
  auto cls = state().classes.find(className);
  if (!ws || cls == state().classes.end()) return NULL;
  WindowRecord r;
  r.proc = cls->second;
  r.style = style;
  r.width = width > 0 ? width : 1;
  r.height = height > 0 ? height : 1;
  std::vector<Output> outputs = ws->outputs();  // asked once: each asking may be round trips
  r.fullScreen = isFullScreenRequest(outputs.front(), style, parent, x, y, r.width, r.height);
  if (!ws->createWindow(r, title, x, y, outputs)) return NULL;
  HWND hWnd = r.handle;
  state().windows[hWnd] = r;
  ws->applyCursor(state().windows[hWnd]);
  // Windows sends the new size while creating the window.
  sendMessage(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.width, r.height));
  return hWnd;
}

BOOL DestroyWindow(HWND hWnd) {
  WindowRecord* r = findWindow(hWnd);
  if (!r) return FALSE;
  bool destroyed = windowSystem()->destroyWindow(*r);
  forgetWindow(hWnd);
  return destroyed ? TRUE : FALSE;
}

BOOL IsWindow(HWND hWnd) {
  const WindowSystem* ws = windowSystem();
  if (hWnd && ws && ws->windowExists(hWnd)) return TRUE;
  forgetWindow(hWnd);
  return FALSE;
}

HWND SetParent(HWND child, HWND newParent) {
  WindowRecord* r = findWindow(child);
  if (!r) return NULL;
  HWND old = r->parent;
  if (!windowSystem()->setParent(*r, newParent)) return NULL;
  r->parent = newParent;
  return old;
}

LONG SetWindowLongA(HWND hWnd, int index, LONG newLong) {
  WindowRecord* r = findWindow(hWnd);
  if (!r || index != GWL_STYLE) return 0;
  LONG old = (LONG)r->style;
  r->style = (DWORD)newLong;
  return old;
}

BOOL ShowWindow(HWND hWnd, int) {
  WindowRecord* r = findWindow(hWnd);
  if (!r) return FALSE;
  BOOL wasVisible = r->shown;
  windowSystem()->showWindow(*r);
  r->shown = true;
  // Showing a top-level window activates it.
  if (!wasVisible && !r->parent) sendMessage(hWnd, WM_ACTIVATE, WA_ACTIVE, 0);
  return wasVisible;
}

BOOL SetForegroundWindow(HWND hWnd) {
  WindowRecord* r = findWindow(hWnd);
  return r && windowSystem()->focusWindow(*r, true) ? TRUE : FALSE;
}

// The program only hands its window the keyboard; which window had it before is not asked for.
HWND SetFocus(HWND hWnd) {
  WindowRecord* r = findWindow(hWnd);
  return r && windowSystem()->focusWindow(*r, false) ? hWnd : NULL;
}

// Only the stacking is used: HWND_TOPMOST puts the window above all others and keeps it there.
BOOL SetWindowPos(HWND hWnd, HWND insertAfter, int, int, int, int, UINT) {
  WindowRecord* r = findWindow(hWnd);
  if (!r || insertAfter != HWND_TOPMOST) return FALSE;
  return windowSystem()->keepOnTop(*r) ? TRUE : FALSE;
}
