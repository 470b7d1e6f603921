// The timeline: which effects draw each frame, and in which order.
#pragma once

extern int animmode;
extern float animmodetime;

bool DrawGLScene();
