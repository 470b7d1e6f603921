// The remainder, the star generator's sequence and the scroller's font cells.
#include <gtest/gtest.h>
#include <math.h>

#include "effects/floatmod.h"
#include "effects/msrand.h"
#include "effects/scroller.h"

TEST(Floatmod, RemainderOfNonNegativeValues) {
  EXPECT_EQ(floatmod(7.5f, 6.0f), 1.5f);
  EXPECT_EQ(floatmod(1000.0f, 6.0f), 4.0f);
  EXPECT_EQ(floatmod(6.0f, 6.0f), 0.0f);
  EXPECT_EQ(floatmod(0.25f, 6.0f), 0.25f);
  EXPECT_EQ(floatmod(791.5f, 396.0f), 395.5f);
  // The fraction survives: the remainder is not taken of the integer part alone.
  EXPECT_EQ(floatmod(1003.75f, 6.0f), 1.75f);
}

TEST(Floatmod, NegativeGivesZero) {
  EXPECT_EQ(floatmod(-2.5f, 6.0f), 0.0f);
  EXPECT_EQ(floatmod(-0.5f, 6.0f), 0.0f);
  EXPECT_EQ(floatmod(-1e12f, 6.0f), 0.0f);
}

TEST(Floatmod, ValuesBeyondAnIntStayInRange) {
  // 3 * 2^31 and 2^40 are whole numbers; their remainders by 6 are 0 and 4.
  EXPECT_EQ(floatmod(6442450944.0f, 6.0f), 0.0f);
  EXPECT_EQ(floatmod(1099511627776.0f, 6.0f), 4.0f);
  EXPECT_EQ(floatmod(NAN, 6.0f), 0.0f);
}

TEST(Msrand, FollowsTheWindowsRuntimeSequence) {
  // The first numbers of the Windows C runtime's rand before any srand call.
  const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
  msrandseed(1);
  for (int e : expected) EXPECT_EQ(msrand(), e);
  msrandseed(1);
  EXPECT_EQ(msrand(), 41);  // restarts
}

static std::pair<int, int> cell(char c) {
  int col = -1, row = -1;
  getletter(c, &col, &row);
  return {col, row};
}

TEST(Getletter, CellsOfTheFontGrid) {
  using P = std::pair<int, int>;
  EXPECT_EQ(cell('A'), P(0, 0));
  EXPECT_EQ(cell('F'), P(5, 0));
  EXPECT_EQ(cell('G'), P(0, 1));
  EXPECT_EQ(cell('L'), P(5, 1));
  EXPECT_EQ(cell('R'), P(5, 2));
  EXPECT_EQ(cell('S'), P(0, 3));
  EXPECT_EQ(cell('X'), P(5, 3));
  EXPECT_EQ(cell('Z'), P(1, 4));
  EXPECT_EQ(cell('('), P(2, 4));
  EXPECT_EQ(cell(')'), P(3, 4));
  EXPECT_EQ(cell('?'), P(4, 4));
  EXPECT_EQ(cell('!'), P(5, 4));
  EXPECT_EQ(cell(':'), P(0, 5));
  EXPECT_EQ(cell('.'), P(1, 5));
}

TEST(Getletter, LowerCaseSharesTheUpperCaseCell) {
  for (char c = 'a'; c <= 'z'; c++) EXPECT_EQ(cell(c), cell((char)(c - 32))) << c;
}

TEST(Getletter, EverythingElseIsTheBlankCell) {
  const std::pair<int, int> blank(6, 0);
  for (char c : std::string(" 0123456789,/-'\"@[`{~\t")) EXPECT_EQ(cell(c), blank) << c;
  EXPECT_EQ(cell('\0'), blank);
  // Bytes above 127 are negative chars: never upper-cased, never a cell, even where their
  // low seven bits spell a letter.
  for (int b = 128; b < 256; b++) EXPECT_EQ(cell((char)b), blank) << b;
}
