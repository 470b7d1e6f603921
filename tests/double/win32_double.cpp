// The scripted Win32 double: every call is logged by name and answered from fake::platform().
#include "tests/double/win32_double.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>

namespace fake {

Platform& platform() {
  static Platform p;  // built on first use: static initialisation of the program calls in early
  return p;
}

void reset() { platform() = Platform(); }

int Platform::count(const std::string& name) const {
  return (int)std::count(calls.begin(), calls.end(), name);
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

const HWND kOurWindow = (HWND)(uintptr_t)0x4200001;
const HDC kOurDC = (HDC)(uintptr_t)0x4300001;
const HGLRC kOurRC = (HGLRC)(uintptr_t)0x4400001;
const HKEY kOurKey = (HKEY)(uintptr_t)0x4500001;
WNDPROC registeredProc = nullptr;

// Logs the call and tells whether the test wants it to fail.
bool call(const char* name) {
  platform().calls.push_back(name);
  return platform().fails(name);
}

}  // namespace

HMODULE GetModuleHandleA(LPCSTR) {
  call("GetModuleHandleA");
  return (HMODULE)(uintptr_t)0x400000;
}
HICON LoadIconA(HINSTANCE, LPCSTR) {
  call("LoadIconA");
  return (HICON)(uintptr_t)1;
}
HCURSOR LoadCursorA(HINSTANCE, LPCSTR) {
  call("LoadCursorA");
  return (HCURSOR)(uintptr_t)1;
}

ATOM RegisterClassA(const WNDCLASSA* wc) {
  if (call("RegisterClassA")) return 0;
  registeredProc = wc->lpfnWndProc;
  platform().classRegistered = true;
  return 1;
}

BOOL UnregisterClassA(LPCSTR, HINSTANCE) {
  if (call("UnregisterClassA")) return FALSE;
  platform().classRegistered = false;
  return TRUE;
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL, DWORD) {
  call("AdjustWindowRectEx");
  if (style & 0x00C00000u) {  // a caption and a frame add borders around the client area
    rect->left -= 8;
    rect->top -= 31;
    rect->right += 8;
    rect->bottom += 8;
  }
  return TRUE;
}

HWND CreateWindowExA(DWORD, LPCSTR, LPCSTR, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE,
                     LPVOID) {
  if (call("CreateWindowExA")) return NULL;
  platform().window = kOurWindow;
  // Windows sends a size while creating; the program must ignore it before the context.
  if (registeredProc) {
    registeredProc(kOurWindow, WM_SIZE, 0,
                   (LPARAM)((platform().screenHeight << 16) | platform().screenWidth));
    platform().calls.push_back("WM_SIZE sent");
  }
  return kOurWindow;
}

BOOL DestroyWindow(HWND) {
  if (call("DestroyWindow")) return FALSE;
  platform().window = NULL;
  return TRUE;
}

BOOL IsWindow(HWND h) {
  call("IsWindow");
  return (h != NULL && h == platform().window) || platform().foreignWindows.count(h) != 0;
}

HWND SetParent(HWND, HWND) {
  call("SetParent");
  return NULL;
}
LONG SetWindowLongA(HWND, int, LONG) {
  call("SetWindowLongA");
  return 0;
}
BOOL ShowWindow(HWND, int) {
  call("ShowWindow");
  return TRUE;
}
BOOL SetForegroundWindow(HWND) {
  call("SetForegroundWindow");
  return TRUE;
}
HWND SetFocus(HWND) {
  call("SetFocus");
  return NULL;
}
BOOL SetWindowPos(HWND, HWND, int, int, int, int, UINT) {
  call("SetWindowPos");
  return TRUE;
}
int ShowCursor(BOOL show) {
  call("ShowCursor");
  return platform().cursorCount += show ? 1 : -1;
}

BOOL GetCursorPos(LPPOINT p) {
  if (call("GetCursorPos")) return FALSE;
  *p = platform().cursor;
  return TRUE;
}

int GetSystemMetrics(int index) {
  call("GetSystemMetrics");
  return index == SM_CXSCREEN ? platform().screenWidth : platform().screenHeight;
}

BOOL EnumDisplaySettingsA(LPCSTR, DWORD, DEVMODEA* dm) {
  if (call("EnumDisplaySettingsA")) return FALSE;
  dm->dmBitsPerPel = platform().bitsPerPel;
  return TRUE;
}

BOOL PeekMessageA(LPMSG msg, HWND, UINT, UINT, UINT) {
  platform().calls.push_back("PeekMessageA");
  if (platform().onPeekMessage) platform().onPeekMessage();
  if (platform().queue.empty()) return FALSE;
  *msg = platform().queue.front();
  platform().queue.pop_front();
  return TRUE;
}

BOOL TranslateMessage(const MSG*) {
  call("TranslateMessage");
  return FALSE;
}

LRESULT DispatchMessageA(const MSG* msg) {
  call("DispatchMessageA");
  return registeredProc ? registeredProc(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}

LRESULT DefWindowProcA(HWND, UINT msg, WPARAM wParam, LPARAM) {
  call("DefWindowProcA");
  // The default handling of Alt+F4 closes the window.
  if (msg == WM_SYSKEYDOWN && wParam == VK_F1 + 3 && registeredProc)
    registeredProc(platform().window, WM_CLOSE, 0, 0);
  return 0;
}

void PostQuitMessage(int code) {
  call("PostQuitMessage");
  platform().postMessage(WM_QUIT, (WPARAM)code);
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT style) {
  call("MessageBoxA");
  platform().boxes.push_back({text ? text : "", caption ? caption : "", style});
  return IDOK;
}

HDC GetDC(HWND) { return call("GetDC") ? NULL : kOurDC; }
int ReleaseDC(HWND, HDC) { return call("ReleaseDC") ? 0 : 1; }
int ChoosePixelFormat(HDC, const PIXELFORMATDESCRIPTOR*) {
  return call("ChoosePixelFormat") ? 0 : 1;
}
BOOL SetPixelFormat(HDC, int, const PIXELFORMATDESCRIPTOR*) {
  return call("SetPixelFormat") ? FALSE : TRUE;
}

BOOL SwapBuffers(HDC) {
  call("SwapBuffers");
  platform().swaps++;
  if (platform().onSwapBuffers) platform().onSwapBuffers();
  return TRUE;
}

HGLRC wglCreateContext(HDC) { return call("wglCreateContext") ? NULL : kOurRC; }

BOOL wglMakeCurrent(HDC, HGLRC rc) {
  if (call(rc ? "wglMakeCurrent" : "wglMakeCurrent(NULL)")) return FALSE;
  platform().current = rc;
  return TRUE;
}

BOOL wglDeleteContext(HGLRC) { return call("wglDeleteContext") ? FALSE : TRUE; }

LSTATUS RegOpenKeyExA(HKEY, LPCSTR, DWORD, REGSAM, PHKEY key) {
  if (call("RegOpenKeyExA")) return ERROR_FILE_NOT_FOUND;
  *key = kOurKey;
  return ERROR_SUCCESS;
}

LSTATUS RegQueryValueExA(HKEY key, LPCSTR, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
  if (call("RegQueryValueExA") || key != kOurKey || !platform().parentHwndValue)
    return ERROR_FILE_NOT_FOUND;
  const std::string& value = *platform().parentHwndValue;
  if (type) *type = platform().parentHwndType;
  // Like the registry, copy what fits; a value too large for the buffer reports more data
  // and leaves the buffer filled.
  DWORD n = (DWORD)std::min<size_t>(value.size(), *size);
  memcpy(data, value.data(), n);
  if (value.size() > *size) return ERROR_MORE_DATA;
  *size = (DWORD)value.size();
  return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY) {
  call("RegCloseKey");
  return ERROR_SUCCESS;
}

DWORD GetModuleFileNameA(HMODULE, LPSTR buffer, DWORD size) {
  call("GetModuleFileNameA");
  const std::string& name = platform().moduleFileName;
  DWORD n = (DWORD)std::min<size_t>(name.size(), size - 1);
  memcpy(buffer, name.data(), n);
  buffer[n] = 0;
  return n;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* f) {
  f->QuadPart = platform().frequency;
  return TRUE;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* c) {
  c->QuadPart = platform().counter;
  return TRUE;
}

HGLOBAL GlobalAlloc(UINT, SIZE_T bytes) {
  if (call("GlobalAlloc")) return NULL;
  return calloc(bytes ? bytes : 1, 1);
}

HGLOBAL GlobalFree(HGLOBAL mem) {
  call("GlobalFree");
  free(mem);
  return NULL;
}

int _chdir(const char* dirname) {
  call("_chdir");
  platform().lastChdir = dirname;
  return 0;
}
