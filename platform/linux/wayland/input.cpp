// The seat's pointer and keyboard: input over the show (and its covers) becomes the show's
// messages, input over the box is the box's. Keys through xkbcommon, taken without modifiers as
// X does, repeated at the seat's rate while held; the pointer image hidden over the show. The
// pointer's place when it first comes over one of our surfaces is no movement; any motion after
// it is. Waiting for the compositor, while the show's next frame is not yet wanted, is here too.
#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-cursor.h>

#include <algorithm>
#include <cmath>

#include "platform/linux/wayland/wayland.h"

namespace wayland {
namespace {

const int SIGNAL_CHECK_MS = 100;  // a wait never lasts longer: a stop signal may be on its way

bool overBox(wl_surface* surface) { return state().box && surface == state().box->surface; }

// A pointer image of one transparent pixel. An enter answered with no image at all leaves KWin
// 5.27 showing the image of the window the pointer was over before; this one it shows.
wl_surface* invisiblePointer() {
  static wl_surface* invisible = nullptr;
  uint32_t* pixels = nullptr;
  wl_buffer* buffer = invisible ? nullptr : sharedBuffer(1, 1, &pixels, WL_SHM_FORMAT_ARGB8888);
  if (buffer) {  // zero-filled: transparent
    munmap(pixels, 4);
    invisible = wl_compositor_create_surface(state().compositor);
    wl_surface_attach(invisible, buffer, 0, 0);
    wl_surface_commit(invisible);
  }
  return invisible;
}

// The arrow over the box (and over the show while ShowCursor's count allows it), an invisible
// one over the show otherwise.
void setCursorImage() {
  State& s = state();
  static wl_surface* arrow = nullptr;
  static wl_cursor_image* image = nullptr;
  if (!s.pointer || !s.pointerSurface) return;
  if (!overBox(s.pointerSurface) && layer::state().cursorCount < 0) {
    wl_pointer_set_cursor(s.pointer, s.pointerSerial, invisiblePointer(), 0, 0);
    return;
  }
  if (!arrow) {  // the theme's, or libwayland-cursor's own when there is no theme
    wl_cursor_theme* theme = wl_cursor_theme_load(nullptr, 24, s.shm);
    wl_cursor* cursor = theme ? wl_cursor_theme_get_cursor(theme, "left_ptr") : nullptr;
    if (!cursor) return;
    image = cursor->images[0];
    arrow = wl_compositor_create_surface(s.compositor);
    wl_surface_attach(arrow, wl_cursor_image_get_buffer(image), 0, 0);
    wl_surface_commit(arrow);
  }
  wl_pointer_set_cursor(s.pointer, s.pointerSerial, arrow, (int32_t)image->hotspot_x,
                        (int32_t)image->hotspot_y);
}

// Input to the show while it draws as the desktop's background is none of ours.
HWND showForInput() { return state().stacking == Stacking::Overlay ? state().show : NULL; }

void pointerEnter(void*, wl_pointer*, uint32_t serial, wl_surface* surface, wl_fixed_t x,
                  wl_fixed_t y) {
  State& s = state();
  if (!windowOf(surface) && !overBox(surface)) return;
  s.pointerSurface = surface;
  s.pointerSerial = serial;
  s.pointerX = wl_fixed_to_double(x);
  s.pointerY = wl_fixed_to_double(y);
  setCursorImage();
}

void pointerLeave(void*, wl_pointer*, uint32_t, wl_surface*) { state().pointerSurface = nullptr; }

// A point of a surface in the pixels of its window.
POINT inPixels(wl_surface* surface, double x, double y) {
  WindowRecord* r = windowOf(surface);
  const Surface* s = r ? nativeOf(*r).surface : nullptr;
  double sx = s && s->width ? (double)r->width / s->width : 1;
  double sy = s && s->height ? (double)r->height / s->height : 1;
  return {(LONG)lround(x * sx), (LONG)lround(y * sy)};
}

void pointerMotion(void*, wl_pointer*, uint32_t, wl_fixed_t fx, wl_fixed_t fy) {
  State& s = state();
  double x = wl_fixed_to_double(fx), y = wl_fixed_to_double(fy);
  if (!s.pointerSurface || !showForInput()) return;
  s.pointerX = x;
  s.pointerY = y;
  s.pointerMoved = true;
  WindowRecord* r = windowOf(s.pointerSurface);
  const Surface* surface = r ? nativeOf(*r).surface : s.box;
  POINT at = inPixels(s.pointerSurface, x, y);
  s.pointerPosition = {at.x + (surface && surface->screen ? surface->screen->x : 0),
                       at.y + (surface && surface->screen ? surface->screen->y : 0)};
  if (r) layer::pointerMoved(s.show, s.held, at.x, at.y);
}

void pointerButton(void*, wl_pointer*, uint32_t, uint32_t, uint32_t button, uint32_t buttonState) {
  State& s = state();
  bool press = buttonState == WL_POINTER_BUTTON_STATE_PRESSED;
  layer::Held before = s.held;
  int number = button == BTN_LEFT ? 1 : button == BTN_MIDDLE ? 2 : button == BTN_RIGHT ? 3 : 0;
  if (number == 0) return;  // the wheel's and other buttons make no message
  (number == 1 ? s.held.left : number == 2 ? s.held.middle : s.held.right) = press;
  if (!s.pointerSurface) return;
  if (overBox(s.pointerSurface)) {
    if (number == 1) boxButton(press, s.pointerX, s.pointerY);
  } else if (press && showForInput()) {
    POINT at = inPixels(s.pointerSurface, s.pointerX, s.pointerY);
    layer::buttonPressed(s.show, number, before, at.x, at.y);
  }
}

void pointerAxis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {}
void pointerFrame(void*, wl_pointer*) {}
void pointerAxisSource(void*, wl_pointer*, uint32_t) {}
void pointerAxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
void pointerAxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {}
void pointerAxisValue120(void*, wl_pointer*, uint32_t, int32_t) {}

const wl_pointer_listener POINTER_LISTENER = {
    pointerEnter, pointerLeave,      pointerMotion,   pointerButton,       pointerAxis,
    pointerFrame, pointerAxisSource, pointerAxisStop, pointerAxisDiscrete, pointerAxisValue120};

void keymap(void*, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
  State& s = state();
  char* text = format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1
                   ? (char*)mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0)
                   : (char*)MAP_FAILED;
  close(fd);
  if (text == MAP_FAILED) return;
  if (!s.xkb) s.xkb = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  xkb_keymap* map = xkb_keymap_new_from_string(s.xkb, text, XKB_KEYMAP_FORMAT_TEXT_V1,
                                               XKB_KEYMAP_COMPILE_NO_FLAGS);
  munmap(text, size);
  if (!map) return;
  if (s.keyState) xkb_state_unref(s.keyState);
  if (s.keymap) xkb_keymap_unref(s.keymap);
  s.keymap = map;
  s.keyState = xkb_state_new(map);
}

void keyboardEnter(void*, wl_keyboard*, uint32_t, wl_surface* surface, wl_array*) {
  state().keyboardSurface = surface;
}

void keyboardLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {
  state().keyboardSurface = nullptr;
  state().repeatKey = 0;
}

// The key's symbol at the first level of its layout: the key without Shift or AltGr, as X's
// XLookupKeysym(event, 0) gives it.
xkb_keysym_t plainSymbol(uint32_t key) {
  State& s = state();
  xkb_keycode_t code = key + 8;  // evdev to X key codes
  const xkb_keysym_t* symbols = nullptr;
  xkb_layout_index_t layout = xkb_state_key_get_layout(s.keyState, code);
  int count = xkb_keymap_key_get_syms_by_level(s.keymap, code, layout, 0, &symbols);
  return count > 0 ? symbols[0] : XKB_KEY_NoSymbol;
}

// While a box is up, the keys are its own.
void deliverKey(uint32_t key, bool press) {
  State& s = state();
  xkb_keysym_t symbol = plainSymbol(key);
  if (s.box) {
    if (press) boxKey(symbol);
  } else if (HWND show = showForInput()) {
    layer::keyEvent(show, symbol, press);
  }
}

void keyboardKey(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t keyState) {
  State& s = state();
  if (!s.keymap || !s.keyboardSurface) return;
  bool press = keyState == WL_KEYBOARD_KEY_STATE_PRESSED;
  deliverKey(key, press);
  if (press && xkb_keymap_key_repeats(s.keymap, key + 8)) {
    s.repeatKey = key;
    s.repeatAt = monotonicSeconds() + s.repeatDelay / 1000.0;
  } else if (!press && key == s.repeatKey) {
    s.repeatKey = 0;
  }
}

void keyboardModifiers(void*, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t latched,
                       uint32_t locked, uint32_t group) {
  State& s = state();
  if (!s.keyState) return;
  xkb_state_update_mask(s.keyState, depressed, latched, locked, 0, 0, group);
  s.held.shift =
      xkb_state_mod_name_is_active(s.keyState, XKB_MOD_NAME_SHIFT, XKB_STATE_MODS_EFFECTIVE) > 0;
  s.held.control =
      xkb_state_mod_name_is_active(s.keyState, XKB_MOD_NAME_CTRL, XKB_STATE_MODS_EFFECTIVE) > 0;
}

void repeatInfo(void*, wl_keyboard*, int32_t rate, int32_t delay) {
  state().repeatRate = rate;
  state().repeatDelay = delay;
}

const wl_keyboard_listener KEYBOARD_LISTENER = {keymap,      keyboardEnter,     keyboardLeave,
                                                keyboardKey, keyboardModifiers, repeatInfo};

// While the show's last frame has not yet been taken up by the compositor (its output asleep,
// the show hidden), nothing is drawn: the wait ends with a message, a movement, a stop signal,
// a key's repeat or the frame callback.
bool waitsForFrame() {
  State& s = state();
  WindowRecord* show = layer::findWindow(s.show);
  return show && s.swapInterval > 0 && nativeOf(*show).frame && !s.pointerMoved && !s.lost &&
         layer::state().queue.empty() && !layer::state().stopSignalled;
}

int waitMs() {
  State& s = state();
  if (!s.repeatKey || s.repeatRate <= 0) return SIGNAL_CHECK_MS;
  double left = s.repeatAt - monotonicSeconds();
  return std::max(0, std::min(SIGNAL_CHECK_MS, (int)ceil(left * 1000)));
}

}  // namespace

void seatCapabilities(uint32_t capabilities) {
  State& s = state();
  if ((capabilities & WL_SEAT_CAPABILITY_POINTER) && !s.pointer) {
    s.pointer = wl_seat_get_pointer(s.seat);
    wl_pointer_add_listener(s.pointer, &POINTER_LISTENER, nullptr);
  }
  if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && !s.keyboard) {
    s.keyboard = wl_seat_get_keyboard(s.seat);
    wl_keyboard_add_listener(s.keyboard, &KEYBOARD_LISTENER, nullptr);
  }
}

// Known only once the pointer has moved over one of our surfaces: before that, unreadable.
bool cursorPosition(POINT* point) {
  if (!state().pointerMoved) return false;
  *point = state().pointerPosition;
  return true;
}

void applyCursor(WindowRecord& r) {
  if (windowOf(state().pointerSurface) == &r) setCursorImage();
}

// A key held past its delay presses again, at the seat's rate; a late one does not catch up.
void repeatKeys() {
  State& s = state();
  double now = monotonicSeconds();
  if (!s.repeatKey || s.repeatRate <= 0 || now < s.repeatAt) return;
  deliverKey(s.repeatKey, true);
  s.repeatAt += 1.0 / s.repeatRate;
  if (s.repeatAt < now) s.repeatAt = now + 1.0 / s.repeatRate;
}

void pumpEvents(bool mayWait) {
  readEvents(0);
  for (;;) {
    repeatKeys();
    followSizes();
    if (!mayWait || !waitsForFrame()) break;
    readEvents(waitMs());
  }
  wl_display_flush(state().display);
}

}  // namespace wayland
