// Records the OpenGL and GLU calls the program makes, with their arguments, instead of drawing.
#pragma once

#include <string>
#include <vector>

namespace fake {

struct GlCall {
  std::string name;
  std::vector<double> args;           // numbers as passed (enums and names as integers)
  std::vector<unsigned char> pixels;  // glTexImage2D: the uploaded bytes, when any
};

std::vector<GlCall>& glCalls();
void resetGl();

// The calls with this name, in order.
std::vector<GlCall> glCallsNamed(const std::string& name);

}  // namespace fake
