// The real dravik executable in a folder of its own with its pictures, started and looked at on
// the virtual display the test runs on.
#pragma once

// clang-format off
#include <gtest/gtest.h>  // before Xlib, whose macros (None, Bool) would break it
#include <X11/Xlib.h>
// clang-format on
#include <signal.h>
#include <string.h>

#include "tests/e2e/support.h"

namespace {

const char kTitle[] = "Dravik Screensaver";

class Screensaver : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = e2e::makeTempDir();
    ASSERT_FALSE(dir_.empty());
    // The executable in a folder of its own, beside its pictures; no setting yet.
    e2e::shell("mkdir -p " + dir_ + "/app " + dir_ + "/config/dravik && cp " DRAVIK_EXE " " + dir_ +
               "/app/dravik && cp -r " DRAVIK_DATA_DIR " " + dir_ + "/app/Data");
    e2e::xdotool("mousemove 0 0");
  }
  void TearDown() override {
    if (x_) XCloseDisplay(x_);
    e2e::shell("rm -rf " + dir_);
  }

  std::map<std::string, std::string> environment() {
    return {{"HOME", dir_}, {"XDG_CONFIG_HOME", dir_ + "/config"}};
  }

  void writeSetting(const std::string& parentHwnd) {
    e2e::writeFile(dir_ + "/config/dravik/registry.reg",
                   "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\VB "
                   "and VBA Program Settings\\VORTEQ\\Screensaver1]\r\n\"ParentHWND\"=\"" +
                       parentHwnd + "\"\r\n");
  }

  void start(e2e::Process& p, std::vector<std::string> args = {}) {
    args.insert(args.begin(), dir_ + "/app/dravik");
    ASSERT_TRUE(p.start(args, environment(), dir_ + "/dravik"));
  }

  // The window's id once it is up (full screen: with the keyboard) and start-up is over.
  std::string waitUntilRunning(e2e::Process& p, bool fullScreen = true) {
    std::string id;
    bool up = e2e::waitFor(20, [&] {
      id = e2e::xdotool("search --onlyvisible --name '^" + std::string(kTitle) + "$'");
      id = id.substr(0, id.find('\n'));
      return !p.running() ||
             (!id.empty() && (!fullScreen || e2e::xdotool("getwindowfocus") == id + "\n"));
    });
    e2e::sleepSeconds(0.3);  // the first frames
    return up && p.running() ? id : "";
  }

  // A window of another program: the test's own, on a connection of its own.
  unsigned long foreignWindow(int width = 320, int height = 240) {
    if (!x_) x_ = XOpenDisplay(nullptr);
    Window w = XCreateSimpleWindow(x_, DefaultRootWindow(x_), 50, 60, width, height, 0, 0, 0);
    XStoreName(x_, w, "Foreign window");
    XMapWindow(x_, w);
    XSync(x_, False);
    return w;
  }

  // The mean grey level of what a window shows, 0 (black) to 1.
  double brightness(unsigned long window) {
    return std::stod("0" + e2e::shell("import -silent -window " + std::to_string(window) +
                                      " -colorspace gray -format '%[fx:mean]' info:"));
  }

  std::string dir_;
  Display* x_ = nullptr;
};

}  // namespace
