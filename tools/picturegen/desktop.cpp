// A 16-bit-era desktop in the region the desktop effect draws (effects/pictureregions.h): menu bar,
// green dithered backdrop, two floppy drives and a trash can with their labels, an open drive
// window and the arrow pointer. Black and white icons, as on that screen.
#include "effects/pictureregions.h"
#include "pictures.h"
#include "pixelfont.h"

namespace picturegen {

namespace {

const int kW = DESKTOP_WIDTH, kH = DESKTOP_HEIGHT;
const Rgb kBlack = rgb8(0, 0, 0);
const Rgb kWhite = rgb8(255, 255, 255);

// Two greens in a checkerboard, the way a 16-colour screen made its middle green.
Rgb backdrop(int x, int y) { return ((x + y) & 1) ? rgb8(0, 146, 0) : rgb8(36, 182, 36); }

void fill(Image& im, int x0, int y0, int x1, int y1, Rgb c) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if (x >= 0 && y >= 0 && x < im.width && y < im.height) im.at(x, y) = c;
}

void frame(Image& im, int x0, int y0, int x1, int y1, Rgb c) {
  fill(im, x0, y0, x1, y0, c);
  fill(im, x0, y1, x1, y1, c);
  fill(im, x0, y0, x0, y1, c);
  fill(im, x1, y0, x1, y1, c);
}

// Draws a picture given as rows of text: '#' black, 'o' white, anything else left alone.
void sprite(Image& im, int x0, int y0, std::initializer_list<const char*> rows) {
  int y = y0;
  for (const char* row : rows) {
    for (int x = 0; row[x] != '\0'; ++x) {
      if (row[x] == '#') fill(im, x0 + x, y, x0 + x, y, kBlack);
      if (row[x] == 'o') fill(im, x0 + x, y, x0 + x, y, kWhite);
    }
    ++y;
  }
}

// A label under an icon: black text on a white box, centred on cx.
void label(Image& im, int cx, int y, const std::string& text) {
  const int w = int(text.size()) * 8 + 3;
  const int x0 = cx - w / 2;
  fill(im, x0, y, x0 + w - 1, y + 9, kWhite);
  drawPixelText(im, x0 + 2, y + 1, text, kBlack);
}

// A 3.5-inch floppy, 24 x 24, seen from the front, with its drive letter on the label.
void floppy(Image& im, int x0, int y0, char letter) {
  // Body with the corner at the top right cut off along a diagonal.
  fill(im, x0, y0, x0 + 23, y0 + 23, kWhite);
  frame(im, x0, y0, x0 + 23, y0 + 23, kBlack);
  for (int y = 0; y < 4; ++y) {
    for (int x = 20; x < 24; ++x) {
      if (x - 20 > y) im.at(x0 + x, y0 + y) = backdrop(x0 + x, y0 + y);
      if (x - 20 == y) im.at(x0 + x, y0 + y) = kBlack;
    }
  }
  // Metal shutter, dithered grey, with its window.
  frame(im, x0 + 5, y0, x0 + 17, y0 + 9, kBlack);
  for (int y = y0 + 1; y <= y0 + 8; ++y)
    for (int x = x0 + 6; x <= x0 + 16; ++x) im.at(x, y) = ((x + y) & 1) ? kBlack : kWhite;
  fill(im, x0 + 12, y0 + 2, x0 + 15, y0 + 7, kWhite);
  frame(im, x0 + 12, y0 + 2, x0 + 15, y0 + 7, kBlack);
  // Paper label with the drive letter.
  frame(im, x0 + 3, y0 + 12, x0 + 20, y0 + 23, kBlack);
  fill(im, x0 + 4, y0 + 13, x0 + 19, y0 + 22, kWhite);
  drawPixelText(im, x0 + 9, y0 + 14, std::string(1, letter), kBlack);
  // Write-protect notch and index hole.
  fill(im, x0 + 1, y0 + 20, x0 + 2, y0 + 21, kBlack);
}

// A ribbed trash can with its lid, 24 x 24.
void trashCan(Image& im, int x0, int y0) {
  sprite(im, x0, y0,
         {
             ".........######.........",  ".........#oooo#.........",  "..####################..",
             ".#oooooooooooooooooooo#.",  ".######################.",  "..#oooooooooooooooooo#..",
             "..#oo#oooo#oooo#oooo##..",  "..#oo#oooo#oooo#ooo#o#..",  "...#o#oooo#oooo#ooo#o#..",
             "...#o#oooo#oooo#ooo#o#..",  "...#o#oooo#oooo#ooo#o#..",  "...#o#oooo#oooo#ooo##...",
             "...#oo#ooo#ooo#ooo#o#...",  "...#oo#ooo#ooo#ooo#o#...",  "...#oo#ooo#ooo#ooo#o#...",
             "...#oo#ooo#ooo#ooo#o#...",  "....#o#ooo#ooo#ooo#o#...",  "....#o#ooo#ooo#ooo#o#...",
             "....#o#ooo#ooo#ooo#o#...",  "....#o#ooo#ooo#oo#oo#...",  "....#oo#oo#oo#ooo#o#....",
             "....#ooooooooooooooo#....", ".....###############.....", "........................",
         });
}

// The arrow pointer: black with a white rim, tip at (x0, y0).
void pointer(Image& im, int x0, int y0) {
  sprite(im, x0, y0,
         {
             "o.........",
             "oo........",
             "o#o.......",
             "o##o......",
             "o###o.....",
             "o####o....",
             "o#####o...",
             "o######o..",
             "o#######o.",
             "o########o",
             "o#####oooo",
             "o##o##o...",
             "o#o.o##o..",
             "oo..o##o..",
             "o....o##o.",
             ".....o##o.",
             "......oo..",
         });
}

// A folder icon, 24 x 16: a tab on the top left, a white body with a black rim.
void folder(Image& im, int x0, int y0) {
  sprite(im, x0, y0,
         {
             ".########...............",
             "#oooooooo#..............",
             "#ooooooooo#############.",
             "#ooooooooooooooooooooo#.",
             "#######################.",
             "#ooooooooooooooooooooo#.",
             "#ooooooooooooooooooooo#.",
             "#ooooooooooooooooooooo#.",
             "#ooooooooooooooooooooo#.",
             "#ooooooooooooooooooooo#.",
             "#ooooooooooooooooooooo#.",
             "#ooooooooooooooooooooo#.",
             "#ooooooooooooooooooooo#.",
             "#ooooooooooooooooooooo#.",
             "#######################.",
         });
}

// A program icon, 24 x 16: a small window with a title stripe.
void program(Image& im, int x0, int y0) {
  fill(im, x0, y0, x0 + 22, y0 + 14, kWhite);
  frame(im, x0, y0, x0 + 22, y0 + 14, kBlack);
  fill(im, x0, y0 + 3, x0 + 22, y0 + 3, kBlack);
  for (int x = x0 + 2; x <= x0 + 20; x += 2) fill(im, x, y0 + 1, x, y0 + 2, kBlack);
  fill(im, x0 + 4, y0 + 6, x0 + 13, y0 + 6, kBlack);
  fill(im, x0 + 4, y0 + 8, x0 + 17, y0 + 8, kBlack);
  fill(im, x0 + 4, y0 + 10, x0 + 10, y0 + 10, kBlack);
}

// A white box with black rim: the window's close, full, arrow and size boxes and its sliders.
void box(Image& im, int x0, int y0, int width, int height) {
  fill(im, x0, y0, x0 + width - 1, y0 + height - 1, kWhite);
  frame(im, x0, y0, x0 + width - 1, y0 + height - 1, kBlack);
}
void box(Image& im, int x0, int y0, int size) { box(im, x0, y0, size, size); }

// Arrow heads inside an 11-pixel box, pointing up, down, left or right.
void arrow(Image& im, int x0, int y0, char way) {
  for (int i = 0; i < 4; ++i) {
    const int a = 5 - i, b = 5 + i, at = 3 + i;
    switch (way) {
      case 'u':
        fill(im, x0 + a, y0 + at, x0 + b, y0 + at, kBlack);
        break;
      case 'd':
        fill(im, x0 + a, y0 + 10 - at, x0 + b, y0 + 10 - at, kBlack);
        break;
      case 'l':
        fill(im, x0 + at, y0 + a, x0 + at, y0 + b, kBlack);
        break;
      default:
        fill(im, x0 + 10 - at, y0 + a, x0 + 10 - at, y0 + b, kBlack);
        break;
    }
  }
}

// The open window of drive A: title bar with close and full boxes, an information line,
// three items and scroll bars on the right and at the bottom.
void window(Image& im, int x0, int y0, int x1, int y1) {
  const int bar = 11;
  fill(im, x0, y0, x1, y1, kWhite);
  frame(im, x0, y0, x1, y1, kBlack);
  // Title bar: ruled with lines while the window is on top, the title in a white gap.
  for (int y = y0 + 2; y < y0 + bar - 1; y += 2) fill(im, x0 + bar, y, x1 - bar, y, kBlack);
  box(im, x0, y0, bar);
  fill(im, x0 + 3, y0 + 3, x0 + 7, y0 + 7, kBlack);
  fill(im, x0 + 4, y0 + 4, x0 + 6, y0 + 6, kWhite);
  box(im, x1 - bar + 1, y0, bar);
  frame(im, x1 - bar + 3, y0 + 2, x1 - 2, y0 + 8, kBlack);
  frame(im, x1 - bar + 3, y0 + 2, x1 - 5, y0 + 5, kBlack);
  const std::string title = " A:\\ ";
  const int tw = int(title.size()) * 8;
  const int tx = (x0 + x1 + 1 - tw) / 2;
  fill(im, tx, y0 + 1, tx + tw - 1, y0 + bar - 2, kWhite);
  drawPixelText(im, tx, y0 + 2, title, kBlack);
  fill(im, x0, y0 + bar - 1, x1, y0 + bar - 1, kBlack);
  // Information line.
  drawPixelText(im, x0 + 3, y0 + bar, "3 items", kBlack);
  fill(im, x0, y0 + 2 * bar - 2, x1, y0 + 2 * bar - 2, kBlack);
  // Scroll bars: dithered tracks between arrow boxes, a white slider on each.
  for (int y = y0 + 2 * bar - 1; y <= y1; ++y)
    for (int x = x1 - bar + 1; x <= x1; ++x) im.at(x, y) = ((x + y) & 1) ? kBlack : kWhite;
  for (int y = y1 - bar + 1; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) im.at(x, y) = ((x + y) & 1) ? kBlack : kWhite;
  frame(im, x1 - bar + 1, y0 + 2 * bar - 2, x1, y1, kBlack);
  frame(im, x0, y1 - bar + 1, x1, y1, kBlack);
  box(im, x1 - bar + 1, y0 + 2 * bar - 2, bar);
  arrow(im, x1 - bar + 1, y0 + 2 * bar - 2, 'u');
  box(im, x1 - bar + 1, y1 - 2 * bar + 2, bar);
  arrow(im, x1 - bar + 1, y1 - 2 * bar + 2, 'd');
  box(im, x1 - bar + 1, y0 + 3 * bar - 3, bar, (y1 - y0) / 3);  // vertical slider
  box(im, x0, y1 - bar + 1, bar);
  arrow(im, x0, y1 - bar + 1, 'l');
  box(im, x1 - 2 * bar + 2, y1 - bar + 1, bar);
  arrow(im, x1 - 2 * bar + 2, y1 - bar + 1, 'r');
  box(im, x0 + bar - 1, y1 - bar + 1, (x1 - x0) / 2, bar);  // horizontal slider
  box(im, x1 - bar + 1, y1 - bar + 1, bar);                 // size box
  frame(im, x1 - bar + 3, y1 - bar + 3, x1 - 2, y1 - 2, kBlack);
  // The items, each an icon over its name, in columns 56 pixels apart.
  const int top = y0 + 2 * bar + 6;
  const struct {
    const char* name;
    bool isFolder;
  } items[] = {{"DEMOS", true}, {"MUSIC", true}, {"GO.PRG", false}};
  for (int i = 0; i < 3; ++i) {
    const int cx = x0 + 30 + 56 * i;
    if (items[i].isFolder) {
      folder(im, cx - 12, top);
    } else {
      program(im, cx - 12, top);
    }
    const int w = int(std::string(items[i].name).size()) * 8;
    drawPixelText(im, cx - w / 2, top + 18, items[i].name, kBlack);
  }
}

}  // namespace

Image drawDesktop() {
  Image im(DESKTOPPICTURE_SIZE, DESKTOPPICTURE_SIZE);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) im.at(x, y) = backdrop(x, y);

  // Menu bar.
  fill(im, 0, 0, kW - 1, 9, kWhite);
  fill(im, 0, 10, kW - 1, 10, kBlack);
  drawPixelText(im, 16, 1, "Desk", kBlack);
  drawPixelText(im, 64, 1, "File", kBlack);
  drawPixelText(im, 112, 1, "View", kBlack);
  drawPixelText(im, 160, 1, "Options", kBlack);

  // Drives and trash down the left side.
  floppy(im, 40, 20, 'A');
  label(im, 52, 46, "FLOPPY DISK");
  floppy(im, 40, 66, 'B');
  label(im, 52, 92, "FLOPPY DISK");
  trashCan(im, 40, 152);
  label(im, 52, 178, "TRASH CAN");

  window(im, 128, 28, 307, 132);
  pointer(im, 214, 150);

  // Repeat the last column and row once, so filtering at the picture's edge meets its own colours.
  for (int y = 0; y < kH; ++y) im.at(kW, y) = im.at(kW - 1, y);
  for (int x = 0; x <= kW; ++x) im.at(x, kH) = im.at(x, kH - 1);
  return im;
}

}  // namespace picturegen
