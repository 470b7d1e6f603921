# The Debian package's layout, as install component 'deb' (left out of a plain install):
#   /usr/lib/dravik/dravik                    the program
#   /usr/bin/dravik -> ../lib/dravik/dravik   the program on the PATH
#   /usr/share/man/man6/dravik.6.gz           its manual page
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
file(MAKE_DIRECTORY ${deb_dir}/lib ${deb_dir}/libexec ${deb_dir}/bin)
file(CREATE_LINK ../../share/dravik/Data ${deb_dir}/lib/Data SYMBOLIC)
file(CREATE_LINK ../../lib/dravik/dravik ${deb_dir}/libexec/dravik SYMBOLIC)
file(CREATE_LINK ../lib/dravik/dravik ${deb_dir}/bin/dravik SYMBOLIC)
install(FILES ${deb_dir}/lib/Data DESTINATION lib/dravik COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${deb_dir}/libexec/dravik DESTINATION libexec/xscreensaver COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${deb_dir}/bin/dravik DESTINATION bin COMPONENT deb EXCLUDE_FROM_ALL)

# The manual page, with the project's version, compressed as Debian keeps them (gzip -n: the same
# bytes every time).
configure_file(${deb_src}/dravik.6.in ${deb_dir}/dravik.6 @ONLY)
execute_process(COMMAND gzip -9nc ${deb_dir}/dravik.6 OUTPUT_FILE ${deb_dir}/dravik.6.gz
                COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${deb_dir}/dravik.6.gz DESTINATION share/man/man6 COMPONENT deb EXCLUDE_FROM_ALL)
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
