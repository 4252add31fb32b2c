// Hexadecimal digits as the layer's text formats and its tools spell bytes (URL escapes,
// the registry file, resource scripts).
#pragma once

namespace mivo {

// The value of a hexadecimal digit of either case; -1 for any other character.
constexpr int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace mivo
