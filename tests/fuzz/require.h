#pragma once

#include <cstdio>
#include <cstdlib>

// A property every input must keep; libFuzzer keeps the input that breaks it.
inline void Require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}
