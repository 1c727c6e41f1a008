# The Windows build, cross-compiled with mingw-w64 against the kit (scripts/build-windows.sh).
# Its programs run here under Wine: every test goes through wine-run.sh, which gives them a
# private prefix and the kit's DLLs.
find_program(TALLY_WINE NAMES wine wine64 REQUIRED)
set(TALLY_WINEPREFIX "${PROJECT_BINARY_DIR}/wine" CACHE PATH "Wine prefix the build's programs run in")
string(REPLACE "/" "\\" TALLY_WINEPATH "Z:${WINDOWS_KIT}/bin")
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

# What runs on this machine during the build or the tests is built with the host's
# compiler from the same sources:
#  - the program that draws the pictures: drawn by the host's Qt, the pictures are the
#    Linux build's, whatever fonts Wine's offscreen platform would find;
#  - SQLite extensions for the ODBC tests: Wine hands ODBC calls to the host's unixODBC,
#    so the SQLite driver the tests reach is a Linux library and loads Linux modules.
find_program(TALLY_HOST_CXX NAMES g++ c++ REQUIRED)
function(_tally_host_build name output)
  cmake_parse_arguments(H "" "" "SOURCES;ARGS" ${ARGN})
  set(sources "")
  foreach(source IN LISTS H_SOURCES)
    list(APPEND sources "${CMAKE_CURRENT_SOURCE_DIR}/${source}")
  endforeach()
  add_custom_command(OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${PROJECT_BINARY_DIR}/host"
    COMMAND ${TALLY_HOST_CXX} -std=c++20 -O2 -fPIC ${sources} ${H_ARGS} -o "${output}"
    DEPENDS ${sources}
    COMMENT "Building ${name} for this machine"
    VERBATIM)
  add_custom_target(${name}_host ALL DEPENDS "${output}")
endfunction()

function(tally_host_sqlite_module name)
  cmake_parse_arguments(M "" "" "SOURCES" ${ARGN})
  _tally_host_build(${name} "${PROJECT_BINARY_DIR}/host/lib${name}.so" SOURCES ${M_SOURCES}
    ARGS -shared -I${PROJECT_SOURCE_DIR}/data -lsqlite3)
endfunction()

# A Qt Gui program of the host; the toolchain points pkg-config at the kit, so it is asked
# with the host's own search path.
function(tally_host_qt_gui_program name output)
  cmake_parse_arguments(P "" "" "SOURCES" ${ARGN})
  execute_process(COMMAND env -u PKG_CONFIG_LIBDIR -u PKG_CONFIG_PATH pkg-config --cflags --libs Qt6Gui
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  _tally_host_build(${name} "${output}" SOURCES ${P_SOURCES} ARGS ${flags})
endfunction()
