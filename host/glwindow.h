// The render window, its OpenGL context, keyboard and activation state, and the projection.
#pragma once

#include "platform/system.h"

#define WINDOWCLASSNAME "QuennelScreensaver"
#define HIDECURSOR true
// Never read: the display mode is never changed. Kept as the program's own named setting.
#define DOCHANGEDISPLAYSETTINGS false

extern HINSTANCE hInstance;
extern HWND hWnd;
extern HDC hDC;
extern HGLRC hRC;
extern bool active;
// Keys down by virtual-key code: the program's own state, kept though only Escape is read.
extern bool keys[256];
extern bool escapePressed;
extern bool fullscreen;
extern HWND lHwndParent;
extern PIXELFORMATDESCRIPTOR pfd;

// The window, its pixel format, current context, projection and textures; false once one failed.
bool CreateGLWindow(const char* title, int width, int height, int bits, bool fullscreenflag);
// Releases the context, device context, window and class in that order, reporting each failure.
void KillGLWindow();
// The viewport and 45-degree perspective for that size; leaves an identity model-view current.
void ReSizeGLScene(int width, int height);
// Puts the window above every window that is not top-most itself.
void makeWindowOnTop();
// Uploads the textures, then restarts the frame clock and the star field's rotation.
bool InitGL();
// Keeps keys, escapePressed and active current, the projection sized, and ends on WM_CLOSE.
LRESULT CALLBACK WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
