#include "twain/SourceManager.h"

#include "mivo/modules.h"
#include "mivo/testing/twain.h"
#include "twain/ScannerSources.h"
#include "twain/SelectSourceDialog.h"
#include "twain/TestSource.h"
#include "win32/user.h"

#include <cstring>

namespace mivo::twain {

namespace {

const char kModuleName[] = "TWAIN_32.DLL";
const char kEventMessageName[] = "MivoTwainSourceEvent";

std::mutex g_observerLock;
TwainTripletObserver g_observer;

void Observe(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, bool toSource)
{
    TwainTripletObserver observer;
    {
        std::lock_guard<std::mutex> hold(g_observerLock);
        observer = g_observer;
    }
    if (observer)
        observer(TwainTriplet{dg, dat, msg, toSource});
}

TW_UINT16 WINAPI ManagerEntry(pTW_IDENTITY origin, pTW_IDENTITY dest, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                              TW_MEMREF data)
{
    Observe(dg, dat, msg, dest != nullptr);
    return SourceManager::Instance().Entry(origin, dest, dg, dat, msg, data);
}

std::mutex g_moduleLock;
HMODULE g_module = nullptr;

void RegisterModule()
{
    std::lock_guard<std::mutex> hold(g_moduleLock);
    if (!g_module)
        g_module = RegisterInProcessModule(kModuleName, ExportMap{{"DSM_Entry", (void*)&ManagerEntry}},
                                           OrdinalMap{{1, "DSM_Entry"}});
}

// The manager is there from the platform's start, as TWAIN_32.DLL is on Windows.
struct ModuleAtLoad {
    ModuleAtLoad() { RegisterModule(); }
} g_moduleAtLoad;

}  // namespace

SourceManager& SourceManager::Instance()
{
    static SourceManager manager;
    return manager;
}

SourceManager::SourceManager()
{
    Add(std::make_unique<TestSource>());
}

void SourceManager::Add(std::unique_ptr<DataSource> source)
{
    Listed entry;
    entry.identity = source->Describe();
    entry.identity.Id = m_nextId++;
    entry.source = std::move(source);
    m_sources.push_back(std::move(entry));
}

TW_UINT16 SourceManager::Fail(TW_UINT16 condition)
{
    m_condition = condition;
    return TWRC_FAILURE;
}

TW_UINT16 SourceManager::Entry(pTW_IDENTITY origin, pTW_IDENTITY dest, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                               TW_MEMREF data)
{
    std::lock_guard<std::recursive_mutex> hold(m_lock);
    if (!origin)
        return Fail(TWCC_BADPROTOCOL);
    if (dest)
        return ToSource(dest, dg, dat, msg, data);
    return ToManager(origin, dg, dat, msg, data);
}

TW_UINT16 SourceManager::ToManager(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    if (dg != DG_CONTROL)
        return Fail(TWCC_BADPROTOCOL);
    if (dat == DAT_PARENT && msg == MSG_OPENDSM)
        return OpenManager(origin, data);
    if (dat == DAT_STATUS && msg == MSG_GET)
        return Status(m_condition, data);
    if (!m_open)
        return Fail(TWCC_SEQERROR);
    if (dat == DAT_PARENT && msg == MSG_CLOSEDSM)
        return CloseManager();
    if (dat == DAT_IDENTITY)
        return Identity(msg, (pTW_IDENTITY)data);
    return Fail(TWCC_BADPROTOCOL);
}

TW_UINT16 SourceManager::Status(TW_UINT16& condition, TW_MEMREF data)
{
    if (!data)
        return Fail(TWCC_BADVALUE);
    auto* status = (TW_STATUS*)data;
    status->ConditionCode = condition;
    status->Reserved = 0;
    condition = TWCC_SUCCESS;
    return TWRC_SUCCESS;
}

TW_UINT16 SourceManager::OpenManager(pTW_IDENTITY origin, TW_MEMREF data)
{
    if (m_open)
        return Fail(TWCC_SEQERROR);
    HWND parent = data ? *(HWND*)data : nullptr;
    if (!parent || !IsWindow(parent))
        return Fail(TWCC_BADVALUE);
    if (!m_eventMessage)
        m_eventMessage = RegisterWindowMessage(kEventMessageName);
    origin->Id = m_nextId++;
    m_parent = parent;
    m_open = true;
    m_condition = TWCC_SUCCESS;
    return TWRC_SUCCESS;
}

// Scanners found for this session go with it; the test source stays.
TW_UINT16 SourceManager::CloseManager()
{
    if (m_openSource) {
        m_openSource->source->Close();
        m_openSource = nullptr;
    }
    if (m_scannersListed) {
        m_sources.resize(1);
        EndScannerSources();
        m_scannersListed = false;
    }
    m_open = false;
    m_parent = nullptr;
    return TWRC_SUCCESS;
}

void SourceManager::ListScanners()
{
    if (m_scannersListed)
        return;
    m_scannersListed = true;
    for (auto& source : ListScannerSources())
        Add(std::move(source));
}

SourceManager::Listed* SourceManager::Find(const TW_IDENTITY& id)
{
    if (!id.Id) {
        std::string name(id.ProductName, strnlen(id.ProductName, sizeof(id.ProductName)));
        return FindByName(name);
    }
    for (Listed& entry : m_sources) {
        if (entry.identity.Id == id.Id)
            return &entry;
    }
    return nullptr;
}

SourceManager::Listed* SourceManager::FindByName(const std::string& name)
{
    for (Listed& entry : m_sources) {
        if (name == entry.identity.ProductName)
            return &entry;
    }
    return nullptr;
}

// The one chosen last; before any choice, the first scanner, else the test source.
SourceManager::Listed* SourceManager::DefaultSource()
{
    if (!m_defaultName.empty()) {
        if (Listed* chosen = FindByName(m_defaultName))
            return chosen;
    }
    ListScanners();
    if (!m_defaultName.empty()) {
        if (Listed* chosen = FindByName(m_defaultName))
            return chosen;
    }
    return m_sources.size() > 1 ? &m_sources[1] : &m_sources.front();
}

TW_UINT16 SourceManager::Identity(TW_UINT16 msg, pTW_IDENTITY id)
{
    if (!id)
        return Fail(TWCC_BADVALUE);
    switch (msg) {
    case MSG_GETDEFAULT:
        *id = DefaultSource()->identity;
        return TWRC_SUCCESS;
    case MSG_GETFIRST:
        m_nextListed = 0;
        [[fallthrough]];
    case MSG_GETNEXT:
        if (m_nextListed >= m_sources.size())
            return TWRC_ENDOFLIST;
        *id = m_sources[m_nextListed++].identity;
        return TWRC_SUCCESS;
    case MSG_USERSELECT: return UserSelect(id);
    case MSG_OPENDS: return OpenSource(id);
    case MSG_CLOSEDS: return CloseSource(id);
    }
    return Fail(TWCC_BADPROTOCOL);
}

TW_UINT16 SourceManager::UserSelect(pTW_IDENTITY id)
{
    Listed* current = DefaultSource();
    std::vector<std::string> names;
    int initial = 0;
    for (size_t i = 0; i < m_sources.size(); i++) {
        names.push_back(m_sources[i].identity.ProductName);
        if (&m_sources[i] == current)
            initial = (int)i;
    }
    int chosen = SelectSourceDialog(names, initial).Run(m_parent);
    if (chosen < 0)
        return TWRC_CANCEL;
    m_defaultName = m_sources[(size_t)chosen].identity.ProductName;
    *id = m_sources[(size_t)chosen].identity;
    return TWRC_SUCCESS;
}

TW_UINT16 SourceManager::OpenSource(pTW_IDENTITY id)
{
    if (m_openSource)
        return Fail(TWCC_MAXCONNECTIONS);
    Listed* entry = id->Id || id->ProductName[0] ? Find(*id) : DefaultSource();
    if (!entry)
        return Fail(TWCC_NODS);
    SourceLink link;
    link.parent = m_parent;
    HWND parent = m_parent;
    UINT eventMessage = m_eventMessage;
    TW_UINT32 sourceId = entry->identity.Id;
    link.notify = [parent, eventMessage, sourceId](TW_UINT16 twMessage) {
        PostMessage(parent, eventMessage, twMessage, (LPARAM)sourceId);
    };
    TW_UINT16 condition = TWCC_OPERATIONERROR;
    if (!entry->source->Open(link, condition))
        return Fail(condition);
    m_openSource = entry;
    m_sourceCondition = TWCC_SUCCESS;
    *id = entry->identity;
    return TWRC_SUCCESS;
}

TW_UINT16 SourceManager::CloseSource(pTW_IDENTITY id)
{
    if (!m_openSource || (id->Id && id->Id != m_openSource->identity.Id))
        return Fail(TWCC_NODS);
    m_openSource->source->Close();
    m_openSource = nullptr;
    return TWRC_SUCCESS;
}

TW_UINT16 SourceManager::ToSource(pTW_IDENTITY dest, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    if (!m_open || !m_openSource || dest->Id != m_openSource->identity.Id)
        return Fail(TWCC_BADDEST);
    if (dg == DG_CONTROL && dat == DAT_STATUS && msg == MSG_GET)
        return Status(m_sourceCondition, data);
    if (dg == DG_CONTROL && dat == DAT_EVENT && msg == MSG_PROCESSEVENT)
        return ProcessEvent((TW_EVENT*)data);
    TW_UINT16 condition = TWCC_SUCCESS;
    TW_UINT16 rc = m_openSource->source->Handle(dg, dat, msg, data, condition);
    if (rc == TWRC_FAILURE || rc == TWRC_CHECKSTATUS)
        m_sourceCondition = condition;
    return rc;
}

TW_UINT16 SourceManager::ProcessEvent(TW_EVENT* event)
{
    if (!event)
        return TWRC_NOTDSEVENT;
    event->TWMessage = MSG_NULL;
    auto* msg = (MSG*)event->pEvent;
    if (!msg)
        return TWRC_NOTDSEVENT;
    if (msg->message == m_eventMessage && (TW_UINT32)msg->lParam == m_openSource->identity.Id) {
        event->TWMessage = (TW_UINT16)msg->wParam;
        return TWRC_DSEVENT;
    }
    if (m_openSource->source->TakeMessage(msg))
        return TWRC_DSEVENT;
    return TWRC_NOTDSEVENT;
}

}  // namespace mivo::twain

namespace mivo {

void SetTwainModuleRegistered(bool registered)
{
    if (registered) {
        twain::RegisterModule();
        return;
    }
    std::lock_guard<std::mutex> hold(twain::g_moduleLock);
    if (twain::g_module)
        UnregisterInProcessModule(twain::g_module);
    twain::g_module = nullptr;
}

TwainTripletObserver SetTwainTripletObserver(TwainTripletObserver observer)
{
    std::lock_guard<std::mutex> hold(twain::g_observerLock);
    std::swap(observer, twain::g_observer);
    return observer;
}

}  // namespace mivo
