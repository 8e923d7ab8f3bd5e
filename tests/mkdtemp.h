#pragma once
// mkdtemp where the C library lacks it (Windows), for the scratch folders.

#ifdef _WIN32
#include <cstring>
#include <direct.h>
#include <io.h>

inline char* mkdtemp(char* pattern) {
    if (::_mktemp_s(pattern, std::strlen(pattern) + 1) != 0 || ::_mkdir(pattern) != 0)
        return nullptr;
    return pattern;
}
#endif
