// An OpenGL that draws nothing: the frame's and the loading's calls cost only their call, and
// are counted.
// Defined in the executable, these take the place of the library's entry points.
#include "bench/nullgl.h"

#include "platform/system.h"

long nullGlCalls = 0;

extern "C" {

void glEnable(GLenum) { nullGlCalls++; }
void glDisable(GLenum) { nullGlCalls++; }
void glShadeModel(GLenum) { nullGlCalls++; }
void glClearColor(GLclampf, GLclampf, GLclampf, GLclampf) { nullGlCalls++; }
void glClearDepth(GLclampd) { nullGlCalls++; }
void glHint(GLenum, GLenum) { nullGlCalls++; }
void glClear(GLbitfield) { nullGlCalls++; }
void glBlendFunc(GLenum, GLenum) { nullGlCalls++; }
void glBindTexture(GLenum, GLuint) { nullGlCalls++; }
void glLoadIdentity(void) { nullGlCalls++; }
void glRotatef(GLfloat, GLfloat, GLfloat, GLfloat) { nullGlCalls++; }
void glColor4ub(GLubyte, GLubyte, GLubyte, GLubyte) { nullGlCalls++; }
void glBegin(GLenum) { nullGlCalls++; }
void glEnd(void) { nullGlCalls++; }
void glTexCoord2f(GLfloat, GLfloat) { nullGlCalls++; }
void glVertex3f(GLfloat, GLfloat, GLfloat) { nullGlCalls++; }

// Loading the pictures.
void glGenTextures(GLsizei n, GLuint* names) {
  static GLuint next = 1;
  for (GLsizei i = 0; i < n; i++) names[i] = next++;
  nullGlCalls++;
}
void glTexParameteri(GLenum, GLenum, GLint) { nullGlCalls++; }
void glTexImage2D(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const GLvoid*) {
  nullGlCalls++;
}

}  // extern "C"
