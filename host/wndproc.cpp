// The window procedure: keeps the keyboard and activation state and the projection current.
#include "host/glwindow.h"

LRESULT CALLBACK WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  switch (uMsg) {
    case WM_ACTIVATE:
      active = HIWORD(wParam) == 0;  // false only while minimised
      return 0;
    case WM_SYSCOMMAND:
      if (wParam == SC_MONITORPOWER) return 0;  // keep the monitor powered
      break;
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    case WM_KEYDOWN:
      if (wParam < 256) keys[wParam] = true;
      if (wParam == VK_ESCAPE) escapePressed = true;
      return 0;
    case WM_KEYUP:
      if (wParam < 256) keys[wParam] = false;
      return 0;
    case WM_SIZE:
      // The platform sends sizes while the window is being created; until the
      // context exists there is nothing to resize, and CreateGLWindow sets it later.
      if (hRC) ReSizeGLScene(LOWORD(lParam), HIWORD(lParam));
      return 0;
  }
  return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}
