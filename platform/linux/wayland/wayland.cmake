# The Wayland window system's part of dravik_platform (included by ../CMakeLists.txt, so that the
# protocols' client code, made by wayland-scanner into the build tree, belongs to the target's
# own folder): wayland-client, EGL, xkbcommon, cursors, and the protocols it speaks.
pkg_check_modules(WAYLAND REQUIRED IMPORTED_TARGET wayland-client wayland-egl wayland-cursor
                  xkbcommon)
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
find_program(WAYLAND_SCANNER wayland-scanner REQUIRED)

set(protocols
  ${WAYLAND_PROTOCOLS_DIR}/stable/xdg-shell/xdg-shell.xml
  ${WAYLAND_PROTOCOLS_DIR}/stable/viewporter/viewporter.xml
  ${WAYLAND_PROTOCOLS_DIR}/staging/fractional-scale/fractional-scale-v1.xml
  ${WAYLAND_PROTOCOLS_DIR}/staging/xdg-activation/xdg-activation-v1.xml
  ${CMAKE_CURRENT_LIST_DIR}/protocols/wlr-layer-shell-unstable-v1.xml)
set(generated ${CMAKE_CURRENT_BINARY_DIR}/wayland-protocols)
file(MAKE_DIRECTORY ${generated})
set(protocol_sources)
foreach(xml ${protocols})
  get_filename_component(name ${xml} NAME_WE)
  add_custom_command(
    OUTPUT ${generated}/${name}.h ${generated}/${name}.c
    COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${generated}/${name}.h
    COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${generated}/${name}.c
    DEPENDS ${xml})
  list(APPEND protocol_sources ${generated}/${name}.c ${generated}/${name}.h)
endforeach()

target_sources(dravik_platform PRIVATE
  wayland/dialog.cpp
  wayland/display.cpp
  wayland/egl.cpp
  wayland/input.cpp
  wayland/surface.cpp
  wayland/wayland.cpp
  ${protocol_sources})
target_include_directories(dravik_platform PRIVATE ${generated})
target_link_libraries(dravik_platform PUBLIC PkgConfig::WAYLAND)
