# The Windows build, cross-compiled with mingw-w64 against the kit (scripts/build-windows.sh).
# Its programs run here under Wine: the build's picture step and every test go through
# wine-run.sh, which gives them a private prefix, the kit's DLLs and its Qt plugins.
find_program(TALLY_WINE NAMES wine wine64 REQUIRED)
set(TALLY_WINEPREFIX "${PROJECT_BINARY_DIR}/wine" CACHE PATH "Wine prefix the build's programs run in")
string(REPLACE "/" "\\" kit_bin "Z:${WINDOWS_KIT}/bin")
set(TALLY_WINEPATH "${kit_bin}")
set(TALLY_KIT_PLUGINS "${WINDOWS_KIT}/plugins")
set(TALLY_WINE_RUN "${PROJECT_BINARY_DIR}/wine-run.sh")
configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/wine-run.sh.in ${TALLY_WINE_RUN}
  @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(TALLY_RUN_QTEST "${PROJECT_BINARY_DIR}/run-qtest.sh")
configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/run-qtest.sh.in ${TALLY_RUN_QTEST}
  @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${TALLY_WINE_RUN}")

# Windows' headers: Unicode calls, and no min/max macros in the way of std::min.
# Qt's targets also ask for mingw's secure C functions; everything gets the same, so the
# tests' precompiled headers fit every test, with or without Qt.
add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN MINGW_HAS_SECURE_API=1)

# SQLite extensions for the ODBC tests. Wine hands ODBC calls to the host's unixODBC, so
# the SQLite driver the tests reach is a Linux library and loads Linux modules: these are
# built with the host's compiler, beside the Windows DLLs of the same sources.
find_program(TALLY_HOST_CXX NAMES g++ c++ REQUIRED)
function(tally_host_sqlite_module name)
  cmake_parse_arguments(M "" "" "SOURCES" ${ARGN})
  set(output "${PROJECT_BINARY_DIR}/host/lib${name}.so")
  set(sources "")
  foreach(source IN LISTS M_SOURCES)
    list(APPEND sources "${CMAKE_CURRENT_SOURCE_DIR}/${source}")
  endforeach()
  add_custom_command(OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${PROJECT_BINARY_DIR}/host"
    COMMAND ${TALLY_HOST_CXX} -std=c++20 -O2 -shared -fPIC -I${PROJECT_SOURCE_DIR}/data ${sources} -lsqlite3
            -o "${output}"
    DEPENDS ${sources}
    COMMENT "Building the Linux module lib${name}.so for the ODBC tests under Wine"
    VERBATIM)
  add_custom_target(${name}_host ALL DEPENDS "${output}")
endfunction()
