# The native side: the pure library under AddressSanitizer and UBSan, the static checks of the
# built .scr files, and the win64 tests folded into this build's ctest run.
set(VORLUX_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(vorlux_pure PRIVATE ${VORLUX_SANITIZE})
target_link_options(vorlux_pure PUBLIC ${VORLUX_SANITIZE})

if(VORLUX_TESTS)
  add_subdirectory(tests)
endif()
