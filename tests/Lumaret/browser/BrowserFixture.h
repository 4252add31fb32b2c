// An image browser window on a copy of the user database, with picture folders made for the
// test in the data folder.
#pragma once

#include "../album/AlbumFixture.h"

#include "browser/DlgImgBrowser.h"
#include "browser/MivoImgBrowserView.h"
#include "support/MessageBoxCapture.h"

#include <memory>
#include <string>
#include <vector>

namespace browsertest {

// Rewrites a JPEG so that its header reads but its picture cannot be decoded: every scan
// component names Huffman table 3, which the file never defines.
void MakeUndecodable(const CString& path);

class BrowserTest : public albumtest::AlbumDatabase {
protected:
    void SetUp() override;
    void TearDown() override;

    // A folder inside the data folder (CP949 name); its program path, ending in a backslash.
    CString MakeFolder(const char* name);
    // A JPEG (or BMP by extension) of one colour; width x height.
    void WritePicture(const CString& path, int width, int height, COLORREF colour = RGB(40, 120, 200));
    void WriteBytes(const CString& path, const std::string& bytes);
    // Lists the folder and waits for the thumbnail loader to end.
    void List(const CString& folder);
    void WaitForLoader();
    // The items' names joined by ",", folders in angle brackets.
    std::string Names() const;
    // Indexes of the selected items joined by ",".
    std::string Selected() const;
    CMivoImgBrowserView& View() const { return *browser->m_pThumbView; }
    HWND ViewWnd() const { return browser->m_pThumbView->GetSafeHwnd(); }
    // A client point inside item i's cell (its middle).
    CPoint CellPoint(int i) const;

    CWnd host;
    std::unique_ptr<CDlgImgBrowser> browser;
    mivotest::MessageBoxCapture boxes{IDYES};
};

}  // namespace browsertest
