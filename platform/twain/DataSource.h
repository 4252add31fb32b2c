// A data source behind the source manager: the test source, or a scanner
// reached through SANE. The manager keeps the sequence of the manager-level
// triplets and the events; the source answers the triplets addressed to it.
#pragma once

#include "win32/twain.h"
#include "win32/user.h"

#include <functional>

namespace mivo::twain {

// What an open source is given: the application's window and a way to tell it
// about a transfer ready or a wish to close (posted, so any thread may call it).
struct SourceLink {
    HWND parent = nullptr;
    std::function<void(TW_UINT16 twMessage)> notify;
};

class DataSource {
public:
    virtual ~DataSource() = default;

    // ProductName, Manufacturer, ProductFamily and version; Id is the manager's.
    virtual TW_IDENTITY Describe() const = 0;
    virtual bool Open(const SourceLink& link, TW_UINT16& condition) = 0;
    virtual void Close() = 0;
    // A triplet other than the status and the events; `condition` on failure.
    virtual TW_UINT16 Handle(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data, TW_UINT16& condition) = 0;
    // Gives the source's own window a message first; true when it took it.
    virtual bool TakeMessage(MSG*) { return false; }
};

}  // namespace mivo::twain
