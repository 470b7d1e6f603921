// Reads the recorded OpenGL calls back as the quads they draw.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/system.h"
#include "tests/double/gl_recorder.h"

struct Corner {
  double s, t, x, y, z;
};

struct RecordedQuad {
  std::vector<double> color;  // the last glColor4ub before glBegin, empty when none
  Corner c[4];
};

// Every glBegin/glEnd pair from `from` on; each must be GL_QUADS with exactly four
// glTexCoord2f/glVertex3f pairs in that order, else the test fails.
inline std::vector<RecordedQuad> recordedQuads(size_t from = 0) {
  std::vector<RecordedQuad> quads;
  const std::vector<fake::GlCall>& calls = fake::glCalls();
  std::vector<double> color;
  for (size_t i = from; i < calls.size(); i++) {
    if (calls[i].name == "glColor4ub") color = calls[i].args;
    if (calls[i].name != "glBegin") continue;
    EXPECT_EQ(calls[i].args[0], (double)GL_QUADS);
    if (i + 9 >= calls.size()) {
      ADD_FAILURE() << "quad cut short";
      break;
    }
    RecordedQuad q;
    q.color = color;
    for (int k = 0; k < 4; k++) {
      const fake::GlCall& tc = calls[i + 1 + 2 * k];
      const fake::GlCall& v = calls[i + 2 + 2 * k];
      EXPECT_EQ(tc.name, "glTexCoord2f");
      EXPECT_EQ(v.name, "glVertex3f");
      q.c[k] = {tc.args[0], tc.args[1], v.args[0], v.args[1], v.args[2]};
    }
    EXPECT_EQ(calls[i + 9].name, "glEnd");
    quads.push_back(q);
    i += 9;
  }
  return quads;
}

// The names of the recorded calls from `from` on.
inline std::vector<std::string> recordedNames(size_t from = 0) {
  std::vector<std::string> names;
  for (size_t i = from; i < fake::glCalls().size(); i++) names.push_back(fake::glCalls()[i].name);
  return names;
}
