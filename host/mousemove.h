// Detects any cursor movement since the program started.
#pragma once

#include "platform/system.h"

class CMousemove {
 public:
  CMousemove();
  CMousemove(const CMousemove&) = delete;
  CMousemove& operator=(const CMousemove&) = delete;

  // True when the cursor stands anywhere other than where it stood at start-up.
  bool IsMoved();

 private:
  POINT startPos;
};

extern CMousemove MouseMove;
