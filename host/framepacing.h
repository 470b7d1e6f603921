// Frames presented no faster than the display shows them, on both builds: a swap interval of 1
// where the OpenGL driver offers it, and where presenting does not wait for the display (no
// such extension, software OpenGL, a virtual display), a wait before each swap for the rest of
// the frame's display interval.
#pragma once

#include "platform/system.h"

// After the context is current: the swap interval, and the display's refresh rate in hertz (0 or
// 1, the hardware's default, count as 60) as the pace.
void beginFramePacing(DWORD refreshRate);
// Waits out the rest of this frame's interval, then presents it with SwapBuffers.
BOOL presentFrame(HDC dc);
void endFramePacing();
