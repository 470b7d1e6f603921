// The star field: 500 tinted sprites flying towards the viewer, turning and colour-cycling.
#pragma once

#define STARCOUNTMAX 15000
#define STARCOUNTMAX2 500

struct STAR {
  float x;
  float y;
  float z;
};

extern STAR star2[STARCOUNTMAX];
extern unsigned char schemes[7][3];
extern int schemecount;
extern float schemepos;
extern float rotate2;
extern unsigned int loop;

// Places stars 0 to 499 from the generator's first 1500 draws.
void placeStars();
// dt: the frame's time step in seconds. Binds slot 0 (TEXTURE_STAR), blends additively
// (GL_SRC_ALPHA, GL_ONE); leaves the model-view matrix turned by 5 * rotate2 degrees, the last
// star's tint.
void tekensterrenveld(double dt);
