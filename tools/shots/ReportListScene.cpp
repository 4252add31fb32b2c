// The report list with check boxes, rows coloured by their data and a column
// sorted by a header click (its title marked), an edit box open on one cell;
// beside it a grid with its column chooser listing the hidden columns.
#include "ShotSupport.h"

#include "grid/VXGridCtrl.h"
#include "grid/VXGridSubItemListCtrl.h"
#include "grid/VXListCtrl.h"

namespace {

void FillList(CVXListCtrl& list)
{
    list.InsertColumn(0, "사진 이름", LVCFMT_LEFT, 150);
    list.InsertColumn(1, "인화 크기", LVCFMT_CENTER, 80);
    list.InsertColumn(2, "장수", LVCFMT_RIGHT, 60);
    list.InsertColumn(3, "받는 사람 (우편 주소)", LVCFMT_LEFT, 140);
    struct Row {
        const char* name;
        const char* size;
        const char* count;
        const char* to;
        LPARAM data;
        BOOL check;
    } rows[] = {
        {"해변 산책.jpg", "4x6", "12", "부산 해운대구", 10000000, TRUE},
        {"광안대교 야경.jpg", "5x7", "3", "서울 마포구", 20000000, FALSE},
        {"자갈치 시장.jpg", "4x6", "1,000", "대구 중구", 30000000, TRUE},
        {"동백섬.jpg", "8x10", "999", "광주 북구", 10000000, FALSE},
        {"가족 사진.jpg", "3x5", "9", "인천 연수구", 20000000, TRUE},
        {"해돋이.jpg", "A4", "10", "제주 서귀포시", 10000000, FALSE},
    };
    for (const Row& r : rows) {
        int row = list.InsertItem(list.GetItemCount(), r.name);
        list.SetItemText(row, 1, r.size);
        list.SetItemText(row, 2, r.count);
        list.SetItemText(row, 3, r.to);
        list.SetItemData(row, (DWORD_PTR)r.data);
        list.SetCheck(row, r.check);
    }
    list.SetColorByData(TRUE);
}

// The header's own click, as the user gives it.
void ClickHeader(CVXListCtrl& list, int column)
{
    NMHEADER click = {};
    click.hdr.hwndFrom = list.GetHeaderCtrl()->m_hWnd;
    click.hdr.code = HDN_ITEMCLICKA;
    click.iItem = column;
    list.SendMessage(WM_NOTIFY, 0, (LPARAM)&click);
}

void FillGrid(CVXGridCtrl& grid)
{
    const char* titles[] = {"파일 이름", "크기", "찍은 날짜", "카메라", "노출", "설명"};
    for (int i = 0; i < 6; i++) {
        _RVSUBITEM sub;
        sub.nMask = HDF_STRING;
        sub.iWidth = 90;
        sub.lpszText = titles[i];
        grid.DefineSubItem(i, &sub);
    }
    grid.ActivateSubItem(0, 0);
    grid.ActivateSubItem(2, 1);
    for (const char* name : {"해변 산책.jpg", "동백섬.jpg", "해돋이.jpg"}) {
        int item = grid.AddItem(name);
        grid.SetItemText(item, 2, "2006-08-12");
    }
}

} // namespace

int main()
{
    WNDCLASS wc = {};
    wc.lpfnWndProc = DefWindowProc;
    wc.hbrBackground = (HBRUSH)(COLOR_3DFACE + 1);
    wc.lpszClassName = "ReportListScene";
    RegisterClass(&wc);
    HWND window = CreateWindow("ReportListScene", "보고서 목록", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 10, 10, 780,
                               500, nullptr, nullptr, nullptr, nullptr);
    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0, nullptr, (HBRUSH)(COLOR_3DFACE + 1)), "", WS_CHILD | WS_VISIBLE, 0, 0, 780,
                  500, window, nullptr);
    CVXListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(8, 8, 760, 220), &host, 1);
    FillList(list);
    ClickHeader(list, 2);
    ClickHeader(list, 2);
    CVXGridCtrl grid;
    grid.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | RVS_SHOWHGRID | RVS_SHOWVGRID, CRect(8, 232, 420, 440), &host, 2);
    CVXGridSubItemListCtrl chooser;
    chooser.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY,
                   CRect(430, 232, 590, 440), &host, 3);
    CVXGridSubItemListCtrl framed;
    framed.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | VXSLS_GRIDCOLORS,
                  CRect(600, 232, 760, 440), &host, 4);
    FillGrid(grid);
    grid.SetVXGridSubItemListCtrl(&chooser);
    chooser.UpdateList();
    chooser.SetCurSel(1);
    framed.SetVXGridCtrl(&grid);
    framed.UpdateList();
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.EditItem(3, 3);
    Settle();
    Shoot("reportlist");
    SaveSurface(window, "reportlist-surface.ppm");
    grid.SetVXGridSubItemListCtrl(nullptr);
    DestroyWindow(window);
    return 0;
}
