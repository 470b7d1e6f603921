// The Linux entry point. Run by a screen-saver daemon as its hack (launch.cpp), the program draws
// into what the window system readies for it (a daemon's window, or on Wayland the desktop's
// background) and leaves the input to the host: WinMain runs exactly as for "/s". A daemon ends
// its hack with SIGTERM and counts only a death by that signal as normal, so after the teardown
// the hack dies of it. Otherwise WinMain gets the arguments joined by single blanks, so a quoted
// "/s " keeps its trailing blank.
#include <string>

#include "platform/linux/windowsystem.h"

int main(int argc, char** argv) {
  layer::installStopSignals();
  const layer::Launch& launch = layer::launch();
  std::string cmdLine;
  if (launch.hosted) {
    const layer::WindowSystem* ws = layer::windowSystem();
    if (!ws || !ws->beginHosting(launch)) return 0;  // nothing to draw into
    cmdLine = "/s";
  } else {
    for (int i = 1; i < argc; ++i) cmdLine += (i > 1 ? " " : "") + std::string(argv[i]);
  }
  int code = WinMain(GetModuleHandleA(NULL), NULL, cmdLine.data(), SW_SHOW);
  if (int sig = launch.hosted ? layer::state().stopSignalled : 0) {
    signal(sig, SIG_DFL);
    raise(sig);
  }
  return code;
}
