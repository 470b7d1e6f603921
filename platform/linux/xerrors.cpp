// X errors are recorded, never fatal: a foreign window may vanish at any time.
#include "platform/linux/xwin.h"

namespace {

// The innermost live trap: which connection, from which request on, and what it caught.
struct TrapState {
  Display* display;
  unsigned long firstSerial;
  int code;
};
TrapState current;  // display NULL: no trap

int recordXError(Display* display, XErrorEvent* error) {
  if (current.display == display && error->serial >= current.firstSerial && current.code == 0)
    current.code = error->error_code;
  return 0;  // errors outside a trap belong to calls that have returned; they are dropped
}

}  // namespace

void installXErrorHandler() {
  static bool installed;
  if (!installed) XSetErrorHandler(recordXError);
  installed = true;
}

// Errors are told apart by request serial number, so neither end of a trap needs to wait for
// the server: earlier requests' errors have smaller serials, and errors that arrive after the
// trap has ended belong to calls that did not ask.
XErrorTrap::XErrorTrap(Display* display)
    : display_(display),
      outerDisplay_(current.display),
      outerSerial_(current.firstSerial),
      outerCode_(current.code) {
  installXErrorHandler();
  current = TrapState{display_, NextRequest(display_), 0};
}

XErrorTrap::~XErrorTrap() { current = TrapState{outerDisplay_, outerSerial_, outerCode_}; }

bool XErrorTrap::failed() {
  XSync(display_, False);
  return current.code != 0;
}
