// The desktop picture: a quad at depth 20 that is tossed up and falls away along a parabola.
#include "effects/atariscreen.h"

#include "effects/pictureregions.h"
#include "image/textureset.h"
#include "platform/system.h"

// The fall's time T in seconds, the sum of the steps passed in: not an angle, whatever the
// program's name says. Start value: initsterrenveld.
float rotateAtariScreen;

// The program's names: t is this frame's step, T (upper case) the time since the fall began.
// From T = 80/3 s on the picture lies beyond the far plane. T is never clamped: a float sum of
// frame steps stops growing long before its square leaves the float range, so every
// coordinate stays finite.
void tekenatariscreen(float t) {
  rotateAtariScreen = rotateAtariScreen + t;
  float T = rotateAtariScreen;

  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glBindTexture(GL_TEXTURE_2D, texture[TEXTURE_DESKTOP]);

  float q = (float)(-3.0 * T * T);
  float Y = (float)(5.0 * T + q);
  float z = (float)(-20.0 - 3.0 * T);
  const float halfwidth = 10.0f;
  const float halfheight = 10.0f / DESKTOP_WIDTH * DESKTOP_HEIGHT;  // the region's proportions
  const float right = (float)DESKTOP_WIDTH / DESKTOPPICTURE_SIZE;
  const float bottom = (float)DESKTOP_HEIGHT / DESKTOPPICTURE_SIZE;

  glLoadIdentity();
  glColor4ub(255, 255, 255, 255);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(-halfwidth, (float)(Y + halfheight), z);
  glTexCoord2f(right, 0.0f);
  glVertex3f(halfwidth, (float)(Y + halfheight), z);
  glTexCoord2f(right, bottom);
  glVertex3f(halfwidth, (float)(Y - halfheight), z);
  glTexCoord2f(0.0f, bottom);
  glVertex3f(-halfwidth, (float)(Y - halfheight), z);
  glEnd();
}
