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

void tekenscroller2(double dt, bool reflection);
