// libFuzzer target over the BMP reader and the colour-and-mask image: the input as a file, and
// its halves as a colour file and a mask file. Every byte a reader hands out is read, as the
// texture upload would, so AddressSanitizer sees any access beyond the buffers; a size without
// pixels, or a negative one, aborts.
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "image/doublebitmap.h"
#include "image/mybitmap.h"

int MessageBoxA(HWND, LPCSTR, LPCSTR, UINT) { return IDOK; }  // every box is dismissed

namespace {

// A file in the working folder (scripts/sanitize-and-fuzz.sh gives the fuzzer one in memory).
std::string file(const char* name, const uint8_t* data, size_t size) {
  std::ofstream(name, std::ios::binary).write((const char*)data, (std::streamsize)size);
  return name;
}

template <class Picture>
void read(Picture& p, uint64_t bytesPerPixel) {
  p.flipY();
  const BYTE* pixels = p.getPixelData();
  int64_t w = p.getWidth(), h = p.getHeight();
  if ((!pixels && (w || h)) || w < 0 || h < 0) abort();
  volatile unsigned sum = 0;
  for (uint64_t i = 0; pixels && i < (uint64_t)(w * h) * bytesPerPixel; ++i) sum += pixels[i];
  (void)sum;  // read every pixel, so the sanitizers see each byte the picture claims to have
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CMyBitmap whole(file("whole.bmp", data, size).c_str());
  read(whole, 3);
  CDoubleBitmap merged(file("colour.bmp", data, size / 2).c_str(),
                       file("mask.bmp", data + size / 2, size - size / 2).c_str());
  read(merged, 4);
  return 0;
}
