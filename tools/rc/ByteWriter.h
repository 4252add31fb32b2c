// Little-endian byte buffer for the binary resource layouts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rc {

class ByteWriter {
public:
    void U8(uint8_t v) { bytes_.push_back(v); }
    void U16(uint16_t v)
    {
        U8((uint8_t)(v & 0xFF));
        U8((uint8_t)(v >> 8));
    }
    void U32(uint32_t v)
    {
        U16((uint16_t)(v & 0xFFFF));
        U16((uint16_t)(v >> 16));
    }
    void Bytes(const std::string& s) { bytes_.insert(bytes_.end(), s.begin(), s.end()); }
    void Bytes(const std::vector<uint8_t>& b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
    void Bytes(const uint8_t* p, size_t n) { bytes_.insert(bytes_.end(), p, p + n); }
    // UTF-16 text without a terminator.
    void Units(const std::u16string& s)
    {
        for (char16_t c : s)
            U16((uint16_t)c);
    }
    // UTF-16 text with its terminating zero.
    void Utf16z(const std::u16string& s)
    {
        Units(s);
        U16(0);
    }
    void AlignTo(size_t n)
    {
        while (bytes_.size() % n)
            U8(0);
    }
    void Patch16(size_t offset, uint16_t v)
    {
        bytes_[offset] = (uint8_t)(v & 0xFF);
        bytes_[offset + 1] = (uint8_t)(v >> 8);
    }
    size_t Size() const { return bytes_.size(); }
    const std::vector<uint8_t>& Data() const { return bytes_; }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

}  // namespace rc
