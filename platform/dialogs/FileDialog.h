// GetOpenFileName and GetSaveFileName: our explorer-style dialog with the
// folder box ("내 컴퓨터", the drives, the way down to the folder), the file
// list, the name and the type filter; a hook and a child template see the
// CDN_ notifications and ask with CDM_ messages.
#pragma once

#include "dialogs/DialogWindow.h"
#include "dialogs/FileFilter.h"
#include "win32/commctrl.h"
#include "win32/commdlg.h"
#include "win32/msgbox.h"

#include <string>
#include <vector>

namespace mivo {

class FileDialog : public DialogWindow<FileDialog> {
public:
    static const size_t kListLimit = 20000;  // entries of one folder shown

    FileDialog(OPENFILENAMEA& ofn, bool save);
    BOOL Run();

private:
    enum class Kind { Drive, Folder, File };
    struct Item {
        std::string name;  // CP949; a drive's is "C:"
        std::string label; // what the list shows
        Kind kind;
    };

    friend class DialogWindow<FileDialog>;
    static INT_PTR CALLBACK PlainChildProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    void OnInit();
    void SetUpList();
    void OnListNotify(const NMHDR& hdr);
    void MakeChild();
    void PlaceChild();
    void StartFolder();
    void ChangeFolder(const std::string& folder, bool notify);
    void FillFolderBox();
    void FillList();
    void OnListSelection();
    void OnListOpen();
    void OnTypeChange();
    bool OnOK();
    bool AcceptNames(const std::vector<std::string>& names);
    std::vector<std::string> NamesInEdit() const;
    std::string CurrentPath() const;
    LRESULT Notify(UINT code);
    LRESULT Answer(UINT msg, WPARAM wParam, LPARAM lParam);
    void Say(UINT stringId, const std::string& path, UINT type = MB_OK | MB_ICONEXCLAMATION) const;
    int SayChoice(UINT stringId, const std::string& path, UINT type) const;
    std::vector<int> SelectedItems() const;

    OPENFILENAMEA& ofn_;
    const bool save_;
    const bool multi_;
    HWND child_ = nullptr;
    HWND list_ = nullptr;
    HIMAGELIST icons_ = nullptr;  // drive, folder, document
    std::string folder_;  // Windows form; empty shows "내 컴퓨터"
    std::string defExt_;
    FileFilter filter_;
    std::vector<Item> items_;
    std::vector<std::string> folderBoxPaths_;
    std::string title_;
    DWORD error_ = 0;
};

}  // namespace mivo
