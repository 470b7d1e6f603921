# The Debian package's layout, as install component 'deb' (left out of a plain install):
#   /usr/lib/dravik/dravik                    the program
#   /usr/lib/dravik/Data -> ../../share/dravik/Data
#   /usr/share/dravik/Data/                   the eight pictures
#   /usr/libexec/xscreensaver/dravik -> ../../lib/dravik/dravik   the hack
#   /usr/share/xscreensaver/config/dravik.xml its entry for the daemon's settings program
#   /usr/share/applications/screensavers/dravik.desktop   its entry for MATE's (and Xfce's) saver
#   /usr/share/doc/dravik/                    copyright, changelog.Debian.gz
# scripts/package-deb.sh installs it with --prefix /usr into a staging folder and adds
# debian/control, which this file writes into the build tree.
set(deb_dir ${CMAKE_BINARY_DIR}/debian)
set(deb_src ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS dravik RUNTIME DESTINATION lib/dravik COMPONENT deb EXCLUDE_FROM_ALL)
list(TRANSFORM DRAVIK_PICTURE_FILES PREPEND ${DRAVIK_DATA_DIR}/ OUTPUT_VARIABLE deb_pictures)
install(FILES ${deb_pictures} DESTINATION share/dravik/Data COMPONENT deb EXCLUDE_FROM_ALL)

# The relative links are made here once and installed as links.
file(MAKE_DIRECTORY ${deb_dir}/lib ${deb_dir}/libexec)
file(CREATE_LINK ../../share/dravik/Data ${deb_dir}/lib/Data SYMBOLIC)
file(CREATE_LINK ../../lib/dravik/dravik ${deb_dir}/libexec/dravik SYMBOLIC)
install(FILES ${deb_dir}/lib/Data DESTINATION lib/dravik COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${deb_dir}/libexec/dravik DESTINATION libexec/xscreensaver COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${deb_src}/dravik.xml DESTINATION share/xscreensaver/config
        COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${deb_src}/dravik.desktop DESTINATION share/applications/screensavers
        COMPONENT deb EXCLUDE_FROM_ALL)

# The package's version is the newest changelog entry's; its upstream part must be the project's.
file(STRINGS ${deb_src}/changelog deb_top LIMIT_COUNT 1)
if(NOT deb_top MATCHES "^dravik \\((${PROJECT_VERSION}-[^)]+)\\)")
  message(FATAL_ERROR "packaging/changelog: newest entry is not of version ${PROJECT_VERSION}: ${deb_top}")
endif()
set(DRAVIK_DEB_VERSION ${CMAKE_MATCH_1})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${deb_src}/changelog)
# gzip -n: no name or time stamp, so the same changelog always gives the same bytes.
execute_process(COMMAND gzip -9nc ${deb_src}/changelog
                OUTPUT_FILE ${deb_dir}/changelog.Debian.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${deb_src}/copyright ${deb_dir}/changelog.Debian.gz DESTINATION share/doc/dravik
        COMPONENT deb EXCLUDE_FROM_ALL)

find_program(DRAVIK_DPKG dpkg)
if(DRAVIK_DPKG)
  execute_process(COMMAND ${DRAVIK_DPKG} --print-architecture OUTPUT_VARIABLE DRAVIK_DEB_ARCH
                  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  configure_file(${deb_src}/control.in ${deb_dir}/control @ONLY)
endif()
