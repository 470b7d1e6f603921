// The standalone show on a desktop as users have it: under a window manager (openbox), with
// message boxes and windows that open while it runs, on two monitors, with the X server's own
// blanking set.
#include "tests/e2e/support.h"  // first: gtest before Xlib
// clang-format off
#include <X11/extensions/scrnsaver.h>
// clang-format on
#include <string.h>

#include <algorithm>

namespace {

using UsersDesktop = Screensaver;

// The X server's own screen saver: whether it is on, how long the server has seen no input.
XScreenSaverInfo serverSaver(Display* x) {
  XScreenSaverInfo info = {};
  XScreenSaverQueryInfo(x, DefaultRootWindow(x), &info);
  return info;
}

// A window of another client, which the window manager gives the keyboard as it opens.
std::string openXmessage(Process& p, const std::string& dir, const std::string& name) {
  p.start("xmessage -name " + name + " " + name, dir + "/" + name + ".err");
  std::string id = findWindow(name);
  waitFor(5, [&] { return xdotool("getwindowfocus") == id + "\n"; });
  return id;
}

// Each box is centred, on top, visible and laid out right, waits through a click beside its OK
// button, and closes with Return, Escape or a click on OK; then the show runs.
TEST_F(UsersDesktop, TheBoxesOfAMissingDataFolderOpenOnTopAndCloseWithReturnEscapeOrOk) {
  shell("rm -rf " + dir_ + "/app/Data");
  start("/s");
  for (int box = 1; box <= 15; ++box) {
    SCOPED_TRACE(testing::Message() << "box " << box);
    std::string err;
    ASSERT_TRUE(waitFor(10, [&] {
      err = saver_.err();
      return std::count(err.begin(), err.end(), '\n') == box;
    }));
    std::string line = err.substr(err.rfind('\n', err.size() - 2) + 1);
    std::string caption = line.substr(0, line.find(": ")), id = findWindow(caption);
    ASSERT_FALSE(id.empty()) << line;
    std::string g = xdotool("getwindowgeometry --shell " + id);
    auto field = [&](const char* name) { return std::stoi(g.substr(g.find(name) + strlen(name))); };
    int w = field("WIDTH="), h = field("HEIGHT=");
    EXPECT_NEAR(field("X=") + w / 2, 800, 1) << g;
    EXPECT_NEAR(field("Y=") + h / 2, 300, 1) << g;
    EXPECT_EQ(topmost(), std::stoul(id));
    // What the screen shows of it, once drawn: visible, and laid out right.
    std::string looked;
    EXPECT_TRUE(waitFor(10, [&] {
      shell("import -silent -window " + id + " " + dir_ + "/box.png");
      looked = shell(DRAVIK_BOX_PICTURE " " + dir_ + "/box.png");
      return looked.find("in their places") != std::string::npos;
    })) << looked;
    xdotool("mousemove --window " + id + " 5 5 click 1");
    ASSERT_FALSE(waitFor(1, [&] { return findWindow(caption) != id; }))
        << "the box did not wait for the user";
    // The pointer goes back where the show found it, for the last box before it closes.
    const std::string close[] = {"mousemove 0 0 key Return", "mousemove 0 0 key Escape",
                                 "mousemove --window " + id + " " + std::to_string(w / 2) + " " +
                                     std::to_string(h - 16 - 13) + " click 1 mousemove 0 0"};
    xdotool(close[box % 3]);
  }
  EXPECT_FALSE(waitUntilRunning().empty());
}

// On two monitors the show covers the primary, centred in it, and the other is black. While it
// runs, the show stays on top and keeps the keyboard when a window opens later, and the X
// server's own blanking is held off; at the end the keyboard goes back to the window that had it
// before the show (not to the one that opened meanwhile) and the blanking as it was set.
TEST_F(UsersDesktop, TheShowCoversThePrimaryMonitorHoldsTheDeskAndGivesItBackAfter) {
  shell(
      "xrandr --setmonitor '*LEFT' 800/200x600/150+0+0 none && "
      "xrandr --setmonitor RIGHT 800/200x600/150+800+0 none");
  x_ = XOpenDisplay(nullptr);
  Process before, later;
  std::string had = openXmessage(before, dir_, "Before");
  start();
  std::string id = waitUntilRunning();
  ASSERT_FALSE(id.empty()) << saver_.err();
  EXPECT_NE(shell("xwininfo -id " + id).find("  -geometry 800x600+0+0"), std::string::npos);
  EXPECT_EQ(grey("root -crop 800x600+800+0", "maxima"), 0.0) << "the other monitor shows something";
  // The show centred on the primary: the desktop's green across the middle, nothing at the edges.
  EXPECT_GT(grey("root -crop 40x40+380+330"), 0.2);
  EXPECT_EQ(grey("root -crop 40x40+0+0", "maxima") + grey("root -crop 40x40+760+560", "maxima"),
            0.0);
  shell("xset s 2 0");  // blanking due after 2 s without input
  EXPECT_TRUE(waitFor(30, [&] { return serverSaver(x_).idle > 3000; }));
  openXmessage(later, dir_, "Later");
  EXPECT_EQ(topmost(), std::stoul(id));
  EXPECT_NE(serverSaver(x_).state, ScreenSaverOn);
  xdotool("key Escape");
  EXPECT_EQ(outcome(5), "27 ");  // and nothing printed
  EXPECT_EQ(xdotool("getwindowfocus"), had + "\n");
  EXPECT_NE(shell("xset q").find("timeout:  2 "), std::string::npos);
  EXPECT_TRUE(waitFor(4, [&] { return serverSaver(x_).state == ScreenSaverOn; })) << "not released";
}

}  // namespace
