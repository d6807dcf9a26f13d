# The Debian package (make deb): CPack's DEB generator on an installation for /usr, with the
# dependencies that dpkg-shlibdeps reads from the programs and the two private libraries.

set(TOLVANE_MAINTAINER "Tolvane developers <tolvane@users.noreply.github.com>"
    CACHE STRING "The Debian package's maintainer")

# What Debian keeps beside every package: its copyright and its changelog.
set(changelog ${CMAKE_BINARY_DIR}/packaging/changelog)
add_custom_command(OUTPUT ${changelog}.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/changelog ${changelog}
  COMMAND gzip -9nf ${changelog}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog)
add_custom_target(package_changelog ALL DEPENDS ${changelog}.gz)
install(FILES ${changelog}.gz packaging/copyright DESTINATION ${TOLVANE_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TOLVANE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "timetable sound recorder")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TOLVANE_HOMEPAGE})
# The long description; CPack puts the summary above it and indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tolvane records sound from the sound card on a weekly timetable,
unattended: each recording starts on the second, lasts exactly as long as
asked, and leaves WAVE, MP3 or Windows Media files named as the schedule
says. It can cut silence, split long recordings, run programs before and
after a recording, set the clock from a time server, and hibernate or
power off the machine afterwards.

The package holds the window (in Japanese or English), the headless recorder
tolvane-cli with its systemd user unit and schedule command, the MP3
encoder and a tool that repairs the header of a cut-off WAVE recording.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CPACK_PACKAGING_INSTALL_PREFIX}/${TOLVANE_PRIVATE_LIBDIR})
# What no linked library pulls in: the SVG pictures of the window and the tray.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# The sound server's ALSA device, the Japanese font of the window, the window on Wayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libasound2-plugins, fonts-noto-cjk, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "pipewire-pulse | pulseaudio")
include(CPack)
