// The main loop: every stop condition with its exit code and the frames drawn and presented,
// and time as the frames see it.
#include <functional>

#include "host/glwindow.h"
#include "scene/sequencer.h"
#include "tests/host/host_test.h"

namespace {

struct Stop {
  const char* name;
  std::function<void(fake::Platform&)> script;  // sets up the run, e.g. input after frame n
  int exitCode, presented, drawn;
};

// Runs `then` once frame n has been presented.
void after(fake::Platform& os, int n, std::function<void()> then) {
  os.onSwapBuffers = [&os, n, then] {
    if (os.swaps == n) then();
  };
}

const int kButtons = MK_LBUTTON | MK_SHIFT | MK_MBUTTON;

const Stop kStops[] = {
    {"WM_QUIT", [](auto& os) { after(os, 3, [&] { os.postMessage(WM_QUIT, 0); }); }, 0, 3, 3},
    {"left button",
     [](auto& os) { after(os, 2, [&] { os.postMessage(WM_LBUTTONDOWN, kButtons); }); }, kButtons, 2,
     2},
    {"middle button",
     [](auto& os) { after(os, 2, [&] { os.postMessage(WM_MBUTTONDOWN, kButtons); }); }, kButtons, 2,
     2},
    {"right button", [](auto& os) { after(os, 2, [&] { os.postMessage(WM_RBUTTONDOWN, 2); }); }, 2,
     2, 2},
    {"Escape held: drawn, not presented",
     [](auto& os) { after(os, 2, [&] { os.postMessage(WM_KEYDOWN, VK_ESCAPE); }); }, VK_ESCAPE, 2,
     3},
    {"Escape tapped: down and up before the next empty pass",
     [](auto& os) {
       after(os, 2, [&] {
         os.postMessage(WM_KEYDOWN, VK_ESCAPE);
         os.postMessage(WM_KEYUP, VK_ESCAPE);
       });
     },
     VK_ESCAPE, 2, 3},
    {"one pixel of movement: that frame is still presented",
     [](auto& os) { after(os, 3, [&] { os.cursor.y += 1; }); }, 0, 4, 4},
    {"movement after a key: the last message's wParam",
     [](auto& os) {
       os.onSwapBuffers = [&os] {
         if (os.swaps == 1) os.postMessage(WM_KEYDOWN, 'A');
         if (os.swaps == 2) os.postMessage(WM_KEYUP, 'A');
         if (os.swaps == 3) os.cursor.x += 1;
       };
     },
     'A', 4, 4},
    {"moved during start-up", [](auto& os) { os.cursor.x = -1; }, 0, 1, 1},
    {"parent vanishes: that pass completes",
     [](auto& os) {
       os.parentHwndValue = "777";
       os.foreignWindows.insert((HWND)777);
       after(os, 3, [&] { os.foreignWindows.clear(); });
     },
     0, 4, 4},
    {"parent never existed", [](auto& os) { os.parentHwndValue = "778"; }, 0, 1, 1},
    {"other input goes on",
     [](auto& os) {
       os.onSwapBuffers = [&os] {
         const UINT goOn[] = {WM_LBUTTONUP, WM_MOUSEWHEEL, WM_KEYDOWN, WM_SYSKEYDOWN};
         if (os.swaps <= 4) os.postMessage(goOn[os.swaps - 1], 'B');
         if (os.swaps == 6) os.postMessage(WM_QUIT, 0);
       };
     },
     0, 6, 6},
};

}  // namespace

using LoopTest = HostTest;

TEST_F(LoopTest, EachStopConditionEndsWithItsExitCodeAfterItsFrames) {
  for (const Stop& s : kStops) {
    SCOPED_TRACE(s.name);
    fake::reset();
    s.script(os());
    EXPECT_EQ(fake::runWinMain(""), s.exitCode);
    EXPECT_EQ(os().swaps, s.presented);
    EXPECT_EQ(os().count("glClear("), s.drawn);
    // Stop messages are never dispatched; a release and the wheel are.
    EXPECT_EQ(os().count("DispatchMessageA(0x20") + os().count("DispatchMessageA(0x12)"),
              std::string(s.name) == "other input goes on" ? 2 : 0);
    EXPECT_EQ(os().count("CreateWindowExA"), 1);
    EXPECT_EQ(os().count("DestroyWindow"), 1);
  }
  EXPECT_TRUE(keys['B']);
}

TEST_F(LoopTest, PreviewGoneWithItsParentEndsWithoutReleasingItOrShutdownBoxes) {
  os().parentHwndValue = "777";
  os().foreignWindows.insert((HWND)777);
  after(os(), 2, [this] {
    os().foreignWindows.clear();
    os().window = NULL;  // a child window is destroyed with its parent
  });
  EXPECT_EQ(fake::runWinMain(""), 0);
  EXPECT_TRUE(hostBoxes().empty());
  EXPECT_EQ(os().count("ReleaseDC") + os().count("DestroyWindow"), 0);
  EXPECT_EQ(os().count("UnregisterClassA"), 1);
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
  after(os(), 2, [this] { os().postMessage(WM_QUIT, 0); });
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
