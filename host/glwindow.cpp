// Creating and tearing down the window and its OpenGL context, and the projection.
#include "host/glwindow.h"

#include "effects/starfield.h"
#include "image/textureset.h"
#include "scene/mytime.h"

HINSTANCE hInstance = NULL;
HWND hWnd = NULL;
HDC hDC = NULL;
HGLRC hRC = NULL;
bool active = true;
bool keys[256];
// Escape went down since the main loop last looked. A quick tap's key-down and key-up may both
// be handled before the loop looks at keys[VK_ESCAPE]; the tap still ends the run.
bool escapePressed = false;
bool fullscreen = true;

// The pixel format the program asks for, made once in CreateGLWindow. On X11 the window's
// visual is fixed before this is read: platform/linux/x11/glx.cpp (chooseWindowVisual) says
// how the platform's choice meets it.
// clang-format off
PIXELFORMATDESCRIPTOR pfd = {
    sizeof(PIXELFORMATDESCRIPTOR),
    1,
    PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER,
    PFD_TYPE_RGBA,
    0,                 // colour depth, filled in by CreateGLWindow
    0, 0, 0, 0, 0, 0,  // colour bits and shifts ignored
    0, 0,              // no alpha buffer
    0, 0, 0, 0, 0,     // no accumulation buffer
    16,                // depth buffer
    0,                 // no stencil buffer
    0,                 // no auxiliary buffer
    PFD_MAIN_PLANE,
    0, 0, 0, 0};
// clang-format on

static void showCreateError(const char* text) {
  MessageBoxA(NULL, text, "ERROR", MB_OK | MB_ICONEXCLAMATION);
}

static void showShutdownError(const char* text) {
  MessageBoxA(NULL, text, "SHUTDOWN ERROR", MB_OK | MB_ICONINFORMATION);
}

// Tears down what was built, then reports why start-up failed.
static bool failCreate(const char* text) {
  KillGLWindow();
  showCreateError(text);
  return false;
}

void ReSizeGLScene(int width, int height) {
  if (height == 0) height = 1;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, (double)width / (double)height, 0.1f, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void makeWindowOnTop() {
  SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 200, 100,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE);
}

void KillGLWindow() {
  if (hRC) {
    if (!wglMakeCurrent(NULL, NULL)) showShutdownError("Release Of DC And RC Failed.");
    if (!wglDeleteContext(hRC)) showShutdownError("Release Rendering Context Failed.");
    hRC = NULL;
  }
  // A preview window goes away with its parent, and the platform releases its device context
  // with it: nothing is left to release then, and nothing failed.
  const bool windowGone = hWnd && !IsWindow(hWnd);
  if (hDC) {
    if (!windowGone && !ReleaseDC(hWnd, hDC)) showShutdownError("Release Device Context Failed.");
    hDC = NULL;
  }
  if (hWnd) {
    if (!windowGone && !DestroyWindow(hWnd)) showShutdownError("Could Not Release hWnd.");
    hWnd = NULL;
  }
  if (!UnregisterClassA(WINDOWCLASSNAME, hInstance))
    showShutdownError("Could Not Unregister Class.");
}

// Loads the textures; then the frame clock restarts, so that loading and its message boxes do not
// count towards the first frame, and the star field's rotation starts from 0.
bool InitGL() {
  if (!LoadGLTextures()) return false;
  lMytime.Reset();
  rotate2 = 0.0f;
  return true;
}

static bool registerWindowClass() {
  WNDCLASSA wc;
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  wc.lpfnWndProc = (WNDPROC)WndProc;
  wc.cbClsExtra = 0;
  wc.cbWndExtra = 0;
  wc.hInstance = hInstance;
  wc.hIcon = LoadIconA(NULL, IDI_WINLOGO);
  wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
  wc.hbrBackground = NULL;
  wc.lpszMenuName = NULL;
  wc.lpszClassName = WINDOWCLASSNAME;
  return RegisterClassA(&wc) != 0;
}

bool CreateGLWindow(const char* title, int width, int height, int bits, bool fullscreenflag) {
  fullscreen = fullscreenflag;
  RECT windowRect;
  windowRect.left = 0;
  windowRect.top = 0;
  windowRect.right = width;
  windowRect.bottom = height;

  hInstance = GetModuleHandleA(NULL);
  if (!registerWindowClass()) {
    showCreateError("Failed To Register The Window Class.");
    return false;
  }

  DWORD dwExStyle;
  DWORD dwStyle;
  if (fullscreen) {
    dwExStyle = WS_EX_APPWINDOW;
    dwStyle = WS_POPUP;
    ShowCursor(!HIDECURSOR);
  } else {
    dwExStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    dwStyle = WS_OVERLAPPEDWINDOW;
  }
  AdjustWindowRectEx(&windowRect, dwStyle, FALSE, dwExStyle);

  hWnd = CreateWindowExA(dwExStyle, WINDOWCLASSNAME, title,
                         dwStyle | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                         windowRect.right - windowRect.left, windowRect.bottom - windowRect.top,
                         NULL, NULL, hInstance, NULL);
  if (!hWnd) return failCreate("Window Creation Error.");

  if (lHwndParent != 0) {
    SetParent(hWnd, lHwndParent);
    SetWindowLongA(hWnd, GWL_STYLE, (LONG)(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN));
  }

  pfd.cColorBits = (BYTE)bits;

  hDC = GetDC(hWnd);
  if (!hDC) return failCreate("Can't Create A GL Device Context.");
  int pixelFormat = ChoosePixelFormat(hDC, &pfd);
  if (!pixelFormat) return failCreate("Can't Find A Suitable PixelFormat.");
  if (!SetPixelFormat(hDC, pixelFormat, &pfd)) return failCreate("Can't Set The PixelFormat.");
  hRC = wglCreateContext(hDC);
  if (!hRC) return failCreate("Can't Create A GL Rendering Context.");
  if (!wglMakeCurrent(hDC, hRC)) return failCreate("Can't Activate The GL Rendering Context.");

  ShowWindow(hWnd, SW_SHOW);
  SetForegroundWindow(hWnd);
  SetFocus(hWnd);
  ReSizeGLScene(width, height);

  if (!InitGL()) return failCreate("Initialization Failed.");
  return true;
}
