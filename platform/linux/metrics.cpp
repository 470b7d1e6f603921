// The display's size and colour depth, as system metrics and the current display mode.
#include "platform/linux/xwin.h"

namespace {
const DWORD kBitsPerPel = 0x00040000;  // DM_BITSPERPEL
const DWORD kPelsWidth = 0x00080000;   // DM_PELSWIDTH
const DWORD kPelsHeight = 0x00100000;  // DM_PELSHEIGHT
const DWORD kRegistrySettings = (DWORD)-2;
}  // namespace

int GetSystemMetrics(int index) {
  Display* display = xDisplay();
  if (!display) return 0;
  if (index == SM_CXSCREEN) return DisplayWidth(display, DefaultScreen(display));
  if (index == SM_CYSCREEN) return DisplayHeight(display, DefaultScreen(display));
  return 0;
}

// The one mode there is: the screen as it is. The mode is never changed here.
BOOL EnumDisplaySettingsA(LPCSTR deviceName, DWORD modeNum, DEVMODEA* mode) {
  Display* display = xDisplay();
  if (!display || !mode || deviceName) return FALSE;
  if (modeNum != ENUM_CURRENT_SETTINGS && modeNum != kRegistrySettings && modeNum != 0)
    return FALSE;
  int screen = DefaultScreen(display);
  mode->dmFields = kBitsPerPel | kPelsWidth | kPelsHeight;
  mode->dmBitsPerPel = (DWORD)DefaultDepth(display, screen);
  mode->dmPelsWidth = (DWORD)DisplayWidth(display, screen);
  mode->dmPelsHeight = (DWORD)DisplayHeight(display, screen);
  mode->dmDisplayFrequency = 0;  // unknown: the hardware's default
  return TRUE;
}
