// The main dialog before it is shown: the notice, the grid filled from the list, the cache
// refreshed, and the messages of an empty list and of an unreachable server.
#include <gtest/gtest.h>

#include "DlgSiteSelect.h"
#include "KestruneTestSupport.h"
#include "SiteListView.h"
#include "support/DialogDriver.h"
#include "support/MessageBoxCapture.h"
#include "support/WindowCapture.h"
#include "support/WebDatabaseSeed.h"

#include "image/ImageObject.h"

using kestrunetest::DataFolder;
using kestrunetest::Exists;
using kestrunetest::MappedStub;

namespace {

struct Seen {
    std::string notice;
    int sites = -1;
    std::vector<bool> pictures;
    bool visibleWhileLoading = true;
    CRect view;
    CRect notic;
};

// Runs the dialog on `dataDir` until its first idle moment and notes what it shows.
Seen RunDialog(const std::string& dataDir)
{
    Seen seen;
    mivo::test::ModalScript script;
    CDlgSiteSelect dialog(CWnd::FromHandle(script.Owner()));
    dialog.m_strServer = "127.0.0.1";
    dialog.m_strDataDir = dataDir.c_str();
    script.Then([&](HWND h) {
        char text[1024] = {};
        GetDlgItemText(h, IDC_SITE_NOTICE, text, sizeof text);
        seen.notice = text;
        CSiteListView* view = dialog.m_pSiteView;
        if (view) {
            seen.sites = view->GetSiteCount();
            for (int i = 0; i < view->GetSiteCount(); ++i)
                seen.pictures.push_back(view->m_arrPictures[i] != nullptr);
            view->GetWindowRect(&seen.view);
            EXPECT_EQ(IDC_SITE_VIEW, ::GetDlgCtrlID(view->m_hWnd));
            EXPECT_EQ(0xFFFFFFu, view->m_clrBk);
            EXPECT_FALSE(view->m_bFrameActivation);
        }
        GetWindowRect(GetDlgItem(h, IDC_SITE_NOTICE), &seen.notic);
        PostMessage(h, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    return seen;
}

}  // namespace

TEST(DlgSiteSelect, ShowsTheNoticeAndTheShownSitesWithTheirPictures)
{
    DataFolder data;
    MappedStub mapped;
    mivotest::SeedDemo(mapped.stub());
    mivotest::MessageBoxCapture boxes;
    Seen seen = RunDialog(data.dataDir());
    for (const auto& box : boxes.shown())
        ADD_FAILURE() << "message box: " << box.text;
    EXPECT_EQ(0u, seen.notice.find("\r\nMivo 온라인 인화 서비스를")) << seen.notice;
    EXPECT_NE(std::string::npos, seen.notice.find("\r\n\r\n  주문 & 배송: 평일")) << "blank lines and '&' survive";
    ASSERT_EQ(7, seen.sites) << "the hidden site is left out";
    // The fifth site's picture is missing on the server: an empty frame.
    EXPECT_EQ(std::vector<bool>({true, true, true, true, false, true, true}), seen.pictures);
    EXPECT_TRUE(Exists(data.posix("MivoOrderNet.exe")));
    EXPECT_FALSE(Exists(data.temp("hidden.jpg")));
    EXPECT_FALSE(Exists(data.temp("lost.jpg")));
    EXPECT_LT(seen.view.bottom, seen.notic.top) << "the grid above the notice";
}

TEST(DlgSiteSelect, AnEmptyListSaysSoAndTheDialogStaysOpen)
{
    DataFolder data;
    MappedStub mapped;
    mivotest::MessageBoxCapture boxes;
    Seen seen = RunDialog(data.dataDir());
    ASSERT_EQ(1u, boxes.shown().size());
    EXPECT_EQ("제휴 사이트 정보가 없습니다.", boxes.shown()[0].text);
    EXPECT_EQ("\r\n", seen.notice);
    EXPECT_EQ(0, seen.sites);
}

TEST(DlgSiteSelect, AnUnreachableServerIsReportedThenTheEmptyList)
{
    DataFolder data;
    MappedStub mapped(kestrunetest::ClosedPort());
    mivotest::MessageBoxCapture boxes;
    Seen seen = RunDialog(data.dataDir());
    auto shown = boxes.shown();
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ("웹 사이트 접속중 오류가 발생하였습니다.(0)", shown.front().text);
    EXPECT_EQ("제휴 사이트 정보가 없습니다.", shown.back().text);
    EXPECT_EQ(0, seen.sites);
}

TEST(DlgSiteSelect, TheChooserNeverMakesTheTempFolder)
{
    mivotest::TempFolder bare("mivo-kestrune-bare");
    MappedStub mapped;
    mivotest::SeedDemo(mapped.stub());
    mivotest::MessageBoxCapture boxes;
    Seen seen = RunDialog(bare.windowsPath());
    EXPECT_EQ(7, seen.sites);
    EXPECT_FALSE(Exists(bare.file("Temp")));
    EXPECT_EQ(std::vector<bool>(7, false), seen.pictures);
}

// The grid stands where the empty placeholder was: the placeholder is gone (it
// would paint over the grid), Tab reaches the grid after 닫기, and the grid
// shows a dotted focus frame while it has the keyboard.
TEST(DlgSiteSelect, TheGridTakesThePlaceholdersPlaceInTheTabOrderAndShowsItsFocus)
{
    DataFolder data;
    MappedStub mapped;
    mivotest::SeedDemo(mapped.stub());
    mivotest::MessageBoxCapture boxes;
    mivo::test::ModalScript script;
    CDlgSiteSelect dialog(CWnd::FromHandle(script.Owner()));
    dialog.m_strServer = "127.0.0.1";
    dialog.m_strDataDir = data.dataDir().c_str();
    std::vector<int> focused;
    // The second row of the grid's client area, just inside its border.
    auto frameRow = [&](HWND view) {
        ::UpdateWindow(view);
        mivo::test::WindowImage image = mivo::test::CaptureWindow(view, true);
        std::vector<COLORREF> row;
        for (int x = 1; x + 1 < image.width; ++x)
            row.push_back(image.At(x, 1));
        return row;
    };
    std::vector<COLORREF> unfocused, withFocus;
    script.Then([&](HWND h) {
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(h, IDC_SITE_PLACE)));
        EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(h, IDC_SITE_VIEW)));
        ::SetFocus(::GetDlgItem(h, IDC_SITE_TAB));
        unfocused = frameRow(::GetDlgItem(h, IDC_SITE_VIEW));
        mivo::test::QueueKey(VK_TAB);
    });
    for (int i = 0; i < 3; ++i)
        script.Then([&](HWND h) {
            focused.push_back(::GetDlgCtrlID(::GetFocus()));
            if (::GetFocus() == ::GetDlgItem(h, IDC_SITE_VIEW))
                withFocus = frameRow(::GetFocus());
            mivo::test::QueueKey(VK_TAB);
        });
    script.Then([&](HWND h) { ::PostMessage(h, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(std::vector<int>({IDCANCEL, IDC_SITE_VIEW, IDC_SITE_NOTICE}), focused);
    ASSERT_EQ(unfocused.size(), withFocus.size());
    size_t changed = 0;
    for (size_t x = 0; x < unfocused.size(); ++x)
        changed += unfocused[x] != withFocus[x];
    EXPECT_GT(changed, unfocused.size() / 4) << "a dotted frame along the top while the grid has the focus";
}
