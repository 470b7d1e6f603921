// Tiny BMP files made on the spot: a 54-byte header with the given sizes, then raw pixel bytes.
// Used by the image tests and by the fuzzer's seed maker.
#pragma once

#include <stdint.h>

#include <fstream>
#include <string>
#include <vector>

namespace bmp {

using Bytes = std::vector<uint8_t>;

inline void putLe32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = (uint8_t)(v >> (8 * i));
}

// A 24-bit uncompressed file: header claiming width x height, followed by `pixels` as stored
// (blue, green, red; bottom row first). The pixel count need not match the header.
inline Bytes file(int32_t width, int32_t height, const Bytes& pixels) {
  Bytes b(54, 0);
  b[0] = 'B';
  b[1] = 'M';
  putLe32(b, 2, (uint32_t)(54 + pixels.size()));
  putLe32(b, 10, 54);
  putLe32(b, 14, 40);
  putLe32(b, 18, (uint32_t)width);
  putLe32(b, 22, (uint32_t)height);
  b[26] = 1;   // planes
  b[28] = 24;  // bits per pixel
  putLe32(b, 34, (uint32_t)pixels.size());
  b.resize(54 + pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) b[54 + i] = pixels[i];
  return b;
}

// `count` pixels all stored as the same three bytes.
inline Bytes repeated(size_t count, uint8_t b0, uint8_t b1, uint8_t b2) {
  Bytes p;
  for (size_t i = 0; i < count; ++i) p.insert(p.end(), {b0, b1, b2});
  return p;
}

// `count` bytes 0, 1, 2, ... (wrapping), so every byte of a picture is told apart.
inline Bytes counting(size_t count, uint8_t start = 0) {
  Bytes p(count);
  for (size_t i = 0; i < count; ++i) p[i] = (uint8_t)(start + i);
  return p;
}

inline void write(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write((const char*)bytes.data(), (std::streamsize)bytes.size());
}

}  // namespace bmp
