// The program-wide pseudo-random generator of the run-time library.
//
// Untitled songs are named "Unbenannt <n>" from it. It is never reseeded, so
// every program start repeats the same numbers: users who converted before
// find their untitled songs under the same names again.
#pragma once

#include <cstdint>

// The seed: 0 at program start, advanced by every draw.
extern uint32_t RandSeed;

// A number from 0 to range - 1 (0 when range is 0): the seed becomes
// seed * 134775813 + 1 (modulo 2^32); the result is the upper 32 bits of the
// 64-bit product seed * range.
uint32_t Random(uint32_t range);
