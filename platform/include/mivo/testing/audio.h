// What the null sound device plays, for tests (MIVO_AUDIO=null or no card).
#pragma once

namespace mivo {

struct NullDeviceState {
    bool playing = false;  // an output is open
    unsigned rate = 0;     // format of the last output opened
    unsigned channels = 0;
    unsigned bits = 0;
};

NullDeviceState NullDevice();

}  // namespace mivo
