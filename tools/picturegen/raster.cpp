// Supersampling, edge distances and gradients for the picture generator.
#include "raster.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace picturegen {

Rgb gradient(const std::vector<Stop>& stops, float t) {
  if (stops.empty()) return {};
  if (t <= stops.front().at) return stops.front().colour;
  for (size_t i = 1; i < stops.size(); ++i) {
    if (t <= stops[i].at) {
      const float span = stops[i].at - stops[i - 1].at;
      const float w = span > 0 ? (t - stops[i - 1].at) / span : 1.0f;
      return mix(stops[i - 1].colour, stops[i].colour, w);
    }
  }
  return stops.back().colour;
}

Gray downsample(const Gray& in, int f) {
  Gray out(in.width / f, in.height / f);
  const float n = float(f * f);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      float sum = 0;
      for (int j = 0; j < f; ++j)
        for (int i = 0; i < f; ++i) sum += in.at(x * f + i, y * f + j);
      out.at(x, y) = sum / n;
    }
  }
  return out;
}

Image downsample(const Image& in, const Gray& coverage, int f, Rgb empty) {
  Image out(in.width / f, in.height / f);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      Rgb sum;
      float weight = 0;
      for (int j = 0; j < f; ++j) {
        for (int i = 0; i < f; ++i) {
          const float w = coverage.at(x * f + i, y * f + j);
          sum = sum + in.at(x * f + i, y * f + j) * w;
          weight += w;
        }
      }
      out.at(x, y) = weight > 0 ? sum * (1.0f / weight) : empty;
    }
  }
  return out;
}

namespace {

// Squared distance transform of one line (lower envelope of parabolas): f holds 0 at feature
// points and a huge value elsewhere; d receives the squared distance to the nearest feature.
void distanceLine(const double* f, int n, double* d, std::vector<int>& v, std::vector<double>& z) {
  const double inf = std::numeric_limits<double>::infinity();
  int k = 0;
  v[0] = 0;
  z[0] = -inf;
  z[1] = inf;
  for (int q = 1; q < n; ++q) {
    double s;
    // z[0] is minus infinity, so this stops at k = 0 at the latest.
    for (;;) {
      const int p = v[k];
      s = ((f[q] + double(q) * q) - (f[p] + double(p) * p)) / (2.0 * q - 2.0 * p);
      if (s > z[k]) break;
      --k;
    }
    ++k;
    v[k] = q;
    z[k] = s;
    z[k + 1] = inf;
  }
  k = 0;
  for (int q = 0; q < n; ++q) {
    while (z[k + 1] < q) ++k;
    const double dq = q - v[k];
    d[q] = dq * dq + f[v[k]];
  }
}

// Squared Euclidean distance from every pixel to the nearest pixel where `feature` is true.
std::vector<double> squaredDistance(const std::vector<bool>& feature, int w, int h) {
  const double far = 1e18;
  const int n = std::max(w, h);
  std::vector<double> grid(size_t(w) * h), f(n), d(n);
  std::vector<int> v(n);
  std::vector<double> z(n + 1);
  for (size_t i = 0; i < grid.size(); ++i) grid[i] = feature[i] ? 0.0 : far;
  for (int x = 0; x < w; ++x) {
    for (int y = 0; y < h; ++y) f[y] = grid[size_t(y) * w + x];
    distanceLine(f.data(), h, d.data(), v, z);
    for (int y = 0; y < h; ++y) grid[size_t(y) * w + x] = d[y];
  }
  for (int y = 0; y < h; ++y) {
    distanceLine(&grid[size_t(y) * w], w, d.data(), v, z);
    std::copy(d.begin(), d.begin() + w, grid.begin() + size_t(y) * w);
  }
  return grid;
}

}  // namespace

Gray signedDistance(const Gray& coverage) {
  const int w = coverage.width, h = coverage.height;
  std::vector<bool> inside(size_t(w) * h), outside(size_t(w) * h);
  for (size_t i = 0; i < inside.size(); ++i) {
    inside[i] = coverage.v[i] >= 0.5f;
    outside[i] = !inside[i];
  }
  const std::vector<double> toInside = squaredDistance(inside, w, h);
  const std::vector<double> toOutside = squaredDistance(outside, w, h);
  Gray out(w, h);
  // The edge lies half a pixel from the centres on either side of it.
  for (size_t i = 0; i < out.v.size(); ++i) {
    out.v[i] =
        inside[i] ? float(std::sqrt(toOutside[i]) - 0.5) : float(0.5 - std::sqrt(toInside[i]));
  }
  return out;
}

uint8_t toByte(float v) {
  const float c = std::min(1.0f, std::max(0.0f, v));
  return uint8_t(std::lround(c * 255.0f));
}

void paste(Image& dst, const Image& src, int x0, int y0) {
  for (int y = 0; y < src.height; ++y)
    for (int x = 0; x < src.width; ++x)
      if (x0 + x >= 0 && y0 + y >= 0 && x0 + x < dst.width && y0 + y < dst.height)
        dst.at(x0 + x, y0 + y) = src.at(x, y);
}

void paste(Gray& dst, const Gray& src, int x0, int y0) {
  for (int y = 0; y < src.height; ++y)
    for (int x = 0; x < src.width; ++x)
      if (x0 + x >= 0 && y0 + y >= 0 && x0 + x < dst.width && y0 + y < dst.height)
        dst.at(x0 + x, y0 + y) = src.at(x, y);
}

}  // namespace picturegen
