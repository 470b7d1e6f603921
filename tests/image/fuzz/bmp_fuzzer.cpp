// libFuzzer target over the BMP reader and the colour-and-mask image. Each input is written out
// as whole files: the input itself, and its two halves as a colour file and a mask file. Every
// byte a reader hands out is then read (as the texture upload would), so AddressSanitizer sees
// any access beyond the buffers; broken invariants abort.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "image/doublebitmap.h"
#include "image/mybitmap.h"

namespace {

std::string folder;

void removeFolder() {
  for (const char* name : {"/whole.bmp", "/colour.bmp", "/mask.bmp"})
    unlink((folder + name).c_str());
  rmdir(folder.c_str());
}

const std::string& workFolder() {
  if (folder.empty()) {
    char shm[] = "/dev/shm/dravik-fuzz-XXXXXX";
    char tmp[] = "/tmp/dravik-fuzz-XXXXXX";
    const char* made = mkdtemp(shm);
    if (!made) made = mkdtemp(tmp);
    if (!made) abort();
    folder = made;
    atexit(removeFolder);
  }
  return folder;
}

void writeFile(const std::string& path, const uint8_t* data, size_t size) {
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) abort();
  if (size && fwrite(data, 1, size, f) != size) abort();
  fclose(f);
}

volatile unsigned sink;

// Reads `n` bytes from p, one by one.
void touch(const BYTE* p, uint64_t n) {
  unsigned sum = 0;
  for (uint64_t i = 0; i < n; ++i) sum += p[i];
  sink = sum;
}

void checkReader(const char* path) {
  CMyBitmap b(path);
  b.flipY();
  int32_t w = b.getWidth(), h = b.getHeight();
  const BYTE* p = b.getPixelData();
  if (!p) {
    if (b.hasPixelData() || w != 0 || h != 0) abort();
    return;
  }
  if (w < 0 || h < 0) abort();
  if (w == 0 || h == 0) return;
  // What an RGB upload reads: rows padded to 4 bytes, the last one unpadded.
  uint64_t row = (uint64_t)w * 3, stride = (row + 3) & ~(uint64_t)3;
  touch(p, (uint64_t)(h - 1) * stride + row);
}

void checkMerged(const char* colour, const char* mask, bool sameFile) {
  CDoubleBitmap d(colour, mask);
  d.flipY();
  int32_t w = d.getWidth(), h = d.getHeight();
  const BYTE* p = d.getPixelData();
  if (!p) {
    if (w != 0 || h != 0) abort();
    return;
  }
  if (w <= 0 || h <= 0) abort();
  uint64_t pixels = (uint64_t)w * (uint64_t)h;
  touch(p, pixels * 4);
  // A picture merged with itself as mask has its red as alpha.
  if (sameFile)
    for (uint64_t i = 0; i < pixels; ++i)
      if (p[4 * i + 3] != p[4 * i]) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& dir = workFolder();
  std::string whole = dir + "/whole.bmp", colour = dir + "/colour.bmp", mask = dir + "/mask.bmp";
  size_t half = size / 2;
  writeFile(whole, data, size);
  writeFile(colour, data, half);
  writeFile(mask, data + half, size - half);

  checkReader(whole.c_str());
  checkMerged(colour.c_str(), mask.c_str(), false);
  checkMerged(whole.c_str(), whole.c_str(), true);
  return 0;
}
