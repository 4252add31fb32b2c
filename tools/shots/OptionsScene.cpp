// An options grid of print settings: groups of check boxes and radio options in
// all eight kinds (plain, checked, disabled, disabled and checked), options
// with editors, and the edit box open on one of them. Photographed once drawn.
#include "ShotSupport.h"

#include "grid/VXGridOptionsCombo.h"
#include "grid/VXGridOptionsCtrl.h"
#include "grid/VXGridOptionsEdit.h"

namespace {

// The paper sizes a print option offers.
class CPaperCombo : public CVXGridOptionsCombo {
    DECLARE_DYNCREATE(CPaperCombo)
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT result = CVXGridOptionsCombo::WindowProc(message, wParam, lParam);
        if (message == WM_CREATE && result == 0)
            for (const char* paper : {"3x5", "4x6", "5x7", "A4"})
                AddString(paper);
        return result;
    }
};
IMPLEMENT_DYNCREATE(CPaperCombo, CVXGridOptionsCombo)

class CNameEdit : public CVXGridOptionsEdit {
    DECLARE_DYNCREATE(CNameEdit)
public:
    int GetWidth() override { return 140; }
};
IMPLEMENT_DYNCREATE(CNameEdit, CVXGridOptionsEdit)

_TREEITEM* Group(CVXGridOptionsCtrl& grid, const char* name)
{
    _TREEITEM* node = grid.InsertItem(name, -1, -1, -1, RVTI_ROOT, RVTI_LAST);
    _RVITEM bold;
    bold.nMask = RVIM_STATE;
    bold.iItem = grid.GetItemIndex(node);
    bold.nState = RVIS_BOLD;
    grid.SetItem(&bold);
    return node;
}

_TREEITEM* Option(CVXGridOptionsCtrl& grid, _TREEITEM* parent, const char* text, int kind, CRuntimeClass* editor = nullptr)
{
    _TREEITEM* node = grid.InsertItem(text, -1, kind, -1, parent, RVTI_LAST);
    if (editor)
        grid.SetItemData(grid.GetItemIndex(node), (DWORD_PTR)editor);
    return node;
}

} // namespace

int main()
{
    WNDCLASS wc = {};
    wc.lpfnWndProc = DefWindowProc;
    wc.hbrBackground = (HBRUSH)(COLOR_3DFACE + 1);
    wc.lpszClassName = "OptionsScene";
    RegisterClass(&wc);
    HWND window = CreateWindow("OptionsScene", "인쇄 설정", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, 400, 460,
                               nullptr, nullptr, nullptr, nullptr);
    CVXGridOptionsCtrl grid;
    CRect client;
    GetClientRect(window, &client);
    client.DeflateRect(8, 8);
    grid.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | RVS_TREEMODEL, client, CWnd::FromHandle(window), 1);

    _TREEITEM* print = Group(grid, "인쇄");
    Option(grid, print, "테두리 넣기", 0);
    Option(grid, print, "찍은 날짜 넣기", 1);
    Option(grid, print, "워터마크 (사용 불가)", 2);
    Option(grid, print, "색 보정 (항상 켬)", 3);
    _TREEITEM* direction = Group(grid, "용지 방향");
    Option(grid, direction, "가로", 4);
    Option(grid, direction, "세로", 5);
    _TREEITEM* quality = Group(grid, "인화 품질 (고정)");
    Option(grid, quality, "보통", 6);
    Option(grid, quality, "최고", 7);
    _TREEITEM* file = Group(grid, "파일");
    _TREEITEM* name = Option(grid, file, "파일 이름: 해변 산책", -1, RUNTIME_CLASS(CNameEdit));
    Option(grid, file, "용지 크기: 4x6", -1, RUNTIME_CLASS(CPaperCombo));
    Option(grid, file, "매수: 2", -1, RUNTIME_CLASS(CVXGridOptionsEdit));
    grid.ExpandAll(RVTI_ROOT, 1);

    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    grid.SetFocus();
    grid.SetSelection(name);
    grid.BeginOptionEdit(name);
    Settle();
    Shoot("options");
    SaveSurface(window, "options-surface.ppm");
    DestroyWindow(window);
    return 0;
}
