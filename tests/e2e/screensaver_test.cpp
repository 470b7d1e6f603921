// The real dravik executable on a virtual display: the full-screen window, the stop inputs and
// signals and their exit codes, the run modes, preview inside another program's window, and
// hosting by a screen-saver daemon.
#include <regex>
#include <tuple>

#include "tests/e2e/support.h"

// Each run covers the display at the origin with the keyboard, back above a window that opens
// after it (and above those of the runs before), until a stop input or signal ends it with its exit
// code (the wParam of the last message taken; 0 for a signal) and nothing printed. Other keys and
// buttons go on.
TEST_F(Screensaver, CoversTheDisplayUntilAStopInputOrSignalEndsIt) {
  const std::tuple<const char*, const char*, int> runs[] = {
      // keys that go on, stop, exit code
      {"", "xdotool mousemove_relative 1 0", 0},                 // WM_MOUSEMOVE, no buttons held
      {"", "xdotool keydown shift click 3 keyup shift", 2 | 4},  // MK_RBUTTON | MK_SHIFT
      {"key a key shift+b key F1 key Return click 4 click 5 click 8", "xdotool key alt+F4", 0},
      {"", "kill -TERM $p", 0},
      {"", "kill -INT $p", 0}};
  for (auto [goOn, stop, exitCode] : runs) {
    SCOPED_TRACE(stop);
    start("/s");
    std::string id = waitUntilRunning();
    ASSERT_FALSE(id.empty()) << saver_.err();
    EXPECT_NE(shell("xwininfo -id " + id).find("  -geometry 1024x768+0+0"), std::string::npos);
    foreignWindow();
    EXPECT_TRUE(waitFor(2, [&] { return topmost() == std::stoul(id); }));
    xdotool(goOn);
    ASSERT_TRUE(keepsRunning()) << "ended by: " << goOn;
    shell("p=" + std::to_string(saver_.pid) + "; " + stop);
    EXPECT_EQ(outcome(10), std::to_string(exitCode) + " ");  // teardown included
  }
}

TEST_F(Screensaver, PreviewDrawsInsideTheParentAndEndsWithIt) {
  unsigned long parent = foreignWindow();
  writeSetting(std::to_string(parent));
  start();
  std::string id = waitUntilRunning(false);
  ASSERT_FALSE(id.empty()) << saver_.err();
  // As large as Windows makes it: the display's 1024 x 768 inside a frame and a caption.
  EXPECT_NE(shell("xwininfo -id " + id).find("Width: 1040\n  Height: 807\n"), std::string::npos);
  std::string tree = shell("xwininfo -tree -id " + id);
  EXPECT_EQ(std::stoul(tree.substr(tree.find("Parent window id: ") + 18), nullptr, 16), parent);
  EXPECT_TRUE(waitFor(30, [&] { return grey(std::to_string(parent)) > 0.1; }))
      << "the preview shows nothing";
  XDestroyWindow(x_, parent);
  EXPECT_EQ(outcome(10), "0 ") << "teardown after the parent vanished";
}

// The screen-saver daemon's contract: it names its window on the command line or in
// XSCREENSAVER_WINDOW (the show fills it, also once resized), keeps the input for itself, and
// ends the hack with SIGTERM (the hack dies of it after its teardown, as the daemon expects) or
// by destroying the window.
TEST_F(Screensaver, HostedByADaemonDrawsIntoItsWindowAndLeavesTheInputToIt) {
  writeSetting("123");  // never read when hosted
  for (int launch = 0; launch < 4; ++launch) {
    unsigned long daemon = foreignWindow(400, 300);
    std::string dec = std::to_string(daemon), hex = shell("printf 0x%x " + dec);
    const std::string launches[][2] = {{"--root", "XSCREENSAVER_WINDOW=" + hex},
                                       {"-root", "XSCREENSAVER_WINDOW=" + dec},
                                       {"--window-id " + hex, "-u XSCREENSAVER_WINDOW"},
                                       {"-window-id " + dec, "-u XSCREENSAVER_WINDOW"}};
    SCOPED_TRACE(launches[launch][0] + " " + launches[launch][1]);
    start(launches[launch][0], launches[launch][1]);
    std::string tree;
    EXPECT_TRUE(waitFor(10, [&] {  // one child that fills it
      tree = shell("xwininfo -children -id " + dec);
      return std::regex_search(tree, std::regex("1 child:\n +0x\\w+ \"Dravik Screensaver\": "
                                                "\\(\"dravik\" \"Dravik\"\\)  400x300\\+0\\+0"));
    })) << tree;
    EXPECT_TRUE(waitFor(30, [&] { return grey(dec) > 0.1; })) << "the window shows nothing";
    XResizeWindow(x_, daemon, 500, 350);  // the daemon's window resized: the show follows
    XSync(x_, False);
    EXPECT_TRUE(waitFor(10, [&] {
      return shell("xwininfo -children -id " + dec).find("  500x350+0+0") != std::string::npos;
    }));
    xdotool("mousemove 300 300 click 1 key Escape");
    ASSERT_TRUE(keepsRunning()) << "input ended a hosted run";
    launch % 2 ? XDestroyWindow(x_, daemon) : kill(saver_.pid, SIGTERM);
    EXPECT_EQ(outcome(1), launch % 2 == 0 ? "143 " : "0 ");  // within a second; 128 + SIGTERM
  }
}

// Whether a window of this name is shown (a top-level window: the show bypasses any manager).
bool shownNamed(Display* x, const char* name) {
  Window root, parent, *children = nullptr;
  unsigned int count = 0;
  XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count);
  bool found = false;
  for (unsigned int i = 0; i < count && !found; ++i) {
    char* title = nullptr;
    XWindowAttributes a;
    found = XFetchName(x, children[i], &title) && std::string(title) == name &&
            XGetWindowAttributes(x, children[i], &a) && a.map_state == IsViewable;
    if (title) XFree(title);
  }
  if (children) XFree(children);
  return found;
}

// Another client holds the keyboard and the pointer as the show starts (a menu open, another
// locker): it takes both once they are let go, and no one else can take them while it runs.
TEST_F(Screensaver, TakesTheGrabsAnotherClientHeldAtItsStartOnceLetGo) {
  Display* other = XOpenDisplay(nullptr);
  Window root = DefaultRootWindow(other);
  auto grab = [&] {
    int keyboard = XGrabKeyboard(other, root, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    int pointer = XGrabPointer(other, root, False, ButtonPressMask, GrabModeAsync, GrabModeAsync,
                               None, None, CurrentTime);
    return std::make_pair(keyboard, pointer);
  };
  ASSERT_EQ(grab(), std::make_pair(GrabSuccess, GrabSuccess));
  start("/s");
  waitFor(30, [&] { return shownNamed(other, "Dravik Screensaver"); });
  XUngrabKeyboard(other, CurrentTime);  // as soon as the show is there: it tries for a moment
  XUngrabPointer(other, CurrentTime);
  XSync(other, False);
  ASSERT_FALSE(waitUntilRunning().empty()) << saver_.err();
  EXPECT_EQ(grab(), std::make_pair(AlreadyGrabbed, AlreadyGrabbed));
  XCloseDisplay(other);
  xdotool("key Escape");
  EXPECT_EQ(outcome(10), "27 ");
}

// A compositor named but not there, or a socket that answers but not as one (the X server's),
// leaves the show to X.
TEST_F(Screensaver, ShowsOnXWhenTheCompositorCannotBeReached) {
  std::string display = getenv("DISPLAY");
  std::string xSocket = "/tmp/.X11-unix/X" + display.substr(1, display.find('.') - 1);
  for (const std::string& named : {std::string("dravik-nowhere"), xSocket}) {
    SCOPED_TRACE(named);
    start("/s", "XDG_RUNTIME_DIR=/tmp WAYLAND_DISPLAY=" + named);
    ASSERT_FALSE(waitUntilRunning().empty()) << saver_.err();
    xdotool("key Escape");
    EXPECT_EQ(outcome(10), "27 ");
  }
}

// Runs that end at once with exit code 0: other arguments, no display (its one message), a
// setting that names a window that does not exist (right after start-up).
TEST_F(Screensaver, RunsThatEndAtOnce) {
  for (const char* args : {"/p 123", "'/s '", "/c", "hello"}) {
    start(args);
    EXPECT_EQ(outcome(20), "0 ") << args;
  }
  for (const char* env :
       {"-u DISPLAY", "-u DISPLAY XDG_RUNTIME_DIR=/tmp WAYLAND_DISPLAY=dravik-nowhere"}) {
    start("/s", env);
    EXPECT_EQ(outcome(20), "0 Error: Could Not Enumerate Display Settings\n") << env;
  }
  writeSetting("4194303");
  start("/s");
  EXPECT_EQ(outcome(20), "0 ");
}
