// The message box both window systems show: its layout and picture (drawn with cairo, so it
// looks the same on X11 and Wayland), and what closes it. Each system gives it a surface of its
// own and feeds it input (x11/dialog.cpp, wayland/dialog.cpp).
#pragma once

#include <cairo.h>

#include <string>
#include <vector>

namespace layer {

struct Box {
  // In the box's own units (pixels at scale 1).
  struct Rect {
    int x, y, width, height;
  };
  std::string caption;
  std::vector<std::string> lines;
  int width = 0, height = 0;
  int lineHeight = 0, captionHeight = 0;
  Rect button = {};
  bool pressed = false;  // the OK button, held down
  bool done = false;     // closed by the user
};

// A box of this caption and text (lines split at '\n'), laid out: caption bar, the lines, the OK
// button centred below them.
Box layOutBox(const std::string& caption, const std::string& text);
// Draws the whole box at the cairo context's origin, in the context's units.
void drawBox(cairo_t* cr, const Box& box);
// A key went down (an X key symbol): Return, Enter, Escape and Space close the box.
void boxKey(Box& box, unsigned long keysym);
// The left button went down or up at a point of the box: a press and a release on OK close it.
// True when the picture changed.
bool boxButton(Box& box, bool press, double x, double y);

}  // namespace layer
