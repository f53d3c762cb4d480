# The fuzz build (host clang): the pure library instrumented for libFuzzer, with AddressSanitizer
# and UBSan, and the fuzzers of fuzz/. Its ctest cases are folded into the native build's run.
set(VORLUX_FUZZ_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
target_compile_options(vorlux_pure PRIVATE ${VORLUX_FUZZ_FLAGS} -fsanitize=fuzzer-no-link)
target_link_options(vorlux_pure PUBLIC ${VORLUX_FUZZ_FLAGS})
if(VORLUX_TESTS)
  add_subdirectory(fuzz)
endif()
