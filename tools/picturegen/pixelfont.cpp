// The pixel font's glyphs, drawn by hand as text, and the text drawing.
#include "pixelfont.h"

#include <array>
#include <map>
#include <string>

namespace picturegen {

namespace {

// The glyphs drawn as text, eight to a band: the band's characters, then its eight rows of
// eight pixels per glyph, X for a pixel.
// clang-format off
const char* const kSheet[] = {
    "ABCDEFGH",
    "..XXX...XXXXXX...XXXXX..XXXXX...XXXXXXX.XXXXXXX..XXXXX..XX...XX.",
    ".XX.XX..XX...XX.XX...XX.XX..XX..XX......XX......XX...XX.XX...XX.",
    "XX...XX.XX...XX.XX......XX...XX.XX......XX......XX......XX...XX.",
    "XX...XX.XXXXXX..XX......XX...XX.XXXXXX..XXXXXX..XX.XXXX.XXXXXXX.",
    "XXXXXXX.XX...XX.XX......XX...XX.XX......XX......XX...XX.XX...XX.",
    "XX...XX.XX...XX.XX...XX.XX..XX..XX......XX......XX...XX.XX...XX.",
    "XX...XX.XXXXXX...XXXXX..XXXXX...XXXXXXX.XX.......XXXXXX.XX...XX.",
    "................................................................",
    "IJKLMNOP",
    "XXXXXX......XXX.XX...XX.XX......XX...XX.XX...XX..XXXXX..XXXXXX..",
    "..XX.........XX.XX..XX..XX......XXX.XXX.XXX..XX.XX...XX.XX...XX.",
    "..XX.........XX.XX.XX...XX......XXXXXXX.XXXX.XX.XX...XX.XX...XX.",
    "..XX.........XX.XXXX....XX......XX.X.XX.XX.XXXX.XX...XX.XXXXXX..",
    "..XX....XX...XX.XX.XX...XX......XX...XX.XX..XXX.XX...XX.XX......",
    "..XX....XX...XX.XX..XX..XX......XX...XX.XX...XX.XX...XX.XX......",
    "XXXXXX...XXXXX..XX...XX.XXXXXXX.XX...XX.XX...XX..XXXXX..XX......",
    "................................................................",
    "QRSTUVWX",
    ".XXXXX..XXXXXX...XXXXX..XXXXXX..XX...XX.XX...XX.XX...XX.XX...XX.",
    "XX...XX.XX...XX.XX...XX...XX....XX...XX.XX...XX.XX...XX.XX...XX.",
    "XX...XX.XX...XX.XX........XX....XX...XX.XX...XX.XX...XX..XX.XX..",
    "XX...XX.XXXXXX...XXXXX....XX....XX...XX.XX...XX.XX.X.XX...XXX...",
    "XX.X.XX.XX.XX........XX...XX....XX...XX..XX.XX..XXXXXXX..XX.XX..",
    "XX..XX..XX..XX..XX...XX...XX....XX...XX...XXX...XXX.XXX.XX...XX.",
    ".XXX.XX.XX...XX..XXXXX....XX.....XXXXX.....X....XX...XX.XX...XX.",
    "................................................................",
    "YZabcdef",
    "XX..XX..XXXXXXX.........XX...................XX...........XXXX..",
    "XX..XX.......XX.........XX...................XX..........XX.....",
    "XX..XX......XX...XXXXX..XXXXXX...XXXXX...XXXXXX..XXXXX..XXXXX...",
    ".XXXX......XX........XX.XX...XX.XX......XX...XX.XX...XX..XX.....",
    "..XX......XX.....XXXXXX.XX...XX.XX......XX...XX.XXXXXXX..XX.....",
    "..XX.....XX.....XX...XX.XX...XX.XX......XX...XX.XX.......XX.....",
    "..XX....XXXXXXX..XXXXXX.XXXXXX...XXXXX...XXXXXX..XXXXX...XX.....",
    "................................................................",
    "ghijklmn",
    "........XX........XX........XX..XX.......XXX....................",
    "........XX......................XX........XX....................",
    ".XXXXXX.XXXXXX...XXX.......XXX..XX..XX....XX....XXX.XX..XXXXXX..",
    "XX...XX.XX...XX...XX........XX..XX.XX.....XX....XXXXXXX.XX...XX.",
    "XX...XX.XX...XX...XX........XX..XXXX......XX....XX.X.XX.XX...XX.",
    ".XXXXXX.XX...XX...XX........XX..XX.XX.....XX....XX.X.XX.XX...XX.",
    ".....XX.XX...XX..XXXX...XX..XX..XX..XX...XXXX...XX...XX.XX...XX.",
    "XXXXXX...................XXXX...................................",
    "opqrstuv",
    ".........................................XX.....................",
    ".........................................XX.....................",
    ".XXXXX..XXXXXX...XXXXXX.XX.XXX...XXXXXX.XXXXXX..XX...XX.XX...XX.",
    "XX...XX.XX...XX.XX...XX.XXX..XX.XX.......XX.....XX...XX.XX...XX.",
    "XX...XX.XX...XX.XX...XX.XX.......XXXXX...XX.....XX...XX.XX...XX.",
    "XX...XX.XXXXXX...XXXXXX.XX...........XX..XX.....XX...XX..XX.XX..",
    ".XXXXX..XX...........XX.XX......XXXXXX....XXXX...XXXXXX...XXX...",
    "........XX...........XX.........................................",
    "wxyz:.01",
    ".................................................XXXXX.....XX...",
    "..................................XX............XX...XX...XXX...",
    "XX...XX.XX...XX.XX...XX.XXXXXXX...XX............XX..XXX..XXXX...",
    "XX.X.XX..XX.XX..XX...XX.....XX..................XX.X.XX....XX...",
    "XX.X.XX...XXX...XX...XX...XX......XX............XXX..XX....XX...",
    "XXXXXXX..XX.XX...XXXXXX.XX........XX......XX....XX...XX....XX...",
    ".XX.XX..XX...XX......XX.XXXXXXX...........XX.....XXXXX...XXXXXX.",
    "................XXXXXX..........................................",
    "23456789",
    ".XXXXX...XXXXX......XX..XXXXXXX...XXXX..XXXXXXX..XXXXX...XXXXX..",
    "XX...XX.XX...XX....XXX..XX.......XX..........XX.XX...XX.XX...XX.",
    ".....XX......XX...XXXX..XXXXXX..XX..........XX..XX...XX.XX...XX.",
    "...XXX....XXXX...XX.XX.......XX.XXXXXX.....XX....XXXXX...XXXXXX.",
    ".XXX.........XX.XXXXXXX......XX.XX...XX...XX....XX...XX......XX.",
    "XX......XX...XX.....XX..XX...XX.XX...XX...XX....XX...XX.....XX..",
    "XXXXXXX..XXXXX......XX...XXXXX...XXXXX....XX.....XXXXX...XXXX...",
    "................................................................",
    "\\",
    "XX......",
    ".XX.....",
    "..XX....",
    "...XX...",
    "....XX..",
    ".....XX.",
    "......X.",
    "........",
};
// clang-format on

using Bits = std::array<uint8_t, 8>;

const std::map<char, Bits>& table() {
  static const std::map<char, Bits> glyphs = [] {
    std::map<char, Bits> out;
    const size_t lines = sizeof kSheet / sizeof kSheet[0];
    for (size_t band = 0; band < lines; band += 9) {
      const std::string chars = kSheet[band];
      for (size_t g = 0; g < chars.size(); ++g) {
        Bits bits{};
        for (int r = 0; r < 8; ++r)
          for (int c = 0; c < 8; ++c)
            if (kSheet[band + 1 + r][g * 8 + c] == 'X') bits[r] |= uint8_t(0x80 >> c);
        out[chars[g]] = bits;
      }
    }
    return out;
  }();
  return glyphs;
}

}  // namespace

const uint8_t* pixelGlyph(char ch) {
  static const Bits empty{};
  const auto it = table().find(ch);
  return it == table().end() ? empty.data() : it->second.data();
}

bool hasPixelGlyph(char ch) { return table().count(ch) != 0; }

void drawPixelText(Image& image, int x, int y, const std::string& text, Rgb colour) {
  for (size_t i = 0; i < text.size(); ++i) {
    const uint8_t* rows = pixelGlyph(text[i]);
    for (int r = 0; r < 8; ++r) {
      for (int c = 0; c < 8; ++c) {
        const int px = x + int(i) * 8 + c, py = y + r;
        if ((rows[r] & (0x80 >> c)) && px >= 0 && py >= 0 && px < image.width && py < image.height)
          image.at(px, py) = colour;
      }
    }
  }
}

}  // namespace picturegen
