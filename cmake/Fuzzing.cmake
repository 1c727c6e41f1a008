# libFuzzer build: only the fuzz targets and the libraries they exercise (tests/fuzz).
#   CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTALLYVANE_FUZZ=ON
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "TALLYVANE_FUZZ needs clang (libFuzzer): configure with CC=clang CXX=clang++")
endif()

# Everything is instrumented for coverage; only the targets link libFuzzer's main.
# Any sanitizer report aborts, so libFuzzer records it as a crash.
set(TALLY_FUZZ_COMPILE_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
set(TALLY_FUZZ_LINK_FLAGS -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
add_compile_options(${TALLY_FUZZ_COMPILE_FLAGS})

add_subdirectory(platform)
add_subdirectory(data)
add_subdirectory(reports/common)
add_subdirectory(tests/fuzz)
