// The 15-bit pseudo-random generator of the original platform's C library
// (0..32767), for arithmetic written against that range; glibc's rand() is
// 31-bit. One sequence per thread, seeded with 1 until SRand15 is called.
#pragma once

namespace mivo {

void SRand15(unsigned int seed);
int Rand15();

}  // namespace mivo
