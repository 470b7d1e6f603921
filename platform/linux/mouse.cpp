// Pointer events as mouse messages: buttons with their MK_ key-state flags, moves and the wheel.
#include "platform/linux/xwin.h"

namespace {

const int kWheelDelta = 120;

// The buttons and modifier keys held, as Windows reports them in wParam.
WPARAM keyState(unsigned int state) {
  WPARAM flags = 0;
  if (state & Button1Mask) flags |= MK_LBUTTON;
  if (state & Button2Mask) flags |= MK_MBUTTON;
  if (state & Button3Mask) flags |= MK_RBUTTON;
  if (state & ShiftMask) flags |= MK_SHIFT;
  if (state & ControlMask) flags |= MK_CONTROL;
  return flags;
}

WPARAM buttonFlag(unsigned int button) {
  switch (button) {
    case Button1:
      return MK_LBUTTON;
    case Button2:
      return MK_MBUTTON;
    case Button3:
      return MK_RBUTTON;
  }
  return 0;
}

LPARAM pointParam(int x, int y) { return (LPARAM)(((y & 0xffff) << 16) | (x & 0xffff)); }

}  // namespace

void translateButtonEvent(const XButtonEvent& e) {
  HWND hWnd = toHwnd(e.window);
  bool down = e.type == ButtonPress;
  if (e.button == Button4 || e.button == Button5) {
    if (!down) return;
    int delta = e.button == Button4 ? kWheelDelta : -kWheelDelta;
    WPARAM w = (keyState(e.state) & 0xffff) | ((WPARAM)(WORD)(short)delta << 16);
    postMessage(hWnd, WM_MOUSEWHEEL, w, pointParam(e.x_root, e.y_root), e.time, e.x_root, e.y_root);
    return;
  }
  UINT message = 0;
  if (e.button == Button1) message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
  if (e.button == Button2) message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
  if (e.button == Button3) message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
  if (!message) return;  // side buttons and sideways scrolling make no button message here
  // X reports the state before the event: add the pressed button, drop the released one.
  WPARAM w =
      down ? keyState(e.state) | buttonFlag(e.button) : keyState(e.state) & ~buttonFlag(e.button);
  postMessage(hWnd, message, w, pointParam(e.x, e.y), e.time, e.x_root, e.y_root);
}

void translateMotionEvent(const XMotionEvent& e) {
  postMessage(toHwnd(e.window), WM_MOUSEMOVE, keyState(e.state), pointParam(e.x, e.y), e.time,
              e.x_root, e.y_root);
}
