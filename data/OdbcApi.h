#pragma once
// The ODBC declarations. Windows' own headers expect <windows.h> before them (the build
// defines WIN32_LEAN_AND_MEAN and NOMINMAX for every file there: cmake/Windows.cmake).
#ifdef _WIN32
#include <windows.h>
#endif

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>
