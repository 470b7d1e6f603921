// Key presses and releases as WM_KEYDOWN/WM_KEYUP, or WM_SYSKEYDOWN/WM_SYSKEYUP while Alt is
// held (and for F10), with Windows' repeat, scan code and transition bits in lParam.
#include <X11/keysym.h>

#include "platform/linux/xwin.h"

namespace {

bool down[256];  // by virtual-key code, as this layer has reported them

// The symbol the key means: its unshifted one, or the keypad's digit while Num Lock is on.
KeySym keySymOf(XKeyEvent& e) {
  KeySym plain = XLookupKeysym(&e, 0);
  if (!IsKeypadKey(plain) || !(e.state & Mod2Mask)) return plain;  // Mod2: Num Lock
  KeySym digit = XLookupKeysym(&e, 1);
  return digit != NoSymbol ? digit : plain;
}

// A release immediately followed by a press of the same key at the same time is X's
// auto-repeat; Windows repeats the key-down alone.
bool isAutoRepeatRelease(Display* display, const XKeyEvent& e) {
  if (e.type != KeyRelease || XEventsQueued(display, QueuedAfterReading) == 0) return false;
  XEvent next;
  XPeekEvent(display, &next);
  return next.type == KeyPress && next.xkey.keycode == e.keycode && next.xkey.time == e.time &&
         next.xkey.window == e.window;
}

}  // namespace

void translateKeyEvent(Display* display, XKeyEvent& e) {
  if (isAutoRepeatRelease(display, e)) return;
  KeySym sym = keySymOf(e);
  UINT vk = virtualKeyOf(sym);
  if (vk == 0 || vk > 255) return;
  bool press = e.type == KeyPress;
  bool wasDown = down[vk];
  down[vk] = press;
  // Alt (without Control, which makes AltGr) turns keys into system keys, and so does F10.
  bool alt = down[VK_MENU] || (vk == VK_MENU && !press);
  bool system = (alt && !down[VK_CONTROL]) || vk == VK_F1 + 9;
  UINT message = press ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  LPARAM lParam = 1 | (((LPARAM)(e.keycode - 8) & 0xff) << 16);
  if (isExtendedKey(sym)) lParam |= 1 << 24;
  if (alt && system) lParam |= 1 << 29;
  if (wasDown) lParam |= 1 << 30;
  if (!press) lParam |= (LPARAM)1 << 31;
  postMessage(toHwnd(e.window), message, vk, lParam, e.time, e.x_root, e.y_root);
}
