// Merges a colour BMP and a mask BMP of the same size into one RGBA picture: red, green and
// blue from the colour image, alpha from the mask's red.
#include "image/doublebitmap.h"

#include "image/mybitmap.h"
#include "image/rowswap.h"

CDoubleBitmap::CDoubleBitmap(const char* colourPath, const char* maskPath)
    : pixelData(NULL), width(0), height(0) {
  CMyBitmap colour(colourPath);
  CMyBitmap mask(maskPath);

  const char* failure = NULL;
  if (!colour.hasPixelData())
    failure = "CDoubleBitmap() 1st bitmap has no data.";
  else if (!mask.hasPixelData())
    failure = "CDoubleBitmap() 2nd bitmap has no data.";
  else if (colour.getWidth() != mask.getWidth())
    failure = "CDoubleBitmap() bitmap-width not equal.";
  else if (colour.getHeight() != mask.getHeight())
    failure = "CDoubleBitmap() bitmap-height not equal.";
  else if (colour.getWidth() == 0)
    failure = "CDoubleBitmap() bitmap-width is 0. This is not allowed";
  else if (colour.getHeight() == 0)
    failure = "CDoubleBitmap() bitmap-height is 0. This is not allowed.";
  if (failure) {
    MessageBoxA(NULL, failure, "CDoubleBitmap", MB_ICONERROR);
    return;  // the sources go with the locals: mask first, then colour
  }

  // Both readers took only non-negative sizes whose pixels their files hold, so the sizes are
  // positive here and w * h * 4 is bounded by the files' lengths.
  int32_t w = colour.getWidth();
  int32_t h = colour.getHeight();
  size_t pixels = (size_t)w * (size_t)h;
  BYTE* merged = (BYTE*)GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, pixels * 4);
  if (!merged) return;  // no memory: the picture stays empty, like any other failed image

  const BYTE* src = colour.getPixelData();
  const BYTE* alpha = mask.getPixelData();
  BYTE* dst = merged;
  for (size_t i = 0; i < pixels; ++i, src += 3, alpha += 3, dst += 4) {
    dst[0] = src[0];
    dst[1] = src[1];
    dst[2] = src[2];
    dst[3] = alpha[0];
  }

  pixelData = merged;
  width = w;
  height = h;
}

CDoubleBitmap::~CDoubleBitmap() {
  if (pixelData) {
    GlobalFree(pixelData);
    pixelData = NULL;
  }
}

BYTE* CDoubleBitmap::getPixelData() { return pixelData; }

int32_t CDoubleBitmap::getWidth() { return width; }

int32_t CDoubleBitmap::getHeight() { return height; }

void CDoubleBitmap::flipY() {
  if (!pixelData || width <= 0) return;
  mirrorrows(pixelData, (size_t)width * 4, height);
}
