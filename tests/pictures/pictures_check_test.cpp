// Reads the generated pictures of Data/ and checks what the program relies on: the file format,
// the sizes, the layouts of logo, font atlases and desktop, and the look of each at its core.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "bmp_reader.h"

namespace {

const char* const kFiles[] = {
    "Star.bmp",  "background2.bmp", "tolvane image logo.bmp", "tolvane image logo mask.bmp",
    "font2.bmp", "font2darker.bmp", "font2mask.bmp",          "atari desktop.bmp"};

std::string dataPath(const std::string& name) { return std::string(PICTURE_DIR) + "/" + name; }

// Each picture read once for all tests.
const CheckedBmp& picture(const std::string& name) {
  static std::map<std::string, CheckedBmp> cache;
  auto it = cache.find(name);
  if (it == cache.end()) it = cache.emplace(name, readBmp(dataPath(name))).first;
  return it->second;
}

#define REQUIRE_PICTURE(var, name)       \
  const CheckedBmp& var = picture(name); \
  ASSERT_TRUE(var.ok()) << name << ": " << var.error

// Font cells: character -> (column, row) on the 64-pixel grid.
std::map<char, std::pair<int, int>> fontCells() {
  const char* rows[] = {"ABCDEF", "GHIJKL", "MNOPQR", "STUVWX", "YZ()?!", ":."};
  std::map<char, std::pair<int, int>> cells;
  for (int r = 0; r < 6; ++r)
    for (int c = 0; rows[r][c]; ++c) cells[rows[r][c]] = {c, r};
  return cells;
}

struct Extent {
  int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
  int count = 0;
  int width() const { return count ? x1 - x0 + 1 : 0; }
};

// Pixels of a mask region with alpha above `threshold`.
Extent maskExtent(const CheckedBmp& m, int x, int y, int w, int h, int threshold = 0) {
  Extent e;
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) {
      if (m.red(i, j) > threshold) {
        e.x0 = std::min(e.x0, i);
        e.x1 = std::max(e.x1, i);
        e.y0 = std::min(e.y0, j);
        e.y1 = std::max(e.y1, j);
        ++e.count;
      }
    }
  }
  return e;
}

// Mean brightness of the opaque pixels at an edge (next to a transparent pixel) and of those
// well inside (no transparent pixel within two pixels), over a region of a colour picture.
std::pair<double, double> edgeAndInnerLuma(const CheckedBmp& colour, const CheckedBmp& mask, int x,
                                           int y, int w, int h) {
  double edge = 0, inner = 0;
  int edges = 0, inners = 0;
  for (int j = y + 2; j < y + h - 2; ++j) {
    for (int i = x + 2; i < x + w - 2; ++i) {
      if (mask.red(i, j) < 250) continue;
      int nearest = 3;
      for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
          if (mask.red(i + dx, j + dy) < 128)
            nearest = std::min(nearest, std::max(std::abs(dx), std::abs(dy)));
      if (nearest == 1) edge += colour.luma(i, j), ++edges;
      if (nearest == 3) inner += colour.luma(i, j), ++inners;
    }
  }
  return {edges ? edge / edges : 0, inners ? inner / inners : 0};
}

TEST(Pictures, EveryFileIsAnUncompressed24BitBottomUpBmpWithPowerOfTwoSides) {
  for (const char* name : kFiles) {
    const CheckedBmp& bmp = picture(name);
    EXPECT_TRUE(bmp.ok()) << name << ": " << bmp.error;
  }
}

TEST(Pictures, SizesAreThoseTheTextureCoordinatesAssume) {
  for (const char* name : {"tolvane image logo.bmp", "tolvane image logo mask.bmp", "font2.bmp",
                           "font2darker.bmp", "font2mask.bmp", "atari desktop.bmp"}) {
    REQUIRE_PICTURE(bmp, name);
    EXPECT_EQ(bmp.width, 512) << name;
    EXPECT_EQ(bmp.height, 512) << name;
  }
  REQUIRE_PICTURE(star, "Star.bmp");
  EXPECT_EQ(star.width, star.height);
  EXPECT_GE(star.width, 32);
  REQUIRE_PICTURE(background, "background2.bmp");
  EXPECT_LE(background.width * background.height, 128 * 128) << "meant to be small";
}

TEST(Pictures, MasksAreGrey) {
  for (const char* name : {"tolvane image logo mask.bmp", "font2mask.bmp"}) {
    REQUIRE_PICTURE(m, name);
    for (size_t i = 0; i < m.rgb.size(); i += 3) {
      ASSERT_EQ(m.rgb[i], m.rgb[i + 1]) << name;
      ASSERT_EQ(m.rgb[i], m.rgb[i + 2]) << name;
    }
  }
}

TEST(Star, IsOneSoftRoundSpriteWhiteInTheMiddleAndBlackAtTheRim) {
  REQUIRE_PICTURE(s, "Star.bmp");
  const int n = s.width, c = n / 2;
  for (int k = 0; k < 3; ++k) EXPECT_GE(s.at(c, c)[k], 240) << "bright core";
  for (int i = 0; i < n; ++i) {
    for (int edge : {0, n - 1}) {
      EXPECT_EQ(s.luma(i, edge), 0) << "rim at " << i;
      EXPECT_EQ(s.luma(edge, i), 0) << "rim at " << i;
    }
  }
  // Round: the same at mirrored and transposed positions; soft: falls steadily from the centre.
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      ASSERT_EQ(s.luma(x, y), s.luma(n - 1 - x, y)) << x << "," << y;
      ASSERT_EQ(s.luma(x, y), s.luma(y, x)) << x << "," << y;
    }
  }
  for (int x = c; x + 1 < n; ++x) EXPECT_LE(s.luma(x + 1, c), s.luma(x, c)) << "at " << x;
  // A glow around the core: still visible an eighth of the width out, fading, not a flat disc.
  const int near = s.luma(c + n / 8, c);
  EXPECT_GT(near, 20);
  EXPECT_LT(near, 200);
  EXPECT_GT(s.luma(c + n / 4, c), 0) << "fades out smoothly, not cut off";
}

TEST(Logo, FillsItsRegionWithSoftEdgedOpaqueLetteringAndNothingElse) {
  REQUIRE_PICTURE(m, "tolvane image logo mask.bmp");
  const int w = 310, h = 242;
  const Extent opaque = maskExtent(m, 0, 0, w, h, 250);
  EXPECT_GT(opaque.count, w * h / 3) << "the logo fills its region";
  EXPECT_GT(opaque.width(), w * 9 / 10) << "and spans its width";
  const Extent any = maskExtent(m, 0, 0, w, h);
  EXPECT_GT(any.count - maskExtent(m, 0, 0, w, h, 254).count, 500) << "anti-aliased edges";
  // Nothing touches the region's border, so the drawn quad cuts nothing off.
  EXPECT_GT(any.x0, 0);
  EXPECT_GT(any.y0, 0);
  EXPECT_LT(any.x1, w - 1);
  EXPECT_LT(any.y1, h - 1);
  EXPECT_EQ(maskExtent(m, w, 0, 512 - w, 512).count, 0) << "transparent right of the logo";
  EXPECT_EQ(maskExtent(m, 0, h, w, 512 - h).count, 0) << "transparent below the logo";
}

TEST(Logo, LetteringIsShadedAndOutlined) {
  REQUIRE_PICTURE(colour, "tolvane image logo.bmp");
  REQUIRE_PICTURE(m, "tolvane image logo mask.bmp");
  int darkest = 255, brightest = 0;
  for (int y = 0; y < 242; ++y) {
    for (int x = 0; x < 310; ++x) {
      if (m.red(x, y) < 250) continue;
      darkest = std::min(darkest, colour.luma(x, y));
      brightest = std::max(brightest, colour.luma(x, y));
    }
  }
  EXPECT_GT(brightest - darkest, 180) << "a gradient with highlights and dark parts";
  const auto [edge, inner] = edgeAndInnerLuma(colour, m, 0, 0, 310, 242);
  EXPECT_LT(edge, inner * 0.6) << "a dark outline around the shapes";
}

TEST(Font, EveryGlyphStaysInsideTheTopLeft47By33OfItsCellAndOtherCellsAreEmpty) {
  REQUIRE_PICTURE(m, "font2mask.bmp");
  const auto cells = fontCells();
  std::map<std::pair<int, int>, char> byCell;
  for (const auto& [ch, cell] : cells) byCell[cell] = ch;
  for (int row = 0; row < 8; ++row) {
    for (int col = 0; col < 8; ++col) {
      const int x = col * 64, y = row * 64;
      const auto it = byCell.find({col, row});
      if (it == byCell.end()) {
        EXPECT_EQ(maskExtent(m, x, y, 64, 64).count, 0) << "cell " << col << "," << row;
        continue;
      }
      const char ch = it->second;
      const Extent ink = maskExtent(m, x, y, 64, 64);
      ASSERT_GT(maskExtent(m, x, y, 47, 33, 250).count, 20) << "glyph " << ch;
      // Inside the glyph area and clear of its border, so filtering at the quad's edge is clean.
      EXPECT_GT(ink.x0, x) << ch;
      EXPECT_GT(ink.y0, y) << ch;
      EXPECT_LT(ink.x1, x + 46) << ch;
      EXPECT_LT(ink.y1, y + 32) << ch;
    }
  }
  EXPECT_EQ(maskExtent(m, 6 * 64, 0, 64, 64).count, 0) << "the blank cell right of F";
}

TEST(Font, GlyphsAreDistinctAndShapedLikeTheirCharacters) {
  REQUIRE_PICTURE(colour, "font2.bmp");
  REQUIRE_PICTURE(m, "font2mask.bmp");
  const auto cells = fontCells();
  auto extentOf = [&](char ch) {
    const auto [c, r] = cells.at(ch);
    return maskExtent(m, c * 64, r * 64, 47, 33, 128);
  };
  // What a viewer sees: bright where the glyph is opaque and its colour is light.
  auto seen = [&](int x, int y) { return m.red(x, y) >= 128 && colour.luma(x, y) >= 96; };
  for (const auto& [a, ca] : cells) {
    for (const auto& [b, cb] : cells) {
      if (a >= b) continue;
      int differing = 0;
      for (int y = 0; y < 33; ++y)
        for (int x = 0; x < 47; ++x)
          differing += seen(ca.first * 64 + x, ca.second * 64 + y) !=
                       seen(cb.first * 64 + x, cb.second * 64 + y);
      EXPECT_GT(differing, 12) << a << " and " << b << " look the same";
    }
  }
  EXPECT_LT(extentOf('I').width() * 2, extentOf('W').width());
  EXPECT_LT(extentOf('I').width() * 2, extentOf('M').width());
  EXPECT_LT(extentOf('.').count * 4, extentOf('O').count);
  // Letters share a baseline; the full stop sits on it.
  EXPECT_EQ(extentOf('.').y1 - 5 * 64, extentOf('H').y1 - 64);
  EXPECT_EQ(extentOf('E').y0, extentOf('F').y0);
  // The colon and the exclamation mark show a gap: a row across them with nothing bright.
  for (char ch : {':', '!'}) {
    const Extent e = extentOf(ch);
    bool gap = false;
    for (int y = e.y0 + 2; y < e.y1 - 2 && !gap; ++y) {
      bool bright = false;
      for (int x = e.x0; x <= e.x1; ++x) bright = bright || seen(x, y);
      gap = !bright;
    }
    EXPECT_TRUE(gap) << ch;
  }
}

TEST(Font, BrightGlyphsHaveAVerticalGradientAndADarkOutline) {
  REQUIRE_PICTURE(colour, "font2.bmp");
  REQUIRE_PICTURE(m, "font2mask.bmp");
  // Mean colour of the opaque pixels in the top and bottom thirds of every letter cell.
  double top[3] = {}, bottom[3] = {};
  int tops = 0, bottoms = 0;
  for (const auto& [ch, cell] : fontCells()) {
    if (ch < 'A' || ch > 'Z') continue;
    const Extent e = maskExtent(m, cell.first * 64, cell.second * 64, 47, 33, 250);
    const int third = (e.y1 - e.y0) / 3;
    for (int y = e.y0; y <= e.y1; ++y) {
      for (int x = e.x0; x <= e.x1; ++x) {
        if (m.red(x, y) < 250) continue;
        if (y < e.y0 + third) {
          for (int k = 0; k < 3; ++k) top[k] += colour.at(x, y)[k];
          ++tops;
        } else if (y > e.y1 - third) {
          for (int k = 0; k < 3; ++k) bottom[k] += colour.at(x, y)[k];
          ++bottoms;
        }
      }
    }
  }
  ASSERT_GT(tops, 0);
  ASSERT_GT(bottoms, 0);
  double change = 0;
  for (int k = 0; k < 3; ++k) change += std::fabs(top[k] / tops - bottom[k] / bottoms);
  EXPECT_GT(change, 60) << "top and bottom of the letters differ in colour";
  const auto [edge, inner] = edgeAndInnerLuma(colour, m, 0, 0, 512, 384);
  EXPECT_LT(edge, inner * 0.6) << "a dark outline";
}

TEST(Font, DarkerAtlasIsTheSameGlyphsClearlyDarker) {
  REQUIRE_PICTURE(bright, "font2.bmp");
  REQUIRE_PICTURE(darker, "font2darker.bmp");
  REQUIRE_PICTURE(m, "font2mask.bmp");
  for (const auto& [ch, cell] : fontCells()) {
    double b = 0, d = 0;
    int n = 0;
    for (int y = cell.second * 64; y < cell.second * 64 + 33; ++y) {
      for (int x = cell.first * 64; x < cell.first * 64 + 47; ++x) {
        if (m.red(x, y) < 128) continue;
        b += bright.luma(x, y);
        d += darker.luma(x, y);
        ++n;
      }
    }
    ASSERT_GT(n, 0) << ch;
    EXPECT_LT(d, b * 0.7) << ch << " clearly darker";
    EXPECT_GT(d, b * 0.2) << ch << " still visible";
  }
}

TEST(Desktop, MenuBarWithTitlesAboveAPatternedGreenBackdrop) {
  REQUIRE_PICTURE(d, "atari desktop.bmp");
  // A white bar at the top carrying black text under each title.
  for (const auto& [x0, x1] : {std::pair{16, 48}, {64, 96}, {112, 144}, {160, 216}}) {
    int black = 0;
    for (int y = 0; y < 9; ++y)
      for (int x = x0; x < x1; ++x) black += d.luma(x, y) < 64;
    EXPECT_GT(black, 20) << "title at " << x0;
  }
  int white = 0;
  for (int x = 0; x < 320; ++x) white += d.luma(x, 0) > 230;
  EXPECT_EQ(white, 320) << "the bar's top row";
  // Below the bar, where no icon stands: green, in at least two shades alternating.
  int shifts = 0;
  for (int y = 140; y < 195; ++y) {
    for (int x = 240; x < 318; ++x) {
      const uint8_t* p = d.at(x, y);
      ASSERT_GT(p[1], p[0] + 60) << x << "," << y;
      ASSERT_GT(p[1], p[2] + 60) << x << "," << y;
      shifts += d.at(x + 1, y)[1] != p[1];
    }
  }
  EXPECT_GT(shifts, 1000) << "a pattern, not a flat colour";
}

TEST(Desktop, IconsPointerAndEdgesAreThere) {
  REQUIRE_PICTURE(d, "atari desktop.bmp");
  // Icons and their labels: black and white pixels on the left-hand side of the backdrop.
  int white = 0, black = 0;
  for (int y = 14; y < 200; ++y) {
    for (int x = 0; x < 110; ++x) {
      white += d.luma(x, y) > 230;
      black += d.luma(x, y) < 30;
    }
  }
  EXPECT_GT(white, 2000);
  EXPECT_GT(black, 600);
  // Everything in the top-left 320 x 200 is drawn: every row is mostly backdrop or white.
  for (int y = 12; y < 200; ++y) {
    int drawn = 0;
    for (int x = 0; x < 320; ++x) drawn += d.at(x, y)[1] > d.at(x, y)[0] + 60 || d.luma(x, y) > 230;
    EXPECT_GT(drawn, 100) << "row " << y;
  }
  // The pixels just outside repeat the edge, so filtering there shows no dark seam.
  for (int y = 0; y < 200; ++y)
    for (int k = 0; k < 3; ++k) ASSERT_EQ(d.at(320, y)[k], d.at(319, y)[k]) << "row " << y;
  for (int x = 0; x < 320; ++x)
    for (int k = 0; k < 3; ++k) ASSERT_EQ(d.at(x, 200)[k], d.at(x, 199)[k]) << "column " << x;
}

TEST(Generator, WritesTheSameBytesOnEveryRun) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("picturegen-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string command =
      std::string("\"") + PICTUREGEN + "\" \"" + dir.string() + "\" \"" + PICTURE_FONT + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0);
  for (const char* name : kFiles) {
    const std::vector<uint8_t> again = readBytes((dir / name).string());
    EXPECT_FALSE(again.empty()) << name;
    EXPECT_TRUE(again == readBytes(dataPath(name))) << name << " differs from the build's copy";
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
