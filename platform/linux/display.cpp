// The lazily opened X display shared by every call of the layer.
#include <X11/XKBlib.h>

#include "platform/linux/xwin.h"

// Plain zero-initialised globals: usable during static initialisation of other files.
static Display* openedDisplay;
static bool openTried;

Display* xDisplay() {
  if (!openTried) {
    openTried = true;
    installXErrorHandler();
    openedDisplay = XOpenDisplay(NULL);
    // Held keys then repeat their press alone, as on Windows (keyboard.cpp also copes
    // with servers that still send release-press pairs).
    if (openedDisplay) XkbSetDetectableAutoRepeat(openedDisplay, True, nullptr);
  }
  return openedDisplay;
}
