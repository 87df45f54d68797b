# Desktop integration and the Debian package: `cpack -G DEB` in the build folder.
if(NOT TARGET kumoji)
  return()
endif()

# Packaging needs only the game, not every test and benchmark of the build.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

include(GNUInstallDirs)
install(FILES ${KUMOJI_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KUMOJI_METAINFO_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${KUMOJI_ICON_THEME} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

set(CPACK_PACKAGE_NAME kumoji)
set(CPACK_PACKAGE_VENDOR "Kumoji")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sudoku training game: find the one forced move")
set(CPACK_PACKAGE_DESCRIPTION
    "Each question is a sparse sudoku position in which exactly one move is
logically forced: find that cell and drag the forced digit onto it before
the clock runs out. Every solved question climbs one step of a 51-step
mountain route. Japanese interface with English glosses.")
if(NOT CPACK_PACKAGE_CONTACT)
  set(CPACK_PACKAGE_CONTACT "Kumoji maintainers <maintainers@kumoji.invalid>")
endif()
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/kumoji/kumoji")

# Libraries come from the program's own links when dpkg-shlibdeps is there; the
# fonts and Qt's plugins are loaded at run time, so no tool can see them.
# IPA P Gothic carries the interface, the Aoyagi brush face the route names.
set(_kumoji_runtime_depends
    "fonts-ipafont-gothic | fonts-noto-cjk | fonts-vlgothic, fonts-aoyagi-kouzan-t")
find_program(KUMOJI_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(KUMOJI_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  string(PREPEND _kumoji_runtime_depends
         "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), "
         "libqt6multimedia6 (>= 6.4), libjpeg62-turbo (>= 1:1.3.1), libstdc++6 (>= 12), ")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${_kumoji_runtime_depends}")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

include(CPack)
