// Gives the program's globals the values a fresh process starts with, between tests: the values
// they had when the first test began.
#include <string.h>

#include <map>
#include <string>

#include "host/glwindow.h"
#include "image/textureset.h"
#include "tests/double/win32_double.h"

namespace fake {
namespace {

// Keeps the global's bytes the first time it is seen, and puts them back every time.
void restore(void* global, size_t size) {
  static std::map<void*, std::string> initial;
  auto first = initial.emplace(global, std::string((const char*)global, size)).first;
  memcpy(global, first->second.data(), size);
}
#define RESTORE(global) restore(&global, sizeof global)

}  // namespace

void resetProgramGlobals() {
  RESTORE(hInstance), RESTORE(hWnd), RESTORE(lHwndParent), RESTORE(hDC), RESTORE(hRC);
  RESTORE(active), RESTORE(fullscreen), RESTORE(escapePressed), RESTORE(keys), RESTORE(texture);
}

int runWinMain(const char* cmdLine) {
  std::string text = cmdLine;
  return WinMain(GetModuleHandleA(NULL), NULL, &text[0], SW_SHOW);
}

}  // namespace fake
