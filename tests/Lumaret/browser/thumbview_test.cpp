// The thumbnail view: selection by clicks, keys and the band; the status texts; the loader with
// the thumbnail cache, stopping and restarting, closing during a pass and undecodable files.
#include "BrowserFixture.h"

#include "album/ThumbnailCache.h"
#include "image/ImageObject.h"
#include "mivo/paths.h"
#include "mivo/testing/input.h"
#include "shell/MainApp.h"
#include "support/InputSynth.h"
#include "support/MessageLoop.h"

#include <sys/stat.h>
#include <utime.h>

#include <fstream>
#include <functional>
#include <sstream>

using browsertest::BrowserTest;
using namespace mivo::test;

namespace {

class ThumbView : public BrowserTest {
public:
    // "..", one sub-folder and `files` pictures.
    void ListPictures(int files, int width = 64, int height = 48)
    {
        folder = MakeFolder("사진");
        ::CreateDirectoryA(folder + "하위", nullptr);
        for (int i = 0; i < files; i++) {
            CString name;
            name.Format("%03d.jpg", i);
            WritePicture(folder + name, width, height);
        }
        List(folder);
        ASSERT_EQ(files + 2, browser->m_nItemCount);
    }
    // Injects a whole click (down and up queued before the loop runs, as the band's loop needs)
    // at item i, with keys held; each click lands on another spot, so none makes a double click.
    void Press(int item, bool shift = false, bool ctrl = false)
    {
        CPoint at = CellPoint(item);
        at.x += (clicks++ % 4) * 9 - 14;
        POINT screen = at;
        ::ClientToScreen(ViewWnd(), &screen);
        if (shift)
            mivo::InjectKey(VK_SHIFT, true);
        if (ctrl)
            mivo::InjectKey(VK_CONTROL, true);
        mivo::InjectMouseMove(screen);
        mivo::InjectMouseButton(screen, mivo::MouseButton::Left, true);
        mivo::InjectMouseButton(screen, mivo::MouseButton::Left, false);
        PumpUntilIdle();
        if (ctrl)
            mivo::InjectKey(VK_CONTROL, false);
        if (shift)
            mivo::InjectKey(VK_SHIFT, false);
        PumpUntilIdle();
    }
    // A key as the program's loop hands it over: through the windows' PreTranslateMessage.
    void Key(UINT vk, bool shift = false, bool ctrl = false)
    {
        ::SetFocus(ViewWnd());
        if (shift)
            mivo::InjectKey(VK_SHIFT, true);
        if (ctrl)
            mivo::InjectKey(VK_CONTROL, true);
        PumpUntilIdle();
        MSG msg = {ViewWnd(), WM_KEYDOWN, vk, 0};
        if (!AfxGetApp()->PreTranslateMessage(&msg))
            ::DispatchMessage(&msg);
        if (ctrl)
            mivo::InjectKey(VK_CONTROL, false);
        if (shift)
            mivo::InjectKey(VK_SHIFT, false);
        PumpUntilIdle();
    }
    void CtrlA() { Key('A', false, true); }
    // Drags a band in content coordinates from one point to the next ones, as the tracker does.
    void Band(CPoint from, std::initializer_list<CPoint> to)
    {
        View().m_ptTrackStart = from;
        View().m_rcTrackUnion = CRect(from, from);
        for (CPoint p : to) {
            CRect rect(from, p);
            View().SelectInTrackRect(&rect);
        }
    }
    CPoint InCell(int item, int dx = 20, int dy = 20) const
    {
        CRect cell = View().Grid().CellRect(item);
        return CPoint(cell.left + dx, cell.top + dy);
    }
    int Cols() const { return View().Grid().m_nCols; }

    CString folder;
    int clicks = 0;
};

// The colour of a loaded thumbnail's middle pixel; -1 without one.
COLORREF ThumbColour(CDlgImgBrowser& b, int i)
{
    auto* image = static_cast<CImageObject*>(b.m_arrThumb[i]);
    if (!b.m_arrThumbDone[i] || !image || !image->IsLoaded())
        return (COLORREF)-1;
    return image->GetPixelColor(image->GetWidth() / 2, image->GetHeight() / 2);
}

void SetFileTime(const CString& path, time_t when)
{
    std::string posix;
    ASSERT_TRUE(mivo::ToPosixPath(path, posix));
    struct utimbuf times = {when, when};
    ASSERT_EQ(0, ::utime(posix.c_str(), &times));
}

}  // namespace

TEST_F(ThumbView, ClicksAndKeysSelectAsTheTableSays)
{
    ListPictures(8);
    ASSERT_GE(Cols(), 3);
    struct Step {
        const char* what;
        std::function<void(ThumbView&)> act;
        const char* selected;
    } steps[] = {
        {"click 4", [](ThumbView& t) { t.Press(4); }, "4"},
        {"ctrl+click 6", [](ThumbView& t) { t.Press(6, false, true); }, "4,6"},
        {"shift+click 7 from the anchor", [](ThumbView& t) { t.Press(7, true); }, "4,5,6,7"},
        {"ctrl+click a selected item", [](ThumbView& t) { t.Press(5, false, true); }, "4,6,7"},
        {"click a folder", [](ThumbView& t) { t.Press(1); }, ""},
        {"click 5 then shift+home", [](ThumbView& t) { t.Press(5); t.Key(VK_HOME, true); }, "2,3,4,5"},
        {"home then left stays at 0", [](ThumbView& t) { t.Key(VK_HOME); t.Key(VK_LEFT); }, ""},
        {"end then right stays at the last", [](ThumbView& t) { t.Key(VK_END); t.Key(VK_RIGHT); }, "9"},
        {"shift+left twice", [](ThumbView& t) { t.Key(VK_LEFT, true); t.Key(VK_LEFT, true); }, "7,8,9"},
        {"ctrl+a selects every file", [](ThumbView& t) { t.CtrlA(); }, "2,3,4,5,6,7,8,9"},
    };
    for (auto& step : steps) {
        step.act(*this);
        EXPECT_EQ(step.selected, Selected()) << step.what;
    }
    EXPECT_EQ(8, View().m_nSelCount);
    EXPECT_STREQ("전체 10 , 8 이미지 선택", View().CountText());
}

TEST_F(ThumbView, TheBandSelectsWhatItCoversAndDropsWhatItNoLongerCovers)
{
    ListPictures(8);
    const int cols = Cols();
    ASSERT_GE(cols, 3);
    // Within one cell: nothing.
    Band(InCell(2), {InCell(2, 60, 60)});
    EXPECT_EQ("", Selected());
    // From item 2 to the cell below item 3: items of both rows and both columns, folders never.
    browser->m_arrSelected[3] = 1;  // selected before the band, inside its reach but not its end
    Band(InCell(1), {InCell(3 + cols + 2 * cols), InCell(2 + cols)});
    std::string expected = std::to_string(2) + "," + std::to_string(1 + cols) + "," + std::to_string(2 + cols);
    EXPECT_EQ(expected, Selected());
    // A band left of the view or above it reaches no item outside the list.
    Band(CPoint(-300, -300), {CPoint(-100, -50)});
    EXPECT_EQ(expected, Selected());
}

TEST_F(ThumbView, KeysDoubleClicksAndBandsOnAnEmptyListDoNothing)
{
    folder = MakeFolder("빈");
    browser->ListAlbum(999, TRUE);
    WaitForLoader();
    ASSERT_EQ(0, browser->m_nItemCount);
    Key(VK_END);
    Key(VK_DOWN, true);
    CPoint at = CellPoint(0);
    ::SendMessage(ViewWnd(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(at.x, at.y));
    Band(InCell(0), {InCell(5)});
    EXPECT_EQ("", Selected());
    EXPECT_STREQ("전체 0 , 0 이미지 선택", View().CountText());
    EXPECT_STREQ("선택된 이미지 크기 0 (KB)", View().SizeText());
}

TEST_F(ThumbView, ACurrentCachedThumbnailIsShownAndAChangedFileIsDecodedAgain)
{
    folder = MakeFolder("캐시");
    CString path = folder + "a.jpg";
    WritePicture(path, 800, 600, RGB(0, 0, 255));
    SetFileTime(path, 1000000000);  // 2001: older than any stored thumbnail
    {
        CImageObject maker;
        std::unique_ptr<CImageObject> red(maker.MakeBlankImageObject(RGB(255, 0, 0), 80, 60));
        ASSERT_EQ(1, CThumbnailCache().StoreThumbnail(path, red.get()));
    }
    List(folder);
    int item = browser->m_nFolderCount;
    COLORREF cached = ThumbColour(*browser, item);
    EXPECT_GT(GetRValue(cached), 240) << std::hex << cached;
    EXPECT_LT(GetBValue(cached), 20);
    EXPECT_STREQ("800 X 600 (", browser->m_arrLabel[item].Left(11));

    SetFileTime(path, time(nullptr) + 3600);
    List(folder);
    COLORREF decoded = ThumbColour(*browser, item);
    EXPECT_GT(GetBValue(decoded), 200) << std::hex << decoded;
    EXPECT_LT(GetRValue(decoded), 50);
    // Decoded from a large picture, it is stored for next time.
    EXPECT_EQ("1", db.scalar("select count(*) from ThumbImages"));
}

TEST_F(ThumbView, AStoppedPassResumesWithTheItemsItDidNotReach)
{
    ListPictures(40, 320, 240);
    browser->StartThumbnailThread();
    browser->StopThumbnailThread();
    int done = 0;
    for (int i = 0; i < browser->m_nItemCount; i++)
        done += browser->m_arrThumbDone[i];
    EXPECT_LE(done, 40);
    browser->StartThumbnailThread();
    WaitForLoader();
    for (int i = browser->m_nFolderCount; i < browser->m_nItemCount; i++)
        EXPECT_EQ(1u, browser->m_arrThumbDone[i]) << i;
}

TEST_F(ThumbView, ClosingTheWindowDuringALongPassEndsTheLoaderFirst)
{
    folder = MakeFolder("많이");
    // One picture copied 500 times: the pass is long and the copies cost nothing to make.
    WritePicture(folder + "000.jpg", 160, 120);
    std::string posix;
    ASSERT_TRUE(mivo::ToPosixPath(folder + "000.jpg", posix));
    std::ifstream in(posix, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    for (int i = 1; i < 500; i++) {
        CString name;
        name.Format("%03d.jpg", i);
        WriteBytes(folder + name, bytes.str());
    }
    browser->ListFolder(folder, TRUE);
    ASSERT_EQ(501, browser->m_nItemCount);
    browser->DestroyWindow();
    EXPECT_EQ(1, theApp.m_bThumbThreadDone.load());
    browser.reset();
}

TEST_F(ThumbView, AnUndecodableJpegShowsOneBoxAndStaysUnhandled)
{
    folder = MakeFolder("깨짐");
    WritePicture(folder + "bad.jpg", 64, 48);
    browsertest::MakeUndecodable(folder + "bad.jpg");
    WritePicture(folder + "good.jpg", 64, 48);

    browser->ListFolder(folder, TRUE);
    // The user-interface thread waits here while the loader may be raising its box.
    browser->StopThumbnailThread();
    browser->StartThumbnailThread();
    WaitForLoader();
    int bad = browser->m_arrName[browser->m_nFolderCount] == "bad.jpg" ? browser->m_nFolderCount
                                                                      : browser->m_nFolderCount + 1;
    EXPECT_EQ(0u, browser->m_arrThumbDone[bad]);
    EXPECT_EQ(1u, browser->m_arrThumbDone[bad == browser->m_nFolderCount ? bad + 1 : bad - 1]);
    EXPECT_GE(boxes.shown().size(), 1u);
    EXPECT_LE(boxes.shown().size(), 2u);  // at most one per pass
}
