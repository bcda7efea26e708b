// The fuzz targets' assertion: a broken property ends the run so libFuzzer keeps the input.
#pragma once

#include <cstdlib>

inline void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}
