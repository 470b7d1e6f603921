// The scripted platform double: records what the program asks of Win32 and lets tests
// decide every answer, so each start-up, loop and teardown path runs without a display.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/system.h"

namespace fake {

struct MessageBox {
  std::string text;
  std::string caption;
  UINT style;
};

struct Platform {
  // Every Win32 call by name, in order (teardown and creation order are read from here).
  std::vector<std::string> calls;
  std::vector<MessageBox> boxes;

  // Names of calls that return their failure value.
  std::set<std::string> failing;

  // Message queue read by PeekMessageA; PostQuitMessage appends to it.
  std::deque<MSG> queue;

  POINT cursor{0, 0};
  int screenWidth = 640;
  int screenHeight = 480;
  DWORD bitsPerPel = 24;

  // Registry: the bytes of "ParentHWND" (no value when empty), and its type.
  std::optional<std::string> parentHwndValue;
  DWORD parentHwndType = REG_SZ;

  // The executable's path as GetModuleFileNameA reports it.
  std::string moduleFileName = "/opt/dravik/dravik";
  std::string lastChdir;

  // Windows that exist besides our own (IsWindow is true for them).
  std::set<HWND> foreignWindows;

  // Performance counter: frequency and current value, advanced by the tests.
  LONGLONG frequency = 1000000;
  LONGLONG counter = 0;

  // Optional hooks, run inside the calls of the same name.
  std::function<void()> onSwapBuffers;
  std::function<void()> onPeekMessage;

  // State the double keeps.
  bool classRegistered = false;
  HWND window = NULL;
  HGLRC current = NULL;
  int cursorCount = 0;
  int swaps = 0;

  bool fails(const std::string& name) const { return failing.count(name) != 0; }
  int count(const std::string& name) const;
  void postMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
};

// The one platform the program talks to; reset() gives each test a fresh one.
Platform& platform();
void reset();

// Puts the program's own globals back to their start values, as a fresh process has them.
void resetProgramGlobals();

// Runs WinMain with the given command line.
int runWinMain(const char* cmdLine);

}  // namespace fake
