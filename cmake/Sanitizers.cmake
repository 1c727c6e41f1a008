# AddressSanitizer + UndefinedBehaviorSanitizer for every target. Any undefined
# behaviour aborts the test that meets it instead of printing a warning and going on.
set(TALLY_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(${TALLY_SANITIZER_FLAGS})
add_link_options(${TALLY_SANITIZER_FLAGS})
