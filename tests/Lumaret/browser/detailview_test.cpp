// The zoom view of the browser: its steps and commands, the status text, the keys it eats and
// the way back to the thumbnails.
#include "BrowserFixture.h"

#include "album/DlgConsoleBrowse.h"
#include "browser/ImgBrowserDetailView.h"
#include "image/ImageObject.h"
#include "resource.h"
#include "shell/MainApp.h"
#include "mivo/process.h"
#include "support/MessageLoop.h"

using browsertest::BrowserTest;

namespace {

class DetailView : public BrowserTest {
protected:
    CImgBrowserDetailView& Detail() const { return *browser->m_pDetailView; }
    // The folder pane's current file, shown in the zoom view.
    void ShowPicture(int width, int height)
    {
        CString folder = MakeFolder("zoom");
        WritePicture(folder + "z.jpg", width, height);
        pane.m_strCurPath = folder + "z.jpg";
        browser->m_pBrowsePane = &pane;
        browser->ShowDetail();
        mivo::test::PumpUntil([] { return !theApp.m_bBrowserLoading.load(); });
        mivo::test::PumpUntilIdle();
    }
    void TearDown() override
    {
        if (browser)
            browser->m_pBrowsePane = nullptr;
        BrowserTest::TearDown();
    }
    BOOL Key(UINT vk)
    {
        MSG msg = {Detail().GetSafeHwnd(), WM_KEYDOWN, vk, 0};
        return AfxGetApp()->PreTranslateMessage(&msg);
    }
    CDlgConsoleBrowse pane;
};

}  // namespace

TEST_F(DetailView, ZoomCommandsPickTheirStepAndTheStatusShowsIt)
{
    EXPECT_STREQ("", Detail().StatusText());
    ShowPicture(64, 48);
    ASSERT_TRUE(Detail().m_pImgObj);
    struct Case {
        UINT id;
        int ratio;
        const char* status;
    } cases[] = {
        {ID_BROWSER_ZOOM_FIRST + 4, 1000, "전체 W 64 x H 48 (100.0 %)"},
        {ID_BROWSER_ZOOM_LAST, 32000, "전체 W 64 x H 48 (3200.0 %)"},
        {ID_BROWSER_ZOOM_FIRST, 125, "전체 W 64 x H 48 (12.5 %)"},
        {ID_BROWSER_ZOOM_FIRST + 2, 333, "전체 W 64 x H 48 (33.3 %)"},
    };
    for (const Case& c : cases) {
        Detail().SendMessage(WM_COMMAND, c.id);
        EXPECT_EQ(c.ratio, Detail().GetZoomRatio()) << c.id;
        EXPECT_STREQ(c.status, Detail().StatusText()) << c.id;
    }
    Detail().SendMessage(WM_COMMAND, ID_BROWSER_ZOOM_IN);
    EXPECT_EQ(500, Detail().GetZoomRatio());
}

TEST_F(DetailView, ArrowsAreEatenAndEnterGoesBackToTheThumbnails)
{
    ShowPicture(64, 48);
    EXPECT_TRUE(Detail().IsWindowVisible());
    for (UINT vk : {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_END, VK_PRIOR, VK_NEXT})
        EXPECT_TRUE(Key(vk)) << vk;
    EXPECT_TRUE(Detail().IsWindowVisible());
    EXPECT_TRUE(Key(VK_RETURN));
    EXPECT_FALSE(Detail().IsWindowVisible());
    EXPECT_TRUE(browser->m_pThumbView->IsWindowVisible());
}

TEST_F(DetailView, TheSamePaneFileIsNotLoadedTwice)
{
    ShowPicture(64, 48);
    CImageObject* first = browser->m_pPreviewImage;
    browser->ShowThumbnails();
    browser->ShowDetail();
    mivo::test::PumpUntilIdle();
    EXPECT_EQ(first, browser->m_pPreviewImage);
    EXPECT_EQ(first, Detail().m_pImgObj);
}

TEST_F(DetailView, TheLinkedProgramGetsThePaneFileAsOneArgument)
{
    CString folder = MakeFolder("a b");
    pane.m_strCurPath = folder + "사진 1.jpg";
    browser->m_pBrowsePane = &pane;
    std::vector<std::vector<std::string>> starts;
    mivo::SetSpawnHook([&](const std::vector<std::string>& argv) {
        starts.push_back(argv);
        return true;
    });
    theApp.m_strLinkPrg = "/usr/bin/true";
    browser->m_pThumbView->SendMessage(WM_COMMAND, ID_BROWSER_LINKED_PROGRAM);
    theApp.m_strLinkPrg.Empty();
    browser->m_pThumbView->SendMessage(WM_COMMAND, ID_BROWSER_LINKED_PROGRAM);
    mivo::SetSpawnHook(nullptr);

    ASSERT_EQ(1u, starts.size());
    ASSERT_EQ(2u, starts[0].size());
    EXPECT_EQ("/usr/bin/true", starts[0][0]);
    // One argument, blanks and all; arguments leave the program as UTF-8.
    EXPECT_EQ(data.windowsPath() + u8"a b\\사진 1.jpg", starts[0][1]);
    ASSERT_EQ(1u, boxes.shown().size());
    EXPECT_EQ("외부 프로그램이 지정되지 않았습니다.\r\n메인 메뉴의 [보기]->[환경관리] 에서 외부편집기를 지정하십시요.",
              boxes.shown()[0].text);
}
