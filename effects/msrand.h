// The star placement's random numbers: the same sequence as the Windows C runtime's rand,
// on every platform, so both builds show the same star field.
#pragma once

// The next number, 0 to 32767.
int msrand();

// Restarts the sequence; a fresh program starts from seed 1.
void msrandseed(unsigned int seed);
