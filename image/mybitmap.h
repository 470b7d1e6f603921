// CMyBitmap: one 24-bit BMP file read whole into memory, its pixels turned to red-green-blue.
#pragma once

#include <stdint.h>

#include "platform/system.h"

class CMyBitmap {
 public:
  explicit CMyBitmap(const char* path);
  ~CMyBitmap();
  CMyBitmap(const CMyBitmap&) = delete;
  CMyBitmap& operator=(const CMyBitmap&) = delete;

  // Width and height as the info header holds them; 0 for an empty object.
  int32_t getWidth();
  int32_t getHeight();
  bool hasPixelData();
  // The pixel rows (3 bytes a pixel); shows "Is NULL" and gives null for an empty object.
  BYTE* getPixelData();
  // Mirrors the picture vertically in place.
  void flipY();

 private:
  BYTE* fileData;      // the whole file, owned
  BYTE* fileHeader;    // byte 0 of fileData; never read, kept as one of the program's own fields
  BYTE* infoHeader;    // byte 14 of fileData
  BYTE* pixelData;     // byte 54 of fileData
  int32_t fileLength;  // the file's length; never read either, kept for the same reason
  int32_t width;
  int32_t height;
};
