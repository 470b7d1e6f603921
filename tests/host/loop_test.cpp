// The main loop: every stop condition with its exit code and the frames drawn and presented,
// and time as the frames see it.
#include <functional>

#include "host/glwindow.h"
#include "scene/sequencer.h"
#include "tests/host/host_test.h"

namespace {

// Not messages: the cursor moves by wParam pixels; the parent window, and ours with it, is gone.
const UINT kMoveCursor = 0x10001, kParentGone = 0x10002;

struct Event {
  int frame;  // after this frame is presented; 0: before the run
  UINT message;
  WPARAM wParam;
};

struct Stop {
  int exitCode, presented, drawn;
  const char* name;
  std::vector<Event> script;
  const char* parent = nullptr;  // the setting; 777 exists until kParentGone
};

const int kButtons = MK_LBUTTON | MK_SHIFT | MK_MBUTTON;

// clang-format off
const Stop kStops[] = {
    {0, 3, 3, "WM_QUIT", {{3, WM_QUIT, 0}}},
    {kButtons, 2, 2, "left button", {{2, WM_LBUTTONDOWN, kButtons}}},
    {kButtons, 2, 2, "middle button", {{2, WM_MBUTTONDOWN, kButtons}}},
    {2, 2, 2, "right button", {{2, WM_RBUTTONDOWN, 2}}},
    {VK_ESCAPE, 2, 3, "Escape held: drawn, not presented", {{2, WM_KEYDOWN, VK_ESCAPE}}},
    {VK_ESCAPE, 2, 3, "Escape tapped: down and up before the next empty pass",
     {{2, WM_KEYDOWN, VK_ESCAPE}, {2, WM_KEYUP, VK_ESCAPE}}},
    {0, 4, 4, "one pixel of movement: that frame is still presented", {{3, kMoveCursor, 1}}},
    {'A', 4, 4, "movement after a key: the last message's wParam",
     {{1, WM_KEYDOWN, 'A'}, {2, WM_KEYUP, 'A'}, {3, kMoveCursor, 1}}},
    {0, 1, 1, "moved during start-up", {{0, kMoveCursor, 1}}},
    {0, 4, 4, "parent vanishes: that pass completes", {{3, kParentGone, 0}}, "777"},
    {0, 1, 1, "parent never existed", {}, "778"},
    {0, 6, 6, "other input goes on", {{1, WM_LBUTTONUP, 'B'}, {2, WM_MOUSEWHEEL, 'B'},
                                      {3, WM_KEYDOWN, 'B'}, {4, WM_SYSKEYDOWN, 'B'}, {6, WM_QUIT, 0}}}};
// clang-format on

void play(fake::Platform& os, const Event& e) {
  if (e.message == kMoveCursor)
    os.cursor.x += (LONG)e.wParam;
  else if (e.message == kParentGone)
    os.foreignWindows.clear(), os.window = NULL;  // a child window goes with its parent
  else
    os.postMessage(e.message, e.wParam);
}

}  // namespace

using LoopTest = HostTest;

TEST_F(LoopTest, EachStopConditionEndsWithItsExitCodeAfterItsFrames) {
  for (const Stop& s : kStops) {
    SCOPED_TRACE(s.name);
    fake::reset();
    if (s.parent) os().parentHwndValue = s.parent;
    os().foreignWindows.insert((HWND)777);
    auto playFrame = [&](int frame) {
      for (const Event& e : s.script)
        if (e.frame == frame) play(os(), e);
    };
    playFrame(0);
    os().onSwapBuffers = [&] { playFrame(os().swaps); };
    EXPECT_EQ(fake::runWinMain(""), s.exitCode);
    EXPECT_EQ(os().swaps, s.presented);
    EXPECT_EQ(os().count("glClear("), s.drawn);
    // Stop messages are never dispatched; a release and the wheel are.
    EXPECT_EQ(os().count("DispatchMessageA(0x20") + os().count("DispatchMessageA(0x12)"),
              std::string(s.name) == "other input goes on" ? 2 : 0);
    // A window gone with its parent is not released again; no release fails.
    bool gone = s.script.size() && s.script[0].message == kParentGone;
    EXPECT_EQ(os().count("ReleaseDC") + os().count("DestroyWindow"), gone ? 0 : 2);
    EXPECT_EQ(os().count("UnregisterClassA") + os().count("CreateWindowExA"), 2);
    EXPECT_TRUE(hostBoxes().empty());
  }
  EXPECT_TRUE(keys['B']);
}

TEST_F(LoopTest, MinimisedWindowSwapsWithoutDrawingAndTheNextFrameGetsTheWholeTime) {
  os().onSwapBuffers = [this] {
    fake::advanceClock(1.0);  // one second per pass
    if (os().swaps == 1) os().postMessage(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1));
    if (os().swaps == 4) os().postMessage(WM_ACTIVATE, WA_ACTIVE);
    if (os().swaps == 5) os().postMessage(WM_QUIT, 0);
  };
  fake::runWinMain("");
  EXPECT_EQ(os().swaps, 5);
  EXPECT_EQ(os().count("glClear("), 2);
  // The first frame follows the end of loading at once; the one after restoring takes the four
  // seconds since then as its one step.
  EXPECT_FLOAT_EQ(animmodetime, 4.0f);
}

// Frames that take no time are presented at the display's pace (75 Hz here), waited for to the
// millisecond below; after a slow frame the next slots count from it, with no frames that catch up.
TEST_F(LoopTest, FramesArePresentedAtTheDisplaysPaceAndASlowOneIsNotCaughtUp) {
  os().refreshRate = 1;  // "the hardware's default": 60 Hz
  os().onSwapBuffers = [this] {
    if (os().swaps == 2) os().postMessage(WM_QUIT, 0);
  };
  fake::runWinMain("");
  EXPECT_EQ(os().count("Sleep(16)"), 1);

  fake::reset();
  os().refreshRate = 75;
  os().swapControl = true;
  std::vector<long long> presented;
  os().onSwapBuffers = [&] {
    presented.push_back(fake::clockNow());
    if (os().swaps == 30) fake::advanceClock(0.1);  // the next frame is slow
    if (os().swaps == 75) os().postMessage(WM_QUIT, 0);
  };
  fake::runWinMain("");
  EXPECT_LT(os().indexOf("wglMakeCurrent"), os().indexOf("wglSwapIntervalEXT(1)"));
  EXPECT_LT(os().indexOf("wglSwapIntervalEXT(1)"), os().indexOf("SwapBuffers"));
  EXPECT_EQ(os().count("timeEndPeriod(1)"), 1);
  const long long interval = fake::CLOCK_FREQUENCY / 75, ms = fake::CLOCK_FREQUENCY / 1000;
  for (size_t i = 1; i < presented.size(); ++i) {
    long long gap = presented[i] - presented[i - 1];
    EXPECT_GT(gap, interval - ms) << "frame " << i;
    EXPECT_LT(gap, i == 30 ? 100 * ms + interval : interval + ms) << "frame " << i;
  }
  EXPECT_NEAR(presented[74] - presented[30], 44 * interval, ms);  // whole slots after it
}

TEST_F(LoopTest, LogoPhaseStartsInTheFrameThatReachesFifteenSeconds) {
  for (int frames : {60, 61}) {
    fake::reset();
    os().onSwapBuffers = [this, frames] {
      fake::advanceClock(0.25);
      if (os().swaps == frames) os().postMessage(WM_QUIT, 0);
    };
    fake::runWinMain("");
    // The first frame has a zero step, so the 61st is the one that reaches 15 s.
    EXPECT_EQ(animmode, frames == 60 ? 0 : 1);
    EXPECT_FLOAT_EQ(animmodetime, frames == 60 ? 14.75f : 0.0f);
  }
}
