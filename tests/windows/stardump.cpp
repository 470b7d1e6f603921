// Prints the star field as placed at start-up, one star a line, so that the Windows and the
// Linux builds of the same sources can be compared line by line.
//   stardump          the star table (stars 0 to 499: x y z)
//   stardump draws    the first 1500 numbers of the placement's generator
//   stardump crt      the first 1500 numbers of this C runtime's own unseeded rand
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "effects/msrand.h"
#include "effects/starfield.h"
#include "image/textureset.h"

// The star field binds slot 0 when it draws; nothing is drawn here.
GLuint texture[8];

int main(int argc, char** argv) {
  const char* what = argc > 1 ? argv[1] : "stars";
  if (strcmp(what, "stars") == 0) {
    placeStars();
    for (int i = 0; i < STARCOUNTMAX2; i++)
      printf("%d %.9g %.9g %.9g\n", i, star2[i].x, star2[i].y, star2[i].z);
    // Records past the placed ones must stay empty.
    for (int i = STARCOUNTMAX2; i < STARCOUNTMAX; i++)
      if (star2[i].x != 0 || star2[i].y != 0 || star2[i].z != 0) printf("record %d not empty\n", i);
  } else if (strcmp(what, "draws") == 0 || strcmp(what, "crt") == 0) {
    bool crt = strcmp(what, "crt") == 0;
    for (int i = 0; i < 3 * STARCOUNTMAX2; i++) printf("%d\n", crt ? rand() : msrand());
  } else {
    fprintf(stderr, "usage: stardump [stars|draws|crt]\n");
    return 2;
  }
  return 0;
}
