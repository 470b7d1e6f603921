// Reads the recorded OpenGL calls back as the quads they draw.
#pragma once

#include <gtest/gtest.h>

#include <array>
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

// Every glBegin/glEnd pair of the recorded calls; each must be GL_QUADS with four
// glTexCoord2f/glVertex3f pairs.
inline std::vector<RecordedQuad> recordedQuads() {
  std::vector<RecordedQuad> quads;
  const std::vector<fake::GlCall>& calls = fake::glCalls();
  std::vector<double> color;
  for (size_t i = 0; i < calls.size(); i++) {
    if (calls[i].name == "glColor4ub") color = calls[i].args;
    if (calls[i].name != "glBegin") continue;
    bool whole =
        i + 9 < calls.size() && calls[i].args[0] == GL_QUADS && calls[i + 9].name == "glEnd";
    EXPECT_TRUE(whole) << "a quad is glBegin(GL_QUADS), four corners, glEnd: call " << i;
    if (!whole) break;
    RecordedQuad q{color, {}};
    for (int k = 0; k < 4; k++) {
      const fake::GlCall &tc = calls[i + 1 + 2 * k], &v = calls[i + 2 + 2 * k];
      EXPECT_EQ(tc.name + v.name, "glTexCoord2fglVertex3f");
      q.c[k] = {tc.args[0], tc.args[1], v.args[0], v.args[1], v.args[2]};
    }
    quads.push_back(q);
    i += 9;
  }
  return quads;
}

// The first n calls as text.
inline std::vector<std::string> firstCalls(size_t n) {
  std::vector<std::string> out;
  for (size_t i = 0; i < n && i < fake::glCalls().size(); i++)
    out.push_back(fake::callText(fake::glCalls()[i].name, fake::glCalls()[i].args));
  return out;
}

// Corners (x0,y0) (x1,y0) (x1,y1) (x0,y1) at depth z, textured (s0,t0) (s1,t0) (s1,t1) (s0,t1);
// x within xTolerance, everything else exact.
inline void expectQuad(const RecordedQuad& q, std::array<double, 4> xy, double z,
                       std::array<double, 4> st, double xTolerance = 0) {
  for (int k = 0; k < 4; k++) {
    bool right = k == 1 || k == 2, second = k >= 2;
    EXPECT_NEAR(q.c[k].x, xy[right ? 2 : 0], xTolerance) << "corner " << k;
    EXPECT_EQ(std::vector<double>({q.c[k].y, q.c[k].z, q.c[k].s, q.c[k].t}),
              std::vector<double>({xy[second ? 3 : 1], z, st[right ? 2 : 0], st[second ? 3 : 1]}))
        << "corner " << k;
  }
}
