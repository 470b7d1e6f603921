// The connection to the compositor: its globals, bound once at the start, the outputs as their
// events describe them, reading events, and pictures of our own in shared memory.
#include <errno.h>
#include <poll.h>
#include <string.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>

#include "platform/linux/wayland/wayland.h"

namespace wayland {

State& state() {
  static State s;
  return s;
}

double monotonicSeconds() {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (double)now.tv_sec + (double)now.tv_nsec / 1e9;
}

namespace {

// The versions asked for: what the calls made here need. The layer shell at version 1, which
// every compositor offering it has: nothing newer is sent.
const uint32_t COMPOSITOR_VERSION = 4, SEAT_VERSION = 5, OUTPUT_VERSION = 2;

void outputGeometry(void* data, wl_output*, int32_t x, int32_t y, int32_t, int32_t, int32_t,
                    const char*, const char*, int32_t transform) {
  Screen* s = (Screen*)data;
  s->x = x;
  s->y = y;
  s->transform = transform;
}

void outputMode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height,
                int32_t refresh) {
  Screen* s = (Screen*)data;
  if (!(flags & WL_OUTPUT_MODE_CURRENT)) return;
  s->modeWidth = width;
  s->modeHeight = height;
  s->refreshMilliHz = refresh;
}

void outputScale(void* data, wl_output*, int32_t factor) { ((Screen*)data)->scale = factor; }
void outputDone(void*, wl_output*) {}
void outputText(void*, wl_output*, const char*) {}

const wl_output_listener OUTPUT_LISTENER = {outputGeometry, outputMode, outputDone,
                                            outputScale,    outputText, outputText};

void ping(void*, xdg_wm_base* base, uint32_t serial) { xdg_wm_base_pong(base, serial); }
const xdg_wm_base_listener WM_BASE_LISTENER = {ping};

void seatCapabilitiesEvent(void*, wl_seat*, uint32_t capabilities) {
  seatCapabilities(capabilities);
}
void seatName(void*, wl_seat*, const char*) {}
const wl_seat_listener SEAT_LISTENER = {seatCapabilitiesEvent, seatName};

template <typename T>
T* bind(wl_registry* registry, uint32_t name, const wl_interface* interface, uint32_t offered,
        uint32_t wanted) {
  return (T*)wl_registry_bind(registry, name, interface, std::min(offered, wanted));
}

void global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
  State& s = state();
  std::string is = interface;
  if (is == wl_compositor_interface.name)
    s.compositor =
        bind<wl_compositor>(registry, name, &wl_compositor_interface, version, COMPOSITOR_VERSION);
  else if (is == wl_subcompositor_interface.name)
    s.subcompositor =
        bind<wl_subcompositor>(registry, name, &wl_subcompositor_interface, version, 1);
  else if (is == wl_shm_interface.name)
    s.shm = bind<wl_shm>(registry, name, &wl_shm_interface, version, 1);
  else if (is == xdg_wm_base_interface.name) {
    s.wmBase = bind<xdg_wm_base>(registry, name, &xdg_wm_base_interface, version, 1);
    xdg_wm_base_add_listener(s.wmBase, &WM_BASE_LISTENER, nullptr);
  } else if (is == zwlr_layer_shell_v1_interface.name)
    s.layerShell =
        bind<zwlr_layer_shell_v1>(registry, name, &zwlr_layer_shell_v1_interface, version, 1);
  else if (is == wp_viewporter_interface.name)
    s.viewporter = bind<wp_viewporter>(registry, name, &wp_viewporter_interface, version, 1);
  else if (is == wp_fractional_scale_manager_v1_interface.name)
    s.fractionalScaleManager = bind<wp_fractional_scale_manager_v1>(
        registry, name, &wp_fractional_scale_manager_v1_interface, version, 1);
  else if (is == xdg_activation_v1_interface.name)
    s.activation =
        bind<xdg_activation_v1>(registry, name, &xdg_activation_v1_interface, version, 1);
  else if (is == wl_seat_interface.name && !s.seat) {
    s.seat = bind<wl_seat>(registry, name, &wl_seat_interface, version, SEAT_VERSION);
    wl_seat_add_listener(s.seat, &SEAT_LISTENER, nullptr);
  } else if (is == wl_output_interface.name) {
    Screen* screen = new Screen;
    screen->name = name;
    screen->output = bind<wl_output>(registry, name, &wl_output_interface, version, OUTPUT_VERSION);
    wl_output_add_listener(screen->output, &OUTPUT_LISTENER, screen);
    s.screens.push_back(screen);
  }
}

// An output that goes leaves the list (its surfaces are closed by the compositor); its record
// stays, as surfaces may still name it.
void globalRemove(void*, wl_registry*, uint32_t name) {
  std::vector<Screen*>& screens = state().screens;
  screens.erase(
      std::remove_if(screens.begin(), screens.end(), [name](Screen* s) { return s->name == name; }),
      screens.end());
}

const wl_registry_listener REGISTRY_LISTENER = {global, globalRemove};

}  // namespace

// Two round trips: the globals, then what each bound global first tells (the outputs' modes).
bool connectDisplay() {
  State& s = state();
  s.display = wl_display_connect(NULL);
  if (!s.display) return false;
  s.registry = wl_display_get_registry(s.display);
  wl_registry_add_listener(s.registry, &REGISTRY_LISTENER, nullptr);
  if (wl_display_roundtrip(s.display) < 0 || wl_display_roundtrip(s.display) < 0 || !s.compositor ||
      !s.shm) {
    wl_display_disconnect(s.display);
    s.display = nullptr;
    return false;
  }
  return true;
}

void pixelSize(const Screen& screen, int* width, int* height) {
  bool turned = screen.transform % 2 == 1;  // 90 or 270 degrees, flipped or not
  *width = turned ? screen.modeHeight : screen.modeWidth;
  *height = turned ? screen.modeWidth : screen.modeHeight;
}

// The first output the compositor listed is the primary one.
std::vector<Output> outputs() {
  std::vector<Output> list;
  for (const Screen* screen : state().screens) {
    Output o = {screen->x, screen->y, 0, 0, (int)lround(screen->refreshMilliHz / 1000.0)};
    pixelSize(*screen, &o.width, &o.height);
    list.push_back(o);
  }
  if (list.empty()) list.push_back({0, 0, 0, 0, 0});
  return list;
}

bool readEvents(int timeoutMs) {
  State& s = state();
  if (s.lost) return false;
  while (wl_display_prepare_read(s.display) != 0) wl_display_dispatch_pending(s.display);
  wl_display_flush(s.display);
  struct pollfd wait = {wl_display_get_fd(s.display), POLLIN, 0};
  int ready = poll(&wait, 1, timeoutMs);  // a signal ends it early
  if (ready > 0 && (wait.revents & POLLIN)) {
    if (wl_display_read_events(s.display) < 0) s.lost = true;
  } else {
    wl_display_cancel_read(s.display);
    if (ready > 0) s.lost = true;  // hung up
  }
  if (!s.lost && wl_display_dispatch_pending(s.display) < 0) s.lost = true;
  return !s.lost;
}

wl_buffer* sharedBuffer(int width, int height, uint32_t** pixels, uint32_t format) {
  size_t size = (size_t)width * height * 4;
  int fd = memfd_create("dravik-picture", MFD_CLOEXEC);
  if (fd < 0 || ftruncate(fd, (off_t)size) != 0) {
    if (fd >= 0) close(fd);
    return nullptr;
  }
  void* memory = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  wl_shm_pool* pool =
      memory != MAP_FAILED ? wl_shm_create_pool(state().shm, fd, (int)size) : nullptr;
  close(fd);
  if (!pool) return nullptr;
  wl_buffer* buffer = wl_shm_pool_create_buffer(pool, 0, width, height, width * 4, format);
  wl_shm_pool_destroy(pool);
  *pixels = (uint32_t*)memory;
  return buffer;
}

}  // namespace wayland
