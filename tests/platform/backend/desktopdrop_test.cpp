// Drags between programs: files dragged from another program over a window with a drop target
// arrive as a dragged list ("0\t<path>\r" per file) and are always copied; a dragged list that
// leaves our windows goes on as the desktop's drag, as text and file URLs.
#include <gtest/gtest.h>

#include <mfc.h>

#include "mivo/testing/input.h"
#include "mivo/testing/native.h"
#include "support/MessageLoop.h"

#include <string>
#include <vector>

using namespace mivo::test;

namespace {

class RecordingTarget : public COleDropTarget {
public:
    DROPEFFECT OnDragEnter(CWnd*, COleDataObject* data, DWORD, CPoint point) override
    {
        entered++;
        at = point;
        return Text(data).empty() ? DROPEFFECT_NONE : DROPEFFECT_COPY | DROPEFFECT_MOVE;
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) override { return DROPEFFECT_COPY | DROPEFFECT_MOVE; }
    BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT effect, CPoint) override
    {
        dropped = Text(data);
        dropEffect = effect;
        return TRUE;
    }
    static std::string Text(COleDataObject* data)
    {
        HGLOBAL block = data->GetGlobalData(CF_TEXT);
        if (!block)
            return std::string();
        std::string text = static_cast<const char*>(::GlobalLock(block));
        ::GlobalUnlock(block);
        ::GlobalFree(block);
        return text;
    }

    int entered = 0;
    CPoint at;
    std::string dropped;
    DROPEFFECT dropEffect = DROPEFFECT_NONE;
};

}  // namespace

TEST(DesktopDrops, FilesFromAnotherProgramReachTheTargetAsADraggedList)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "drops", WS_POPUP | WS_VISIBLE, 40, 50, 200, 150, nullptr,
                             nullptr));
    PumpUntilIdle();
    RecordingTarget target;
    ASSERT_TRUE(target.Register(&wnd));

    std::vector<std::string> urls = {"file:///tmp/a%20b.jpg", "https://example.com/c.jpg", "file:///tmp/d.jpg"};
    EXPECT_TRUE(mivo::SimulateNativeFileDrop(wnd.m_hWnd, POINT{30, 40}, urls, false));
    EXPECT_EQ(1, target.entered);
    EXPECT_EQ(CPoint(30, 40), target.at);
    EXPECT_TRUE(mivo::SimulateNativeFileDrop(wnd.m_hWnd, POINT{30, 40}, urls, true));
    EXPECT_EQ("0\tC:\\tmp\\a b.jpg\r0\tC:\\tmp\\d.jpg\r", target.dropped);
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_COPY, target.dropEffect);

    // Nothing usable is refused before any target hears of it.
    EXPECT_FALSE(mivo::SimulateNativeFileDrop(wnd.m_hWnd, POINT{30, 40}, {"https://example.com/x.jpg"}, false));
    target.Revoke();
    wnd.DestroyWindow();
}

TEST(DesktopDrops, ADraggedListLeavingOurWindowsGoesToTheDesktopAsTextAndFileUrls)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "source", WS_POPUP | WS_VISIBLE, 10, 10, 100, 80, nullptr,
                             nullptr));
    PumpUntilIdle();
    std::vector<mivo::RecordedDesktopDrag> drags;
    mivo::RecordDesktopDrags([&](const mivo::RecordedDesktopDrag& drag) {
        drags.push_back(drag);
        return (DWORD)DROPEFFECT_COPY;
    });
    const char text[] = "0\tC:\\tmp\\a b.jpg\r105\tC:\\tmp\\c.jpg\r";
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, sizeof text);
    memcpy(::GlobalLock(block), text, sizeof text);
    ::GlobalUnlock(block);
    COleDataSource source;
    source.CacheGlobalData(CF_TEXT, block);
    // Once the loop holds the mouse: inside the window first, then far outside every window
    // (and Escape, so a loop that stayed would end rather than hang).
    mivo::InjectMouseButton(POINT{40, 40}, mivo::MouseButton::Left, true);
    UINT_PTR timer = ::SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        mivo::InjectMouseMove(POINT{50, 50});
        mivo::InjectMouseMove(POINT{600, 500});
        mivo::InjectKey(VK_ESCAPE, true);
    });
    DROPEFFECT effect = source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    ::KillTimer(nullptr, timer);
    mivo::InjectKey(VK_ESCAPE, false);
    mivo::RecordDesktopDrags(nullptr);
    mivo::InjectMouseButton(POINT{600, 500}, mivo::MouseButton::Left, false);
    PumpUntilIdle();

    EXPECT_EQ((DROPEFFECT)DROPEFFECT_COPY, effect);
    ASSERT_EQ(1u, drags.size());
    EXPECT_EQ("0\tC:\\tmp\\a b.jpg\r105\tC:\\tmp\\c.jpg\r", drags[0].text);
    EXPECT_EQ((std::vector<std::string>{"file:///tmp/a%20b.jpg", "file:///tmp/c.jpg"}), drags[0].urls);
    wnd.DestroyWindow();
}
