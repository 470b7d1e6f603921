// The vertical mirror of both picture classes: rows exchanged in place.
#pragma once

#include <stddef.h>
#include <string.h>

// Swaps the n bytes at a and b (rows that do not overlap) through a small buffer, a block at
// a time, with the library's block copies rather than byte by byte.
inline void swaprows(unsigned char* a, unsigned char* b, size_t n) {
  unsigned char block[1024];
  while (n > 0) {
    size_t k = n < sizeof block ? n : sizeof block;
    memcpy(block, a, k);
    memcpy(a, b, k);
    memcpy(b, block, k);
    a += k;
    b += k;
    n -= k;
  }
}

// Mirrors `height` rows of `rowBytes` bytes each top to bottom; the middle row of an odd
// height stays, and a height of 0 or 1 changes nothing.
inline void mirrorrows(unsigned char* pixels, size_t rowBytes, int height) {
  for (int i = 0; i < height / 2; ++i)
    swaprows(pixels + (size_t)i * rowBytes, pixels + (size_t)(height - 1 - i) * rowBytes, rowBytes);
}
