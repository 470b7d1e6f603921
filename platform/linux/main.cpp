// The Linux entry point: hands WinMain the command-line text after the program name, the
// arguments joined by single blanks (so a quoted "/s " keeps its trailing blank).
#include <string>

#include "platform/linux/x11.h"

int main(int argc, char** argv) {
  std::string cmdLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) cmdLine += ' ';
    cmdLine += argv[i];
  }
  x11::installStopSignals();
  return WinMain(GetModuleHandleA(NULL), NULL, cmdLine.data(), SW_SHOW);
}
