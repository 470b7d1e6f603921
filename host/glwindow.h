// The render window, its OpenGL context, keyboard and activation state, and the projection.
#pragma once

#include "platform/system.h"

#define WINDOWCLASSNAME "QuennelScreensaver"
#define HIDECURSOR true
#define DOCHANGEDISPLAYSETTINGS false

extern HINSTANCE hInstance;
extern HWND hWnd;
extern HDC hDC;
extern HGLRC hRC;
extern bool active;
extern bool keys[256];
extern bool escapePressed;
extern bool fullscreen;
extern HWND lHwndParent;
extern PIXELFORMATDESCRIPTOR pfd;

bool CreateGLWindow(const char* title, int width, int height, int bits, bool fullscreenflag);
void KillGLWindow();
void ReSizeGLScene(int width, int height);
void makeWindowOnTop();
bool InitGL();
LRESULT CALLBACK WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
