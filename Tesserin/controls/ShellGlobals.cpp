#include "controls/ShellGlobals.h"

namespace {

ShellGlobals g_shellGlobals;

}  // namespace

ShellGlobals::ShellGlobals()
{
    Init();
}

ShellGlobals::~ShellGlobals()
{
    Release();
}

ShellGlobals& ShellGlobals::Instance()
{
    return g_shellGlobals;
}

void ShellGlobals::Init()
{
    Release();
    if (FAILED(SHGetMalloc(&m_malloc)) || !m_malloc)
        AfxThrowMemoryException();
    LPITEMIDLIST desktop = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop)))
        AfxThrowResourceException();
    SHFILEINFO info = {};
    auto images = (HIMAGELIST)SHGetFileInfo((LPCSTR)desktop, 0, &info, sizeof info,
                                            SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    m_malloc->Free(desktop);
    if (!images || !m_systemImages.Attach(images))
        AfxThrowResourceException();
    m_systemImages.SetBkColor(CLR_NONE);
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_NETWORK, &m_network)))
        m_network = nullptr;
}

void ShellGlobals::Release()
{
    m_systemImages.Detach();  // the system's list, never destroyed
    if (m_network && m_malloc)
        m_malloc->Free(m_network);
    m_network = nullptr;
    if (m_malloc)
        m_malloc->Release();
    m_malloc = nullptr;
}

ITEMIDLIST* ShellGlobals::GetSpecialFolderPIDL(int csidl) const
{
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl < 0 ? CSIDL_DESKTOP : csidl, &pidl)))
        return nullptr;
    return pidl;
}

bool ShellGlobals::IsNetPath(const char* path)
{
    return path && path[0] == '\\' && path[1] == '\\';
}

void* ShellGlobals::Alloc(size_t size) const
{
    return m_malloc ? m_malloc->Alloc(size) : nullptr;
}

void ShellGlobals::FreeItem(void* block) const
{
    if (!m_malloc)
        AfxThrowMemoryException();
    m_malloc->Free(block);
}
