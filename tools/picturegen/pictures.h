// The program's eight pictures, each drawn by code: star sprite, spare background, logo and
// mask, the scroller's font atlases and mask, and the desktop.
#pragma once

#include <cstdint>
#include <vector>

#include "glyphs.h"
#include "raster.h"

namespace picturegen {

// A colour picture and the grey mask that becomes its alpha (white opaque).
struct Masked {
  Image colour;
  Gray mask;
};

struct FontAtlas {
  Image bright;
  Image darker;
  Gray mask;
};

// Soft round star: white at the centre, black at and beyond the inscribed circle.
Image drawStar(int size);
// A small picture for the file nothing draws: a few copper bars.
Image drawBackground(int size);
// The logo lettering in its region (effects/pictureregions.h), transparent elsewhere.
Masked drawLogo(const FontFace& font);
// 512 x 512 atlases on a 64-pixel grid, each glyph within the top-left 47 x 33 of its cell.
FontAtlas drawFontAtlas(const FontFace& font);
// The desktop in its region (effects/pictureregions.h), its last column and row repeated once.
Image drawDesktop();
// The Windows icon, the bytes of an .ico file: the logo's sun at 16, 32, 48 and 256 pixels.
std::vector<uint8_t> drawIcon();

}  // namespace picturegen
