// Presenting at the display's pace. Each frame has a slot one display interval after the
// previous one's; a frame ready early waits for its slot (to the millisecond below, so it is
// never late for it), a late one is presented at once and the next slot counts from it, so a
// slow frame is never followed by frames that catch up. Where the swap itself waits for the
// display, the frames arrive at their slots and nothing is waited here.
#include "host/framepacing.h"

namespace {

typedef BOOL(WINAPI* SwapIntervalProc)(int interval);

LONGLONG frequency = 0;  // performance counter units per second
LONGLONG interval = 0;   // one display interval, in counter units
LONGLONG nextSlot = 0;   // when the next frame may be presented

LONGLONG counter() {
  LARGE_INTEGER now = {};
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

}  // namespace

void beginFramePacing(DWORD refreshRate) {
  PROC proc = wglGetProcAddress("wglSwapIntervalEXT");  // WGL_EXT_swap_control
  SwapIntervalProc swapInterval = reinterpret_cast<SwapIntervalProc>(reinterpret_cast<void*>(proc));
  if (swapInterval) swapInterval(1);
  timeBeginPeriod(1);  // waits to the millisecond
  LARGE_INTEGER f = {};
  QueryPerformanceFrequency(&f);
  frequency = f.QuadPart;
  interval = frequency / (refreshRate > 1 ? refreshRate : 60);
  nextSlot = counter();
}

BOOL presentFrame(HDC dc) {
  LONGLONG now = counter();
  if (now < nextSlot) {
    Sleep((DWORD)((nextSlot - now) * 1000 / frequency));
    nextSlot += interval;
  } else {
    nextSlot = now + interval;
  }
  return SwapBuffers(dc);
}

void endFramePacing() { timeEndPeriod(1); }
