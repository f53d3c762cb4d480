// What the fuzzers share: a property that must hold for every input, or the run stops there and
// libFuzzer keeps the input that broke it.
#pragma once
#include <stdio.h>
#include <stdlib.h>

inline void Check(bool holds, const char* what) {
  if (!holds) {
    fprintf(stderr, "broken: %s\n", what);
    abort();
  }
}
