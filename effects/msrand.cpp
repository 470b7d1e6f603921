// The star placement's random numbers: the linear congruential generator of the Windows C
// runtime, whose unseeded state is 1.
#include "effects/msrand.h"

#include <stdint.h>

static uint32_t msrandstate = MSRAND_UNSEEDED;

int msrand() {
  msrandstate = msrandstate * 214013u + 2531011u;
  return (int)((msrandstate >> 16) & 0x7fff);
}

void msrandseed(unsigned int seed) { msrandstate = seed; }
