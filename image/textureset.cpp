// Loading the pictures into textures (readers still to come).
#include "image/textureset.h"

#include "effects/starfield.h"
#include "scene/mytime.h"

GLuint texture[8];

bool LoadGLTextures() {
  lMytime.Reset();
  return true;
}

bool InitGL() {
  if (!LoadGLTextures()) return false;
  rotate2 = 0.0f;
  return true;
}
