// Where the desktop picture's green stands in a screenshot (PNG): the bounding box of the pixels
// much greener than red and blue, as WIDTHxHEIGHT+X+Y, or "none". What a shell test asks many
// times while it waits, so it must be quick.
//   dravik_green_box FILE.png
#include <cairo.h>
#include <stdio.h>

#include <algorithm>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  cairo_surface_t* image = cairo_image_surface_create_from_png(argv[1]);
  if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) return 1;
  const unsigned char* data = cairo_image_surface_get_data(image);
  int width = cairo_image_surface_get_width(image), height = cairo_image_surface_get_height(image);
  int stride = cairo_image_surface_get_stride(image);
  int left = width, top = height, right = -1, bottom = -1;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = data + y * stride + x * 4;  // blue, green, red
      if (p[1] > p[2] + 38 && p[1] > p[0] + 38) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
  if (right < 0)
    printf("none\n");
  else
    printf("%dx%d+%d+%d\n", right - left + 1, bottom - top + 1, left, top);
  cairo_surface_destroy(image);
  return 0;
}
