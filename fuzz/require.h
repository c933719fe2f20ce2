#pragma once

#include <cstdio>
#include <cstdlib>

// Stops the fuzzer with a message when an invariant does not hold; the
// fuzzer keeps the input that did it.
inline void require(bool holds, const char* invariant)
{
    if (holds)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    std::abort();
}
