// The program's entry point: start-up, then the main loop until a stop condition is met.
#include "host/winmain.h"

#include <string.h>

#include "host/framepacing.h"
#include "host/glwindow.h"
#include "host/mousemove.h"
#include "host/startup.h"
#include "scene/animation_state.h"
#include "scene/sequencer.h"

// Set during start-up, before they are read.
HWND lHwndParent;
int lPixelWidth;
int lPixelHeight;
int lPixelColorDepth;

// Whether Escape is down or went down since the last look; looking forgets the latter.
static bool escapeSeen() {
  bool seen = keys[VK_ESCAPE] || escapePressed;
  escapePressed = false;
  return seen;
}

static bool isStopMessage(UINT message) {
  return message == WM_QUIT || message == WM_LBUTTONDOWN || message == WM_MBUTTONDOWN ||
         message == WM_RBUTTONDOWN;
}

// One pass of the main loop: handle one message, or test for movement, draw and present.
static void runPass(MSG& msg, bool& done) {
  if (lHwndParent != 0 && !IsWindow(lHwndParent)) done = true;

  if (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
    if (isStopMessage(msg.message)) {
      done = true;
    } else {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    return;
  }

  if (MouseMove.IsMoved()) done = true;
  if ((active && !DrawGLScene()) || escapeSeen()) {
    done = true;
    return;
  }
  presentFrame(hDC);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpCmdLine, int) {
  bool done = false;
  initsterrenveld();
  lHwndParent = readParentHwnd();
  enterExecutableFolder();
  if (!isRunRequest(lpCmdLine)) return 0;

  fullscreen = lHwndParent == 0;
  lPixelWidth = GetSystemMetrics(SM_CXSCREEN);
  lPixelHeight = GetSystemMetrics(SM_CYSCREEN);

  DEVMODEA devMode;
  memset(&devMode, 0, sizeof devMode);
  if (!EnumDisplaySettingsA(NULL, ENUM_CURRENT_SETTINGS, &devMode)) {
    MessageBoxA(NULL, "Could Not Enumerate Display Settings", "Error", MB_OK);
    return 0;
  }
  lPixelColorDepth = (int)devMode.dmBitsPerPel;

  if (!CreateGLWindow("Dravik Screensaver", lPixelWidth, lPixelHeight, lPixelColorDepth,
                      fullscreen))
    return 0;
  if (fullscreen) makeWindowOnTop();
  beginFramePacing(devMode.dmDisplayFrequency);

  MSG msg;
  memset(&msg, 0, sizeof msg);  // exit code 0 when no message was ever taken
  while (!done) runPass(msg, done);

  KillGLWindow();
  endFramePacing();
  return (int)msg.wParam;
}
