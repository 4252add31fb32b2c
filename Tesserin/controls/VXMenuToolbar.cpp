// CVXMenu taking item images from toolbar resources.
#include "controls/VXMenu.h"

#include <vector>

namespace {

// A toolbar's buttons: the command of each, 0 for a separator.
struct ToolbarButtons {
    std::vector<UINT> commands;
    // The image a button shows: real buttons are numbered in order.
    int ImageOf(size_t index) const
    {
        int image = 0;
        for (size_t i = 0; i < index; ++i)
            if (commands[i])
                ++image;
        return image;
    }
};

// Reads the toolbar resource; false when it is missing or damaged.
bool ReadToolbar(UINT id, ToolbarButtons& out)
{
    LPCSTR name = MAKEINTRESOURCE(id);
    HINSTANCE module = AfxFindResourceHandle(name, RT_TOOLBAR);
    HRSRC found = ::FindResource(module, name, RT_TOOLBAR);
    if (!found) {
        module = ::GetModuleHandle(nullptr);
        found = ::FindResource(module, name, RT_TOOLBAR);
    }
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    auto* data = loaded ? (const BYTE*)::LockResource(loaded) : nullptr;
    DWORD size = found ? ::SizeofResource(module, found) : 0;
    if (!data || size < 8)
        return false;
    auto word = [data](size_t at) { return (UINT)(data[at] | (data[at + 1] << 8)); };
    if (word(0) != 1)
        return false;
    size_t count = word(6);
    if (8 + 2 * count > size)
        return false;
    out.commands.clear();
    for (size_t i = 0; i < count; ++i)
        out.commands.push_back(word(8 + 2 * i));
    return true;
}

}  // namespace

BOOL CVXMenu::LoadFromToolBar(UINT nID, UINT nToolBar, int& xoffset)
{
    ToolbarButtons buttons;
    if (!ReadToolbar(nToolBar, buttons))
        return FALSE;
    for (size_t i = 0; i < buttons.commands.size(); ++i)
        if (buttons.commands[i] == nID) {
            int image = buttons.ImageOf(i);
            if (image > 0)
                xoffset = image;
            return TRUE;
        }
    return FALSE;
}

BOOL CVXMenu::LoadToolbar(UINT nToolBar)
{
    ToolbarButtons buttons;
    if (!ReadToolbar(nToolBar, buttons))
        return FALSE;
    CImageList strip;
    strip.Create(m_iconX, m_iconY, ILC_COLORDDB | ILC_MASK, 1, 1);
    if (!AddBitmapToImageList(&strip, nToolBar))
        return FALSE;
    for (size_t i = 0; i < buttons.commands.size(); ++i) {
        UINT command = buttons.commands[i];
        if (!command || GetMenuState(command, MF_BYCOMMAND) == (UINT)-1)
            continue;
        int image = buttons.ImageOf(i);
        ModifyODMenuW(nullptr, command, &strip, image > 0 ? image : (int)i);
    }
    return TRUE;
}

BOOL CVXMenu::LoadToolbars(const UINT* arID, int n)
{
    if (n >= 1 && !arID)
        return FALSE;
    BOOL all = TRUE;
    for (int i = 0; i < n; ++i)
        if (!LoadToolbar(arID[i]))
            all = FALSE;
    return all;
}

// Records of this menu's own items by command; sub-menus keep theirs.
CVXMenuData* CVXMenu::OwnRecordOf(UINT_PTR nID)
{
    for (INT_PTR i = 0; i < m_MenuList.GetSize(); ++i)
        if (m_MenuList[i]->nCommand == nID)
            return m_MenuList[i];
    return nullptr;
}

void CVXMenu::AddFromToolBar(CToolBar* pToolBar, int nResourceID)
{
    if (!pToolBar || !pToolBar->GetSafeHwnd())
        return;
    for (int i = 0; i < pToolBar->GetCount(); ++i) {
        UINT command = 0, style = 0;
        int image = 0;
        pToolBar->GetButtonInfo(i, command, style, image);
        if (!command || (style & TBBS_SEPARATOR) || GetMenuState(command, MF_BYCOMMAND) == (UINT)-1)
            continue;
        CVXMenuData* mdata = OwnRecordOf(command);
        if (!mdata) {
            // The item keeps its text: the record is what it shows from now on.
            CString text;
            GetMenuString(command, text, MF_BYCOMMAND);
            mdata = new CVXMenuData;
            mdata->nCommand = command;
            mdata->SetAnsiString(text);
            m_MenuList.Add(mdata);
        }
        mdata->nID = nResourceID;
        mdata->xoffset = image;
        mdata->nFlags = MF_BYCOMMAND | MF_OWNERDRAW;
        if (!mdata->bitmap)
            mdata->bitmap = new CImageList;
        mdata->bitmap->DeleteImageList();
        mdata->bitmap->Create(m_iconX, m_iconY, ILC_COLORDDB | ILC_MASK, 1, 1);
        if (!AddBitmapToImageList(mdata->bitmap, (UINT)nResourceID)) {
            delete mdata->bitmap;
            mdata->bitmap = nullptr;
            mdata->nID = -1;
            mdata->xoffset = -1;
        }
        ModifyMenu(command, MF_BYCOMMAND | MF_OWNERDRAW, command, (LPCSTR)mdata);
    }
}
