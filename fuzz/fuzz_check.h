#pragma once
// A property that does not hold stops the fuzzer with the input that broke it.

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                                                               \
    do {                                                                                                               \
        if (!(cond)) {                                                                                                 \
            std::fprintf(stderr, "property broken at %s:%d: %s\n", __FILE__, __LINE__, #cond);                         \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (0)
