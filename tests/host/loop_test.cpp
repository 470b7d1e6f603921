// The main loop: every stop condition with its exit code and the frames drawn and presented,
// and time as the frames see it.
#include <tuple>

#include "host/glwindow.h"
#include "scene/sequencer.h"
#include "tests/host/host_test.h"

namespace {

// Not messages: the cursor moves by wParam pixels; the parent window, and ours with it, is gone.
const UINT kMoveCursor = 0x10001, kParentGone = 0x10002;
const int kButtons = MK_LBUTTON | MK_SHIFT | MK_MBUTTON;

// After this frame is presented (0: before the run), this message with this wParam arrives.
using Event = std::tuple<int, UINT, WPARAM>;

struct Stop {
  int exitCode, presented, drawn;
  const char* name;
  std::vector<Event> script;
  const char* parent = nullptr;  // the setting; 777 exists until kParentGone
};

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

}  // namespace

using LoopTest = HostTest;

TEST_F(LoopTest, EachStopConditionEndsWithItsExitCodeAfterItsFrames) {
  for (const Stop& s : kStops) {
    SCOPED_TRACE(s.name);
    fake::reset();
    if (s.parent) os().parentHwndValue = s.parent;
    os().foreignWindows.insert((HWND)777);
    auto play = [&](int frame) {
      for (auto [at, message, wParam] : s.script) {
        if (at != frame) continue;
        if (message == kMoveCursor) os().cursor.x += (LONG)wParam;
        if (message == kParentGone) os().foreignWindows.clear(), os().window = NULL;
        if (message < kMoveCursor) os().postMessage(message, wParam);
      }
    };
    play(0);
    os().onSwapBuffers = [&] { play(os().swaps); };
    EXPECT_EQ(fake::runWinMain(""), s.exitCode);
    EXPECT_EQ(os().swaps, s.presented);
    EXPECT_EQ(os().count("glClear("), s.drawn);
    // Stop messages are never dispatched; a release and the wheel are.
    EXPECT_EQ(os().count("DispatchMessageA(0x20") + os().count("DispatchMessageA(0x12)"),
              std::string(s.name) == "other input goes on" ? 2 : 0);
    // A child window goes with its parent and is not released again; no release fails.
    bool gone = s.script.size() && std::get<1>(s.script[0]) == kParentGone;
    EXPECT_EQ(os().count("ReleaseDC") + os().count("DestroyWindow"), gone ? 0 : 2);
    EXPECT_EQ(os().count("UnregisterClassA") + os().count("CreateWindowExA"), 2);
    EXPECT_EQ(hostBoxes(), "");
  }
  EXPECT_TRUE(keys['B']);
}

// One second per pass; the first frame follows the end of loading at once, the one after restoring
// takes the four seconds since then as its one step.
TEST_F(LoopTest, MinimisedWindowSwapsWithoutDrawingAndTheNextFrameGetsTheWholeTime) {
  os().onSwapBuffers = [this] {
    fake::advanceClock(1.0);
    if (os().swaps == 1) os().postMessage(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1));
    if (os().swaps == 4) os().postMessage(WM_ACTIVATE, WA_ACTIVE);
  };
  os().quitAfter = 5;
  fake::runWinMain("");
  EXPECT_EQ(os().swaps, 5);
  EXPECT_EQ(os().count("glClear("), 2);
  EXPECT_FLOAT_EQ(animmodetime, 4.0f);
}

// Frames that take no time are presented at the display's pace (75 Hz here; 60 Hz for "the
// hardware's default", 1), waited for to the millisecond below; after a slow frame the next slots
// count from it, with no frames that catch up.
TEST_F(LoopTest, FramesArePresentedAtTheDisplaysPaceAndASlowOneIsNotCaughtUp) {
  os().refreshRate = 1;
  os().quitAfter = 2;
  fake::runWinMain("");
  EXPECT_EQ(os().count("Sleep(16)"), 1);

  fake::reset();
  os().refreshRate = 75;
  os().swapControl = true;
  std::vector<long long> presented;
  os().onSwapBuffers = [&] {
    presented.push_back(fake::clockNow());
    if (os().swaps == 30) fake::advanceClock(0.1);  // the next frame is slow
  };
  os().quitAfter = 75;
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

// The first frame has a zero step, so the 61st is the one that reaches 15 s.
TEST_F(LoopTest, LogoPhaseStartsInTheFrameThatReachesFifteenSeconds) {
  for (int frames : {60, 61}) {
    fake::reset();
    os().onSwapBuffers = [] { fake::advanceClock(0.25); };
    os().quitAfter = frames;
    fake::runWinMain("");
    EXPECT_EQ(animmode, frames == 60 ? 0 : 1);
    EXPECT_FLOAT_EQ(animmodetime, frames == 60 ? 14.75f : 0.0f);
  }
}
