// The mouse-movement detector: one recorded position, compared on every idle pass.
#include "host/mousemove.h"

// An unreadable position is recorded as (0, 0).
CMousemove::CMousemove() : startPos() { GetCursorPos(&startPos); }

bool CMousemove::IsMoved() {
  POINT now = startPos;  // an unreadable cursor counts as not moved
  GetCursorPos(&now);
  return now.x != startPos.x || now.y != startPos.y;
}
