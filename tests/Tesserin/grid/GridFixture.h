// A grid inside a recording host window: the host answers the grid's
// notifications through handlers the tests set, and records them.
#pragma once

#include "grid/VXGridCtrl.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"

#include <functional>
#include <string>
#include <vector>

namespace gridtest {

struct Notice {
    int code;
    int item;
    int subItem;
    UINT state;
};

class GridHost {
public:
    explicit GridHost(DWORD gridStyle = 0, int width = 400, int height = 300)
    {
        host = mivo::test::CreateTestWindow("grid host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width, height);
        recorder.OnMessage(WM_NOTIFY, [this](HWND, UINT, WPARAM, LPARAM lParam, LRESULT* result) {
            const _NMREPORTVIEW* nm = (const _NMREPORTVIEW*)lParam;
            int code = (int)nm->hdr.code;
            if (code <= RVN_FIRST && code >= RVN_LAST && code != RVN_LOADITEMDATA && code != RVN_DRAWITEM &&
                code != RVN_DRAWROW && code != RVN_HEADERRCLICK && code != RVN_COLUMNCLICK &&
                code != RVN_DIVIDERDBLCLICK)
                notices.push_back({code, nm->iItem, nm->iSubItem, nm->nState});
            *result = reply ? reply(code, (NMHDR*)lParam) : 0;
            return true;
        });
        grid.Create(WS_CHILD | WS_VISIBLE | gridStyle, CRect(0, 0, width, height), CWnd::FromHandle(host), 1001);
    }
    ~GridHost()
    {
        grid.DestroyWindow();
        ::DestroyWindow(host);
    }

    // Defines `count` columns "c0".. of width 80 and shows them in order.
    void Columns(int count, UINT mask = HDF_STRING)
    {
        for (int i = 0; i < count; i++) {
            std::string title = "c" + std::to_string(i);
            _RVSUBITEM sub;
            sub.nMask = mask;
            sub.iWidth = 80;
            sub.lpszText = title.c_str();
            grid.DefineSubItem(i, &sub);
            grid.ActivateSubItem(i, i);
        }
    }
    void Rows(const std::vector<std::string>& texts)
    {
        for (const std::string& text : texts)
            grid.AddItem(text.c_str());
    }
    std::vector<int> Codes(int code) const
    {
        std::vector<int> items;
        for (const Notice& n : notices)
            if (n.code == code)
                items.push_back(n.item);
        return items;
    }
    std::vector<int> VisibleTexts0AsItems() const { return grid.GetItemRowArray(); }

    mivo::test::MessageRecorder recorder;
    HWND host = nullptr;
    CVXGridCtrl grid;
    std::vector<Notice> notices;
    std::function<LRESULT(int, NMHDR*)> reply;
};

} // namespace gridtest
