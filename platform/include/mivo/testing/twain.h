// The TWAIN source manager in tests: the built-in test source's behaviour,
// the source selection answered by a hook, the triplets seen, and the
// "TWAIN_32.DLL" module taken away and put back.
#pragma once

#include "win32/twain.h"

#include <functional>
#include <string>
#include <vector>

namespace mivo {

struct TwainTestSourceSettings {
    int images = 3;                  // pictures for each acquisition
    int width = 64;
    int height = 48;
    int pixelType = TWPT_RGB;        // TWPT_RGB 24-bit, TWPT_GRAY 8-bit, TWPT_BW 1-bit
    bool refuseSignedCount = false;  // CAP_XFERCOUNT set as TWTY_INT16 answers TWRC_CHECKSTATUS
    int failImage = 0;               // this picture's transfer (counted from 1) fails
    int cancelImage = 0;             // this one is cancelled
    int handlelessImage = 0;         // this one is done without a handle
    int countContainer = 0;          // CAP_XFERCOUNT read back: 0 sound, 1 null handle, 2 a short block
};

// Takes effect at the next open of the test source; clears the delivered count.
void SetTwainTestSource(const TwainTestSourceSettings& settings);
// Pictures handed over by native transfer since the settings were set.
int TwainTestSourceDelivered();
// The open test source asks the application to close it; false when none is open.
bool RequestTwainTestSourceClose();

// Registers (the default) or removes the "TWAIN_32.DLL" module.
void SetTwainModuleRegistered(bool registered);

// Answers the source selection instead of a person: given the names listed,
// the index chosen or -1 to cancel. An empty hook shows the dialog again.
using TwainSelectionHook = std::function<int(const std::vector<std::string>& names)>;
TwainSelectionHook SetTwainSelectionHook(TwainSelectionHook hook);

// Every triplet given to DSM_Entry, as it arrives; toSource when a destination was named.
struct TwainTriplet {
    TW_UINT32 dg;
    TW_UINT16 dat;
    TW_UINT16 msg;
    bool toSource;
};
using TwainTripletObserver = std::function<void(const TwainTriplet&)>;
TwainTripletObserver SetTwainTripletObserver(TwainTripletObserver observer);

}  // namespace mivo
