// Gives the program's globals the values a fresh process starts with, between tests: the values
// they had when the first test began.
#include <string.h>

#include "host/glwindow.h"
#include "image/textureset.h"
#include "tests/double/win32_double.h"

namespace fake {
namespace {

struct Globals {
  HINSTANCE hInstance;
  HWND hWnd, lHwndParent;
  HDC hDC;
  HGLRC hRC;
  bool active, fullscreen, escapePressed, keys[256];
  GLuint texture[8];
};

Globals current() {
  Globals g = {hInstance, hWnd, lHwndParent, hDC, hRC, active, fullscreen, escapePressed, {}, {}};
  memcpy(g.keys, keys, sizeof keys);
  memcpy(g.texture, texture, sizeof texture);
  return g;
}

}  // namespace

void resetProgramGlobals() {
  static const Globals initial = current();
  hInstance = initial.hInstance;
  hWnd = initial.hWnd;
  lHwndParent = initial.lHwndParent;
  hDC = initial.hDC;
  hRC = initial.hRC;
  active = initial.active;
  fullscreen = initial.fullscreen;
  escapePressed = initial.escapePressed;
  memcpy(keys, initial.keys, sizeof keys);
  memcpy(texture, initial.texture, sizeof texture);
}

int runWinMain(const char* cmdLine) {
  std::string text = cmdLine;
  return WinMain(GetModuleHandleA(NULL), NULL, &text[0], SW_SHOW);
}

}  // namespace fake
