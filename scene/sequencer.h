// The timeline: which effects draw each frame, and in which order.
#pragma once

extern int animmode;
extern float animmodetime;

// One frame; always true. The effects' driver: every effect may assume a current context with
// ReSizeGLScene's projection, the model-view matrix current, 2D texturing and blending on and the
// depth test off (set here each frame); each sets its own blend function, texture and model-view
// matrix, and leaves them for the next. Each is handed the frame's time step (lMytime).
bool DrawGLScene();
