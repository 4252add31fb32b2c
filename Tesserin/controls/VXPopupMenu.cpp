#include "controls/VXPopupMenu.h"
#include "mivo/codepage.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// How deep RemapMenu is, shared by every popup menu of the process.
int g_remapDepth = 0;

const WORD kToolbarVersion = 1;

struct ToolbarData {
    int width = 0;
    int height = 0;
    std::vector<WORD> commands;
};

bool ReadToolbar(UINT id, ToolbarData& out)
{
    LPCSTR name = MAKEINTRESOURCE(id);
    HINSTANCE module = AfxFindResourceHandle(name, MAKEINTRESOURCE(241));
    HRSRC found = ::FindResource(module, name, MAKEINTRESOURCE(241));
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    auto* data = loaded ? (const BYTE*)::LockResource(loaded) : nullptr;
    DWORD size = found ? ::SizeofResource(module, found) : 0;
    if (!data || size < 8)
        return false;
    auto word = [data](size_t at) { return (WORD)(data[at] | (data[at + 1] << 8)); };
    size_t count = word(6);
    if (word(0) != kToolbarVersion || 8 + 2 * count > size)
        return false;
    out.width = word(2);
    out.height = word(4);
    out.commands.clear();
    for (size_t i = 0; i < count; ++i)
        out.commands.push_back(word(8 + 2 * i));
    return true;
}

HFONT MenuFont()
{
    NONCLIENTMETRICS metrics = {};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return ::CreateFontIndirect(&metrics.lfMenuFont);
}

void Line(CDC* dc, int x1, int x2, int y, COLORREF colour)
{
    CPen pen(PS_SOLID, 1, colour);
    CPen* old = dc->SelectObject(&pen);
    dc->MoveTo(x1, y);
    dc->LineTo(x2, y);
    dc->SelectObject(old);
}

}  // namespace

CVXPopupMenu::CVXPopupMenu()
    : m_imageSize(20, 20), m_menuText(::GetSysColor(COLOR_MENUTEXT)),
      m_highlightText(::GetSysColor(COLOR_HIGHLIGHTTEXT)), m_imageBack(::GetSysColor(COLOR_3DFACE)),
      m_menuBack(::GetSysColor(COLOR_MENU)), m_highlight(::GetSysColor(COLOR_HIGHLIGHT)),
      m_hilight3d(::GetSysColor(COLOR_3DHILIGHT)), m_shadow3d(::GetSysColor(COLOR_3DSHADOW)),
      m_grayText(::GetSysColor(COLOR_GRAYTEXT))
{
    m_menuFont = MenuFont();
    CreateBoldFont();
    MakeCheckImage();
}

CVXPopupMenu::~CVXPopupMenu()
{
    if (m_boldFont)
        ::DeleteObject(m_boldFont);
    if (m_menuFont)
        ::DeleteObject(m_menuFont);
    m_images_list.DeleteImageList();
    m_checks.DeleteImageList();
    DestroyMenu();
}

// Checked items without an image show this mark.
void CVXPopupMenu::MakeCheckImage()
{
    const int size = 16;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, size, size);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    const COLORREF key = RGB(255, 0, 255);
    HBRUSH back = ::CreateSolidBrush(key);
    RECT all = {0, 0, size, size};
    ::FillRect(dc, &all, back);
    ::DeleteObject(back);
    HPEN pen = ::CreatePen(PS_SOLID, 1, m_menuText);
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    static const int kFrom[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int i = 0; i < 7; ++i) {
        ::MoveToEx(dc, 4 + i, 5 + kFrom[i], nullptr);
        ::LineTo(dc, 4 + i, 5 + kFrom[i] + 3);
    }
    ::SelectObject(dc, oldPen);
    ::DeleteObject(pen);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    m_checks.Create(size, size, ILC_MASK | ILC_COLOR32, 1, 1);
    ImageList_AddMasked(m_checks.m_hImageList, bitmap, key);
    ::DeleteObject(bitmap);
}

bool CVXPopupMenu::CreateBoldFont()
{
    if (m_boldFont)
        ::DeleteObject(m_boldFont);
    m_boldFont = nullptr;
    LOGFONT lf = {};
    HFONT base = m_customFont ? m_customFont : m_menuFont;
    if (!base || !::GetObject(base, sizeof(lf), &lf))
        return false;
    lf.lfWeight = FW_BOLD;
    m_boldFont = ::CreateFontIndirect(&lf);
    return m_boldFont != nullptr;
}

void CVXPopupMenu::SetCustomFont(HFONT font)
{
    m_customFont = font;
    CreateBoldFont();
}

bool CVXPopupMenu::AddToolBar(UINT id, bool fresh)
{
    ToolbarData toolbar;
    if (!ReadToolbar(id, toolbar) || toolbar.width <= 0 || toolbar.height <= 0)
        return false;
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(id))
        return false;
    if (fresh) {
        CImageList list;
        if (!list.Create(toolbar.width, toolbar.height, ILC_MASK | ILC_COLOR4, (int)toolbar.commands.size(), 1))
            return false;
        m_images_list.DeleteImageList();
        m_images_list.Attach(list.Detach());
        m_images_list.SetBkColor(m_imageBack);
        m_imageSize = CSize(toolbar.width, toolbar.height);
    } else if (!m_images_list.GetSafeHandle()) {
        return false;
    }
    int first = m_images_list.Add(&bitmap, RGB(192, 192, 192));
    if (first < 0)
        return false;
    int next = first;
    for (WORD command : toolbar.commands)
        if (command)
            AddImageItem(next++, command);
    return true;
}

bool CVXPopupMenu::LoadToolBarResource(UINT id)
{
    return AddToolBar(id, true);
}

bool CVXPopupMenu::AddToolBarResource(UINT id)
{
    return AddToolBar(id, false);
}

void CVXPopupMenu::AddImageItem(int image, WORD command)
{
    m_images.push_back(ImageItem{image, command});
}

int CVXPopupMenu::FindImageItem(int command) const
{
    for (const ImageItem& item : m_images)
        if (item.iCmd == command)
            return item.iImageIdx;
    return -1;
}

CVXPopupMenu::SpawnItem* CVXPopupMenu::AddSpawnItem(const char* text, int command)
{
    auto item = std::make_unique<SpawnItem>();
    item->iImageIdx = command < 0 ? command : FindImageItem(command);
    item->iCmd = command;
    mivo::CopyCutToCharBoundary(item->cText, text, kMaxText);
    m_spawn.push_back(std::move(item));
    return m_spawn.back().get();
}

CVXPopupMenu::SpawnItem* CVXPopupMenu::Owned(ULONG_PTR data) const
{
    for (const auto& item : m_spawn)
        if ((ULONG_PTR)item.get() == data)
            return item.get();
    return nullptr;
}

void CVXPopupMenu::RemapMenu(CMenu* menu)
{
    if (!menu || !menu->m_hMenu)
        return;
    ++g_remapDepth;
    for (int i = (int)menu->GetMenuItemCount() - 1; i >= 0; --i) {
        // The type from the item itself: a popup's state carries its item count in the high byte.
        MENUITEMINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE;
        if (!::GetMenuItemInfo(menu->m_hMenu, (UINT)i, TRUE, &info) || (info.fType & (MFT_OWNERDRAW | MFT_BITMAP)))
            continue;
        UINT state = info.fType | info.fState;
        UINT keep = info.fState & (MF_CHECKED | MF_GRAYED | MF_DISABLED | MF_DEFAULT);
        CString text;
        menu->GetMenuString((UINT)i, text, MF_BYPOSITION);
        if (HMENU sub = ::GetSubMenu(menu->m_hMenu, i)) {
            RemapMenu(CMenu::FromHandle(sub));
            if (!text.IsEmpty()) {
                SpawnItem* item = AddSpawnItem(text, g_remapDepth == 1 ? kTitle : kNestedEntry);
                menu->ModifyMenu((UINT)i, MF_BYPOSITION | MF_OWNERDRAW | MF_POPUP | keep, (UINT_PTR)sub,
                                 (LPCSTR)item);
            }
        } else if (state & MF_SEPARATOR) {
            SpawnItem* item = AddSpawnItem("", kSeparator);
            menu->ModifyMenu((UINT)i, MF_BYPOSITION | MF_OWNERDRAW | MF_SEPARATOR, 0, (LPCSTR)item);
        } else {
            UINT id = menu->GetMenuItemID(i);
            SpawnItem* item = AddSpawnItem(text, (int)id);
            menu->ModifyMenu((UINT)i, MF_BYPOSITION | MF_OWNERDRAW | keep, id, (LPCSTR)item);
        }
    }
    --g_remapDepth;
}

void CVXPopupMenu::EnableMenuItems(CMenu* menu, CWnd* target)
{
    if (!menu || !target)
        return;
    int count = (int)menu->GetMenuItemCount();
    for (int i = count - 1; i >= 0; --i) {
        if (HMENU sub = ::GetSubMenu(menu->m_hMenu, i)) {
            EnableMenuItems(CMenu::FromHandle(sub), target);
            continue;
        }
        UINT id = menu->GetMenuItemID(i);
        if (id == 0 || id == (UINT)-1)
            continue;
        CCmdUI state;
        state.m_pMenu = menu;
        state.m_nIndex = (UINT)i;
        state.m_nIndexMax = (UINT)count;
        state.m_nID = id;
        state.DoUpdate(target, FALSE);
    }
}

HFONT CVXPopupMenu::ItemFont() const
{
    return m_customFont ? m_customFont : m_menuFont;
}

void CVXPopupMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    SpawnItem* item = lpMIS ? Owned(lpMIS->itemData) : nullptr;
    if (!item)
        return;
    if (item->iCmd == kSeparator) {
        lpMIS->itemWidth = 10;
        lpMIS->itemHeight = 6;
        return;
    }
    if (!item->cText[0]) {
        lpMIS->itemWidth = 100;
        lpMIS->itemHeight = (UINT)(m_imageSize.cy + 5);
        return;
    }
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, ItemFont());
    int length = (int)std::strlen(item->cText);
    if (item->iCmd == kTitle) {
        SIZE size = {0, 0};
        ::GetTextExtentPoint32(dc, item->cText, length, &size);
        lpMIS->itemWidth = (UINT)size.cx;
        lpMIS->itemHeight = (UINT)size.cy;
    } else {
        DWORD extent = ::GetTabbedTextExtent(dc, item->cText, length, 0, nullptr);
        int height = std::max(m_imageSize.cy + 5, (int)HIWORD(extent));
        lpMIS->itemHeight = (UINT)height;
        lpMIS->itemWidth = (UINT)(LOWORD(extent) + 17 + std::max(height, (int)m_imageSize.cx));
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
}

void CVXPopupMenu::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    SpawnItem* item = lpDIS ? Owned(lpDIS->itemData) : nullptr;
    if (!item || lpDIS->CtlType != ODT_MENU)
        return;
    CDC* dc = CDC::FromHandle(lpDIS->hDC);
    CRect rect(lpDIS->rcItem);
    HGDIOBJ oldFont = ::SelectObject(lpDIS->hDC, (lpDIS->itemState & ODS_DEFAULT) && m_boldFont ? m_boldFont
                                                                                                   : ItemFont());
    bool selected = (lpDIS->itemState & ODS_SELECTED) != 0;
    bool grayed = (lpDIS->itemState & ODS_GRAYED) != 0;
    if (item->iCmd == kSeparator)
        DrawSeparator(dc, rect);
    else if (item->iCmd == kTitle)
        DrawTitle(dc, rect, *item, selected, grayed);
    else
        DrawCommand(dc, rect, *item, lpDIS->itemState);
    ::SelectObject(lpDIS->hDC, oldFont);
}

void CVXPopupMenu::DrawSeparator(CDC* dc, const CRect& rect)
{
    Line(dc, rect.left + 2, rect.right - 2, rect.top + 2, m_shadow3d);
    Line(dc, rect.left + 2, rect.right - 2, rect.top + 3, m_hilight3d);
}

void CVXPopupMenu::DrawTitle(CDC* dc, const CRect& rect, const SpawnItem& item, bool selected, bool grayed)
{
    dc->FillSolidRect(rect, m_menuBack);
    CRect text = rect;
    if (selected && !grayed) {
        dc->Draw3dRect(rect, m_shadow3d, m_hilight3d);
        text.OffsetRect(2, 1);
    }
    int oldMode = dc->SetBkMode(TRANSPARENT);
    COLORREF oldColour = dc->SetTextColor(grayed ? m_grayText : m_menuText);
    dc->DrawText(item.cText, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc->SetTextColor(oldColour);
    dc->SetBkMode(oldMode);
}

void CVXPopupMenu::DrawCommand(CDC* dc, const CRect& rect, const SpawnItem& item, UINT state)
{
    bool selected = (state & ODS_SELECTED) != 0;
    bool grayed = (state & ODS_GRAYED) != 0;
    bool checked = (state & ODS_CHECKED) != 0;
    CRect column(rect.left, rect.top, rect.left + rect.Height(), rect.bottom);
    CRect textArea(column.right + 1, rect.top, rect.right, rect.bottom);
    bool hasImage = item.iImageIdx >= 0 && item.iImageIdx < m_images_list.GetImageCount();
    COLORREF back = selected ? m_highlight : m_menuBack;
    if (!hasImage && !checked) {
        dc->FillSolidRect(rect, back);
    } else {
        dc->FillSolidRect(column, m_menuBack);
        dc->FillSolidRect(textArea, back);
    }
    if (!hasImage && checked) {
        int cx = 0, cy = 0;
        m_checks.GetIconSize(&cx, &cy);
        m_checks.Draw(dc, 0, CPoint(column.left + (column.Width() - cx) / 2, column.top + (column.Height() - cy) / 2),
                      ILD_TRANSPARENT);
    } else if (hasImage) {
        if (selected && !grayed)
            dc->Draw3dRect(column, m_hilight3d, m_shadow3d);
        else
            dc->Draw3dRect(column, m_menuBack, m_menuBack);
        CPoint at(column.left + (column.Width() - m_imageSize.cx) / 2,
                  column.top + (column.Height() - m_imageSize.cy) / 2);
        if (grayed) {
            HICON icon = m_images_list.ExtractIcon(item.iImageIdx);
            dc->DrawState(at, m_imageSize, icon, DSS_DISABLED, (HBRUSH) nullptr);
            ::DestroyIcon(icon);
        } else {
            m_images_list.Draw(dc, item.iImageIdx, at, ILD_TRANSPARENT);
        }
    }
    CRect text(textArea.left + 2, rect.top, rect.right - 15, rect.bottom);
    DrawItemText(dc, text, item.cText, selected, grayed);
}

void CVXPopupMenu::DrawItemText(CDC* dc, const CRect& rect, const char* text, bool selected, bool grayed)
{
    std::string all(text);
    size_t tab = all.find('\t');
    std::string left = all.substr(0, tab);
    std::string right = tab == std::string::npos ? std::string() : all.substr(tab + 1);
    auto draw = [&](const CRect& r, COLORREF colour) {
        dc->SetTextColor(colour);
        CRect area = r;
        dc->DrawText(left.c_str(), (int)left.size(), &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        if (!right.empty()) {
            area = r;
            dc->DrawText(right.c_str(), (int)right.size(), &area, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
        }
    };
    int oldMode = dc->SetBkMode(TRANSPARENT);
    COLORREF oldColour = dc->GetTextColor();
    if (!grayed) {
        draw(rect, selected ? m_highlightText : m_menuText);
    } else if (selected) {
        draw(rect, m_menuBack);
    } else {
        CRect raised = rect;
        raised.OffsetRect(1, 1);
        draw(raised, m_hilight3d);
        draw(rect, m_grayText);
    }
    dc->SetTextColor(oldColour);
    dc->SetBkMode(oldMode);
}
