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

// Colour files of distinct bytes (and 5 more after the last row, which stay as they are), masks
// of other distinct bytes; 1 to 4 rows of 4 pixels, or of 1 pixel: rows of 3 pixel bytes and a
// filler byte, as OpenGL reads them. The exchange runs over packed pixels, so there it takes in
// the fillers; the mirror swaps rows of packed pixels too.
TEST_F(BitmapTest, ReadingTurnsBgrIntoRgbTheMaskGivesAlphaAndTheMirrorSwapsRows) {
  for (int w : {4, 1})
    for (int h = 1; h <= 4; ++h) {
      SCOPED_TRACE(testing::Message() << w << "x" << h);
      fake::reset();
      Bytes colour = counting(3 * w * h + 5, 10), mask = counting(3 * w * h + 5, 100);
      writeFile("c.bmp", bmpFile(w, h, colour));
      writeFile("m.bmp", bmpFile(w, h, mask));
      CMyBitmap rgb("c.bmp");
      CDoubleBitmap rgba("c.bmp", "m.bmp");
      EXPECT_EQ(rgb.getWidth() * 10 + rgb.getHeight(), 10 * w + h);
      EXPECT_EQ(rgba.getWidth() * 10 + rgba.getHeight(), 10 * w + h);
      Bytes whole = picture(colour, nullptr, w, h, false);
      whole.insert(whole.end(), colour.end() - 5, colour.end());
      EXPECT_EQ(pixelsOf(rgb, colour.size()), whole);
      EXPECT_EQ(pixelsOf(rgba, 4 * w * h), picture(colour, &mask, w, h, false));
      EXPECT_EQ(liveBlocks(), 2);  // the merged block alone outlives its constructor
      char rgbaBlock[32];
      snprintf(rgbaBlock, sizeof rgbaBlock, "GlobalAlloc(0x40,0x%x)", 4 * w * h);
      EXPECT_EQ(fake::platform().count(rgbaBlock), 1);
      rgb.flipY();
      rgba.flipY();
      EXPECT_EQ(pixelsOf(rgb, 3 * w * h), picture(colour, nullptr, w, h, true));
      EXPECT_EQ(pixelsOf(rgba, 4 * w * h), picture(colour, &mask, w, h, true));
      EXPECT_TRUE(boxes().empty());
    }
  EXPECT_EQ(liveBlocks(), 0);
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
    CMyBitmap b(path.c_str());
    b.flipY();
    EXPECT_TRUE(!b.hasPixelData() && (b.getWidth() | b.getHeight()) == 0 && !b.getPixelData());
    EXPECT_EQ(boxes(), (Boxes{kCantRead, kIsNull}));
    EXPECT_EQ(liveBlocks(), 0);
  }
}

TEST_F(BitmapTest, MergeShowsTheMessageOfTheFirstFailingTestAndStaysEmpty) {
  auto box = [](const char* text) { return Box{text, "CDoubleBitmap"}; };
  const Box widths = box("CDoubleBitmap() bitmap-width not equal.");
  const Box width0 = box("CDoubleBitmap() bitmap-width is 0. This is not allowed");
  // Sizes in the headers of the colour and the mask file (-1: no such file); the messages.
  const struct {
    int32_t cw, ch, mw, mh;
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
    // Every file carries 96 pixel bytes (the same length), enough for each header above.
    for (auto [path, w, h] : {std::tuple{"c.bmp", c.cw, c.ch}, {"m.bmp", c.mw, c.mh}})
      w < 0 ? (void)std::filesystem::remove(path) : writeFile(path, bmpFile(w, h, counting(96)));
    CDoubleBitmap d("c.bmp", "m.bmp");
    d.flipY();
    EXPECT_TRUE(!d.getPixelData() && (d.getWidth() | d.getHeight()) == 0);  // no message asking
    EXPECT_EQ(liveBlocks(), 0);
    EXPECT_EQ(boxes(), c.expected);
  }
}

}  // namespace
