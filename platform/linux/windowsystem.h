// The seam between the Win32 calls and the window system beneath them: one struct of functions,
// filled by X11 (x11/x11.cpp) or by Wayland (wayland/wayland.cpp), chosen once at the first call
// that needs a display (windowsystem.cpp). The Win32 calls reach a window system only through it.
#pragma once

#include <string>
#include <vector>

#include "platform/linux/layer.h"

namespace layer {

// An output (a monitor) in pixels, with its refresh rate in hertz (0 when unknown).
struct Output {
  int x, y, width, height, refreshHz;
};

struct WindowSystem {
  const char* name;  // "x11" or "wayland"

  // Hosted by a daemon or a locker: readies what the program draws into and sets the state's
  // hostParent; false when there is nothing to draw into (it has said why, if it must).
  bool (*beginHosting)(const Launch& launch);

  // The outputs, the primary (the show's) first; the colour depth of the display in bits.
  std::vector<Output> (*outputs)();
  int (*colourDepth)();
  // Where the pointer is, when the system can tell.
  bool (*cursorPosition)(POINT* point);
  // The pointer's image over a window of ours: hidden while ShowCursor's count is negative.
  void (*applyCursor)(WindowRecord& r);

  // Makes the window of a record whose size, style and full-screen flag are set (the outputs are
  // those just asked for); sets its handle and native record. A window can take a pixel format
  // and draw once this returns.
  bool (*createWindow)(WindowRecord& r, const char* title, int x, int y,
                       const std::vector<Output>& outputs);
  bool (*destroyWindow)(WindowRecord& r);  // false when it was gone already
  // Whether a window exists: ours (the system may have destroyed it) or another program's.
  bool (*windowExists)(HWND hWnd);
  bool (*setParent)(WindowRecord& r, HWND parent);  // into a foreign window, at its corner
  void (*showWindow)(WindowRecord& r);              // shown and, for the show, holding the desk
  bool (*focusWindow)(WindowRecord& r, bool raise);
  bool (*keepOnTop)(WindowRecord& r);

  // Turns the events that have come into messages and window changes. With mayWait, and while
  // the show's next frame is not yet wanted (see SwapBuffers), it first waits for an event that
  // matters, a stop signal or the time a held key repeats.
  void (*pumpEvents)(bool mayWait);

  // OpenGL: the pixel format closest to a request among those a window can take (0 when none),
  // binding one to a window, contexts (NULL when none could be made), presenting, and the swap
  // interval (nullptr when the system has none).
  int (*choosePixelFormat)(WindowRecord& r, const PIXELFORMATDESCRIPTOR& want);
  bool (*setPixelFormat)(WindowRecord& r, int format);
  HGLRC (*createContext)(WindowRecord& r);
  bool (*makeCurrent)(WindowRecord* r, HGLRC context);  // NULL, NULL: none current
  void (*deleteContext)(HGLRC context);
  bool (*swapBuffers)(WindowRecord& r);
  BOOL(WINAPI* swapInterval)(int interval);

  // The modal box of MessageBoxA; returns when the user has closed it (or a stop signal came).
  void (*messageBox)(const std::string& caption, const std::string& text);
};

// The window system in use, chosen on first use; nullptr when none can be reached.
const WindowSystem* windowSystem();

}  // namespace layer
