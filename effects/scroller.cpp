// The sine scroller: a line of rippling letters running right to left, and its reflection.
#include "effects/scroller.h"

#include <math.h>
#include <stdint.h>
#include <string.h>

#include "effects/floatmod.h"
#include "effects/fontcells.h"
#include "effects/periodic.h"
#include "image/textureset.h"
#include "platform/system.h"

// Start values: initsterrenveld.
float scroller2pos_x;
float scroller2pos_y;
float scroller2HSinPos;
float scroller2offet;
float scroller2totallapse;

const float scroller2fontsize_w = 2.0f;
const float scroller2fontsize_h = 1.5f;
const float scroller2looppos_x = -18.0f;
const float scroller2MustBelLeftOf = 17.0f;
const float scroller2SinSize = 0.5f;
const float scroller2flipypos = -2.0f;

const char scroller2text[] =
    "lets start on the atari desktop and throw in the fancy stuff. Check "
    "http://tolvane.example/"
    " for more info. Feel free to install this on every pc in house or at the office. "
    "Greets to all. Wrap....   ";
const int scroller2textlength = (int)sizeof scroller2text - 1;

static const float BOBRATE = 0.4f;  // radians per second of scroller time

// The scroll position repeats every line length 2L once every letter has wrapped, that is
// once the first letter is more than a line length left of the wrap position. Below one more
// line length it is moved back by whole line lengths; the picture stays the same.
static float keepscrollposition(double x) {
  double line = (double)scroller2textlength * scroller2fontsize_w;
  double below = scroller2looppos_x - 2.0 * line;
  if (x < below) x = below + line - fmod(below - x, line);
  return (float)x;
}

void getletter(char c, int* col, int* row) {
  int k = FONTCELL_BLANK_COLUMN;
  int r = 0;
  signed char s = (signed char)c;
  if (s >= 'a' && s <= 'z') s = (signed char)(s - 32);
  for (int y = 0; y < FONTCELL_ROWS; y++)
    for (int x = 0; FONTCELLS[y][x] != '\0'; x++)
      if (FONTCELLS[y][x] == s) {
        k = x;
        r = y;
      }
  *col = k;
  *row = r;
}

// A corner displaced by both waves. Most corners are shared by two or four pieces of a letter
// and every row of corners by all letters, so within one call each result is kept in a small
// table keyed on the corner's exact position: the sines are taken once per distinct corner.
// The table is emptied at the start of every call, since the wave phase moves between calls.
struct DisplacedCorner {
  float x, y;    // the corner before displacement
  float dx, dy;  // after the sideways and the standing wave
  bool used;
};

static DisplacedCorner displacedCorners[64];

static void forgetDisplacedCorners() {
  for (DisplacedCorner& c : displacedCorners) c.used = false;
}

static uint32_t bitsOf(float f) {
  uint32_t b;
  memcpy(&b, &f, sizeof b);
  return b;
}

// The slot mixes the bits of both coordinates by multiplicative hashing (2^32 and 2^16 over the
// golden ratio, then xxHash's second prime) and keeps the top 6 bits: one of 64 slots. A
// collision only costs the sines again.
static void displace(float x, float y, float* dx, float* dy) {
  uint32_t slot = ((bitsOf(x) * 2654435761u) ^ (bitsOf(y) * 40503u)) * 2246822519u >> 26;
  DisplacedCorner& c = displacedCorners[slot];
  if (!c.used || c.x != x || c.y != y) {
    c.x = x;
    c.y = y;
    c.dx = (float)(x + sin((double)y + scroller2HSinPos));
    c.dy = (float)(y + scroller2SinSize * sin((double)c.dx));
    c.used = true;
  }
  *dx = c.dx;
  *dy = c.dy;
}

static void tekenpiece(const FLOATRECT& t, const FLOATRECT& v, bool reflection) {
  const float s[4] = {t.left, t.right, t.right, t.left};
  const float tt[4] = {t.top, t.top, t.bottom, t.bottom};
  const float x[4] = {v.left, v.right, v.right, v.left};
  const float y[4] = {v.top, v.top, v.bottom, v.bottom};
  float dx[4];
  float dy[4];
  for (int i = 0; i < 4; i++) {
    displace(x[i], y[i], &dx[i], &dy[i]);
    if (reflection)
      dy[i] = (float)((double)scroller2flipypos - ((double)dy[i] - scroller2flipypos));
    dy[i] = (float)(dy[i] + scroller2offet);
  }
  glBegin(GL_QUADS);
  for (int i = 0; i < 4; i++) {
    glTexCoord2f(s[i], tt[i]);
    glVertex3f(dx[i], dy[i], -20.0f);
  }
  glEnd();
}

void tekenscroller2letter(FLOATRECT t, FLOATRECT v, int depth, bool reflection) {
  if (depth <= 0) {
    tekenpiece(t, v, reflection);
    return;
  }
  float mu = (float)(((double)t.right + t.left) / 2.0);
  float mv = (float)(((double)t.bottom + t.top) / 2.0);
  float mx = (float)(((double)v.right + v.left) / 2.0);
  float my = (float)(((double)v.bottom + v.top) / 2.0);
  tekenscroller2letter({t.left, t.top, mu, mv}, {v.left, v.top, mx, my}, depth - 1, reflection);
  tekenscroller2letter({mu, t.top, t.right, mv}, {mx, v.top, v.right, my}, depth - 1, reflection);
  tekenscroller2letter({t.left, mv, mu, t.bottom}, {v.left, my, mx, v.bottom}, depth - 1,
                       reflection);
  tekenscroller2letter({mu, mv, t.right, t.bottom}, {mx, my, v.right, v.bottom}, depth - 1,
                       reflection);
}

void tekenscroller2(double dt, bool reflection) {
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glBindTexture(GL_TEXTURE_2D, texture[reflection ? TEXTURE_FONT_DARKER : TEXTURE_FONT]);
  glLoadIdentity();

  // Each accumulator is kept within a period or two (the bob, the line, the wave), so that a
  // step never rounds away however long the program runs.
  scroller2totallapse = keepperiodic(scroller2totallapse + dt, TWOPI / (double)BOBRATE);
  scroller2pos_x = keepscrollposition(scroller2pos_x - dt * 3.0);
  scroller2HSinPos = keepperiodic(scroller2HSinPos + dt * 3.0, TWOPI);
  scroller2offet = (float)(sin((double)scroller2totallapse * (double)BOBRATE) * 4.0);
  forgetDisplacedCorners();

  const float line = (float)(scroller2textlength * scroller2fontsize_w);
  for (int i = 0; i < scroller2textlength; i++) {
    float p = (float)((double)i * scroller2fontsize_w + scroller2pos_x);
    p = (float)(p - scroller2looppos_x);
    if (p < 0.0f) p = (float)(line - floatmod(-p, line));
    float x = (float)(p + scroller2looppos_x);
    if (x > scroller2MustBelLeftOf) continue;  // at most 18 of the letters are on screen

    int k, r;
    getletter(scroller2text[i], &k, &r);
    const float atlas = FONTATLAS_SIZE;
    FLOATRECT tex = {(float)(FONTCELL_SIZE * k) / atlas, (float)(FONTCELL_SIZE * r) / atlas,
                     (float)(FONTCELL_SIZE * k + FONTGLYPH_WIDTH) / atlas,
                     (float)(FONTCELL_SIZE * r + FONTGLYPH_HEIGHT) / atlas};
    FLOATRECT vert = {x, scroller2pos_y, (float)(x + scroller2fontsize_w),
                      (float)(scroller2pos_y - scroller2fontsize_h)};
    glColor4ub(255, 255, 255, 255);
    tekenscroller2letter(tex, vert, 2, reflection);
  }
}
