// A window of the platform layer that prints every message it receives, one per line:
// "NAME wParam lParam" in hex. It runs until WM_QUIT; closing it posts WM_QUIT with 7.
#include <stdio.h>
#include <time.h>

#include "platform/system.h"

static const char* nameOf(UINT message) {
  switch (message) {
    case WM_SIZE:
      return "WM_SIZE";
    case WM_ACTIVATE:
      return "WM_ACTIVATE";
    case WM_CLOSE:
      return "WM_CLOSE";
    case WM_KEYDOWN:
      return "WM_KEYDOWN";
    case WM_KEYUP:
      return "WM_KEYUP";
    case WM_SYSKEYDOWN:
      return "WM_SYSKEYDOWN";
    case WM_SYSKEYUP:
      return "WM_SYSKEYUP";
    case WM_SYSCOMMAND:
      return "WM_SYSCOMMAND";
    case WM_MOUSEMOVE:
      return "WM_MOUSEMOVE";
    case WM_LBUTTONDOWN:
      return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP:
      return "WM_LBUTTONUP";
    case WM_MBUTTONDOWN:
      return "WM_MBUTTONDOWN";
    case WM_MBUTTONUP:
      return "WM_MBUTTONUP";
    case WM_RBUTTONDOWN:
      return "WM_RBUTTONDOWN";
    case WM_RBUTTONUP:
      return "WM_RBUTTONUP";
    case WM_MOUSEWHEEL:
      return "WM_MOUSEWHEEL";
  }
  return "WM_OTHER";
}

static LRESULT CALLBACK probeProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  printf("%s %lx %lx\n", nameOf(message), (unsigned long)wParam, (unsigned long)lParam);
  fflush(stdout);
  if (message == WM_CLOSE) {
    PostQuitMessage(7);
    return 0;
  }
  return DefWindowProcA(hWnd, message, wParam, lParam);
}

int main() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = probeProc;
  wc.lpszClassName = "MessageProbe";
  if (!RegisterClassA(&wc) || RegisterClassA(&wc)) return 1;  // a second registration fails
  HWND hWnd = CreateWindowExA(0, "MessageProbe", "Message probe", WS_POPUP, 0, 0, 200, 150, NULL,
                              NULL, NULL, NULL);
  if (!hWnd) return 2;
  ShowWindow(hWnd, SW_SHOW);
  SetForegroundWindow(hWnd);
  printf("READY %lu\n", (unsigned long)(uintptr_t)hWnd);
  fflush(stdout);
  MSG msg;
  for (;;) {
    if (!PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
      struct timespec pause = {0, 5 * 1000 * 1000};
      nanosleep(&pause, nullptr);
      continue;
    }
    if (msg.message == WM_QUIT) break;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  printf("WM_QUIT %lx\n", (unsigned long)msg.wParam);
  DestroyWindow(hWnd);
  return UnregisterClassA("MessageProbe", NULL) && !UnregisterClassA("MessageProbe", NULL) ? 0 : 3;
}
