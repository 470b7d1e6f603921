// The lazily opened X display shared by every call of the layer.
#include "platform/linux/xwin.h"

// Plain zero-initialised globals: usable during static initialisation of other files.
static Display* openedDisplay;
static bool openTried;

Display* xDisplay() {
  if (!openTried) {
    openTried = true;
    installXErrorHandler();
    openedDisplay = XOpenDisplay(NULL);
  }
  return openedDisplay;
}
