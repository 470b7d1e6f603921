// Prints the star field as placed at start-up, one star a line (index x y z), so that the
// Windows and the Linux builds of the same sources can be compared line by line.
// With any argument it instead compares the placement's generator with this C runtime's own
// unseeded rand over the 1500 draws the placement takes, and fails at the first difference.
#include <stdio.h>
#include <stdlib.h>

#include "effects/msrand.h"
#include "effects/starfield.h"
#include "image/textureset.h"

// The star field binds slot 0 when it draws; nothing is drawn here.
GLuint texture[8];

int main(int argc, char**) {
  if (argc > 1) {
    for (int i = 0; i < 3 * STARCOUNTMAX2; i++)
      if (msrand() != rand()) return printf("draw %d differs from rand\n", i), 1;
    return 0;
  }
  placeStars();
  for (int i = 0; i < STARCOUNTMAX2; i++)
    printf("%d %.9g %.9g %.9g\n", i, star2[i].x, star2[i].y, star2[i].z);
  return 0;
}
