// The texture set: every picture of Data/ uploaded once at start-up, each in a slot of its own.
#pragma once

#include "platform/system.h"

// The slots by what they hold; slots 3 and 7 stay empty.
enum TextureSlot {
  TEXTURE_STAR = 0,
  TEXTURE_BACKGROUND = 1,  // uploaded, never drawn
  TEXTURE_LOGO = 2,
  TEXTURE_FONT = 4,
  TEXTURE_FONT_DARKER = 5,
  TEXTURE_DESKTOP = 6
};

extern GLuint texture[8];

// Reads the pictures and uploads them, reporting each that cannot be read; always true.
bool LoadGLTextures();
