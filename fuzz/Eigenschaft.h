#pragma once

// A property every input must keep; a broken one aborts, so the fuzzer keeps the input.

#include <cstdio>
#include <cstdlib>

#define EIGENSCHAFT(bedingung)                                                                               \
    do {                                                                                                     \
        if (!(bedingung)) {                                                                                  \
            std::fprintf(stderr, "property broken: %s (%s:%d)\n", #bedingung, __FILE__, __LINE__);           \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)
