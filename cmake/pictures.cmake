# The eight pictures of Data/, named once: the build writes them into a header for the program,
# the picture generator and the tests, and into pictures.txt (a name a line) for the scripts.
set(DRAVIK_PICTURES
  STAR "Star.bmp"
  BACKGROUND "background2.bmp"
  LOGO "tolvane image logo.bmp"
  LOGO_MASK "tolvane image logo mask.bmp"
  FONT "font2.bmp"
  FONT_DARKER "font2darker.bmp"
  FONT_MASK "font2mask.bmp"
  DESKTOP "atari desktop.bmp")

set(picture_defines "")
set(DRAVIK_PICTURE_FILES "")
set(picture_lines "")
list(LENGTH DRAVIK_PICTURES count)
math(EXPR last "${count} - 1")
foreach(i RANGE 0 ${last} 2)
  math(EXPR j "${i} + 1")
  list(GET DRAVIK_PICTURES ${i} key)
  list(GET DRAVIK_PICTURES ${j} file)
  string(APPEND picture_defines "#define PICTURE_${key} \"${file}\"\n")
  string(APPEND picture_lines "${file}\n")
  list(APPEND DRAVIK_PICTURE_FILES "${file}")
endforeach()
set(DRAVIK_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
file(CONFIGURE OUTPUT ${DRAVIK_GENERATED_DIR}/picture_names.h CONTENT
"// The file names of the eight pictures in Data/, written by the build from cmake/pictures.cmake.
#pragma once

${picture_defines}")
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/pictures.txt CONTENT "${picture_lines}")
