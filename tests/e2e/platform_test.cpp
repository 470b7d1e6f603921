// The Linux layer called directly, as the program calls it, on a virtual display: the registry
// stand-in, the messages X input and window changes become (made from a second connection, as a
// user or a window manager would), the hidden cursor, pixel formats and contexts.
// clang-format off
#include <gtest/gtest.h>  // before Xlib, whose macros (None, Bool) would break it
#include "platform/system.h"
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>
#include <X11/keysym.h>
// clang-format on
#include <stdlib.h>

#include <climits>

#include "tests/e2e/support.h"

namespace {

std::vector<std::string> received;  // every message the probe window got, as "NAME wParam lParam"

LRESULT CALLBACK probeProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // clang-format off
  const std::pair<UINT, const char*> names[] = {
      {WM_SIZE, "WM_SIZE"}, {WM_ACTIVATE, "WM_ACTIVATE"}, {WM_CLOSE, "WM_CLOSE"},
      {WM_KEYDOWN, "WM_KEYDOWN"}, {WM_KEYUP, "WM_KEYUP"}, {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
      {WM_SYSKEYUP, "WM_SYSKEYUP"}, {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
      {WM_MOUSEMOVE, "WM_MOUSEMOVE"}, {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
      {WM_MBUTTONDOWN, "WM_MBUTTONDOWN"}, {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"}};
  // clang-format on
  std::string name = "OTHER";
  for (auto& n : names) name = n.first == message ? n.second : name;
  char line[96];
  snprintf(line, sizeof line, "%s %lx %lx", name.c_str(), (unsigned long)wParam,
           (unsigned long)lParam);
  received.push_back(line);
  return DefWindowProcA(hWnd, message, wParam, lParam);
}

class Platform : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = probeProc;
    wc.lpszClassName = "Probe";
    ASSERT_TRUE(RegisterClassA(&wc));
    EXPECT_FALSE(RegisterClassA(&wc));  // a name is registered once
    window = CreateWindowExA(0, "Probe", "Probe", WS_POPUP, 0, 0, 200, 150, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(window);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    x = XOpenDisplay(nullptr);
    ASSERT_TRUE(x);
    pump();
    received.clear();
  }
  void TearDown() override {
    XCloseDisplay(x);
    DestroyWindow(window);
    EXPECT_TRUE(UnregisterClassA("probe", NULL));  // in any letter case
    EXPECT_FALSE(UnregisterClassA("Probe", NULL));
  }
  // Takes the messages of the next moment from the queue, as the program's loop does.
  void pump(double seconds = 0.3) {
    XSync(x, False);
    MSG msg;
    for (double end = e2e::now() + seconds; e2e::now() < end; e2e::sleepSeconds(0.005))
      while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  std::vector<std::string> receivedOf(const std::string& prefix) {
    std::vector<std::string> out;
    for (const std::string& m : received)
      if (m.rfind(prefix, 0) == 0) out.push_back(m);
    return out;
  }
  void key(KeySym sym, bool press) { XTestFakeKeyEvent(x, XKeysymToKeycode(x, sym), press, 0); }
  void type(std::initializer_list<KeySym> chord) {
    for (KeySym k : chord) key(k, true);
    for (auto k = std::rbegin(chord); k != std::rend(chord); ++k) key(*k, false);
  }
  void sendToWindow(Atom type, long data) {
    XEvent e = {};
    e.xclient.type = ClientMessage;
    e.xclient.window = (Window)(uintptr_t)window;
    e.xclient.message_type = type;
    e.xclient.format = 32;
    e.xclient.data.l[0] = data;
    XSendEvent(x, e.xclient.window, False, 0, &e);
  }

  HWND window = NULL;
  Display* x = nullptr;
};

TEST_F(Platform, KeysBecomeVirtualKeyMessagesAndAltMakesSystemKeys) {
  for (KeySym k : {XK_Escape, XK_7, XK_F12, XK_Left, XK_Return}) type({k});
  type({XK_Shift_L, XK_z});
  pump();
  std::vector<std::string> downs;
  for (const std::string& m : receivedOf("WM_KEYDOWN"))
    downs.push_back(m.substr(11, m.find(' ', 11) - 11));
  EXPECT_EQ(downs, (std::vector<std::string>{"1b", "37", "7b", "25", "d", "10", "5a"}));
  EXPECT_EQ(receivedOf("WM_KEYUP").size(), 7u);

  received.clear();
  type({XK_Alt_L, XK_x});
  type({XK_F10});
  pump();
  EXPECT_EQ(received,
            (std::vector<std::string>{"WM_SYSKEYDOWN 12 20000000", "WM_SYSKEYDOWN 58 20000000",
                                      "WM_SYSKEYUP 58 20000000", "WM_SYSKEYUP 12 20000000",
                                      "WM_SYSKEYDOWN 79 0", "WM_SYSKEYUP 79 0"}));
  received.clear();
  type({XK_Alt_L, XK_F4});
  pump();
  EXPECT_EQ(receivedOf("WM_SYSCOMMAND"), std::vector<std::string>{"WM_SYSCOMMAND f060 0"});
  EXPECT_EQ(receivedOf("WM_CLOSE").size(), 1u);
}

TEST_F(Platform, HeldKeyRepeatsItsKeyDownAlone) {
  key(XK_a, true);
  pump(1.5);
  key(XK_a, false);
  pump();
  ASSERT_GE(received.size(), 3u);
  for (size_t i = 0; i + 1 < received.size(); ++i) EXPECT_EQ(received[i], "WM_KEYDOWN 41 0");
  EXPECT_EQ(received.back(), "WM_KEYUP 41 0");
}

TEST_F(Platform, ButtonsCarryTheirKeyStateAndPosition) {
  XWarpPointer(x, None, (Window)(uintptr_t)window, 0, 0, 0, 0, 30, 40);
  pump();
  EXPECT_EQ(received, std::vector<std::string>{"WM_MOUSEMOVE 0 28001e"});
  received.clear();
  key(XK_Control_L, true);
  for (unsigned button : {2, 1, 4, 5, 8}) {  // the wheel and side buttons make no message
    XTestFakeButtonEvent(x, button, True, 0);
    XTestFakeButtonEvent(x, button, False, 0);
  }
  key(XK_Control_L, false);
  XTestFakeButtonEvent(x, 3, True, 0);
  XTestFakeButtonEvent(x, 3, False, 0);
  pump();
  EXPECT_EQ(received, (std::vector<std::string>{"WM_KEYDOWN 11 0", "WM_MBUTTONDOWN 18 28001e",
                                                "WM_LBUTTONDOWN 9 28001e", "WM_KEYUP 11 0",
                                                "WM_RBUTTONDOWN 2 28001e"}));
}

TEST_F(Platform, WindowManagersCloseRequestMinimiseAndRestore) {
  sendToWindow(XInternAtom(x, "WM_PROTOCOLS", False), XInternAtom(x, "WM_TAKE_FOCUS", False));
  sendToWindow(XInternAtom(x, "_NET_WM_STATE", False), XInternAtom(x, "WM_DELETE_WINDOW", False));
  pump();
  EXPECT_TRUE(received.empty()) << received[0];
  sendToWindow(XInternAtom(x, "WM_PROTOCOLS", False), XInternAtom(x, "WM_DELETE_WINDOW", False));
  pump();
  EXPECT_EQ(received, std::vector<std::string>{"WM_CLOSE 0 0"});

  for (int i = 0; i < 2; ++i) {  // iconified and restored twice
    received.clear();
    XUnmapWindow(x, (Window)(uintptr_t)window);
    pump();
    XMapWindow(x, (Window)(uintptr_t)window);
    pump();
    EXPECT_EQ(received, (std::vector<std::string>{"WM_ACTIVATE 10000 0", "WM_SIZE 1 0",
                                                  "WM_SIZE 0 9600c8", "WM_ACTIVATE 1 0"}));
  }
  received.clear();
  XResizeWindow(x, (Window)(uintptr_t)window, 300, 100);
  pump();
  EXPECT_EQ(received, std::vector<std::string>{"WM_SIZE 0 64012c"});
}

TEST_F(Platform, CursorIsInvisibleOverOurWindowsWhileItsCountIsNegative) {
  XWarpPointer(x, None, (Window)(uintptr_t)window, 0, 0, 0, 0, 50, 50);
  auto visiblePixels = [&] {
    XSync(x, False);
    XFixesCursorImage* image = XFixesGetCursorImage(x);
    int visible = 0;
    for (int i = 0; image && i < image->width * image->height; ++i)
      visible += (image->pixels[i] >> 24) != 0;
    if (image) XFree(image);
    return visible;
  };
  EXPECT_GT(visiblePixels(), 0);
  EXPECT_EQ(ShowCursor(FALSE), -1);
  EXPECT_EQ(visiblePixels(), 0);
  EXPECT_EQ(ShowCursor(TRUE), 0);
  EXPECT_GT(visiblePixels(), 0);
}

TEST_F(Platform, PixelFormatsAndContexts) {
  HDC dc = GetDC(window);
  ASSERT_EQ((HWND)dc, window);
  PIXELFORMATDESCRIPTOR pfd = {};
  pfd.nSize = sizeof pfd;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.cColorBits = 24;
  pfd.cDepthBits = 16;
  int format = ChoosePixelFormat(dc, &pfd);
  ASSERT_GT(format, 0);
  EXPECT_EQ(wglCreateContext(dc), (HGLRC)NULL);  // no format yet
  int count = 0;
  XFree(glXGetFBConfigs(x, DefaultScreen(x), &count));
  for (int f : {INT_MAX, count + 2, count + 1, -1, 0})
    EXPECT_FALSE(SetPixelFormat(dc, f, &pfd)) << f;
  ASSERT_TRUE(SetPixelFormat(dc, format, &pfd));
  EXPECT_FALSE(SetPixelFormat(dc, format, &pfd));  // set once
  HGLRC rc = wglCreateContext(dc);
  ASSERT_TRUE(rc);
  ASSERT_TRUE(wglMakeCurrent(dc, rc));
  GLint depth = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depth);
  EXPECT_GE(depth, 16);
  EXPECT_TRUE(SwapBuffers(dc));
  EXPECT_TRUE(wglMakeCurrent(NULL, NULL));
  EXPECT_TRUE(wglDeleteContext(rc));
  EXPECT_FALSE(wglDeleteContext(rc));
  EXPECT_EQ(ReleaseDC(window, dc), 1);
  for (uintptr_t id : {(uintptr_t)0, (uintptr_t)0x1fffffff, (uintptr_t)UINT_MAX + 5})
    EXPECT_FALSE(IsWindow((HWND)id)) << id;
}

// The registry's export format, as regedit writes it (UTF-16 with a byte-order mark, CRLF) and
// as a person would (UTF-8, LF), read through the registry calls.
TEST(Registry, ReadsStringValuesFromTheUsersExportFile) {
  std::string dir = e2e::makeTempDir();
  setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
  e2e::shell("mkdir -p " + dir + "/dravik");
  const std::string header = "Windows Registry Editor Version 5.00\r\n\r\n";
  const std::string key =
      "[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\VORTEQ\\Screensaver1]";
  auto utf16 = [](const std::string& s) {
    std::string out = "\xFF\xFE";
    for (char c : s) out += std::string(1, c) + '\0';
    return out;
  };
  struct Case {
    std::string file;
    LSTATUS status;
    std::string text;  // with the zero the call copies
  } cases[] = {
      {header + key + "\r\n\"Other\"=dword:1\r\n\"ParentHWND\"=\"12345\"\r\n", 0,
       std::string("12345\0", 6)},
      {utf16(header + key + "\n\"parenthwnd\"=\"a\\\\b\\\"c\"\n"), 0, std::string("a\\b\"c\0", 6)},
      // U+1F600 as the surrogate pair D83D DE00, then "7".
      {utf16(header + key + "\n\"ParentHWND\"=\"") + std::string("\x3D\xD8\x00\xDE", 4) +
           utf16("7\"\n").substr(2),
       0,
       std::string("\xF0\x9F\x98\x80"
                   "7\0",
                   6)},
      {"REGEDIT4\n" + key + "\n\"ParentHWND\"=\"1\"\n" + key + "\n\"ParentHWND\"=\"2\"\n", 0,
       std::string("2\0", 2)},  // a later line wins
      {header + key + "\n\"ParentHWND\"=\"123\"x\n", ERROR_FILE_NOT_FOUND, ""},
      {header + key + "\n\"ParentHWND\"=dword:0000007b\n", ERROR_FILE_NOT_FOUND, ""},
      {header + key + "\n\"ParentHWND\"=hex:31,32,00\n", ERROR_FILE_NOT_FOUND, ""},
      {"not a registry file\n" + key + "\n\"ParentHWND\"=\"1\"\n", ERROR_FILE_NOT_FOUND, ""},
      {header + "[HKEY_CURRENT_USER\\Software\\Other]\n\"ParentHWND\"=\"1\"\n",
       ERROR_FILE_NOT_FOUND, ""},
      {header + key + "\n\"ParentHWND\"=\"123456789\"\n", ERROR_MORE_DATA, ""},  // 10 > 8 bytes
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    e2e::writeFile(dir + "/dravik/registry.reg", c.file);
    HKEY hkey = NULL;
    LSTATUS opened = RegOpenKeyExA(HKEY_CURRENT_USER,
                                   "Software\\VB and VBA Program Settings\\VORTEQ\\Screensaver1", 0,
                                   KEY_READ, &hkey);
    char buffer[8 + 4];
    memset(buffer, '#', sizeof buffer);
    DWORD type = 0, size = 8;
    LSTATUS read =
        opened ? opened : RegQueryValueExA(hkey, "ParentHWND", NULL, &type, (LPBYTE)buffer, &size);
    EXPECT_EQ(opened ? ERROR_SUCCESS : RegCloseKey(hkey), ERROR_SUCCESS);
    EXPECT_EQ(read, c.status);
    std::string expected = c.text + std::string(sizeof buffer - c.text.size(), '#');
    EXPECT_EQ(std::string(buffer, sizeof buffer), expected);
    // The size written back: the text's with its zero, or the size a too small buffer needs.
    EXPECT_EQ(size, read == ERROR_SUCCESS ? c.text.size() : read == ERROR_MORE_DATA ? 10u : 8u);
    EXPECT_EQ(type, read == ERROR_SUCCESS ? (DWORD)REG_SZ : 0u);
  }
  BYTE buffer[8];
  DWORD size = sizeof buffer;
  EXPECT_NE(RegQueryValueExA((HKEY)buffer, "ParentHWND", NULL, NULL, buffer, &size), ERROR_SUCCESS);
  EXPECT_NE(RegCloseKey((HKEY)buffer), ERROR_SUCCESS);
  e2e::shell("rm -rf " + dir);
}

}  // namespace
