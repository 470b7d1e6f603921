// The window and its context: what start-up asks of the platform in which order, every creation
// failure, the teardown and its failures, and the window procedure.
#include "host/glwindow.h"
#include "tests/host/host_test.h"

namespace {

// The calls up to the first look at the message queue, each followed by " | ", without reading
// the pictures (whether found or not).
std::string startUp(const fake::Platform& os) {
  std::string out;
  for (int i = 0; i <= os.indexOf("PeekMessageA"); ++i)
    if (os.calls[i].rfind("MessageBoxA", 0) && os.calls[i].rfind("Global", 0))
      out += os.calls[i] + " | ";
  return out;
}

const std::string kClass =
    "GetModuleHandleA(NULL) | RegOpenKeyExA(0x80000001,Software\\VB and VBA Program Settings\\"
    "VORTEQ\\Screensaver1,0,0x20019) | RegQueryValueExA(0x4500001,ParentHWND,0x0,10000) | "
    "RegCloseKey(0x4500001) | GetModuleFileNameA(0x0,260) | _chdir(/opt/dravik/) | "
    "GetSystemMetrics(0) | GetSystemMetrics(1) | EnumDisplaySettingsA(NULL,-1,0) | "
    "GetModuleHandleA(NULL) | LoadIconA(0x0,32517) | LoadCursorA(0x0,32512) | RegisterClassA("
    "0x23,WndProc,0,0,0x400000,0x7,0x8,0x0,NULL,QuennelScreensaver) | ";
const std::string kContextShownProjectionTextures =
    "GetDC(0x4200001) | ChoosePixelFormat(0x4300001,pfd 40 1 0x25 0 24 16 0 0) | SetPixelFormat("
    "0x4300001,3,pfd 40 1 0x25 0 24 16 0 0) | wglCreateContext(0x4300001) | wglMakeCurrent("
    "0x4300001,0x4400001) | ShowWindow(0x4200001,5) | SetForegroundWindow(0x4200001) | SetFocus("
    "0x4200001) | glViewport(0,0,640,480) | glMatrixMode(5889) | glLoadIdentity() | gluPerspective("
    "45,1.33333333,0.100000001,100) | glMatrixMode(5888) | glLoadIdentity() | glGenTextures(1) | ";

}  // namespace

using WindowTest = HostTest;

TEST_F(WindowTest, StartUpBuildsClassWindowContextThenShowsProjectsAndLoadsInOrder) {
  // Full screen: top-most, no cursor, paced; preview: a child of the parent, with the cursor. The
  // driver offers no wglSwapIntervalEXT, so none is called.
  const struct {
    std::optional<std::string> parent;
    std::string window, end;
  } runs[] = {
      {std::nullopt,
       "ShowCursor(0) | AdjustWindowRectEx(0,0,640,480,0x80000000,0,0x40000) | CreateWindowExA("
       "0x40000,QuennelScreensaver,Dravik Screensaver,0x86000000,0,0,640,480,0x0,0x0,0x400000,0x0"
       ") | ",
       "SetWindowPos(0x4200001,-1,0,0,200,100,0x1b) | wglGetProcAddress(wglSwapIntervalEXT) | "
       "timeBeginPeriod(1) | PeekMessageA(0x0,0,0,1) | "},
      {"777",
       "AdjustWindowRectEx(0,0,640,480,0xcf0000,0,0x40100) | CreateWindowExA(0x40100,Quennel"
       "Screensaver,Dravik Screensaver,0x6cf0000,0,0,656,519,0x0,0x0,0x400000,0x0) | SetParent("
       "0x4200001,0x309) | SetWindowLongA(0x4200001,-16,0x52000000) | ",
       "wglGetProcAddress(wglSwapIntervalEXT) | timeBeginPeriod(1) | IsWindow(0x309) | "
       "PeekMessageA(0x0,0,0,1) | "}};
  for (const auto& run : runs) {
    fake::reset();
    os().parentHwndValue = run.parent;
    os().foreignWindows.insert((HWND)777);
    os().postMessage(WM_QUIT);
    fake::runWinMain("");
    std::string got = startUp(os()), start = kClass + run.window + kContextShownProjectionTextures;
    EXPECT_EQ(got.substr(0, start.size()), start);
    EXPECT_EQ(got.substr(got.size() - std::min(got.size(), run.end.size())), run.end);
    EXPECT_EQ(os().count("ShowCursor") + os().count("SetWindowPos"), run.parent ? 0 : 2);
  }
}

// Each failure tears down what was built, then shows its box alone; the display query's comes
// before anything is built.
TEST_F(WindowTest, EachCreationFailureTearsDownFirstThenReportsAlone) {
  // clang-format off
  const std::tuple<const char*, const char*, int> failures[] = {
      {"EnumDisplaySettingsA", "Error: Could Not Enumerate Display Settings 0", 0},
      {"RegisterClassA", "ERROR: Failed To Register The Window Class. 48", 1},
      {"CreateWindowExA", "ERROR: Window Creation Error. 48", 3},
      {"GetDC", "ERROR: Can't Create A GL Device Context. 48", 3},
      {"ChoosePixelFormat", "ERROR: Can't Find A Suitable PixelFormat. 48", 3},
      {"SetPixelFormat", "ERROR: Can't Set The PixelFormat. 48", 3},
      {"wglCreateContext", "ERROR: Can't Create A GL Rendering Context. 48", 3},
      {"wglMakeCurrent", "ERROR: Can't Activate The GL Rendering Context. 48", 3}};
  // clang-format on
  for (auto [call, box, classCalls] : failures) {
    SCOPED_TRACE(call);
    fake::reset();
    os().failing.insert(call);
    EXPECT_EQ(fake::runWinMain("/s"), 0);
    EXPECT_EQ(hostBoxes(), box + std::string(" | "));
    EXPECT_EQ(os().count("RegisterClassA") + os().count("UnregisterClassA") +
                  os().count("CreateWindowExA"),
              classCalls);
    EXPECT_LT(os().indexOf("UnregisterClassA"), os().indexOf("MessageBoxA"));
    EXPECT_EQ(os().window, (HWND)NULL);  // gone before the box
    EXPECT_EQ(os().count("PeekMessageA") + os().count("glViewport"), 0);
    EXPECT_TRUE(hWnd == NULL && hDC == NULL && hRC == NULL);
  }
}

// Without failures nothing is reported (loop_test.cpp): each failed release shows its box.
TEST_F(WindowTest, TeardownReleasesInOrderAndReportsEachFailedReleaseThenGoesOn) {
  const std::pair<const char*, const char*> failures[] = {
      {"wglMakeCurrent(NULL)", "Release Of DC And RC Failed."},
      {"wglDeleteContext", "Release Rendering Context Failed."},
      {"ReleaseDC", "Release Device Context Failed."},
      {"DestroyWindow", "Could Not Release hWnd."},
      {"UnregisterClassA", "Could Not Unregister Class."}};
  for (auto [call, text] : failures) {
    SCOPED_TRACE(call);
    fake::reset();
    os().failing.insert(call);
    os().postMessage(WM_QUIT);
    fake::runWinMain("");
    EXPECT_EQ(callsOf({"wglMakeCurrent", "wglDeleteContext", "ReleaseDC", "DestroyWindow",
                       "UnregisterClassA"}),
              "wglMakeCurrent(0x4300001,0x4400001) | wglMakeCurrent(0x0,0x0) | "
              "wglDeleteContext(0x4400001) | ReleaseDC(0x4200001,0x4300001) | "
              "DestroyWindow(0x4200001) | UnregisterClassA(QuennelScreensaver,0x400000) | ");
    EXPECT_EQ(hostBoxes(), "SHUTDOWN ERROR: " + std::string(text) + " 64 | ");
  }
}

TEST_F(WindowTest, WindowProcedureKeepsKeysActivityAndProjection) {
  EXPECT_EQ(WndProc(NULL, WM_KEYDOWN, 'A', 0), 0);
  EXPECT_TRUE(keys['A']);
  WndProc(NULL, WM_KEYUP, 'A', 0);
  EXPECT_FALSE(keys['A']);
  WndProc(NULL, WM_ACTIVATE, WA_INACTIVE | (1 << 16), 0);  // minimised
  EXPECT_FALSE(active);
  WndProc(NULL, WM_ACTIVATE, WA_INACTIVE, 0);  // deactivated but visible
  EXPECT_TRUE(active);

  WndProc(NULL, WM_SIZE, 0, MAKELPARAM(800, 600));  // before the context: nothing
  hRC = fake::RC;
  WndProc(NULL, WM_SIZE, 0, MAKELPARAM(800, 0));
  WndProc(NULL, WM_SIZE, 0, MAKELPARAM(0xFFFF, 0xFFFF));  // unsigned words
  EXPECT_EQ(callsOf({"glViewport", "gluPerspective"}),
            "glViewport(0,0,800,1) | gluPerspective(45,800,0.100000001,100) | "
            "glViewport(0,0,65535,65535) | gluPerspective(45,1,0.100000001,100) | ");

  EXPECT_EQ(WndProc(NULL, WM_SYSCOMMAND, SC_MONITORPOWER, 2), 0);  // swallowed
  WndProc(NULL, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
  WndProc(NULL, WM_SYSKEYDOWN, VK_MENU, 0);
  EXPECT_EQ(callsOf({"DefWindowProcA"}),
            "DefWindowProcA(0x112,0xf140) | DefWindowProcA(0x104,0x12) | ");
  EXPECT_FALSE(keys[VK_MENU]);
  WndProc(NULL, WM_CLOSE, 0, 0);
  EXPECT_EQ(callsOf({"PostQuitMessage", "DestroyWindow"}), "PostQuitMessage(0) | ");
}
