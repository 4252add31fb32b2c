// The linear congruential generator whose high bits the original platform's rand() returns.
#include "mivo/random.h"

namespace {

thread_local unsigned int g_state = 1;

}  // namespace

namespace mivo {

void SRand15(unsigned int seed)
{
    g_state = seed;
}

int Rand15()
{
    g_state = g_state * 214013u + 2531011u;
    return (int)((g_state >> 16) & 0x7FFF);
}

}  // namespace mivo
