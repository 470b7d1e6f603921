// Writes the program's eight pictures into a folder: picturegen <folder> <bold TrueType font>;
// or the Windows icon: picturegen --icon <file.ico>.
#include <cstdio>
#include <string>

#include "bmpfile.h"
#include "picture_names.h"
#include "pictures.h"

using namespace picturegen;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <output folder> <bold TrueType font> | --icon <file.ico>\n",
                 argv[0]);
    return 2;
  }
  if (std::string(argv[1]) == "--icon") {
    if (writeFile(argv[2], drawIcon())) return 0;
    std::fprintf(stderr, "picturegen: cannot write %s\n", argv[2]);
    return 1;
  }
  const std::string dir = std::string(argv[1]) + "/";
  FontFace font;
  if (!font.open(argv[2])) {
    std::fprintf(stderr, "picturegen: cannot open the font %s\n", argv[2]);
    return 1;
  }
  const Masked logo = drawLogo(font);
  const FontAtlas atlas = drawFontAtlas(font);
  const struct {
    const char* name;
    Image image;
  } files[] = {
      {PICTURE_STAR, drawStar(128)},
      {PICTURE_BACKGROUND, drawBackground(64)},
      {PICTURE_LOGO, logo.colour},
      {PICTURE_LOGO_MASK, grayToImage(logo.mask)},
      {PICTURE_FONT, atlas.bright},
      {PICTURE_FONT_DARKER, atlas.darker},
      {PICTURE_FONT_MASK, grayToImage(atlas.mask)},
      {PICTURE_DESKTOP, drawDesktop()},
  };
  for (const auto& f : files) {
    if (!writeBmp(dir + f.name, f.image)) {
      std::fprintf(stderr, "picturegen: cannot write %s%s\n", dir.c_str(), f.name);
      return 1;
    }
  }
  return 0;
}
