// Linux entry point: hands WinMain the command-line text after the program name.
#include <string>

#include "platform/linux/signals.h"
#include "platform/system.h"

int main(int argc, char** argv) {
  // Arguments joined by single blanks, so a quoted "/s " keeps its trailing blank.
  std::string cmdLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) cmdLine += ' ';
    cmdLine += argv[i];
  }
  installStopSignals();
  return WinMain(GetModuleHandleA(NULL), NULL, cmdLine.data(), SW_SHOW);
}
