// The Linux entry point. Run by a screen-saver daemon as its hack (XScreenSaver's contract:
// `--root`, `-root`, `--window-id ID` or `-window-id ID`, the window in XSCREENSAVER_WINDOW), the
// program draws into the daemon's window and leaves the input to it: this layer then answers
// as for a preview in that window, and WinMain runs exactly as for "/s". The daemon ends its
// hack with SIGTERM and counts only a death by that signal as normal, so after the teardown
// the hack dies of it. Otherwise WinMain gets the arguments joined by single blanks, so a quoted
// "/s " keeps its trailing blank.
#include <ctype.h>
#include <errno.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "platform/linux/x11.h"

namespace {

bool is(const char* arg, const char* name) { return strcmp(arg, name) == 0; }

// A window id in hexadecimal (0x...) or decimal, digits only: no blank, no sign, no more than
// an X id's 32 bits; 0 when the text is none.
Window parseWindow(const char* text) {
  if (!text) return 0;
  bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  unsigned char first = text[hex ? 2 : 0];
  if (!(hex ? isxdigit(first) : isdigit(first))) return 0;  // strtoull would skip or sign
  char* end = nullptr;
  errno = 0;
  unsigned long long id = strtoull(text, &end, hex ? 16 : 10);
  return *end == 0 && errno == 0 && id <= 0xFFFFFFFF ? (Window)id : 0;
}

// The daemon's window when the arguments and the environment ask for hosting, else 0 (and
// *asked false). `--root` without a window names the root window itself.
Window hostWindow(int argc, char** argv, bool* asked) {
  bool root = false;
  const char* id = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (is(argv[i], "--root") || is(argv[i], "-root"))
      root = true;
    else if ((is(argv[i], "--window-id") || is(argv[i], "-window-id")) && i + 1 < argc)
      id = argv[++i];
    else {
      *asked = false;  // another argument: the standalone program
      return 0;
    }
  }
  const char* fromDaemon = getenv("XSCREENSAVER_WINDOW");
  *asked = root || id || fromDaemon;
  if (id || fromDaemon) return parseWindow(id ? id : fromDaemon);
  Display* d = x11::display();
  return root && d ? DefaultRootWindow(d) : 0;
}

}  // namespace

int main(int argc, char** argv) {
  x11::installStopSignals();
  bool hosted = false;
  Window host = hostWindow(argc, argv, &hosted);
  std::string cmdLine;
  if (hosted) {
    if (!host) return 0;  // no window to draw into: nothing to do
    x11::state().hostWindow = host;
    cmdLine = "/s";
  } else {
    for (int i = 1; i < argc; ++i) cmdLine += (i > 1 ? " " : "") + std::string(argv[i]);
  }
  int code = WinMain(GetModuleHandleA(NULL), NULL, cmdLine.data(), SW_SHOW);
  if (int sig = hosted ? x11::state().stopSignalled : 0) {
    signal(sig, SIG_DFL);
    raise(sig);
  }
  return code;
}
