// Start-up before the window: run mode, the parent-window setting, the working directory.
#include "host/startup.h"

#include <climits>

#include "host/glwindow.h"
#include "tests/host/host_fixture.h"

using StartupTest = HostTest;

TEST_F(StartupTest, RunsOnlyForEmptyTextOrSlashSInAnyCase) {
  for (const char* text : {"", "/s", "/S"}) {
    SetUp();
    os().postMessage(WM_QUIT, 0);
    EXPECT_EQ(fake::runWinMain(text), 0) << text;
    EXPECT_EQ(os().count("CreateWindowExA"), 1) << "'" << text << "' should run";
  }
  for (const char* text : {"/s ", "/p 123", "/p", "/c", "/c:456", "x", " /s"}) {
    SetUp();
    EXPECT_EQ(fake::runWinMain(text), 0) << text;
    EXPECT_EQ(os().count("RegisterClassA"), 0) << "'" << text << "' should not run";
    EXPECT_EQ(os().count("GetSystemMetrics"), 0) << text;
    EXPECT_TRUE(os().boxes.empty()) << text;
  }
}

TEST_F(StartupTest, SettingSelectsPreviewParentOrFullScreen) {
  os().parentHwndValue = "123";
  fake::runWinMain("/c");
  EXPECT_EQ(lHwndParent, (HWND)123);

  SetUp();
  os().parentHwndValue = "0";
  fake::runWinMain("/c");
  EXPECT_EQ(lHwndParent, (HWND)0);

  SetUp();  // no value at all
  fake::runWinMain("/c");
  EXPECT_EQ(lHwndParent, (HWND)0);
}

TEST_F(StartupTest, StaleBytesOfAnEarlierReadNeverReachTheNumber) {
  // The stored texts carry no terminating zero; a longer earlier value must not leak in.
  os().parentHwndValue = std::string("99999");
  fake::runWinMain("/c");
  ASSERT_EQ(lHwndParent, (HWND)99999);

  SetUp();
  os().parentHwndValue = std::string("12");
  fake::runWinMain("/c");
  EXPECT_EQ(lHwndParent, (HWND)12);
}

TEST_F(StartupTest, ValueTooLargeForTheBufferCountsAsAbsent) {
  os().parentHwndValue = std::string(SETTING_BUFFER_SIZE + 5, '7');
  fake::runWinMain("/c");
  EXPECT_EQ(lHwndParent, (HWND)0);
}

TEST_F(StartupTest, DecimalTextIsReadLikeAtoiWithoutOverflow) {
  EXPECT_EQ(parseDecimal("  42abc"), 42);
  EXPECT_EQ(parseDecimal("-17"), -17);
  EXPECT_EQ(parseDecimal("+8"), 8);
  EXPECT_EQ(parseDecimal("abc"), 0);
  EXPECT_EQ(parseDecimal(""), 0);
  EXPECT_EQ(parseDecimal("99999999999999999999999"), INT_MAX);
  EXPECT_EQ(parseDecimal("-99999999999999999999999"), INT_MIN);
  EXPECT_EQ(parseDecimal("2147483647"), INT_MAX);
}

TEST_F(StartupTest, WorkingDirectoryBecomesTheExecutablesFolder) {
#ifdef _WIN32
  os().moduleFileName = "C:\\Program Files\\Dravik\\Dravik.scr";
  const char* folder = "C:\\Program Files\\Dravik\\";
#else
  os().moduleFileName = "/opt/my games/dravik/dravik";
  const char* folder = "/opt/my games/dravik/";
#endif
  fake::runWinMain("/c");
  EXPECT_EQ(os().lastChdir, folder);

  SetUp();
  os().moduleFileName = "dravik";  // no folder at all: the path stays whole
  fake::runWinMain("/c");
  EXPECT_EQ(os().lastChdir, "dravik");
}

TEST_F(StartupTest, UnreadableDisplaySettingsShowTheirBoxAndEndWithZero) {
  os().failing.insert("EnumDisplaySettingsA");
  EXPECT_EQ(fake::runWinMain("/s"), 0);
  ASSERT_EQ(os().boxes.size(), 1u);
  EXPECT_EQ(os().boxes[0].text, "Could Not Enumerate Display Settings");
  EXPECT_EQ(os().boxes[0].caption, "Error");
  EXPECT_EQ(os().boxes[0].style, (UINT)MB_OK);
  EXPECT_EQ(os().count("RegisterClassA"), 0);
}
