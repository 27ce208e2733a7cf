#pragma once
// The benchmark program replaces the global allocation functions with ones that count
// the bytes currently allocated, so memory figures come from what the code really asks
// for (every vector, string and node), not from estimates.
#include <cstddef>

namespace quillet::bench {

// Bytes allocated through operator new and not yet freed, program-wide.
std::size_t LiveHeapBytes();

}  // namespace quillet::bench
