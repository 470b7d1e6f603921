// The scripted Win32 double: logs every call the program makes with its arguments, and lets a
// test decide every answer, so each start-up, loop and teardown path runs without a display.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/system.h"
#include "tests/double/gl_recorder.h"
#include "tests/double/scripted_clock.h"

namespace fake {

// The context the double gives out (its window is 0x4200001, its device context 0x4300001).
const HGLRC RC = (HGLRC)0x4400001;

struct MessageBox {
  std::string text, caption;
  UINT style;
};

struct Platform {
  // Every call in order, as "Name(arg,...)" (signed numbers in decimal, others in hexadecimal);
  // OpenGL calls made between them appear too, as the recorder writes them.
  std::vector<std::string> calls;
  std::vector<MessageBox> boxes;
  std::set<std::string> failing;  // names of calls that return their failure value

  std::deque<MSG> queue;  // read by PeekMessageA; PostQuitMessage appends
  POINT cursor{0, 0};
  DWORD refreshRate = 0;                       // the display mode's frequency: 0, unknown
  bool swapControl = false;                    // the driver offers wglSwapIntervalEXT
  std::optional<std::string> parentHwndValue;  // the stored "ParentHWND", without its zero
  std::string moduleFileName = "/opt/dravik/dravik";
  std::set<HWND> foreignWindows;  // windows besides ours for which IsWindow is true

  std::function<void()> onSwapBuffers;  // run inside each SwapBuffers
  int quitAfter = 1000;  // WM_QUIT is posted after this many frames presented: each run ends

  HWND window = NULL;  // ours while it exists
  int swaps = 0;

  bool fails(const std::string& name) const { return failing.count(name) != 0; }
  // Calls whose text starts with this (a name, or a name and its first arguments).
  int count(const std::string& prefix) const;
  int indexOf(const std::string& prefix) const;  // the first such call, or -1
  void postMessage(UINT m, WPARAM w = 0) { queue.push_back({window, m, w, 0, 0, {}}); }
};

// The one platform the program talks to; reset() gives each test a fresh one (and a fresh
// clock, recorder and program globals, as a new process has them).
Platform& platform();
void reset();

// Runs WinMain with the given command line.
int runWinMain(const char* cmdLine);

}  // namespace fake
