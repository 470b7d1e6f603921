// A fresh double and fresh program globals for every host test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/double/gl_recorder.h"
#include "tests/double/win32_double.h"

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::reset();
    fake::resetGl();
    fake::resetProgramGlobals();
  }

  fake::Platform& os() { return fake::platform(); }

  // Message boxes of the host itself (the image loader reports under its own captions).
  std::vector<fake::MessageBox> hostBoxes() {
    std::vector<fake::MessageBox> out;
    for (const fake::MessageBox& b : os().boxes)
      if (b.caption == "ERROR" || b.caption == "SHUTDOWN ERROR" || b.caption == "Error")
        out.push_back(b);
    return out;
  }

  // Index of the first call with this name at or after `from`, or -1.
  int indexOf(const std::string& name, int from = 0) {
    for (int i = from; i < (int)os().calls.size(); ++i)
      if (os().calls[i] == name) return i;
    return -1;
  }

  // Ends the run with a WM_QUIT once `frames` frames were presented.
  void quitAfterFrames(int frames) {
    os().onSwapBuffers = [this, frames] {
      if (os().swaps == frames) os().postMessage(WM_QUIT, 0);
    };
  }
};
