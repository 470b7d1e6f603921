// The main loop: every stop condition, its exit code, and the scene phases over a scripted clock.
#include "host/glwindow.h"
#include "scene/sequencer.h"
#include "tests/host/host_fixture.h"

namespace {

// Frames drawn: each drawn frame clears the buffers once.
int framesDrawn() { return (int)fake::glCallsNamed("glClear").size(); }

}  // namespace

using LoopTest = HostTest;

TEST_F(LoopTest, QuitMessageEndsWithZeroAfterPresentedFrames) {
  quitAfterFrames(3);
  EXPECT_EQ(fake::runWinMain(""), 0);
  EXPECT_EQ(os().swaps, 3);
  EXPECT_EQ(framesDrawn(), 3);
}

TEST_F(LoopTest, MouseButtonsEndWithTheirKeyStateFlagsUndispatched) {
  const UINT buttons[] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
  for (UINT button : buttons) {
    SetUp();
    os().onSwapBuffers = [this, button] {
      if (os().swaps == 2) os().postMessage(button, MK_LBUTTON | MK_SHIFT | MK_MBUTTON);
    };
    EXPECT_EQ(fake::runWinMain(""), MK_LBUTTON | MK_SHIFT | MK_MBUTTON);
    EXPECT_EQ(os().swaps, 2);
    EXPECT_EQ(os().count("DispatchMessageA"), 0);
  }
}

TEST_F(LoopTest, ButtonReleaseWheelAndOtherKeysDoNotEndTheRun) {
  os().onSwapBuffers = [this] {
    if (os().swaps == 1) os().postMessage(WM_LBUTTONUP, 0);
    if (os().swaps == 2) os().postMessage(WM_MOUSEWHEEL, 120 << 16);
    if (os().swaps == 3) os().postMessage(WM_KEYDOWN, 'A');
    if (os().swaps == 4) os().postMessage(WM_KEYDOWN, VK_SPACE);
    if (os().swaps == 6) os().postMessage(WM_QUIT, 0);
  };
  EXPECT_EQ(fake::runWinMain(""), 0);
  EXPECT_EQ(os().swaps, 6);
  EXPECT_TRUE(keys['A']);
}

TEST_F(LoopTest, EscapeEndsAfterADrawnButUnpresentedFrame) {
  os().onSwapBuffers = [this] {
    if (os().swaps == 2) os().postMessage(WM_KEYDOWN, VK_ESCAPE);
  };
  EXPECT_EQ(fake::runWinMain(""), VK_ESCAPE);  // the last message taken was the key
  EXPECT_EQ(os().swaps, 2);
  EXPECT_EQ(framesDrawn(), 3);
}

TEST_F(LoopTest, OnePixelOfMovementEndsAfterThatFrameIsPresented) {
  os().onSwapBuffers = [this] {
    if (os().swaps == 3) os().cursor.y += 1;
  };
  EXPECT_EQ(fake::runWinMain(""), 0);  // no message was ever taken
  EXPECT_EQ(os().swaps, 4);
  EXPECT_EQ(framesDrawn(), 4);
}

TEST_F(LoopTest, MovementDuringStartUpEndsAtTheFirstEmptyPass) {
  os().cursor.x = -1;  // moved after the position was recorded, before the window
  EXPECT_EQ(fake::runWinMain(""), 0);
  EXPECT_EQ(os().swaps, 1);
}

TEST_F(LoopTest, VanishedParentEndsTheRunAfterThatPassCompletes) {
  os().parentHwndValue = "777";
  os().foreignWindows.insert((HWND)777);
  os().onSwapBuffers = [this] {
    if (os().swaps == 3) os().foreignWindows.clear();
  };
  EXPECT_EQ(fake::runWinMain(""), 0);
  EXPECT_EQ(os().swaps, 4);

  EXPECT_EQ(os().count("DestroyWindow"), 1);

  SetUp();  // a parent that never existed: window and textures made, one pass, done
  os().parentHwndValue = "778";
  EXPECT_EQ(fake::runWinMain(""), 0);
  EXPECT_EQ(os().count("CreateWindowExA"), 1);
  EXPECT_EQ(os().swaps, 1);
}

TEST_F(LoopTest, PreviewGoneWithItsParentEndsWithoutShutdownBoxes) {
  os().parentHwndValue = "777";
  os().foreignWindows.insert((HWND)777);
  os().onSwapBuffers = [this] {
    if (os().swaps == 2) {
      os().foreignWindows.clear();
      os().window = NULL;  // a child window is destroyed with its parent
    }
  };
  EXPECT_EQ(fake::runWinMain(""), 0);
  EXPECT_TRUE(hostBoxes().empty());
  EXPECT_EQ(os().count("ReleaseDC"), 0);
  EXPECT_EQ(os().count("DestroyWindow"), 0);
  EXPECT_EQ(os().count("UnregisterClassA"), 1);
}

TEST_F(LoopTest, MinimisedWindowSwapsWithoutDrawingOrReadingTheClock) {
  os().onSwapBuffers = [this] {
    os().counter += os().frequency;  // one second per pass
    if (os().swaps == 1) os().postMessage(WM_ACTIVATE, 1 << 16);
    if (os().swaps == 4) os().postMessage(WM_ACTIVATE, 0);
    if (os().swaps == 5) os().postMessage(WM_QUIT, 0);
  };
  fake::runWinMain("");
  EXPECT_EQ(os().swaps, 5);
  EXPECT_EQ(framesDrawn(), 2);
  // The first frame saw no time pass since loading; the frame after restoring takes the
  // whole four seconds since then as its one step.
  EXPECT_FLOAT_EQ(animmodetime, 4.0f);
}

TEST_F(LoopTest, LogoPhaseStartsInTheFrameThatReachesFifteenSeconds) {
  int stopAt = 0;
  os().onSwapBuffers = [this, &stopAt] {
    os().counter += os().frequency / 4;  // frames a quarter second apart
    if (os().swaps == stopAt) os().postMessage(WM_QUIT, 0);
  };
  // The first frame follows the end of loading at once (a zero step), so the 61st frame
  // is the one that reaches 15 s.
  stopAt = 60;
  fake::runWinMain("");
  EXPECT_EQ(animmode, 0);
  EXPECT_FLOAT_EQ(animmodetime, 14.75f);

  SetUp();
  os().onSwapBuffers = [this, &stopAt] {
    os().counter += os().frequency / 4;
    if (os().swaps == stopAt) os().postMessage(WM_QUIT, 0);
  };
  stopAt = 61;
  fake::runWinMain("");
  EXPECT_EQ(animmode, 1);
  EXPECT_EQ(animmodetime, 0.0f);
}
