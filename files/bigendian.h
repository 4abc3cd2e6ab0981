// bigendian.h - packing and unpacking of the values in the system's files.
//
// Every file of the system is a headerless run of big-endian values: 16-bit
// and 32-bit two's-complement integers and 64-bit IEEE 754 doubles. The put
// helpers append to a byte buffer, the get helpers read from a pointer that
// the caller has already checked to hold enough bytes. Byte order is done by
// shifts, so the result is the same on every host.
#pragma once
#include <cstdint>
#include <cstring>
#include <vector>

typedef std::vector<unsigned char> ByteBuffer;

inline void put16(ByteBuffer& b, int v)
{
    b.push_back((unsigned char)((v >> 8) & 0xFF));
    b.push_back((unsigned char)(v & 0xFF));
}

inline void put32(ByteBuffer& b, std::int32_t v)
{
    std::uint32_t u = (std::uint32_t)v;
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back((unsigned char)((u >> shift) & 0xFF));
}

inline void putdouble(ByteBuffer& b, double v)
{
    std::uint64_t u;
    std::memcpy(&u, &v, 8);
    for (int shift = 56; shift >= 0; shift -= 8) b.push_back((unsigned char)((u >> shift) & 0xFF));
}

inline short get16(const unsigned char* p)
{
    return (short)(std::uint16_t)((p[0] << 8) | p[1]);
}

inline std::int32_t get32(const unsigned char* p)
{
    std::uint32_t u = ((std::uint32_t)p[0] << 24) | ((std::uint32_t)p[1] << 16) |
                      ((std::uint32_t)p[2] << 8) | (std::uint32_t)p[3];
    return (std::int32_t)u;
}

inline double getdouble(const unsigned char* p)
{
    std::uint64_t u = 0;
    for (int k = 0; k < 8; ++k) u = (u << 8) | p[k];
    double v;
    std::memcpy(&v, &u, 8);
    return v;
}
