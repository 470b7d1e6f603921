// The texture set: every picture of Data/ uploaded once at start-up.
#pragma once

#include "platform/system.h"

extern GLuint texture[8];

bool InitGL();
bool LoadGLTextures();
