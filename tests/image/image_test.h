// Each image test runs in a fresh temporary folder of its own, with a fresh platform double.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/double/win32_double.h"
#include "tests/image/bmp_files.h"

using Bytes = bmp::Bytes;
using Box = std::pair<std::string, std::string>;  // text and caption
using Boxes = std::vector<Box>;

class ImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::reset();
    char name[] = "/tmp/dravik-image-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    folder = name;
    previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
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

// The `height` rows of `rowBytes` bytes at p, last row first.
inline Bytes reversedRows(const unsigned char* p, int height, size_t rowBytes) {
  Bytes out;
  for (int r = height - 1; r >= 0; --r)
    out.insert(out.end(), p + r * rowBytes, p + (r + 1) * rowBytes);
  return out;
}
