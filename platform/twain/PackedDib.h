// A packed device-independent bitmap being filled in a global block: the
// info header, the grey or black-and-white colour table, then bottom-up rows
// padded to 4 bytes. What native transfers hand over.
#pragma once

#include "win32/types.h"

#include <cstdint>

namespace mivo::twain {

class PackedDib {
public:
    PackedDib() = default;
    ~PackedDib();
    PackedDib(const PackedDib&) = delete;
    PackedDib& operator=(const PackedDib&) = delete;

    // bits 1 (black and white table), 8 (grey table) or 24; false when the
    // size is not sane or there is no memory.
    bool Create(int width, int height, int bits, int dotsPerInch);
    // Row y counted from the top.
    BYTE* Row(int yTop);
    uint64_t RowBytes() const { return m_rowBytes; }
    // The block, unlocked, now the caller's.
    HGLOBAL Release();

    static uint64_t RowBytesFor(int width, int bits) { return ((uint64_t(width) * bits + 31) / 32) * 4; }

private:
    HGLOBAL m_handle = nullptr;
    BYTE* m_bits = nullptr;
    int m_height = 0;
    uint64_t m_rowBytes = 0;
};

}  // namespace mivo::twain
