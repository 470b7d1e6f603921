// The Linux layer called directly, as the program calls it, on a virtual display: the registry
// stand-in, the messages X input and window changes become (made from a second connection, as a
// user or a window manager would), the hidden cursor, pixel formats and contexts.
// clang-format off
#include <gtest/gtest.h>  // before Xlib, whose macros (None, Bool) would break it
#include "platform/linux/x11/x11.h"  // the layer's own connection, for an error of its own
#include <GL/glx.h>
#include "tests/e2e/support.h"
#include <X11/extensions/Xfixes.h>
// clang-format on
#include <algorithm>
#include <climits>
#include <functional>
#include <map>
#include <regex>
#include <utility>

namespace {

// Every message the layer sends a window, by name (no WM_).
#define NAMED(message) \
  { message, #message + 3 }
const std::map<UINT, std::string> kNames = {
    NAMED(WM_SIZE),      NAMED(WM_ACTIVATE),    NAMED(WM_CLOSE),       NAMED(WM_KEYDOWN),
    NAMED(WM_KEYUP),     NAMED(WM_SYSKEYDOWN),  NAMED(WM_SYSKEYUP),    NAMED(WM_SYSCOMMAND),
    NAMED(WM_MOUSEMOVE), NAMED(WM_LBUTTONDOWN), NAMED(WM_MBUTTONDOWN), NAMED(WM_RBUTTONDOWN)};
std::string received;  // what the probe window got, as "NAME wParam lParam, " (hexadecimal)

int count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

LRESULT CALLBACK probeProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  char line[96];
  snprintf(line, sizeof line, "%s %lx %lx, ", kNames.at(message).c_str(), (unsigned long)wParam,
           (unsigned long)lParam);
  received += line;
  return DefWindowProcA(hWnd, message, wParam, lParam);
}

// A probe window, shown and with the keyboard, and a second connection to act on it as a user
// or a window manager would.
class Platform : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = probeProc;
    wc.lpszClassName = "Probe";
    ASSERT_TRUE(RegisterClassA(&wc));
    EXPECT_FALSE(RegisterClassA(&wc));  // a name is registered once
    EXPECT_FALSE(
        CreateWindowExA(0, "Unregistered", "", WS_POPUP, 0, 0, 9, 9, NULL, NULL, NULL, NULL));
    window = CreateWindowExA(0, "Probe", "Probe", WS_POPUP, 0, 0, 200, 150, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(window);
    EXPECT_FALSE(ShowWindow(window, SW_SHOW));  // it was not visible
    SetForegroundWindow(window);
    XSynchronize(x, True);                                     // each request done on return
    ASSERT_TRUE(receives("SIZE 0 9600c8, ACTIVATE 1 0, "));    // sized, then activated by showing
    EXPECT_TRUE(ShowWindow(window, SW_SHOW) && receives(""));  // shown already: not again
  }
  void TearDown() override {
    XCloseDisplay(x);
    // The handle goes with the window: a style set through it answers no previous one.
    EXPECT_TRUE(DestroyWindow(window) && !GetDC(window) && !SetWindowLongA(window, GWL_STYLE, 0));
    EXPECT_TRUE(UnregisterClassA("probe", NULL));  // in any letter case
  }
  // Messages taken from the queue as the program's loop takes them until `what` has come
  // `times` (or 20 s have passed), then those that a round trip shows were still on their way.
  std::string take(const std::string& what, int times) {
    auto pump = [] {
      MSG msg;
      while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    };
    waitFor(20, [&] { return pump(), count(received, what) >= times; });
    XSync(x, False);
    IsWindow(window);  // a round trip on the layer's own connection
    pump();
    return std::exchange(received, "");
  }
  // Whether exactly these messages come, once as many as these have come.
  testing::AssertionResult receives(const std::string& expected) {
    std::string got = take(", ", count(expected, ", "));
    return got == expected ? testing::AssertionSuccess()
                           : testing::AssertionFailure() << "received " << got;
  }
  Window id() { return (Window)(uintptr_t)window; }
  void sendToWindow(const char* type, const char* data) {
    XEvent e = {};
    e.xclient = {ClientMessage, 0, False, x, id(), XInternAtom(x, type, False), 32, {}};
    e.xclient.data.l[0] = (long)XInternAtom(x, data, False);
    XSendEvent(x, id(), False, 0, &e);
  }

  HWND window = NULL;
  Display* x = XOpenDisplay(nullptr);
};

// Keys by virtual-key code; Alt (and F10) makes system keys, Alt+F4 the close command and then
// WM_CLOSE; a held key repeats its key-down alone.
TEST_F(Platform, KeysBecomeVirtualKeyMessages) {
  xdotool("key Escape 7 F12 Left Return keydown shift key z keyup shift");
  EXPECT_TRUE(
      receives("KEYDOWN 1b 0, KEYUP 1b 0, KEYDOWN 37 0, KEYUP 37 0, KEYDOWN 7b 0, KEYUP 7b 0, "
               "KEYDOWN 25 0, KEYUP 25 0, KEYDOWN d 0, KEYUP d 0, KEYDOWN 10 0, KEYDOWN 5a 0, "
               "KEYUP 5a 0, KEYUP 10 0, "));
  xdotool("keydown alt key x keyup alt key F10 keydown alt key F4 keyup alt");
  EXPECT_TRUE(
      receives("SYSKEYDOWN 12 20000000, SYSKEYDOWN 58 20000000, SYSKEYUP 58 20000000, "
               "SYSKEYUP 12 20000000, SYSKEYDOWN 79 0, SYSKEYUP 79 0, SYSKEYDOWN 12 20000000, "
               "SYSKEYDOWN 73 20000000, SYSCOMMAND f060 0, CLOSE 0 0, SYSKEYUP 73 20000000, "
               "SYSKEYUP 12 20000000, "));
  xdotool("keydown a");
  std::string held = take("KEYDOWN 41", 3);
  xdotool("keyup a");
  held += take("KEYUP 41", 1);
  EXPECT_TRUE(std::regex_match(held, std::regex("(KEYDOWN 41 0, ){3,}KEYUP 41 0, "))) << held;
}

// Buttons carry the keys and buttons held and the position; the wheel and side buttons make
// no message. The cursor is invisible over our windows while its count is negative.
TEST_F(Platform, PointerBecomesMessagesAndTheCursorHides) {
  XWarpPointer(x, None, id(), 0, 0, 0, 0, 30, 40);
  EXPECT_TRUE(receives("MOUSEMOVE 0 28001e, "));
  xdotool("keydown ctrl click 2 click 1 click 4 click 5 click 8 keyup ctrl click 3");
  EXPECT_TRUE(
      receives("KEYDOWN 11 0, MBUTTONDOWN 18 28001e, LBUTTONDOWN 9 28001e, KEYUP 11 0, "
               "RBUTTONDOWN 2 28001e, "));
  auto visiblePixels = [&] {
    XFixesCursorImage* image = XFixesGetCursorImage(x);
    int visible = 0;
    for (int i = 0; i < image->width * image->height; ++i) visible += (image->pixels[i] >> 24) != 0;
    XFree(image);
    return visible;
  };
  // The layer's connection and ours reach the server separately: wait for it to change.
  auto shows = [&](bool visible) {
    return waitFor(20, [&] { return (visiblePixels() > 0) == visible; });
  };
  EXPECT_TRUE(shows(true));
  EXPECT_EQ(ShowCursor(FALSE), -1);
  EXPECT_TRUE(shows(false));
  EXPECT_EQ(ShowCursor(TRUE), 0);
  EXPECT_TRUE(shows(true));
}

TEST_F(Platform, WindowManagersCloseRequestMinimiseAndRestore) {
  sendToWindow("WM_PROTOCOLS", "WM_TAKE_FOCUS");
  sendToWindow("_NET_WM_STATE", "WM_DELETE_WINDOW");
  EXPECT_TRUE(receives(""));
  sendToWindow("WM_PROTOCOLS", "WM_DELETE_WINDOW");
  EXPECT_TRUE(receives("CLOSE 0 0, "));
  for (int i = 0; i < 2; ++i) {  // iconified and restored twice
    XUnmapWindow(x, id());
    EXPECT_TRUE(receives("ACTIVATE 10000 0, SIZE 1 0, "));
    XMapWindow(x, id());
    EXPECT_TRUE(receives("SIZE 0 9600c8, ACTIVATE 1 0, "));
  }
  XResizeWindow(x, id(), 300, 100);
  EXPECT_TRUE(receives("SIZE 0 64012c, "));
  // Only the top-most stacking is offered (HWND_TOP, NULL, is not).
  EXPECT_TRUE(SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, 0) &&
              !SetWindowPos(window, NULL, 0, 0, 0, 0, 0));
  XDestroyWindow(x, id());  // by another client: the handle goes once it is asked for
  EXPECT_FALSE(IsWindow(window) || GetDC(window));
  window = CreateWindowExA(0, "Probe", "Probe", WS_POPUP, 0, 0, 9, 9, NULL, NULL, NULL, NULL);
}

// A request of the layer's that fails outside any trap is written on stderr once, on the next
// pass, and the layer goes on. Inside a trap it is the trap's failure, and not written.
TEST_F(Platform, AnXErrorOutsideATrapIsWrittenAndEndsNothing) {
  testing::internal::CaptureStderr();
  {
    x11::ErrorTrap trap(x11::display());
    XMapWindow(x11::display(), 0x1ffffff0);  // no such window
    EXPECT_TRUE(trap.failed());
  }
  XMapWindow(x11::display(), 0x1ffffff0);
  XSync(x11::display(), False);
  xdotool("key Escape");
  EXPECT_TRUE(receives("KEYDOWN 1b 0, KEYUP 1b 0, "));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "X error: BadWindow (invalid Window parameter), request 8.0\n");
}

TEST_F(Platform, PixelFormatsAndContexts) {
  HDC dc = GetDC(window);
  ASSERT_EQ((HWND)dc, window);
  PIXELFORMATDESCRIPTOR pfd = {};
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.cColorBits = 24;
  pfd.cDepthBits = 16;
  int format = ChoosePixelFormat(dc, &pfd), count = 0;
  ASSERT_GT(format, 0);
  EXPECT_EQ(ChoosePixelFormat(NULL, &pfd), 0);  // no window
  PIXELFORMATDESCRIPTOR deep = pfd;
  deep.cDepthBits = 64;
  EXPECT_EQ(ChoosePixelFormat(dc, &deep), 0);    // none has such a depth buffer
  EXPECT_EQ(wglCreateContext(dc), (HGLRC)NULL);  // no format yet
  XFree(glXGetFBConfigs(x, DefaultScreen(x), &count));
  for (int f : {INT_MAX, count + 2, count + 1, -1, 0})
    EXPECT_FALSE(SetPixelFormat(dc, f, &pfd)) << f;
  ASSERT_TRUE(SetPixelFormat(dc, format, &pfd));
  EXPECT_FALSE(SetPixelFormat(dc, format, &pfd));  // set once
  HGLRC rc = wglCreateContext(dc);
  ASSERT_TRUE(rc && wglMakeCurrent(dc, rc));
  GLint depth = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depth);
  EXPECT_GE(depth, 16);
  // The swap interval is offered exactly when the driver has one of its two extensions.
  EXPECT_EQ(wglGetProcAddress("wglSwapIntervalEXT") != NULL,
            std::regex_search(glXQueryExtensionsString(x, DefaultScreen(x)),
                              std::regex("\\bGLX_(EXT|MESA)_swap_control\\b")));
  EXPECT_TRUE(SwapBuffers(dc) && wglMakeCurrent(NULL, NULL) && wglDeleteContext(rc));
  EXPECT_FALSE(wglDeleteContext(rc));
  EXPECT_EQ(ReleaseDC(window, dc), 1);
  for (uintptr_t id : {(uintptr_t)0, (uintptr_t)0x1fffffff, (uintptr_t)UINT_MAX + 5})
    EXPECT_FALSE(IsWindow((HWND)id)) << id;
}

// The registry's export format, as regedit writes it (UTF-16 with a byte-order mark, CRLF) and
// as a person would (UTF-8, LF), read through the registry calls.
TEST(Registry, ReadsStringValuesFromTheUsersExportFile) {
  std::string dir = shell("d=$(mktemp -d) && mkdir $d/dravik && printf %s $d");
  setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
  const std::string sub = "Software\\VB and VBA Program Settings\\VORTEQ\\Screensaver1",
                    v5 = "Windows Registry Editor Version 5.00\r\n\r\n",
                    key = "[HKEY_CURRENT_USER\\" + sub + "]", value = key + "\n\"ParentHWND\"=";
  auto utf16 = [](const std::string& s) {
    std::string out = "\xFF\xFE";
    for (char c : s) out += std::string(1, c) + '\0';
    return out;
  };
  // What the calls give: status, size, type, then the 8-byte buffer and 4 beyond it ('|': zero).
  const char* notFound = "2 8 0 ############";
  const std::pair<std::string, const char*> cases[] = {
      {v5 + key + "\r\n\"Other\"=[1]\r\n\"ParentHWND\"=\"12345\"\r\n", "0 6 1 12345|######"},
      {utf16(v5 + key + "\n\"parenthwnd\"=\"a\\\\b\\\"c\"\n"), "0 6 1 a\\b\"c|######"},
      // U+FFFD, then U+1F600 as the surrogate pair D83D DE00.
      {utf16(v5 + value + "\"") + std::string("\xFD\xFF\x3D\xD8\x00\xDE", 6) +
           utf16("\"\n").substr(2),
       "0 8 1 \xEF\xBF\xBD\xF0\x9F\x98\x80|####"},
      {"REGEDIT4\n" + value + "\"1\"\n" + value + "\"2\"\n", "0 2 1 2|##########"},  // the later
      {v5 + value + "\"123\"x\n", notFound},
      {v5 + value + "dword:0000007b\n", notFound},
      {v5 + value + "\n", notFound},
      {"not a registry file\n" + value + "\"1\"\n", notFound},
      {v5 + "[HKEY_CURRENT_USER\\Software\\Other]\n\"ParentHWND\"=\"1\"\n", notFound},
      {v5 + value + "\"123456789\"\n", "234 10 0 ############"}};  // 10 > 8 bytes
  for (const auto& [file, expected] : cases) {
    SCOPED_TRACE(file);
    std::ofstream(dir + "/dravik/registry.reg", std::ios::binary) << file;
    HKEY hkey = NULL;
    std::string buffer(8 + 4, '#');
    DWORD type = 0, size = 8;
    LSTATUS status = RegOpenKeyExA(HKEY_CURRENT_USER, sub.c_str(), 0, KEY_READ, &hkey);
    if (status == ERROR_SUCCESS) {
      status = RegQueryValueExA(hkey, "ParentHWND", NULL, &type, (LPBYTE)&buffer[0], &size);
      EXPECT_EQ(RegCloseKey(hkey), ERROR_SUCCESS);
    }
    std::replace(buffer.begin(), buffer.end(), '\0', '|');
    EXPECT_EQ(std::to_string(status) + " " + std::to_string(size) + " " + std::to_string(type) +
                  " " + buffer,
              expected);
  }
  BYTE buffer[8];
  DWORD size = sizeof buffer;
  EXPECT_NE(RegQueryValueExA((HKEY)buffer, "ParentHWND", NULL, NULL, buffer, &size), ERROR_SUCCESS);
  EXPECT_NE(RegCloseKey((HKEY)buffer), ERROR_SUCCESS);
  shell("rm -rf " + dir);
}

}  // namespace
