# Installation under the prefix (/usr in the package) and the Debian package
# built by `cpack -G DEB` (scripts/package.sh): the program, its menu entry,
# icon, AppStream metadata, manual page and bash completion.
include(GNUInstallDirs)

set(VELMARIN_APPSTREAM_ID example.tannwick.velmarin)

install(TARGETS velmarin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS velmarin-qt RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/velmarin)
install(FILES res/velmarin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES res/icons/velmarin.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES res/${VELMARIN_APPSTREAM_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES res/velmarin.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME velmarin)

# Manual page and changelog go compressed, as Debian keeps them; -n leaves out
# the name and time stamp, so the same text gives the same bytes.
set(velmarin_compressed_docs)
foreach(doc velmarin.1 debian/changelog)
  get_filename_component(name ${doc} NAME)
  set(compressed ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${CMAKE_SOURCE_DIR}/res/${doc} ${compressed}
    DEPENDS ${CMAKE_SOURCE_DIR}/res/${doc}
    VERBATIM)
  list(APPEND velmarin_compressed_docs ${compressed})
endforeach()
add_custom_target(velmarin_docs ALL DEPENDS ${velmarin_compressed_docs})
install(FILES ${CMAKE_BINARY_DIR}/packaging/velmarin.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz res/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmarin)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmarin)
set(CPACK_PACKAGE_VENDOR Tannwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tannwick <velmarin@tannwick.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "astronomical year chart of the Sun, the Moon and the planets")
set(CPACK_PACKAGE_DESCRIPTION
  "Velmarin draws the days of a year against the hours of the day, with the right
ascension of the Sun, the planets and the Moon (or their hour angle from the
Sun or the anti-Sun), the Moon's nodes, sidereal time, the ecliptic, the lunar
phases and possible eclipses. A fourth chart shades daylight and the three
twilights for the observer's place. The charts print on one page and export
as PNG, SVG or PDF; command-line subcommands give the positions, phases and
daylight tables as text or JSON.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tannwick.example/velmarin)
# The libraries come from the binary; besides them the chart's "Arial" is
# Liberation Sans, Qt's dialogs speak German from Qt's translations, and the
# zones come from the system's zone database.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n, tzdata")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
