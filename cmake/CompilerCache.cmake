# Compiles through ccache when it is installed (TALLYVANE_CCACHE=OFF turns it off).
# Paths under the project folder are hashed relative to it and the working folder is not
# hashed, so a checkout in another folder (CI's fresh clone) reuses the objects of this one.
# The precompiled headers of the tests need the two pch sloppinesses.
option(TALLYVANE_CCACHE "Compile through ccache when it is installed" ON)
find_program(TALLYVANE_CCACHE_PROGRAM ccache)
if(TALLYVANE_CCACHE AND TALLYVANE_CCACHE_PROGRAM)
  set(launcher ${CMAKE_COMMAND} -E env
      "CCACHE_BASEDIR=${PROJECT_SOURCE_DIR}"
      CCACHE_NOHASHDIR=true
      CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
      ${TALLYVANE_CCACHE_PROGRAM})
  set(CMAKE_C_COMPILER_LAUNCHER ${launcher})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${launcher})
endif()
