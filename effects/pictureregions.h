// Where the logo and the desktop lie in their pictures, in pixels: each in the top-left corner of
// a square picture. The effects draw exactly that region, with its proportions; the picture
// generator (tools/picturegen) paints the picture to fill it.
#pragma once

const int LOGOPICTURE_SIZE = 512;
const int LOGO_WIDTH = 310;
const int LOGO_HEIGHT = 242;

const int DESKTOPPICTURE_SIZE = 512;
const int DESKTOP_WIDTH = 320;
const int DESKTOP_HEIGHT = 200;
