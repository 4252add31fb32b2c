// The TWAIN source manager ("TWAIN_32.DLL", DSM_Entry): opened with the
// application's window, it lists the sources, remembers the default, opens
// one source at a time, forwards the triplets addressed to it and turns the
// sources' posted events into MSG_XFERREADY and MSG_CLOSEDSREQ.
#pragma once

#include "twain/DataSource.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace mivo::twain {

class SourceManager {
public:
    static SourceManager& Instance();

    TW_UINT16 Entry(pTW_IDENTITY origin, pTW_IDENTITY dest, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                    TW_MEMREF data);

private:
    struct Listed {
        TW_IDENTITY identity;
        std::unique_ptr<DataSource> source;
    };

    SourceManager();
    TW_UINT16 ToManager(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
    TW_UINT16 ToSource(pTW_IDENTITY dest, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
    TW_UINT16 OpenManager(pTW_IDENTITY origin, TW_MEMREF data);
    TW_UINT16 CloseManager();
    TW_UINT16 Identity(TW_UINT16 msg, pTW_IDENTITY id);
    TW_UINT16 Default(pTW_IDENTITY id);
    TW_UINT16 UserSelect(pTW_IDENTITY id);
    TW_UINT16 OpenSource(pTW_IDENTITY id);
    TW_UINT16 CloseSource(pTW_IDENTITY id);
    TW_UINT16 ProcessEvent(TW_EVENT* event);
    TW_UINT16 Status(TW_UINT16& condition, TW_MEMREF data);
    TW_UINT16 Fail(TW_UINT16 condition);
    void Add(std::unique_ptr<DataSource> source);
    void ListScanners();
    Listed* Find(const TW_IDENTITY& id);
    Listed* FindByName(const std::string& name);
    Listed* DefaultSource();

    std::recursive_mutex m_lock;
    std::vector<Listed> m_sources;
    bool m_open = false;
    bool m_scannersListed = false;
    HWND m_parent = nullptr;
    TW_UINT32 m_nextId = 1;
    std::string m_defaultName;  // empty until chosen
    size_t m_nextListed = 0;    // MSG_GETNEXT
    Listed* m_openSource = nullptr;
    TW_UINT16 m_condition = TWCC_SUCCESS;
    TW_UINT16 m_sourceCondition = TWCC_SUCCESS;
    UINT m_eventMessage = 0;
};

}  // namespace mivo::twain
