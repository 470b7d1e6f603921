// Pixel buffers the picture generator draws into: grey coverage and RGB colour, top row first,
// with the few operations every picture needs (supersampling, distance to an edge, 8-bit values).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace picturegen {

struct Rgb {
  float r = 0, g = 0, b = 0;
};

inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator*(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Rgb mix(Rgb a, Rgb b, float t) { return a * (1.0f - t) + b * t; }
// Colour from 8-bit components.
inline Rgb rgb8(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f}; }

// One colour stop of a gradient: at position `at` the colour is `colour`.
struct Stop {
  float at;
  Rgb colour;
};
// Piecewise-linear gradient through stops sorted by position; clamped at both ends.
Rgb gradient(const std::vector<Stop>& stops, float t);

// A grey picture of floats, 0 = empty, 1 = full.
struct Gray {
  int width = 0, height = 0;
  std::vector<float> v;

  Gray() = default;
  Gray(int w, int h, float fill = 0.0f) : width(w), height(h), v(size_t(w) * h, fill) {}
  float& at(int x, int y) { return v[size_t(y) * width + x]; }
  float at(int x, int y) const { return v[size_t(y) * width + x]; }
  // Value at (x, y), or `outside` for positions beyond the picture.
  float get(int x, int y, float outside = 0.0f) const {
    return (x < 0 || y < 0 || x >= width || y >= height) ? outside : at(x, y);
  }
};

// A colour picture of floats in [0, 1].
struct Image {
  int width = 0, height = 0;
  std::vector<Rgb> px;

  Image() = default;
  Image(int w, int h, Rgb fill = {}) : width(w), height(h), px(size_t(w) * h, fill) {}
  Rgb& at(int x, int y) { return px[size_t(y) * width + x]; }
  const Rgb& at(int x, int y) const { return px[size_t(y) * width + x]; }
};

// Averages blocks of f x f pixels: a drawing made f times too large becomes an anti-aliased one.
Gray downsample(const Gray& in, int f);
// Colour blocks averaged with the coverage as weight, so that colours of empty pixels do not
// bleed into a shape's edge; blocks with no coverage at all take `empty`.
Image downsample(const Image& in, const Gray& coverage, int f, Rgb empty);

// Signed Euclidean distance in pixels from each pixel to the edge of the shape formed by the
// pixels with coverage of at least one half: positive inside the shape, negative outside.
Gray signedDistance(const Gray& coverage);

// Float in [0, 1] to a byte, rounded, values beyond the range clamped.
uint8_t toByte(float v);

// Copies `src` into `dst` with its top-left corner at (x, y); parts beyond `dst` are dropped.
void paste(Image& dst, const Image& src, int x, int y);
void paste(Gray& dst, const Gray& src, int x, int y);

}  // namespace picturegen
