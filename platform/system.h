// The one include for platform services: the real Windows headers on Windows,
// our own Win32 subset elsewhere, and OpenGL with GLU on both.
#pragma once

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#include <windows.h>
#else
#include "win32.h"
#endif

#include <GL/gl.h>
#include <GL/glu.h>
