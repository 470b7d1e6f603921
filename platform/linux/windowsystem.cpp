// Choosing the window system, once, at the first call that needs a display: DRAVIK_BACKEND=x11
// or DRAVIK_BACKEND=wayland uses that one alone. Otherwise Wayland when a compositor can be
// reached (WAYLAND_DISPLAY or WAYLAND_SOCKET) and the run names no X window (a daemon's window,
// or a preview's parent in the setting), and X11 when it names one or Wayland cannot be reached.
#include "platform/linux/windowsystem.h"

#include <stdlib.h>
#include <string.h>

namespace x11 {
const layer::WindowSystem* connect();
}
namespace wayland {
const layer::WindowSystem* connect();
}

namespace layer {
namespace {

bool namesXWindow() {
  return launch().windowNamed || (!launch().hosted && atoi(userSetting().c_str()) != 0);
}

const WindowSystem* choose() {
  const char* forced = getenv("DRAVIK_BACKEND");
  if (forced && strcmp(forced, "x11") == 0) return x11::connect();
  if (forced && strcmp(forced, "wayland") == 0) return wayland::connect();
  const WindowSystem* ws = nullptr;
  if ((getenv("WAYLAND_DISPLAY") || getenv("WAYLAND_SOCKET")) && !namesXWindow())
    ws = wayland::connect();
  return ws ? ws : x11::connect();
}

}  // namespace

const WindowSystem* windowSystem() {
  static const WindowSystem* chosen = choose();
  return chosen;
}

}  // namespace layer
