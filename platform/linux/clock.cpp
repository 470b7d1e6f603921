// The performance counter: the monotonic clock in nanoseconds. Alone in its file so that a
// test can link its own counter in place of this one.
#include <time.h>

#include "platform/system.h"

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
  frequency->QuadPart = 1000000000LL;
  return TRUE;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  count->QuadPart = (LONGLONG)now.tv_sec * 1000000000LL + now.tv_nsec;
  return TRUE;
}
