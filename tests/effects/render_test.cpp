// What a viewer sees: whole frames drawn by real OpenGL (Mesa) in a window on a virtual display,
// at chosen moments of a scripted clock, read back and looked at pixel by pixel.
#include <gtest/gtest.h>
#include <math.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "effects/atariscreen.h"
#include "effects/logo.h"
#include "effects/msrand.h"
#include "effects/scroller.h"
#include "effects/starfield.h"
#include "host/glwindow.h"
#include "platform/system.h"
#include "scene/animation_state.h"
#include "scene/sequencer.h"

namespace {

struct Rgb {
  int r, g, b;
  int sum() const { return r + g + b; }
};

class Render : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(chdir(DRAVIK_PICTURES_PARENT), 0);  // the program finds Data/ here
    msrandseed(MSRAND_UNSEEDED);
    initsterrenveld();
    ASSERT_TRUE(CreateGLWindow("Dravik Screensaver", 640, 480, 24, true));
  }
  static void TearDownTestSuite() { KillGLWindow(); }

  // Every effect's state for a frame with a zero time step, so it is drawn exactly so.
  // The scroller's first letter stands beyond the right edge unless a test moves it.
  void SetUp() override {
    animmode = 0;
    animmodetime = 1.0f;
    rotateAtariScreen = 0.0f;
    rotateTolvane = (float)M_PI;  // settled, swing angle 0: upright
    rotate2 = 0.0f;
    schemepos = 0.0f;
    scroller2pos_x = 17.0f;
    scroller2HSinPos = 0.0f;
    scroller2totallapse = 0.0f;
    msrandseed(MSRAND_UNSEEDED);
    placeStars();
  }

  // Draws one frame that the clock makes 0 s long and reads the back buffer.
  void drawFrame() {
    ASSERT_TRUE(DrawGLScene());
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    width = vp[2];
    height = vp[3];
    ASSERT_TRUE(width > 0 && height > 0);
    pixels.assign((size_t)width * height * 3, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    ASSERT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
  }

  // Pixels per scene unit at depth 20 (45-degree vertical field of view).
  double scale() const { return height / 2.0 / (20.0 * tan(M_PI / 8)); }
  int column(double x) const { return (int)lround(width / 2.0 + x * scale()); }
  int row(double y) const { return (int)lround(height / 2.0 + y * scale()); }  // from the bottom
  Rgb at(int col, int r) const {
    const unsigned char* p = &pixels[((size_t)r * width + col) * 3];
    return {p[0], p[1], p[2]};
  }
  // Whether the pixel at (col, r) is the same in an earlier frame.
  bool unchanged(const std::vector<unsigned char>& earlier, int col, int r) const {
    size_t i = ((size_t)r * width + col) * 3;
    return memcmp(&pixels[i], &earlier[i], 3) == 0;
  }
  // The pixel showing scene point (x, y) at depth 20.
  Rgb atScene(double x, double y) const { return at(column(x), row(y)); }

  static bool desktopGreen(Rgb c) { return c.g > 80 && c.g > c.r + 40 && c.g > c.b + 40; }

  int width = 0, height = 0;
  std::vector<unsigned char> pixels;
};

TEST_F(Render, DesktopCoversTheMiddleInTheFirstPhase) {
  drawFrame();
  EXPECT_EQ(animmode, 0);
  // Its 20 x 12.5 units are the picture (a few black pixels of lettering at most); around
  // it the frame stays black.
  int inside = 0, lit = 0, litOutside = 0;
  for (int r = 0; r < height; r++)
    for (int c = 0; c < width; c++) {
      // 1 pixel of leeway around each edge
      int dx = std::max(column(-10) - c, c - column(10)),
          dy = std::max(row(-6.25) - r, r - row(6.25));
      bool lights = at(c, r).sum() > 0;
      if (dx < -1 && dy < -1) inside++, lit += lights;
      if (dx > 1 || dy > 1) litOutside += lights;
    }
  EXPECT_GT(lit, inside * 9 / 10);
  EXPECT_EQ(litOutside, 0);
  // Upright: the picture's light menu bar runs along the top edge, the green desk below.
  Rgb bar = atScene(9.5, 5.95);
  EXPECT_GT(bar.sum(), 600) << bar.r << " " << bar.g << " " << bar.b;
  EXPECT_TRUE(desktopGreen(atScene(9.5, -5.95)));
  EXPECT_TRUE(desktopGreen(atScene(-9.5, -5.95)));
}

// Scene point of logo picture pixel (s, t) at its final size, unturned.
static double logoX(double s) { return -3.8429754 + s / 310.0 * 2 * 3.8429754; }
static double logoY(double t) { return 3.0 - t / 242.0 * 6.0; }

TEST_F(Render, LogoSettlesCentredAndUpright) {
  drawFrame();
  std::vector<unsigned char> desktop = pixels;
  auto showsDesktop = [&](double x, double y) { return unchanged(desktop, column(x), row(y)); };
  animmode = 1;
  animmodetime = 0.0f;
  drawFrame();
  EXPECT_EQ(animmode, 2);  // settled, so the last phase began in this frame
  // The logo picture: a sun over the lettering, transparent around them.
  Rgb sun = atScene(logoX(155), logoY(80));
  EXPECT_GT(sun.r, sun.b + 60) << "no sun above the middle";
  Rgb lettering = atScene(logoX(155), logoY(162));
  EXPECT_GT(lettering.b, lettering.r) << "no blue top of the lettering below the sun";
  EXPECT_FALSE(showsDesktop(logoX(30), logoY(182))) << "lettering missing at the lower left";
  EXPECT_TRUE(showsDesktop(logoX(30), logoY(60)));
  EXPECT_TRUE(showsDesktop(logoX(300), logoY(60)));
  EXPECT_TRUE(showsDesktop(logoX(155), logoY(4)));
  EXPECT_TRUE(showsDesktop(logoX(155), logoY(260)));  // below its picture
}

TEST_F(Render, StarsShowOnlyWhereTheFallenDesktopNoLongerCovers) {
  animmode = 2;
  rotateAtariScreen = 2.0f;  // centre 2 units down, 26 away
  drawFrame();
  std::vector<unsigned char> first = pixels;
  rotate2 = 36.0f;  // the field turned half round: other pixels lit
  drawFrame();
  // The desktop's quad at depth 26, in depth-20 units: x within +-10 * 20/26, y from
  // (-2 - 6.25) * 20/26 to (-2 + 6.25) * 20/26.
  const double k = 20.0 / 26.0;
  int left = column(-10 * k) + 2, right = column(10 * k) - 2;
  int bottom = row(-8.25 * k) + 2, top = row(4.25 * k) - 2;
  int changedUnder = 0, changedOutside = 0;
  for (int r = 0; r < height; r++)
    for (int c = 0; c < width; c++)
      if (!unchanged(first, c, r))
        (c >= left && c <= right && r >= bottom && r <= top ? changedUnder : changedOutside)++;
  EXPECT_EQ(changedUnder, 0);
  EXPECT_GT(changedOutside, 500);
  EXPECT_TRUE(desktopGreen(atScene(0, -5 * k + 0.5)));
}

TEST_F(Render, ReflectionLiesBelowTheTextAndIsDarker) {
  animmode = 2;
  rotateAtariScreen = 30.0f;  // the desktop has fallen out of sight
  for (int i = 0; i < STARCOUNTMAX2; i++) star2[i].z = -6000.0f;  // stars too far to show
  scroller2pos_x = -10.0f;                                        // letters from -10 to 16
  drawFrame();
  // Columns clear of the logo; per column, the text's rows from y = -0.5 to -1 and the
  // reflection's from -3 to -3.5 show the same rows of the same letter whatever the wave.
  long text = 0, reflection = 0, above = 0;
  for (double x = -10.5; x <= 10.5; x += 1.0 / scale()) {
    if (fabs(x) < 4.3) continue;
    int c = column(x);
    for (int r = row(-1.0); r <= row(-0.5); r++) text += at(c, r).sum();
    for (int r = row(-3.5); r <= row(-3.0); r++) reflection += at(c, r).sum();
    for (int r = row(1.0); r <= row(3.0); r++) above += at(c, r).sum();
  }
  EXPECT_EQ(above, 0);
  EXPECT_GT(text, 0);
  EXPECT_GT(reflection, text / 10) << "no reflection below the text";
  EXPECT_LT(reflection, text * 9 / 10) << "reflection not darker than the text";
}

}  // namespace
