// A report list on a framework window that reflects the list's notifications
// and records what reaches it afterwards.
#pragma once

#include "grid/VXListCtrl.h"
#include "support/MessageLoop.h"

#include <string>
#include <vector>

namespace listtest {

struct EndEdit {
    int id;
    int row;
    int column;
    std::string text; // "<none>" when the editor reported no text
    LPARAM data;
};

class ListHost : public CWnd {
public:
    explicit ListHost(int width = 360, int height = 200)
    {
        CreateEx(0, AfxRegisterWndClass(0), "list host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width,
                 height, nullptr, nullptr);
        list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, width, height), this, 1200);
        mivo::test::PumpUntilIdle();
    }
    ~ListHost() override
    {
        list.DestroyWindow();
        DestroyWindow();
        mivo::test::PumpUntilIdle();
    }

    // Columns of width 100 with these titles; rows of these texts by column.
    void Columns(const std::vector<std::string>& titles)
    {
        for (size_t i = 0; i < titles.size(); i++)
            list.InsertColumn((int)i, titles[i].c_str(), LVCFMT_LEFT, 100);
    }
    void Rows(const std::vector<std::vector<std::string>>& rows)
    {
        for (const auto& cells : rows) {
            int row = list.InsertItem(list.GetItemCount(), cells[0].c_str());
            for (size_t c = 1; c < cells.size(); c++)
                list.SetItemText(row, (int)c, cells[c].c_str());
        }
    }
    std::vector<std::string> Column(int column)
    {
        std::vector<std::string> texts;
        for (int row = 0; row < list.GetItemCount(); row++)
            texts.push_back((LPCSTR)list.GetItemText(row, column));
        return texts;
    }
    CRect Cell(int row, int column)
    {
        CRect rect;
        list.GetSubItemRect(row, column, LVIR_BOUNDS, rect);
        return rect;
    }

    CVXListCtrl list;
    std::vector<EndEdit> endEdits;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (CWnd::OnNotify(wParam, lParam, result))
            return TRUE;
        auto* info = (NMLVDISPINFO*)lParam;
        if (info->hdr.code == LVN_ENDLABELEDIT)
            endEdits.push_back({(int)info->hdr.idFrom, info->item.iItem, info->item.iSubItem,
                                info->item.pszText ? info->item.pszText : "<none>", info->item.lParam});
        return FALSE;
    }
};

} // namespace listtest
