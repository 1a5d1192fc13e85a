# SPDX-License-Identifier: MIT
# What `cmake --install` puts where, and the Debian package made from it (`cpack -G DEB`).
#
#   bin/                       nuvrel, nuvrel-cli, ecrsim
#   share/nuvrel/              the manual (nuvrel.html, nuvrel-manual/), EcrLogo/OrloLogo.bmp (the
#                              default logo), examples/ (the example sheets)
#   share/applications/        the desktop entry
#   share/metainfo/            the AppStream metainfo
#   share/icons/hicolor/       the application icon: scalable SVG and PNGs
#   share/man/man1/            the man pages
#   share/doc/nuvrel/          the licence
#
# The shipped files keep the layout they have beside the program in a build folder, so a program
# finds each of them under one relative name in either place (app/program_files.h).

set(NUVREL_APP_ID org.nuvrel.Nuvrel)
set(NUVREL_DATADIR ${CMAKE_INSTALL_DATADIR}/nuvrel)

install(TARGETS nuvrel nuvrel-cli ecrsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/manual/ DESTINATION ${NUVREL_DATADIR})
install(FILES ${PROJECT_SOURCE_DIR}/examples/logo.bmp DESTINATION ${NUVREL_DATADIR}/EcrLogo
        RENAME OrloLogo.bmp)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${NUVREL_DATADIR}/examples)
install(FILES ${PROJECT_SOURCE_DIR}/data/${NUVREL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/${NUVREL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The application icon: the SVG the window uses, and PNGs rendered from it for the usual sizes.
set(NUVREL_ICON_SVG ${PROJECT_SOURCE_DIR}/src/gui/icons/nuvrel.svg)
install(FILES ${NUVREL_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
find_program(NUVREL_RSVG_CONVERT rsvg-convert)
if(NUVREL_RSVG_CONVERT)
  set(pngs)
  foreach(size IN ITEMS 16 22 24 32 48 64 128 256)
    set(png ${PROJECT_BINARY_DIR}/icons/${size}x${size}/nuvrel.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons/${size}x${size}
      COMMAND ${NUVREL_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${NUVREL_ICON_SVG}
      DEPENDS ${NUVREL_ICON_SVG} VERBATIM)
    list(APPEND pngs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(nuvrel_icon_pngs ALL DEPENDS ${pngs})
else()
  message(WARNING "rsvg-convert (librsvg2-bin) is missing: the PNG application icons are not made "
                  "and an install has only the scalable one")
endif()

# The man pages carry the version.
foreach(page IN ITEMS nuvrel nuvrel-cli ecrsim)
  configure_file(${PROJECT_SOURCE_DIR}/docs/man/${page}.1.in ${PROJECT_BINARY_DIR}/man/${page}.1
                 @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/man/${page}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# The Debian package. dpkg-shlibdeps finds the libraries the programs link (Qt, the C++ runtime);
# what they load at run time is declared by hand: the SVG icon engine, the windowing plugins.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nuvrel)
set(CPACK_PACKAGE_VENDOR "The Nuvrel developers")
set(CPACK_PACKAGE_CONTACT "The Nuvrel developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "programs and reads electronic cash registers over a serial line")
set(CPACK_PACKAGE_DESCRIPTION "Nuvrel keeps a cash register's articles, operators, departments,
firm data and advertisement in sheets, sends them to the register, reads its
reports back and sends it a logo. It comes with a desktop program (nuvrel), a
command-line tool (nuvrel-cli) and a simulated register for trying it without
one (ecrsim).")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, xdg-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)
