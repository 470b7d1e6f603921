// The Wayland window system as the layer sees it: the connection made when the window system is
// chosen, and the one struct of functions the Win32 calls reach it through.
#include "platform/linux/wayland/wayland.h"

namespace wayland {
namespace {

// Wayland has no colour depth of its own: the show's buffers have 8 bits a channel.
int colourDepth() { return 24; }

layer::WindowSystem functions() {
  layer::WindowSystem s = {};
  s.name = "wayland";
  s.beginHosting = beginHosting;
  s.outputs = outputs;
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
  s.swapInterval = swapInterval;
  s.messageBox = messageBox;
  return s;
}

}  // namespace

const layer::WindowSystem* connect() {
  static layer::WindowSystem system;
  if (!connectDisplay()) return nullptr;
  system = functions();
  return &system;
}

}  // namespace wayland
