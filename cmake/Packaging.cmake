# Install rules and the Debian package. The version is the project's (project() in the top
# CMakeLists.txt): the programs' --version, the About window and the package all show it.
#   cmake --install build --prefix /usr/local
#   (cd build && cpack -G DEB)        ->  build/tallyvane_<version>_amd64.deb

install(TARGETS tallyvane tallyvane-report tallyvane-demo-db RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Found at run time relative to the programs (data/ProgramFiles.h).
install(TARGETS tally_tsql_sqlite LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/tallyvane)

set(tally_pictures ${PROJECT_BINARY_DIR}/app/pictures)
install(FILES ${tally_pictures}/MDI.BMP ${PROJECT_SOURCE_DIR}/demo/schema.sql ${PROJECT_SOURCE_DIR}/demo/indexes.sql
        DESTINATION ${CMAKE_INSTALL_DATADIR}/tallyvane)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tallyvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 48 128)
  install(FILES ${tally_pictures}/tallyvane-${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME tallyvane.png)
endforeach()
install(FILES ${tally_pictures}/tallyvane.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# tallyvane_icons (app/CMakeLists.txt) draws them in every build.

# The manual page of tallyvane-report is written by help2man from its --help and --version,
# so it follows the program; man_page_test checks that it does.
find_program(HELP2MAN help2man)
set(tally_man_page ${PROJECT_BINARY_DIR}/cli/tallyvane-report.1)
if(HELP2MAN)
  add_custom_command(
    OUTPUT ${tally_man_page} ${tally_man_page}.gz
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 ${HELP2MAN} --no-info --section=1 "--name=fee-collection reports without a window"
            --version-option=--version --help-option=--help --output=${tally_man_page}.tmp
            $<TARGET_FILE:tallyvane-report>
    COMMAND ${CMAKE_COMMAND} -E rename ${tally_man_page}.tmp ${tally_man_page}
    # Debian's manual pages are compressed, without a time stamp.
    COMMAND sh -c "gzip -9nc \"$0\" > \"$0.gz\"" ${tally_man_page}
    DEPENDS tallyvane-report
    COMMENT "Writing the manual page of tallyvane-report"
    VERBATIM)
  add_custom_target(tallyvane_report_man_page ALL DEPENDS ${tally_man_page} ${tally_man_page}.gz)
  install(FILES ${tally_man_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  add_test(NAME man_page_test
           COMMAND bash ${PROJECT_SOURCE_DIR}/tests/packaging/check_man_page.sh $<TARGET_FILE:tallyvane-report>
                   ${tally_man_page})
else()
  message(WARNING "help2man not found (scripts/setup-debian.sh installs it): no manual page, no package")
endif()

# Debian 12's runtime packages; LibreOffice only for the .xls exports.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tallyvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tallyvane maintainers <tallyvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Fee-collection statistics and reports for the Korvane suite")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), qt6-qpa-plugins, libsqlite3-0 (>= 3.40), \
libodbc2, tdsodbc, libxlsxwriter4, fonts-wqy-zenhei, libc6, libstdc++6, libgcc-s1")
# Qt's Chinese texts for the standard dialogs and buttons; without them they read English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libreoffice-calc-nogui | libreoffice-calc, libsqliteodbc, qt6-translations-l10n")
include(CPack)
