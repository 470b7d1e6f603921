// What a viewer sees: whole frames drawn by real OpenGL (Mesa) in the program's own window on a
// virtual display, with a clock that stands still, read back and looked at pixel by pixel.
#include <gtest/gtest.h>
#include <math.h>
#include <unistd.h>

#include <vector>

#include "effects/atariscreen.h"
#include "effects/logo.h"
#include "effects/msrand.h"
#include "effects/scroller.h"
#include "effects/starfield.h"
#include "host/glwindow.h"
#include "scene/animation_state.h"
#include "scene/sequencer.h"

namespace {

class Render : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(chdir(DRAVIK_PICTURES_PARENT), 0);  // the program finds Data/ here
    initsterrenveld();
    ASSERT_TRUE(CreateGLWindow("Dravik Screensaver", 640, 480, 24, true));
  }
  static void TearDownTestSuite() { KillGLWindow(); }

  // One frame of the given phase, drawn with a zero time step, read back from the back buffer.
  void drawFrame(int phase) {
    animmode = phase;
    animmodetime = 1.0f;
    ASSERT_TRUE(DrawGLScene());
    pixels.assign(640 * 480 * 3, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    ASSERT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
  }
  // The pixel showing scene point (x, y) at depth 20 (45-degree view, 480 rows): red + green +
  // blue, and green alone.
  const unsigned char* at(double x, double y) const {
    double scale = 240 / (20.0 * tan(M_PI / 8));
    return &pixels[((size_t)lround(240 + y * scale) * 640 + lround(320 + x * scale)) * 3];
  }
  int sum(double x, double y) const { return at(x, y)[0] + at(x, y)[1] + at(x, y)[2]; }
  bool green(double x, double y) const {
    return at(x, y)[1] > 80 && at(x, y)[1] > at(x, y)[0] + 40 && at(x, y)[1] > at(x, y)[2] + 40;
  }
  // Lit pixels of the band of scene rows from y0 to y1, over columns clear of the logo.
  long band(double y0, double y1) const {
    long lit = 0;
    for (double x = -10.5; x <= 10.5; x += 0.05)
      for (double y = y0; y <= y1 && fabs(x) > 4.3; y += 0.05) lit += sum(x, y);
    return lit;
  }
  std::vector<unsigned char> pixels;
};

TEST_F(Render, FirstTheDesktopFillsTheMiddleUpright) {
  rotateAtariScreen = 0.0f;
  scroller2pos_x = 17.0f;  // the scroller's first letter beyond the right edge
  drawFrame(0);
  // Its 20 x 12.5 units are the picture, around it black; upright: the light menu bar along
  // the top edge, the green desk below.
  EXPECT_GT(sum(9.5, 5.95), 600);
  EXPECT_TRUE(green(9.5, -5.95) && green(-9.5, -5.95) && green(0, -5));
  for (auto [x, y] : {std::pair{-10.3, 0.0}, {10.3, 0.0}, {0.0, 6.6}, {0.0, -6.6}, {-11.0, 7.5}})
    EXPECT_EQ(sum(x, y), 0) << x << ", " << y;
}

TEST_F(Render, LaterStarsShowBesideTheFallenDesktopAndTheReflectionLiesDarkerBelowTheText) {
  msrandseed(MSRAND_UNSEEDED);
  placeStars();
  rotateTolvane = (float)M_PI;  // settled, upright
  rotateAtariScreen = 2.0f;     // centre 2 units down, 26 away
  scroller2pos_x = 17.0f;       // no letters on screen yet
  drawFrame(2);
  std::vector<unsigned char> first = pixels;
  rotate2 = 36.0f;  // the field turned half round
  drawFrame(2);
  // The desktop covers the stars: in depth-20 units it spans x within +-10 * 20/26 and y from
  // (-2 - 6.25) * 20/26 to (-2 + 6.25) * 20/26; beside it the turned stars changed pixels.
  int changedUnder = 0, changedBeside = 0;
  for (double x = -12; x < 12; x += 0.1)
    for (double y = -7.5; y < 7.5; y += 0.1) {
      bool under = fabs(x) < 7.5 && y > -6.2 && y < 3.1;
      bool changed = memcmp(at(x, y), &first[at(x, y) - pixels.data()], 3) != 0;
      (under ? changedUnder : changedBeside) += changed;
    }
  EXPECT_EQ(changedUnder, 0);
  EXPECT_GT(changedBeside, 200);
  EXPECT_TRUE(green(0, -3.3));
  // The text's rows from y = -0.5 to -1, and the reflection's from -3 to -3.5 (the same rows of
  // the same letters, whatever the wave), with the desktop fallen out of sight: darker below.
  rotateAtariScreen = 30.0f;
  scroller2pos_x = -10.0f;                                        // letters from -10 to 16
  for (int i = 0; i < STARCOUNTMAX2; i++) star2[i].z = -6000.0f;  // too far to show
  drawFrame(2);
  long text = band(-1.0, -0.5), reflection = band(-3.5, -3.0);
  EXPECT_EQ(band(1.0, 3.0), 0);
  EXPECT_TRUE(reflection > text / 10 && reflection < text * 9 / 10) << reflection << " " << text;
}

}  // namespace
