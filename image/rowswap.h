// Exchanging two rows of pixels in place, for the vertical mirror of both picture classes.
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
