// A window of another program for preview runs: created through the platform layer, its id
// printed in decimal on stdout; it is destroyed when stdin closes.
#include <stdio.h>

#include "platform/system.h"

static LRESULT CALLBACK parentProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hWnd, message, wParam, lParam);
}

int main() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = parentProc;
  wc.lpszClassName = "PreviewParent";
  if (!RegisterClassA(&wc)) return 1;
  HWND parent = CreateWindowExA(0, "PreviewParent", "Preview parent", WS_OVERLAPPEDWINDOW, 0, 0,
                                320, 240, NULL, NULL, NULL, NULL);
  if (!parent) return 2;
  ShowWindow(parent, SW_SHOW);
  printf("%lu\n", (unsigned long)(uintptr_t)parent);
  fflush(stdout);
  while (getchar() != EOF) {
  }
  DestroyWindow(parent);
  return 0;
}
