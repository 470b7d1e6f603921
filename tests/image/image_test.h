// Each image test runs in a fresh temporary folder of its own, with a fresh platform double, and
// makes its BMP files on the spot.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/double/win32_double.h"

using Bytes = std::vector<uint8_t>;
using Box = std::pair<std::string, std::string>;  // text and caption
using Boxes = std::vector<Box>;

// A file of the reader's format: a 54-byte header claiming width x height (the only fields it
// reads), then `pixels` as stored: blue, green, red, bottom row first.
inline Bytes bmpFile(int32_t width, int32_t height, const Bytes& pixels) {
  Bytes b = {'B', 'M'};
  b.resize(54);
  for (int i = 0; i < 4; ++i)
    b[18 + i] = (uint8_t)(width >> 8 * i), b[22 + i] = (uint8_t)(height >> 8 * i);
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}
// `count` bytes start, start + 1, ... (wrapping), so every byte of a picture is told apart.
inline Bytes counting(size_t count, uint8_t start = 0) {
  Bytes p(count);
  for (size_t i = 0; i < count; ++i) p[i] = (uint8_t)(start + i);
  return p;
}
// The pixels a reader should hand out for a w x h picture whose files hold `colour` and, for an
// RGBA one, `mask`: packed red, green, blue (and the mask's red for alpha), rows in the files'
// order or mirrored.
inline Bytes picture(const Bytes& colour, const Bytes* mask, int w, int h, bool mirrored) {
  Bytes out;
  for (int r = 0; r < h; ++r)
    for (int i = (mirrored ? h - 1 - r : r) * w, end = i + w; i < end; ++i) {
      out.insert(out.end(), {colour[3 * i + 2], colour[3 * i + 1], colour[3 * i]});
      if (mask) out.push_back((*mask)[3 * i + 2]);
    }
  return out;
}
inline void writeFile(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write((const char*)bytes.data(), (std::streamsize)bytes.size());
}

class ImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::reset();
    char name[] = "/tmp/dravik-image-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    previous = std::filesystem::current_path();
    std::filesystem::current_path(folder = name);
  }
  void TearDown() override {
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
  }
  // The message boxes shown so far; every one of them must carry the error icon.
  Boxes boxes() {
    Boxes out;
    for (const fake::MessageBox& b : fake::platform().boxes) {
      EXPECT_EQ(b.style, (UINT)MB_ICONERROR) << b.text;
      out.emplace_back(b.text, b.caption);
    }
    return out;
  }
  // Blocks allocated (zero-filled) and not yet released.
  int liveBlocks() {
    const fake::Platform& os = fake::platform();
    return (os.fails("GlobalAlloc") ? 0 : os.count("GlobalAlloc(0x40,")) - os.count("GlobalFree");
  }
  std::filesystem::path folder, previous;
};

inline const Box kCantRead{"can't read file..", "LoadABitmap Error"};
inline const Box kIsNull{"Is NULL", "getPixelData"};
inline const Box kNo1st{"CDoubleBitmap() 1st bitmap has no data.", "CDoubleBitmap"};
inline const Box kNo2nd{"CDoubleBitmap() 2nd bitmap has no data.", "CDoubleBitmap"};
