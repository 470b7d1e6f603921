// The sine scroller and its darker mirrored reflection.
#pragma once

struct FLOATRECT {
  float left;
  float top;
  float right;
  float bottom;
};

extern float scroller2pos_x;
extern float scroller2pos_y;
extern float scroller2HSinPos;
extern float scroller2offet;
extern float scroller2totallapse;

extern const float scroller2fontsize_w;
extern const float scroller2fontsize_h;
extern const float scroller2looppos_x;
extern const float scroller2MustBelLeftOf;
extern const float scroller2SinSize;
extern const float scroller2flipypos;

// The scroll text and its length L in characters; the line repeats every 2L units.
extern const char scroller2text[];
extern const int scroller2textlength;

// dt: a time step in seconds, by which every call advances the scroller (the sequencer calls it
// twice a frame, the reflection first). Binds slot 5 (TEXTURE_FONT_DARKER) for the reflection,
// slot 4 (TEXTURE_FONT) otherwise, blends by alpha; leaves the identity model-view, white colour.
void tekenscroller2(double dt, bool reflection);
// One letter as 4^depth quads, every corner moved by the waves; GL state as tekenscroller2 sets it.
void tekenscroller2letter(FLOATRECT tex, FLOATRECT vert, int depth, bool reflection);
// The font cell of a character: column through col, row through row.
void getletter(char c, int* col, int* row);
