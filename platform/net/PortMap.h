// Redirects where the socket of an HTTP connection goes, for running against a
// local stand-in server: MIVO_HTTP_PORT_MAP holds comma-separated entries
// "host:port=host:port". Only the socket moves; the URL and the Host header
// keep the name and port the program gave.
#pragma once

#include <string>

namespace mivo {

// The libcurl connect-to entry ("host:port:tohost:toport") for `host` and
// `port` under `map`; empty when no entry names them. Malformed entries are
// skipped; the first matching entry wins; host names compare ignoring ASCII case.
std::string ConnectToEntry(const char* map, const std::string& host, int port);
// The same under the environment's map, read at each call.
std::string ConnectToFromEnvironment(const std::string& host, int port);

}  // namespace mivo
