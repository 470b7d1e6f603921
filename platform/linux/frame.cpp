// The frame Windows draws around a window's client area, for AdjustWindowRectEx.
#include "platform/linux/xwin.h"

namespace {
const DWORD kBorder = 0x00800000u;
const DWORD kCaption = 0x00C00000u;  // the caption includes the border
const DWORD kThickFrame = 0x00040000u;
}  // namespace

// The window manager frames X windows from outside; these are Windows' own metrics at
// 96 dpi, so a window laid out for Windows gets the same size here.
BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL, DWORD) {
  if (!rect) return FALSE;
  int edge = (style & kThickFrame) ? 8 : (style & kBorder) ? 1 : 0;
  int caption = (style & kCaption) == kCaption ? 23 : 0;
  rect->left -= edge;
  rect->top -= edge + caption;
  rect->right += edge;
  rect->bottom += edge;
  return TRUE;
}
