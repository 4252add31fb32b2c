#include "BrowserFixture.h"

#include "image/ImageObject.h"
#include "resource.h"
#include "mivo/paths.h"
#include "shell/MainApp.h"
#include "support/MessageLoop.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace browsertest {

void MakeUndecodable(const CString& path)
{
    std::string posix;
    ASSERT_TRUE(mivo::ToPosixPath(path, posix));
    std::string bytes;
    {
        std::ifstream in(posix, std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        bytes = all.str();
    }
    size_t sos = bytes.find("\xFF\xDA");
    ASSERT_NE(std::string::npos, sos);
    int components = (unsigned char)bytes[sos + 4];
    for (int c = 0; c < components; c++)
        bytes[sos + 6 + 2 * c] = 0x33;
    std::ofstream(posix, std::ios::binary) << bytes;
}

void BrowserTest::SetUp()
{
    AlbumDatabase::SetUp();
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP, 0, 0, 700, 520, nullptr,
                              nullptr));
    browser.reset(new CDlgImgBrowser(&host));
    ASSERT_TRUE(browser->Create(IDD_IMG_BROWSER_POPUP, &host));
    browser->SetWindowPos(nullptr, 0, 0, 700, 520, SWP_NOZORDER | SWP_SHOWWINDOW);
    mivo::test::PumpUntilIdle();
}

void BrowserTest::TearDown()
{
    if (browser && browser->GetSafeHwnd())
        browser->DestroyWindow();
    browser.reset();
    if (host.GetSafeHwnd())
        host.DestroyWindow();
    theApp.m_arrClipPaths.RemoveAll();
    theApp.m_arrClipKinds.RemoveAll();
    theApp.m_arrClipMove.RemoveAll();
    mivo::test::PumpUntilIdle();
}

CString BrowserTest::MakeFolder(const char* name)
{
    CString path = CString(data.windowsPath().c_str()) + name;
    ::CreateDirectoryA(path, nullptr);
    return path + "\\";
}

void BrowserTest::WritePicture(const CString& path, int width, int height, COLORREF colour)
{
    CImageObject maker;
    std::unique_ptr<CImageObject> picture(maker.MakeBlankImageObject(colour, width, height));
    ASSERT_TRUE(picture);
    ASSERT_TRUE(picture->Save(path)) << (LPCSTR)path;
}

void BrowserTest::WriteBytes(const CString& path, const std::string& bytes)
{
    FILE* f = mivo::FOpen(path, "wb");
    ASSERT_TRUE(f);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

void BrowserTest::List(const CString& folder)
{
    browser->ListFolder(folder, TRUE);
    WaitForLoader();
}

void BrowserTest::WaitForLoader()
{
    mivo::test::PumpUntil([] { return theApp.m_bThumbThreadDone.load() == 1; });
    mivo::test::PumpUntilIdle();
}

std::string BrowserTest::Names() const
{
    std::string names;
    for (int i = 0; i < browser->m_nItemCount; i++) {
        if (!names.empty())
            names += ",";
        std::string name = (LPCSTR)browser->m_arrName[i];
        names += browser->m_arrIsFolder[i] ? "<" + name + ">" : name;
    }
    return names;
}

std::string BrowserTest::Selected() const
{
    std::string text;
    for (int i = 0; i < browser->m_nItemCount; i++) {
        if (!browser->m_arrSelected[i])
            continue;
        if (!text.empty())
            text += ",";
        text += std::to_string(i);
    }
    return text;
}

CPoint BrowserTest::CellPoint(int i) const
{
    CRect cell = View().Grid().CellRect(i);
    CPoint scroll = View().GetScrollPosition();
    return CPoint(cell.CenterPoint().x - scroll.x, cell.top + 30 - scroll.y);
}

}  // namespace browsertest
