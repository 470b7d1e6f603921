// CDoubleBitmap: a colour BMP and a mask BMP of equal size merged into one RGBA picture.
#pragma once

#include <stdint.h>

#include "platform/system.h"

class CDoubleBitmap {
 public:
  CDoubleBitmap(const char* colourPath, const char* maskPath);
  ~CDoubleBitmap();
  CDoubleBitmap(const CDoubleBitmap&) = delete;
  CDoubleBitmap& operator=(const CDoubleBitmap&) = delete;

  // The RGBA rows (4 bytes a pixel), or null when no picture was built; never shows a message.
  BYTE* getPixelData();
  int32_t getWidth();
  int32_t getHeight();
  // Mirrors the picture vertically in place.
  void flipY();

 private:
  BYTE* pixelData;  // owned
  int32_t width;
  int32_t height;
};
