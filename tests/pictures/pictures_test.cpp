// The generated pictures of Data/ as the program relies on them: the file format, the sizes,
// the layouts of the logo, the font atlases and the desktop, grey masks, the blank font cells,
// the darker atlas, and the same bytes from every run of the generator.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "effects/fontcells.h"
#include "picture_names.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

uint32_t u32(const Bytes& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | (uint32_t)b[at + 3] << 24;
}

// A picture in the exact subset the program reads, or an empty one (with a test failure).
struct Picture {
  int width = 0, height = 0;
  Bytes rgb;  // top row of the picture first
  const uint8_t* at(int x, int y) const { return &rgb[(size_t(y) * width + x) * 3]; }
  int red(int x, int y) const { return at(x, y)[0]; }
  int sum(int x, int y) const { return at(x, y)[0] + at(x, y)[1] + at(x, y)[2]; }
};

Picture read(const char* name) {
  Bytes b = readBytes(std::string(PICTURE_DIR) + "/" + name);
  Picture p;
  int32_t w = b.size() >= 54 ? (int32_t)u32(b, 18) : 0,
          h = b.size() >= 54 ? (int32_t)u32(b, 22) : 0;
  bool powers = w > 0 && h > 0 && !(w & (w - 1)) && !(h & (h - 1));
  bool ok = powers && b[0] == 'B' && b[1] == 'M' && u32(b, 2) == b.size() && u32(b, 10) == 54 &&
            u32(b, 14) == 40 && (u32(b, 26) & 0xffff) == 1 && (u32(b, 28) & 0xffff) == 24 &&
            u32(b, 30) == 0 && u32(b, 46) == 0 && w % 4 == 0 && b.size() == 54 + size_t(w) * h * 3;
  EXPECT_TRUE(ok) << name << " is not a bottom-up 24-bit BMP of power-of-two sides";
  if (!ok) return p;
  p.width = w;
  p.height = h;
  for (int y = h - 1; y >= 0; --y)  // the file's first row is the bottom
    for (int x = 0; x < w; ++x)
      p.rgb.insert(p.rgb.end(), {b[54 + (y * w + x) * 3 + 2], b[54 + (y * w + x) * 3 + 1],
                                 b[54 + (y * w + x) * 3]});
  return p;
}

// The pixels of a region whose red is above the threshold: how many, and whether any touches
// the region's border.
struct Ink {
  int count = 0;
  bool onBorder = false;
};
Ink ink(const Picture& m, int x0, int y0, int w, int h, int threshold = 0) {
  Ink e;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x)
      if (m.red(x, y) > threshold) {
        e.count++;
        e.onBorder |= x == x0 || y == y0 || x == x0 + w - 1 || y == y0 + h - 1;
      }
  return e;
}

TEST(Pictures, SizesAreThoseTheTextureCoordinatesAssumeAndMasksAreGrey) {
  for (const char* name : {PICTURE_LOGO, PICTURE_LOGO_MASK, PICTURE_FONT, PICTURE_FONT_DARKER,
                           PICTURE_FONT_MASK, PICTURE_DESKTOP}) {
    Picture p = read(name);
    EXPECT_EQ(p.width * 10000 + p.height, 512 * 10000 + 512) << name;
  }
  Picture star = read(PICTURE_STAR), background = read(PICTURE_BACKGROUND);
  EXPECT_TRUE(star.width == star.height && star.width >= 32);
  EXPECT_GT(star.sum(star.width / 2, star.height / 2), 600) << "a bright star in the middle";
  EXPECT_EQ(star.sum(0, 0), 0) << "on black";
  EXPECT_GT(background.width, 0);
  for (const char* name : {PICTURE_LOGO_MASK, PICTURE_FONT_MASK}) {
    Picture m = read(name);
    for (size_t i = 0; i < m.rgb.size(); i += 3)
      ASSERT_TRUE(m.rgb[i] == m.rgb[i + 1] && m.rgb[i] == m.rgb[i + 2]) << name;
  }
}

TEST(Pictures, LogoFillsItsTopLeftRegionAndNothingElse) {
  Picture m = read(PICTURE_LOGO_MASK);
  ASSERT_EQ(m.width, 512);
  Ink logo = ink(m, 0, 0, 310, 242);
  EXPECT_GT(ink(m, 0, 0, 310, 242, 250).count, 310 * 242 / 3);
  EXPECT_FALSE(logo.onBorder) << "the drawn quad would cut the logo off";
  EXPECT_EQ(ink(m, 310, 0, 512 - 310, 512).count + ink(m, 0, 242, 310, 512 - 242).count, 0);
}

TEST(Pictures, FontGlyphsLieInTheirCellsTheRestIsTransparentAndTheDarkerAtlasIsDarker) {
  Picture m = read(PICTURE_FONT_MASK), bright = read(PICTURE_FONT),
          darker = read(PICTURE_FONT_DARKER);
  ASSERT_EQ(m.width + bright.width + darker.width, 3 * FONTATLAS_SIZE);
  for (int row = 0; row < FONTATLAS_SIZE / FONTCELL_SIZE; ++row)
    for (int col = 0; col < FONTATLAS_SIZE / FONTCELL_SIZE; ++col) {
      SCOPED_TRACE(testing::Message() << "cell " << col << "," << row);
      int x = col * FONTCELL_SIZE, y = row * FONTCELL_SIZE;
      bool glyph = row < FONTCELL_ROWS && col < (int)strlen(FONTCELLS[row]);
      Ink cell = ink(m, x, y, FONTCELL_SIZE, FONTCELL_SIZE);
      Ink inGlyph = ink(m, x, y, FONTGLYPH_WIDTH, FONTGLYPH_HEIGHT);
      EXPECT_EQ(cell.count, inGlyph.count) << "ink outside the glyph's 47 x 33";
      if (!glyph) {
        EXPECT_EQ(cell.count, 0);
        continue;
      }
      EXPECT_GT(ink(m, x, y, FONTGLYPH_WIDTH, FONTGLYPH_HEIGHT, 250).count, 20);
      EXPECT_FALSE(inGlyph.onBorder);
      long b = 0, d = 0;
      for (int j = y; j < y + FONTGLYPH_HEIGHT; ++j)
        for (int i = x; i < x + FONTGLYPH_WIDTH; ++i)
          if (m.red(i, j) >= 128) b += bright.sum(i, j), d += darker.sum(i, j);
      EXPECT_TRUE(d < b * 0.7 && d > b * 0.2) << "darker, yet visible";
    }
}

TEST(Pictures, DesktopFillsItsTopLeftRegionAndRepeatsItsEdges) {
  Picture d = read(PICTURE_DESKTOP);
  ASSERT_EQ(d.width, 512);
  int lit = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 320; ++x) lit += d.sum(x, y) > 0;
  EXPECT_GT(lit, 320 * 200 * 9 / 10);
  // The pixels just outside repeat the edge, so filtering there shows no dark seam.
  for (int y = 0; y < 200; ++y) ASSERT_EQ(d.sum(320, y), d.sum(319, y)) << "row " << y;
  for (int x = 0; x < 320; ++x) ASSERT_EQ(d.sum(x, 200), d.sum(x, 199)) << "column " << x;
}

TEST(Pictures, TheGeneratorWritesTheSameBytesOnEveryRun) {
  std::string dir = testing::TempDir() + "picturegen-" + std::to_string(getpid());
  std::filesystem::create_directories(dir);
  ASSERT_EQ(std::system(("'" PICTUREGEN "' '" + dir + "' '" PICTUREGEN_FONT "'").c_str()), 0);
  for (const char* name : {PICTURE_STAR, PICTURE_BACKGROUND, PICTURE_LOGO, PICTURE_LOGO_MASK,
                           PICTURE_FONT, PICTURE_FONT_DARKER, PICTURE_FONT_MASK, PICTURE_DESKTOP})
    EXPECT_TRUE(readBytes(dir + "/" + name) == readBytes(std::string(PICTURE_DIR) + "/" + name))
        << name;
  std::filesystem::remove_all(dir);
}

}  // namespace
