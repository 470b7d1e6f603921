// The event's logo: the word TOLVANE in chrome letters with a purple block behind them and a
// dark outline, over a striped sunset disc, with a few glints. Top-left 310 x 242 of 512 x 512.
#include <algorithm>
#include <cmath>

#include "lettering.h"
#include "pictures.h"

namespace picturegen {

namespace {

const int kScale = 4;
const int kW = 310 * kScale, kH = 242 * kScale;

// The sun: a disc whose lower half is cut by horizontal gaps that widen towards the bottom.
Gray sunShape(float cx, float cy, float radius) {
  Gray shape(kW, kH);
  for (int y = 0; y < kH; ++y) {
    const float v = (y + 0.5f - cy) / radius;  // -1 at the top of the disc, 1 at its bottom
    if (v > -0.3f) {
      // Gaps repeat every 0.16 radius; each is wider than the one above it.
      const float phase = std::fmod(v + 0.3f, 0.16f) / 0.16f;
      const float gap = 0.08f + 0.4f * (v + 0.3f);
      if (phase < gap) continue;
    }
    for (int x = 0; x < kW; ++x) {
      const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
      if (dx * dx + dy * dy <= radius * radius) shape.at(x, y) = 1.0f;
    }
  }
  return shape;
}

// Over-composites a shaded layer onto the picture built so far.
void over(Shaded& base, const Shaded& layer) {
  for (size_t i = 0; i < base.alpha.v.size(); ++i) {
    const float a = layer.alpha.v[i];
    base.colour.px[i] = mix(base.colour.px[i], layer.colour.px[i], a);
    base.alpha.v[i] = a + base.alpha.v[i] * (1.0f - a);
  }
}

// A four-pointed glint: a small bright core with thin rays along both axes.
void glint(Shaded& big, float cx, float cy, float size) {
  const int reach = int(size) + 2;
  for (int y = int(cy) - reach; y <= int(cy) + reach; ++y) {
    for (int x = int(cx) - reach; x <= int(cx) + reach; ++x) {
      if (x < 0 || y < 0 || x >= kW || y >= kH) continue;
      const float dx = std::fabs(x + 0.5f - cx) / size, dy = std::fabs(y + 0.5f - cy) / size;
      const float thin = 0.035f;
      const float rayX = std::max(0.0f, 1.0f - dx) * std::exp(-(dy / thin) * (dy / thin));
      const float rayY = std::max(0.0f, 1.0f - dy) * std::exp(-(dx / thin) * (dx / thin));
      const float r2 = dx * dx + dy * dy;
      const float core = std::exp(-r2 / 0.012f);
      const float v = std::min(1.0f, std::max(rayX, rayY) * 1.2f + core);
      if (v <= 0.002f) continue;
      Rgb& c = big.colour.at(x, y);
      float& a = big.alpha.at(x, y);
      c = mix(c, rgb8(255, 255, 255), v);
      a = std::max(a, v);
    }
  }
}

}  // namespace

Masked drawLogo(const FontFace& font) {
  const Rgb ink = rgb8(12, 8, 34);

  // The sun behind the word.
  const float sunR = 88.0f * kScale, sunX = 155.0f * kScale, sunY = 100.0f * kScale;
  LetteringStyle sun;
  sun.face = [=](int, int y) {
    static const std::vector<Stop> stops = {{0.00f, rgb8(255, 250, 150)},
                                            {0.35f, rgb8(255, 176, 56)},
                                            {0.62f, rgb8(250, 80, 110)},
                                            {1.00f, rgb8(150, 30, 170)}};
    return gradient(stops, (y - (sunY - sunR)) / (2 * sunR));
  };
  sun.bevelWidth = 3.0f * kScale;
  sun.bevelStrength = 0.25f;
  sun.highlightFrom = sun.highlightTo = -1;  // no highlight line on the sun
  sun.outlineWidth = 2.0f * kScale;
  sun.outline = ink;
  Shaded big = shadeLettering(sunShape(sunX, sunY, sunR), sun);

  // The word: tall slanted capitals filling the width.
  const int blockDepth = 7 * kScale;
  const int margin = 5 * kScale;
  const int wordW = kW - 2 * margin - blockDepth, wordH = 104 * kScale;
  TextStyle style;
  style.em = 100.0f * kScale;
  style.slant = 0.18f;
  style.tracking = -0.03f;
  Box box = inkBox(font.render("TOLVANE", style, 0).coverage);
  style.scaleY = float(wordH) / box.height;
  // The slant widens the word with its height, so the width is fitted by a few corrections.
  Ink word;
  for (int pass = 0; pass < 4; ++pass) {
    style.scaleX *= float(wordW) / box.width;
    word = font.render("TOLVANE", style, 0);
    box = inkBox(word.coverage);
  }
  const int wordX = margin, wordY = kH - margin - blockDepth - 14 * kScale - box.height;
  Gray shape(kW, kH);
  paste(shape, word.coverage, wordX - box.x, wordY - box.y);

  LetteringStyle letters;
  letters.face = [=](int, int y) {
    // Chrome: sky above a dark horizon, warm ground below it.
    static const std::vector<Stop> stops = {
        {0.00f, rgb8(255, 255, 255)}, {0.20f, rgb8(200, 228, 255)}, {0.50f, rgb8(80, 140, 240)},
        {0.53f, rgb8(24, 30, 90)},    {0.56f, rgb8(96, 52, 30)},    {0.78f, rgb8(222, 144, 64)},
        {1.00f, rgb8(255, 236, 190)}};
    return gradient(stops, float(y - wordY) / float(box.height));
  };
  letters.grow = 1.0f * kScale;
  letters.bevelWidth = 3.0f * kScale;
  letters.bevelStrength = 0.55f;
  letters.highlightFrom = 0.75f * kScale;
  letters.highlightTo = 1.75f * kScale;
  letters.extrudeX = letters.extrudeY = 1;
  letters.extrudeSteps = blockDepth;
  letters.extrusion = [](float depth) { return mix(rgb8(120, 60, 170), rgb8(34, 14, 70), depth); };
  letters.outlineWidth = 2.5f * kScale;
  letters.outline = ink;
  over(big, shadeLettering(shape, letters));

  // Glints on the top-left corner of the first letter and the bottom-right of the last.
  glint(big, float(wordX + 16 * kScale), float(wordY + 2 * kScale), 14.0f * kScale);
  glint(big, float(wordX + box.width - 10 * kScale), float(wordY + box.height - 2 * kScale),
        12.0f * kScale);
  glint(big, sunX + sunR * 0.62f, sunY - sunR * 0.78f, 12.0f * kScale);

  Masked logo{Image(512, 512), Gray(512, 512)};
  paste(logo.colour, downsample(big.colour, big.alpha, kScale, ink), 0, 0);
  paste(logo.mask, downsample(big.alpha, kScale), 0, 0);
  return logo;
}

}  // namespace picturegen
