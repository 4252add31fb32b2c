// CVXMenu loading a menu resource into a tree of owner-drawn menus, with the
// accelerator column padded and the menu bar's own items left plain.
#include "controls/VXMenu.h"
#include "controls/VXMenuSupport.h"

#include <string>
#include <vector>

namespace {

const WORD kEndFlag = MF_END;

// One item of a menu template, read within its bounds.
struct TemplateItem {
    WORD flags = 0;
    WORD id = 0;
    std::u16string text;
};

class TemplateReader {
public:
    TemplateReader(const BYTE* data, size_t size) : m_data(data), m_size(size)
    {
        if (size >= 4)
            m_pos = 4 + (size_t)Word(2);
        else
            m_pos = size;
    }
    bool Next(TemplateItem& item)
    {
        if (m_pos + 2 > m_size)
            return false;
        item.flags = Word(m_pos);
        m_pos += 2;
        item.id = 0;
        if (!(item.flags & MF_POPUP)) {
            if (m_pos + 2 > m_size)
                return false;
            item.id = Word(m_pos);
            m_pos += 2;
        }
        item.text.clear();
        for (;;) {
            if (m_pos + 2 > m_size)
                return false;  // a text without its terminator
            WCHAR c = (WCHAR)Word(m_pos);
            m_pos += 2;
            if (!c)
                return true;
            item.text.push_back(c);
        }
    }

private:
    WORD Word(size_t at) const { return (WORD)(m_data[at] | (m_data[at + 1] << 8)); }
    const BYTE* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

struct Level {
    CVXMenu* menu;
    bool ends;
};

}  // namespace

BOOL CVXMenu::LoadMenu(int nResource)
{
    return LoadMenu(MAKEINTRESOURCE((WORD)nResource));
}

BOOL CVXMenu::LoadMenu(LPCSTR lpszResourceName)
{
    HINSTANCE module = AfxFindResourceHandle(lpszResourceName, RT_MENU);
    HRSRC found = ::FindResource(module, lpszResourceName, RT_MENU);
    if (!found) {
        module = ::GetModuleHandle(nullptr);
        found = ::FindResource(module, lpszResourceName, RT_MENU);
    }
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    auto* data = loaded ? (const BYTE*)::LockResource(loaded) : nullptr;
    if (!data)
        return FALSE;
    size_t size = ::SizeofResource(module, found);
    DestroyMenu();
    if (!CreateMenu())
        return FALSE;

    TemplateReader reader(data, size);
    std::vector<Level> stack{{this, false}};
    TemplateItem item;
    while (!stack.empty() && reader.Next(item)) {
        UINT flags = item.flags & ~kEndFlag;
        if (item.flags & MF_POPUP) {
            if (item.flags & kEndFlag)
                stack.back().ends = true;
            CVXMenu* parent = stack.back().menu;
            CVXMenu* sub = parent->NewSubMenu();
            parent->AppendODMenuW(item.text.c_str(), flags, (UINT_PTR)sub->m_hMenu, -1);
            stack.push_back({sub, false});
            continue;
        }
        stack.back().menu->AppendODMenuW(item.text.c_str(), flags, item.id, -1);
        if (item.flags & kEndFlag)
            stack.back().ends = true;
        while (!stack.empty() && stack.back().ends) {
            stack.back().menu->InsertSpaces();
            stack.pop_back();
        }
    }
    // A template cut short keeps what was read and reports the damage.
    bool complete = stack.empty();
    while (!stack.empty()) {
        stack.back().menu->InsertSpaces();
        stack.pop_back();
    }

    int count = (int)GetMenuItemCount();
    for (int i = 0; i < count; ++i) {
        CVXMenuData* mdata = GetRecord(i);
        if (!mdata)
            continue;
        HMENU sub = ::GetSubMenu(m_hMenu, i);
        mdata->nFlags = MF_BYPOSITION | (sub ? MF_POPUP : 0);
        CString text = mdata->GetString();
        if (sub)
            ModifyMenu((UINT)i, MF_BYPOSITION | MF_POPUP, (UINT_PTR)sub, text);
        else
            ModifyMenu((UINT)i, MF_BYPOSITION | MF_STRING, mdata->nCommand, text);
    }
    m_loadmenu = TRUE;
    return complete ? TRUE : FALSE;
}

void CVXMenu::InsertSpaces()
{
    if (GetMenuDrawMode() == 1 && (!xp_space_accelerators || !original_space_accelerators))
        return;
    HFONT font = vxmenu::CreateMenuFont();
    HWND window = vxmenu::MeasuringWindow();
    HDC dc = ::GetDC(window);
    HGDIOBJ old = ::SelectObject(dc, font);
    auto width = [dc](const std::u16string& text) {
        SIZE size = {0, 0};
        ::GetTextExtentPoint32W(dc, text.c_str(), (int)text.size(), &size);
        return size.cx;
    };
    int count = (int)GetMenuItemCount();
    LONG widest = 0;
    for (int i = 0; i < count; ++i)
        if (CVXMenuData* mdata = GetRecord(i))
            widest = std::max(widest, width(vxmenu::LeftOfTab(mdata->GetWideString()) + u" "));
    for (INT_PTR i = 0; i < m_MenuList.GetSize(); ++i) {
        std::u16string text(m_MenuList[i]->GetWideString());
        size_t tab = text.find(u'\t');
        if (tab == std::u16string::npos)
            continue;
        std::u16string left = text.substr(0, tab);
        LONG current = width(left);
        while (current < widest) {
            left += u' ';
            LONG grown = width(left);
            if (grown <= current)
                break;  // a font whose blank has no width would never get there
            current = grown;
        }
        m_MenuList[i]->SetWideString((left + text.substr(tab)).c_str());
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(window, dc);
    ::DeleteObject(font);
}

int CVXMenu::GetMenuStart()
{
    if (!m_loadmenu)
        return 0;
    int count = (int)GetMenuItemCount();
    for (int position = 0; position < count; ++position) {
        CString text;
        CMenu::GetMenuString((UINT)position, text, MF_BYPOSITION);
        for (INT_PTR index = 0; index < m_MenuList.GetSize(); ++index) {
            if (m_MenuList[index]->GetString() != text)
                continue;
            if (position >= index)
                return position - (int)index;
            return -1;
        }
    }
    return -1;
}

void CVXMenu::RemoveTopLevelOwnerDraw()
{
    int start = GetMenuStart();
    if (start < 0)
        return;
    int count = (int)GetMenuItemCount();
    for (int i = start; i < count; ++i) {
        HMENU sub = ::GetSubMenu(m_hMenu, i);
        CVXMenuData* mdata = GetRecord(i - start);
        if (sub && mdata)
            ModifyMenu((UINT)i, MF_BYPOSITION | MF_POPUP, (UINT_PTR)sub, mdata->GetString());
    }
}
