// Writes the fuzzer's seed corpus: small valid, mismatched and broken BMP files, and pairs of
// files laid end to end (the fuzzer reads an input's halves as a colour file and a mask file).
// With --data it writes instead a Data folder of broken pictures for a run of the real program.
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

#include <string>

#include "picture_names.h"
#include "tests/image/bmp_files.h"

using bmp::Bytes;

namespace {

Bytes join(const Bytes& a, const Bytes& b) {
  Bytes out = a;
  out.insert(out.end(), b.begin(), b.end());
  return out;
}

// Every picture of the program's Data folder, each broken in its own way.
int writeHostileData(const std::string& dir) {
  if (mkdir(dir.c_str(), 0755) != 0) return 1;
  if (mkdir((dir + "/" PICTURE_STAR).c_str(), 0755) != 0) return 1;  // a folder in place of a file
  bmp::write(dir + "/" PICTURE_BACKGROUND, {});                      // zero length
  bmp::write(dir + "/" PICTURE_LOGO, bmp::file(512, 512, bmp::counting(100)));
  bmp::write(dir + "/" PICTURE_LOGO_MASK, bmp::file(4, 4, bmp::counting(48)));
  bmp::write(dir + "/" PICTURE_FONT, bmp::file(4, -4, bmp::counting(48)));  // top-down
  bmp::write(dir + "/" PICTURE_FONT_MASK, bmp::file(0x7fffffff, 0x7fffffff, bmp::counting(48)));
  bmp::write(dir + "/" PICTURE_FONT_DARKER, Bytes(20, 'B'));  // shorter than the header
  bmp::write(dir + "/" PICTURE_DESKTOP, bmp::file(0x40000000, 4, bmp::counting(48)));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && strcmp(argv[1], "--data") == 0) return writeHostileData(argv[2]);
  if (argc != 2) {
    fprintf(stderr, "usage: %s <folder> | --data <new Data folder>\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  Bytes small = bmp::file(4, 2, bmp::counting(24, 1));
  Bytes mask = bmp::file(4, 2, bmp::repeated(8, 128, 128, 128));
  Bytes square = bmp::file(8, 8, bmp::counting(192, 3));
  Bytes header = bmp::file(4, 2, {});
  const std::pair<const char*, Bytes> seeds[] = {
      {"valid-4x2", small},
      {"valid-8x8", square},
      {"pair-4x2", join(small, mask)},
      {"pair-8x8", join(square, bmp::file(8, 8, bmp::repeated(64, 255, 0, 0)))},
      {"pair-same-length-other-shape", join(small, bmp::file(8, 1, bmp::counting(24)))},
      {"pair-width-0", join(bmp::file(0, 2, bmp::counting(8)), bmp::file(0, 2, bmp::counting(8)))},
      {"pair-height-0", join(bmp::file(4, 0, bmp::counting(8)), bmp::file(4, 0, bmp::counting(8)))},
      {"padded-width-1", bmp::file(1, 2, {1, 2, 3, 0, 4, 5, 6, 0})},
      {"unpadded-width-1", bmp::file(1, 2, {1, 2, 3, 4, 5, 6})},
      {"truncated-one-row", bmp::file(4, 1, bmp::counting(11))},
      {"header-only", header},
      {"short-header", Bytes(header.begin(), header.begin() + 53)},
      {"empty", {}},
      {"truncated-pixels", bmp::file(4, 2, bmp::counting(23))},
      {"negative-height", bmp::file(4, -2, bmp::counting(24))},
      {"negative-width", bmp::file(-4, 2, bmp::counting(24))},
      {"wraps-32-bits", bmp::file(0x40000000, 4, bmp::counting(24))},
      {"largest", bmp::file(0x7fffffff, 0x7fffffff, bmp::counting(24))},
  };
  for (const auto& [name, bytes] : seeds) bmp::write(dir + "/" + name + ".bmp", bytes);
  printf("%zu seeds in %s\n", sizeof seeds / sizeof seeds[0], dir.c_str());
  return 0;
}
