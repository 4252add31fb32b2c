// MulDiv: scaling without the overflow of a 32-bit product.
#include "win32/types.h"

#include <climits>
#include <cstdint>

int MulDiv(int nNumber, int nNumerator, int nDenominator)
{
    if (nDenominator == 0)
        return -1;
    int64_t product = (int64_t)nNumber * nNumerator;
    int64_t divisor = nDenominator;
    bool negative = (product < 0) != (divisor < 0);
    // Magnitudes fit: |product| <= 2^62 and |divisor| <= 2^31.
    uint64_t p = product < 0 ? (uint64_t)(-product) : (uint64_t)product;
    uint64_t d = divisor < 0 ? (uint64_t)(-divisor) : (uint64_t)divisor;
    uint64_t q = (p + d / 2) / d;
    if (q > (uint64_t)INT_MAX + (negative ? 1u : 0u))
        return -1;
    return negative ? (int)-(int64_t)q : (int)q;
}
