// ICMP echo messages: the request sent and the reply read back from outside bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace mivo {

std::vector<uint8_t> BuildEchoRequest(uint16_t identifier, uint16_t sequence, const uint8_t* data, size_t size);

// True when `message` (an ICMP message without IP header) is an echo reply to `sequence`;
// `data` then points at its data and `size` gives its length. Any other or damaged message
// answers false.
bool ParseEchoReply(const std::vector<uint8_t>& message, uint16_t sequence, const uint8_t*& data, size_t& size);

}  // namespace mivo
