// FILETIME (100 ns since 1601, UTC) and the C and POSIX clocks.
#pragma once

#include "win32/types.h"
#include "win32/systime.h"

#include <cstdint>
#include <ctime>

namespace mivo {

// FILETIME (100 ns since 1601, UTC) and POSIX time.
FILETIME FileTimeFromUnix(int64_t seconds, long nanoseconds = 0);
int64_t UnixFromFileTime(const FILETIME& ft, long* nanoseconds = nullptr);

// C time (seconds since 1970, UTC) and FILETIME. FileTimeToTimeT drops the
// sub-second part, rounding towards the past.
FILETIME TimeTToFileTime(time_t t);
time_t FileTimeToTimeT(const FILETIME& ft);
// The same with nanoseconds, for stat() times.
FILETIME TimeSpecToFileTime(const struct timespec& ts);

}  // namespace mivo
