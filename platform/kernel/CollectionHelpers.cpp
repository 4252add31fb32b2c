#include "mfc/CollectionHelpers.h"

namespace mivo {

// FNV-1a over the bytes.
UINT HashBytes(const void* data, size_t length)
{
    const unsigned char* p = static_cast<const unsigned char*>(data);
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < length; i++) {
        hash ^= p[i];
        hash *= 16777619u;
    }
    return hash;
}

}  // namespace mivo
