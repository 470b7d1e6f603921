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
  MSG msg{};
  msg.hwnd = window;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  queue.push_back(msg);
}

}  // namespace fake

using fake::platform;

namespace {

const HKEY KEY = (HKEY)(uintptr_t)0x4500001;
WNDPROC registeredProc = nullptr;

std::string text(const char* s) { return s ? s : "NULL"; }
std::string num(long long v) { return std::to_string(v); }
// Handles, styles and flags in hexadecimal, as Windows' headers write them.
std::string hex(uintptr_t v) {
  char s[24];
  snprintf(s, sizeof s, "0x%lx", (unsigned long)v);
  return s;
}
std::string hex(const void* p) { return hex((uintptr_t)p); }

// Logs the call with its arguments; true when the test wants it (or failKey) to fail.
bool call(const char* name, std::initializer_list<std::string> args = {},
          const char* failKey = nullptr) {
  std::string entry = std::string(name) + "(";
  for (const std::string& a : args) entry += (entry.back() == '(' ? "" : ",") + a;
  platform().calls.push_back(entry + ")");
  return platform().fails(failKey ? failKey : name);
}

// The request's fields in order; the fields that must be 0 are summed into the last number.
std::string pixelFormat(const PIXELFORMATDESCRIPTOR* p) {
  long zeros = p->cRedBits + p->cRedShift + p->cGreenBits + p->cGreenShift + p->cBlueBits +
               p->cBlueShift + p->cAlphaBits + p->cAlphaShift + p->cAccumBits + p->cAccumRedBits +
               p->cAccumGreenBits + p->cAccumBlueBits + p->cAccumAlphaBits + p->cStencilBits +
               p->cAuxBuffers + p->bReserved + (long)p->dwLayerMask + (long)p->dwVisibleMask +
               (long)p->dwDamageMask;
  return "pfd " + num(p->nSize) + " " + num(p->nVersion) + " " + hex(p->dwFlags) + " " +
         num(p->iPixelType) + " " + num(p->cColorBits) + " " + num(p->cDepthBits) + " " +
         num(p->iLayerType) + " " + num(zeros);
}

}  // namespace

HMODULE GetModuleHandleA(LPCSTR name) {
  call("GetModuleHandleA", {text(name)});
  return (HMODULE)(uintptr_t)0x400000;
}
HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
  call("LoadIconA", {hex(instance), num((uintptr_t)name)});
  return (HICON)(uintptr_t)7;
}
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  call("LoadCursorA", {hex(instance), num((uintptr_t)name)});
  return (HCURSOR)(uintptr_t)8;
}

ATOM RegisterClassA(const WNDCLASSA* wc) {
  if (call("RegisterClassA",
           {hex(wc->style), wc->lpfnWndProc == WndProc ? "WndProc" : "?", num(wc->cbClsExtra),
            num(wc->cbWndExtra), hex(wc->hInstance), hex(wc->hIcon), hex(wc->hCursor),
            hex(wc->hbrBackground), text(wc->lpszMenuName), text(wc->lpszClassName)}))
    return 0;
  registeredProc = wc->lpfnWndProc;
  return 1;
}

BOOL UnregisterClassA(LPCSTR name, HINSTANCE instance) {
  return call("UnregisterClassA", {text(name), hex(instance)}) ? FALSE : TRUE;
}

BOOL AdjustWindowRectEx(LPRECT r, DWORD style, BOOL menu, DWORD exStyle) {
  call("AdjustWindowRectEx", {num(r->left), num(r->top), num(r->right), num(r->bottom), hex(style),
                              num(menu), hex(exStyle)});
  if (style & 0x00C00000u) {  // a caption and a frame add borders around the client area
    r->left -= 8;
    r->top -= 31;
    r->right += 8;
    r->bottom += 8;
  }
  return TRUE;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR cls, LPCSTR title, DWORD style, int x, int y, int w,
                     int h, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  if (call("CreateWindowExA", {hex(exStyle), text(cls), text(title), hex(style), num(x), num(y),
                               num(w), num(h), hex(parent), hex(menu), hex(instance), hex(param)}))
    return NULL;
  platform().window = fake::WINDOW;
  // Windows sends a size while creating; the program must ignore it before the context.
  registeredProc(fake::WINDOW, WM_SIZE, 0, MAKELPARAM(w, h));
  return fake::WINDOW;
}

BOOL DestroyWindow(HWND h) {
  if (call("DestroyWindow", {hex(h)})) return FALSE;
  platform().window = NULL;
  return TRUE;
}

BOOL IsWindow(HWND h) {
  call("IsWindow", {hex(h)});
  return (h != NULL && h == platform().window) || platform().foreignWindows.count(h) != 0;
}

HWND SetParent(HWND child, HWND parent) {
  call("SetParent", {hex(child), hex(parent)});
  return NULL;
}
LONG SetWindowLongA(HWND h, int index, LONG value) {
  call("SetWindowLongA", {hex(h), num(index), hex((DWORD)value)});
  return 0;
}
BOOL ShowWindow(HWND h, int show) {
  call("ShowWindow", {hex(h), num(show)});
  return FALSE;
}
BOOL SetForegroundWindow(HWND h) {
  call("SetForegroundWindow", {hex(h)});
  return TRUE;
}
HWND SetFocus(HWND h) {
  call("SetFocus", {hex(h)});
  return NULL;
}
BOOL SetWindowPos(HWND h, HWND after, int x, int y, int cx, int cy, UINT flags) {
  call("SetWindowPos",
       {hex(h), num((intptr_t)after), num(x), num(y), num(cx), num(cy), hex(flags)});
  return TRUE;
}
int ShowCursor(BOOL show) {
  call("ShowCursor", {num(show)});
  return platform().cursorCount += show ? 1 : -1;
}

BOOL GetCursorPos(LPPOINT p) {
  *p = platform().cursor;
  return TRUE;
}

int GetSystemMetrics(int index) {
  call("GetSystemMetrics", {num(index)});
  return index == SM_CXSCREEN ? platform().screenWidth : platform().screenHeight;
}

BOOL EnumDisplaySettingsA(LPCSTR device, DWORD mode, DEVMODEA* dm) {
  if (call("EnumDisplaySettingsA", {text(device), num((int)mode), num(dm->dmBitsPerPel)}))
    return FALSE;
  dm->dmBitsPerPel = 24;
  dm->dmDisplayFrequency = platform().refreshRate;
  return TRUE;
}

BOOL PeekMessageA(LPMSG msg, HWND h, UINT first, UINT last, UINT remove) {
  call("PeekMessageA", {hex(h), num(first), num(last), num(remove)});
  if (platform().queue.empty()) return FALSE;
  *msg = platform().queue.front();
  platform().queue.pop_front();
  return TRUE;
}

BOOL TranslateMessage(const MSG* msg) {
  call("TranslateMessage", {hex(msg->message)});
  return FALSE;
}

LRESULT DispatchMessageA(const MSG* msg) {
  call("DispatchMessageA", {hex(msg->message)});
  return registeredProc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

// The default handling of Alt+F4 closes the window.
LRESULT DefWindowProcA(HWND h, UINT msg, WPARAM wParam, LPARAM) {
  call("DefWindowProcA", {hex(msg), hex(wParam)});
  if (msg == WM_SYSKEYDOWN && wParam == VK_F4) registeredProc(h, WM_CLOSE, 0, 0);
  return 0;
}

void PostQuitMessage(int code) {
  call("PostQuitMessage", {num(code)});
  platform().postMessage(WM_QUIT, (WPARAM)code);
}

// The user takes a second to read each box.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
  call("MessageBoxA", {hex(owner)});
  platform().boxes.push_back({text, caption, style});
  fake::advanceClock(1.0);
  return IDOK;
}

HDC GetDC(HWND h) { return call("GetDC", {hex(h)}) ? NULL : fake::DC; }
int ReleaseDC(HWND h, HDC dc) { return call("ReleaseDC", {hex(h), hex(dc)}) ? 0 : 1; }
int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* p) {
  return call("ChoosePixelFormat", {hex(dc), pixelFormat(p)}) ? 0 : 3;
}
BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* p) {
  return call("SetPixelFormat", {hex(dc), num(format), pixelFormat(p)}) ? FALSE : TRUE;
}

BOOL SwapBuffers(HDC dc) {
  call("SwapBuffers", {hex(dc)});
  platform().swaps++;
  if (platform().onSwapBuffers) platform().onSwapBuffers();
  if (platform().swaps == 1000) platform().postMessage(WM_QUIT, 1000);  // a run that would not end
  return TRUE;
}

HGLRC wglCreateContext(HDC dc) { return call("wglCreateContext", {hex(dc)}) ? NULL : fake::RC; }

BOOL wglMakeCurrent(HDC dc, HGLRC rc) {
  return call("wglMakeCurrent", {hex(dc), hex(rc)}, rc ? nullptr : "wglMakeCurrent(NULL)") ? FALSE
                                                                                           : TRUE;
}

BOOL wglDeleteContext(HGLRC rc) { return call("wglDeleteContext", {hex(rc)}) ? FALSE : TRUE; }

static BOOL WINAPI wglSwapIntervalEXT(int interval) {
  call("wglSwapIntervalEXT", {num(interval)});
  return TRUE;
}

PROC wglGetProcAddress(LPCSTR name) {
  call("wglGetProcAddress", {text(name)});
  bool offered = platform().swapControl && strcmp(name, "wglSwapIntervalEXT") == 0;
  return offered ? reinterpret_cast<PROC>(reinterpret_cast<void*>(wglSwapIntervalEXT)) : NULL;
}

// Time passes only in the scripted clock.
void Sleep(DWORD milliseconds) {
  call("Sleep", {num(milliseconds)});
  fake::advanceClock(milliseconds / 1000.0);
}

UINT timeBeginPeriod(UINT period) {
  call("timeBeginPeriod", {num(period)});
  return TIMERR_NOERROR;
}

UINT timeEndPeriod(UINT period) {
  call("timeEndPeriod", {num(period)});
  return TIMERR_NOERROR;
}

LSTATUS RegOpenKeyExA(HKEY root, LPCSTR sub, DWORD options, REGSAM access, PHKEY key) {
  if (call("RegOpenKeyExA", {hex(root), text(sub), num(options), hex(access)}))
    return ERROR_FILE_NOT_FOUND;
  *key = KEY;
  return ERROR_SUCCESS;
}

// Like the registry, copies what fits; a value too large for the buffer reports more data and
// leaves the buffer filled. The stored text carries no terminating zero.
LSTATUS RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                         LPDWORD size) {
  call("RegQueryValueExA", {hex(key), text(name), hex(reserved), num(*size)});
  if (key != KEY || !platform().parentHwndValue) return ERROR_FILE_NOT_FOUND;
  const std::string& value = *platform().parentHwndValue;
  *type = REG_SZ;
  memcpy(data, value.data(), std::min<size_t>(value.size(), *size));
  if (value.size() > *size) return ERROR_MORE_DATA;
  *size = (DWORD)value.size();
  return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY key) {
  call("RegCloseKey", {hex(key)});
  return ERROR_SUCCESS;
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
  call("GetModuleFileNameA", {hex(module), num(size)});
  const std::string& name = platform().moduleFileName;
  DWORD n = (DWORD)std::min<size_t>(name.size(), size - 1);
  memcpy(buffer, name.data(), n);
  buffer[n] = 0;
  return n;
}

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  if (call("GlobalAlloc", {hex(flags)})) return NULL;
  return calloc(bytes ? bytes : 1, 1);
}

HGLOBAL GlobalFree(HGLOBAL mem) {
  call("GlobalFree");
  free(mem);
  return NULL;
}

int _chdir(const char* dirname) {
  call("_chdir", {text(dirname)});
  return 0;
}

long _filelength(int fd) {
  struct stat st;
  return fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? (long)st.st_size : -1;
}

int _stricmp(const char* a, const char* b) { return strcasecmp(a, b); }
