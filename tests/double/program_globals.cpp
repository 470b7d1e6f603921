// Gives the program's globals the values a fresh process starts with, between tests.
#include <string.h>

#include "host/glwindow.h"
#include "image/textureset.h"
#include "scene/mytime.h"
#include "tests/double/gl_recorder.h"
#include "tests/double/win32_double.h"

namespace fake {

void resetProgramGlobals() {
  hInstance = NULL;
  hWnd = NULL;
  hDC = NULL;
  hRC = NULL;
  active = true;
  memset(keys, 0, sizeof keys);
  fullscreen = true;
  lHwndParent = 0;
  memset(texture, 0, sizeof texture);
}

int runWinMain(const char* cmdLine) {
  std::string text = cmdLine;
  return WinMain(GetModuleHandleA(NULL), NULL, &text[0], SW_SHOW);
}

}  // namespace fake
