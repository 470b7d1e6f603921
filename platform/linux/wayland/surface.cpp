// Surfaces of ours: the show's window over its output (a layer-shell overlay, or a full-screen
// xdg_toplevel where the compositor has no layer shell), black covers on the other outputs, the
// desktop's background for `--root`, and the box's; their sizes and scales, followed as the
// compositor changes them.
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/mman.h>

#include <algorithm>

#include "platform/linux/wayland/wayland.h"

namespace wayland {
namespace {

WindowRecord* showWindowRecord() { return layer::findWindow(state().show); }

const uint32_t ALL_EDGES = ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                           ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT;

void layerConfigure(void* data, zwlr_layer_surface_v1* layerSurface, uint32_t serial,
                    uint32_t width, uint32_t height) {
  Surface* s = (Surface*)data;
  s->width = (int)width;
  s->height = (int)height;
  s->configured = true;
  zwlr_layer_surface_v1_ack_configure(layerSurface, serial);
}

void layerClosed(void* data, zwlr_layer_surface_v1*) { ((Surface*)data)->closed = true; }

const zwlr_layer_surface_v1_listener LAYER_LISTENER = {layerConfigure, layerClosed};

void xdgConfigure(void* data, xdg_surface* xdgSurface, uint32_t serial) {
  ((Surface*)data)->configured = true;
  xdg_surface_ack_configure(xdgSurface, serial);
}

const xdg_surface_listener XDG_SURFACE_LISTENER = {xdgConfigure};

// A size of 0 leaves it to us: the output's, or the one asked for.
void toplevelConfigure(void* data, xdg_toplevel*, int32_t width, int32_t height, wl_array*) {
  Surface* s = (Surface*)data;
  if (width > 0 && height > 0) s->width = width, s->height = height;
}

void toplevelClose(void* data, xdg_toplevel*) { ((Surface*)data)->closed = true; }

void toplevelBounds(void*, xdg_toplevel*, int32_t, int32_t) {}
void toplevelCapabilities(void*, xdg_toplevel*, wl_array*) {}

const xdg_toplevel_listener TOPLEVEL_LISTENER = {toplevelConfigure, toplevelClose, toplevelBounds,
                                                 toplevelCapabilities};

void preferredScale(void* data, wp_fractional_scale_v1*, uint32_t scale) {
  ((Surface*)data)->scale120 = (int)scale;
}

const wp_fractional_scale_v1_listener FRACTIONAL_LISTENER = {preferredScale};

// What a surface is to be: on which output and layer, covering it or of a size of its own.
struct Role {
  Screen* screen;
  zwlr_layer_shell_v1_layer layer;
  bool keyboard;
  const char* title;
  int width = 0, height = 0;  // 0: it covers the output
  bool dialog = false;        // a box, above the show
};

void giveLayerRole(Surface* s, const Role& role) {
  State& st = state();
  s->layerSurface = zwlr_layer_shell_v1_get_layer_surface(
      st.layerShell, s->surface, role.screen ? role.screen->output : nullptr, role.layer, "dravik");
  zwlr_layer_surface_v1_add_listener(s->layerSurface, &LAYER_LISTENER, s);
  if (role.width == 0) {
    zwlr_layer_surface_v1_set_anchor(s->layerSurface, ALL_EDGES);
    zwlr_layer_surface_v1_set_exclusive_zone(s->layerSurface, -1);
  } else {
    zwlr_layer_surface_v1_set_size(s->layerSurface, role.width, role.height);  // centred
  }
  zwlr_layer_surface_v1_set_keyboard_interactivity(s->layerSurface, role.keyboard ? 1 : 0);
  if (role.layer == ZWLR_LAYER_SHELL_V1_LAYER_BACKGROUND) {  // the pointer passes through
    wl_region* nothing = wl_compositor_create_region(st.compositor);
    wl_surface_set_input_region(s->surface, nothing);
    wl_region_destroy(nothing);
  }
}

// Full screen on its output from the first commit, or of a fixed size (a box while no show is up).
void giveToplevelRole(Surface* s, const Role& role) {
  State& st = state();
  s->xdgSurface = xdg_wm_base_get_xdg_surface(st.wmBase, s->surface);
  xdg_surface_add_listener(s->xdgSurface, &XDG_SURFACE_LISTENER, s);
  s->toplevel = xdg_surface_get_toplevel(s->xdgSurface);
  xdg_toplevel_add_listener(s->toplevel, &TOPLEVEL_LISTENER, s);
  xdg_toplevel_set_title(s->toplevel, role.title);
  xdg_toplevel_set_app_id(s->toplevel, "dravik");
  if (role.width == 0) {
    xdg_toplevel_set_fullscreen(s->toplevel, role.screen->output);
    return;
  }
  xdg_toplevel_set_min_size(s->toplevel, role.width, role.height);
  xdg_toplevel_set_max_size(s->toplevel, role.width, role.height);
}

Surface* makeSurface(const Role& role) {
  State& st = state();
  if (!st.layerShell && !st.wmBase) return nullptr;
  Surface* s = new Surface;
  s->screen = role.screen;
  s->width = role.width;
  s->height = role.height;
  s->surface = wl_compositor_create_surface(st.compositor);
  if (st.viewporter && st.fractionalScaleManager) {
    s->viewport = wp_viewporter_get_viewport(st.viewporter, s->surface);
    s->fractionalScale =
        wp_fractional_scale_manager_v1_get_fractional_scale(st.fractionalScaleManager, s->surface);
    wp_fractional_scale_v1_add_listener(s->fractionalScale, &FRACTIONAL_LISTENER, s);
  }
  if (st.layerShell && (role.width == 0 || role.dialog))
    giveLayerRole(s, role);
  else if (st.wmBase)
    giveToplevelRole(s, role);
  wl_surface_commit(s->surface);
  while (!s->configured && !s->closed && readEvents(-1)) {
  }
  if (s->configured && !s->closed) return s;
  destroySurface(s);
  return nullptr;
}

}  // namespace

Surface* coverScreen(Screen* screen, zwlr_layer_shell_v1_layer layer, bool keyboard,
                     const char* title) {
  Role role = {screen, layer, keyboard, title};
  return screen ? makeSurface(role) : nullptr;
}

namespace {

// A box over the show: its subsurface, centred, above it on every compositor and shown at once
// (its commits do not wait for the show's, which does not draw while a box is up).
Surface* overShow(Surface& show, int width, int height) {
  State& st = state();
  Surface* s = new Surface;
  s->screen = show.screen;
  s->width = width;
  s->height = height;
  s->configured = true;
  s->surface = wl_compositor_create_surface(st.compositor);
  s->subsurface = wl_subcompositor_get_subsurface(st.subcompositor, s->surface, show.surface);
  int showWidth, showHeight;
  logicalSize(show, &showWidth, &showHeight);
  wl_subsurface_set_position(s->subsurface, (showWidth - width) / 2, (showHeight - height) / 2);
  wl_subsurface_set_desync(s->subsurface);
  wl_surface_commit(show.surface);  // the place and the stacking take effect with it
  return s;
}

}  // namespace

Surface* boxSurface(int width, int height, const char* title) {
  State& st = state();
  WindowRecord* show = showWindowRecord();
  if (show && st.subcompositor) return overShow(*nativeOf(*show).surface, width, height);
  Role role = {st.screens.empty() ? nullptr : st.screens[0],
               ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY,
               true,
               title,
               width,
               height,
               true};
  return makeSurface(role);
}

void destroySurface(Surface* s) {
  if (s->subsurface) wl_subsurface_destroy(s->subsurface);
  if (s->viewport) wp_viewport_destroy(s->viewport);
  if (s->fractionalScale) wp_fractional_scale_v1_destroy(s->fractionalScale);
  if (s->layerSurface) zwlr_layer_surface_v1_destroy(s->layerSurface);
  if (s->toplevel) xdg_toplevel_destroy(s->toplevel);
  if (s->xdgSurface) xdg_surface_destroy(s->xdgSurface);
  wl_surface_destroy(s->surface);
  if (s->buffer) wl_buffer_destroy(s->buffer);
  wl_display_flush(state().display);
  delete s;
}

// A surface the compositor leaves the size of takes its output's.
void logicalSize(const Surface& s, int* width, int* height) {
  *width = s.width;
  *height = s.height;
  if ((s.width == 0 || s.height == 0) && s.screen) {
    int scale = std::max(s.screen->scale, 1);
    pixelSize(*s.screen, width, height);
    *width /= scale;
    *height /= scale;
  }
}

// The output's scale for its whole pixels; where the compositor tells a fractional scale, that one
// through the viewport.
void surfacePixels(const Surface& s, int* width, int* height, int* bufferScale) {
  int scale = s.screen ? std::max(s.screen->scale, 1) : 1;
  int w, h;
  logicalSize(s, &w, &h);
  if (s.viewport && s.scale120 > 0) {
    *width = (int)lround(w * s.scale120 / 120.0);
    *height = (int)lround(h * s.scale120 / 120.0);
    *bufferScale = 0;
  } else {
    *width = w * scale;
    *height = h * scale;
    *bufferScale = scale;
  }
}

// The viewport shows the buffer at the surface's size, or the buffer scale does.
void applyScale(Surface& s, int bufferScale) {
  int width, height;
  logicalSize(s, &width, &height);
  wl_surface_set_buffer_scale(s.surface, bufferScale > 0 ? bufferScale : 1);
  if (s.viewport)
    wp_viewport_set_destination(s.viewport, bufferScale > 0 ? -1 : width,
                                bufferScale > 0 ? -1 : height);
}

void attachPicture(Surface& s, wl_buffer* buffer, int bufferScale) {
  applyScale(s, bufferScale);
  wl_surface_attach(s.surface, buffer, 0, 0);
  wl_surface_damage(s.surface, 0, 0, INT32_MAX, INT32_MAX);
  wl_surface_commit(s.surface);
  if (s.buffer) wl_buffer_destroy(s.buffer);  // no longer attached
  s.buffer = buffer;
  wl_display_flush(state().display);
}

namespace {

// Black, until the show draws its first frame (message boxes may come first).
void paintBlack(Surface& s) {
  int width, height, scale;
  surfacePixels(s, &width, &height, &scale);
  uint32_t* pixels = nullptr;
  wl_buffer* buffer = sharedBuffer(width, height, &pixels);  // zero-filled: black
  if (!buffer) return;
  munmap(pixels, (size_t)width * height * 4);
  attachPicture(s, buffer, scale);
}

// Asks the compositor to activate the show's toplevel, with the launcher's token when it passed
// one, else with one of our own.
void tokenDone(void* data, xdg_activation_token_v1* token, const char* text) {
  xdg_activation_v1_activate(state().activation, text, (wl_surface*)data);
  xdg_activation_token_v1_destroy(token);
}

const xdg_activation_token_v1_listener TOKEN_LISTENER = {tokenDone};

void activate(Surface& s) {
  State& st = state();
  if (!st.activation || !s.toplevel) return;
  if (const char* token = getenv("XDG_ACTIVATION_TOKEN")) {
    xdg_activation_v1_activate(st.activation, token, s.surface);
    unsetenv("XDG_ACTIVATION_TOKEN");  // good for one activation only
    return;
  }
  xdg_activation_token_v1* token = xdg_activation_v1_get_activation_token(st.activation);
  xdg_activation_token_v1_add_listener(token, &TOKEN_LISTENER, s.surface);
  xdg_activation_token_v1_set_surface(token, s.surface);
  xdg_activation_token_v1_set_app_id(token, "dravik");
  xdg_activation_token_v1_commit(token);
}

}  // namespace

// The show covers the first output the compositor listed, black covers the others; `--root`
// draws on that output's background. Any other window is a toplevel of its own size.
bool createWindow(WindowRecord& r, const char* title, int, int, const std::vector<Output>&) {
  State& st = state();
  Screen* first = st.screens.empty() ? nullptr : st.screens[0];
  bool background = st.stacking == Stacking::Background;
  Surface* surface = nullptr;
  if (r.fullScreen)
    surface = coverScreen(
        first,
        background ? ZWLR_LAYER_SHELL_V1_LAYER_BACKGROUND : ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY,
        !background, title);
  else if (st.wmBase)
    surface =
        makeSurface({nullptr, ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, true, title, r.width, r.height});
  if (!surface) return false;
  WaylandWindow* w = new WaylandWindow;
  w->surface = surface;
  r.native = w;
  r.handle = st.nextHandle;
  st.nextHandle = (HWND)((uintptr_t)st.nextHandle + 1);
  if (!r.fullScreen) return true;
  st.show = r.handle;
  for (size_t i = 1; i < st.screens.size() && !background; ++i)
    if (Surface* cover =
            coverScreen(st.screens[i], ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, false, title))
      st.covers.push_back(cover);
  return true;
}

bool destroyWindow(WindowRecord& r) {
  State& st = state();
  WaylandWindow* w = &nativeOf(r);
  if (w->frame) wl_callback_destroy(w->frame);
  releaseEglSurface(*w);
  destroySurface(w->surface);
  delete w;
  if (r.handle == st.show) {
    st.show = NULL;
    for (Surface* cover : st.covers) destroySurface(cover);
    st.covers.clear();
  }
  return true;
}

// Our windows exist until they are destroyed; there are no others here.
bool windowExists(HWND hWnd) { return layer::findWindow(hWnd) != nullptr; }

// A foreign parent would be an X window: those runs use X11.
bool setParent(WindowRecord&, HWND) { return false; }

void showWindow(WindowRecord& r) {
  Surface& s = *nativeOf(r).surface;
  if (!s.buffer) paintBlack(s);
  if (r.handle != state().show) return;
  for (Surface* cover : state().covers)
    if (!cover->buffer) paintBlack(*cover);
  activate(s);
  wl_display_flush(state().display);
}

// The compositor decides who has the keyboard and what is on top; the show asked for both.
bool focusWindow(WindowRecord& r, bool) { return r.handle == state().show; }
bool keepOnTop(WindowRecord& r) { return r.handle == state().show; }

// `--root` on Wayland: the desktop's background, through the layer shell.
bool beginHosting(const layer::Launch&) {
  if (!state().layerShell) {
    fputs(
        "dravik: --root draws on the desktop's background, which needs a compositor with the "
        "layer shell (zwlr_layer_shell_v1); this one has none\n",
        stderr);
    return false;
  }
  state().stacking = Stacking::Background;
  layer::state().hostParent = NULL;
  return true;
}

WindowRecord* windowOf(wl_surface* surface) {
  State& st = state();
  for (auto& entry : layer::state().windows)
    if (nativeOf(entry.second).surface->surface == surface) return &entry.second;
  for (Surface* cover : st.covers)
    if (cover->surface == surface) return showWindowRecord();
  return nullptr;
}

// A window whose surface was closed, or all of them when the compositor is lost, is asked to
// close; the others are told their size in pixels when it has changed.
void followSizes() {
  for (auto& entry : layer::state().windows) {
    WindowRecord& r = entry.second;
    WaylandWindow& w = nativeOf(r);
    if ((w.surface->closed || state().lost) && !w.closeSent) {
      w.closeSent = true;
      layer::closeRequested(r.handle);
      return;  // the table may have changed
    }
    int width, height, scale;
    surfacePixels(*w.surface, &width, &height, &scale);
    layer::windowResized(r, width, height);
  }
}

}  // namespace wayland
