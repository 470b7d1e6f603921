// The picture generator's building blocks: BMP encoding, distances to an edge, supersampling,
// the pixel font and text rendered from a TrueType font.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "bmp_reader.h"
#include "bmpfile.h"
#include "glyphs.h"
#include "pixelfont.h"
#include "raster.h"

using namespace picturegen;

TEST(Bmp, EncodesBottomUpBlueGreenRedThatAStrictReaderAccepts) {
  Image im(4, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) im.at(x, y) = rgb8(10 * x, 100 + y, 200 - x);
  const std::vector<uint8_t> bytes = encodeBmp(im);
  // The file's first pixel is the picture's bottom-left one, blue first.
  EXPECT_EQ(bytes[54], 200);
  EXPECT_EQ(bytes[55], 101);
  EXPECT_EQ(bytes[56], 0);
  const CheckedBmp back = parseBmp(bytes);
  ASSERT_TRUE(back.ok()) << back.error;
  ASSERT_EQ(back.width, 4);
  ASSERT_EQ(back.height, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(back.at(x, y)[0], 10 * x);
      EXPECT_EQ(back.at(x, y)[1], 100 + y);
      EXPECT_EQ(back.at(x, y)[2], 200 - x);
    }
  }
}

TEST(Bmp, RefusesWidthsWhoseRowsWouldNeedFiller) {
  EXPECT_FALSE(writeBmp("/nonexistent-dir/never.bmp", Image(4, 4)));
  EXPECT_FALSE(writeBmp(testing::TempDir() + "/filler.bmp", Image(2, 2)));
}

TEST(Raster, ToByteRoundsAndClamps) {
  EXPECT_EQ(toByte(-0.5f), 0);
  EXPECT_EQ(toByte(0.5f), 128);
  EXPECT_EQ(toByte(2.0f), 255);
}

TEST(Raster, GradientInterpolatesBetweenStopsAndClampsOutside) {
  const std::vector<Stop> stops = {{0.0f, {0, 0, 0}}, {0.5f, {1, 0, 0}}, {1.0f, {1, 1, 0}}};
  EXPECT_FLOAT_EQ(gradient(stops, -1).r, 0);
  EXPECT_FLOAT_EQ(gradient(stops, 0.25f).r, 0.5f);
  EXPECT_FLOAT_EQ(gradient(stops, 0.75f).g, 0.5f);
  EXPECT_FLOAT_EQ(gradient(stops, 3).g, 1);
}

TEST(Raster, DownsampleWeighsColourByCoverage) {
  Image big(2, 2, {1, 0, 0});
  big.at(1, 1) = {0, 0, 1};
  Gray cover(2, 2, 0.0f);
  cover.at(0, 0) = 1;  // only the red pixel is covered
  const Image small = downsample(big, cover, 2, {0, 1, 0});
  EXPECT_FLOAT_EQ(small.at(0, 0).r, 1);
  EXPECT_FLOAT_EQ(small.at(0, 0).b, 0);
  EXPECT_FLOAT_EQ(downsample(cover, 2).at(0, 0), 0.25f);
  // A block with no coverage takes the given colour.
  EXPECT_FLOAT_EQ(downsample(big, Gray(2, 2), 2, {0, 1, 0}).at(0, 0).g, 1);
}

TEST(Raster, SignedDistanceMatchesABruteForceSearch) {
  // An irregular shape: a disc with a notch, and a separate bar.
  Gray shape(40, 30);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool disc = (x - 12) * (x - 12) + (y - 14) * (y - 14) <= 64 && !(x > 12 && y == 14);
      const bool bar = x >= 27 && x <= 34 && y >= 3 && y <= 25;
      shape.at(x, y) = (disc || bar) ? 1.0f : 0.0f;
    }
  }
  const Gray d = signedDistance(shape);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool in = shape.at(x, y) >= 0.5f;
      double best = 1e9;
      for (int j = 0; j < 30; ++j)
        for (int i = 0; i < 40; ++i)
          if ((shape.at(i, j) >= 0.5f) != in) best = std::min(best, std::hypot(i - x, j - y));
      const double expected = in ? best - 0.5 : 0.5 - best;
      ASSERT_NEAR(d.at(x, y), expected, 1e-4) << x << "," << y;
    }
  }
}

TEST(PixelFont, EveryLetterHasItsOwnPixelsAndLeavesTheSpacingColumnFree) {
  std::set<std::vector<uint8_t>> seen;
  for (const char* set : {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz"}) {
    for (const char* c = set; *c; ++c) {
      ASSERT_TRUE(hasPixelGlyph(*c)) << *c;
      const uint8_t* rows = pixelGlyph(*c);
      int pixels = 0;
      for (int r = 0; r < 8; ++r) {
        EXPECT_EQ(rows[r] & 1, 0) << *c << " row " << r;
        pixels += __builtin_popcount(rows[r]);
      }
      EXPECT_GT(pixels, 8) << *c;
      EXPECT_TRUE(seen.insert(std::vector<uint8_t>(rows, rows + 8)).second) << *c;
    }
  }
  EXPECT_FALSE(hasPixelGlyph(' '));
}

TEST(PixelFont, TextAdvancesEightPixelsACharacter) {
  Image im(24, 8, {1, 1, 1});
  drawPixelText(im, 0, 0, "L L", {0, 0, 0});
  // L: the left column down the cell and a full bottom row; the space leaves its cell alone.
  for (int base : {0, 16}) {
    EXPECT_EQ(im.at(base, 0).r, 0);
    EXPECT_EQ(im.at(base + 6, 6).r, 0);
    EXPECT_EQ(im.at(base + 6, 0).r, 1);
  }
  for (int x = 8; x < 16; ++x)
    for (int y = 0; y < 8; ++y) EXPECT_EQ(im.at(x, y).r, 1);
}

TEST(FontFace, RendersLettersOnACommonBaseline) {
  FontFace font;
  EXPECT_FALSE(font.open("/nonexistent/font.ttf"));
  ASSERT_TRUE(font.open(PICTURE_FONT));
  TextStyle style;
  style.em = 40;
  const Ink h = font.render("H", style, 2);
  const Box hb = inkBox(h.coverage, 0.5f);
  ASSERT_GT(hb.width, 0);
  EXPECT_NEAR(hb.y + hb.height, h.baseline, 1) << "H stands on the baseline";
  EXPECT_NEAR(hb.height, 0.73 * 40, 2) << "capital height of a sans serif";
  const Ink dot = font.render(".", style, 2);
  const Box db = inkBox(dot.coverage, 0.5f);
  EXPECT_NEAR(db.y + db.height, dot.baseline, 1);
  EXPECT_LT(db.height, hb.height / 3);
  // Stretching doubles the height; a longer text is wider.
  style.scaleY = 2;
  EXPECT_NEAR(inkBox(font.render("H", style, 0).coverage, 0.5f).height, 2 * hb.height, 2);
  style.scaleY = 1;
  EXPECT_GT(inkBox(font.render("HH", style, 0).coverage).width, 2 * hb.width);
  EXPECT_EQ(font.render("", style, 0).coverage.width, 0);
}
