// The display as the program sees it: the cursor, the primary display's size and the current
// display mode, over the window system in use.
// Implements ShowCursor, GetCursorPos, GetSystemMetrics and EnumDisplaySettingsA for the calls
// the program makes; the display mode is only read, never changed.
#include "platform/linux/windowsystem.h"

using namespace layer;

int ShowCursor(BOOL show) {
  State& s = state();
  bool wasShown = s.cursorCount >= 0;
  s.cursorCount += show ? 1 : -1;
  const WindowSystem* ws = windowSystem();
  if (ws && wasShown != (s.cursorCount >= 0))
    for (auto& entry : s.windows) ws->applyCursor(entry.second);
  return s.cursorCount;
}

// Hosted by a daemon or a locker, the pointer is the host's business: its position is not read.
BOOL GetCursorPos(LPPOINT point) {
  const WindowSystem* ws = windowSystem();
  if (!ws || launch().hosted) return FALSE;
  return ws->cursorPosition(point) ? TRUE : FALSE;
}

// The primary display is the primary output (the window system says which, and its size when
// the program is hosted).
int GetSystemMetrics(int index) {
  const WindowSystem* ws = windowSystem();
  if (!ws) return 0;
  Output primary = ws->outputs().front();
  return index == SM_CXSCREEN ? primary.width : index == SM_CYSCREEN ? primary.height : 0;
}

// The current mode: the display's colour depth and the primary output's refresh rate (0, the
// hardware's default, when unknown). The mode is never changed here.
BOOL EnumDisplaySettingsA(LPCSTR deviceName, DWORD modeNum, DEVMODEA* mode) {
  const WindowSystem* ws = windowSystem();
  if (!ws || deviceName || modeNum != ENUM_CURRENT_SETTINGS) return FALSE;
  mode->dmBitsPerPel = (DWORD)ws->colourDepth();
  mode->dmDisplayFrequency = (DWORD)ws->outputs().front().refreshHz;
  return TRUE;
}
