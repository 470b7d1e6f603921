// What a viewer sees: whole frames drawn by real OpenGL (Mesa) in the program's own window on a
// virtual display, with a clock that stands still, read back and looked at pixel by pixel.
#include <gtest/gtest.h>
#include <math.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "effects/atariscreen.h"
#include "effects/logo.h"
#include "effects/msrand.h"
#include "effects/scroller.h"
#include "effects/starfield.h"
#include "host/glwindow.h"
#include "scene/animation_state.h"
#include "scene/sequencer.h"

TEST(Render, TheDesktopUprightThenStarsBesideItFallenAndTheReflectionDarkerBelowTheText) {
  ASSERT_EQ(chdir(DRAVIK_PICTURES_PARENT), 0);  // the program finds Data/ here
  initsterrenveld();
  ASSERT_TRUE(CreateGLWindow("Dravik Screensaver", 640, 480, 24, true));
  std::vector<unsigned char> pixels(640 * 480 * 3), first;
  // One frame of the phase with a zero time step, read back from the back buffer.
  auto drawFrame = [&](int phase) {
    animmode = phase;
    animmodetime = 1.0f;
    ASSERT_TRUE(DrawGLScene());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    ASSERT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
  };
  // The pixel showing scene point (x, y) at depth 20 (45-degree view, 480 rows),
  // its red + green + blue, and whether it is green.
  auto at = [&](double x, double y) {
    double scale = 240 / (20.0 * tan(M_PI / 8));
    return &pixels[((size_t)lround(240 + y * scale) * 640 + lround(320 + x * scale)) * 3];
  };
  auto sum = [&](double x, double y) { return at(x, y)[0] + at(x, y)[1] + at(x, y)[2]; };
  auto green = [&](double x, double y) {
    return at(x, y)[1] > std::max({80, at(x, y)[0] + 40, at(x, y)[2] + 40});
  };

  // First the desktop's 20 x 12.5 units in the middle, around it black; upright: the light menu
  // bar along the top edge, the green desk below.
  drawFrame(0);
  EXPECT_TRUE(sum(9.5, 5.95) > 600 && green(9.5, -5.95) && green(-9.5, -5.95) && green(0, -5));
  for (auto [x, y] : {std::pair{-10.3, 0.0}, {10.3, 0.0}, {0.0, 6.6}, {0.0, -6.6}, {-11.0, 7.5}})
    EXPECT_EQ(sum(x, y), 0) << x << ", " << y;

  // Later the desktop, 2 down and 26 away, covers the stars: in depth-20 units it spans x within
  // +-10 * 20/26 and y from (-2 - 6.25) * 20/26 to (-2 + 6.25) * 20/26; beside it the stars,
  // turned half round, change pixels.
  msrandseed(MSRAND_UNSEEDED);
  placeStars();
  rotateTolvane = (float)M_PI;  // settled, upright
  rotateAtariScreen = 2.0f;
  drawFrame(2);
  first = pixels;
  rotate2 = 36.0f;
  drawFrame(2);
  int changed[2] = {0, 0};  // beside, under
  for (double x = -12; x < 12; x += 0.1)
    for (double y = -7.5; y < 7.5; y += 0.1)
      changed[fabs(x) < 7.5 && y > -6.2 && y < 3.1] +=
          memcmp(at(x, y), &first[at(x, y) - pixels.data()], 3) != 0;
  EXPECT_TRUE(changed[0] > 200 && changed[1] == 0 && green(0, -3.3))
      << changed[0] << " " << changed[1];

  // The text's rows from y = -0.5 to -1 and the reflection's from -3 to -3.5 (the same rows of
  // the same letters, whatever the wave), lit pixels over columns clear of the logo, with the
  // desktop fallen out of sight and the stars too far to show: darker below, nothing above.
  rotateAtariScreen = 30.0f;
  scroller2pos_x = -10.0f;  // letters from -10 to 16
  for (int i = 0; i < STARCOUNTMAX2; i++) star2[i].z = -6000.0f;
  drawFrame(2);
  auto band = [&](double y0, double y1) {
    long lit = 0;
    for (double x = -10.5; x <= 10.5; x += 0.05)
      for (double y = y0; y <= y1 && fabs(x) > 4.3; y += 0.05) lit += sum(x, y);
    return lit;
  };
  long text = band(-1.0, -0.5), reflection = band(-3.5, -3.0);
  EXPECT_TRUE(band(1.0, 3.0) == 0 && reflection > text / 10 && reflection < text * 9 / 10)
      << reflection << " " << text;
  KillGLWindow();
}
