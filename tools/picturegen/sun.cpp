// The sunset disc: a gradient from pale yellow to purple, bevelled, with widening gaps below.
#include "sun.h"

#include <algorithm>
#include <cmath>

namespace picturegen {

namespace {

// A disc whose lower half is cut by horizontal gaps that widen towards the bottom.
Gray sunShape(int w, int h, float cx, float cy, float radius, float stripe) {
  Gray shape(w, h);
  for (int y = 0; y < h; ++y) {
    const float v = (y + 0.5f - cy) / radius;  // -1 at the top of the disc, 1 at its bottom
    if (v > -0.3f) {
      // Each gap is wider than the one above it.
      const float phase = std::fmod(v + 0.3f, stripe) / stripe;
      const float gap = 0.08f + 0.4f * (v + 0.3f);
      if (phase < gap) continue;
    }
    for (int x = 0; x < w; ++x) {
      const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
      if (dx * dx + dy * dy <= radius * radius) shape.at(x, y) = 1.0f;
    }
  }
  return shape;
}

}  // namespace

void glint(Shaded& big, float cx, float cy, float size) {
  const int reach = int(size) + 2;
  for (int y = int(cy) - reach; y <= int(cy) + reach; ++y) {
    for (int x = int(cx) - reach; x <= int(cx) + reach; ++x) {
      if (x < 0 || y < 0 || x >= big.alpha.width || y >= big.alpha.height) continue;
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

Shaded drawSun(int w, int h, float cx, float cy, float r, float line, float stripe) {
  LetteringStyle sun;
  sun.face = [=](int, int y) {
    static const std::vector<Stop> stops = {{0.00f, rgb8(255, 250, 150)},
                                            {0.35f, rgb8(255, 176, 56)},
                                            {0.62f, rgb8(250, 80, 110)},
                                            {1.00f, rgb8(150, 30, 170)}};
    return gradient(stops, (y - (cy - r)) / (2 * r));
  };
  sun.bevelWidth = 1.5f * line;
  sun.bevelStrength = 0.25f;
  sun.highlightFrom = sun.highlightTo = -1;  // no highlight line on the sun
  sun.outlineWidth = line;
  sun.outline = kSunOutline;
  Shaded out = shadeLettering(sunShape(w, h, cx, cy, r, stripe), sun);
  glint(out, cx + r * 0.62f, cy - r * 0.78f, r * 12.0f / 88.0f);
  return out;
}

}  // namespace picturegen
