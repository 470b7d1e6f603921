// A performance counter that moves only when told: frames happen when a test or a benchmark
// says. Linked in place of the platform's clock (platform/linux/clock.cpp).
#pragma once

namespace fake {

// Counter units per second.
const long long CLOCK_FREQUENCY = 1000000000LL;

void advanceClock(double seconds);
long long clockNow();
void resetClock();

}  // namespace fake
