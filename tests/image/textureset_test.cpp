// The texture set: load order, slots, upload calls and pixels, messages for missing or broken
// files, one picture in memory at a time, and the clock restart at the end.
#include "image/textureset.h"

#include <filesystem>
#include <map>
#include <string>

#include "effects/starfield.h"
#include "scene/mytime.h"
#include "tests/image/image_fixture.h"

namespace {

using Bytes = bmp::Bytes;

const char* const kStar = "Data/Star.bmp";
const char* const kBackground = "Data/background2.bmp";
const char* const kLogo = "Data/tolvane image logo.bmp";
const char* const kLogoMask = "Data/tolvane image logo mask.bmp";
const char* const kFont = "Data/font2.bmp";
const char* const kFontMask = "Data/font2mask.bmp";
const char* const kFontDarker = "Data/font2darker.bmp";
const char* const kDesktop = "Data/atari desktop.bmp";

struct Picture {
  int32_t w, h;
  Bytes stored;
};

// Every file with its own size and its own bytes, so a swapped slot or file shows.
std::map<std::string, Picture> goodFiles() {
  return {
      {kStar, {4, 2, bmp::counting(24, 1)}},         {kBackground, {4, 1, bmp::counting(12, 100)}},
      {kLogo, {8, 2, bmp::counting(48, 30)}},        {kLogoMask, {8, 2, bmp::counting(48, 200)}},
      {kFont, {4, 3, bmp::counting(36, 80)}},        {kFontMask, {4, 3, bmp::counting(36, 160)}},
      {kFontDarker, {4, 3, bmp::counting(36, 120)}}, {kDesktop, {4, 3, bmp::counting(36, 7)}},
  };
}

// The RGB rows a reader gives for a stored picture, optionally mirrored.
Bytes rgbRows(const Picture& p, bool mirrored) {
  Bytes out;
  for (int32_t r = 0; r < p.h; ++r) {
    int32_t from = mirrored ? p.h - 1 - r : r;
    for (int32_t x = 0; x < p.w; ++x) {
      const uint8_t* s = &p.stored[3 * (from * p.w + x)];
      out.insert(out.end(), {s[2], s[1], s[0]});
    }
  }
  return out;
}

// The mirrored RGBA rows of a colour picture and its mask.
Bytes rgbaRows(const Picture& colour, const Picture& mask) {
  Bytes rgb = rgbRows(colour, true), alpha = rgbRows(mask, true), out;
  for (size_t i = 0; i < rgb.size() / 3; ++i)
    out.insert(out.end(), {rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2], alpha[3 * i]});
  return out;
}

class TextureSetTest : public ImageTest {
 protected:
  void SetUp() override {
    ImageTest::SetUp();
    std::filesystem::create_directory("Data");
    for (const auto& [path, p] : goodFiles()) bmp::write(path, bmp::file(p.w, p.h, p.stored));
  }

  // The slots whose upload carried no picture: 0 x 0, no pixels.
  std::vector<int> emptySlots() {
    std::vector<int> out;
    const int slots[6] = {0, 1, 2, 4, 5, 6};
    std::vector<fake::GlCall> uploads = fake::glCallsNamed("glTexImage2D");
    EXPECT_EQ(uploads.size(), 6u);
    for (size_t i = 0; i < uploads.size() && i < 6; ++i) {
      const std::vector<double>& a = uploads[i].args;
      if (a[3] == 0 && a[4] == 0 && a[8] == 0) out.push_back(slots[i]);
    }
    return out;
  }
};

TEST_F(TextureSetTest, AllFilesPresentFillSixSlotsInOrderWithoutMessages) {
  rotate2 = 12.5f;
  ASSERT_TRUE(InitGL());
  EXPECT_TRUE(boxes().empty());
  EXPECT_EQ(rotate2, 0.0f);

  const int slots[6] = {0, 1, 2, 4, 5, 6};
  std::vector<fake::GlCall>& calls = fake::glCalls();
  ASSERT_EQ(calls.size(), 6u * 5u);
  std::set<GLuint> names;
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(slots[i]);
    GLuint name = texture[slots[i]];
    EXPECT_NE(name, 0u);
    names.insert(name);
    const fake::GlCall* c = &calls[5 * i];
    EXPECT_EQ(c[0].name, "glGenTextures");
    EXPECT_EQ(c[0].args, (std::vector<double>{1}));
    EXPECT_EQ(c[1].name, "glBindTexture");
    EXPECT_EQ(c[1].args, (std::vector<double>{0x0DE1, (double)name}));
    EXPECT_EQ(c[2].name, "glTexParameteri");
    EXPECT_EQ(c[2].args, (std::vector<double>{0x0DE1, 0x2800, 0x2601}));
    EXPECT_EQ(c[3].name, "glTexParameteri");
    EXPECT_EQ(c[3].args, (std::vector<double>{0x0DE1, 0x2801, 0x2601}));
    EXPECT_EQ(c[4].name, "glTexImage2D");
  }
  EXPECT_EQ(names.size(), 6u);
  EXPECT_EQ(texture[3], 0u);
  EXPECT_EQ(texture[7], 0u);

  // target, level, internal format, width, height, border, format, type, has pixels
  std::vector<fake::GlCall> up = fake::glCallsNamed("glTexImage2D");
  EXPECT_EQ(up[0].args, (std::vector<double>{0x0DE1, 0, 3, 4, 2, 0, 0x1907, 0x1401, 1}));
  EXPECT_EQ(up[1].args, (std::vector<double>{0x0DE1, 0, 3, 4, 1, 0, 0x1907, 0x1401, 1}));
  EXPECT_EQ(up[2].args, (std::vector<double>{0x0DE1, 0, 4, 8, 2, 0, 0x1908, 0x1401, 1}));
  EXPECT_EQ(up[3].args, (std::vector<double>{0x0DE1, 0, 4, 4, 3, 0, 0x1908, 0x1401, 1}));
  EXPECT_EQ(up[4].args, (std::vector<double>{0x0DE1, 0, 4, 4, 3, 0, 0x1908, 0x1401, 1}));
  EXPECT_EQ(up[5].args, (std::vector<double>{0x0DE1, 0, 3, 4, 3, 0, 0x1907, 0x1401, 1}));
}

TEST_F(TextureSetTest, UploadedPixelsAreMirroredExceptStarAndBackground) {
  std::map<std::string, Picture> f = goodFiles();
  LoadGLTextures();
  std::vector<fake::GlCall> up = fake::glCallsNamed("glTexImage2D");
  ASSERT_EQ(up.size(), 6u);
  EXPECT_EQ(up[0].pixels, rgbRows(f[kStar], false));
  EXPECT_EQ(up[1].pixels, rgbRows(f[kBackground], false));
  EXPECT_EQ(up[2].pixels, rgbaRows(f[kLogo], f[kLogoMask]));
  EXPECT_EQ(up[3].pixels, rgbaRows(f[kFont], f[kFontMask]));
  EXPECT_EQ(up[4].pixels, rgbaRows(f[kFontDarker], f[kFontMask]));
  EXPECT_EQ(up[5].pixels, rgbRows(f[kDesktop], true));
}

TEST_F(TextureSetTest, EachMissingFileShowsItsMessagesAndEmptiesItsSlots) {
  struct Missing {
    const char* path;
    std::vector<Box> expected;
    std::vector<int> emptied;
  };
  const std::vector<Missing> cases = {
      {kStar, {kCantRead, kIsNull}, {0}},
      {kBackground, {kCantRead, kIsNull}, {1}},
      {kLogo, {kCantRead, kNo1st}, {2}},
      {kLogoMask, {kCantRead, kNo2nd}, {2}},
      {kFont, {kCantRead, kNo1st}, {4}},
      {kFontDarker, {kCantRead, kNo1st}, {5}},
      {kFontMask, {kCantRead, kNo2nd, kCantRead, kNo2nd}, {4, 5}},
      {kDesktop, {kCantRead, kIsNull}, {6}},
  };
  for (const Missing& m : cases) {
    SCOPED_TRACE(m.path);
    SetUp();  // a fresh folder with every file, then one taken away
    std::filesystem::remove(m.path);
    EXPECT_TRUE(InitGL());
    EXPECT_EQ(boxes(), m.expected);
    EXPECT_EQ(emptySlots(), m.emptied);
    for (int slot : {0, 1, 2, 4, 5, 6}) EXPECT_NE(texture[slot], 0u) << slot;
    TearDown();
  }
}

TEST_F(TextureSetTest, WithoutTheDataFolderFifteenMessagesInLoadOrder) {
  std::filesystem::remove_all("Data");
  EXPECT_TRUE(InitGL());
  EXPECT_EQ(boxes(), (std::vector<Box>{kCantRead, kIsNull,            // star
                                       kCantRead, kIsNull,            // background
                                       kCantRead, kCantRead, kNo1st,  // logo
                                       kCantRead, kCantRead, kNo1st,  // font
                                       kCantRead, kCantRead, kNo1st,  // darker font
                                       kCantRead, kIsNull}));         // desktop
  EXPECT_EQ(emptySlots(), (std::vector<int>{0, 1, 2, 4, 5, 6}));
  EXPECT_EQ(texture[3], 0u);
  EXPECT_EQ(texture[7], 0u);
}

TEST_F(TextureSetTest, BrokenFilesAreReportedAsUnreadableAndLoadingGoesOn) {
  std::filesystem::remove(kStar);
  std::filesystem::create_directory(kStar);                                 // a folder in its place
  bmp::write(kLogo, bmp::file(0x7fffffff, 0x7fffffff, bmp::counting(48)));  // huge sizes
  bmp::write(kFont, bmp::file(4, -3, bmp::counting(36)));                   // top-down
  bmp::write(kFontMask, bmp::file(4, 3, bmp::counting(35)));                // one byte short
  bmp::write(kDesktop, Bytes(20, 0));                                       // not even a header
  EXPECT_TRUE(InitGL());
  EXPECT_EQ(boxes(), (std::vector<Box>{kCantRead, kIsNull,            // star
                                       kCantRead, kNo1st,             // logo
                                       kCantRead, kCantRead, kNo1st,  // font
                                       kCantRead, kNo2nd,             // darker font
                                       kCantRead, kIsNull}));         // desktop
  EXPECT_EQ(emptySlots(), (std::vector<int>{0, 2, 4, 5, 6}));
  EXPECT_EQ(liveBlocks(), 0);
}

TEST_F(TextureSetTest, AtMostOnePictureIsHeldAtATime) {
  LoadGLTextures();
  // Walk the allocations: a merged picture holds three blocks at its peak (two files and the
  // RGBA buffer); every picture is released before the next is read.
  int live = 0, peak = 0, released = 0;
  for (const std::string& call : fake::platform().calls) {
    if (call == "GlobalAlloc") peak = std::max(peak, ++live);
    if (call == "GlobalFree" && --live == 0) ++released;
  }
  EXPECT_EQ(fake::platform().count("GlobalAlloc"), 2 + 3 * 3 + 1);
  EXPECT_EQ(live, 0);
  EXPECT_EQ(peak, 3);
  EXPECT_EQ(released, 6);
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
