#include "image/DibHeader.h"

namespace mivo {
namespace image {

namespace {

inline uint32_t Le16(const BYTE* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
inline uint32_t Le32(const BYTE* p) { return Le16(p) | Le16(p + 2) << 16; }

}  // namespace

bool ReadDibHeader(const BYTE* block, uint64_t size, DibHeader* header)
{
    *header = DibHeader();
    if (!block || size < kInfoHeaderBytes)
        return false;
    DibHeader h;
    h.headerSize = Le32(block);
    if (h.headerSize < kInfoHeaderBytes)
        return false;
    h.width = int32_t(Le32(block + 4));
    const int64_t height = int32_t(Le32(block + 8));
    h.topDown = height < 0;
    h.height = h.topDown ? -height : height;
    h.planes = int(Le16(block + 12));
    h.bits = int(Le16(block + 14));
    h.compression = Le32(block + 16);
    h.sizeImage = Le32(block + 20);
    h.coloursUsed = Le32(block + 32);
    *header = h;
    return true;
}

}  // namespace image
}  // namespace mivo
