// A stand-in for the screen-saver settings dialog's preview area: opens a window and prints its
// handle in decimal; once the file named on the command line exists, prints the title of the
// window's child (the preview, which belongs to another process) and destroys the window, so the
// test decides when the parent goes away.
#include <stdio.h>
#include <windows.h>

int main(int argc, char** argv) {
  HWND wnd = CreateWindowExA(0, "STATIC", "Dravik Preview Host",
                             WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 100, 100, 320, 240,
                             NULL, NULL, NULL, NULL);
  if (!wnd || argc < 2) return 1;
  printf("%lu\n", (unsigned long)(ULONG_PTR)wnd);
  fflush(stdout);
  SetTimer(NULL, 0, 100, NULL);  // a message at least every 0.1 s, to look for the file
  MSG msg;
  while (GetFileAttributesA(argv[1]) == INVALID_FILE_ATTRIBUTES &&
         GetMessageA(&msg, NULL, 0, 0) > 0)
    DispatchMessageA(&msg);
  char title[64] = "";
  GetWindowTextA(GetWindow(wnd, GW_CHILD), title, sizeof title);
  printf("child: %s\n", title);
  fflush(stdout);
  DestroyWindow(wnd);
  return 0;
}
