// The generated pictures of Data/ as the program reads them: the file format, the sizes, the
// layouts of the logo, the font atlases and the desktop, and the same bytes from every run; and
// the Windows icon's file format.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "effects/fontcells.h"
#include "effects/pictureregions.h"
#include "picture_names.h"

uint32_t u32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

// A picture's bytes; its sides stay 0 (with a failure) unless it is a bottom-up 24-bit BMP of
// power-of-two sides with a 40-byte info header, the subset the program reads.
struct Picture {
  std::vector<uint8_t> b;
  int w = 0, h = 0;
  explicit Picture(const char* name) {
    std::ifstream in(std::string(PICTURE_DIR "/") + name, std::ios::binary);
    b.assign(std::istreambuf_iterator<char>(in), {});
    size_t n = b.size();
    b.resize(std::max<size_t>(n, 54));
    int x = int(u32(&b[18])), y = int(u32(&b[22]));
    bool ok = b[0] == 'B' && b[1] == 'M' && u32(&b[2]) == n && u32(&b[10]) == 54 &&
              u32(&b[14]) == 40 && u32(&b[26]) == (24 << 16 | 1) && u32(&b[30]) == 0 &&
              u32(&b[46]) == 0 && x > 0 && y > 0 && !(x & (x - 1)) && !(y & (y - 1)) &&
              n == 54 + size_t(x) * y * 3;
    EXPECT_TRUE(ok) << name;
    if (ok) w = x, h = y;
  }
  // Blue, green, red of (x, y) counted from the top left.
  const uint8_t* at(int x, int y) const { return &b[54 + (size_t(h - 1 - y) * w + x) * 3]; }
};

// The pixels in [x0, x1) x [y0, y1) whose channel (blue 0, green 1, red 2) is above `above`. The
// program takes a mask's red for alpha.
int ink(const Picture& m, int x0, int y0, int x1, int y1, int above = 0, int channel = 2) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += m.at(x, y)[channel] > above;
  return n;
}

TEST(Pictures, SizesAndLayoutsAreThoseTheTextureCoordinatesAssume) {
  Picture logo(PICTURE_LOGO_MASK), font(PICTURE_FONT_MASK), bright(PICTURE_FONT),
      star(PICTURE_STAR), dark(PICTURE_FONT_DARKER), desk(PICTURE_DESKTOP), colour(PICTURE_LOGO);
  // A square star, its centre lit, its corner black.
  EXPECT_TRUE(star.w == star.h && star.w >= 32 && star.at(star.w / 2, star.h / 2)[2] > 200 &&
              star.at(0, 0)[2] == 0 && Picture(PICTURE_BACKGROUND).w > 0);
  for (const Picture* p : {&logo, &font, &bright, &dark, &desk, &colour})
    ASSERT_TRUE(p->w == 512 && p->h == 512);
  // The logo in its region, clear of the edges the quad cuts at, mostly opaque.
  const int lw = LOGO_WIDTH, lh = LOGO_HEIGHT, dw = DESKTOP_WIDTH, dh = DESKTOP_HEIGHT;
  EXPECT_EQ(ink(logo, 0, 0, logo.w, logo.h), ink(logo, 1, 1, lw - 1, lh - 1));
  EXPECT_GT(ink(logo, 0, 0, lw, lh, 250), lw * lh / 3);
  // Each glyph clear of the edges of the top-left 47 x 33 of its cell; the other cells empty.
  for (int cell = 0; cell < 64; ++cell) {
    int col = cell % 8, row = cell / 8, x = col * FONTCELL_SIZE, y = row * FONTCELL_SIZE;
    bool glyph = row < FONTCELL_ROWS && col < (int)strlen(FONTCELLS[row]);
    int inside = ink(font, x + 1, y + 1, x + FONTGLYPH_WIDTH - 1, y + FONTGLYPH_HEIGHT - 1);
    EXPECT_EQ(ink(font, x, y, x + FONTCELL_SIZE, y + FONTCELL_SIZE), glyph ? inside : 0) << cell;
    EXPECT_EQ(ink(font, x, y, x + FONTGLYPH_WIDTH, y + FONTGLYPH_HEIGHT, 250) > 20, glyph) << cell;
  }
  long b = 0, d = 0;  // the reflection's atlas: dimmer, yet visible
  for (size_t i = 54; i < bright.b.size(); ++i) b += bright.b[i], d += dark.b[i];
  EXPECT_TRUE(d < b * 0.7 && d > b * 0.2) << d << " of " << b;
  // The desktop's green backdrop and white bar fill its region; the pixels just outside repeat
  // its edges, so filtering there shows no dark seam.
  EXPECT_GT(ink(desk, 0, 0, dw, dh, 0, 1), dw * dh * 9 / 10);
  EXPECT_TRUE(std::equal(desk.at(0, dh), desk.at(dw + 1, dh), desk.at(0, dh - 1)));
  for (int y = 0; y < dh; ++y) ASSERT_EQ(memcmp(desk.at(dw - 1, y), desk.at(dw, y), 3), 0) << y;
}

TEST(Pictures, TheIconFileHoldsImagesOf16To256Pixels) {
  std::string path = testing::TempDir() + "picturegen-" + std::to_string(getpid()) + ".ico";
  ASSERT_EQ(std::system(("'" PICTUREGEN "' --icon '" + path + "'").c_str()), 0);
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> b(std::istreambuf_iterator<char>(in), {});
  std::filesystem::remove(path);
  ASSERT_TRUE(b.size() > 70 && u32(&b[0]) == 0x10000 && b[4] == 4 && b[5] == 0);  // 4 images
  for (uint32_t s : {16, 32, 48, 256}) {
    // Its entry: its size (0 for 256), 32 bits, its length and place in the file; there, a
    // 40-byte header of twice the height: the colours, then a mask in rows of 4 bytes.
    const uint8_t* e = &b[6 + 16 * (s < 256 ? s / 16 - 1 : 3)];
    uint32_t length = u32(e + 8), at = u32(e + 12);
    ASSERT_TRUE(e[0] == uint8_t(s) && e[1] == uint8_t(s) && u32(e + 4) == (32 << 16 | 1) &&
                length == 40 + s * s * 4 + (s + 31) / 32 * 4 * s && at + length <= b.size() &&
                u32(&b[at]) == 40 && u32(&b[at + 4]) == s && u32(&b[at + 8]) == 2 * s &&
                u32(&b[at + 12]) == (32 << 16 | 1) && u32(&b[at + 16]) == 0);
  }
}
