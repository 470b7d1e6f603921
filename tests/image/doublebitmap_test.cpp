// The colour-and-mask image: the merged pixels, the six tests in their order, the mirror.
#include "image/doublebitmap.h"

#include "tests/image/image_fixture.h"

namespace {

using Bytes = bmp::Bytes;

class DoubleBitmapTest : public ImageTest {};

TEST_F(DoubleBitmapTest, MergesColourWithTheMaskRedAsAlpha) {
  bmp::write("c.bmp", bmp::file(4, 1, bmp::repeated(4, 10, 20, 30)));
  bmp::write("m.bmp", bmp::file(4, 1, bmp::repeated(4, 40, 50, 60)));
  CDoubleBitmap d("c.bmp", "m.bmp");
  ASSERT_EQ(d.getWidth(), 4);
  ASSERT_EQ(d.getHeight(), 1);
  const BYTE* p = d.getPixelData();
  ASSERT_NE(p, nullptr);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Bytes(p + 4 * i, p + 4 * i + 4), (Bytes{30, 20, 10, 60}));
  EXPECT_TRUE(boxes().empty());
}

TEST_F(DoubleBitmapTest, KeepsPixelOrderAndTakesGreyLevelsAsAlpha) {
  // 4 x 2: every colour pixel different; the mask white, black, and two greys, bottom row first.
  Bytes colour = bmp::counting(24, 1);
  Bytes mask = bmp::repeated(2, 255, 255, 255);
  for (Bytes part :
       {bmp::repeated(2, 0, 0, 0), bmp::repeated(2, 128, 128, 128), bmp::repeated(2, 37, 37, 37)})
    mask.insert(mask.end(), part.begin(), part.end());
  bmp::write("c.bmp", bmp::file(4, 2, colour));
  bmp::write("m.bmp", bmp::file(4, 2, mask));
  CDoubleBitmap d("c.bmp", "m.bmp");
  const BYTE* p = d.getPixelData();
  ASSERT_NE(p, nullptr);
  const int alpha[8] = {255, 255, 0, 0, 128, 128, 37, 37};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(Bytes(p + 4 * i, p + 4 * i + 4),
              (Bytes{colour[3 * i + 2], colour[3 * i + 1], colour[3 * i], (uint8_t)alpha[i]}))
        << "pixel " << i;
  }
}

TEST_F(DoubleBitmapTest, HeadersAreNotCheckedBeyondTheirSizes) {
  Bytes colour = bmp::file(4, 1, bmp::repeated(4, 1, 2, 3));
  Bytes mask = bmp::file(4, 1, bmp::repeated(4, 9, 9, 9));
  colour[0] = 'X';  // no signature
  colour[28] = 8;   // another bit depth
  mask[30] = 1;     // compressed
  bmp::write("c.bmp", colour);
  bmp::write("m.bmp", mask);
  CDoubleBitmap d("c.bmp", "m.bmp");
  EXPECT_NE(d.getPixelData(), nullptr);
  EXPECT_TRUE(boxes().empty());
}

TEST_F(DoubleBitmapTest, OnlyTheMergedBlockOutlivesTheConstructor) {
  bmp::write("c.bmp", bmp::file(4, 1, bmp::repeated(4, 1, 2, 3)));
  {
    CDoubleBitmap d("c.bmp", "c.bmp");
    EXPECT_EQ(fake::platform().count("GlobalAlloc"), 3);
    EXPECT_EQ(liveBlocks(), 1);
  }
  EXPECT_EQ(liveBlocks(), 0);
}

struct Case {
  const char* name;
  bool colourExists;
  int32_t cw, ch;
  bool maskExists;
  int32_t mw, mh;
  std::vector<Box> expected;
};

TEST_F(DoubleBitmapTest, FirstFailingTestShowsItsOneMessage) {
  const std::vector<Case> cases = {
      {"colour missing", false, 4, 2, true, 4, 2, {kCantRead, kNo1st}},
      {"mask missing", true, 4, 2, false, 4, 2, {kCantRead, kNo2nd}},
      {"both missing", false, 4, 2, false, 4, 2, {kCantRead, kCantRead, kNo1st}},
      {"widths differ", true, 4, 2, true, 8, 2, {kWidthDiffers}},
      {"widths and heights differ", true, 4, 2, true, 8, 4, {kWidthDiffers}},
      {"heights differ", true, 4, 2, true, 4, 1, {kHeightDiffers}},
      // Same file length, other sizes in the header.
      {"same length, other shape", true, 4, 2, true, 8, 1, {kWidthDiffers}},
      {"width 0", true, 0, 2, true, 0, 2, {kWidthZero}},
      {"both sizes 0", true, 0, 0, true, 0, 0, {kWidthZero}},
      {"height 0", true, 4, 0, true, 4, 0, {kHeightZero}},
      // Top-down files are refused by the reader.
      {"top-down colour", true, 4, -2, true, 4, 2, {kCantRead, kNo1st}},
      {"top-down pair", true, 4, -2, true, 4, -2, {kCantRead, kCantRead, kNo1st}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake::reset();
    std::filesystem::remove("c.bmp");
    std::filesystem::remove("m.bmp");
    // Every file carries 96 pixel bytes, enough for each header above.
    if (c.colourExists) bmp::write("c.bmp", bmp::file(c.cw, c.ch, bmp::counting(96)));
    if (c.maskExists) bmp::write("m.bmp", bmp::file(c.mw, c.mh, bmp::counting(96)));
    {
      CDoubleBitmap d("c.bmp", "m.bmp");
      EXPECT_EQ(d.getPixelData(), nullptr);  // and no message for asking
      EXPECT_EQ(d.getWidth(), 0);
      EXPECT_EQ(d.getHeight(), 0);
      d.flipY();
      EXPECT_EQ(liveBlocks(), 0);
    }
    EXPECT_EQ(boxes(), c.expected);
  }
}

TEST_F(DoubleBitmapTest, FailedMergeAllocationLeavesItEmpty) {
  bmp::write("c.bmp", bmp::file(4, 1, bmp::repeated(4, 1, 2, 3)));
  fake::platform().failing.insert("GlobalAlloc");
  CDoubleBitmap d("c.bmp", "c.bmp");
  EXPECT_EQ(d.getPixelData(), nullptr);
  EXPECT_EQ(d.getWidth(), 0);
  EXPECT_EQ(d.getHeight(), 0);
}

// The source row each merged row came from, after `flips` mirrors of a 4 x height picture.
std::vector<int> mergedRowOrder(int height, int flips) {
  Bytes colour;
  for (int r = 0; r < height; ++r) {
    Bytes row = bmp::repeated(4, 5, 6, (uint8_t)r);
    colour.insert(colour.end(), row.begin(), row.end());
  }
  bmp::write("rows.bmp", bmp::file(4, height, colour));
  bmp::write("white.bmp", bmp::file(4, height, bmp::repeated(4 * height, 255, 255, 255)));
  CDoubleBitmap d("rows.bmp", "white.bmp");
  for (int i = 0; i < flips; ++i) d.flipY();
  const BYTE* p = d.getPixelData();
  std::vector<int> order;
  for (int r = 0; r < height; ++r) {
    const BYTE* row = p + 16 * r;
    for (int x = 0; x < 4; ++x)  // whole 4-byte pixels move with their row
      EXPECT_EQ(Bytes(row + 4 * x, row + 4 * x + 4), (Bytes{row[0], 6, 5, 255}));
    order.push_back(row[0]);
  }
  return order;
}

TEST_F(DoubleBitmapTest, FlipYReversesRowsOfFourBytePixels) {
  EXPECT_EQ(mergedRowOrder(2, 1), (std::vector<int>{1, 0}));
  EXPECT_EQ(mergedRowOrder(3, 1), (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(mergedRowOrder(4, 1), (std::vector<int>{3, 2, 1, 0}));
  EXPECT_EQ(mergedRowOrder(3, 2), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(mergedRowOrder(4, 2), (std::vector<int>{0, 1, 2, 3}));
}

}  // namespace
