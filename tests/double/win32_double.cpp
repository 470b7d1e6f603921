// The scripted Win32 double: every call is logged with its arguments and answered from
// fake::platform().
#include "tests/double/win32_double.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>

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

int Platform::indexOf(const std::string& prefix, int from) const {
  for (int i = from; i < (int)calls.size(); ++i)
    if (calls[i].rfind(prefix, 0) == 0) return i;
  return -1;
}

void Platform::postMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  queue.push_back(MSG{window, message, wParam, lParam, 0, {0, 0}});
}

}  // namespace fake

using fake::platform;

namespace {

const HKEY KEY = (HKEY)(uintptr_t)0x4500001;
WNDPROC registeredProc = nullptr;

// Arguments as logged: texts as they are, signed numbers in decimal, handles, styles, flags and
// messages (pointers and unsigned numbers) in hexadecimal, as Windows' headers write them.
std::string arg(const char* s) { return s ? s : "NULL"; }
std::string arg(const std::string& s) { return s; }
std::string arg(int v) { return std::to_string(v); }
std::string arg(unsigned long v) {
  char s[24];
  snprintf(s, sizeof s, "0x%lx", v);
  return s;
}
std::string arg(unsigned v) { return arg((unsigned long)v); }
std::string arg(const void* p) { return arg((unsigned long)(uintptr_t)p); }

// Logs the call; true when the test wants calls of this name to fail.
template <class... A>
bool call(const char* name, const A&... args) {
  std::string entry = std::string(name) + "(";
  ((entry += arg(args) + ","), ...);
  if (entry.back() == ',') entry.pop_back();
  platform().calls.push_back(entry + ")");
  return platform().fails(name);
}

// Logs the call and gives `ok`, or the empty result when the test wants the call to fail.
template <class T, class... A>
T answer(T ok, const char* name, const A&... args) {
  return call(name, args...) ? T() : ok;
}

// The request's fields in order; the fields that must be 0 are summed into the last number.
std::string pixelFormat(const PIXELFORMATDESCRIPTOR* p) {
  long zeros = p->cRedBits + p->cRedShift + p->cGreenBits + p->cGreenShift + p->cBlueBits +
               p->cBlueShift + p->cAlphaBits + p->cAlphaShift + p->cAccumBits + p->cAccumRedBits +
               p->cAccumGreenBits + p->cAccumBlueBits + p->cAccumAlphaBits + p->cStencilBits +
               p->cAuxBuffers + p->bReserved + (long)p->dwLayerMask + (long)p->dwVisibleMask +
               (long)p->dwDamageMask;
  char s[80];
  snprintf(s, sizeof s, "pfd %d %d 0x%x %d %d %d %d %ld", p->nSize, p->nVersion, p->dwFlags,
           p->iPixelType, p->cColorBits, p->cDepthBits, p->iLayerType, zeros);
  return s;
}

BOOL WINAPI wglSwapIntervalEXT(int n) { return answer(TRUE, "wglSwapIntervalEXT", n); }

}  // namespace

HMODULE GetModuleHandleA(LPCSTR name) {
  return answer((HMODULE)(uintptr_t)0x400000, "GetModuleHandleA", name);
}
HICON LoadIconA(HINSTANCE i, LPCSTR id) {
  return answer((HICON)7, "LoadIconA", i, (int)(uintptr_t)id);
}
HCURSOR LoadCursorA(HINSTANCE i, LPCSTR id) {
  return answer((HCURSOR)8, "LoadCursorA", i, (int)(uintptr_t)id);
}
ATOM RegisterClassA(const WNDCLASSA* c) {
  registeredProc = c->lpfnWndProc;
  return answer((ATOM)1, "RegisterClassA", c->style, c->lpfnWndProc == WndProc ? "WndProc" : "?",
                c->cbClsExtra, c->cbWndExtra, c->hInstance, c->hIcon, c->hCursor, c->hbrBackground,
                c->lpszMenuName, c->lpszClassName);
}
BOOL UnregisterClassA(LPCSTR name, HINSTANCE i) {
  return answer(TRUE, "UnregisterClassA", name, i);
}

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
  registeredProc(platform().window = fake::WINDOW, WM_SIZE, 0, MAKELPARAM(w, h));
  return fake::WINDOW;
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
LONG SetWindowLongA(HWND h, int index, LONG value) {
  return answer(0, "SetWindowLongA", h, index, (DWORD)value);
}
BOOL ShowWindow(HWND h, int show) { return answer(FALSE, "ShowWindow", h, show); }
BOOL SetForegroundWindow(HWND h) { return answer(TRUE, "SetForegroundWindow", h); }
HWND SetFocus(HWND h) { return answer((HWND)NULL, "SetFocus", h); }
BOOL SetWindowPos(HWND h, HWND after, int x, int y, int cx, int cy, UINT flags) {
  return answer(TRUE, "SetWindowPos", h, (int)(intptr_t)after, x, y, cx, cy, flags);
}
int ShowCursor(BOOL show) {
  call("ShowCursor", show);
  return platform().cursorCount += show ? 1 : -1;
}
BOOL GetCursorPos(LPPOINT p) {
  *p = platform().cursor;
  return TRUE;
}
int GetSystemMetrics(int index) {
  call("GetSystemMetrics", index);
  return index == SM_CXSCREEN ? platform().screenWidth : platform().screenHeight;
}
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
// The default handling of Alt+F4 closes the window.
LRESULT DefWindowProcA(HWND h, UINT msg, WPARAM wParam, LPARAM) {
  call("DefWindowProcA", msg, wParam);
  if (msg == WM_SYSKEYDOWN && wParam == VK_F4) registeredProc(h, WM_CLOSE, 0, 0);
  return 0;
}
void PostQuitMessage(int code) {
  call("PostQuitMessage", code);
  platform().postMessage(WM_QUIT, (WPARAM)code);
}
// The user takes a second to read each box.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
  call("MessageBoxA", owner);
  platform().boxes.push_back({text, caption, style});
  fake::advanceClock(1.0);
  return IDOK;
}

HDC GetDC(HWND h) { return answer(fake::DC, "GetDC", h); }
int ReleaseDC(HWND h, HDC dc) { return answer(1, "ReleaseDC", h, dc); }
int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* p) {
  return answer(3, "ChoosePixelFormat", dc, pixelFormat(p));
}
BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* p) {
  return answer(TRUE, "SetPixelFormat", dc, format, pixelFormat(p));
}
BOOL SwapBuffers(HDC dc) {
  call("SwapBuffers", dc);
  platform().swaps++;
  if (platform().onSwapBuffers) platform().onSwapBuffers();
  if (platform().swaps == 1000) platform().postMessage(WM_QUIT, 1000);  // a run that would not end
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
  PROC swap = reinterpret_cast<PROC>(reinterpret_cast<void*>(wglSwapIntervalEXT));
  return answer(offered ? swap : NULL, "wglGetProcAddress", name);
}

// Time passes only in the scripted clock.
void Sleep(DWORD milliseconds) {
  call("Sleep", (int)milliseconds);
  fake::advanceClock(milliseconds / 1000.0);
}
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
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  return call("GlobalAlloc", flags, bytes) ? NULL : calloc(bytes ? bytes : 1, 1);
}
HGLOBAL GlobalFree(HGLOBAL mem) {
  call("GlobalFree");
  free(mem);
  return NULL;
}
int _chdir(const char* dirname) { return answer(0, "_chdir", dirname); }
long _filelength(int fd) {
  struct stat st;
  return fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? (long)st.st_size : -1;
}
int _stricmp(const char* a, const char* b) { return strcasecmp(a, b); }
