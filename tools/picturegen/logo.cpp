// The event's logo: the word TOLVANE in chrome letters with a purple block behind them and a
// dark outline, over a striped sunset disc, with a few glints, in the region the logo effect
// draws (effects/pictureregions.h).
#include <algorithm>
#include <cmath>

#include "effects/pictureregions.h"
#include "lettering.h"
#include "pictures.h"
#include "sun.h"

namespace picturegen {

namespace {

const int kScale = 4;
const int kW = LOGO_WIDTH * kScale, kH = LOGO_HEIGHT * kScale;

// Over-composites a shaded layer onto the picture built so far.
void over(Shaded& base, const Shaded& layer) {
  for (size_t i = 0; i < base.alpha.v.size(); ++i) {
    const float a = layer.alpha.v[i];
    base.colour.px[i] = mix(base.colour.px[i], layer.colour.px[i], a);
    base.alpha.v[i] = a + base.alpha.v[i] * (1.0f - a);
  }
}

}  // namespace

Masked drawLogo(const FontFace& font) {
  // The sun behind the word.
  const float sunR = 88.0f * kScale, sunX = 155.0f * kScale, sunY = 100.0f * kScale;
  Shaded big = drawSun(kW, kH, sunX, sunY, sunR, 2.0f * kScale, 0.16f);
  const Rgb ink = kSunOutline;

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

  Masked logo{Image(LOGOPICTURE_SIZE, LOGOPICTURE_SIZE), Gray(LOGOPICTURE_SIZE, LOGOPICTURE_SIZE)};
  paste(logo.colour, downsample(big.colour, big.alpha, kScale, ink), 0, 0);
  paste(logo.mask, downsample(big.alpha, kScale), 0, 0);
  return logo;
}

}  // namespace picturegen
