// OpenGL through EGL on the compositor's display: pixel formats are the window-capable RGB
// OpenGL configurations, numbered from 1; a compatibility context for the program's fixed-function
// calls. The swap never waits inside EGL (its interval is 0): with an interval of 1, the next
// frame waits for the compositor's frame callback in pumpEvents instead, where input and stop
// signals still come through.
#include "platform/linux/wayland/wayland.h"

namespace wayland {
namespace {

EGLint attribute(EGLConfig config, EGLint name) {
  EGLint value = 0;
  eglGetConfigAttrib(state().egl, config, name, &value);
  return value;
}

// EGL on the compositor's display, made on first use.
bool eglReady() {
  State& s = state();
  if (s.egl != EGL_NO_DISPLAY) return true;
  EGLDisplay egl = eglGetPlatformDisplay(EGL_PLATFORM_WAYLAND_KHR, s.display, nullptr);
  if (egl == EGL_NO_DISPLAY || !eglInitialize(egl, nullptr, nullptr)) return false;
  if (!eglBindAPI(EGL_OPENGL_API)) {
    eglTerminate(egl);
    return false;
  }
  s.egl = egl;
  EGLint count = 0;
  eglGetConfigs(egl, nullptr, 0, &count);
  std::vector<EGLConfig> all(count);
  eglGetConfigs(egl, all.data(), count, &count);
  for (EGLConfig c : all)
    if ((attribute(c, EGL_SURFACE_TYPE) & EGL_WINDOW_BIT) &&
        (attribute(c, EGL_RENDERABLE_TYPE) & EGL_OPENGL_BIT) &&
        attribute(c, EGL_COLOR_BUFFER_TYPE) == EGL_RGB_BUFFER)
      s.pixelFormats.push_back(c);
  return true;
}

EGLConfig formatConfig(int format) {
  const std::vector<EGLConfig>& list = state().pixelFormats;
  return format >= 1 && format <= (int)list.size() ? list[format - 1] : nullptr;
}

void frameDone(void* data, wl_callback* callback, uint32_t) {
  wl_callback_destroy(callback);
  ((WaylandWindow*)data)->frame = nullptr;
}

const wl_callback_listener FRAME_LISTENER = {frameDone};

}  // namespace

// EGL's own best match (it sorts by closeness), preferring one with exactly the colour and alpha
// asked for: a larger one (10 bits a channel, or alpha the program never fills) is the next best.
int choosePixelFormat(WindowRecord&, const PIXELFORMATDESCRIPTOR& want) {
  if (!eglReady()) return 0;
  int colour = (want.cColorBits > 24 ? 24 : want.cColorBits) / 3;
  const EGLint request[] = {EGL_SURFACE_TYPE, EGL_WINDOW_BIT,  EGL_RENDERABLE_TYPE,
                            EGL_OPENGL_BIT,   EGL_RED_SIZE,    colour,
                            EGL_GREEN_SIZE,   colour,          EGL_BLUE_SIZE,
                            colour,           EGL_ALPHA_SIZE,  want.cAlphaBits,
                            EGL_DEPTH_SIZE,   want.cDepthBits, EGL_NONE};
  EGLConfig matches[256];
  EGLint count = 0;
  if (!eglChooseConfig(state().egl, request, matches, 256, &count) || count == 0) return 0;
  EGLConfig chosen = matches[0];
  for (int i = count - 1; i >= 0; --i)
    if (attribute(matches[i], EGL_RED_SIZE) == colour &&
        attribute(matches[i], EGL_ALPHA_SIZE) == want.cAlphaBits)
      chosen = matches[i];
  const std::vector<EGLConfig>& list = state().pixelFormats;
  for (size_t k = 0; k < list.size(); ++k)
    if (list[k] == chosen) return (int)k + 1;
  return 0;
}

// The window's EGL surface, at the size its pixels have now.
bool setPixelFormat(WindowRecord& r, int format) {
  EGLConfig config = eglReady() ? formatConfig(format) : nullptr;
  if (!config) return false;
  WaylandWindow& w = nativeOf(r);
  int width, height, scale;
  surfacePixels(*w.surface, &width, &height, &scale);
  w.eglWindow = wl_egl_window_create(w.surface->surface, width, height);
  w.eglSurface = eglCreatePlatformWindowSurface(state().egl, config, w.eglWindow, nullptr);
  if (w.eglSurface != EGL_NO_SURFACE) return true;
  releaseEglSurface(w);
  return false;
}

HGLRC createContext(WindowRecord& r) {
  const EGLint compatibility[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                  EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
  EGLContext context =
      eglCreateContext(state().egl, formatConfig(r.pixelFormat), EGL_NO_CONTEXT, compatibility);
  return context == EGL_NO_CONTEXT ? NULL : (HGLRC)context;
}

bool makeCurrent(WindowRecord* r, HGLRC context) {
  EGLDisplay egl = state().egl;
  if (!r)
    return egl == EGL_NO_DISPLAY ||
           eglMakeCurrent(egl, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  EGLSurface surface = nativeOf(*r).eglSurface;
  if (!eglMakeCurrent(egl, surface, surface, (EGLContext)context)) return false;
  eglSwapInterval(egl, 0);  // clamped to what the driver offers; the frames wait elsewhere
  return true;
}

void deleteContext(HGLRC context) {
  EGLDisplay egl = state().egl;
  if (eglGetCurrentContext() == (EGLContext)context)
    eglMakeCurrent(egl, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(egl, (EGLContext)context);
}

// The buffers follow the surface's size and scale first; then the frame callback is asked for
// (one at a time) and the frame committed.
bool swapBuffers(WindowRecord& r) {
  WaylandWindow& w = nativeOf(r);
  Surface& s = *w.surface;
  int width, height, scale;
  surfacePixels(s, &width, &height, &scale);
  if (width != w.appliedWidth || height != w.appliedHeight || scale != w.appliedScale) {
    wl_egl_window_resize(w.eglWindow, width, height, 0, 0);
    applyScale(s, scale);
    w.appliedWidth = width, w.appliedHeight = height, w.appliedScale = scale;
  }
  if (state().swapInterval > 0 && !w.frame) {
    w.frame = wl_surface_frame(s.surface);
    wl_callback_add_listener(w.frame, &FRAME_LISTENER, &w);
  }
  return eglSwapBuffers(state().egl, w.eglSurface);
}

// WGL_EXT_swap_control's call: 1 presents at most one frame for each frame callback, 0 as fast
// as the program draws.
BOOL WINAPI swapInterval(int interval) {
  state().swapInterval = interval;
  return TRUE;
}

void releaseEglSurface(WaylandWindow& w) {
  if (w.eglSurface != EGL_NO_SURFACE) eglDestroySurface(state().egl, w.eglSurface);
  if (w.eglWindow) wl_egl_window_destroy(w.eglWindow);
  w.eglSurface = EGL_NO_SURFACE;
  w.eglWindow = nullptr;
}

}  // namespace wayland
