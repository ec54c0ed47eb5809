#pragma once

namespace rt {

// 128-bit intermediates for exact products and decimal parsing (a GCC and
// Clang extension; __extension__ keeps -Wpedantic quiet about it).
__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

}  // namespace rt
