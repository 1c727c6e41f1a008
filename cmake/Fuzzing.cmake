# Placeholder: the libFuzzer build (tests/fuzz) is being added.
message(FATAL_ERROR "TALLYVANE_FUZZ: the fuzz targets are not there yet")
