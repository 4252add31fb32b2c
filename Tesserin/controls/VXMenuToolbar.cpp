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
