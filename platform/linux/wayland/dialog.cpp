// The message box on Wayland: a subsurface of the show, centred over it (or, with no show, an
// overlay layer surface or a toplevel of its own), showing the box's picture (../dialog.cpp) at
// the output's scale. While it is up, the keys the show has and the pointer over it are its own.
#include "platform/linux/dialog.h"

#include <sys/mman.h>

#include "platform/linux/wayland/wayland.h"

namespace wayland {
namespace {

layer::Box* shownBox = nullptr;  // the box that is up

// The picture drawn anew, at the scale of the output the box is on.
void draw(Surface& s, const layer::Box& box) {
  int scale = s.screen ? std::max(s.screen->scale, 1) : 1;
  int width = box.width * scale, height = box.height * scale;
  uint32_t* pixels = nullptr;
  wl_buffer* buffer = sharedBuffer(width, height, &pixels);
  if (!buffer) return;
  cairo_surface_t* picture = cairo_image_surface_create_for_data(
      (unsigned char*)pixels, CAIRO_FORMAT_RGB24, width, height, width * 4);
  cairo_t* cr = cairo_create(picture);
  cairo_scale(cr, scale, scale);
  layer::drawBox(cr, box);
  cairo_destroy(cr);
  cairo_surface_destroy(picture);
  munmap(pixels, (size_t)width * height * 4);
  attachPicture(s, buffer, scale);
}

}  // namespace

void boxKey(xkb_keysym_t keysym) {
  if (shownBox) layer::boxKey(*shownBox, keysym);
}

void boxButton(bool press, double x, double y) {
  if (shownBox && state().box && layer::boxButton(*shownBox, press, x, y))
    draw(*state().box, *shownBox);
}

// Until it is closed, a stop signal comes, or the compositor takes it away.
void messageBox(const std::string& caption, const std::string& text) {
  State& s = state();
  layer::Box box = layer::layOutBox(caption, text);
  Surface* surface = boxSurface(box.width, box.height, caption.c_str());
  if (!surface) return;
  s.box = surface;
  shownBox = &box;
  draw(*surface, box);
  while (!box.done && !layer::state().stopSignalled && !surface->closed && readEvents(100)) {
  }
  shownBox = nullptr;
  s.box = nullptr;
  if (s.pointerSurface == surface->surface) s.pointerSurface = nullptr;
  if (s.keyboardSurface == surface->surface) s.keyboardSurface = nullptr;
  destroySurface(surface);
}

}  // namespace wayland
