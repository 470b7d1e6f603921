// The remainder, the star generator's sequence and the scroller's font cells.
#include <ctype.h>
#include <gtest/gtest.h>
#include <math.h>

#include <string>
#include <utility>

#include "effects/floatmod.h"
#include "effects/fontcells.h"
#include "effects/msrand.h"
#include "effects/scroller.h"

TEST(Floatmod, Examples) {
  const float cases[][3] = {
      {7.5f, 6, 1.5f},
      {1000, 6, 4},
      {6, 6, 0},
      {0.25f, 6, 0.25f},
      {791.5f, 396, 395.5f},
      {1003.75f, 6, 1.75f},  // the fraction is kept, not only the integer part's remainder
      {-2.5f, 6, 0},
      {-0.5f, 6, 0},
      {-1e12f, 6, 0},  // negative gives 0
      {6442450944.0f, 6, 0},
      {1099511627776.0f, 6, 4},  // 3 * 2^31, 2^40: beyond an int
      {NAN, 6, 0}};
  for (const auto& c : cases) EXPECT_EQ(floatmod(c[0], c[1]), c[2]) << c[0] << " mod " << c[1];
}

TEST(Msrand, FollowsTheWindowsRuntimeSequence) {
  const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
  msrandseed(MSRAND_UNSEEDED);
  for (int e : expected) EXPECT_EQ(msrand(), e);
  msrandseed(MSRAND_UNSEEDED);
  EXPECT_EQ(msrand(), 41);
}

using P = std::pair<int, int>;

static P cell(char c) {
  int col = -1, row = -1;
  getletter(c, &col, &row);
  return {col, row};
}

TEST(Getletter, FontCellsLowerCaseAsUpperEverythingElseBlank) {
  for (int r = 0; r < FONTCELL_ROWS; r++)
    for (int k = 0; FONTCELLS[r][k]; k++)
      for (char c : {FONTCELLS[r][k], (char)tolower(FONTCELLS[r][k])})
        EXPECT_EQ(cell(c), P(k, r)) << c;
  for (char c : std::string(" 0123456789,/-'\"@[`{~\t\0", 23)) EXPECT_EQ(cell(c), P(6, 0)) << c;
  // Bytes above 127, even those whose low seven bits spell a letter.
  for (int b = 128; b < 256; b++) EXPECT_EQ(cell((char)b), P(6, 0)) << b;
}
