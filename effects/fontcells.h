// The layout of the scroller's font atlases: a 512 x 512 picture of 64-pixel cells counted from
// the top left, each glyph in the top-left 47 x 33 pixels of its cell, the characters by row
// from column 0. Every other character takes the empty cell right of "F" (column 6, row 0).
#pragma once

const int FONTATLAS_SIZE = 512;
const int FONTCELL_SIZE = 64;
const int FONTGLYPH_WIDTH = 47;
const int FONTGLYPH_HEIGHT = 33;
const int FONTCELL_ROWS = 6;
const char* const FONTCELLS[FONTCELL_ROWS] = {"ABCDEF", "GHIJKL", "MNOPQR",
                                              "STUVWX", "YZ()?!", ":."};
const int FONTCELL_BLANK_COLUMN = 6;
