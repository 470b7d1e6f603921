// The message box: one line "caption: text" on stderr, and a modal box over the window system in
// use, laid out and drawn here for both systems.
// Implements MessageBoxA with an OK button (the only style the program uses); Return, Escape,
// Space or a click on OK ends it, and so does a stop signal.
#include "platform/linux/dialog.h"

#include <X11/keysym.h>
#include <math.h>
#include <unistd.h>

#include <algorithm>

#include "platform/linux/windowsystem.h"

namespace layer {
namespace {

const int MARGIN = 16;
const int BUTTON_WIDTH = 80;
const int BUTTON_HEIGHT = 26;
const int MIN_WIDTH = 240;
const double FONT_SIZE = 12;

void useFont(cairo_t* cr) {
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, FONT_SIZE);
}

double textWidth(cairo_t* cr, const std::string& s) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, s.c_str(), &e);
  return e.x_advance;
}

// Text with its baseline at y.
void text(cairo_t* cr, double grey, double x, double y, const std::string& s) {
  cairo_set_source_rgb(cr, grey, grey, grey);
  cairo_move_to(cr, x, y);
  cairo_show_text(cr, s.c_str());
}

// The baseline that centres a line of text between top and top + height.
double centredBaseline(cairo_t* cr, double top, double height) {
  cairo_font_extents_t f;
  cairo_font_extents(cr, &f);
  return top + (height + f.ascent - f.descent) / 2;
}

// A one-unit line just inside the rectangle.
void outline(cairo_t* cr, const Box::Rect& r) {
  cairo_set_line_width(cr, 1);
  cairo_rectangle(cr, r.x + 0.5, r.y + 0.5, r.width - 1, r.height - 1);
  cairo_stroke(cr);
}

bool onButton(const Box& box, double x, double y) {
  const Box::Rect& b = box.button;
  return x >= b.x && x < b.x + b.width && y >= b.y && y < b.y + b.height;
}

}  // namespace

Box layOutBox(const std::string& caption, const std::string& text) {
  Box box;
  box.caption = caption;
  for (size_t at = 0, end = 0; end != std::string::npos; at = end + 1)
    box.lines.push_back(text.substr(at, (end = text.find('\n', at)) - at));
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  cairo_t* cr = cairo_create(scratch);
  useFont(cr);
  cairo_font_extents_t f;
  cairo_font_extents(cr, &f);
  box.lineHeight = (int)ceil(f.ascent + f.descent) + 2;
  box.captionHeight = box.lineHeight + MARGIN / 2;
  double widest = std::max((double)BUTTON_WIDTH, textWidth(cr, caption));
  for (const std::string& line : box.lines) widest = std::max(widest, textWidth(cr, line));
  cairo_destroy(cr);
  cairo_surface_destroy(scratch);
  box.width = std::max(MIN_WIDTH, (int)ceil(widest) + 2 * MARGIN);
  box.height = box.captionHeight + MARGIN + (int)box.lines.size() * box.lineHeight + MARGIN +
               BUTTON_HEIGHT + MARGIN;
  box.button = {(box.width - BUTTON_WIDTH) / 2, box.height - MARGIN - BUTTON_HEIGHT, BUTTON_WIDTH,
                BUTTON_HEIGHT};
  return box;
}

// White, with a muted blue caption bar and a grey edge, visible on black and on white alike.
void drawBox(cairo_t* cr, const Box& box) {
  useFont(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_set_source_rgb(cr, 0x3a / 255.0, 0x4a / 255.0, 0x6b / 255.0);
  cairo_rectangle(cr, 0, 0, box.width, box.captionHeight);
  cairo_fill(cr);
  text(cr, 1, MARGIN / 2, centredBaseline(cr, 0, box.captionHeight), box.caption);
  double baseline = centredBaseline(cr, box.captionHeight + MARGIN, box.lineHeight);
  for (const std::string& line : box.lines) {
    text(cr, 0, MARGIN, baseline, line);
    baseline += box.lineHeight;
  }
  const Box::Rect& b = box.button;
  cairo_set_source_rgb(cr, 0, 0, 0);
  if (box.pressed) {
    cairo_rectangle(cr, b.x, b.y, b.width, b.height);
    cairo_fill(cr);
  }
  outline(cr, b);
  text(cr, box.pressed ? 1 : 0, b.x + (b.width - textWidth(cr, "OK")) / 2,
       centredBaseline(cr, b.y, b.height), "OK");
  cairo_set_source_rgb(cr, 0.5, 0.5, 0.5);
  outline(cr, {0, 0, box.width, box.height});
}

void boxKey(Box& box, unsigned long keysym) {
  box.done = box.done || keysym == XK_Return || keysym == XK_KP_Enter || keysym == XK_Escape ||
             keysym == XK_space;
}

bool boxButton(Box& box, bool press, double x, double y) {
  bool wasPressed = box.pressed;
  if (press) {
    box.pressed = onButton(box, x, y);
  } else {
    box.done = box.done || (box.pressed && onButton(box, x, y));
    box.pressed = false;
  }
  return box.pressed != wasPressed;
}

// One write, so the line stays whole even when other output interleaves.
void writeBoxLine(const std::string& caption, const std::string& text) {
  std::string line = caption + ": " + text;
  std::replace(line.begin(), line.end(), '\n', ' ');
  line += '\n';
  ssize_t written = write(STDERR_FILENO, line.data(), line.size());
  (void)written;
}

}  // namespace layer

using namespace layer;

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
  writeBoxLine(caption, text);
  if (const WindowSystem* ws = windowSystem()) ws->messageBox(caption, text);
  return IDOK;
}
