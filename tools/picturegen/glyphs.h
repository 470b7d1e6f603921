// Text rendered at build time from a TrueType font through FreeType, as anti-aliased coverage.
#pragma once

#include <string>

#include "raster.h"

namespace picturegen {

// How a line of text is set: size of the em in pixels, a stretch on each axis, a slant (the
// horizontal shift per unit of height, positive leaning right) and extra space between letters
// in ems.
struct TextStyle {
  float em = 32;
  float scaleX = 1, scaleY = 1;
  float slant = 0;
  float tracking = 0;
};

// Coverage of a rendered line, just large enough for its ink plus a margin, and the row that
// lies directly below the baseline.
struct Ink {
  Gray coverage;
  int baseline = 0;
};

class FontFace {
 public:
  FontFace();
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  bool open(const std::string& path);
  // Renders one line of text; an empty Ink when the font is not open or nothing has ink.
  Ink render(const std::string& text, const TextStyle& style, int margin) const;

 private:
  struct Impl;
  Impl* impl_;
};

// The bounding box of the pixels with coverage above `threshold`; width 0 when there are none.
struct Box {
  int x = 0, y = 0, width = 0, height = 0;
};
Box inkBox(const Gray& coverage, float threshold = 0.0f);

}  // namespace picturegen
