// The frame clock: seconds between two readings of the performance counter.
#pragma once

#include <stdint.h>

class CMytime {
 public:
  CMytime();
  CMytime(const CMytime&) = delete;
  CMytime& operator=(const CMytime&) = delete;

  void Reset();
  double gettimelapse();

 private:
  int64_t frequency;
  int64_t last;
};

extern CMytime lMytime;
