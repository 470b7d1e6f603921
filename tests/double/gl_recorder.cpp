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
  for (size_t i = 0; i < args.size(); i++) {
    snprintf(n, sizeof n, i ? ",%.9g" : "%.9g", args[i]);
    s += n;
  }
  return s + ")";
}

}  // namespace fake

namespace {

void rec(const char* name, std::vector<double> args, std::vector<unsigned char> pixels = {}) {
  fake::glCalls().push_back({name, std::move(args), std::move(pixels)});
  if (fake::onGlCall) fake::onGlCall(fake::glCalls().back());
}

GLuint nextTextureName = 1;

}  // namespace

extern "C" {

void glEnable(GLenum cap) { rec("glEnable", {(double)cap}); }
void glDisable(GLenum cap) { rec("glDisable", {(double)cap}); }
void glShadeModel(GLenum mode) { rec("glShadeModel", {(double)mode}); }
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
  rec("glClearColor", {r, g, b, a});
}
void glClearDepth(GLclampd depth) { rec("glClearDepth", {depth}); }
void glHint(GLenum target, GLenum mode) { rec("glHint", {(double)target, (double)mode}); }
void glClear(GLbitfield mask) { rec("glClear", {(double)mask}); }
void glBlendFunc(GLenum s, GLenum d) { rec("glBlendFunc", {(double)s, (double)d}); }
void glBindTexture(GLenum target, GLuint name) {
  rec("glBindTexture", {(double)target, (double)name});
}
void glLoadIdentity(void) { rec("glLoadIdentity", {}); }
void glMatrixMode(GLenum mode) { rec("glMatrixMode", {(double)mode}); }
void glViewport(GLint x, GLint y, GLsizei w, GLsizei h) {
  rec("glViewport", {(double)x, (double)y, (double)w, (double)h});
}
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  rec("glRotatef", {angle, x, y, z});
}
void glColor4ub(GLubyte r, GLubyte g, GLubyte b, GLubyte a) {
  rec("glColor4ub", {(double)r, (double)g, (double)b, (double)a});
}
void glBegin(GLenum mode) { rec("glBegin", {(double)mode}); }
void glEnd(void) { rec("glEnd", {}); }
void glTexCoord2f(GLfloat s, GLfloat t) { rec("glTexCoord2f", {s, t}); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { rec("glVertex3f", {x, y, z}); }
void glGenTextures(GLsizei n, GLuint* names) {
  for (GLsizei i = 0; i < n; ++i) names[i] = nextTextureName++;
  rec("glGenTextures", {(double)n});
}
void glTexParameteri(GLenum target, GLenum pname, GLint param) {
  rec("glTexParameteri", {(double)target, (double)pname, (double)param});
}
void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const GLvoid* pixels) {
  std::vector<unsigned char> bytes;
  if (pixels && width > 0 && height > 0) {
    const unsigned char* p = (const unsigned char*)pixels;
    bytes.assign(p, p + (size_t)width * height * (format == GL_RGBA ? 4 : 3));
  }
  rec("glTexImage2D",
      {(double)target, (double)level, (double)internalFormat, (double)width, (double)height,
       (double)border, (double)format, (double)type, pixels ? 1.0 : 0.0},
      std::move(bytes));
}
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  rec("gluPerspective", {fovy, aspect, zNear, zFar});
}

}  // extern "C"
