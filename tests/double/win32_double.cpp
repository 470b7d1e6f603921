// The scripted Win32 double: every call is logged with its arguments and answered from
// fake::platform().
#include "tests/double/win32_double.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <numeric>

#include "host/glwindow.h"

namespace fake {

void resetProgramGlobals();

Platform& platform() {
  static Platform p;  // built on first use: static initialisation of the program calls in early
  return p;
}

void reset() {
  platform() = Platform();
  resetGl();
  resetClock();
  resetProgramGlobals();
  onGlCall = [](const GlCall& c) { platform().calls.push_back(callText(c.name, c.args)); };
}

int Platform::count(const std::string& prefix) const {
  return (int)std::count_if(calls.begin(), calls.end(),
                            [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
}

int Platform::indexOf(const std::string& prefix) const {
  for (int i = 0; i < (int)calls.size(); ++i)
    if (calls[i].rfind(prefix, 0) == 0) return i;
  return -1;
}

}  // namespace fake

using fake::platform;

namespace {

const HWND WINDOW = (HWND)0x4200001;
const HKEY KEY = (HKEY)0x4500001;
WNDPROC registeredProc = nullptr;

// Arguments as logged: texts as they are, signed numbers in decimal, handles, styles, flags and
// messages (pointers and unsigned numbers) in hexadecimal, as Windows' headers write them.
std::string arg(const char* s) { return s ? s : "NULL"; }
std::string arg(const std::string& s) { return s; }
std::string arg(int v) { return std::to_string(v); }
std::string arg(unsigned long v) {
  char s[24];
  return std::string(s, snprintf(s, sizeof s, "0x%lx", v));
}
std::string arg(unsigned v) { return arg((unsigned long)v); }
std::string arg(const void* p) { return arg((unsigned long)(uintptr_t)p); }

// Logs the call; true when the test wants calls of this name to fail.
template <class... A>
bool call(const char* name, const A&... args) {
  std::string list;
  ((list += "," + arg(args)), ...);
  platform().calls.push_back(std::string(name) + "(" + list.erase(0, 1) + ")");
  return platform().fails(name);
}

// Logs the call and gives `ok`, or the empty result when the test wants the call to fail.
template <class T, class... A>
T answer(T ok, const char* name, const A&... args) {
  return call(name, args...) ? T() : ok;
}

// A pixel format request as logged: its fields in order, then the sum of the bytes of all the
// others (which must be 0).
using PFD = PIXELFORMATDESCRIPTOR;
std::string pf(const PFD* p) {
  PFD rest = *p;
  rest.nSize = rest.nVersion = 0, rest.dwFlags = 0;
  rest.iPixelType = rest.cColorBits = rest.cDepthBits = rest.iLayerType = 0;
  long zeros = std::accumulate((BYTE*)&rest, (BYTE*)(&rest + 1), 0L);
  char s[80];
  snprintf(s, sizeof s, "pfd %d %d 0x%x %d %d %d %d %ld", p->nSize, p->nVersion, p->dwFlags,
           p->iPixelType, p->cColorBits, p->cDepthBits, p->iLayerType, zeros);
  return s;
}

BOOL WINAPI wglSwapIntervalEXT(int n) { return answer(TRUE, "wglSwapIntervalEXT", n); }

}  // namespace

HMODULE GetModuleHandleA(LPCSTR n) { return answer((HMODULE)0x400000, "GetModuleHandleA", n); }
HICON LoadIconA(HINSTANCE i, LPCSTR id) { return answer((HICON)7, "LoadIconA", i, (int)(long)id); }
HCURSOR LoadCursorA(HINSTANCE i, LPCSTR id) {
  return answer((HCURSOR)8, "LoadCursorA", i, (int)(long)id);
}
ATOM RegisterClassA(const WNDCLASSA* c) {
  registeredProc = c->lpfnWndProc;
  return answer((ATOM)1, "RegisterClassA", c->style, c->lpfnWndProc == WndProc ? "WndProc" : "?",
                c->cbClsExtra, c->cbWndExtra, c->hInstance, c->hIcon, c->hCursor, c->hbrBackground,
                c->lpszMenuName, c->lpszClassName);
}
BOOL UnregisterClassA(LPCSTR n, HINSTANCE i) { return answer(TRUE, "UnregisterClassA", n, i); }

BOOL AdjustWindowRectEx(LPRECT r, DWORD style, BOOL menu, DWORD exStyle) {
  call("AdjustWindowRectEx", r->left, r->top, r->right, r->bottom, style, menu, exStyle);
  int edge = style & 0x00C00000u ? 8 : 0, caption = edge ? 23 : 0;  // a caption and a frame
  *r = {r->left - edge, r->top - edge - caption, r->right + edge, r->bottom + edge};
  return TRUE;
}

// Windows sends a size while creating; the program must ignore it before the context.
HWND CreateWindowExA(DWORD exStyle, LPCSTR cls, LPCSTR title, DWORD style, int x, int y, int w,
                     int h, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  if (call("CreateWindowExA", exStyle, cls, title, style, x, y, w, h, parent, menu, instance,
           param))
    return NULL;
  registeredProc(platform().window = WINDOW, WM_SIZE, 0, MAKELPARAM(w, h));
  return WINDOW;
}
BOOL DestroyWindow(HWND h) {
  if (call("DestroyWindow", h)) return FALSE;
  platform().window = NULL;
  return TRUE;
}
BOOL IsWindow(HWND h) {
  call("IsWindow", h);
  return (h != NULL && h == platform().window) || platform().foreignWindows.count(h) != 0;
}
HWND SetParent(HWND child, HWND parent) { return answer((HWND)NULL, "SetParent", child, parent); }
LONG SetWindowLongA(HWND h, int i, LONG v) { return answer(0, "SetWindowLongA", h, i, (DWORD)v); }
BOOL ShowWindow(HWND h, int show) { return answer(FALSE, "ShowWindow", h, show); }
BOOL SetForegroundWindow(HWND h) { return answer(TRUE, "SetForegroundWindow", h); }
HWND SetFocus(HWND h) { return answer((HWND)NULL, "SetFocus", h); }
BOOL SetWindowPos(HWND h, HWND after, int x, int y, int cx, int cy, UINT flags) {
  return answer(TRUE, "SetWindowPos", h, (int)(intptr_t)after, x, y, cx, cy, flags);
}
int ShowCursor(BOOL show) { return answer(0, "ShowCursor", show); }
BOOL GetCursorPos(LPPOINT p) { return *p = platform().cursor, TRUE; }
int GetSystemMetrics(int i) { return answer(i == SM_CXSCREEN ? 640 : 480, "GetSystemMetrics", i); }
BOOL EnumDisplaySettingsA(LPCSTR device, DWORD mode, DEVMODEA* dm) {
  if (call("EnumDisplaySettingsA", device, (int)mode, (int)dm->dmBitsPerPel)) return FALSE;
  dm->dmBitsPerPel = 24;
  dm->dmDisplayFrequency = platform().refreshRate;
  return TRUE;
}

BOOL PeekMessageA(LPMSG msg, HWND h, UINT first, UINT last, UINT remove) {
  call("PeekMessageA", h, (int)first, (int)last, (int)remove);
  if (platform().queue.empty()) return FALSE;
  *msg = platform().queue.front();
  platform().queue.pop_front();
  return TRUE;
}
BOOL TranslateMessage(const MSG* msg) { return answer(FALSE, "TranslateMessage", msg->message); }
LRESULT DispatchMessageA(const MSG* msg) {
  call("DispatchMessageA", msg->message);
  return registeredProc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}
LRESULT DefWindowProcA(HWND, UINT m, WPARAM w, LPARAM) { return answer(0, "DefWindowProcA", m, w); }
void PostQuitMessage(int code) {
  call("PostQuitMessage", code);
  platform().postMessage(WM_QUIT, (WPARAM)code);
}
// The user takes a second to read each box.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
  platform().boxes.push_back({text, caption, style});
  fake::advanceClock(1.0);
  return answer(IDOK, "MessageBoxA", owner);
}

HDC GetDC(HWND h) { return answer((HDC)0x4300001, "GetDC", h); }
int ReleaseDC(HWND h, HDC dc) { return answer(1, "ReleaseDC", h, dc); }
int ChoosePixelFormat(HDC dc, const PFD* p) { return answer(3, "ChoosePixelFormat", dc, pf(p)); }
BOOL SetPixelFormat(HDC dc, int f, const PFD* p) {
  return answer(TRUE, "SetPixelFormat", dc, f, pf(p));
}
BOOL SwapBuffers(HDC dc) {
  call("SwapBuffers", dc);
  platform().swaps++;
  if (platform().onSwapBuffers) platform().onSwapBuffers();
  if (platform().swaps == platform().quitAfter) platform().postMessage(WM_QUIT, 0);
  return TRUE;
}
HGLRC wglCreateContext(HDC dc) { return answer(fake::RC, "wglCreateContext", dc); }
// Making a context current fails through "wglMakeCurrent", releasing it through
// "wglMakeCurrent(NULL)".
BOOL wglMakeCurrent(HDC dc, HGLRC rc) {
  bool failed = call("wglMakeCurrent", dc, rc);
  return rc ? !failed : !platform().fails("wglMakeCurrent(NULL)");
}
BOOL wglDeleteContext(HGLRC rc) { return answer(TRUE, "wglDeleteContext", rc); }
PROC wglGetProcAddress(LPCSTR name) {
  bool offered = platform().swapControl && strcmp(name, "wglSwapIntervalEXT") == 0;
  return answer(offered ? (PROC)(void*)wglSwapIntervalEXT : NULL, "wglGetProcAddress", name);
}

// Time passes only in the scripted clock.
void Sleep(DWORD ms) { call("Sleep", (int)ms), fake::advanceClock(ms / 1000.0); }
UINT timeBeginPeriod(UINT ms) { return answer((UINT)TIMERR_NOERROR, "timeBeginPeriod", (int)ms); }
UINT timeEndPeriod(UINT ms) { return answer((UINT)TIMERR_NOERROR, "timeEndPeriod", (int)ms); }

LSTATUS RegOpenKeyExA(HKEY root, LPCSTR sub, DWORD options, REGSAM access, PHKEY key) {
  *key = answer(KEY, "RegOpenKeyExA", root, sub, (int)options, access);
  return *key ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}
// Like the registry, copies what fits; a value too large for the buffer reports more data and
// leaves the buffer filled. The stored text carries no terminating zero.
LSTATUS RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                         LPDWORD size) {
  call("RegQueryValueExA", key, name, reserved, (int)*size);
  if (key != KEY || !platform().parentHwndValue) return ERROR_FILE_NOT_FOUND;
  const std::string& value = *platform().parentHwndValue;
  *type = REG_SZ;
  memcpy(data, value.data(), std::min<size_t>(value.size(), *size));
  if (value.size() > *size) return ERROR_MORE_DATA;
  *size = (DWORD)value.size();
  return ERROR_SUCCESS;
}
LSTATUS RegCloseKey(HKEY key) { return answer((LSTATUS)ERROR_SUCCESS, "RegCloseKey", key); }

// A path too long for the buffer is cut off without its zero, as Windows XP does.
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
  call("GetModuleFileNameA", module, (int)size);
  const std::string& name = platform().moduleFileName;
  DWORD n = (DWORD)std::min<size_t>(name.size(), size);
  memcpy(buffer, name.data(), n);
  if (n < size) buffer[n] = 0;
  return n;
}
HGLOBAL GlobalAlloc(UINT flags, SIZE_T n) {
  return call("GlobalAlloc", flags, n) ? NULL : calloc(n ? n : 1, 1);
}
HGLOBAL GlobalFree(HGLOBAL mem) { return call("GlobalFree"), free(mem), nullptr; }
int _chdir(const char* dirname) { return answer(0, "_chdir", dirname); }
long _filelength(int fd) {
  struct stat st;
  return fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? (long)st.st_size : -1;
}
int _stricmp(const char* a, const char* b) { return strcasecmp(a, b); }
