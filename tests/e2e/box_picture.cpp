// Looks at a message box in a screenshot (PNG) as a user reads it: finds it by its caption bar,
// and checks that the caption has its text, that the lines of text stand below the caption and
// clear above the OK button, that the button is centred in the box with a white margin beneath,
// and that its label is inside it, centred; with --centred also that the box is in the middle of
// the picture.
//   dravik_box_picture FILE.png [--centred]
// exits 0 when the box is right, else 1 with what is wrong.
#include <cairo.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>

namespace {

struct Picture {
  const unsigned char* data;
  int width, height, stride;
  // Red, green and blue of a pixel (cairo keeps them little-endian in 32 bits).
  int channel(int x, int y, int c) const { return data[y * stride + x * 4 + 2 - c]; }
  bool caption(int x, int y) const {
    return abs(channel(x, y, 0) - 0x3a) < 12 && abs(channel(x, y, 1) - 0x4a) < 12 &&
           abs(channel(x, y, 2) - 0x6b) < 12;
  }
  int grey(int x, int y) const {
    return (channel(x, y, 0) + channel(x, y, 1) + channel(x, y, 2)) / 3;
  }
  bool dark(int x, int y) const { return grey(x, y) < 100; }
  bool white(int x, int y) const { return grey(x, y) > 200; }
};

struct Rect {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive
  void add(int x, int y) {
    left = std::min(left, x), top = std::min(top, y);
    right = std::max(right, x), bottom = std::max(bottom, y);
  }
  bool empty() const { return right < 0; }
};

int failed(const std::string& what) {
  printf("the box: %s\n", what.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  bool centred = argc == 3 && std::string(argv[2]) == "--centred";
  if (argc != 2 && !centred) return failed("usage: dravik_box_picture FILE.png [--centred]");
  cairo_surface_t* image = cairo_image_surface_create_from_png(argv[1]);
  if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) return failed("no picture");
  Picture p = {cairo_image_surface_get_data(image), cairo_image_surface_get_width(image),
               cairo_image_surface_get_height(image), cairo_image_surface_get_stride(image)};
  Rect bar;  // the caption bar: a band of its colour (its text aside)
  long barPixels = 0;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      if (p.caption(x, y)) bar.add(x, y), ++barPixels;
  if (bar.empty() || bar.right - bar.left < 100 ||
      barPixels < (long)(bar.right - bar.left + 1) * (bar.bottom - bar.top + 1) / 2)
    return failed("no caption bar");
  bool captionText = false;
  for (int y = bar.top; y <= bar.bottom; ++y)
    for (int x = bar.left; x <= bar.right; ++x) captionText = captionText || p.white(x, y);
  if (!captionText) return failed("no text in the caption bar");

  // Below the bar, the box is white down to its edge; inside it, its dark pixels by row.
  int left = bar.left + 2, right = bar.right - 2, bottom = bar.bottom + 1;
  while (bottom + 1 < p.height && !p.dark(left, bottom + 1) && p.grey(left, bottom + 1) > 150)
    ++bottom;
  Rect button, text;
  for (int y = bar.bottom + 1; y < bottom; ++y) {  // the button's top and bottom: long dark runs
    int run = 0;
    for (int x = left; x <= right; ++x) {
      run = p.dark(x, y) ? run + 1 : 0;
      if (run >= 50) button.add(x - run + 1, y), button.add(x, y);
    }
  }
  if (button.empty() || button.bottom - button.top < 10) return failed("no OK button");
  Rect label, outside;
  for (int y = bar.bottom + 1; y < bottom; ++y)
    for (int x = left; x <= right; ++x) {
      if (!p.dark(x, y)) continue;
      bool inButtonRows = y >= button.top && y <= button.bottom;
      bool inButtonColumns = x >= button.left && x <= button.right;
      if (inButtonRows && x > button.left + 1 && x < button.right - 1 && y > button.top + 1 &&
          y < button.bottom - 1)
        label.add(x, y);
      else if (!inButtonRows)
        (y < button.top ? text : outside).add(x, y);
      else if (!inButtonColumns)
        outside.add(x, y);
    }
  char line[200];
  snprintf(line, sizeof line, "%dx%d at %d,%d, button %dx%d at %d,%d", bar.right - bar.left + 1,
           bottom - bar.top + 1, bar.left, bar.top, button.right - button.left + 1,
           button.bottom - button.top + 1, button.left, button.top);
  std::string where = std::string(" (") + line + ")";
  if (text.empty()) return failed("no text" + where);
  if (text.top <= bar.bottom + 4) return failed("the text touches the caption bar" + where);
  if (button.top - text.bottom < 6) return failed("the text runs into the OK button" + where);
  if (!outside.empty()) return failed("something drawn beside or below the OK button" + where);
  if (bottom - button.bottom < 8) return failed("no margin below the OK button" + where);
  if (abs((button.left + button.right) - (bar.left + bar.right)) > 4)
    return failed("the OK button is not centred" + where);
  if (label.empty()) return failed("no label inside the OK button" + where);
  if (abs((label.left + label.right) - (button.left + button.right)) > 6 ||
      abs((label.top + label.bottom) - (button.top + button.bottom)) > 6)
    return failed("the label is not centred in the OK button" + where);
  if (centred &&
      (abs(bar.left + bar.right + 1 - p.width) > 4 || abs(bar.top + bottom + 1 - p.height) > 4))
    return failed("not in the middle of the picture" + where);
  printf("the box: caption, text and OK button in their places%s\n", where.c_str());
  cairo_surface_destroy(image);
  return 0;
}
