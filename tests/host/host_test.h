// A fresh double, clock and program state for every host test.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/double/win32_double.h"

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override { fake::reset(); }
  fake::Platform& os() { return fake::platform(); }

  // The boxes of the host itself, each as "caption: text style | " (the pictures, missing here,
  // report under their own captions).
  std::string hostBoxes() {
    std::string out;
    for (const fake::MessageBox& b : os().boxes)
      if (b.caption == "ERROR" || b.caption == "SHUTDOWN ERROR" || b.caption == "Error")
        out += b.caption + ": " + b.text + " " + std::to_string(b.style) + " | ";
    return out;
  }

  // The logged calls whose name is one of these, in order, each followed by " | ".
  std::string callsOf(const std::set<std::string>& names) {
    std::string out;
    for (const std::string& c : os().calls)
      if (names.count(c.substr(0, c.find('(')))) out += c + " | ";
    return out;
  }
};
