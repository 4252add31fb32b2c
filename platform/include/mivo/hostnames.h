// The layer's host-name lookup, which Windows programs reach as gethostbyname.
#pragma once

struct hostent;

namespace mivo {
struct hostent* GetHostByName(const char* name);
}
#define gethostbyname mivo::GetHostByName
