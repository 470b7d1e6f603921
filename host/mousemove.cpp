// The mouse-movement detector: one recorded position, compared on every idle pass.
#include "host/mousemove.h"

CMousemove::CMousemove() {
  startPos.x = 0;
  startPos.y = 0;
  GetCursorPos(&startPos);
}

bool CMousemove::IsMoved() {
  POINT now = startPos;  // an unreadable cursor counts as not moved
  GetCursorPos(&now);
  return now.x != startPos.x || now.y != startPos.y;
}
