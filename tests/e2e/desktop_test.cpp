// The standalone show on a desktop as users have it: under a window manager (openbox), with
// windows that open while it runs, on two monitors, and with the X server's own blanking set.
#include "tests/e2e/saver.h"  // first: gtest before Xlib
// clang-format off
#include <X11/extensions/scrnsaver.h>
// clang-format on
#include <algorithm>

namespace {

using UsersDesktop = Screensaver;

// Whether the X server's own screen saver is on now.
bool serverSaverOn(Display* x) {
  XScreenSaverInfo info = {};
  XScreenSaverQueryInfo(x, DefaultRootWindow(x), &info);
  return info.state == ScreenSaverOn;
}

// The id of the topmost child of the root (xwininfo lists the top first).
unsigned long topmost() {
  std::string tree = e2e::shell("xwininfo -root -children");
  size_t at = tree.find("0x", tree.find("children:"));
  return at == std::string::npos ? 0 : std::stoul(tree.substr(at), nullptr, 16);
}

// A window of another client, which the window manager gives the keyboard as it opens.
std::string openXmessage(e2e::Process& p, const std::string& dir, const std::string& name) {
  p.start({"/usr/bin/xmessage", "-name", name, name}, {}, dir + "/" + name);
  std::string id = e2e::findWindow(name);
  e2e::waitFor(5, [&] { return e2e::xdotool("getwindowfocus") == id + "\n"; });
  return id;
}

TEST_F(UsersDesktop, TheBoxesOfAMissingDataFolderOpenOnTopAndTakeReturn) {
  e2e::shell("rm -rf " + dir_ + "/app/Data");
  e2e::Process saver;
  start(saver, {"/s"});
  for (int box = 1; box <= 15; ++box) {
    SCOPED_TRACE(testing::Message() << "box " << box);
    std::string err;
    ASSERT_TRUE(e2e::waitFor(10, [&] {
      err = saver.err();
      return std::count(err.begin(), err.end(), '\n') == box;
    }));
    std::string line = err.substr(err.rfind('\n', err.size() - 2) + 1);
    std::string id = e2e::findWindow(line.substr(0, line.find(": ")));
    ASSERT_FALSE(id.empty()) << line;
    if (box % 7 == 1) {  // the first, one in the middle, the last
      EXPECT_EQ(topmost(), std::stoul(id));
      EXPECT_GT(brightness(std::stoul(id)), 0.7) << "the box is hidden";  // white, black text
    }
    e2e::xdotool("key Return");
  }
  ASSERT_FALSE(waitUntilRunning(saver).empty());
  e2e::xdotool("mousemove_relative 1 1");
  EXPECT_NE(saver.waitExit(10), -1);
}

// The keyboard: the show keeps it when a window opens later, and it goes back to the window
// that had it before the show, not to the one that opened meanwhile.
TEST_F(UsersDesktop, AWindowThatOpensLaterTakesNeitherTheTopNorTheKeyboard) {
  e2e::Process before, saver, later;
  std::string had = openXmessage(before, dir_, "Before");
  ASSERT_EQ(e2e::xdotool("getwindowfocus"), had + "\n");
  start(saver);
  std::string id = waitUntilRunning(saver);
  ASSERT_FALSE(id.empty()) << saver.err();
  openXmessage(later, dir_, "Later");
  EXPECT_EQ(topmost(), std::stoul(id));
  e2e::xdotool("key Escape");
  EXPECT_EQ(saver.waitExit(5), 0x1B);
  EXPECT_EQ(e2e::xdotool("getwindowfocus"), had + "\n");
}

TEST_F(UsersDesktop, OnTwoMonitorsTheShowCoversThePrimaryAndTheOtherIsBlack) {
  e2e::shell(
      "xrandr --setmonitor '*LEFT' 800/200x600/150+0+0 none && "
      "xrandr --setmonitor RIGHT 800/200x600/150+800+0 none");
  e2e::xdotool("mousemove 1200 300");  // over the other monitor
  e2e::Process saver;
  start(saver);
  std::string id = waitUntilRunning(saver);
  ASSERT_FALSE(id.empty()) << saver.err();
  std::string info = e2e::shell("xwininfo -id " + id);
  EXPECT_NE(info.find("  -geometry 800x600+0+0"), std::string::npos) << info;
  auto region = [](const char* crop, const char* measure) {
    return std::stod("0" +
                     e2e::shell(std::string("import -silent -window root -crop ") + crop +
                                " +repage -colorspace gray -format '%[fx:" + measure + "]' info:"));
  };
  EXPECT_EQ(region("800x600+800+0", "maxima"), 0.0) << "the other monitor shows something";
  // The show centred on the primary: the desktop's green across the middle, nothing at the edges.
  EXPECT_GT(region("40x40+380+330", "mean"), 0.2);
  EXPECT_EQ(region("40x40+0+0", "maxima") + region("40x40+760+560", "maxima"), 0.0);
  e2e::xdotool("click 1");  // the pointer's buttons are the show's, wherever it is
  EXPECT_EQ(saver.waitExit(5), 1);
}

TEST_F(UsersDesktop, TheServersOwnBlankingIsHeldOffWhileTheShowRuns) {
  Display* x = XOpenDisplay(nullptr);
  e2e::shell("xset s 2 0");
  e2e::Process saver;
  start(saver);
  ASSERT_FALSE(waitUntilRunning(saver).empty()) << saver.err();
  e2e::sleepSeconds(5);
  EXPECT_FALSE(serverSaverOn(x));
  saver.signal(SIGTERM);
  EXPECT_EQ(saver.waitExit(5), 0);
  EXPECT_NE(e2e::shell("xset q").find("timeout:  2 "), std::string::npos);
  EXPECT_TRUE(e2e::waitFor(4, [&] { return serverSaverOn(x); })) << "not released";
  XCloseDisplay(x);
}

}  // namespace
