// The texture set: load order, slots, upload calls and pixels, messages for missing or broken
// files, one picture in memory at a time, and the clock restart at the end.
#include "image/textureset.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "effects/starfield.h"
#include "image/doublebitmap.h"
#include "image/mybitmap.h"
#include "scene/mytime.h"
#include "tests/image/image_fixture.h"

namespace {

const char* const kStar = "Data/Star.bmp";
const char* const kBackground = "Data/background2.bmp";
const char* const kLogo = "Data/tolvane image logo.bmp";
const char* const kLogoMask = "Data/tolvane image logo mask.bmp";
const char* const kFont = "Data/font2.bmp";
const char* const kFontMask = "Data/font2mask.bmp";
const char* const kFontDarker = "Data/font2darker.bmp";
const char* const kDesktop = "Data/atari desktop.bmp";

// Each used slot in load order: its colour file, its mask file (if any), whether mirrored, and
// the size the test gives the files (each picture its own, so a swapped slot or file shows).
struct Upload {
  int slot;
  const char *colour, *mask;
  bool mirrored;
  int32_t w, h;
};
const Upload kUploads[6] = {
    {0, kStar, nullptr, false, 4, 2},        {1, kBackground, nullptr, false, 4, 1},
    {2, kLogo, kLogoMask, true, 8, 2},       {4, kFont, kFontMask, true, 4, 3},
    {5, kFontDarker, kFontMask, true, 4, 3}, {6, kDesktop, nullptr, true, 4, 5}};

// The rows a slot should receive, read with the separately tested picture classes.
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
    std::filesystem::create_directory("Data");
    uint8_t start = 1;  // every file its own bytes
    for (const Upload& u : kUploads) {
      for (const char* path : {u.colour, u.mask})
        if (path) bmp::write(path, bmp::file(u.w, u.h, bmp::counting(u.w * u.h * 3, start += 37)));
    }
  }

  // The slots whose upload carried no picture: 0 x 0, no pixels.
  std::vector<int> emptySlots() {
    std::vector<int> out;
    std::vector<fake::GlCall> uploads = fake::glCallsNamed("glTexImage2D");
    EXPECT_EQ(uploads.size(), 6u);
    for (size_t i = 0; i < uploads.size() && i < 6; ++i) {
      const std::vector<double>& a = uploads[i].args;
      if (a[3] == 0 && a[4] == 0 && a[8] == 0) out.push_back(kUploads[i].slot);
    }
    return out;
  }
};

TEST_F(TextureSetTest, AllFilesPresentFillSixSlotsInOrderOnePictureAtATime) {
  rotate2 = 12.5f;
  ASSERT_TRUE(InitGL());
  EXPECT_TRUE(boxes().empty());
  EXPECT_EQ(rotate2, 0.0f);
  EXPECT_EQ(texture[3], 0u);
  EXPECT_EQ(texture[7], 0u);

  // At most one picture is held at a time: a merged one holds three blocks at its peak (two
  // files and the RGBA buffer), and every picture is released before the next is read.
  int live = 0, peak = 0, released = 0;
  for (const std::string& call : fake::platform().calls) {
    if (call == "GlobalAlloc") peak = std::max(peak, ++live);
    if (call == "GlobalFree" && --live == 0) ++released;
  }
  EXPECT_EQ(fake::platform().count("GlobalAlloc"), 2 + 3 * 3 + 1);
  EXPECT_EQ(live, 0);
  EXPECT_EQ(peak, 3);
  EXPECT_EQ(released, 6);

  const char* const kSequence[] = {"glGenTextures", "glBindTexture", "glTexParameteri",
                                   "glTexParameteri", "glTexImage2D"};
  std::vector<fake::GlCall> calls = fake::glCalls();
  ASSERT_EQ(calls.size(), 6u * 5u);
  std::set<GLuint> names;
  for (int i = 0; i < 6; ++i) {
    const Upload& u = kUploads[i];
    SCOPED_TRACE(u.colour);
    GLuint name = texture[u.slot];
    names.insert(name);
    const fake::GlCall* c = &calls[5 * i];
    for (int k = 0; k < 5; ++k) EXPECT_EQ(c[k].name, kSequence[k]);
    EXPECT_EQ(c[0].args, (std::vector<double>{1}));
    EXPECT_EQ(c[1].args, (std::vector<double>{GL_TEXTURE_2D, (double)name}));
    EXPECT_EQ(c[2].args, (std::vector<double>{GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR}));
    EXPECT_EQ(c[3].args, (std::vector<double>{GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR}));
    // target, level, internal format, width, height, border, format, type, has pixels
    double n = u.mask ? 4 : 3, format = u.mask ? GL_RGBA : GL_RGB;
    EXPECT_EQ(c[4].args, (std::vector<double>{GL_TEXTURE_2D, 0, n, (double)u.w, (double)u.h, 0,
                                              format, GL_UNSIGNED_BYTE, 1}));
    EXPECT_EQ(c[4].pixels, expectedPixels(u));
  }
  EXPECT_EQ(names.size(), 6u);
  EXPECT_EQ(names.count(0), 0u);
}

// One file or the whole folder missing, or no memory at all (no path): the messages in load
// order, and only the affected slots get a 0 x 0 upload.
TEST_F(TextureSetTest, MissingFilesShowTheirMessagesAndEmptyTheirSlots) {
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
      {kStar, {kCantRead, kIsNull}, {0}},
      {kLogoMask, {kCantRead, kNo2nd}, {2}},
      {kFontDarker, {kCantRead, kNo1st}, {5}},
      {kFontMask, {kCantRead, kNo2nd, kCantRead, kNo2nd}, {4, 5}},
      {kDesktop, {kCantRead, kIsNull}, {6}},
      {"Data", kAll, {0, 1, 2, 4, 5, 6}},
      {nullptr, kAll, {0, 1, 2, 4, 5, 6}},
  };
  for (const Missing& m : cases) {
    SCOPED_TRACE(m.path ? m.path : "no memory");
    SetUp();  // a fresh folder with every file, then some taken away
    if (m.path)
      std::filesystem::remove_all(m.path);
    else
      fake::platform().failing.insert("GlobalAlloc");
    EXPECT_TRUE(InitGL());
    EXPECT_EQ(boxes(), m.expected);
    EXPECT_EQ(emptySlots(), m.emptied);
    for (const Upload& u : kUploads) EXPECT_NE(texture[u.slot], 0u) << u.slot;
    EXPECT_EQ(texture[3], 0u);
    EXPECT_EQ(texture[7], 0u);
    TearDown();
  }
}

TEST_F(TextureSetTest, BrokenFilesAreReportedAsUnreadableAndLoadingGoesOn) {
  std::filesystem::remove(kStar);
  std::filesystem::create_directory(kStar);                                 // a folder in its place
  bmp::write(kLogo, bmp::file(0x7fffffff, 0x7fffffff, bmp::counting(48)));  // huge sizes
  bmp::write(kFont, bmp::file(4, -3, bmp::counting(36)));                   // top-down
  bmp::write(kFontMask, bmp::file(4, 3, bmp::counting(35)));                // one byte short
  bmp::write(kDesktop, Bytes(20, 0));                                       // not even a header
  EXPECT_TRUE(InitGL());
  EXPECT_EQ(boxes(), (Boxes{kCantRead, kIsNull,            // star
                            kCantRead, kNo1st,             // logo
                            kCantRead, kCantRead, kNo1st,  // font
                            kCantRead, kNo2nd,             // darker font
                            kCantRead, kIsNull}));         // desktop
  EXPECT_EQ(emptySlots(), (std::vector<int>{0, 2, 4, 5, 6}));
  EXPECT_EQ(liveBlocks(), 0);
}

TEST_F(TextureSetTest, FirstFrameIsTimedFromTheEndOfLoading) {
  fake::platform().counter = 0;
  lMytime.Reset();
  fake::platform().counter = 9000000;  // loading and its messages took 9 s
  ASSERT_TRUE(InitGL());
  fake::platform().counter += 16000;
  EXPECT_DOUBLE_EQ(lMytime.gettimelapse(), 0.016);
}

}  // namespace
