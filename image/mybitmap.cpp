// Reads a 24-bit uncompressed BMP file whole into one block and turns its pixels from
// blue-green-red into red-green-blue in place.
#include "image/mybitmap.h"

#include <stdint.h>
#include <stdio.h>

#include "image/rowswap.h"

namespace {

const long kInfoOffset = 14;   // after the file header
const long kPixelOffset = 54;  // after the 40-byte info header
const long kWidthOffset = 4;   // within the info header
const long kHeightOffset = 8;

// Header fields are little-endian and sit at odd offsets: read them byte by byte.
int32_t readLe32(const BYTE* p) {
  uint32_t v =
      (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
  return (int32_t)v;
}

// Whether `available` bytes hold the pixel rows of a w x h picture as OpenGL reads them for an
// RGB upload: rows of 3w bytes, each but the last padded to the default 4-byte alignment. This
// covers the packed 3wh bytes the colour exchange and the mirror touch. Top-down (negative)
// sizes are not taken. The products stay below 2^64 for any 32-bit sizes.
bool pixelRowsFit(int32_t w, int32_t h, uint64_t available) {
  if (w < 0 || h < 0) return false;
  if (w == 0 || h == 0) return true;
  uint64_t row = (uint64_t)w * 3;
  uint64_t stride = (row + 3) & ~(uint64_t)3;
  uint64_t needed = (uint64_t)(h - 1) * stride + row;
  return needed <= available;
}

// At least the two headers, and no more than the 32-bit length field holds.
bool usableLength(long long length) { return length >= kPixelOffset && length <= INT32_MAX; }

}  // namespace

CMyBitmap::CMyBitmap(const char* path)
    : fileData(NULL),
      fileHeader(NULL),
      infoHeader(NULL),
      pixelData(NULL),
      fileLength(0),
      width(0),
      height(0) {
  FILE* file = fopen(path, "rb");
  BYTE* data = NULL;
  long length = -1;
  if (file) {
    // A folder opens on some systems and then has no length (-1).
    length = _filelength(_fileno(file));
    if (usableLength(length)) data = (BYTE*)GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, (SIZE_T)length);
    if (data && fread(data, 1, (size_t)length, file) != (size_t)length) {
      GlobalFree(data);
      data = NULL;
    }
    fclose(file);
  }
  if (data && !pixelRowsFit(readLe32(data + kInfoOffset + kWidthOffset),
                            readLe32(data + kInfoOffset + kHeightOffset),
                            (uint64_t)(length - kPixelOffset))) {
    GlobalFree(data);  // the header claims more pixels than the file holds
    data = NULL;
  }
  if (!data) {
    MessageBoxA(NULL, "can't read file..", "LoadABitmap Error", MB_ICONERROR);
    return;
  }

  fileData = data;
  fileLength = (int32_t)length;
  fileHeader = fileData;
  infoHeader = fileData + kInfoOffset;
  pixelData = fileData + kPixelOffset;

  // Row after row, pixel after pixel: one run over the packed pixels. Both sides are known to be
  // non-negative here, so with a side of 0 no pixel is touched.
  int64_t pixels = (int64_t)getWidth() * getHeight();
  for (BYTE* p = pixelData; p < pixelData + 3 * pixels; p += 3) {
    BYTE blue = p[0];
    p[0] = p[2];
    p[2] = blue;
  }
  width = getWidth();
  height = getHeight();
}

CMyBitmap::~CMyBitmap() {
  if (fileData) {
    GlobalFree(fileData);
    fileData = NULL;
    fileHeader = NULL;
    infoHeader = NULL;
    pixelData = NULL;
  }
}

int32_t CMyBitmap::getWidth() { return infoHeader ? readLe32(infoHeader + kWidthOffset) : 0; }

int32_t CMyBitmap::getHeight() { return infoHeader ? readLe32(infoHeader + kHeightOffset) : 0; }

bool CMyBitmap::hasPixelData() { return pixelData != NULL; }

BYTE* CMyBitmap::getPixelData() {
  if (!pixelData) MessageBoxA(NULL, "Is NULL", "getPixelData", MB_ICONERROR);
  return pixelData;
}

void CMyBitmap::flipY() {
  if (!pixelData || width <= 0) return;
  mirrorrows(pixelData, (size_t)width * 3, height);
}
