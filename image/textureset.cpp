// Loading the pictures of Data/ into textures, once, at start-up.
#include "image/textureset.h"

#include "image/doublebitmap.h"
#include "image/mybitmap.h"
#include "picture_names.h"

#ifdef _WIN32
#define DATA_FILE(name) "Data\\" name
#else
#define DATA_FILE(name) "Data/" name
#endif

GLuint texture[8];

namespace {

// Gives the picture a fresh texture name in its slot (linear filtering both ways), uploads it
// and releases it: OpenGL keeps its own copy. An empty picture is uploaded as a 0 x 0 image.
template <class Picture>
void upload(int slot, Picture* picture, GLint components, GLenum format) {
  glGenTextures(1, &texture[slot]);
  glBindTexture(GL_TEXTURE_2D, texture[slot]);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  GLsizei w = picture->getWidth();
  GLsizei h = picture->getHeight();
  const BYTE* pixels = picture->getPixelData();
  glTexImage2D(GL_TEXTURE_2D, 0, components, w, h, 0, format, GL_UNSIGNED_BYTE, pixels);
  delete picture;
}

// An RGB picture, mirrored on request so that its top row comes first.
void loadPicture(int slot, const char* path, bool mirror) {
  CMyBitmap* picture = new CMyBitmap(path);
  if (mirror) picture->flipY();
  upload(slot, picture, 3, GL_RGB);
}

// An RGBA picture from a colour file and a mask file, mirrored so its top row comes first.
void loadMaskedPicture(int slot, const char* colourPath, const char* maskPath) {
  CDoubleBitmap* picture = new CDoubleBitmap(colourPath, maskPath);
  picture->flipY();
  upload(slot, picture, 4, GL_RGBA);
}

}  // namespace

bool LoadGLTextures() {
  loadPicture(TEXTURE_STAR, DATA_FILE(PICTURE_STAR), false);
  loadPicture(TEXTURE_BACKGROUND, DATA_FILE(PICTURE_BACKGROUND), false);
  loadMaskedPicture(TEXTURE_LOGO, DATA_FILE(PICTURE_LOGO), DATA_FILE(PICTURE_LOGO_MASK));
  loadMaskedPicture(TEXTURE_FONT, DATA_FILE(PICTURE_FONT), DATA_FILE(PICTURE_FONT_MASK));
  loadMaskedPicture(TEXTURE_FONT_DARKER, DATA_FILE(PICTURE_FONT_DARKER),
                    DATA_FILE(PICTURE_FONT_MASK));
  loadPicture(TEXTURE_DESKTOP, DATA_FILE(PICTURE_DESKTOP), true);
  return true;
}
