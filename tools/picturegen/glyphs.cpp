// FreeType glyph rendering: unhinted outlines, transformed, composed into one coverage picture.
#include "glyphs.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace picturegen {

struct FontFace::Impl {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
};

FontFace::FontFace() : impl_(new Impl) {}

FontFace::~FontFace() {
  if (impl_->face) FT_Done_Face(impl_->face);
  if (impl_->library) FT_Done_FreeType(impl_->library);
  delete impl_;
}

bool FontFace::open(const std::string& path) {
  if (!impl_->library && FT_Init_FreeType(&impl_->library) != 0) return false;
  if (impl_->face) {
    FT_Done_Face(impl_->face);
    impl_->face = nullptr;
  }
  return FT_New_Face(impl_->library, path.c_str(), 0, &impl_->face) == 0;
}

namespace {

struct Placed {
  int left, top;  // bitmap corner, y up from the baseline
  int width, rows;
  std::vector<uint8_t> pixels;
};

FT_Fixed fixed16(float v) { return FT_Fixed(std::lround(double(v) * 65536.0)); }

}  // namespace

Ink FontFace::render(const std::string& text, const TextStyle& style, int margin) const {
  FT_Face face = impl_->face;
  if (!face) return {};
  FT_Set_Char_Size(face, 0, FT_F26Dot6(std::lround(style.em * 64.0)), 72, 72);

  std::vector<Placed> placed;
  double pen = 0;  // untransformed pen position in pixels
  FT_UInt previous = 0;
  for (unsigned char ch : text) {
    const FT_UInt index = FT_Get_Char_Index(face, ch);
    if (previous && index && FT_HAS_KERNING(face)) {
      FT_Vector kern;
      if (FT_Get_Kerning(face, previous, index, FT_KERNING_UNFITTED, &kern) == 0)
        pen += kern.x / 64.0;
    }
    FT_Matrix m;
    m.xx = fixed16(style.scaleX);
    m.xy = fixed16(style.slant * style.scaleY);
    m.yx = 0;
    m.yy = fixed16(style.scaleY);
    FT_Vector delta;
    delta.x = FT_Pos(std::lround(pen * style.scaleX * 64.0));
    delta.y = 0;
    FT_Set_Transform(face, &m, &delta);
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) == 0 &&
        FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) == 0) {
      const FT_Bitmap& bm = face->glyph->bitmap;
      Placed p{face->glyph->bitmap_left, face->glyph->bitmap_top, int(bm.width), int(bm.rows), {}};
      p.pixels.resize(size_t(p.width) * p.rows);
      for (int j = 0; j < p.rows; ++j)
        for (int i = 0; i < p.width; ++i)
          p.pixels[size_t(j) * p.width + i] = bm.buffer[j * bm.pitch + i];
      if (p.width > 0 && p.rows > 0) placed.push_back(std::move(p));
      pen += face->glyph->linearHoriAdvance / 65536.0;
    }
    pen += style.tracking * style.em;
    previous = index;
  }
  FT_Set_Transform(face, nullptr, nullptr);
  if (placed.empty()) return {};

  int minX = INT_MAX, maxX = INT_MIN, maxTop = INT_MIN, minBottom = INT_MAX;
  for (const Placed& p : placed) {
    minX = std::min(minX, p.left);
    maxX = std::max(maxX, p.left + p.width);
    maxTop = std::max(maxTop, p.top);
    minBottom = std::min(minBottom, p.top - p.rows);
  }
  Ink ink;
  ink.coverage = Gray(maxX - minX + 2 * margin, maxTop - minBottom + 2 * margin);
  ink.baseline = maxTop + margin;
  for (const Placed& p : placed) {
    for (int j = 0; j < p.rows; ++j) {
      for (int i = 0; i < p.width; ++i) {
        float& c = ink.coverage.at(p.left - minX + margin + i, maxTop - p.top + margin + j);
        c = std::max(c, p.pixels[size_t(j) * p.width + i] / 255.0f);
      }
    }
  }
  return ink;
}

Box inkBox(const Gray& coverage, float threshold) {
  int x0 = INT_MAX, y0 = INT_MAX, x1 = INT_MIN, y1 = INT_MIN;
  for (int y = 0; y < coverage.height; ++y) {
    for (int x = 0; x < coverage.width; ++x) {
      if (coverage.at(x, y) > threshold) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
      }
    }
  }
  if (x1 < x0) return {};
  return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

}  // namespace picturegen
