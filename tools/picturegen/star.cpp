// The star sprite and the spare background picture.
#include <cmath>

#include "pictures.h"

namespace picturegen {

Image drawStar(int size) {
  Image out(size, size);
  const float centre = (size - 1) / 2.0f;
  const float radius = size / 2.0f - 1.0f;  // leaves the outermost ring black
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const float dx = x - centre, dy = y - centre;
      const float r = std::sqrt(dx * dx + dy * dy) / radius;
      if (r >= 1.0f) continue;
      // A hot core, a glow and a wide halo; the last factor takes it all to 0 at the rim.
      const float core = std::exp(-(r / 0.08f) * (r / 0.08f));
      const float glow = std::exp(-(r / 0.25f) * (r / 0.25f));
      const float halo = (1.0f - r) * (1.0f - r);
      const float rim = (1.0f - r * r) * (1.0f - r * r);
      const float v = (0.45f * core + 0.4f * glow + 0.15f * halo) * rim;
      out.at(x, y) = {v, v, v};
    }
  }
  return out;
}

Image drawBackground(int size) {
  Image out(size, size);
  const Rgb bars[] = {rgb8(255, 60, 40), rgb8(255, 200, 40), rgb8(60, 220, 90), rgb8(40, 140, 255)};
  const int pitch = size / 4;
  for (int y = 0; y < size; ++y) {
    const Rgb bar = bars[(y / pitch) % 4];
    // Each bar is brightest in its middle and dark at its edges.
    const float t = ((y % pitch) + 0.5f) / pitch;
    const float shade = 1.0f - std::fabs(2.0f * t - 1.0f);
    for (int x = 0; x < size; ++x) out.at(x, y) = bar * (0.15f + 0.85f * shade);
  }
  return out;
}

}  // namespace picturegen
