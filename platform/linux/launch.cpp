// How the program was launched: standalone, or as a screen-saver daemon's hack (XScreenSaver's
// contract: `--root`, `-root`, `--window-id ID` or `-window-id ID`, the window in
// XSCREENSAVER_WINDOW). Read from /proc/self/cmdline, so that the first call into the layer,
// made during static initialisation before main, already knows it.
#include <ctype.h>
#include <errno.h>
#include <stdlib.h>
#include <string.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/linux/layer.h"

namespace layer {
namespace {

bool is(const char* arg, const char* name) { return strcmp(arg, name) == 0; }

// A window id in hexadecimal (0x...) or decimal, digits only: no blank, no sign, no more than
// an X id's 32 bits; 0 when the text is none.
unsigned long parseWindow(const char* text) {
  bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  unsigned char first = text[hex ? 2 : 0];
  if (!(hex ? isxdigit(first) : isdigit(first))) return 0;  // strtoull would skip or sign
  char* end = nullptr;
  errno = 0;
  unsigned long long id = strtoull(text, &end, hex ? 16 : 10);
  return *end == 0 && errno == 0 && id <= 0xFFFFFFFF ? (unsigned long)id : 0;
}

}  // namespace

Launch parseLaunch(int argc, char** argv, const char* screensaverWindow) {
  Launch l;
  const char* id = nullptr;
  for (int i = 0; i < argc; ++i) {
    if (is(argv[i], "--root") || is(argv[i], "-root"))
      l.root = true;
    else if ((is(argv[i], "--window-id") || is(argv[i], "-window-id")) && i + 1 < argc)
      id = argv[++i];
    else
      return Launch();  // another argument: the standalone program
  }
  if (!id) id = screensaverWindow;
  l.windowNamed = id != nullptr;
  l.hosted = l.root || l.windowNamed;
  l.window = id ? parseWindow(id) : 0;
  return l;
}

const Launch& launch() {
  static const Launch once = [] {
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<char*> args;  // NUL-separated, the program's name first
    for (size_t at = all.find('\0'); at != std::string::npos && at + 1 < all.size();
         at = all.find('\0', at + 1))
      args.push_back(&all[at + 1]);
    return parseLaunch((int)args.size(), args.data(), getenv("XSCREENSAVER_WINDOW"));
  }();
  return once;
}

}  // namespace layer
