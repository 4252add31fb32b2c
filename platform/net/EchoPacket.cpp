#include "EchoPacket.h"
#include <cstring>

namespace mivo {

namespace {

const uint8_t kEchoRequest = 8;
const uint8_t kEchoReply = 0;
const size_t kHeaderSize = 8;

uint16_t Checksum(const std::vector<uint8_t>& bytes)
{
    uint32_t sum = 0;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        sum += (uint32_t)(bytes[i] << 8 | bytes[i + 1]);
    if (bytes.size() & 1)
        sum += (uint32_t)bytes.back() << 8;
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return (uint16_t)~sum;
}

}  // namespace

std::vector<uint8_t> BuildEchoRequest(uint16_t identifier, uint16_t sequence, const uint8_t* data, size_t size)
{
    // Sized once: growing the vector by insert trips a false bounds warning in GCC 12.
    const size_t payload = data ? size : 0;
    std::vector<uint8_t> m(kHeaderSize + payload, 0);
    m[0] = kEchoRequest;
    m[4] = (uint8_t)(identifier >> 8);
    m[5] = (uint8_t)identifier;
    m[6] = (uint8_t)(sequence >> 8);
    m[7] = (uint8_t)sequence;
    if (payload)
        std::memcpy(m.data() + kHeaderSize, data, payload);
    uint16_t sum = Checksum(m);
    m[2] = (uint8_t)(sum >> 8);
    m[3] = (uint8_t)sum;
    return m;
}

bool ParseEchoReply(const std::vector<uint8_t>& message, uint16_t sequence, const uint8_t*& data, size_t& size)
{
    if (message.size() < kHeaderSize || message[0] != kEchoReply || message[1] != 0)
        return false;
    if ((uint16_t)(message[6] << 8 | message[7]) != sequence)
        return false;
    data = message.data() + kHeaderSize;
    size = message.size() - kHeaderSize;
    return true;
}

}  // namespace mivo
