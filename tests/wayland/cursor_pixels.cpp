// The visible pixels of the pointer's image on an X display ($DISPLAY), as XFixes reads it: 0 when
// the pointer is hidden. A nested compositor shows its pointer through the outer display's.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <stdio.h>

int main() {
  Display* display = XOpenDisplay(nullptr);
  XFixesCursorImage* image = display ? XFixesGetCursorImage(display) : nullptr;
  if (!image) return 1;
  int visible = 0;
  for (int i = 0; i < image->width * image->height; ++i) visible += (image->pixels[i] >> 24) != 0;
  printf("%d\n", visible);
  return 0;
}
