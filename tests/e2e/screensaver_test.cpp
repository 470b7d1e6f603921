// The real dravik executable on a private Xvfb: the window, the stop inputs and their exit
// codes, the run modes, preview inside another program's window, stop signals, message boxes.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>

#include "tests/e2e/harness.h"

namespace {

const char kTitle[] = "Dravik Screensaver";

class Screensaver : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = e2e::makeTempDir();
    ASSERT_FALSE(dir_.empty());
    ASSERT_TRUE(display_.start(1024, 768, 24)) << "Xvfb did not start";
    setenv("DISPLAY", display_.name().c_str(), 1);
    // The executable in a folder of its own, beside the pictures when they have been built.
    e2e::shell("mkdir -p " + dir_ + "/app " + dir_ + "/home " + dir_ + "/config/dravik && cp " +
               DRAVIK_EXE + " " + dir_ + "/app/dravik && (test ! -d " + DRAVIK_DATA_DIR +
               " || cp -r " + DRAVIK_DATA_DIR + " " + dir_ + "/app/Data)");
  }

  void TearDown() override {
    display_.stop();
    e2e::shell("rm -rf " + dir_);
  }

  std::map<std::string, std::string> environment() {
    return {{"DISPLAY", display_.name()},
            {"HOME", dir_ + "/home"},
            {"XDG_CONFIG_HOME", dir_ + "/config"}};
  }

  void writeSetting(const std::string& parentHwnd) {
    e2e::writeFile(dir_ + "/config/dravik/registry.reg",
                   "Windows Registry Editor Version 5.00\r\n\r\n"
                   "[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\VORTEQ\\"
                   "Screensaver1]\r\n\"ParentHWND\"=\"" +
                       parentHwnd + "\"\r\n");
  }

  void start(e2e::Process& p, const std::vector<std::string>& args = {}) {
    std::vector<std::string> argv = {dir_ + "/app/dravik"};
    argv.insert(argv.end(), args.begin(), args.end());
    dismissed_ = 0;
    ASSERT_TRUE(p.start(argv, environment(), dir_ + "/dravik"));
  }

  std::string xdotool(const std::string& args, int* status = nullptr) {
    return e2e::shell("timeout 10 xdotool " + args + " 2>/dev/null", status);
  }

  std::string findWindow(const std::string& title) {
    std::string id = xdotool("search --sync --onlyvisible --name '^" + title + "$'");
    return id.substr(0, id.find('\n'));
  }

  // Closes each message box the start-up shows (one stderr line each) with Return. Return's
  // key-up then reaches the saver's window, so a run that showed boxes and ends without other
  // input ends with VK_RETURN (13) as the last message's wParam.
  void dismissBoxes(e2e::Process& p) {
    std::string err = p.err();
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = err.find('\n', at)) != std::string::npos; at = end + 1)
      lines.push_back(err.substr(at, end - at));
    for (; dismissed_ < lines.size(); ++dismissed_) {
      std::string caption = lines[dismissed_].substr(0, lines[dismissed_].find(": "));
      std::string id;
      for (double end = e2e::now() + 5; id.empty() && e2e::now() < end; e2e::sleepSeconds(0.02))
        id = xdotool("search --onlyvisible --name '^" + caption + "$'");
      if (!id.empty()) xdotool("windowfocus --sync " + id.substr(0, id.find('\n')) + " key Return");
    }
  }

  int quietExitCode() const { return dismissed_ ? 0x0D : 0; }

  int waitExitDismissingBoxes(e2e::Process& p, double seconds) {
    for (double end = e2e::now() + seconds; p.running() && e2e::now() < end;) {
      dismissBoxes(p);
      e2e::sleepSeconds(0.05);
    }
    return p.waitExit(0);
  }

  // Waits until the window is up (full screen: with the keyboard) and start-up is over:
  // the boxes a missing picture causes are closed, and stderr has been quiet a while.
  std::string waitUntilRunning(e2e::Process& p, bool fullScreen = true) {
    double deadline = e2e::now() + 20, quietSince = 0;
    std::string lastErr = "-";
    while (e2e::now() < deadline && p.running()) {
      dismissBoxes(p);
      std::string id = xdotool("search --onlyvisible --name '^" + std::string(kTitle) + "$'");
      bool ready = !id.empty() && (!fullScreen || xdotool("getwindowfocus") == id);
      std::string err = p.err();
      if (!ready || err != lastErr) quietSince = e2e::now();
      lastErr = err;
      if (ready && e2e::now() - quietSince > 0.4) return id.substr(0, id.find('\n'));
      e2e::sleepSeconds(0.05);
    }
    return "";
  }

  std::string dir_;
  size_t dismissed_ = 0;
  e2e::VirtualDisplay display_;
};

TEST_F(Screensaver, CoversTheDisplayAtTheOriginAboveOthersWithTheFocus) {
  e2e::Process other;  // a window that was there first
  ASSERT_TRUE(other.start({PARENT_WINDOW_EXE}, environment(), dir_ + "/other"));
  ASSERT_FALSE(findWindow("Preview parent").empty());
  e2e::Process saver;
  start(saver);
  std::string id = waitUntilRunning(saver);
  ASSERT_FALSE(id.empty()) << saver.err();
  std::string info = e2e::shell("xwininfo -id " + id);
  EXPECT_NE(info.find("Absolute upper-left X:  0\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Absolute upper-left Y:  0\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Width: 1024\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Height: 768\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Map State: IsViewable"), std::string::npos) << info;
  // Nothing stacks above it: it is the topmost child of the root (xwininfo lists top first).
  std::string tree = e2e::shell("xwininfo -root -children");
  ASSERT_NE(tree.find("2 children"), std::string::npos) << tree;
  size_t first = tree.find("child");
  ASSERT_NE(first, std::string::npos);
  std::string topmost = tree.substr(tree.find("0x", first));
  EXPECT_EQ(std::stoul(topmost, nullptr, 16), std::stoul(id)) << tree;
  saver.signal(SIGTERM);
  EXPECT_EQ(saver.waitExit(10), 0);
}

TEST_F(Screensaver, OnePixelOfMouseMovementEndsTheRun) {
  e2e::Process saver;
  start(saver);
  ASSERT_FALSE(waitUntilRunning(saver).empty()) << saver.err();
  xdotool("mousemove_relative 1 0");
  EXPECT_EQ(saver.waitExit(10), 0);  // the last message taken is WM_MOUSEMOVE, no buttons held
}

TEST_F(Screensaver, LeftClickEndsTheRunWithItsKeyState) {
  e2e::Process saver;
  start(saver);
  ASSERT_FALSE(waitUntilRunning(saver).empty()) << saver.err();
  xdotool("click 1");
  EXPECT_EQ(saver.waitExit(10), 1);  // MK_LBUTTON
}

TEST_F(Screensaver, ShiftRightClickReportsBothInTheExitCode) {
  e2e::Process saver;
  start(saver);
  ASSERT_FALSE(waitUntilRunning(saver).empty()) << saver.err();
  xdotool("keydown shift click 3 keyup shift");
  EXPECT_EQ(saver.waitExit(10), 2 | 4);  // MK_RBUTTON | MK_SHIFT
}

TEST_F(Screensaver, OnlyEscapeOfTheKeysEndsTheRunWithItsVirtualKey) {
  e2e::Process saver;
  start(saver);
  ASSERT_FALSE(waitUntilRunning(saver).empty()) << saver.err();
  // Other keys, the wheel, side buttons and button releases change nothing.
  xdotool("key a key shift+b key F1 key Return key KP_Enter click 4 click 5 click 8");
  e2e::sleepSeconds(0.8);
  ASSERT_TRUE(saver.running()) << "an input other than Escape ended the run";
  xdotool("keydown Escape sleep 0.3 keyup Escape");
  EXPECT_EQ(saver.waitExit(10), 0x1B);  // the last message taken is Escape's WM_KEYDOWN
}

TEST_F(Screensaver, AltF4ClosesTheWindow) {
  e2e::Process saver;
  start(saver);
  ASSERT_FALSE(waitUntilRunning(saver).empty()) << saver.err();
  xdotool("key alt+F4");
  EXPECT_EQ(saver.waitExit(10), 0);  // WM_CLOSE -> WM_QUIT with wParam 0
}

TEST_F(Screensaver, StopSignalsEndTheRunCleanly) {
  for (int sig : {SIGTERM, SIGINT}) {
    e2e::Process saver;
    start(saver, {"/S"});
    ASSERT_FALSE(waitUntilRunning(saver).empty()) << saver.err();
    std::string startUpMessages = saver.err();
    saver.signal(sig);
    EXPECT_EQ(saver.waitExit(10), 0) << "signal " << sig;
    EXPECT_EQ(saver.err(), startUpMessages) << "teardown reported a failure";
    EXPECT_EQ(xdotool("search --name '^" + std::string(kTitle) + "$'"), "");
  }
}

TEST_F(Screensaver, OtherArgumentsEndAtOnceWithoutAWindow) {
  for (const char* arg : {"/p 123", "/s ", "/c", "hello"}) {
    e2e::Process saver;
    start(saver, {arg});
    EXPECT_EQ(saver.waitExit(10), 0) << arg;
    EXPECT_EQ(saver.err(), "") << arg;
  }
  // Any window would still exist had one been made: the server would show it in its tree.
  EXPECT_EQ(e2e::shell("xwininfo -root -children | grep -c '\"" + std::string(kTitle) + "\"'"),
            "0\n");
}

TEST_F(Screensaver, PreviewRunsInsideTheParentAndEndsWithIt) {
  e2e::Process parent;
  ASSERT_TRUE(parent.start({PARENT_WINDOW_EXE}, environment(), dir_ + "/parent"));
  double deadline = e2e::now() + 10;
  while (parent.out().find('\n') == std::string::npos && e2e::now() < deadline)
    e2e::sleepSeconds(0.02);
  std::string parentId = parent.out().substr(0, parent.out().find('\n'));
  ASSERT_FALSE(parentId.empty());
  writeSetting(parentId);

  e2e::Process saver;
  start(saver);
  std::string id = waitUntilRunning(saver, false);
  ASSERT_FALSE(id.empty()) << saver.err();
  std::string startUpMessages = saver.err();
  std::string tree = e2e::shell("xwininfo -tree -id " + id);
  size_t at = tree.find("Parent window id: ");
  ASSERT_NE(at, std::string::npos) << tree;
  EXPECT_EQ(std::stoul(tree.substr(at + 18), nullptr, 16), std::stoul(parentId)) << tree;
  e2e::sleepSeconds(0.5);
  ASSERT_TRUE(saver.running());

  parent.closeInput();  // the parent destroys its window
  EXPECT_EQ(parent.waitExit(10), 0);
  EXPECT_EQ(saver.waitExit(10), quietExitCode());
  EXPECT_EQ(saver.err(), startUpMessages)
      << "teardown after the parent vanished reported a failure";
}

TEST_F(Screensaver, PreviewOfAWindowThatDoesNotExistEndsRightAfterStartUp) {
  writeSetting("4194303");
  e2e::Process saver;
  start(saver);
  int code = waitExitDismissingBoxes(saver, 20);
  // After boxes, the last Return's key-up may or may not be taken before the first pass.
  if (dismissed_) {
    EXPECT_TRUE(code == 0 || code == quietExitCode()) << code;
  } else {
    EXPECT_EQ(code, 0);
  }
}

TEST_F(Screensaver, WithoutADisplayItReportsTheDisplayQuery) {
  e2e::Process saver;
  std::map<std::string, std::string> env = environment();
  env["DISPLAY"] = "";
  ASSERT_TRUE(saver.start({dir_ + "/app/dravik"}, env, dir_ + "/dravik"));
  EXPECT_EQ(saver.waitExit(10), 0);
  EXPECT_EQ(saver.err(), "Error: Could Not Enumerate Display Settings\n");
}

TEST_F(Screensaver, MessageBoxIsFoundByItsTitleAndClosedFromTheKeyboard) {
  for (const char* key : {"Return", "Escape"}) {
    e2e::Process box;
    ASSERT_TRUE(
        box.start({MESSAGE_BOX_EXE, "Some Caption", "Some text."}, environment(), dir_ + "/box"));
    std::string id = findWindow("Some Caption");
    ASSERT_FALSE(id.empty());
    e2e::sleepSeconds(0.3);
    ASSERT_TRUE(box.running()) << "the box did not wait for the user";
    xdotool(std::string("key ") + key);
    EXPECT_EQ(box.waitExit(10), 0) << key;
    EXPECT_EQ(box.out(), "1\n");  // IDOK
    EXPECT_EQ(box.err(), "Some Caption: Some text.\n");
  }
}

TEST_F(Screensaver, MessageBoxClosesOnAClickOnOk) {
  e2e::Process box;
  ASSERT_TRUE(box.start({MESSAGE_BOX_EXE, "Click Me", "x"}, environment(), dir_ + "/box"));
  std::string id = findWindow("Click Me");
  ASSERT_FALSE(id.empty());
  xdotool("mousemove --window " + id + " 5 5 click 1");  // beside the button: stays open
  e2e::sleepSeconds(0.3);
  ASSERT_TRUE(box.running());
  // The OK button sits centred at the bottom of the box.
  std::string geometry = xdotool("getwindowgeometry --shell " + id);
  int width = std::stoi(geometry.substr(geometry.find("WIDTH=") + 6));
  int height = std::stoi(geometry.substr(geometry.find("HEIGHT=") + 7));
  xdotool("mousemove --window " + id + " " + std::to_string(width / 2) + " " +
          std::to_string(height - 16 - 13) + " click 1");
  EXPECT_EQ(box.waitExit(10), 0);
  EXPECT_EQ(box.out(), "1\n");
}

TEST_F(Screensaver, MessageBoxWithoutADisplayOnlyWritesItsLine) {
  e2e::Process box;
  std::map<std::string, std::string> env = environment();
  env["DISPLAY"] = "";
  ASSERT_TRUE(box.start({MESSAGE_BOX_EXE, "ERROR", "Window Creation Error."}, env, dir_ + "/box"));
  EXPECT_EQ(box.waitExit(10), 0);
  EXPECT_EQ(box.out(), "1\n");
  EXPECT_EQ(box.err(), "ERROR: Window Creation Error.\n");
}

}  // namespace
