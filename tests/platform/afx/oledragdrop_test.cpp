// In-process OLE drag and drop: a drag from one window to a registered target
// in another, with the key state, leaving, Escape and revoked targets.
#include <gtest/gtest.h>

#include <mfc.h>

#include "support/GeometryPrinters.h"
#include "support/InputSynth.h"
#include "support/MessageLoop.h"

#include <cstring>
#include <string>
#include <vector>

using namespace mivo::test;

namespace {

// Answers as the program's tree targets do: move with Shift, else copy.
class CRecordingTarget : public COleDropTarget {
public:
    struct Event {
        std::string kind;
        DWORD keys;
        CPoint point;
    };
    std::vector<Event> events;
    std::string dropped;
    bool copyWasOwnBlock = true;
    DROPEFFECT dropEffect = DROPEFFECT_NONE;
    BOOL accept = TRUE;

    DROPEFFECT OnDragEnter(CWnd*, COleDataObject* data, DWORD keys, CPoint point) override
    {
        events.push_back({"enter", keys, point});
        return accept && data->IsDataAvailable(CF_TEXT) ? Answer(keys) : DROPEFFECT_NONE;
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD keys, CPoint point) override
    {
        events.push_back({"over", keys, point});
        return accept ? Answer(keys) : DROPEFFECT_NONE;
    }
    void OnDragLeave(CWnd*) override { events.push_back({"leave", 0, CPoint(0, 0)}); }
    BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT effect, CPoint point) override
    {
        events.push_back({"drop", 0, point});
        dropEffect = effect;
        HGLOBAL block = data->GetGlobalData(CF_TEXT);
        if (!block)
            return FALSE;
        const char* text = (const char*)::GlobalLock(block);
        dropped.assign(text, ::GlobalSize(block));
        ::GlobalUnlock(block);
        ::GlobalFree(block);
        return TRUE;
    }
    std::string Kinds() const
    {
        std::string all;
        for (const Event& e : events) {
            if (!all.empty() && all.size() >= e.kind.size() && all.compare(all.size() - e.kind.size(), e.kind.size(), e.kind) == 0)
                continue;  // "over over over" reads as one
            all += all.empty() ? e.kind : " " + e.kind;
        }
        return all;
    }

private:
    static DROPEFFECT Answer(DWORD keys) { return (keys & MK_SHIFT) ? DROPEFFECT_MOVE : DROPEFFECT_COPY; }
};

class OleDragDropTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AfxOleInit());
        LPCSTR cls = AfxRegisterWndClass(0);
        ASSERT_TRUE(source.CreateEx(0, cls, "source", WS_POPUP | WS_VISIBLE, 0, 0, 200, 150, nullptr, nullptr));
        ASSERT_TRUE(target.CreateEx(0, cls, "target", WS_POPUP | WS_VISIBLE, 300, 0, 200, 150, nullptr, nullptr));
        ASSERT_TRUE(inner.Create(cls, "inner", WS_CHILD | WS_VISIBLE, CRect(100, 80, 180, 140), &target, 5));
        source.SetForegroundWindow();
        source.SetFocus();
        ASSERT_TRUE(drop.Register(&target));
        PumpUntilIdle();
    }
    void TearDown() override
    {
        EXPECT_EQ(nullptr, ::GetCapture());
        drop.Revoke();
        inner.DestroyWindow();
        target.DestroyWindow();
        source.DestroyWindow();
        ::CoUninitialize();
    }

    // The button goes down in the source; the rest waits in the queue for the drag loop.
    void PressInSource()
    {
        mivo::InjectMouseMove(POINT{50, 50});
        mivo::InjectMouseButton(POINT{50, 50}, mivo::MouseButton::Left, true);
        PumpUntilIdle();
    }
    static void QueueMove(int x, int y) { mivo::InjectMouseMove(POINT{x, y}); }
    static void QueueRelease(int x, int y) { mivo::InjectMouseButton(POINT{x, y}, mivo::MouseButton::Left, false); }

    static DROPEFFECT DragText(const std::string& text, DWORD effects = DROPEFFECT_COPY | DROPEFFECT_MOVE)
    {
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        std::memcpy(::GlobalLock(block), text.c_str(), text.size() + 1);
        ::GlobalUnlock(block);
        COleDataSource data;
        data.CacheGlobalData(CF_TEXT, block);
        return data.DoDragDrop(effects);
    }

    CWnd source, target, inner;
    CRecordingTarget drop;
};

}  // namespace

TEST_F(OleDragDropTest, DropDeliversTheTextAndTheKeyState)
{
    const std::string text = "0\tC:\\사진\\바다.jpg\r\n";
    struct Case {
        bool shift;
        DROPEFFECT expected;
    } cases[] = {{false, DROPEFFECT_COPY}, {true, DROPEFFECT_MOVE}};
    for (const Case& c : cases) {
        drop.events.clear();
        PressInSource();
        if (c.shift)
            mivo::InjectKey(VK_SHIFT, true);
        QueueMove(120, 60);
        QueueMove(350, 40);
        QueueMove(420, 110);  // over the child: the target is found up its parents
        QueueRelease(420, 110);
        EXPECT_EQ(c.expected, DragText(text)) << c.shift;
        if (c.shift)
            mivo::InjectKey(VK_SHIFT, false);
        PumpUntilIdle();

        EXPECT_EQ("enter over drop", drop.Kinds()) << c.shift;
        EXPECT_EQ(std::string(text.c_str(), text.size() + 1), drop.dropped);  // CP949 bytes as they were
        EXPECT_EQ(c.expected, drop.dropEffect);
        ASSERT_GE(drop.events.size(), 3u);
        EXPECT_EQ(CPoint(50, 40), drop.events[0].point);  // client coordinates of the target
        EXPECT_EQ(CPoint(120, 110), drop.events.back().point);
        for (size_t i = 0; i + 1 < drop.events.size(); ++i) {
            EXPECT_TRUE(drop.events[i].keys & MK_LBUTTON) << i;
            EXPECT_EQ(c.shift, (drop.events[i].keys & MK_SHIFT) != 0) << i;
        }
    }
}

// A group box lies above the controls it frames and lets the mouse through (HTTRANSPARENT):
// a drop over a control inside it reaches the control's target, not the window's.
TEST_F(OleDragDropTest, DropReachesAControlInsideAGroupBox)
{
    CButton group;
    ASSERT_TRUE(group.Create("묶음", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(90, 60, 195, 148), &target, 6));
    group.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CRecordingTarget innerDrop;
    ASSERT_TRUE(innerDrop.Register(&inner));
    PumpUntilIdle();
    PressInSource();
    QueueMove(350, 40);
    QueueMove(420, 110);
    QueueRelease(420, 110);
    EXPECT_EQ(DROPEFFECT_COPY, DragText("바다.jpg"));
    PumpUntilIdle();
    EXPECT_EQ(std::string("바다.jpg", sizeof("바다.jpg")), innerDrop.dropped);
    EXPECT_TRUE(drop.dropped.empty()) << drop.Kinds();
    innerDrop.Revoke();
    group.DestroyWindow();
}

TEST_F(OleDragDropTest, LeavingTheTargetCallsOnDragLeave)
{
    PressInSource();
    QueueMove(350, 40);
    QueueMove(420, 110);
    QueueMove(100, 100);  // back over the source, which takes nothing
    QueueRelease(100, 100);
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, DragText("x"));
    EXPECT_EQ("enter over leave", drop.Kinds());
    EXPECT_TRUE(drop.dropped.empty());
}

TEST_F(OleDragDropTest, EscapeEndsWithNoEffect)
{
    PressInSource();
    QueueMove(350, 40);
    mivo::InjectKey(VK_ESCAPE, true);
    mivo::InjectKey(VK_ESCAPE, false);
    QueueRelease(360, 50);  // after the end: the drop never happens
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, DragText("x"));
    PumpUntilIdle();
    EXPECT_EQ("enter leave", drop.Kinds());
    EXPECT_TRUE(drop.dropped.empty());
}

TEST_F(OleDragDropTest, RefusedOrRevokedTargetsTakeNothing)
{
    drop.accept = FALSE;
    PressInSource();
    QueueMove(350, 40);
    QueueRelease(350, 40);
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, DragText("x"));
    EXPECT_EQ("enter leave", drop.Kinds());

    drop.accept = TRUE;
    drop.events.clear();
    drop.Revoke();
    PressInSource();
    QueueMove(350, 40);
    QueueRelease(350, 40);
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, DragText("x"));
    EXPECT_TRUE(drop.events.empty());
    EXPECT_TRUE(drop.Register(&target));
    EXPECT_FALSE(drop.Register(&target));  // once only
}

TEST_F(OleDragDropTest, AnEffectTheSourceDoesNotAllowIsRefused)
{
    PressInSource();
    QueueMove(350, 40);
    QueueRelease(350, 40);
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, DragText("x", DROPEFFECT_MOVE));
    EXPECT_TRUE(drop.dropped.empty());
}

TEST(OleBase, DropExAnswersMinusOneAndDataObjectsCopy)
{
    COleDropTarget base;
    EXPECT_EQ((DROPEFFECT)-1, base.OnDropEx(nullptr, nullptr, DROPEFFECT_COPY, DROPEFFECT_COPY, CPoint(0, 0)));
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, base.OnDragScroll(nullptr, 0, CPoint(0, 0)));

    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, 4);
    std::memcpy(::GlobalLock(block), "abc", 4);
    ::GlobalUnlock(block);
    COleDataSource source;
    source.CacheGlobalData(CF_TEXT, block);
    COleDataObject object;
    object.Attach(&source);
    EXPECT_TRUE(object.IsDataAvailable(CF_TEXT));
    EXPECT_FALSE(object.IsDataAvailable(CF_DIB));
    EXPECT_EQ(nullptr, object.GetGlobalData(CF_DIB));
    HGLOBAL copy = object.GetGlobalData(CF_TEXT);
    ASSERT_NE(nullptr, copy);
    EXPECT_NE(block, copy);
    EXPECT_STREQ("abc", (const char*)::GlobalLock(copy));
    ::GlobalUnlock(copy);
    ::GlobalFree(copy);
}

TEST(OleBase, InitialisationIsCountedPerThread)
{
    EXPECT_EQ(S_OK, ::CoInitialize(nullptr));
    EXPECT_EQ(S_FALSE, ::CoInitialize(nullptr));
    EXPECT_TRUE(AfxOleInit());
    AfxEnableControlContainer();
    ::CoUninitialize();
    ::CoUninitialize();
    ::CoUninitialize();
}
