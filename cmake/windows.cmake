# What Windows shows of Dravik.scr, compiled in from packaging/Dravik.rc.in: its name, version,
# licence line, icon and manifest. The icon is drawn by the picture generator, a program of the
# build machine: a build of it for the host is made in host/ of this build tree.
enable_language(RC)
include(ExternalProject)

set(host_picturegen ${CMAKE_BINARY_DIR}/host/picturegen)
ExternalProject_Add(host_picturegen
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/host
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DDRAVIK_TESTS=OFF -DDRAVIK_BENCH=OFF
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target picturegen
  BUILD_BYPRODUCTS ${host_picturegen}
  BUILD_ALWAYS ON  # its own build tells whether the generator changed
  INSTALL_COMMAND "")

set(DRAVIK_ICON ${CMAKE_BINARY_DIR}/Dravik.ico)
add_custom_command(
  OUTPUT ${DRAVIK_ICON}
  COMMAND ${host_picturegen} --icon ${DRAVIK_ICON}
  DEPENDS host_picturegen ${host_picturegen}
  COMMENT "Drawing the icon ${DRAVIK_ICON}"
  VERBATIM)

# Windows' versions have four numbers: the project's, with zeros for those it leaves out.
string(REPLACE "." ";" version "${PROJECT_VERSION}.0.0.0")
list(SUBLIST version 0 4 version)
list(JOIN version "," DRAVIK_VERSION_COMMAS)
list(JOIN version "." DRAVIK_VERSION_DOTS)
file(STRINGS ${CMAKE_SOURCE_DIR}/LICENSE DRAVIK_COPYRIGHT REGEX "^Copyright" LIMIT_COUNT 1)
set(DRAVIK_MANIFEST ${CMAKE_BINARY_DIR}/Dravik.scr.manifest)
configure_file(${CMAKE_SOURCE_DIR}/packaging/Dravik.manifest.in ${DRAVIK_MANIFEST} @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/Dravik.rc.in ${CMAKE_BINARY_DIR}/Dravik.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/Dravik.rc PROPERTIES
  OBJECT_DEPENDS "${DRAVIK_ICON};${DRAVIK_MANIFEST}")
target_sources(Dravik PRIVATE ${CMAKE_BINARY_DIR}/Dravik.rc ${DRAVIK_ICON})
