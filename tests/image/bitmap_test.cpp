// The BMP reader and the colour-and-mask image: pixels, the mirror, and files they must refuse.
#include "image/doublebitmap.h"
#include "image/mybitmap.h"
#include "tests/image/image_test.h"

namespace {

using BitmapTest = ImageTest;

template <class Picture>
Bytes pixelsOf(Picture& p, size_t n) {
  const BYTE* bytes = p.getPixelData();
  return bytes ? Bytes(bytes, bytes + n) : Bytes();
}

// The `height` rows of `rowBytes` bytes, last row first.
Bytes reversedRows(const Bytes& p, int height, size_t rowBytes) {
  Bytes out;
  for (int r = height - 1; r >= 0; --r) out.insert(out.end(), &p[r * rowBytes], &p[(r + 1) * rowBytes]);
  return out;
}

// Colour files of distinct bytes (and 5 more after the last row, which stay as they are), masks
// of other distinct bytes; 1 to 4 rows of 4 pixels.
TEST_F(BitmapTest, ReadingTurnsBgrIntoRgbTheMaskGivesAlphaAndMirroringTwiceRestores) {
  for (int h = 1; h <= 4; ++h) {
    SCOPED_TRACE(testing::Message() << h << " rows");
    fake::reset();
    Bytes colour = counting(12 * h + 5, 10), mask = counting(12 * h, 100);
    writeFile("c.bmp", bmpFile(4, h, colour));
    writeFile("m.bmp", bmpFile(4, h, mask));
    {
      CMyBitmap rgb("c.bmp");
      CDoubleBitmap rgba("c.bmp", "m.bmp");
      EXPECT_EQ(rgb.getWidth() * 10 + rgb.getHeight(), 40 + h);
      EXPECT_EQ(rgba.getWidth() * 10 + rgba.getHeight(), 40 + h);
      Bytes swapped = colour, merged;
      for (int i = 0; i < 4 * h; ++i) {
        std::swap(swapped[3 * i], swapped[3 * i + 2]);
        merged.insert(merged.end(), {swapped[3 * i], swapped[3 * i + 1], swapped[3 * i + 2], mask[3 * i + 2]});
      }
      EXPECT_EQ(pixelsOf(rgb, colour.size()), swapped);
      EXPECT_EQ(pixelsOf(rgba, 16 * h), merged);
      EXPECT_EQ(liveBlocks(), 2);  // the merged block alone outlives its constructor
      char rgbaBlock[32];
      snprintf(rgbaBlock, sizeof rgbaBlock, "GlobalAlloc(0x40,0x%x)", 16 * h);
      EXPECT_EQ(fake::platform().count(rgbaBlock), 1);
      for (int twice = 1; twice <= 2; ++twice) {
        rgb.flipY();
        rgba.flipY();
        swapped.resize(12 * h);
        EXPECT_EQ(pixelsOf(rgb, 12 * h), twice == 1 ? reversedRows(swapped, h, 12) : swapped);
        EXPECT_EQ(pixelsOf(rgba, 16 * h), twice == 1 ? reversedRows(merged, h, 16) : merged);
      }
    }
    EXPECT_EQ(liveBlocks(), 0);
    EXPECT_TRUE(boxes().empty());
  }
}

// One pixel wide: rows of 3 pixel bytes and a filler byte, as OpenGL reads them. The exchange
// runs over packed pixels, so the second one takes in the filler; the mirror still swaps rows.
TEST_F(BitmapTest, OnePixelWidePictureIsReadAndMirrored) {
  writeFile("narrow.bmp", bmpFile(1, 2, {1, 2, 3, 0, 4, 5, 6, 0}));
  CMyBitmap narrow("narrow.bmp");
  EXPECT_EQ(pixelsOf(narrow, 8), (Bytes{3, 2, 1, 5, 4, 0, 6, 0}));
  narrow.flipY();
  EXPECT_EQ(pixelsOf(narrow, 8), (Bytes{5, 4, 0, 3, 2, 1, 6, 0}));
}

// Files the reader must refuse rather than read or write beyond their bytes: one message, then
// an empty object that shows one more each time its pixels are asked for.
TEST_F(BitmapTest, MissingAndUnusableFilesAreReportedAsUnreadable) {
  const Bytes header = bmpFile(4, 2, {});
  const std::pair<const char*, Bytes> files[] = {
      {"zero length", {}},
      {"shorter than the header", Bytes(header.begin(), header.end() - 1)},
      {"header only", header},
      {"one pixel byte short", bmpFile(4, 2, counting(23))},
      {"one row, one pixel byte short", bmpFile(4, 1, counting(11))},
      {"unpadded odd width", bmpFile(1, 2, counting(6))},
      {"size wraps to 0 in 32 bits", bmpFile(0x40000000, 4, counting(64))},
      {"largest sizes", bmpFile(0x7fffffff, 0x7fffffff, counting(64))},
      {"negative height", bmpFile(4, -2, counting(24))},
      {"negative width", bmpFile(-4, 2, counting(24))},
      {"most negative sizes", bmpFile(INT32_MIN, INT32_MIN, counting(24))},
      {"missing", {}},
      {"a folder", {}},
      {"past 2 GiB", bmpFile(16384, 16384, {})},
      {"no memory", bmpFile(4, 1, counting(12))}};
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    fake::reset();
    std::string kind = name, path = kind + ".bmp";
    if (kind == "a folder") std::filesystem::create_directory(path);
    if (kind != "missing" && kind != "a folder") writeFile(path, bytes);
    if (kind == "past 2 GiB") std::filesystem::resize_file(path, (1ull << 31) + 54);  // sparse
    if (kind == "no memory") fake::platform().failing.insert("GlobalAlloc");
    {
      CMyBitmap b(path.c_str());
      b.flipY();
      EXPECT_FALSE(b.hasPixelData());
      EXPECT_EQ(b.getWidth() | b.getHeight(), 0);
      EXPECT_EQ(b.getPixelData(), nullptr);
    }
    EXPECT_EQ(boxes(), (Boxes{kCantRead, kIsNull}));
    EXPECT_EQ(liveBlocks(), 0);
  }
}

TEST_F(BitmapTest, MergeShowsTheMessageOfTheFirstFailingTestAndStaysEmpty) {
  auto box = [](const char* text) { return Box{text, "CDoubleBitmap"}; };
  const Box widths = box("CDoubleBitmap() bitmap-width not equal.");
  const Box width0 = box("CDoubleBitmap() bitmap-width is 0. This is not allowed");
  const struct {
    int32_t cw, ch, mw, mh;  // sizes in the headers; -1: no such file
    Boxes expected;
  } cases[] = {
      {-1, 2, 4, 2, {kCantRead, kNo1st}},
      {4, 2, -1, 2, {kCantRead, kNo2nd}},
      {-1, 2, -1, 2, {kCantRead, kCantRead, kNo1st}},
      {4, 2, 8, 2, {widths}},
      {4, 2, 8, 4, {widths}},
      {4, 2, 4, 1, {box("CDoubleBitmap() bitmap-height not equal.")}},
      {0, 2, 0, 2, {width0}},
      {0, 0, 0, 0, {width0}},
      {4, 0, 4, 0, {box("CDoubleBitmap() bitmap-height is 0. This is not allowed.")}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.cw << "x" << c.ch << " and " << c.mw << "x" << c.mh);
    fake::reset();
    std::filesystem::remove("c.bmp");
    std::filesystem::remove("m.bmp");
    // Every file carries 96 pixel bytes (the same length), enough for each header above.
    if (c.cw >= 0) writeFile("c.bmp", bmpFile(c.cw, c.ch, counting(96)));
    if (c.mw >= 0) writeFile("m.bmp", bmpFile(c.mw, c.mh, counting(96)));
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
