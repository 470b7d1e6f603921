// A stand-in for the screen-saver settings dialog's preview area, for the Windows tests:
// opens a window, prints its handle in decimal, and destroys it once the file named on the
// command line exists, so the test decides when the parent disappears.
#include <stdio.h>
#include <windows.h>

static const char* goneFlag;

static LRESULT CALLBACK parentProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && GetFileAttributesA(goneFlag) != INVALID_FILE_ATTRIBUTES) {
    DestroyWindow(wnd);
    return 0;
  }
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: parentwin FLAGFILE\n");
    return 2;
  }
  goneFlag = argv[1];
  WNDCLASSA wc = {};
  wc.lpfnWndProc = parentProc;
  wc.hInstance = GetModuleHandleA(NULL);
  wc.hbrBackground = (HBRUSH)GetStockObject(GRAY_BRUSH);
  wc.lpszClassName = "DravikPreviewHost";
  if (!RegisterClassA(&wc)) return 1;
  HWND wnd = CreateWindowExA(0, wc.lpszClassName, "Dravik Preview Host", WS_OVERLAPPEDWINDOW, 100,
                             100, 320, 240, NULL, NULL, wc.hInstance, NULL);
  if (!wnd) return 1;
  ShowWindow(wnd, SW_SHOW);
  SetTimer(wnd, 1, 100, NULL);
  printf("%lu\n", (unsigned long)(ULONG_PTR)wnd);
  fflush(stdout);
  MSG msg;
  while (GetMessageA(&msg, NULL, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
