// The texture set: slots, upload calls and pixels in load order, one picture in memory at a
// time, and the messages and empty slots of missing files.
#include "image/textureset.h"

#include <algorithm>

#include "image/doublebitmap.h"
#include "image/mybitmap.h"
#include "picture_names.h"
#include "tests/image/image_test.h"

namespace {

#define DATA(name) "Data/" name

// Each used slot in load order: its colour file, its mask file (if any), whether mirrored, and
// the size the test gives the files (each picture its own, so a swapped slot or file shows).
struct Upload {
  int slot;
  const char *colour, *mask;
  bool mirrored;
  int32_t w, h;
};
const Upload kUploads[6] = {{0, DATA(PICTURE_STAR), nullptr, false, 4, 2},
                            {1, DATA(PICTURE_BACKGROUND), nullptr, false, 4, 1},
                            {2, DATA(PICTURE_LOGO), DATA(PICTURE_LOGO_MASK), true, 8, 2},
                            {4, DATA(PICTURE_FONT), DATA(PICTURE_FONT_MASK), true, 4, 3},
                            {5, DATA(PICTURE_FONT_DARKER), DATA(PICTURE_FONT_MASK), true, 4, 3},
                            {6, DATA(PICTURE_DESKTOP), nullptr, true, 4, 5}};

// The rows a slot should receive, read with the picture classes tested on their own.
Bytes expectedPixels(const Upload& u) {
  if (u.mask) {
    CDoubleBitmap d(u.colour, u.mask);
    d.flipY();
    return Bytes(d.getPixelData(), d.getPixelData() + u.w * u.h * 4);
  }
  CMyBitmap b(u.colour);
  if (u.mirrored) b.flipY();
  return Bytes(b.getPixelData(), b.getPixelData() + u.w * u.h * 3);
}

class TextureSetTest : public ImageTest {
 protected:
  void SetUp() override {
    ImageTest::SetUp();
    writeAllFiles();
  }
  void writeAllFiles() {
    std::filesystem::create_directory("Data");
    uint8_t start = 1;  // every file its own bytes
    for (const Upload& u : kUploads)
      for (const char* path : {u.colour, u.mask})
        if (path) writeFile(path, bmpFile(u.w, u.h, counting(u.w * u.h * 3, start += 37)));
  }
  // The slots whose upload carried no picture (0 x 0, no pixels); all six got a name.
  std::vector<int> emptySlots() {
    std::vector<int> out;
    std::vector<fake::GlCall> uploads = fake::glCallsNamed("glTexImage2D");
    EXPECT_EQ(uploads.size(), 6u);
    for (size_t i = 0; i < uploads.size() && i < 6; ++i) {
      EXPECT_NE(texture[kUploads[i].slot], 0u);
      if (uploads[i].args[3] == 0 && uploads[i].args[4] == 0 && uploads[i].args[8] == 0)
        out.push_back(kUploads[i].slot);
    }
    EXPECT_EQ(texture[3] | texture[7], 0u);
    return out;
  }
};

TEST_F(TextureSetTest, AllFilesFillSixSlotsInOrderOnePictureAtATime) {
  ASSERT_TRUE(LoadGLTextures());
  EXPECT_TRUE(boxes().empty());
  EXPECT_TRUE(emptySlots().empty());

  // At most one picture is held at a time: a merged one holds three blocks at its peak (two
  // files and the RGBA buffer), and every picture is released before the next is read.
  int live = 0, peak = 0, released = 0;
  for (const std::string& call : fake::platform().calls) {
    if (call.rfind("GlobalAlloc", 0) == 0) peak = std::max(peak, ++live);
    if (call.rfind("GlobalFree", 0) == 0 && --live == 0) ++released;
  }
  EXPECT_EQ(peak, 3);
  EXPECT_EQ(released, 6);
  EXPECT_EQ(liveBlocks(), 0);

  std::vector<fake::GlCall> calls = fake::glCalls();
  ASSERT_EQ(calls.size(), 6u * 5u);
  for (int i = 0; i < 6; ++i) {
    const Upload& u = kUploads[i];
    std::string got;
    for (int k = 0; k < 5; ++k) got += fake::callText(calls[5 * i + k].name, calls[5 * i + k].args) + " ";
    // The slot's own name, linear filters, then target, level, internal format, width, height,
    // border, format, type, has pixels.
    char expected[256];
    snprintf(expected, sizeof expected,
             "glGenTextures(1) glBindTexture(3553,%u) glTexParameteri(3553,10240,9729) "
             "glTexParameteri(3553,10241,9729) glTexImage2D(3553,0,%d,%d,%d,0,%d,5121,1) ",
             texture[u.slot], u.mask ? 4 : 3, u.w, u.h, u.mask ? GL_RGBA : GL_RGB);
    EXPECT_EQ(got, expected) << u.colour;
    EXPECT_EQ(calls[5 * i + 4].pixels, expectedPixels(u)) << u.colour;
  }
}

// One file or the whole folder missing, or no memory at all: the messages in
// load order, and only the affected slots get a 0 x 0 upload.
TEST_F(TextureSetTest, MissingOrBrokenFilesShowTheirMessagesAndEmptyTheirSlots) {
  const Boxes kAll = {kCantRead, kIsNull,            // star
                      kCantRead, kIsNull,            // background
                      kCantRead, kCantRead, kNo1st,  // logo
                      kCantRead, kCantRead, kNo1st,  // font
                      kCantRead, kCantRead, kNo1st,  // darker font
                      kCantRead, kIsNull};           // desktop
  struct Missing {
    const char* path;
    Boxes expected;
    std::vector<int> emptied;
  } cases[] = {
      {kUploads[0].colour, {kCantRead, kIsNull}, {0}},
      {kUploads[1].colour, {kCantRead, kIsNull}, {1}},
      {kUploads[2].mask, {kCantRead, kNo2nd}, {2}},
      {kUploads[4].colour, {kCantRead, kNo1st}, {5}},
      {kUploads[3].mask, {kCantRead, kNo2nd, kCantRead, kNo2nd}, {4, 5}},
      {kUploads[5].colour, {kCantRead, kIsNull}, {6}},
      {"Data", kAll, {0, 1, 2, 4, 5, 6}},
      {"no memory", kAll, {0, 1, 2, 4, 5, 6}},
  };
  for (const Missing& m : cases) {
    SCOPED_TRACE(m.path);
    fake::reset();
    std::filesystem::remove_all("Data");
    writeAllFiles();
    std::string what = m.path;
    if (what == "no memory")
      fake::platform().failing.insert("GlobalAlloc");
    else
      std::filesystem::remove_all(m.path);
    EXPECT_TRUE(LoadGLTextures());
    EXPECT_EQ(boxes(), m.expected);
    EXPECT_EQ(emptySlots(), m.emptied);
    EXPECT_EQ(liveBlocks(), 0);
  }
}

}  // namespace
