// The OpenGL recorder: each call the program makes is kept with its arguments.
#include "tests/double/gl_recorder.h"

#include <stdio.h>

#include "platform/system.h"

namespace fake {

std::vector<GlCall>& glCalls() {
  static std::vector<GlCall> calls;
  return calls;
}

std::function<void(const GlCall&)> onGlCall;

void resetGl() { glCalls().clear(); }

std::vector<GlCall> glCallsNamed(const std::string& name) {
  std::vector<GlCall> out;
  for (const GlCall& c : glCalls())
    if (c.name == name) out.push_back(c);
  return out;
}

std::string callText(const std::string& name, const std::vector<double>& args) {
  std::string s = name + "(";
  char n[32];
  for (double a : args) snprintf(n, sizeof n, "%.9g,", a), s += n;
  if (!args.empty()) s.pop_back();
  return s + ")";
}

}  // namespace fake

namespace {

// Records a call, each argument as a number; REC names it after the enclosing entry point.
template <class... A>
void rec(const char* name, A... args) {
  fake::glCalls().push_back({name, {(double)args...}, {}});
  if (fake::onGlCall) fake::onGlCall(fake::glCalls().back());
}
#define REC(...) rec(__func__, __VA_ARGS__)

GLuint nextTextureName = 1;

}  // namespace

extern "C" {

void glEnable(GLenum cap) { REC(cap); }
void glDisable(GLenum cap) { REC(cap); }
void glShadeModel(GLenum mode) { REC(mode); }
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) { REC(r, g, b, a); }
void glClearDepth(GLclampd depth) { REC(depth); }
void glHint(GLenum target, GLenum mode) { REC(target, mode); }
void glClear(GLbitfield mask) { REC(mask); }
void glBlendFunc(GLenum s, GLenum d) { REC(s, d); }
void glBindTexture(GLenum target, GLuint name) { REC(target, name); }
void glLoadIdentity(void) { rec(__func__); }
void glMatrixMode(GLenum mode) { REC(mode); }
void glViewport(GLint x, GLint y, GLsizei w, GLsizei h) { REC(x, y, w, h); }
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) { REC(angle, x, y, z); }
void glColor4ub(GLubyte r, GLubyte g, GLubyte b, GLubyte a) { REC(r, g, b, a); }
void glBegin(GLenum mode) { REC(mode); }
void glEnd(void) { rec(__func__); }
void glTexCoord2f(GLfloat s, GLfloat t) { REC(s, t); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { REC(x, y, z); }
void glGenTextures(GLsizei n, GLuint* names) {
  for (GLsizei i = 0; i < n; ++i) names[i] = nextTextureName++;
  REC(n);
}
void glTexParameteri(GLenum target, GLenum pname, GLint param) { REC(target, pname, param); }
void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const GLvoid* pixels) {
  const unsigned char* p = (const unsigned char*)pixels;
  REC(target, level, internalFormat, width, height, border, format, type, p ? 1 : 0);
  if (p && width > 0 && height > 0)
    fake::glCalls().back().pixels.assign(p, p + width * height * (format == GL_RGBA ? 4 : 3));
}
void gluPerspective(GLdouble fov, GLdouble a, GLdouble n, GLdouble f) { REC(fov, a, n, f); }

}  // extern "C"
