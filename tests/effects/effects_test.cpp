// The effects and the timeline against the OpenGL recorder: the calls each effect makes, with
// the positions, colours and texture coordinates of its quads, and their order in each phase.
#include <ctype.h>
#include <gtest/gtest.h>
#include <math.h>
#include <stdint.h>
#include <stdio.h>

#include <algorithm>

#include "effects/atariscreen.h"
#include "effects/floatmod.h"
#include "effects/fontcells.h"
#include "effects/logo.h"
#include "effects/msrand.h"
#include "effects/scroller.h"
#include "effects/starfield.h"
#include "image/textureset.h"
#include "scene/animation_state.h"
#include "scene/mytime.h"
#include "scene/sequencer.h"
#include "tests/double/gl_recorder.h"
#include "tests/double/scripted_clock.h"

namespace {

// A call as text with `digits` significant digits, followed by a space.
std::string call(const std::string& name, std::vector<double> args, int digits = 9) {
  std::string s = name + "(";
  char n[32];
  for (size_t i = 0; i < args.size(); i++)
    s += (snprintf(n, sizeof n, i ? ",%.*g" : "%.*g", digits, args[i]), n);
  return s + ") ";
}

// The recorded calls from..to as text.
std::string drawn(int digits = 9, size_t from = 0, size_t to = SIZE_MAX) {
  std::string s;
  for (size_t i = from; i < to && i < fake::glCalls().size(); i++)
    s += call(fake::glCalls()[i].name, fake::glCalls()[i].args, digits);
  return s;
}

// The calls of a quad with corners (x0,y0) (x1,y0) (x1,y1) (x0,y1) at depth z, textured from
// (0,0) to (s,t).
std::string quad(double x0, double y0, double x1, double y1, double z, double s, double t,
                 int digits = 9) {
  std::string q = "glBegin(7) ";
  const double corners[4][4] = {{0, 0, x0, y0}, {s, 0, x1, y0}, {s, t, x1, y1}, {0, t, x0, y1}};
  for (const auto& c : corners)
    q += call("glTexCoord2f", {c[0], c[1]}, digits) + call("glVertex3f", {c[2], c[3], z}, digits);
  return q + "glEnd() ";
}

const std::string kOverlay = "glBlendFunc(770,771) glBindTexture(3553,7) glLoadIdentity() ";
const std::string kWhite = "glColor4ub(255,255,255,255) ";

TEST(Arithmetic, RemainderGeneratorAndFontCells) {
  // clang-format off
  const float remainders[][3] = {{7.5f, 6, 1.5f}, {1000, 6, 4}, {6, 6, 0}, {791.5f, 396, 395.5f},
      {1003.75f, 6, 1.75f}, {-2.5f, 6, 0}, {-1e12f, 6, 0}, {6442450944.0f, 6, 0},
      {1099511627776.0f, 6, 4}, {NAN, 6, 0}};  // beyond an int, and not a number
  // clang-format on
  for (const auto& r : remainders) EXPECT_EQ(floatmod(r[0], r[1]), r[2]) << r[0] << " mod " << r[1];

  msrandseed(MSRAND_UNSEEDED);  // the Windows C runtime's rand, as it starts
  for (int expected : {41, 18467, 6334, 26500, 19169, 15724}) EXPECT_EQ(msrand(), expected);

  auto cell = [](char c) {
    std::pair p{-1, -1};
    return getletter(c, &p.first, &p.second), p;
  };
  for (int r = 0; r < FONTCELL_ROWS; r++)
    for (int k = 0; FONTCELLS[r][k]; k++)
      for (char c : {FONTCELLS[r][k], (char)tolower(FONTCELLS[r][k])})
        EXPECT_EQ(cell(c), std::pair(k, r)) << c;
  for (int c : {32, 48, 57, 44, 64, 91, 96, 123, 0, 0xC1, 0xE1, 0xFF})  // space, digits, ...
    EXPECT_EQ(cell((char)c), std::pair(6, 0)) << c;
}

TEST(Effects, DesktopFallsAlongItsParabolaWithoutBound) {
  rotateAtariScreen = 0.0f;
  texture[TEXTURE_DESKTOP] = 7;
  // {step, centre y, z}: at rest, tossed up, falling, receding.
  const float steps[][3] = {{0, 0, -20}, {0.5f, 1.75f, -21.5f}, {0.5f, 2, -23}, {1, -2, -26}};
  for (auto [dt, y, z] : steps) {
    fake::resetGl();
    tekenatariscreen(dt);
    EXPECT_EQ(drawn(), kOverlay + kWhite + quad(-10, y + 6.25, 10, y - 6.25, z, 0.625, 0.390625));
  }
  tekenatariscreen(9.2e9f);  // the longest step the counter measures (2^63 ns): still finite
  EXPECT_TRUE(rotateAtariScreen > 9e9f &&
              std::isfinite(fake::glCallsNamed("glVertex3f").back().args[1]));
}

TEST(Effects, LogoShrinksSettlesJustAfterZeroPoint925AndKeepsSwinging) {
  texture[TEXTURE_LOGO] = 7;
  // {time, step, scale, settled}: one frame turned by 20 sin of its new time, at `scale` (half
  // size 2 x 310/242 by 2 per unit), compared to 6 digits. Just short of settling, then just
  // past; the last keeps its time within a period above 1.
  // clang-format off
  const double cases[][4] = {{0, 0, 20, 0}, {0, 0.5, 10, 0}, {0.92499995f, 0, 1.500001, 0},
                             {0.92500001f, 0, 1.5, 1}, {1, 1000, 1.5, 1}};
  // clang-format on
  for (const auto& [t0, dt, scale, settled] : cases) {
    rotateTolvane = (float)t0;
    fake::resetGl();
    tekentolvanelogo(dt);
    double w = 2 * 310 / 242.0 * scale, h = 2 * scale;
    EXPECT_EQ(drawn(6), kOverlay + call("glRotatef", {20 * sin(rotateTolvane), 0, 0, 1}, 6) +
                            kWhite + quad(-w, h, w, -h, -20, 0.60546875, 0.47265625, 6))
        << t0;
    EXPECT_EQ(tolvanelogodone(), settled != 0) << t0;
  }
  EXPECT_TRUE(rotateTolvane >= 1.0f && rotateTolvane < 1 + 2 * M_PI);
}

TEST(Effects, StarsArePlacedByTheGeneratorTurnFlyNearerAndFadeWhileTheirColourCycles) {
  msrandseed(MSRAND_UNSEEDED);
  initsterrenveld();  // the start-up reset places the stars
  // Draws 41, 18467, 6334, 26500, 19169, 15724: low bytes 41, 35, 190, 132, 225, 108.
  EXPECT_EQ(
      std::vector<float>({star2[0].x, star2[0].y, star2[0].z, star2[1].x, star2[1].y, star2[1].z}),
      std::vector<float>({-679.6875f, -726.5625f, -4453.125f, 31.25f, 757.8125f, -2531.25f}));
  EXPECT_TRUE(star2[499].z != 0 && star2[500].x == 0 && star2[500].y == 0 && star2[500].z == 0);
  rotate2 = 2.0f;
  texture[TEXTURE_STAR] = 11;
  // Star 0 alone at a chosen place; one frame of step dt; star 0's colour.
  auto drawStar0 = [](float x, float y, float z, double dt) {
    star2[0] = {x, y, z};
    fake::resetGl();
    tekensterrenveld(dt);
    EXPECT_EQ(fake::glCallsNamed("glEnd").size(), 500u);
    return drawn(9, 4, 5);
  };
  // Star 0 moves 500 nearer in 2 s; a 0.3125 square sprite around (x, y, z) / 1024; the field
  // turns 5 degrees a second.
  drawStar0(512.0f, -256.0f, -1524.0f, 2.0);
  EXPECT_EQ(drawn(9, 0, 4),
            "glBlendFunc(770,1) glBindTexture(3553,11) glLoadIdentity() glRotatef(15,0,0,1) ");
  EXPECT_EQ(drawn(9, 5, 15), quad(0.34375, -0.40625, 0.65625, -0.09375, -1, 1, 1));
  EXPECT_EQ(schemepos, (float)(2.0 * (double)0.4f));
  // Past the viewer: back to 6000 away, then this frame's step; at exactly 0 not sent back yet.
  for (auto [z, dt, after] : {std::tuple{3.0f, 0.5, -5875.0f}, {0.0f, 0.0, 0.0f}})
    EXPECT_EQ((drawStar0(0, 0, z, dt), star2[0].z), after) << z;
  tekensterrenveld(30.0);  // all past the viewer at once, then all 6000 away together
  tekensterrenveld(1.0);
  for (int i = 0; i < STARCOUNTMAX2; i++) ASSERT_EQ(star2[i].z, -5750.0f);
  // {z, y, schemepos, r, g, b}: at schemepos 2, y = 0 is orange (255, 128, 64).
  // clang-format off
  const double cases[][6] = {{-6000, 0, 2, 0, 0, 0}, {-3500, 0, 2, 127, 64, 32},
      {-1000, 0, 2, 255, 128, 64}, {-500, 0, 2, 127, 64, 32}, {-100, 0, 2, 25, 12, 6},
      {0, 0, 2, 0, 0, 0}, {-1000, 0, 0, 64, 128, 255}, {-1000, -1000, 0, 64, 128, 64},
      {-1000, 0, 3.5, 159, 128, 64}, {-1000, 0, 1.5, 159, 128, 159}, {-1000, 0, 1.75, 207, 128, 111}};
  // clang-format on
  for (const auto& [z, y, scheme, r, g, b] : cases) {
    schemepos = (float)scheme;
    EXPECT_EQ(drawStar0(0, (float)y, (float)z, 0), call("glColor4ub", {r, g, b, 255}))
        << "z " << z << ", y " << y << ", scheme " << scheme;
  }
}

TEST(Scroller, LettersEnterAtTheRightEdgeWrapAroundRippleAndMirrorInTheReflection) {
  auto reset = [](float x) { scroller2pos_x = x, scroller2HSinPos = scroller2totallapse = 0; };
  texture[TEXTURE_FONT] = 40;
  texture[TEXTURE_FONT_DARKER] = 50;
  // One call; each letter (white, then 16 quads of 10 calls) as its first corner's x and s.
  auto draw = [](double dt, bool reflection) {
    fake::resetGl();
    tekenscroller2(dt, reflection);
    EXPECT_EQ(drawn(9, 0, 3), std::string("glBlendFunc(770,771) glBindTexture(3553,") +
                                  (reflection ? "50" : "40") + ") glLoadIdentity() ");
    const std::vector<fake::GlCall>& c = fake::glCalls();
    EXPECT_EQ(c.size() % 161, 3u);
    std::vector<std::pair<double, double>> letters;
    for (size_t i = 3; i + 3 < c.size(); i += 161) {
      EXPECT_EQ(drawn(9, i, i + 2), kWhite + "glBegin(7) ");
      letters.push_back({c[i + 3].args[0], c[i + 2].args[0]});
    }
    return letters;
  };
  auto from = [&](float x, double dt) { return reset(x), draw(dt, false); };
  // "l" enters at the right-hand limit, inclusive; then one every 2 units.
  EXPECT_EQ(from(17.0f, 0.0), (std::vector<std::pair<double, double>>{{17.0, 5 * 64 / 512.0}}));
  for (auto [dt, count] : {std::pair{0.7, 2u}, {1.3, 2u}, {1.4, 3u}})
    EXPECT_EQ(from(17.0f, dt).size(), count) << dt;
  // The smallest left edge above 17 that survives the rounding of p + 18: nothing drawn.
  EXPECT_TRUE(from(nextafterf(35.0f, 36.0f) - 18.0f, 0.0).empty());
  // The line repeats with the first letter one pitch behind the last: wrapped to 2L - 400 = -4.
  auto l = from(-400.0f, 0.0);
  ASSERT_EQ(l.size(), 18u);
  std::sort(l.begin(), l.end());
  for (size_t i = 0; i < l.size(); i++) EXPECT_EQ(l[i].first, -18.0 + 2.0 * i);
  // " " (the blank cell), "l" of "lets" at -4, "e".
  EXPECT_EQ(std::vector<double>({l[6].second, l[7].second, l[8].second}),
            std::vector<double>({6 * 64 / 512.0, 5 * 64 / 512.0, 4 * 64 / 512.0}));
  // The first letter ("L", glyph s 320..367 and t 64..97 of 512) at three wave phases: each
  // corner of its 5 x 5 grid of 0.5 x 0.375 pieces is moved sideways by its undisplaced y, then
  // up and down by its displaced x; the reflection's is mirrored about y = -2 in double
  // precision; both bob by 4 sin(0.4 t). The third call repeats the first's corners.
  reset(17.0f);
  scroller2totallapse = 1.0f;
  for (auto [phase, reflection] : {std::pair{1.0f, false}, {2.0f, true}, {1.0f, false}}) {
    scroller2HSinPos = phase;
    draw(0.0, reflection);
    const std::vector<fake::GlCall>& c = fake::glCalls();
    ASSERT_EQ(c.size(), 164u);
    for (size_t i = 5; i < c.size(); i += i % 10 == 1 ? 4 : 2) {  // texture corner, then vertex
      float x = (float)(scroller2pos_x + 0.5 * lround((c[i].args[0] * 512 - 320) / 47 * 4));
      float y = (float)(-0.375 * lround((c[i].args[1] * 512 - 64) / 33 * 4));
      float dx = (float)(x + sin((double)y + scroller2HSinPos)),
            dy = (float)(y + 0.5 * sin((double)dx));
      float shown = (reflection ? (float)(-4.0 - dy) : dy) + scroller2offet;
      ASSERT_EQ(call(c[i + 1].name, c[i + 1].args), call("glVertex3f", {dx, shown, -20.0}));
    }
    EXPECT_EQ(drawn(9, 5, 6) + drawn(9, 159, 160),
              call("glTexCoord2f", {320 / 512.0, 64 / 512.0}) +
                  call("glTexCoord2f", {367 / 512.0, 97 / 512.0}));
  }
  EXPECT_NEAR(scroller2offet, 4 * sin(0.4), 1e-6);
}

// One frame `seconds` after the last; the effects it drew, by the texture each bound.
std::string frame(double seconds) {
  fake::advanceClock(seconds);
  fake::resetGl();
  EXPECT_TRUE(DrawGLScene());
  std::string effects;
  const char* names[] = {"stars ", "", "logo ", "", "text ", "reflection ", "desktop "};
  for (const fake::GlCall& c : fake::glCallsNamed("glBindTexture"))
    effects += names[(int)c.args[1]];
  return effects;
}

TEST(Sequencer, EachPhaseDrawsItsEffectsBackToFrontAndDaysOfShowKeepEveryValueInRange) {
  for (int slot = 0; slot < 8; slot++) texture[slot] = slot;
  initsterrenveld();
  lMytime.Reset();
  EXPECT_EQ(frame(0.0), "desktop ");  // no time yet: the scroller waits
  EXPECT_EQ(drawn(9, 0, 8),
            "glEnable(3553) glShadeModel(7425) glClearColor(0,0,0,0.5) glClearDepth(1) "
            "glHint(3152,4354) glClear(16640) glEnable(3042) glDisable(2929) ");
  EXPECT_EQ(frame(14.9), "desktop reflection text ");
  EXPECT_NEAR(scroller2pos_x, 17 - 6 * 14.9, 1e-3);  // from the right-hand limit, 6 a second
  EXPECT_EQ(frame(0.1), "logo desktop logo reflection text ");  // 15 s: the logo, twice
  // The desktop stands still until the stars.
  EXPECT_TRUE(animmode == 1 && fabs(rotateTolvane - 0.2) < 1e-6 && rotateAtariScreen == 0);
  EXPECT_EQ(frame(0.8), "logo desktop logo reflection text ");  // settled in its first call
  EXPECT_TRUE(animmode == 2 && rotateAtariScreen == 0.8f);      // falling from the switch on
  EXPECT_EQ(frame(0.5), "stars desktop logo reflection text ");
  EXPECT_TRUE(animmodetime == 0.5f && fabs(rotateTolvane - 2.3) < 1e-6);  // the timer counts on

  // Every value that keeps growing while the stars run, its rate per second of frame time (the
  // scroller runs twice a frame; 0.4f as the program holds it) and the range [low, low + period]
  // whole periods keep it in.
  // clang-format off
  const struct { float* value; double rate, low, period; } grows[] = {
      {&scroller2pos_x, -6, -810, 396}, {&scroller2HSinPos, 6, 0, 2 * M_PI},
      {&scroller2totallapse, 2, 0, 2 * M_PI / 0.4f}, {&rotate2, 0.5, 0, 72},
      {&schemepos, 0.4f, 0, 6}, {&rotateTolvane, 1, 1, 2 * M_PI}};
  // clang-format on
  // A long weekend in one stall, then 300 s in quarter seconds that cross every period: each
  // value stays within what 1200 single-precision additions lose of exact arithmetic (a wrong
  // period is far off), taken modulo its period.
  double exact[6];
  for (int v = 0; v < 6; v++) exact[v] = *grows[v].value;
  for (int i = 0; i <= 1200; i++) {
    double step = i ? 0.25 : 3.5 * 86400;
    frame(step);
    for (int v = 0; v < 6; v++) {
      auto [value, rate, low, period] = grows[v];
      exact[v] += rate * step;
      ASSERT_NEAR(remainder(*value - exact[v], period), 0.0, 1e-3) << v << ", frame " << i;
      ASSERT_TRUE(*value >= low && *value <= low + period) << v << ": " << *value;
    }
  }
}

}  // namespace
