// Records the OpenGL and GLU calls the program makes, with their arguments, instead of drawing.
#pragma once

#include <functional>
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
// Called with each call as it is recorded (the Win32 double logs them beside its own).
extern std::function<void(const GlCall&)> onGlCall;

// A call as text, "name(1,0.5)", so that sequences compare against an expected list at once.
std::string callText(const std::string& name, const std::vector<double>& args = {});

}  // namespace fake
