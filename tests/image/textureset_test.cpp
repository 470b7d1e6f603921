// The texture set: slots, upload calls and pixels in load order, and the messages and empty
// slots of missing files.
#include "image/textureset.h"

#include <algorithm>
#include <map>

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
                            {1, DATA(PICTURE_BACKGROUND), nullptr, false, 8, 3},
                            {2, DATA(PICTURE_LOGO), DATA(PICTURE_LOGO_MASK), true, 8, 2},
                            {4, DATA(PICTURE_FONT), DATA(PICTURE_FONT_MASK), true, 4, 3},
                            {5, DATA(PICTURE_FONT_DARKER), DATA(PICTURE_FONT_MASK), true, 4, 3},
                            {6, DATA(PICTURE_DESKTOP), nullptr, true, 4, 5}};

using TextureSetTest = ImageTest;

// All files there, one file or the whole folder missing, or no memory at all: the messages in
// load order, and only the affected slots get a 0 x 0 upload without pixels.
TEST_F(TextureSetTest, SixSlotsGetTheirPicturesInOrderAndMissingFilesEmptyTheirSlots) {
  const Boxes kAll = {kCantRead, kIsNull,            // star
                      kCantRead, kIsNull,            // background
                      kCantRead, kCantRead, kNo1st,  // logo
                      kCantRead, kCantRead, kNo1st,  // font
                      kCantRead, kCantRead, kNo1st,  // darker font
                      kCantRead, kIsNull};           // desktop
  const struct {
    const char* path;
    Boxes expected;
    std::vector<int> emptied;
  } cases[] = {
      {"nothing", {}, {}},
      {kUploads[0].colour, {kCantRead, kIsNull}, {0}},
      {kUploads[1].colour, {kCantRead, kIsNull}, {1}},
      {kUploads[2].mask, {kCantRead, kNo2nd}, {2}},
      {kUploads[4].colour, {kCantRead, kNo1st}, {5}},
      {kUploads[3].mask, {kCantRead, kNo2nd, kCantRead, kNo2nd}, {4, 5}},
      {kUploads[5].colour, {kCantRead, kIsNull}, {6}},
      {"Data", kAll, {0, 1, 2, 4, 5, 6}},
      {"no memory", kAll, {0, 1, 2, 4, 5, 6}},
  };
  for (const auto& m : cases) {
    SCOPED_TRACE(m.path);
    fake::reset();
    std::filesystem::remove_all("Data");
    std::filesystem::create_directory("Data");
    std::map<std::string, Bytes> files;  // every file its own bytes; the font mask written twice
    uint8_t start = 1;
    for (const Upload& u : kUploads)
      for (const char* path : {u.colour, u.mask})
        if (path)
          writeFile(path, bmpFile(u.w, u.h, files[path] = counting(u.w * u.h * 3, start += 37)));
    if (std::string(m.path) == "no memory") fake::platform().failing.insert("GlobalAlloc");
    std::filesystem::remove_all(m.path);
    ASSERT_TRUE(LoadGLTextures());
    EXPECT_EQ(boxes(), m.expected);
    EXPECT_EQ(liveBlocks(), 0);
    EXPECT_EQ(texture[3] | texture[7], 0u);
    std::vector<fake::GlCall> calls = fake::glCalls();
    ASSERT_EQ(calls.size(), 6u * 5u);
    for (int i = 0; i < 6; ++i) {
      const Upload& u = kUploads[i];
      bool empty = std::count(m.emptied.begin(), m.emptied.end(), u.slot);
      std::string got;
      for (int k = 0; k < 5; ++k)
        got += fake::callText(calls[5 * i + k].name, calls[5 * i + k].args) + " ";
      // The slot's own name, linear filters, then target, level, internal format, width, height,
      // border, format, type, has pixels.
      char expected[256];
      snprintf(expected, sizeof expected,
               "glGenTextures(1) glBindTexture(3553,%u) glTexParameteri(3553,10240,9729) "
               "glTexParameteri(3553,10241,9729) glTexImage2D(3553,0,%d,%d,%d,0,%d,5121,%d) ",
               texture[u.slot], u.mask ? 4 : 3, empty ? 0 : u.w, empty ? 0 : u.h,
               u.mask ? GL_RGBA : GL_RGB, !empty);
      EXPECT_EQ(got, expected) << u.colour;
      const Bytes* mask = u.mask ? &files[u.mask] : nullptr;
      Bytes pixels = empty ? Bytes() : picture(files[u.colour], mask, u.w, u.h, u.mirrored);
      EXPECT_EQ(calls[5 * i + 4].pixels, pixels) << u.colour;
    }
  }
}

}  // namespace
