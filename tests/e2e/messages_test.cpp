// X input and window changes as the window messages a Win32 program sees, observed through
// a probe window that prints each message it receives.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <sstream>

#include "tests/e2e/harness.h"

namespace {

class Messages : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = e2e::makeTempDir();
    ASSERT_TRUE(display_.start(640, 480, 24)) << "Xvfb did not start";
    setenv("DISPLAY", display_.name().c_str(), 1);
    ASSERT_TRUE(probe_.start({MESSAGE_PROBE_EXE}, {{"DISPLAY", display_.name()}}, dir_ + "/probe"));
    double deadline = e2e::now() + 10;
    while (probe_.out().find("READY") == std::string::npos && e2e::now() < deadline)
      e2e::sleepSeconds(0.02);
    std::string out = probe_.out();
    ASSERT_NE(out.find("READY "), std::string::npos);
    window_ = std::to_string(std::stoul(out.substr(out.find("READY ") + 6)));
  }

  void TearDown() override {
    display_.stop();
    e2e::shell("rm -rf " + dir_);
  }

  void xdotool(const std::string& args) {
    e2e::shell("timeout 10 xdotool " + args + " >/dev/null 2>&1");
    e2e::sleepSeconds(0.3);  // the probe polls every few milliseconds
  }

  // The messages received since the window was shown, one per line.
  std::vector<std::string> received() {
    std::istringstream in(probe_.out().substr(probe_.out().find('\n', probe_.out().find("READY"))));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
      if (!line.empty()) lines.push_back(line);
    return lines;
  }

  std::vector<std::string> receivedOf(const std::string& prefix) {
    std::vector<std::string> matching;
    for (const std::string& line : received())
      if (line.compare(0, prefix.size(), prefix) == 0) matching.push_back(line);
    return matching;
  }

  std::string dir_;
  std::string window_;
  e2e::VirtualDisplay display_;
  e2e::Process probe_;
};

TEST_F(Messages, HeldKeysRepeatTheirKeyDownWithThePreviousStateBit) {
  xdotool("keydown a sleep 1.5 keyup a");
  std::vector<std::string> keys = receivedOf("WM_KEY");
  ASSERT_GE(keys.size(), 3u);
  EXPECT_EQ(keys.front().substr(0, 15), "WM_KEYDOWN 41 1");  // first press: previous state up
  for (size_t i = 1; i + 1 < keys.size(); ++i) {
    EXPECT_EQ(keys[i].substr(0, 14), "WM_KEYDOWN 41 ") << "a key-up between repeats";
    EXPECT_TRUE(std::stoul(keys[i].substr(14), nullptr, 16) & (1u << 30)) << keys[i];
  }
  EXPECT_EQ(keys.back().substr(0, 12), "WM_KEYUP 41 ");
  EXPECT_TRUE(std::stoul(keys.back().substr(12), nullptr, 16) & (1ul << 31));
}

TEST_F(Messages, KeysMapToVirtualKeyCodes) {
  xdotool("key Escape 7 F12 Left Next KP_Multiply shift+z");
  std::vector<std::string> downs = receivedOf("WM_KEYDOWN");
  std::vector<std::string> codes;
  for (const std::string& line : downs) codes.push_back(line.substr(11, line.find(' ', 11) - 11));
  EXPECT_EQ(codes, (std::vector<std::string>{"1b", "37", "7b", "25", "22", "6a", "10", "5a"}));
}

TEST_F(Messages, AltMakesSystemKeysAndAltF4ClosesTheWindow) {
  xdotool("keydown alt key x keyup alt key F10");
  std::vector<std::string> sys = receivedOf("WM_SYS");
  ASSERT_EQ(sys.size(), 6u);
  EXPECT_EQ(sys[0].substr(0, 17), "WM_SYSKEYDOWN 12 ");
  EXPECT_EQ(sys[1].substr(0, 17), "WM_SYSKEYDOWN 58 ");
  EXPECT_TRUE(std::stoul(sys[1].substr(17), nullptr, 16) & (1u << 29)) << "context code";
  EXPECT_EQ(sys[2].substr(0, 15), "WM_SYSKEYUP 58 ");
  EXPECT_EQ(sys[3].substr(0, 15), "WM_SYSKEYUP 12 ");
  EXPECT_EQ(sys[4].substr(0, 17), "WM_SYSKEYDOWN 79 ");  // F10 alone
  EXPECT_EQ(receivedOf("WM_CLOSE").size(), 0u);

  xdotool("key alt+F4");
  EXPECT_EQ(probe_.waitExit(10), 0);
  std::vector<std::string> all = received();
  EXPECT_EQ(receivedOf("WM_SYSCOMMAND f060").size(), 1u);  // SC_CLOSE
  EXPECT_EQ(receivedOf("WM_CLOSE").size(), 1u);
  EXPECT_EQ(all.back(), "WM_QUIT 7");
}

TEST_F(Messages, ButtonsCarryTheirKeyStateAndPosition) {
  xdotool("mousemove --window " + window_ +
          " 30 40 keydown ctrl click 2 keyup ctrl click 3 "
          "click 4");
  EXPECT_EQ(receivedOf("WM_MBUTTONDOWN"), std::vector<std::string>{"WM_MBUTTONDOWN 18 28001e"});
  EXPECT_EQ(receivedOf("WM_MBUTTONUP"), std::vector<std::string>{"WM_MBUTTONUP 8 28001e"});
  EXPECT_EQ(receivedOf("WM_RBUTTONDOWN"), std::vector<std::string>{"WM_RBUTTONDOWN 2 28001e"});
  EXPECT_EQ(receivedOf("WM_RBUTTONUP"), std::vector<std::string>{"WM_RBUTTONUP 0 28001e"});
  EXPECT_EQ(receivedOf("WM_MOUSEWHEEL").size(), 1u);
  EXPECT_EQ(receivedOf("WM_LBUTTON").size(), 0u);
}

TEST_F(Messages, UnmappingMinimisesAndMappingRestores) {
  xdotool("windowunmap --sync " + window_);
  std::vector<std::string> all = received();
  ASSERT_GE(all.size(), 2u);
  EXPECT_EQ(all[all.size() - 2], "WM_ACTIVATE 10000 0");  // inactive, minimised
  EXPECT_EQ(all.back(), "WM_SIZE 1 0");                   // SIZE_MINIMIZED, 0 x 0

  xdotool("windowmap --sync " + window_);
  all = received();
  EXPECT_EQ(all[all.size() - 2], "WM_SIZE 0 9600c8");  // restored to 200 x 150
  EXPECT_EQ(all.back(), "WM_ACTIVATE 1 0");

  xdotool("windowsize --sync " + window_ + " 300 100");
  EXPECT_EQ(received().back(), "WM_SIZE 0 64012c");
}

}  // namespace
