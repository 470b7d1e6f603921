// Strict parsing of the BMP subset the program reads.
#include "bmp_reader.h"

#include <fstream>
#include <iterator>

namespace {

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
         uint32_t(b[at + 3]) << 24;
}
uint32_t u16(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8;
}
bool powerOfTwo(int32_t v) { return v > 0 && (v & (v - 1)) == 0; }

}  // namespace

std::vector<uint8_t> readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

CheckedBmp parseBmp(const std::vector<uint8_t>& b) {
  CheckedBmp out;
  if (b.size() < 54) return out.error = "shorter than the two headers", out;
  if (b[0] != 'B' || b[1] != 'M') return out.error = "no BM signature", out;
  if (u32(b, 2) != b.size()) return out.error = "stored file size differs from the length", out;
  if (u32(b, 10) != 54) return out.error = "pixel array does not start at byte 54", out;
  if (u32(b, 14) != 40) return out.error = "info header is not 40 bytes", out;
  const int32_t w = int32_t(u32(b, 18)), h = int32_t(u32(b, 22));
  if (h <= 0) return out.error = "rows are not stored bottom-up", out;
  if (u16(b, 26) != 1) return out.error = "planes is not 1", out;
  if (u16(b, 28) != 24) return out.error = "not 24 bits per pixel", out;
  if (u32(b, 30) != 0) return out.error = "compressed", out;
  if (u32(b, 46) != 0 || u32(b, 50) != 0) return out.error = "has a colour table", out;
  if (!powerOfTwo(w) || !powerOfTwo(h)) return out.error = "a side is not a power of two", out;
  if ((w * 3) % 4 != 0) return out.error = "rows need filler bytes", out;
  if (b.size() != 54 + size_t(w) * h * 3) return out.error = "length is not 54 + 3 w h", out;
  out.width = w;
  out.height = h;
  out.rgb.resize(size_t(w) * h * 3);
  for (int y = 0; y < h; ++y) {
    const size_t row = 54 + size_t(h - 1 - y) * w * 3;  // the file's first row is the bottom
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &out.rgb[(size_t(y) * w + x) * 3];
      p[0] = b[row + x * 3 + 2];
      p[1] = b[row + x * 3 + 1];
      p[2] = b[row + x * 3];
    }
  }
  return out;
}

CheckedBmp readBmp(const std::string& path) {
  const std::vector<uint8_t> bytes = readBytes(path);
  if (bytes.empty()) {
    CheckedBmp out;
    out.error = "cannot read " + path;
    return out;
  }
  return parseBmp(bytes);
}
