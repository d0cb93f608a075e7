#pragma once
// How a fuzz target reports a broken promise: it names it and aborts, which libFuzzer records as a
// crash together with the input, and which fails the replay of the corpora under ctest.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Every target defines this one entry point; libFuzzer calls it, and so does ReplayMain.cpp.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace lumaro::fuzz {

inline void check(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

}  // namespace lumaro::fuzz
