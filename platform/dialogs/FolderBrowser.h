// SHBrowseForFolder: the namespace as a tree filled as it opens, a title, a status line, and
// the caller's callback told of the start and of every selection.
#pragma once

#include "dialogs/DialogWindow.h"
#include "win32/types.h"
#include "win32/commctrl.h"
#include "win32/shlobj.h"

#include <memory>
#include <vector>

namespace mivo {

class FolderBrowser : public DialogWindow<FolderBrowser> {
public:
    explicit FolderBrowser(BROWSEINFOA& bi);
    ~FolderBrowser();
    FolderBrowser(const FolderBrowser&) = delete;
    FolderBrowser& operator=(const FolderBrowser&) = delete;

    // The chosen item's absolute list (shell allocator), or null when cancelled.
    LPITEMIDLIST Run();

private:
    // One tree item: its absolute list (without terminator) and whether its children are in.
    struct Entry {
        std::vector<BYTE> list;
        bool filled = false;
    };

    friend class DialogWindow<FolderBrowser>;
    INT_PTR InitAnswer() const { return FALSE; }  // the tree has the focus
    INT_PTR Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Answer(UINT msg, WPARAM wParam, LPARAM lParam);

    void OnInit();
    bool InsertRoot();
    HTREEITEM InsertItem(HTREEITEM parent, IShellFolder* folder, LPCITEMIDLIST relative,
                         const std::vector<BYTE>& parentList);
    void Fill(HTREEITEM item);
    void OnNotify(const NMHDR& hdr);
    void OnSelectionChanged(HTREEITEM item);
    void OnOk();
    bool SelectPath(const char* path);
    bool SelectList(LPCITEMIDLIST pidl);
    Entry* EntryOf(HTREEITEM item) const;
    int Tell(UINT msg, LPARAM lParam);

    BROWSEINFOA& bi_;
    HWND tree_ = nullptr;
    IShellFolder* desktop_ = nullptr;
    std::vector<BYTE> root_;  // the root's absolute list, without terminator
    std::vector<std::unique_ptr<Entry>> entries_;
    LPITEMIDLIST chosen_ = nullptr;
    bool ready_ = false;      // the callback may be told
    bool toldSelection_ = false;
};

}  // namespace mivo
