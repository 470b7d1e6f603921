// Zero-filled global memory, as GlobalAlloc(GMEM_ZEROINIT) gives it on Windows.
#include <stdlib.h>

#include "platform/system.h"

HGLOBAL GlobalAlloc(UINT, SIZE_T dwBytes) { return calloc(dwBytes ? dwBytes : 1, 1); }

HGLOBAL GlobalFree(HGLOBAL hMem) {
  free(hMem);
  return NULL;
}
