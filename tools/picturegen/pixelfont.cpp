// The pixel font's glyphs, drawn by hand as text, and the text drawing.
#include "pixelfont.h"

#include <array>
#include <map>

namespace picturegen {

namespace {

// Each glyph: its character and eight rows of eight cells, X for a pixel.
struct Drawn {
  char ch;
  const char* rows[8];
};

const Drawn kDrawn[] = {
    {'A',
     {"..XXX...", ".XX.XX..", "XX...XX.", "XX...XX.", "XXXXXXX.", "XX...XX.", "XX...XX.",
      "........"}},
    {'B',
     {"XXXXXX..", "XX...XX.", "XX...XX.", "XXXXXX..", "XX...XX.", "XX...XX.", "XXXXXX..",
      "........"}},
    {'C',
     {".XXXXX..", "XX...XX.", "XX......", "XX......", "XX......", "XX...XX.", ".XXXXX..",
      "........"}},
    {'D',
     {"XXXXX...", "XX..XX..", "XX...XX.", "XX...XX.", "XX...XX.", "XX..XX..", "XXXXX...",
      "........"}},
    {'E',
     {"XXXXXXX.", "XX......", "XX......", "XXXXXX..", "XX......", "XX......", "XXXXXXX.",
      "........"}},
    {'F',
     {"XXXXXXX.", "XX......", "XX......", "XXXXXX..", "XX......", "XX......", "XX......",
      "........"}},
    {'G',
     {".XXXXX..", "XX...XX.", "XX......", "XX.XXXX.", "XX...XX.", "XX...XX.", ".XXXXXX.",
      "........"}},
    {'H',
     {"XX...XX.", "XX...XX.", "XX...XX.", "XXXXXXX.", "XX...XX.", "XX...XX.", "XX...XX.",
      "........"}},
    {'I',
     {"XXXXXX..", "..XX....", "..XX....", "..XX....", "..XX....", "..XX....", "XXXXXX..",
      "........"}},
    {'J',
     {"....XXX.", ".....XX.", ".....XX.", ".....XX.", "XX...XX.", "XX...XX.", ".XXXXX..",
      "........"}},
    {'K',
     {"XX...XX.", "XX..XX..", "XX.XX...", "XXXX....", "XX.XX...", "XX..XX..", "XX...XX.",
      "........"}},
    {'L',
     {"XX......", "XX......", "XX......", "XX......", "XX......", "XX......", "XXXXXXX.",
      "........"}},
    {'M',
     {"XX...XX.", "XXX.XXX.", "XXXXXXX.", "XX.X.XX.", "XX...XX.", "XX...XX.", "XX...XX.",
      "........"}},
    {'N',
     {"XX...XX.", "XXX..XX.", "XXXX.XX.", "XX.XXXX.", "XX..XXX.", "XX...XX.", "XX...XX.",
      "........"}},
    {'O',
     {".XXXXX..", "XX...XX.", "XX...XX.", "XX...XX.", "XX...XX.", "XX...XX.", ".XXXXX..",
      "........"}},
    {'P',
     {"XXXXXX..", "XX...XX.", "XX...XX.", "XXXXXX..", "XX......", "XX......", "XX......",
      "........"}},
    {'Q',
     {".XXXXX..", "XX...XX.", "XX...XX.", "XX...XX.", "XX.X.XX.", "XX..XX..", ".XXX.XX.",
      "........"}},
    {'R',
     {"XXXXXX..", "XX...XX.", "XX...XX.", "XXXXXX..", "XX.XX...", "XX..XX..", "XX...XX.",
      "........"}},
    {'S',
     {".XXXXX..", "XX...XX.", "XX......", ".XXXXX..", ".....XX.", "XX...XX.", ".XXXXX..",
      "........"}},
    {'T',
     {"XXXXXX..", "..XX....", "..XX....", "..XX....", "..XX....", "..XX....", "..XX....",
      "........"}},
    {'U',
     {"XX...XX.", "XX...XX.", "XX...XX.", "XX...XX.", "XX...XX.", "XX...XX.", ".XXXXX..",
      "........"}},
    {'V',
     {"XX...XX.", "XX...XX.", "XX...XX.", "XX...XX.", ".XX.XX..", "..XXX...", "...X....",
      "........"}},
    {'W',
     {"XX...XX.", "XX...XX.", "XX...XX.", "XX.X.XX.", "XXXXXXX.", "XXX.XXX.", "XX...XX.",
      "........"}},
    {'X',
     {"XX...XX.", "XX...XX.", ".XX.XX..", "..XXX...", ".XX.XX..", "XX...XX.", "XX...XX.",
      "........"}},
    {'Y',
     {"XX..XX..", "XX..XX..", "XX..XX..", ".XXXX...", "..XX....", "..XX....", "..XX....",
      "........"}},
    {'Z',
     {"XXXXXXX.", ".....XX.", "....XX..", "...XX...", "..XX....", ".XX.....", "XXXXXXX.",
      "........"}},
    {'a',
     {"........", "........", ".XXXXX..", ".....XX.", ".XXXXXX.", "XX...XX.", ".XXXXXX.",
      "........"}},
    {'b',
     {"XX......", "XX......", "XXXXXX..", "XX...XX.", "XX...XX.", "XX...XX.", "XXXXXX..",
      "........"}},
    {'c',
     {"........", "........", ".XXXXX..", "XX......", "XX......", "XX......", ".XXXXX..",
      "........"}},
    {'d',
     {".....XX.", ".....XX.", ".XXXXXX.", "XX...XX.", "XX...XX.", "XX...XX.", ".XXXXXX.",
      "........"}},
    {'e',
     {"........", "........", ".XXXXX..", "XX...XX.", "XXXXXXX.", "XX......", ".XXXXX..",
      "........"}},
    {'f',
     {"..XXXX..", ".XX.....", "XXXXX...", ".XX.....", ".XX.....", ".XX.....", ".XX.....",
      "........"}},
    {'g',
     {"........", "........", ".XXXXXX.", "XX...XX.", "XX...XX.", ".XXXXXX.", ".....XX.",
      "XXXXXX.."}},
    {'h',
     {"XX......", "XX......", "XXXXXX..", "XX...XX.", "XX...XX.", "XX...XX.", "XX...XX.",
      "........"}},
    {'i',
     {"..XX....", "........", ".XXX....", "..XX....", "..XX....", "..XX....", ".XXXX...",
      "........"}},
    {'j',
     {"....XX..", "........", "...XXX..", "....XX..", "....XX..", "....XX..", "XX..XX..",
      ".XXXX..."}},
    {'k',
     {"XX......", "XX......", "XX..XX..", "XX.XX...", "XXXX....", "XX.XX...", "XX..XX..",
      "........"}},
    {'l',
     {".XXX....", "..XX....", "..XX....", "..XX....", "..XX....", "..XX....", ".XXXX...",
      "........"}},
    {'m',
     {"........", "........", "XXX.XX..", "XXXXXXX.", "XX.X.XX.", "XX.X.XX.", "XX...XX.",
      "........"}},
    {'n',
     {"........", "........", "XXXXXX..", "XX...XX.", "XX...XX.", "XX...XX.", "XX...XX.",
      "........"}},
    {'o',
     {"........", "........", ".XXXXX..", "XX...XX.", "XX...XX.", "XX...XX.", ".XXXXX..",
      "........"}},
    {'p',
     {"........", "........", "XXXXXX..", "XX...XX.", "XX...XX.", "XXXXXX..", "XX......",
      "XX......"}},
    {'q',
     {"........", "........", ".XXXXXX.", "XX...XX.", "XX...XX.", ".XXXXXX.", ".....XX.",
      ".....XX."}},
    {'r',
     {"........", "........", "XX.XXX..", "XXX..XX.", "XX......", "XX......", "XX......",
      "........"}},
    {'s',
     {"........", "........", ".XXXXXX.", "XX......", ".XXXXX..", ".....XX.", "XXXXXX..",
      "........"}},
    {'t',
     {".XX.....", ".XX.....", "XXXXXX..", ".XX.....", ".XX.....", ".XX.....", "..XXXX..",
      "........"}},
    {'u',
     {"........", "........", "XX...XX.", "XX...XX.", "XX...XX.", "XX...XX.", ".XXXXXX.",
      "........"}},
    {'v',
     {"........", "........", "XX...XX.", "XX...XX.", "XX...XX.", ".XX.XX..", "..XXX...",
      "........"}},
    {'w',
     {"........", "........", "XX...XX.", "XX.X.XX.", "XX.X.XX.", "XXXXXXX.", ".XX.XX..",
      "........"}},
    {'x',
     {"........", "........", "XX...XX.", ".XX.XX..", "..XXX...", ".XX.XX..", "XX...XX.",
      "........"}},
    {'y',
     {"........", "........", "XX...XX.", "XX...XX.", "XX...XX.", ".XXXXXX.", ".....XX.",
      "XXXXXX.."}},
    {'z',
     {"........", "........", "XXXXXXX.", "....XX..", "..XX....", "XX......", "XXXXXXX.",
      "........"}},
    {':',
     {"........", "..XX....", "..XX....", "........", "..XX....", "..XX....", "........",
      "........"}},
    {'.',
     {"........", "........", "........", "........", "........", "..XX....", "..XX....",
      "........"}},
};

using Bits = std::array<uint8_t, 8>;

const std::map<char, Bits>& table() {
  static const std::map<char, Bits> glyphs = [] {
    std::map<char, Bits> out;
    for (const Drawn& d : kDrawn) {
      Bits bits{};
      for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
          if (d.rows[r][c] == 'X') bits[r] |= uint8_t(0x80 >> c);
      out[d.ch] = bits;
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
