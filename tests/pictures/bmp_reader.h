// A strict reader for the generated pictures: accepts only 24-bit uncompressed BMP files with a
// 40-byte info header, no colour table and bottom-up rows without filler, and says why not.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CheckedBmp {
  std::string error;  // empty when the file is in the expected format
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // red, green, blue; top row of the picture first

  bool ok() const { return error.empty(); }
  const uint8_t* at(int x, int y) const { return &rgb[(size_t(y) * width + x) * 3]; }
  // Red channel as seen from the top-left corner: the channel a mask's alpha comes from.
  int red(int x, int y) const { return at(x, y)[0]; }
  int luma(int x, int y) const {
    const uint8_t* p = at(x, y);
    return (299 * p[0] + 587 * p[1] + 114 * p[2]) / 1000;
  }
};

CheckedBmp parseBmp(const std::vector<uint8_t>& bytes);
CheckedBmp readBmp(const std::string& path);
std::vector<uint8_t> readBytes(const std::string& path);
