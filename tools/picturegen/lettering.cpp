// Bevel, highlight, extrusion and outline from the shape's signed distance field.
#include "lettering.h"

#include <algorithm>
#include <cmath>

namespace picturegen {

Shaded shadeLettering(const Gray& shape, const LetteringStyle& style) {
  const int w = shape.width, h = shape.height;
  Gray d = signedDistance(shape);
  for (float& v : d.v) v += style.grow;
  const float far = -1e6f;
  // Light comes from the top left (y grows downwards).
  const float lx = -0.6f, ly = -0.8f;

  Shaded out{Image(w, h, style.outline), Gray(w, h)};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const float inner = d.at(x, y);
      // Distance to the block behind the face: the nearest of its shifted copies.
      float block = far;
      int blockStep = 0;
      for (int k = 1; k <= style.extrudeSteps; ++k) {
        const float dk = d.get(x - k * style.extrudeX, y - k * style.extrudeY, far);
        if (dk > block) {
          block = dk;
          blockStep = k;
        }
      }
      const float all = std::max(inner, block);
      if (all <= -style.outlineWidth) continue;
      out.alpha.at(x, y) = 1.0f;
      Rgb c = style.outline;
      if (inner > 0) {
        c = style.face(x, y);
        if (inner < style.bevelWidth) {
          // Outward normal from the distance field's slope.
          const float gx = d.get(x + 1, y, far) - d.get(x - 1, y, far);
          const float gy = d.get(x, y + 1, far) - d.get(x, y - 1, far);
          const float len = std::sqrt(gx * gx + gy * gy);
          if (len > 1e-6f && std::fabs(gx) < 4 && std::fabs(gy) < 4) {
            const float lit = (-gx * lx - gy * ly) / len;
            const float reach = 1.0f - inner / style.bevelWidth;
            c = c * (1.0f + style.bevelStrength * lit * reach);
            if (lit > 0.35f && inner >= style.highlightFrom && inner <= style.highlightTo)
              c = mix(c, style.highlight, std::min(1.0f, (lit - 0.35f) * 2.5f));
          }
        }
      } else if (block > 0 && style.extrusion) {
        c = style.extrusion(float(blockStep) / float(style.extrudeSteps));
      }
      out.colour.at(x, y) = {std::clamp(c.r, 0.0f, 1.0f), std::clamp(c.g, 0.0f, 1.0f),
                             std::clamp(c.b, 0.0f, 1.0f)};
    }
  }
  return out;
}

}  // namespace picturegen
