// The window and its context: every creation failure, the teardown, the window procedure.
#include "host/glwindow.h"
#include "tests/host/host_fixture.h"

namespace {

struct Failure {
  const char* call;
  const char* text;
};

const Failure kCreationFailures[] = {
    {"CreateWindowExA", "Window Creation Error."},
    {"GetDC", "Can't Create A GL Device Context."},
    {"ChoosePixelFormat", "Can't Find A Suitable PixelFormat."},
    {"SetPixelFormat", "Can't Set The PixelFormat."},
    {"wglCreateContext", "Can't Create A GL Rendering Context."},
    {"wglMakeCurrent", "Can't Activate The GL Rendering Context."},
};

const Failure kShutdownFailures[] = {
    {"wglMakeCurrent(NULL)", "Release Of DC And RC Failed."},
    {"wglDeleteContext", "Release Rendering Context Failed."},
    {"ReleaseDC", "Release Device Context Failed."},
    {"DestroyWindow", "Could Not Release hWnd."},
    {"UnregisterClassA", "Could Not Unregister Class."},
};

}  // namespace

using WindowTest = HostTest;

TEST_F(WindowTest, FailedClassRegistrationReportsAloneAndTearsNothingDown) {
  os().failing.insert("RegisterClassA");
  EXPECT_EQ(fake::runWinMain(""), 0);
  ASSERT_EQ(os().boxes.size(), 1u);
  EXPECT_EQ(os().boxes[0].text, "Failed To Register The Window Class.");
  EXPECT_EQ(os().boxes[0].caption, "ERROR");
  EXPECT_EQ(os().boxes[0].style, (UINT)(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_EQ(os().count("UnregisterClassA"), 0);
  EXPECT_EQ(os().count("CreateWindowExA"), 0);
}

TEST_F(WindowTest, EachLaterCreationFailureTearsDownFirstThenReports) {
  for (const Failure& f : kCreationFailures) {
    SetUp();
    os().failing.insert(f.call);
    EXPECT_EQ(fake::runWinMain("/s"), 0) << f.call;
    std::vector<fake::MessageBox> boxes = hostBoxes();
    ASSERT_EQ(boxes.size(), 1u) << f.call;
    EXPECT_EQ(boxes[0].text, f.text);
    EXPECT_EQ(boxes[0].caption, "ERROR");
    EXPECT_EQ(boxes[0].style, (UINT)(MB_OK | MB_ICONEXCLAMATION));
    // The class is unregistered (and the window gone) before the box appears.
    int unregister = indexOf("UnregisterClassA");
    ASSERT_GE(unregister, 0) << f.call;
    EXPECT_LT(unregister, indexOf("MessageBoxA")) << f.call;
    EXPECT_EQ(os().window, (HWND)NULL) << f.call;
    EXPECT_EQ(os().count("PeekMessageA"), 0) << f.call;
    EXPECT_EQ(hWnd, (HWND)NULL);
    EXPECT_EQ(hRC, (HGLRC)NULL);
  }
}

TEST_F(WindowTest, TeardownReleasesContextDeviceContextWindowClassInOrder) {
  os().postMessage(WM_QUIT, 0);
  fake::runWinMain("");
  int current = indexOf("wglMakeCurrent(NULL)");
  int context = indexOf("wglDeleteContext");
  int dc = indexOf("ReleaseDC");
  int window = indexOf("DestroyWindow");
  int cls = indexOf("UnregisterClassA");
  ASSERT_GE(current, 0);
  EXPECT_LT(current, context);
  EXPECT_LT(context, dc);
  EXPECT_LT(dc, window);
  EXPECT_LT(window, cls);
  EXPECT_TRUE(hostBoxes().empty());
}

TEST_F(WindowTest, EachFailedReleaseIsReportedAndTeardownGoesOn) {
  for (const Failure& f : kShutdownFailures) {
    SetUp();
    os().failing.insert(f.call);
    os().postMessage(WM_QUIT, 0);
    fake::runWinMain("");
    std::vector<fake::MessageBox> boxes = hostBoxes();
    ASSERT_EQ(boxes.size(), 1u) << f.call;
    EXPECT_EQ(boxes[0].text, f.text);
    EXPECT_EQ(boxes[0].caption, "SHUTDOWN ERROR");
    EXPECT_EQ(boxes[0].style, (UINT)(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(os().count("UnregisterClassA"), 1) << f.call;
    EXPECT_EQ(os().count("DestroyWindow"), 1) << f.call;
  }
}

TEST_F(WindowTest, FullScreenHidesTheCursorOnceAndGoesTopMost) {
  os().postMessage(WM_QUIT, 0);
  fake::runWinMain("");
  EXPECT_TRUE(fullscreen);
  EXPECT_EQ(os().cursorCount, -1);
  EXPECT_EQ(os().count("SetWindowPos"), 1);
  EXPECT_EQ(os().count("SetParent"), 0);
}

TEST_F(WindowTest, PreviewBecomesAChildOfTheParentAndKeepsTheCursor) {
  os().parentHwndValue = "777";
  os().foreignWindows.insert((HWND)777);
  os().postMessage(WM_QUIT, 0);
  fake::runWinMain("");
  EXPECT_FALSE(fullscreen);
  EXPECT_EQ(os().cursorCount, 0);
  EXPECT_EQ(os().count("SetParent"), 1);
  EXPECT_EQ(os().count("SetWindowLongA"), 1);
  EXPECT_EQ(os().count("SetWindowPos"), 0);
}

TEST_F(WindowTest, ProjectionIsSetOnceTheContextIsCurrentNotBefore) {
  // The double sends a WM_SIZE from inside CreateWindowExA, before any context exists.
  os().postMessage(WM_QUIT, 0);
  fake::runWinMain("");
  ASSERT_GE(indexOf("WM_SIZE sent"), 0);
  std::vector<fake::GlCall> viewports = fake::glCallsNamed("glViewport");
  ASSERT_EQ(viewports.size(), 1u);
  EXPECT_EQ(viewports[0].args, (std::vector<double>{0, 0, 640, 480}));
  std::vector<fake::GlCall> perspective = fake::glCallsNamed("gluPerspective");
  ASSERT_EQ(perspective.size(), 1u);
  EXPECT_EQ(perspective[0].args[0], 45.0);
  EXPECT_EQ(perspective[0].args[1], 640.0 / 480.0);
  EXPECT_EQ(perspective[0].args[2], (double)0.1f);
  EXPECT_EQ(perspective[0].args[3], 100.0);
}

TEST_F(WindowTest, SizeMessagesResizeAndAZeroHeightCountsAsOne) {
  hRC = (HGLRC)1;
  WndProc(NULL, WM_SIZE, 0, (LPARAM)((0 << 16) | 800));
  WndProc(NULL, WM_SIZE, 0, (LPARAM)((0xFFFFu << 16) | 0xFFFFu));
  std::vector<fake::GlCall> viewports = fake::glCallsNamed("glViewport");
  ASSERT_EQ(viewports.size(), 2u);
  EXPECT_EQ(viewports[0].args, (std::vector<double>{0, 0, 800, 1}));
  EXPECT_EQ(viewports[1].args, (std::vector<double>{0, 0, 65535, 65535}));  // unsigned words
}

TEST_F(WindowTest, KeysActivationAndSystemCommands) {
  EXPECT_EQ(WndProc(NULL, WM_KEYDOWN, 'A', 0), 0);
  EXPECT_TRUE(keys['A']);
  WndProc(NULL, WM_KEYUP, 'A', 0);
  EXPECT_FALSE(keys['A']);
  WndProc(NULL, WM_KEYDOWN, 0x1234, 0);  // out of the table's range: ignored, no stray write
  WndProc(NULL, WM_KEYUP, (WPARAM)-1, 0);

  WndProc(NULL, WM_ACTIVATE, WA_INACTIVE | (1 << 16), 0);  // minimised
  EXPECT_FALSE(active);
  WndProc(NULL, WM_ACTIVATE, WA_INACTIVE, 0);  // deactivated but visible
  EXPECT_TRUE(active);

  EXPECT_EQ(WndProc(NULL, WM_SYSCOMMAND, SC_MONITORPOWER, 2), 0);
  EXPECT_EQ(os().count("DefWindowProcA"), 0);
  WndProc(NULL, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
  WndProc(NULL, WM_SYSKEYDOWN, VK_MENU, 0);
  EXPECT_EQ(os().count("DefWindowProcA"), 2);
  EXPECT_FALSE(keys[VK_MENU]);

  WndProc(NULL, WM_CLOSE, 0, 0);
  ASSERT_EQ(os().queue.size(), 1u);
  EXPECT_EQ(os().queue.front().message, (UINT)WM_QUIT);
  EXPECT_EQ(os().queue.front().wParam, 0u);
}
