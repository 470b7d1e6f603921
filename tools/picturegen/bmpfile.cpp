// 24-bit BMP encoding for the picture generator.
#include "bmpfile.h"

#include <cstdio>

namespace picturegen {

namespace {

void put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  out[at] = uint8_t(v);
  out[at + 1] = uint8_t(v >> 8);
}

void put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = uint8_t(v >> (8 * i));
}

}  // namespace

std::vector<uint8_t> encodeBmp(const Image& image) {
  const uint32_t headers = 14 + 40;
  const uint32_t pixels = uint32_t(image.width) * uint32_t(image.height) * 3;
  std::vector<uint8_t> out(headers + pixels, 0);
  out[0] = 'B';
  out[1] = 'M';
  put32(out, 2, headers + pixels);  // file size
  put32(out, 10, headers);          // offset of the pixel array
  put32(out, 14, 40);               // info header size
  put32(out, 18, uint32_t(image.width));
  put32(out, 22, uint32_t(image.height));  // positive: bottom-up rows
  put16(out, 26, 1);                       // planes
  put16(out, 28, 24);                      // bits per pixel
  put32(out, 30, 0);                       // no compression
  put32(out, 34, pixels);
  put32(out, 38, 2835);  // 72 dots per inch
  put32(out, 42, 2835);
  size_t at = headers;
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const Rgb& c = image.at(x, y);
      out[at++] = toByte(c.b);
      out[at++] = toByte(c.g);
      out[at++] = toByte(c.r);
    }
  }
  return out;
}

Image grayToImage(const Gray& gray) {
  Image out(gray.width, gray.height);
  for (size_t i = 0; i < gray.v.size(); ++i) out.px[i] = {gray.v[i], gray.v[i], gray.v[i]};
  return out;
}

bool writeBmp(const std::string& path, const Image& image) {
  return (image.width * 3) % 4 == 0 && writeFile(path, encodeBmp(image));
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && written;
}

}  // namespace picturegen
