// The real dravik executable on a virtual display: the full-screen window, the stop inputs and
// their exit codes, the run modes, preview inside another program's window, stop signals and
// message boxes.
#include "tests/e2e/saver.h"

namespace {

TEST_F(Screensaver, CoversTheDisplayAtTheOriginAboveOthersWithTheFocus) {
  foreignWindow();  // there first
  e2e::Process saver;
  start(saver);
  std::string id = waitUntilRunning(saver);
  ASSERT_FALSE(id.empty()) << saver.err();
  std::string info = e2e::shell("xwininfo -id " + id);
  for (const char* line : {"Absolute upper-left X:  0\n", "Absolute upper-left Y:  0\n",
                           "Width: 1024\n", "Height: 768\n", "Map State: IsViewable"})
    EXPECT_NE(info.find(line), std::string::npos) << info;
  // Nothing stacks above it: it is the topmost child of the root (xwininfo lists top first).
  std::string tree = e2e::shell("xwininfo -root -children");
  size_t first = tree.find("0x", tree.find("children:"));
  ASSERT_NE(first, std::string::npos) << tree;
  EXPECT_EQ(std::stoul(tree.substr(first), nullptr, 16), std::stoul(id)) << tree;
  saver.signal(SIGTERM);
  EXPECT_EQ(saver.waitExit(10), 0);
  EXPECT_EQ(saver.err(), "");  // nothing printed on a normal run
}

TEST_F(Screensaver, EachStopInputEndsTheRunWithItsExitCode) {
  const struct {
    const char *goOn, *stop;
    int exitCode;
  } inputs[] = {
      {"", "mousemove_relative 1 0", 0},                 // WM_MOUSEMOVE, no buttons held
      {"", "click 1", 1},                                // MK_LBUTTON
      {"", "keydown shift click 3 keyup shift", 2 | 4},  // MK_RBUTTON | MK_SHIFT
      {"key a key shift+b key F1 key Return click 4 click 5 click 8", "key Escape", 0x1B},
      {"", "key alt+F4", 0},  // WM_CLOSE, then WM_QUIT with wParam 0
  };
  for (const auto& input : inputs) {
    SCOPED_TRACE(input.stop);
    e2e::Process saver;
    start(saver, {"/S"});
    ASSERT_FALSE(waitUntilRunning(saver).empty()) << saver.err();
    e2e::xdotool(input.goOn);
    e2e::sleepSeconds(0.5);
    ASSERT_TRUE(saver.running()) << "ended by: " << input.goOn;
    e2e::xdotool(input.stop);
    EXPECT_EQ(saver.waitExit(10), input.exitCode);
  }
}

TEST_F(Screensaver, EachQuickTapOfEscapeEndsTheRun) {
  for (int run = 0; run < 10; ++run) {
    e2e::Process saver;
    start(saver);
    ASSERT_FALSE(waitUntilRunning(saver).empty()) << saver.err();
    e2e::xdotool("key Escape");  // down and up at once, as a quick tap
    EXPECT_EQ(saver.waitExit(5), 0x1B) << "run " << run;
  }
}

TEST_F(Screensaver, StopSignalsEndTheRunCleanly) {
  for (int sig : {SIGTERM, SIGINT}) {
    e2e::Process saver;
    start(saver);
    ASSERT_FALSE(waitUntilRunning(saver).empty()) << saver.err();
    saver.signal(sig);
    EXPECT_EQ(saver.waitExit(10), 0) << "signal " << sig;
    EXPECT_EQ(saver.err(), "") << "teardown reported a failure";
    EXPECT_EQ(e2e::xdotool("search --name '^" + std::string(kTitle) + "$'"), "");
  }
}

TEST_F(Screensaver, PreviewDrawsInsideTheParentAndEndsWithIt) {
  unsigned long parent = foreignWindow();
  writeSetting(std::to_string(parent));
  e2e::Process saver;
  start(saver);
  std::string id = waitUntilRunning(saver, false);
  ASSERT_FALSE(id.empty()) << saver.err();
  std::string tree = e2e::shell("xwininfo -tree -id " + id);
  size_t at = tree.find("Parent window id: ");
  ASSERT_NE(at, std::string::npos) << tree;
  EXPECT_EQ(std::stoul(tree.substr(at + 18), nullptr, 16), parent) << tree;
  EXPECT_GT(brightness(parent), 0.1) << "the preview shows nothing";

  XDestroyWindow(x_, parent);
  XSync(x_, False);
  EXPECT_EQ(saver.waitExit(10), 0);
  EXPECT_EQ(saver.err(), "") << "teardown after the parent vanished reported a failure";
}

// The screen-saver daemon's contract: it names its window on the command line or in
// XSCREENSAVER_WINDOW, keeps the input for itself and ends the hack with SIGTERM.
TEST_F(Screensaver, HostedByADaemonDrawsIntoItsWindowAndLeavesTheInputToIt) {
  writeSetting("123");  // never read when hosted
  for (int launch = 0; launch < 4; ++launch) {
    unsigned long daemon = foreignWindow(400, 300);
    char hex[32];
    snprintf(hex, sizeof hex, "0x%lx", daemon);
    std::vector<std::string> args[] = {
        {"--root"}, {"-root"}, {"--window-id", hex}, {"-window-id", std::to_string(daemon)}};
    std::map<std::string, std::string> env = environment();
    env["XSCREENSAVER_WINDOW"] = launch == 0 ? hex : launch == 1 ? std::to_string(daemon) : "";
    SCOPED_TRACE(args[launch][0] + " " + env["XSCREENSAVER_WINDOW"]);
    e2e::Process hack;
    args[launch].insert(args[launch].begin(), dir_ + "/app/dravik");
    ASSERT_TRUE(hack.start(args[launch], env, dir_ + "/hack"));
    std::string tree;
    EXPECT_TRUE(e2e::waitFor(10, [&] {  // one child that fills it
      tree = e2e::shell("xwininfo -children -id " + std::to_string(daemon));
      return tree.find("1 child:\n     0x") != std::string::npos &&
             tree.find(" \"Dravik Screensaver\": (\"dravik\" \"Dravik\")  400x300+0+0") !=
                 std::string::npos;
    })) << tree;
    e2e::sleepSeconds(0.5);
    EXPECT_GT(brightness(daemon), 0.1) << "the window shows nothing";
    e2e::xdotool("mousemove 300 300 click 1 key Escape");
    e2e::sleepSeconds(0.5);
    ASSERT_TRUE(hack.running()) << "input ended a hosted run";
    double stop = e2e::now();
    if (launch % 2 == 0) {
      hack.signal(SIGTERM);
    } else {
      XDestroyWindow(x_, daemon);
      XSync(x_, False);
    }
    // After its teardown, the hack dies of the daemon's SIGTERM, as the daemon expects.
    EXPECT_EQ(hack.waitExit(5), launch % 2 == 0 ? 128 + SIGTERM : 0);
    EXPECT_LT(e2e::now() - stop, 1.0);
    EXPECT_EQ(hack.err(), "");
  }
}

// Runs that end at once with exit code 0: other arguments (no window is made), no display (its
// one message), a setting that names a window that does not exist (right after start-up).
TEST_F(Screensaver, RunsThatEndAtOnce) {
  const struct {
    const char *arg, *display, *setting, *messages;
  } runs[] = {{"/p 123", nullptr, nullptr, ""},
              {"/s ", nullptr, nullptr, ""},
              {"/c", nullptr, nullptr, ""},
              {"hello", nullptr, nullptr, ""},
              {"/s", "", nullptr, "Error: Could Not Enumerate Display Settings\n"},
              {"/s", nullptr, "4194303", ""}};
  for (const auto& run : runs) {
    SCOPED_TRACE(run.arg);
    if (run.setting) writeSetting(run.setting);
    std::map<std::string, std::string> env = environment();
    if (run.display) env["DISPLAY"] = run.display;
    e2e::Process saver;
    ASSERT_TRUE(saver.start({dir_ + "/app/dravik", run.arg}, env, dir_ + "/dravik"));
    EXPECT_EQ(saver.waitExit(20), 0);
    EXPECT_EQ(saver.err(), run.messages);
  }
  EXPECT_EQ(e2e::shell("xwininfo -root -tree | grep -c '\"" + std::string(kTitle) + "\"'"), "0\n");
}

TEST_F(Screensaver, MessageBoxIsCentredAndClosesWithReturnEscapeOrOk) {
  for (const char* close : {"key Return", "key Escape", "ok", "no display"}) {
    SCOPED_TRACE(close);
    e2e::Process box;
    std::map<std::string, std::string> env = environment();
    if (std::string(close) == "no display") env["DISPLAY"] = "";
    ASSERT_TRUE(box.start({MESSAGE_BOX_EXE, "Some Caption", "Some text."}, env, dir_ + "/box"));
    if (std::string(close) != "no display") {
      std::string id = e2e::findWindow("Some Caption");
      ASSERT_FALSE(id.empty());
      std::string g = e2e::xdotool("getwindowgeometry --shell " + id);
      auto field = [&](const char* name) {
        return std::stoi(g.substr(g.find(name) + strlen(name)));
      };
      int w = field("WIDTH="), h = field("HEIGHT=");
      EXPECT_NEAR(field("X=") + w / 2, 512, 1) << g;
      EXPECT_NEAR(field("Y=") + h / 2, 384, 1) << g;
      e2e::xdotool("mousemove --window " + id + " 5 5 click 1");  // beside the button
      e2e::sleepSeconds(0.3);
      ASSERT_TRUE(box.running()) << "the box did not wait for the user";
      if (std::string(close) == "ok")  // the button sits centred at the bottom of the box
        e2e::xdotool("mousemove --window " + id + " " + std::to_string(w / 2) + " " +
                     std::to_string(h - 16 - 13) + " click 1");
      else
        e2e::xdotool(close);
    }
    EXPECT_EQ(box.waitExit(10), 0);
    EXPECT_EQ(box.out(), "1\n");  // IDOK
    EXPECT_EQ(box.err(), "Some Caption: Some text.\n");
  }
}

}  // namespace
