// The star field: 500 tinted sprites flying towards the viewer, turning and colour-cycling.
#include "effects/starfield.h"

#include <math.h>

#include "effects/floatmod.h"
#include "effects/msrand.h"
#include "effects/periodic.h"
#include "image/textureset.h"
#include "platform/system.h"

STAR star2[STARCOUNTMAX];

// Orange, green, blue, and orange again to close the cycle.
unsigned char schemes[7][3] = {{255, 128, 64}, {255, 128, 64}, {64, 128, 64}, {64, 128, 64},
                               {64, 128, 255}, {64, 128, 255}, {255, 128, 64}};
int schemecount = 6;
float schemepos;  // start value: initsterrenveld
float rotate2;    // start value: InitGL
unsigned int loop;

// The field turns by 5 * rotate2 degrees, so rotate2 repeats every 72.
static const double ROTATE2PERIOD = 72.0;

void placeStars() {
  for (loop = 0; loop < STARCOUNTMAX2; loop++) {
    star2[loop].x = (float)((msrand() % 256) * 2000.0 / 256.0 - 1000.0);
    star2[loop].y = (float)((msrand() % 256) * 2000.0 / 256.0 - 1000.0);
    star2[loop].z = (float)((msrand() % 256) * 6000.0 / -256.0);
  }
}

// Full strength 1000 units before the viewer, fading out towards 6000 and towards 0.
static float brightness(float z) {
  float f = (float)((double)1.2f - fabs((double)z) / 5000.0);
  if (f < 0.0f)
    f = 0.0f;
  else if (f > 1.0f)
    f = (float)(((double)1.2f - f) * 5.0);
  return f;
}

static void tekenster(const STAR& s) {
  float f = brightness(s.z);
  float p = floatmod((float)(s.y / 1000.0 + schemepos + 1000.0), (float)schemecount);
  int k = (int)p;
  float w = (float)(p - k);
  float v = (float)(1.0 - w);
  GLubyte rgb[3];
  for (int c = 0; c < 3; c++) {
    float value = (float)(schemes[k][c] * (double)v + schemes[k + 1][c] * (double)w);
    rgb[c] = (GLubyte)(int)((double)value * f);
  }
  glColor4ub(rgb[0], rgb[1], rgb[2], 255);

  float X = (float)(s.x / 1024.0);
  float Y = (float)(s.y / 1024.0);
  float Z = (float)(s.z / 1024.0);
  const double h = 0.15625;
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f((float)(X - h), (float)(Y - h), Z);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3f((float)(X + h), (float)(Y - h), Z);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f((float)(X + h), (float)(Y + h), Z);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f((float)(X - h), (float)(Y + h), Z);
  glEnd();
}

void tekensterrenveld(double dt) {
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glBindTexture(GL_TEXTURE_2D, texture[TEXTURE_STAR]);

  // Both accumulators stay within one period (a full turn, a full colour cycle), so the
  // picture is the one their unbounded values would give, without the growing rounding.
  rotate2 = keepperiodic(rotate2 + dt * 0.5, ROTATE2PERIOD);
  schemepos = keepperiodic(schemepos + dt * (double)0.4f, schemecount);

  glLoadIdentity();
  glRotatef((float)(5.0 * rotate2), 0.0f, 0.0f, 1.0f);

  for (loop = 0; loop < STARCOUNTMAX2; loop++) {
    STAR& s = star2[loop];
    if (s.z > 0.0f) s.z = -6000.0f;
    s.z = (float)(s.z + dt * 250.0);
    tekenster(s);
  }
}
