// The window and its context: what start-up asks of the platform in which order, every creation
// failure, the teardown and its failures, and the window procedure.
#include "host/glwindow.h"
#include "tests/host/host_test.h"

namespace {

using Calls = std::vector<std::string>;

// The calls from the display query to the first look at the message queue, without reading
// the pictures (whether found or not).
Calls startUp(fake::Platform& os) {
  int from = os.indexOf("GetSystemMetrics"), to = os.indexOf("PeekMessageA");
  Calls out;
  for (int i = from; i >= 0 && i <= to; ++i)
    if (os.calls[i].rfind("MessageBoxA", 0) && os.calls[i].rfind("Global", 0))
      out.push_back(os.calls[i]);
  return out;
}

Calls concat(std::initializer_list<Calls> parts) {
  Calls out;
  for (const Calls& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

const Calls kClass = {
    "GetSystemMetrics(0)",
    "GetSystemMetrics(1)",
    "EnumDisplaySettingsA(NULL,-1,0)",
    "GetModuleHandleA(NULL)",
    "LoadIconA(0x0,32517)",
    "LoadCursorA(0x0,32512)",
    "RegisterClassA(0x23,WndProc,0,0,0x400000,0x7,0x8,0x0,NULL,QuennelScreensaver)"};
const std::string kPfd = "pfd 40 1 0x25 0 24 16 0 0";
const Calls kContextShownProjectionTextures = {"GetDC(0x4200001)",
                                               "ChoosePixelFormat(0x4300001," + kPfd + ")",
                                               "SetPixelFormat(0x4300001,3," + kPfd + ")",
                                               "wglCreateContext(0x4300001)",
                                               "wglMakeCurrent(0x4300001,0x4400001)",
                                               "ShowWindow(0x4200001,5)",
                                               "SetForegroundWindow(0x4200001)",
                                               "SetFocus(0x4200001)",
                                               "glViewport(0,0,640,480)",
                                               "glMatrixMode(5889)",
                                               "glLoadIdentity()",
                                               "gluPerspective(45,1.33333333,0.100000001,100)",
                                               "glMatrixMode(5888)",
                                               "glLoadIdentity()",
                                               "glGenTextures(1)"};

}  // namespace

using WindowTest = HostTest;

TEST_F(WindowTest, StartUpBuildsClassWindowContextThenShowsProjectsAndLoadsInOrder) {
  os().postMessage(WM_QUIT);
  fake::runWinMain("");
  Calls fullScreen = concat(
      {kClass,
       {"ShowCursor(0)", "AdjustWindowRectEx(0,0,640,480,0x80000000,0,0x40000)",
        "CreateWindowExA(0x40000,QuennelScreensaver,Dravik Screensaver,0x86000000,0,0,640,480,"
        "0x0,0x0,0x400000,0x0)"},
       kContextShownProjectionTextures});
  Calls got = startUp(os());
  ASSERT_GT(got.size(), fullScreen.size());
  EXPECT_EQ(Calls(got.begin(), got.begin() + fullScreen.size()), fullScreen);
  EXPECT_EQ(
      Calls(got.end() - 4, got.end()),
      (Calls{"SetWindowPos(0x4200001,-1,0,0,200,100,0x1b)", "wglGetProcAddress(wglSwapIntervalEXT)",
             "timeBeginPeriod(1)", "PeekMessageA(0x0,0,0,1)"}));

  fake::reset();  // preview: a child of the parent, with the cursor, not top-most
  os().parentHwndValue = "777";
  os().foreignWindows.insert((HWND)777);
  os().postMessage(WM_QUIT);
  fake::runWinMain("");
  Calls preview = concat(
      {kClass,
       {"AdjustWindowRectEx(0,0,640,480,0xcf0000,0,0x40100)",
        "CreateWindowExA(0x40100,QuennelScreensaver,Dravik Screensaver,0x6cf0000,0,0,656,519,"
        "0x0,0x0,0x400000,0x0)",
        "SetParent(0x4200001,0x309)", "SetWindowLongA(0x4200001,-16,0x52000000)"},
       kContextShownProjectionTextures});
  got = startUp(os());
  ASSERT_GT(got.size(), preview.size());
  EXPECT_EQ(Calls(got.begin(), got.begin() + preview.size()), preview);
  EXPECT_EQ(Calls(got.end() - 2, got.end()), (Calls{"IsWindow(0x309)", "PeekMessageA(0x0,0,0,1)"}));
  EXPECT_EQ(os().count("wglSwapIntervalEXT"), 0);  // not offered by this driver
  EXPECT_EQ(os().count("ShowCursor") + os().count("SetWindowPos"), 0);
}

TEST_F(WindowTest, EachCreationFailureTearsDownFirstThenReportsAlone) {
  const std::pair<const char*, const char*> failures[] = {
      {"RegisterClassA", "Failed To Register The Window Class."},
      {"CreateWindowExA", "Window Creation Error."},
      {"GetDC", "Can't Create A GL Device Context."},
      {"ChoosePixelFormat", "Can't Find A Suitable PixelFormat."},
      {"SetPixelFormat", "Can't Set The PixelFormat."},
      {"wglCreateContext", "Can't Create A GL Rendering Context."},
      {"wglMakeCurrent", "Can't Activate The GL Rendering Context."}};
  for (auto [call, text] : failures) {
    SCOPED_TRACE(call);
    fake::reset();
    os().failing.insert(call);
    EXPECT_EQ(fake::runWinMain("/s"), 0);
    EXPECT_EQ(hostBoxes(), Calls{"ERROR: " + std::string(text) + " 48"});
    bool registered = call != std::string("RegisterClassA");
    EXPECT_EQ(os().count("UnregisterClassA"), registered ? 1 : 0);
    EXPECT_LT(os().indexOf("UnregisterClassA"), os().indexOf("MessageBoxA"));
    EXPECT_EQ(os().count("CreateWindowExA"), registered ? 1 : 0);
    EXPECT_EQ(os().window, (HWND)NULL);  // gone before the box
    EXPECT_EQ(os().count("PeekMessageA") + os().count("glViewport"), 0);
    EXPECT_TRUE(hWnd == NULL && hDC == NULL && hRC == NULL);
  }
}

TEST_F(WindowTest, TeardownReleasesInOrderAndReportsEachFailedReleaseThenGoesOn) {
  const std::pair<const char*, const char*> failures[] = {
      {"", nullptr},
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
    Calls got = callsOf(
        {"wglMakeCurrent", "wglDeleteContext", "ReleaseDC", "DestroyWindow", "UnregisterClassA"});
    EXPECT_EQ(Calls(got.begin() + 1, got.end()),
              (Calls{"wglMakeCurrent(0x0,0x0)", "wglDeleteContext(0x4400001)",
                     "ReleaseDC(0x4200001,0x4300001)", "DestroyWindow(0x4200001)",
                     "UnregisterClassA(QuennelScreensaver,0x400000)"}));
    EXPECT_EQ(hostBoxes(), text ? Calls{"SHUTDOWN ERROR: " + std::string(text) + " 64"} : Calls{});
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
            (Calls{"glViewport(0,0,800,1)", "gluPerspective(45,800,0.100000001,100)",
                   "glViewport(0,0,65535,65535)", "gluPerspective(45,1,0.100000001,100)"}));

  EXPECT_EQ(WndProc(NULL, WM_SYSCOMMAND, SC_MONITORPOWER, 2), 0);  // swallowed
  WndProc(NULL, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
  WndProc(NULL, WM_SYSKEYDOWN, VK_MENU, 0);
  EXPECT_EQ(callsOf({"DefWindowProcA"}),
            (Calls{"DefWindowProcA(0x112,0xf140)", "DefWindowProcA(0x104,0x12)"}));
  EXPECT_FALSE(keys[VK_MENU]);
  WndProc(NULL, WM_CLOSE, 0, 0);
  EXPECT_EQ(callsOf({"PostQuitMessage", "DestroyWindow"}), Calls{"PostQuitMessage(0)"});
}
