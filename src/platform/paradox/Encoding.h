// How Paradox stores numbers on disk.
//
// Header fields, block headers and memo pointers are little-endian integers.
// Field values in records are big-endian with the sign bit flipped (negative
// numbers of type number are fully inverted), so that comparing the stored
// bytes sorts the values; all-zero bytes mean null.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace paradox {

inline uint16_t ReadU16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t ReadU32(const unsigned char* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
inline void WriteU16(unsigned char* p, uint16_t v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}
inline void WriteU32(unsigned char* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

inline bool AllZero(const unsigned char* p, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (p[i] != 0) return false;
    return true;
}

// Short (2 bytes), long, autoincrement, date and time (4 bytes): big-endian
// two's complement with the top bit flipped.
inline int64_t ReadFlippedInt(const unsigned char* p, size_t width)
{
    uint64_t raw = 0;
    for (size_t i = 0; i < width; ++i) raw = raw << 8 | p[i];
    const uint64_t signBit = uint64_t{1} << (8 * width - 1);
    raw ^= signBit;
    // Sign-extend from `width` bytes.
    return static_cast<int64_t>(raw ^ signBit) - static_cast<int64_t>(signBit);
}
inline void WriteFlippedInt(unsigned char* p, size_t width, int64_t value)
{
    uint64_t raw = static_cast<uint64_t>(value) ^ (uint64_t{1} << (8 * width - 1));
    for (size_t i = width; i-- > 0;) {
        p[i] = static_cast<unsigned char>(raw);
        raw >>= 8;
    }
}

// Number, currency and timestamp (8 bytes): a big-endian IEEE double whose
// sign bit is set for positive values; negative values are stored inverted.
inline double ReadFlippedDouble(const unsigned char* p)
{
    uint64_t raw = 0;
    for (int i = 0; i < 8; ++i) raw = raw << 8 | p[i];
    if (raw & (uint64_t{1} << 63))
        raw ^= uint64_t{1} << 63;
    else
        raw = ~raw;
    return std::bit_cast<double>(raw);
}
inline void WriteFlippedDouble(unsigned char* p, double value)
{
    uint64_t raw = std::bit_cast<uint64_t>(value);
    if (raw & (uint64_t{1} << 63))
        raw = ~raw;
    else
        raw |= uint64_t{1} << 63;
    for (int i = 7; i >= 0; --i) {
        p[i] = static_cast<unsigned char>(raw);
        raw >>= 8;
    }
}

}  // namespace paradox
