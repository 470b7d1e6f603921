// Shaded lettering: a shape (anti-aliased coverage, drawn large) becomes coloured letters with a
// bevel lit from the top left, a highlight line, an extruded block behind them and an outline,
// plus the matching alpha. Works on the supersampled drawing; the caller shrinks the result.
#pragma once

#include <functional>

#include "raster.h"

namespace picturegen {

struct LetteringStyle {
  // Colour of the face at a pixel of the large drawing.
  std::function<Rgb(int x, int y)> face;
  // Makes the letters this much bolder on every side.
  float grow = 0;
  // Bevel: how far in from the edge the lighting reaches, and how strongly it lights or shades.
  float bevelWidth = 4;
  float bevelStrength = 0.6f;
  // Highlight: a bright line this far inside the lit edges.
  float highlightFrom = 1, highlightTo = 2;
  Rgb highlight = {1, 1, 1};
  // Extruded block: the shape repeated along (extrudeX, extrudeY) per step, `extrudeSteps` times,
  // coloured by its depth (0 just behind the face, 1 at the far end).
  int extrudeX = 0, extrudeY = 0, extrudeSteps = 0;
  std::function<Rgb(float depth)> extrusion;
  // Outline around face and block.
  float outlineWidth = 3;
  Rgb outline = {0, 0, 0};
};

struct Shaded {
  Image colour;
  Gray alpha;
};

Shaded shadeLettering(const Gray& shape, const LetteringStyle& style);

}  // namespace picturegen
