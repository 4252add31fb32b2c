// Three grids in one window: a list grid with checks, numbers and a selected
// row; a tree grid with a drop-down editor open on one cell; and the EXIF table
// of a photograph. Photographed once drawn.
#include "ShotSupport.h"

#include "grid/VXGridComboCtrl.h"
#include "grid/VXGridCtrl.h"
#include "image/ExifReader.h"

#include <cstring>

namespace {

HWND g_window = nullptr;

void Define(CVXGridCtrl& grid, const char* const* titles, const int* widths, const UINT* formats, int count)
{
    for (int i = 0; i < count; i++) {
        _RVSUBITEM sub;
        sub.nMask = HDF_STRING | formats[i];
        sub.iWidth = widths[i];
        sub.lpszText = titles[i];
        grid.DefineSubItem(i, &sub);
        grid.ActivateSubItem(i, i);
    }
}

void FillList(CVXGridCtrl& grid)
{
    const char* titles[] = {"파일 이름", "인화", "크기 (KB)", "찍은 날짜"};
    const int widths[] = {130, 44, 80, 90};
    const UINT formats[] = {HDF_LEFT, HDF_CENTER, HDF_RIGHT, HDF_LEFT};
    Define(grid, titles, widths, formats, 4);
    struct Row {
        const char* name;
        int check;
        double size;
        const char* date;
    } rows[] = {{"해변 산책.jpg", 1, 1204.5, "2006-08-12"}, {"광안대교 야경.jpg", 0, 2310, "2006-08-12"},
                {"자갈치 시장.jpg", 2, 987.25, "2006-08-13"}, {"동백섬.jpg", 1, 1540, "2006-08-13"},
                {"가족 사진.jpg", 0, 1876, "2006-08-14"},    {"해돋이.jpg", 5, 2045, "2006-08-15"},
                {"이름이 아주 긴 사진 파일 (보정본).jpg", 4, -12.5, "2006-08-16"}};
    for (const Row& r : rows) {
        int item = grid.AddItem(r.name);
        grid.SetItemCheck(item, 1, r.check);
        grid.SetItemValue(item, 2, r.size, 1);
        grid.SetItemText(item, 3, r.date);
    }
    grid.SortItems(3, TRUE);
    grid.SetSelection(1);
    grid.SetSelection(3, TRUE);
}

void FillTree(CVXGridCtrl& grid)
{
    const char* titles[] = {"앨범", "사진 수", "인화 크기"};
    const int widths[] = {170, 60, 90};
    const UINT formats[] = {HDF_LEFT, HDF_RIGHT, HDF_LEFT};
    Define(grid, titles, widths, formats, 3);
    auto add = [&](const char* name, _TREEITEM* parent, int count, const char* size) {
        _TREEITEM* node = grid.InsertItem(name, -1, -1, -1, parent, RVTI_LAST);
        int item = grid.GetItemIndex(node);
        grid.SetItemValue(item, 1, count, 0);
        grid.SetItemText(item, 2, size);
        return node;
    };
    _TREEITEM* trips = add("여행", RVTI_ROOT, 120, "4x6");
    add("제주도 2006", trips, 48, "4x6");
    _TREEITEM* busan = add("부산 해운대", trips, 36, "5x7");
    add("첫째 날", busan, 20, "5x7");
    add("둘째 날", busan, 16, "5x7");
    _TREEITEM* family = add("가족", RVTI_ROOT, 75, "3x5");
    add("돌잔치", family, 40, "3x5");
    add("추석", family, 35, "3x5");
    add("스캔한 사진", RVTI_ROOT, 12, "A4");
    grid.ExpandAll(RVTI_ROOT, 1);
    grid.Expand(family, 0);
}

void OpenCombo(CVXGridCtrl& grid)
{
    CRect cell;
    if (!grid.GetRowRect(2, 2, &cell))
        return;
    CVXGridComboCtrl* combo = new CVXGridComboCtrl(2, 2);
    if (!combo->Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(cell.left, cell.top - 2, cell.right, cell.top + 100),
                       &grid, 77)) {
        delete combo;
        return;
    }
    combo->SetFont(CFont::FromHandle((HFONT)grid.SendMessage(WM_GETFONT)));
    for (const char* size : {"3x5", "4x6", "5x7", "8x10", "A4"})
        combo->AddString(size);
    combo->SetCurSel(2);
}

void FillExif(CVXGridCtrl& grid)
{
    const char* titles[] = {"항목", "값"};
    const int widths[] = {110, 140};
    const UINT formats[] = {HDF_LEFT, HDF_LEFT};
    Define(grid, titles, widths, formats, 2);
    ExifInfo info;
    memset(&info, 0, sizeof(info));
    strcpy(info.CameraMaker, "Canon");
    strcpy(info.CameraModel, "Canon EOS 350D");
    strcpy(info.DateTaken, "2006:08:12 17:42:05");
    strcpy(info.ExifVersion, "0221");
    info.Width = 3456;
    info.Height = 2304;
    info.XResolution = info.YResolution = 72;
    info.ResolutionUnit = 1;
    info.Orientation = 1;
    info.IsColour = 1;
    info.FlashUsed = 0;
    info.FocalLength = 35;
    info.SensorWidth = 22.2f;
    info.ExposureTime = 0.004f;
    info.FNumber = 8;
    info.IsoEquivalent = 100;
    info.WhiteBalance = 1;
    info.MeteringMode = 5;
    info.ExposureProgram = 3;
    info.JpegProcess = 0xC0;
    CExifReader reader("", &info);
    reader.SetGrid(&grid);
    reader.FillExifGrid();
}

} // namespace

int main()
{
    WNDCLASS wc = {};
    wc.lpfnWndProc = DefWindowProc;
    wc.hbrBackground = (HBRUSH)(COLOR_3DFACE + 1);
    wc.lpszClassName = "GridScene";
    RegisterClass(&wc);
    g_window = CreateWindow("GridScene", "그리드 컨트롤", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 10, 10, 780, 540,
                            nullptr, nullptr, nullptr, nullptr);
    CWnd* parent = CWnd::FromHandle(g_window);
    CVXGridCtrl list, tree, exif;
    list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | RVS_SHOWHGRID | RVS_SHOWVGRID | RVS_SHOWSELALWAYS,
                CRect(8, 8, 372, 232), parent, 1);
    tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | RVS_TREEMODEL | RVS_SHOWHGRID, CRect(8, 240, 372, 490), parent, 2);
    exif.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | RVS_SHOWVGRID | RVS_SHOWHGRID, CRect(380, 8, 760, 490), parent, 3);
    FillList(list);
    FillTree(tree);
    FillExif(exif);
    ShowWindow(g_window, SW_SHOW);
    SetForegroundWindow(g_window);
    list.SetFocus();
    OpenCombo(tree);
    Settle();
    Shoot("grid");
    SaveSurface(g_window, "grid-surface.ppm");
    DestroyWindow(g_window);
    return 0;
}
