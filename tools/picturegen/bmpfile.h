// Writes pictures as 24-bit uncompressed BMP files: 14-byte file header, 40-byte info header,
// no colour table, rows bottom-up, blue-green-red bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "raster.h"

namespace picturegen {

// The whole file for `image`. The width must make rows of a multiple of 4 bytes (no filler).
std::vector<uint8_t> encodeBmp(const Image& image);
// A grey picture as a BMP with equal red, green and blue.
Image grayToImage(const Gray& gray);
// Writes the file; false when it cannot be written.
bool writeBmp(const std::string& path, const Image& image);
bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace picturegen
