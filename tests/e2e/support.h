// What the end-to-end tests share: child processes with captured output, the shell (xdotool,
// xwininfo, import), bounded waits, and the real dravik executable in a folder of its own.
#pragma once

// clang-format off
#include <gtest/gtest.h>  // before Xlib, whose macros (None, Bool) would break it
#include <X11/Xlib.h>
// clang-format on
#include <signal.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>

namespace {

inline double now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Polls every 20 ms until the condition holds; false when it has not within the time.
inline bool waitFor(double seconds, const std::function<bool()>& condition) {
  for (double end = now() + seconds; !condition(); usleep(20000))
    if (now() > end) return false;
  return true;
}

// A shell command's stdout (up to 64 KiB).
inline std::string shell(const std::string& command) {
  std::string output(1 << 16, '\0');
  FILE* pipe = popen(command.c_str(), "r");
  output.resize(fread(&output[0], 1, output.size(), pipe));
  pclose(pipe);
  return output;
}

inline std::string xdotool(const std::string& args) {
  return shell("timeout 10 xdotool " + args + " 2>/dev/null");
}

// The first id xdotool finds for a visible window of this exact title, within 10 s; "" if none.
inline std::string findWindow(const std::string& title) {
  std::string id = xdotool("search --sync --onlyvisible --name '^" + title + "$'");
  return id.substr(0, id.find('\n'));
}

// A shell command line in a process group of its own (a stray key the test sends to a terminal
// never reaches it), stdin from /dev/null, stdout dropped, stderr to a file; killed when it goes
// out of scope.
struct Process {
  void start(const std::string& command, const std::string& errFile) {
    std::string line = "exec " + command + " </dev/null >/dev/null 2>" + (errPath = errFile);
    if ((pid = fork()) == 0) {
      setpgid(0, 0);
      execl("/bin/sh", "sh", "-c", line.c_str(), (char*)nullptr);
      _exit(127);
    }
  }
  bool running() { return pid > 0 && waitpid(pid, &status, WNOHANG) == 0; }
  // The exit code (128 + the signal if one ended it), or -1 when it has not ended within the
  // time (it is then killed).
  int waitExit(double seconds) {
    if (waitFor(seconds, [this] { return !running(); }))
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
  }
  std::string err() const { return shell("cat " + errPath + " 2>/dev/null"); }
  ~Process() { waitExit(0); }

  pid_t pid = -1;
  int status = 0;
  std::string errPath;
};

// Each test gets a fresh folder: the executable beside its pictures, a home and no setting yet.
class Screensaver : public ::testing::Test {
 protected:
  void SetUp() override {
    shell("mkdir -p " + dir_ + "/app " + dir_ + "/config/dravik && cp " DRAVIK_EXE " " + dir_ +
          "/app/dravik && cp -r " DRAVIK_DATA_DIR " " + dir_ + "/app/Data");
    xdotool("mousemove 0 0");
  }
  void TearDown() override {
    if (x_) XCloseDisplay(x_);
    shell("rm -rf " + dir_);
  }

  void writeSetting(const std::string& parentHwnd) {
    std::ofstream(dir_ + "/config/dravik/registry.reg")
        << "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\VORTEQ\\"
        << "Screensaver1]\n\"ParentHWND\"=\"" << parentHwnd << "\"\n";
  }

  // The program with these (shell-quoted) arguments; env: options and assignments for env(1).
  void start(const std::string& args = "", const std::string& env = "") {
    saver_.start("env " + env + " HOME=" + dir_ + " XDG_CONFIG_HOME=" + dir_ + "/config " + dir_ +
                     "/app/dravik " + args,
                 dir_ + "/dravik.err");
  }

  // The window's id once it is up; full screen: with the keyboard, and showing the show.
  std::string waitUntilRunning(bool fullScreen = true) {
    std::string id;
    bool up = waitFor(30, [&] {
      id = findWindow("Dravik Screensaver");
      return !saver_.running() ||
             (!id.empty() &&
              (!fullScreen || (xdotool("getwindowfocus") == id + "\n" && grey(id) > 0.1)));
    });
    return up && saver_.running() ? id : "";
  }

  // Whether the program is still running after a moment in which nothing should end it.
  bool keepsRunning(double seconds = 1) {
    return !waitFor(seconds, [&] { return !saver_.running(); });
  }

  // How the run ended, within the time: the exit code (see waitExit), a blank, what it printed.
  std::string outcome(double seconds) {
    int exitCode = saver_.waitExit(seconds);
    return std::to_string(exitCode) + " " + saver_.err();
  }

  // A window of another program: the test's own, on a connection of its own.
  unsigned long foreignWindow(int width = 320, int height = 240) {
    if (!x_) XSynchronize(x_ = XOpenDisplay(nullptr), True);  // each request done on return
    Window w = XCreateSimpleWindow(x_, DefaultRootWindow(x_), 50, 60, width, height, 0, 0, 0);
    XMapWindow(x_, w);
    return w;
  }

  // The mean grey level of what a window (and crop) shows, 0 (black) to 1, or another measure.
  double grey(const std::string& window, const char* fx = "mean") {
    return std::stod("0" + shell("import -silent -window " + window +
                                 " -colorspace gray -format '%[fx:" + fx + "]' info:"));
  }

  // The id of the topmost child of the root (xwininfo lists the top first).
  unsigned long topmost() {
    std::string first = "xwininfo -root -children | awk '/children:/ {getline; print $1}'";
    return std::stoul(shell(first), nullptr, 16);
  }

  std::string dir_ = shell("mktemp -d /tmp/dravik-e2e-XXXXXX | tr -d '\\n'");
  Process saver_;
  Display* x_ = nullptr;
};

}  // namespace
