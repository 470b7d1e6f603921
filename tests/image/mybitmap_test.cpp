// The BMP reader: colour exchange, mirror, empty objects, and files it must refuse.
#include "image/mybitmap.h"

#include <string.h>

#include <filesystem>

#include "tests/image/image_fixture.h"

namespace {

using Bytes = bmp::Bytes;

Bytes pixelsOf(CMyBitmap& b, size_t n) {
  const BYTE* p = b.getPixelData();
  return p ? Bytes(p, p + n) : Bytes();
}

class BitmapTest : public ImageTest {};

TEST_F(BitmapTest, LoadingTurnsBlueGreenRedIntoRedGreenBlue) {
  bmp::write("same.bmp", bmp::file(4, 2, bmp::repeated(8, 1, 2, 3)));
  // Distinct bytes everywhere, and trailing bytes after the last row.
  Bytes stored = bmp::counting(4 * 2 * 3 + 5, 10);
  bmp::write("distinct.bmp", bmp::file(4, 2, stored));

  {
    CMyBitmap same("same.bmp");
    ASSERT_TRUE(same.hasPixelData());
    EXPECT_EQ(pixelsOf(same, 24), bmp::repeated(8, 3, 2, 1));
  }
  CMyBitmap b("distinct.bmp");
  EXPECT_EQ(b.getWidth(), 4);
  EXPECT_EQ(b.getHeight(), 2);
  const BYTE* p = b.getPixelData();
  for (size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(p[3 * i], stored[3 * i + 2]) << "pixel " << i;
    EXPECT_EQ(p[3 * i + 1], stored[3 * i + 1]) << "pixel " << i;
    EXPECT_EQ(p[3 * i + 2], stored[3 * i]) << "pixel " << i;
  }
  // The bytes after the pixel array are read but left alone.
  EXPECT_EQ(0, memcmp(p + 24, stored.data() + 24, 5));
  EXPECT_TRUE(boxes().empty());
}

TEST_F(BitmapTest, MissingFileShowsOneBoxAndEveryPixelRequestOneMore) {
  CMyBitmap b("absent.bmp");
  EXPECT_EQ(boxes(), (std::vector<Box>{kCantRead}));
  EXPECT_FALSE(b.hasPixelData());
  EXPECT_EQ(b.getWidth(), 0);
  EXPECT_EQ(b.getHeight(), 0);
  b.flipY();
  EXPECT_EQ(b.getPixelData(), nullptr);
  EXPECT_EQ(b.getPixelData(), nullptr);
  EXPECT_EQ(boxes(), (std::vector<Box>{kCantRead, kIsNull, kIsNull}));
  EXPECT_EQ(fake::platform().count("GlobalAlloc"), 0);
}

// Rows of 4 pixels numbered from the bottom; returns the row each memory row came from.
std::vector<int> rowOrderAfterFlips(int height, int flips) {
  Bytes stored;
  for (int r = 0; r < height; ++r) {
    Bytes row = bmp::repeated(4, (uint8_t)r, 7, 9);
    stored.insert(stored.end(), row.begin(), row.end());
  }
  bmp::write("rows.bmp", bmp::file(4, height, stored));
  CMyBitmap b("rows.bmp");
  for (int i = 0; i < flips; ++i) b.flipY();
  const BYTE* p = b.getPixelData();
  std::vector<int> order;
  for (int r = 0; r < height; ++r) {
    const BYTE* row = p + r * 12;
    for (int x = 0; x < 4; ++x) {  // every pixel of a row moves with it, and keeps its colour
      EXPECT_EQ(row[3 * x], 9);
      EXPECT_EQ(row[3 * x + 1], 7);
      EXPECT_EQ(row[3 * x + 2], row[2]);
    }
    order.push_back(row[2]);
  }
  return order;
}

TEST_F(BitmapTest, FlipYReversesTheRows) {
  EXPECT_EQ(rowOrderAfterFlips(2, 1), (std::vector<int>{1, 0}));
  EXPECT_EQ(rowOrderAfterFlips(4, 1), (std::vector<int>{3, 2, 1, 0}));
  EXPECT_EQ(rowOrderAfterFlips(3, 1), (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(rowOrderAfterFlips(5, 1), (std::vector<int>{4, 3, 2, 1, 0}));
  EXPECT_EQ(rowOrderAfterFlips(1, 1), (std::vector<int>{0}));
}

TEST_F(BitmapTest, FlipYTwiceRestores) {
  EXPECT_EQ(rowOrderAfterFlips(3, 2), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(rowOrderAfterFlips(4, 2), (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(BitmapTest, ZeroSizeLoadsAndTouchesNoPixel) {
  Bytes stored = bmp::counting(12, 1);
  bmp::write("flat.bmp", bmp::file(4, 0, stored));
  bmp::write("thin.bmp", bmp::file(0, 4, stored));
  for (const char* name : {"flat.bmp", "thin.bmp"}) {
    CMyBitmap b(name);
    EXPECT_TRUE(b.hasPixelData()) << name;
    b.flipY();
    EXPECT_EQ(pixelsOf(b, 12), stored) << name;
  }
  EXPECT_TRUE(boxes().empty());
}

TEST_F(BitmapTest, DestructorReleasesTheFileBlock) {
  bmp::write("a.bmp", bmp::file(4, 1, bmp::repeated(4, 1, 2, 3)));
  {
    CMyBitmap b("a.bmp");
    EXPECT_EQ(liveBlocks(), 1);
  }
  EXPECT_EQ(fake::platform().count("GlobalAlloc"), 1);
  EXPECT_EQ(liveBlocks(), 0);
}

TEST_F(BitmapTest, RowsPaddedToFourBytesLoad) {
  // Width 1: each stored row is 3 pixel bytes and one filler byte, as OpenGL reads them.
  bmp::write("narrow.bmp", bmp::file(1, 2, {1, 2, 3, 0, 4, 5, 6, 0}));
  CMyBitmap b("narrow.bmp");
  ASSERT_TRUE(b.hasPixelData());
  EXPECT_EQ(b.getWidth(), 1);
  // The exchange runs over packed pixels, so the second one takes in the filler byte.
  EXPECT_EQ(pixelsOf(b, 8), (Bytes{3, 2, 1, 5, 4, 0, 6, 0}));
  EXPECT_TRUE(boxes().empty());
}

TEST_F(BitmapTest, FailedAllocationIsReportedAsUnreadable) {
  bmp::write("a.bmp", bmp::file(4, 1, bmp::repeated(4, 1, 2, 3)));
  fake::platform().failing.insert("GlobalAlloc");
  CMyBitmap b("a.bmp");
  EXPECT_FALSE(b.hasPixelData());
  EXPECT_EQ(b.getWidth(), 0);
  EXPECT_EQ(boxes(), (std::vector<Box>{kCantRead}));
}

// Files the reader must refuse rather than read or write beyond their bytes.
struct Hostile {
  const char* name;
  Bytes bytes;
};

std::vector<Hostile> hostileFiles() {
  Bytes header = bmp::file(4, 2, {});
  return {
      {"zero length", {}},
      {"shorter than the header", Bytes(header.begin(), header.end() - 1)},
      {"header only", header},
      {"one pixel byte short", bmp::file(4, 2, bmp::counting(23))},
      {"size wraps to 0 in 32 bits", bmp::file(0x40000000, 4, bmp::counting(64))},
      {"largest sizes", bmp::file(0x7fffffff, 0x7fffffff, bmp::counting(64))},
      {"negative height", bmp::file(4, -2, bmp::counting(24))},
      {"negative width", bmp::file(-4, 2, bmp::counting(24))},
      {"most negative sizes", bmp::file(INT32_MIN, INT32_MIN, bmp::counting(24))},
      {"unpadded odd width", bmp::file(1, 2, bmp::counting(6))},
  };
}

TEST_F(BitmapTest, UnusableFilesAreReportedAsUnreadable) {
  for (const Hostile& h : hostileFiles()) {
    SCOPED_TRACE(h.name);
    fake::reset();
    bmp::write("h.bmp", h.bytes);
    {
      CMyBitmap b("h.bmp");
      EXPECT_FALSE(b.hasPixelData());
      EXPECT_EQ(b.getWidth(), 0);
      EXPECT_EQ(b.getHeight(), 0);
      b.flipY();
    }
    EXPECT_EQ(boxes(), (std::vector<Box>{kCantRead}));
    EXPECT_EQ(liveBlocks(), 0);
  }
}

TEST_F(BitmapTest, FolderInPlaceOfTheFileIsUnreadable) {
  std::filesystem::create_directory("dir.bmp");
  CMyBitmap b("dir.bmp");
  EXPECT_FALSE(b.hasPixelData());
  EXPECT_EQ(boxes(), (std::vector<Box>{kCantRead}));
  EXPECT_EQ(liveBlocks(), 0);
}

TEST_F(BitmapTest, FileLongerThanTheLengthFieldIsUnreadable) {
  // A sparse file of 2 GiB + 54 bytes whose header claims a picture that fits in it.
  bmp::write("big.bmp", bmp::file(16384, 16384, {}));
  std::filesystem::resize_file("big.bmp", (1ull << 31) + 54);
  CMyBitmap b("big.bmp");
  EXPECT_FALSE(b.hasPixelData());
  EXPECT_EQ(boxes(), (std::vector<Box>{kCantRead}));
  EXPECT_EQ(fake::platform().count("GlobalAlloc"), 0);
}

}  // namespace
