#include "print/ListGrid.h"

#include "framework/VXApp.h"
#include "grid/VXGridCtrl.h"

namespace {

CString AppKey()
{
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    return app ? app->m_strAppKey : CString();
}

}  // namespace

namespace ListGrid {

void Setup(CVXGridCtrl& grid, const ListGridColumn* columns, int count, const char* entry, DWORD style,
           CImageList* images)
{
    const COLORREF colours[] = {0xC0C0C0, 0xA00000, 0xA0, 0x8000, 0x606060};
    for (int i = 0; i < 5; ++i)
        grid.InsertColor(i, colours[i]);
    for (int i = 0; i < count; ++i) {
        _RVSUBITEM column;
        column.nMask = columns[i].mask;
        column.iWidth = columns[i].width;
        column.lpszText = columns[i].title;
        grid.DefineSubItem(i, &column, FALSE);
    }
    if (!grid.GetVXProfile(AppKey(), entry))
        for (int i = 0; i < count; ++i)
            grid.ActivateSubItem(i, i);
    grid.ModifyStyle(0, style, 0);
    if (images)
        grid.SetImageList(images, nullptr);
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    grid.SetBkColor(face);
    grid.SetGridColor(RGB(GetRValue(face) * 8 / 10, GetGValue(face) * 8 / 10, GetBValue(face) * 8 / 10));
}

void SaveLayout(CVXGridCtrl& grid, const char* entry)
{
    if (grid.GetSafeHwnd())
        grid.WriteVXProfile(AppKey(), entry);
}

}  // namespace ListGrid
