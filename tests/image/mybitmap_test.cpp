// The BMP reader: colour exchange, mirror, empty objects, and files it must refuse.
#include "image/mybitmap.h"

#include <utility>

#include "tests/image/image_fixture.h"

namespace {

class BitmapTest : public ImageTest {};

Bytes pixelsOf(CMyBitmap& b, size_t n) {
  const BYTE* p = b.getPixelData();
  return p ? Bytes(p, p + n) : Bytes();
}

TEST_F(BitmapTest, LoadingTurnsBlueGreenRedIntoRedGreenBlue) {
  bmp::write("same.bmp", bmp::file(4, 2, bmp::repeated(8, 1, 2, 3)));
  Bytes stored = bmp::counting(24 + 5, 10);  // distinct bytes, and 5 after the last row
  bmp::write("distinct.bmp", bmp::file(4, 2, stored));
  {
    CMyBitmap same("same.bmp");
    EXPECT_EQ(pixelsOf(same, 24), bmp::repeated(8, 3, 2, 1));
    CMyBitmap b("distinct.bmp");
    EXPECT_EQ(b.getWidth(), 4);
    EXPECT_EQ(b.getHeight(), 2);
    Bytes expected = stored;  // the bytes after the pixel array are left alone
    for (size_t i = 0; i < 24; i += 3) std::swap(expected[i], expected[i + 2]);
    EXPECT_EQ(pixelsOf(b, stored.size()), expected);
    // Width 1: each row is 3 pixel bytes and a filler byte, as OpenGL reads them; the exchange
    // runs over packed pixels, so the second one takes in the filler byte.
    bmp::write("narrow.bmp", bmp::file(1, 2, {1, 2, 3, 0, 4, 5, 6, 0}));
    CMyBitmap narrow("narrow.bmp");
    EXPECT_EQ(pixelsOf(narrow, 8), (Bytes{3, 2, 1, 5, 4, 0, 6, 0}));
    EXPECT_EQ(liveBlocks(), 3);
  }
  EXPECT_EQ(liveBlocks(), 0);
  EXPECT_TRUE(boxes().empty());
}

TEST_F(BitmapTest, FlipYReversesTheRowsAndTwiceRestoresThem) {
  for (int h = 1; h <= 5; ++h) {
    SCOPED_TRACE(testing::Message() << h << " rows");
    bmp::write("rows.bmp", bmp::file(4, h, bmp::counting(12 * h)));
    CMyBitmap plain("rows.bmp"), b("rows.bmp");
    const BYTE* p = plain.getPixelData();
    b.flipY();
    EXPECT_EQ(pixelsOf(b, 12 * h), reversedRows(p, h, 12));
    b.flipY();
    EXPECT_EQ(pixelsOf(b, 12 * h), Bytes(p, p + 12 * h));
  }
}

// Files the reader must refuse rather than read or write beyond their bytes: one message, then
// an empty object that shows one more each time its pixels are asked for.
TEST_F(BitmapTest, MissingAndUnusableFilesAreReportedAsUnreadable) {
  const Bytes header = bmp::file(4, 2, {});
  const std::vector<std::pair<const char*, Bytes>> files = {
      {"zero length", {}},
      {"shorter than the header", Bytes(header.begin(), header.end() - 1)},
      {"header only", header},
      {"one pixel byte short", bmp::file(4, 2, bmp::counting(23))},
      {"unpadded odd width", bmp::file(1, 2, bmp::counting(6))},
      {"size wraps to 0 in 32 bits", bmp::file(0x40000000, 4, bmp::counting(64))},
      {"largest sizes", bmp::file(0x7fffffff, 0x7fffffff, bmp::counting(64))},
      {"negative height", bmp::file(4, -2, bmp::counting(24))},
      {"negative width", bmp::file(-4, 2, bmp::counting(24))},
      {"most negative sizes", bmp::file(INT32_MIN, INT32_MIN, bmp::counting(24))},
  };
  auto expectUnreadable = [&](const char* path) {
    {
      CMyBitmap b(path);
      EXPECT_FALSE(b.hasPixelData());
      EXPECT_EQ(b.getWidth(), 0);
      EXPECT_EQ(b.getHeight(), 0);
      b.flipY();
      EXPECT_EQ(b.getPixelData(), nullptr);
    }
    EXPECT_EQ(boxes(), (Boxes{kCantRead, kIsNull}));
  };
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    fake::reset();
    bmp::write("h.bmp", bytes);
    expectUnreadable("h.bmp");
    EXPECT_EQ(liveBlocks(), 0);
  }
  SCOPED_TRACE("missing, a folder, a file past 2 GiB, no memory");
  fake::reset();
  expectUnreadable("absent.bmp");
  EXPECT_EQ(fake::platform().count("GlobalAlloc"), 0);
  fake::reset();
  std::filesystem::create_directory("dir.bmp");
  expectUnreadable("dir.bmp");
  EXPECT_EQ(liveBlocks(), 0);
  fake::reset();
  bmp::write("big.bmp", bmp::file(16384, 16384, {}));  // sparse; its pixels would fit
  std::filesystem::resize_file("big.bmp", (1ull << 31) + 54);
  expectUnreadable("big.bmp");
  EXPECT_EQ(fake::platform().count("GlobalAlloc"), 0);
  fake::reset();
  fake::platform().failing.insert("GlobalAlloc");
  bmp::write("a.bmp", bmp::file(4, 1, bmp::repeated(4, 1, 2, 3)));
  expectUnreadable("a.bmp");
}

}  // namespace
