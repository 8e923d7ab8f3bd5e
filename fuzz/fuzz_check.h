#pragma once
// Shared by the fuzz targets: a broken property aborts with its name.

#include <cstdio>
#include <cstdlib>

inline void check(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}
