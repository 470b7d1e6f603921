// The frame clock over the platform's high-resolution performance counter.
#include "scene/mytime.h"

#include "platform/system.h"

static int64_t readCounter() {
  LARGE_INTEGER now = {};
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

CMytime::CMytime() {
  LARGE_INTEGER f = {};
  QueryPerformanceFrequency(&f);
  frequency = f.QuadPart;
  last = readCounter();
}

void CMytime::Reset() { last = readCounter(); }

double CMytime::gettimelapse() {
  int64_t now = readCounter();
  int64_t delta = now - last;
  last = now;
  if (frequency <= 0) return 0.0;  // no usable counter: time stands still
  return (double)delta / (double)frequency;
}
