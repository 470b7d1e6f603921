// The scroller's font: bold letters with a vertical colour gradient, a bevel, a dark outline and
// a small drop shadow, on a 64-pixel grid; the darker copy draws the reflection.
#include <algorithm>

#include "effects/fontcells.h"
#include "lettering.h"
#include "pictures.h"

namespace picturegen {

namespace {

const int kAtlas = FONTATLAS_SIZE;
const int kCell = FONTCELL_SIZE;
const int kGlyphW = FONTGLYPH_WIDTH, kGlyphH = FONTGLYPH_HEIGHT;
const int kScale = 4;  // the glyphs are drawn this much larger, then averaged down

// The glyph area in large pixels: clear of the cell's edges by the outline, the shadow and one
// pixel, so that filtering at the edges of the drawn quad picks up nothing.
const int kLeft = 14, kTop = 14;
const int kRight = kGlyphW * kScale - 18, kBottom = kGlyphH * kScale - 18;
// Capital letters stand on this baseline with this height; tails go below it.
const int kCapTop = kTop + 1;
const int kBaseline = kCapTop + 22 * kScale;
// The scroller stretches a glyph 47 x 33 texels onto a 2 x 1.5 quad: texels come out a little
// taller than wide. Glyphs are drawn wider by the same factor so they look as designed.
const float kWiden = (1.5f / kGlyphH) / (2.0f / kGlyphW);

Rgb faceColour(int y) {
  static const std::vector<Stop> stops = {
      {0.00f, rgb8(255, 255, 236)}, {0.18f, rgb8(255, 238, 130)}, {0.46f, rgb8(255, 168, 28)},
      {0.50f, rgb8(255, 140, 20)},  {0.53f, rgb8(176, 44, 40)},   {0.75f, rgb8(232, 70, 88)},
      {1.00f, rgb8(255, 170, 200)}};
  return gradient(stops, float(y - kCapTop) / float(kBaseline - kCapTop));
}

// One glyph in large pixels, placed in the glyph area.
Gray glyphShape(const FontFace& font, char ch, float em) {
  Gray shape(kGlyphW * kScale, kGlyphH * kScale);
  const std::string text(1, ch);
  TextStyle style;
  style.em = em;
  style.scaleX = kWiden;
  Ink ink = font.render(text, style, 0);
  Box box = inkBox(ink.coverage);
  if (box.width == 0) return shape;
  if (ch == ':') {
    // Spread the colon's dots over the capital height, so their outlines leave a gap between.
    style.scaleY = float(kBaseline - kCapTop) / box.height;
    ink = font.render(text, style, 0);
    box = inkBox(ink.coverage);
  }
  int x = kLeft + (kRight - kLeft - box.width) / 2 - box.x;
  int y = kBaseline - ink.baseline;
  const bool fits =
      y + box.y >= kTop && y + box.y + box.height <= kBottom && box.width <= kRight - kLeft;
  if (!fits) {
    // Too tall or too wide on the baseline (brackets, the tail of Q): shrink it and centre it.
    const float s = std::min(float(kRight - kLeft) / box.width, float(kBottom - kTop) / box.height);
    style.em = em * std::min(1.0f, s * 0.98f);
    ink = font.render(text, style, 0);
    box = inkBox(ink.coverage);
    x = kLeft + (kRight - kLeft - box.width) / 2 - box.x;
    y = kTop + (kBottom - kTop - box.height) / 2 - box.y;
  }
  paste(shape, ink.coverage, x, y);
  return shape;
}

}  // namespace

FontAtlas drawFontAtlas(const FontFace& font) {
  const Rgb outline = rgb8(28, 6, 42);
  const Rgb shadow = rgb8(70, 16, 70);
  FontAtlas atlas{Image(kAtlas, kAtlas), Image(kAtlas, kAtlas), Gray(kAtlas, kAtlas)};

  // The em that gives capitals the wanted height.
  TextStyle probe;
  probe.em = 100;
  const Box h = inkBox(font.render("H", probe, 0).coverage, 0.5f);
  const float em = h.height > 0 ? 100.0f * (kBaseline - kCapTop) / h.height : 100.0f;

  LetteringStyle style;
  style.face = [](int, int y) { return faceColour(y); };
  style.grow = 0.5f * kScale;
  style.bevelWidth = 1.5f * kScale;
  style.bevelStrength = 0.45f;
  style.highlightFrom = 0.5f * kScale;
  style.highlightTo = 1.0f * kScale;
  style.highlight = rgb8(255, 255, 255);
  style.extrudeX = style.extrudeY = 1;
  style.extrudeSteps = kScale;
  style.extrusion = [shadow](float) { return shadow; };
  style.outlineWidth = 1.75f * kScale;
  style.outline = outline;

  for (int row = 0; row < FONTCELL_ROWS; ++row) {
    for (int col = 0; FONTCELLS[row][col] != '\0'; ++col) {
      const Shaded big = shadeLettering(glyphShape(font, FONTCELLS[row][col], em), style);
      const Gray alpha = downsample(big.alpha, kScale);
      const Image colour = downsample(big.colour, big.alpha, kScale, outline);
      paste(atlas.mask, alpha, col * kCell, row * kCell);
      paste(atlas.bright, colour, col * kCell, row * kCell);
    }
  }
  // The reflection: the same letters, dimmed and pushed towards blue, as if seen in water.
  for (size_t i = 0; i < atlas.bright.px.size(); ++i) {
    const Rgb c = atlas.bright.px[i];
    atlas.darker.px[i] = {c.r * 0.40f, c.g * 0.44f, c.b * 0.56f};
  }
  return atlas;
}

}  // namespace picturegen
