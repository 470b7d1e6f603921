// The colour-and-mask image: the merged pixels, the six tests in their order, the mirror.
#include "image/doublebitmap.h"

#include "tests/image/image_fixture.h"

namespace {

class DoubleBitmapTest : public ImageTest {};

TEST_F(DoubleBitmapTest, MergesColourWithTheMaskRedAsAlpha) {
  // 4 x 2: the first pixel stored as 10, 20, 30 with mask 40, 50, 60, then every byte different,
  // so each pixel must keep its place.
  Bytes colour = {10, 20, 30}, mask = {40, 50, 60}, rest = bmp::counting(21, 1);
  colour.insert(colour.end(), rest.begin(), rest.end());
  for (uint8_t b : rest) mask.push_back(b + 100);
  bmp::write("c.bmp", bmp::file(4, 2, colour));
  bmp::write("m.bmp", bmp::file(4, 2, mask));
  {
    CDoubleBitmap d("c.bmp", "m.bmp");
    ASSERT_EQ(d.getWidth(), 4);
    ASSERT_EQ(d.getHeight(), 2);
    const BYTE* p = d.getPixelData();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(Bytes(p, p + 4), (Bytes{30, 20, 10, 60}));
    for (int i = 0; i < 8; ++i)
      EXPECT_EQ(Bytes(p + 4 * i, p + 4 * i + 4),
                (Bytes{colour[3 * i + 2], colour[3 * i + 1], colour[3 * i], mask[3 * i + 2]}))
          << "pixel " << i;
    EXPECT_EQ(liveBlocks(), 1);  // only the merged block outlives the constructor
  }
  EXPECT_EQ(liveBlocks(), 0);
  EXPECT_TRUE(boxes().empty());
}

TEST_F(DoubleBitmapTest, FirstFailingTestShowsItsOneMessage) {
  struct Case {
    const char* name;
    bool colourExists;
    int32_t cw, ch;
    bool maskExists;
    int32_t mw, mh;
    Boxes expected;
  };
  const std::vector<Case> cases = {
      {"colour missing", false, 4, 2, true, 4, 2, {kCantRead, kNo1st}},
      {"mask missing", true, 4, 2, false, 4, 2, {kCantRead, kNo2nd}},
      {"both missing", false, 4, 2, false, 4, 2, {kCantRead, kCantRead, kNo1st}},
      {"widths differ", true, 4, 2, true, 8, 2, {kWidthDiffers}},
      {"widths and heights differ", true, 4, 2, true, 8, 4, {kWidthDiffers}},
      {"heights differ", true, 4, 2, true, 4, 1, {kHeightDiffers}},
      {"width 0", true, 0, 2, true, 0, 2, {kWidthZero}},
      {"both sizes 0", true, 0, 0, true, 0, 0, {kWidthZero}},
      {"height 0", true, 4, 0, true, 4, 0, {kHeightZero}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake::reset();
    std::filesystem::remove("c.bmp");
    std::filesystem::remove("m.bmp");
    // Every file carries 96 pixel bytes (the same length), enough for each header above.
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

TEST_F(DoubleBitmapTest, FlipYReversesRowsOfFourBytePixelsAndTwiceRestoresThem) {
  for (int h = 1; h <= 4; ++h) {
    SCOPED_TRACE(testing::Message() << h << " rows");
    bmp::write("c.bmp", bmp::file(4, h, bmp::counting(12 * h)));
    bmp::write("m.bmp", bmp::file(4, h, bmp::counting(12 * h, 100)));
    CDoubleBitmap plain("c.bmp", "m.bmp"), d("c.bmp", "m.bmp");
    const BYTE *p = plain.getPixelData(), *q = d.getPixelData();
    d.flipY();
    EXPECT_EQ(Bytes(q, q + 16 * h), reversedRows(p, h, 16));
    d.flipY();
    EXPECT_EQ(Bytes(q, q + 16 * h), Bytes(p, p + 16 * h));
  }
}

}  // namespace
