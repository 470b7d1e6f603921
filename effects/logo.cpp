// The event logo: one quad that shrinks from scale 20 to 1.5 and swings about the screen centre.
#include "effects/logo.h"

#include <math.h>

#include "effects/periodic.h"
#include "effects/pictureregions.h"
#include "image/textureset.h"
#include "platform/system.h"

// The logo's own time in seconds, not an angle, whatever the program's name says; the zoom and
// the swing both follow from it. Start value: initsterrenveld.
float rotateTolvane;

// The logo settles once its time passes 0.925; from then on its time only drives the swing,
// whose period is 2 pi. The time is kept within one period above 1.0, a round value safely past
// 0.925, so the zoom stays settled and the swing's argument stays small however long it runs.
static const double TOLVANESWINGFROM = 1.0;

static float logoscale() {
  float a = (float)(20.0f - rotateTolvane * 20.0);
  return a;
}

void tekentolvanelogo(double dt) {
  rotateTolvane = keepperiodic(rotateTolvane + dt, TWOPI, TOLVANESWINGFROM);

  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glBindTexture(GL_TEXTURE_2D, texture[TEXTURE_LOGO]);
  glLoadIdentity();
  glRotatef((float)(sin((double)rotateTolvane) * 20.0), 0.0f, 0.0f, 1.0f);

  float a = logoscale();
  if (a < 1.5f) a = 1.5f;
  const float k = (float)((double)LOGO_WIDTH / LOGO_HEIGHT);  // the region's width over height
  const float right = (float)LOGO_WIDTH / LOGOPICTURE_SIZE;
  const float bottom = (float)LOGO_HEIGHT / LOGOPICTURE_SIZE;
  const float halfwidthperscale = (float)(2.0f * k);
  float w = (float)(halfwidthperscale * a);
  float h = (float)(2.0f * a);

  glColor4ub(255, 255, 255, 255);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(-w, h, -20.0f);
  glTexCoord2f(right, 0.0f);
  glVertex3f(w, h, -20.0f);
  glTexCoord2f(right, bottom);
  glVertex3f(w, -h, -20.0f);
  glTexCoord2f(0.0f, bottom);
  glVertex3f(-w, -h, -20.0f);
  glEnd();
}

bool tolvanelogodone() { return logoscale() < 1.5f; }
