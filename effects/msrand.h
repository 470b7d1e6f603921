// The star placement's random numbers: the same sequence as the Windows C runtime's rand,
// on every platform, so both builds show the same star field.
#pragma once

// The generator's state in a program that never seeds it.
const unsigned int MSRAND_UNSEEDED = 1;

// The next number, 0 to 32767.
int msrand();

// Restarts the sequence; a fresh program starts from MSRAND_UNSEEDED.
void msrandseed(unsigned int seed);
