// The display as the program sees it at start-up: the primary display's size and the current
// mode's refresh rate (0 when the mode gives none), the rate the program paces its frames to.
// Built for Linux over the platform layer, and by scripts/bench.sh with mingw to run under Wine.
//   dravik_bench_display_rate    prints "<width>x<height> <hz>"
#include <stdio.h>
#include <string.h>

#include "platform/system.h"

int main() {
  DEVMODEA mode;
  memset(&mode, 0, sizeof mode);
  if (!EnumDisplaySettingsA(NULL, ENUM_CURRENT_SETTINGS, &mode)) {
    fprintf(stderr, "no display mode (is DISPLAY set?)\n");
    return 1;
  }
  printf("%dx%d %lu\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
         (unsigned long)mode.dmDisplayFrequency);
  return 0;
}
