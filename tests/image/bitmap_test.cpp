// The BMP reader and the colour-and-mask image: pixels, the mirror, and files they must refuse.
#include "image/doublebitmap.h"
#include "image/mybitmap.h"
#include "tests/image/image_test.h"

namespace {

using BitmapTest = ImageTest;

Bytes pixelsOf(CMyBitmap& b, size_t n) {
  const BYTE* p = b.getPixelData();
  return p ? Bytes(p, p + n) : Bytes();
}

TEST_F(BitmapTest, LoadingTurnsBlueGreenRedIntoRedGreenBlue) {
  bmp::write("same.bmp", bmp::file(4, 2, bmp::repeated(8, 1, 2, 3)));
  Bytes stored = bmp::counting(24 + 5, 10);  // distinct bytes, and 5 after the last row
  bmp::write("distinct.bmp", bmp::file(4, 2, stored));
  // Width 1: rows of 3 pixel bytes and a filler byte, as OpenGL reads them; the exchange runs
  // over packed pixels, so the second one takes in the filler byte.
  bmp::write("narrow.bmp", bmp::file(1, 2, {1, 2, 3, 0, 4, 5, 6, 0}));
  {
    CMyBitmap same("same.bmp"), b("distinct.bmp"), narrow("narrow.bmp");
    EXPECT_EQ(pixelsOf(same, 24), bmp::repeated(8, 3, 2, 1));
    EXPECT_EQ(b.getWidth() * 10 + b.getHeight(), 42);
    Bytes expected = stored;  // the bytes after the pixel array are left alone
    for (size_t i = 0; i < 24; i += 3) std::swap(expected[i], expected[i + 2]);
    EXPECT_EQ(pixelsOf(b, stored.size()), expected);
    EXPECT_EQ(pixelsOf(narrow, 8), (Bytes{3, 2, 1, 5, 4, 0, 6, 0}));
    narrow.flipY();  // a one-pixel-wide picture is mirrored too
    EXPECT_EQ(pixelsOf(narrow, 8), (Bytes{5, 4, 0, 3, 2, 1, 6, 0}));
    EXPECT_EQ(liveBlocks(), 3);
  }
  EXPECT_EQ(liveBlocks(), 0);
  EXPECT_TRUE(boxes().empty());
}

TEST_F(BitmapTest, FlipYReversesTheRowsAndTwiceRestoresThem) {
  for (int h = 1; h <= 5; ++h) {
    SCOPED_TRACE(testing::Message() << h << " rows");
    bmp::write("rows.bmp", bmp::file(4, h, bmp::counting(12 * h)));
    bmp::write("mask.bmp", bmp::file(4, h, bmp::counting(12 * h, 100)));
    CMyBitmap plain("rows.bmp"), b("rows.bmp");
    CDoubleBitmap plainRgba("rows.bmp", "mask.bmp"), rgba("rows.bmp", "mask.bmp");
    const BYTE *p = plain.getPixelData(), *q = plainRgba.getPixelData();
    b.flipY();
    rgba.flipY();
    EXPECT_EQ(pixelsOf(b, 12 * h), reversedRows(p, h, 12));
    EXPECT_EQ(Bytes(rgba.getPixelData(), rgba.getPixelData() + 16 * h), reversedRows(q, h, 16));
    b.flipY();
    rgba.flipY();
    EXPECT_EQ(pixelsOf(b, 12 * h), Bytes(p, p + 12 * h));
    EXPECT_EQ(Bytes(rgba.getPixelData(), rgba.getPixelData() + 16 * h), Bytes(q, q + 16 * h));
  }
}

// Files the reader must refuse rather than read or write beyond their bytes: one message, then
// an empty object that shows one more each time its pixels are asked for.
TEST_F(BitmapTest, MissingAndUnusableFilesAreReportedAsUnreadable) {
  const Bytes header = bmp::file(4, 2, {});
  const std::pair<const char*, Bytes> files[] = {
      {"zero length", {}},
      {"shorter than the header", Bytes(header.begin(), header.end() - 1)},
      {"header only", header},
      {"one pixel byte short", bmp::file(4, 2, bmp::counting(23))},
      {"one row, one pixel byte short", bmp::file(4, 1, bmp::counting(11))},
      {"unpadded odd width", bmp::file(1, 2, bmp::counting(6))},
      {"size wraps to 0 in 32 bits", bmp::file(0x40000000, 4, bmp::counting(64))},
      {"largest sizes", bmp::file(0x7fffffff, 0x7fffffff, bmp::counting(64))},
      {"negative height", bmp::file(4, -2, bmp::counting(24))},
      {"negative width", bmp::file(-4, 2, bmp::counting(24))},
      {"most negative sizes", bmp::file(INT32_MIN, INT32_MIN, bmp::counting(24))},
      {"missing", {}},
      {"a folder", {}},
      {"past 2 GiB", bmp::file(16384, 16384, {})},
      {"no memory", bmp::file(4, 1, bmp::repeated(4, 1, 2, 3))}};
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    fake::reset();
    std::string kind = name, path = kind + ".bmp";
    if (kind == "a folder") std::filesystem::create_directory(path);
    if (kind != "missing" && kind != "a folder") bmp::write(path, bytes);
    if (kind == "past 2 GiB") std::filesystem::resize_file(path, (1ull << 31) + 54);  // sparse
    if (kind == "no memory") fake::platform().failing.insert("GlobalAlloc");
    {
      CMyBitmap b(path.c_str());
      EXPECT_FALSE(b.hasPixelData());
      EXPECT_EQ(b.getWidth() | b.getHeight(), 0);
      b.flipY();
      EXPECT_EQ(b.getPixelData(), nullptr);
    }
    EXPECT_EQ(boxes(), (Boxes{kCantRead, kIsNull}));
    EXPECT_EQ(liveBlocks(), 0);
  }
}

TEST_F(BitmapTest, MergeTakesColourAndTheMasksRedAsAlpha) {
  // 4 x 2: the first pixel stored as 10, 20, 30 with mask 40, 50, 60, then every byte different,
  // so each pixel must keep its place.
  Bytes colour = {10, 20, 30}, mask = {40, 50, 60}, rest = bmp::counting(21, 1);
  colour.insert(colour.end(), rest.begin(), rest.end());
  for (uint8_t b : rest) mask.push_back(b + 100);
  bmp::write("c.bmp", bmp::file(4, 2, colour));
  bmp::write("m.bmp", bmp::file(4, 2, mask));
  {
    CDoubleBitmap d("c.bmp", "m.bmp");
    ASSERT_EQ(d.getWidth() * 10 + d.getHeight(), 42);
    const BYTE* p = d.getPixelData();
    EXPECT_EQ(Bytes(p, p + 4), (Bytes{30, 20, 10, 60}));
    for (int i = 0; i < 8; ++i)
      EXPECT_EQ(Bytes(p + 4 * i, p + 4 * i + 4),
                (Bytes{colour[3 * i + 2], colour[3 * i + 1], colour[3 * i], mask[3 * i + 2]}))
          << "pixel " << i;
    EXPECT_EQ(liveBlocks(), 1);  // only the merged block outlives the constructor
    EXPECT_EQ(fake::platform().count("GlobalAlloc(0x40,0x20)"), 1);  // 4 x 2 pixels x 4 bytes
  }
  EXPECT_EQ(liveBlocks(), 0);
  EXPECT_TRUE(boxes().empty());
}

TEST_F(BitmapTest, MergeShowsTheMessageOfTheFirstFailingTestAndStaysEmpty) {
  const Box widths{"CDoubleBitmap() bitmap-width not equal.", "CDoubleBitmap"};
  const Box heights{"CDoubleBitmap() bitmap-height not equal.", "CDoubleBitmap"};
  const Box width0{"CDoubleBitmap() bitmap-width is 0. This is not allowed", "CDoubleBitmap"};
  const Box height0{"CDoubleBitmap() bitmap-height is 0. This is not allowed.", "CDoubleBitmap"};
  struct Case {
    const char* name;
    int32_t cw, ch, mw, mh;  // sizes in the headers; -1: no such file
    Boxes expected;
  } cases[] = {
      {"colour missing", -1, 2, 4, 2, {kCantRead, kNo1st}},
      {"mask missing", 4, 2, -1, 2, {kCantRead, kNo2nd}},
      {"both missing", -1, 2, -1, 2, {kCantRead, kCantRead, kNo1st}},
      {"widths differ", 4, 2, 8, 2, {widths}},
      {"widths and heights differ", 4, 2, 8, 4, {widths}},
      {"heights differ", 4, 2, 4, 1, {heights}},
      {"width 0", 0, 2, 0, 2, {width0}},
      {"both sizes 0", 0, 0, 0, 0, {width0}},
      {"height 0", 4, 0, 4, 0, {height0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake::reset();
    std::filesystem::remove("c.bmp");
    std::filesystem::remove("m.bmp");
    // Every file carries 96 pixel bytes (the same length), enough for each header above.
    if (c.cw >= 0) bmp::write("c.bmp", bmp::file(c.cw, c.ch, bmp::counting(96)));
    if (c.mw >= 0) bmp::write("m.bmp", bmp::file(c.mw, c.mh, bmp::counting(96)));
    {
      CDoubleBitmap d("c.bmp", "m.bmp");
      d.flipY();
      EXPECT_EQ(d.getPixelData(), nullptr);  // and no message for asking
      EXPECT_EQ(d.getWidth() | d.getHeight(), 0);
      EXPECT_EQ(liveBlocks(), 0);
    }
    EXPECT_EQ(boxes(), c.expected);
  }
}

}  // namespace
