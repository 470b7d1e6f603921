// Our 8 x 8 pixel font for the desktop's menu titles and icon labels: letters drawn in the
// 7 x 8 pixels at the left of each cell, the eighth column left empty as spacing.
#pragma once

#include <cstdint>
#include <string>

#include "raster.h"

namespace picturegen {

// The glyph's rows, top first; bit 7 is the leftmost pixel. Unknown characters (and space)
// have no pixels.
const uint8_t* pixelGlyph(char ch);
bool hasPixelGlyph(char ch);
// Draws text with the top-left corner of its first cell at (x, y), 8 pixels a character.
void drawPixelText(Image& image, int x, int y, const std::string& text, Rgb colour);

}  // namespace picturegen
