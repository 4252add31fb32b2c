#include "net/FTProtocol.h"

#include <cstring>

namespace ft {

bool ReadFull(CSocket& socket, void* buffer, int size)
{
    char* p = (char*)buffer;
    while (size > 0) {
        int n = socket.Receive(p, size);
        if (n <= 0)
            return false;
        p += n;
        size -= n;
    }
    return true;
}

bool ReadUInt32(CSocket& socket, uint32_t& value)
{
    unsigned char bytes[4];
    if (!ReadFull(socket, bytes, 4))
        return false;
    value = (uint32_t)bytes[0] | (uint32_t)bytes[1] << 8 | (uint32_t)bytes[2] << 16 | (uint32_t)bytes[3] << 24;
    return true;
}

bool SendUInt32(CSocket& socket, uint32_t value)
{
    unsigned char bytes[4] = {(unsigned char)value, (unsigned char)(value >> 8), (unsigned char)(value >> 16),
                              (unsigned char)(value >> 24)};
    return socket.Send(bytes, 4) == 4;
}

void FillPathField(const char* path, char (&field)[kPathFieldSize])
{
    memset(field, 0, sizeof field);
    if (path)
        memcpy(field, path, strnlen(path, kPathFieldSize - 1));
}

std::string PathOfField(const char (&field)[kPathFieldSize])
{
    return std::string(field, strnlen(field, kPathFieldSize - 1));
}

int Percent(uint64_t done, uint64_t total)
{
    if (total == 0)
        return 100;
    uint64_t unit = total >= 1024 ? 1024 : 1;
    return (int)((done / unit) * 100 / (total / unit));
}

}  // namespace ft
