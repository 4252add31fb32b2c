// Name look-ups and echo requests in tests: answered by hooks, never by the network.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace mivo {

// Answers gethostbyname for names other than dotted addresses: true with the IPv4 addresses
// (network byte order) when the name is known. Asked for the own host name too, where false
// leaves the interface addresses. An empty hook restores the system's resolver. Returns the
// previous hook.
using HostResolver = std::function<bool(const std::string& name, std::vector<uint32_t>& addresses)>;
HostResolver SetHostResolver(HostResolver resolver);

// Carries echo requests of the "ICMP.DLL" module in place of the system's ping sockets:
// given the destination (network byte order), the ICMP echo request (header and data) and a
// time-out, returns the bytes that came back (an ICMP message) or false when nothing came.
// Setting a transport registers the module even where the system forbids ping sockets; an
// empty transport restores the system's and removes the module when those are forbidden.
using EchoTransport = std::function<bool(uint32_t address, const std::vector<uint8_t>& request,
                                         unsigned timeoutMs, std::vector<uint8_t>& reply)>;
void SetEchoTransport(EchoTransport transport);

// Takes the layer's "ICMP.DLL" out of the process (true), so that LoadLibrary finds no such
// module or one a test registers under that name; false puts it back where it belongs.
void WithdrawEchoModule(bool withdrawn);

}  // namespace mivo
