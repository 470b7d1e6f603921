// The Windows icon: the logo's sun, drawn anew for each size so that its outline stays a pixel
// wide or more and the stripes stay few enough to be seen, in an .ico file of 32-bit images.
#include <algorithm>

#include "pictures.h"
#include "sun.h"

namespace picturegen {

namespace {

void put(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

// One image of the icon file: an info header of twice the height (colour and mask), the
// blue-green-red-alpha rows bottom-up, then the 1-bit mask (1 transparent) in rows of 4 bytes.
std::vector<uint8_t> iconImage(const Image& colour, const Gray& alpha) {
  const int s = colour.width, maskRow = (s + 31) / 32 * 4;
  std::vector<uint8_t> out;
  for (uint32_t v : {40, s, 2 * s}) put(out, v, 4);
  put(out, 1, 2);   // planes
  put(out, 32, 2);  // bits per pixel
  for (uint32_t v : {0, s * s * 4 + s * maskRow, 0, 0, 0, 0}) put(out, v, 4);
  for (int y = s - 1; y >= 0; --y) {
    for (int x = 0; x < s; ++x) {
      const Rgb& c = colour.at(x, y);
      for (float v : {c.b, c.g, c.r, alpha.at(x, y)}) out.push_back(toByte(v));
    }
  }
  for (int y = s - 1; y >= 0; --y) {
    std::vector<uint8_t> row(maskRow, 0);
    for (int x = 0; x < s; ++x)
      if (toByte(alpha.at(x, y)) == 0) row[x / 8] |= uint8_t(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

std::vector<uint8_t> drawIcon() {
  const int sizes[] = {16, 32, 48, 256};
  std::vector<std::vector<uint8_t>> images;
  for (int s : sizes) {
    const int f = s >= 128 ? 4 : 8;  // drawn f times larger, then averaged down
    const float line = std::max(1.0f, s / 96.0f), r = s / 2.0f - line - 0.5f;
    const float stripe = s >= 48 ? 0.16f : s >= 32 ? 0.24f : 0.4f;
    const Shaded big = drawSun(s * f, s * f, s * f / 2.0f, s * f / 2.0f, r * f, line * f, stripe);
    images.push_back(
        iconImage(downsample(big.colour, big.alpha, f, kSunOutline), downsample(big.alpha, f)));
  }
  // The directory: reserved, type 1 (icon), count; then per image its size (0 for 256), no
  // palette, one plane, 32 bits, the image's length and where it starts.
  std::vector<uint8_t> out;
  for (uint32_t v : {0, 1, int(images.size())}) put(out, v, 2);
  uint32_t at = 6 + 16 * uint32_t(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    put(out, uint8_t(sizes[i]), 1);
    put(out, uint8_t(sizes[i]), 1);
    put(out, 0, 2);
    put(out, 1, 2);
    put(out, 32, 2);
    put(out, uint32_t(images[i].size()), 4);
    put(out, at, 4);
    at += uint32_t(images[i].size());
  }
  for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}

}  // namespace picturegen
