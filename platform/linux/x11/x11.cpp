// The X11 window system as the layer sees it: the connection made when the window system is
// chosen, and the one struct of functions the Win32 calls reach it through.
#include "platform/linux/x11/x11.h"

namespace x11 {
namespace {

layer::WindowSystem functions() {
  layer::WindowSystem s = {};
  s.name = "x11";
  s.beginHosting = beginHosting;
  s.outputs = monitors;
  s.colourDepth = colourDepth;
  s.cursorPosition = cursorPosition;
  s.applyCursor = applyCursor;
  s.createWindow = createWindow;
  s.destroyWindow = destroyWindow;
  s.windowExists = windowExists;
  s.setParent = setParent;
  s.showWindow = showWindow;
  s.focusWindow = focusWindow;
  s.keepOnTop = keepOnTop;
  s.pumpEvents = pumpEvents;
  s.choosePixelFormat = choosePixelFormat;
  s.setPixelFormat = setPixelFormat;
  s.createContext = createContext;
  s.makeCurrent = makeCurrent;
  s.deleteContext = deleteContext;
  s.swapBuffers = swapBuffers;
  s.swapInterval = swapIntervalCall;
  s.messageBox = messageBox;
  return s;
}

}  // namespace

const layer::WindowSystem* connect() {
  static layer::WindowSystem system;
  if (!openDisplay()) return nullptr;
  findSwapInterval();
  system = functions();
  return &system;
}

}  // namespace x11
