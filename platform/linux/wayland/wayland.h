// The Wayland window system's internals (wayland-client + EGL), shared by its files and seen by
// no other folder: its state in one struct, the surfaces it makes, and each file's entry points
// for the others. wayland.cpp fills the layer's WindowSystem with them.
// Implements: the show as a layer-shell overlay surface on its output where the compositor offers
// zwlr_layer_shell_v1, else as a full-screen xdg_toplevel (activated through xdg_activation_v1);
// black covers on the other outputs; the desktop's background for `--root`; every pixel of a
// scaled output (wl_output's scale, or wp_fractional_scale_v1 with wp_viewporter); keys through
// xkbcommon with the seat's repeat; buttons and motion; no pointer image over the show; EGL
// contexts, frames paced by frame callbacks; the message box. Lacks: windows inside a foreign
// parent (a preview's parent is an X window: those runs use X11), iconifying.
#pragma once

// The Win32 declarations first: they define APIENTRY as Windows has it, before GL does.
#include "platform/linux/windowsystem.h"
// clang-format off
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <wayland-client.h>
#include <wayland-egl.h>
#include <xkbcommon/xkbcommon.h>
#include "fractional-scale-v1.h"
#include "viewporter.h"
#define namespace namespace_  // the name of an argument of the layer shell's, a C++ keyword
#include "wlr-layer-shell-unstable-v1.h"
#undef namespace
#include "xdg-activation-v1.h"
#include "xdg-shell.h"
// clang-format on

#include <string>
#include <vector>

namespace wayland {

using layer::Output;
using layer::WindowRecord;

// An output the compositor announced, as its wl_output events describe it.
struct Screen {
  wl_output* output = nullptr;
  uint32_t name = 0;  // its global's name
  int x = 0, y = 0;   // its place on the desk
  int modeWidth = 0, modeHeight = 0, refreshMilliHz = 0;
  int transform = WL_OUTPUT_TRANSFORM_NORMAL;
  int scale = 1;
};

// A surface of ours covering an output, or a box's: its role (a layer surface, or an xdg
// toplevel where the compositor has no layer shell; a box over the show is its subsurface) and
// its size in the compositor's units.
struct Surface {
  wl_surface* surface = nullptr;
  wl_subsurface* subsurface = nullptr;  // a box drawn over the show, part of its window
  zwlr_layer_surface_v1* layerSurface = nullptr;
  xdg_surface* xdgSurface = nullptr;
  xdg_toplevel* toplevel = nullptr;
  wp_viewport* viewport = nullptr;
  wp_fractional_scale_v1* fractionalScale = nullptr;
  Screen* screen = nullptr;   // the output it is on
  int width = 0, height = 0;  // as configured (0: the compositor leaves it to us)
  int scale120 = 0;           // the compositor's preferred scale in 120ths; 0 when not told
  bool configured = false;
  bool closed = false;          // the compositor took it away
  wl_buffer* buffer = nullptr;  // a picture of our own (a cover's black, a box), or none
};

// What the Wayland system keeps of each window of ours.
struct WaylandWindow {
  Surface* surface = nullptr;
  wl_egl_window* eglWindow = nullptr;
  EGLSurface eglSurface = EGL_NO_SURFACE;
  wl_callback* frame = nullptr;  // the frame callback asked for at the last swap, until it comes
  int appliedWidth = 0, appliedHeight = 0, appliedScale = -1;  // what the buffers have now
  bool closeSent = false;  // the surface was closed (or the compositor lost) and it was told
};

// How the show takes its output: over the desk and its windows, or as the desktop's background
// beneath them (`--root`).
enum class Stacking { Overlay, Background };

// Everything Wayland keeps for the process, in one place.
struct State {
  wl_display* display = nullptr;
  wl_registry* registry = nullptr;
  wl_compositor* compositor = nullptr;
  wl_subcompositor* subcompositor = nullptr;
  wl_shm* shm = nullptr;
  xdg_wm_base* wmBase = nullptr;
  zwlr_layer_shell_v1* layerShell = nullptr;
  wp_viewporter* viewporter = nullptr;
  wp_fractional_scale_manager_v1* fractionalScaleManager = nullptr;
  xdg_activation_v1* activation = nullptr;
  wl_seat* seat = nullptr;
  std::vector<Screen*> screens;  // in the order the compositor listed them
  bool lost = false;             // the connection to the compositor failed

  Stacking stacking = Stacking::Overlay;
  HWND nextHandle = (HWND)(uintptr_t)0x100;  // our windows' handles, counted from here
  HWND show = NULL;                          // the standalone show's window while it exists
  std::vector<Surface*> covers;              // black, on the other outputs
  Surface* box = nullptr;                    // the message box while it is up

  // Input: the pointer and the keyboard of the seat, where they are, and key repeat.
  wl_pointer* pointer = nullptr;
  wl_keyboard* keyboard = nullptr;
  wl_surface* pointerSurface = nullptr;  // ours the pointer is over, or none
  wl_surface* keyboardSurface = nullptr;
  uint32_t pointerSerial = 0;  // of the last enter, for the pointer's image
  double pointerX = 0, pointerY = 0;
  bool pointerMoved = false;  // since it first came over one of our surfaces
  POINT pointerPosition = {};
  layer::Held held = {};
  xkb_context* xkb = nullptr;
  xkb_keymap* keymap = nullptr;
  xkb_state* keyState = nullptr;
  int repeatRate = 25, repeatDelay = 600;  // keys a second; milliseconds before the first
  uint32_t repeatKey = 0;                  // the held key that repeats, 0 when none
  double repeatAt = 0;                     // when it next repeats, monotonic seconds

  // OpenGL.
  EGLDisplay egl = EGL_NO_DISPLAY;
  std::vector<EGLConfig> pixelFormats;  // window-capable RGB OpenGL configurations, from 1
  int swapInterval = 1;                 // frames wait for the compositor's frame callbacks
};
State& state();

inline WaylandWindow& nativeOf(const WindowRecord& r) { return *(WaylandWindow*)r.native; }
double monotonicSeconds();

// display.cpp: the connection, the globals, the outputs; a black or drawn picture in shared memory.
bool connectDisplay();
std::vector<Output> outputs();
// The output's size in pixels, as its current mode shows it.
void pixelSize(const Screen& screen, int* width, int* height);
// Dispatches what has come; with a timeout (in milliseconds, -1: none) first waits for the
// connection to have something, or for a signal. False once the connection has failed.
bool readEvents(int timeoutMs);
// A buffer of width x height pixels (4 bytes each, row after row, zero-filled); its memory through
// *pixels until the buffer is destroyed (the caller unmaps it: width * height * 4 bytes).
wl_buffer* sharedBuffer(int width, int height, uint32_t** pixels,
                        uint32_t format = WL_SHM_FORMAT_XRGB8888);

// surface.cpp: surfaces covering an output, the show's window, its covers, and the background.
// A surface of ours covering a screen: on that layer, else a full-screen toplevel. The box's: its
// size, centred over the show (its subsurface), or without a show on the primary output. Each is
// configured when it is returned (else NULL).
Surface* coverScreen(Screen* screen, zwlr_layer_shell_v1_layer layer, bool keyboard,
                     const char* title);
Surface* boxSurface(int width, int height, const char* title);
void destroySurface(Surface* s);
// The surface's size in the compositor's units; in pixels, with the buffer scale it is shown at
// (0: through its viewport).
void logicalSize(const Surface& s, int* width, int* height);
void surfacePixels(const Surface& s, int* width, int* height, int* bufferScale);
// Its buffers shown at that buffer scale (0: through the viewport, at the surface's size).
void applyScale(Surface& s, int bufferScale);
// Shows a picture of our own on the surface (width x height pixels at that buffer scale).
void attachPicture(Surface& s, wl_buffer* buffer, int bufferScale);
bool createWindow(WindowRecord& r, const char* title, int x, int y,
                  const std::vector<Output>& outputs);
bool destroyWindow(WindowRecord& r);
bool windowExists(HWND hWnd);
bool setParent(WindowRecord& r, HWND parent);
void showWindow(WindowRecord& r);
bool focusWindow(WindowRecord& r, bool raise);
bool keepOnTop(WindowRecord& r);
bool beginHosting(const layer::Launch& launch);
// The window whose surface this is (a cover's is the show's), NULL when none.
WindowRecord* windowOf(wl_surface* surface);
// Follows changes of a surface's size or scale: the window is told its new size.
void followSizes();

// input.cpp: the seat's pointer and keyboard.
void seatCapabilities(uint32_t capabilities);
bool cursorPosition(POINT* point);
void applyCursor(WindowRecord& r);
void pumpEvents(bool mayWait);
// Presses a held key again when its repeat is due.
void repeatKeys();

// egl.cpp: OpenGL through EGL.
int choosePixelFormat(WindowRecord& r, const PIXELFORMATDESCRIPTOR& want);
bool setPixelFormat(WindowRecord& r, int format);
HGLRC createContext(WindowRecord& r);
bool makeCurrent(WindowRecord* r, HGLRC context);
void deleteContext(HGLRC context);
bool swapBuffers(WindowRecord& r);
BOOL WINAPI swapInterval(int interval);
void releaseEglSurface(WaylandWindow& w);

// dialog.cpp: the message box, above the show.
void messageBox(const std::string& caption, const std::string& text);
// The box's share of input, while it is up.
void boxKey(xkb_keysym_t keysym);
void boxButton(bool press, double x, double y);

}  // namespace wayland
