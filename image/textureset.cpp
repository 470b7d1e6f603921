// Loading the pictures of Data/ into textures, once, at start-up.
#include "image/textureset.h"

#include "effects/starfield.h"
#include "image/doublebitmap.h"
#include "image/mybitmap.h"
#include "scene/mytime.h"

#ifdef _WIN32
#define DATA_FILE(name) "Data\\" name
#else
#define DATA_FILE(name) "Data/" name
#endif

GLuint texture[8];

namespace {

// A fresh texture name in the slot, bound, with linear filtering both ways.
void newTexture(GLuint* slot) {
  glGenTextures(1, slot);
  glBindTexture(GL_TEXTURE_2D, *slot);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

// An RGB picture. A file that could not be read is uploaded as a 0 x 0 image.
void loadPicture(int slot, const char* path, bool mirror) {
  CMyBitmap* picture = new CMyBitmap(path);
  if (mirror) picture->flipY();
  newTexture(&texture[slot]);
  GLsizei w = picture->getWidth();
  GLsizei h = picture->getHeight();
  const BYTE* pixels = picture->getPixelData();
  glTexImage2D(GL_TEXTURE_2D, 0, 3, w, h, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
  delete picture;
}

// An RGBA picture from a colour file and a mask file, mirrored so its top row comes first.
void loadMaskedPicture(int slot, const char* colourPath, const char* maskPath) {
  CDoubleBitmap* picture = new CDoubleBitmap(colourPath, maskPath);
  picture->flipY();
  newTexture(&texture[slot]);
  GLsizei w = picture->getWidth();
  GLsizei h = picture->getHeight();
  const BYTE* pixels = picture->getPixelData();
  glTexImage2D(GL_TEXTURE_2D, 0, 4, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  delete picture;
}

}  // namespace

bool LoadGLTextures() {
  loadPicture(0, DATA_FILE("Star.bmp"), false);
  loadPicture(1, DATA_FILE("background2.bmp"), false);
  loadMaskedPicture(2, DATA_FILE("tolvane image logo.bmp"),
                    DATA_FILE("tolvane image logo mask.bmp"));
  loadMaskedPicture(4, DATA_FILE("font2.bmp"), DATA_FILE("font2mask.bmp"));
  loadMaskedPicture(5, DATA_FILE("font2darker.bmp"), DATA_FILE("font2mask.bmp"));
  loadPicture(6, DATA_FILE("atari desktop.bmp"), true);

  // Loading and its message boxes do not count towards the first frame.
  lMytime.Reset();
  return true;
}

bool InitGL() {
  if (!LoadGLTextures()) return false;
  rotate2 = 0.0f;
  return true;
}
