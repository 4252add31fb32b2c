// Trackbars and progress bars.
#include "ControlFixture.h"

#include "support/InputSynth.h"
#include "support/MessageSequence.h"
#include "support/WindowCapture.h"

using namespace mivo::test;
using controls_test::ControlFixture;

namespace {

class TrackbarTest : public ControlFixture {
protected:
    // (message, code, position) of every scroll message the parent got.
    struct Scroll {
        UINT msg;
        int code;
        int pos;
        bool operator==(const Scroll& o) const { return msg == o.msg && code == o.code && pos == o.pos; }
    };
    std::vector<Scroll> Scrolls(bool withPos = true)
    {
        std::vector<Scroll> out;
        for (auto& m : recorder.All())
            if (m.hwnd == parent && (m.msg == WM_HSCROLL || m.msg == WM_VSCROLL))
                out.push_back({m.msg, (int)LOWORD(m.wParam), withPos ? (int)(short)HIWORD(m.wParam) : 0});
        return out;
    }
    std::vector<int> Codes()
    {
        std::vector<int> out;
        for (auto& s : Scrolls())
            out.push_back(s.code);
        return out;
    }
    static POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
    static RECT Thumb(HWND t)
    {
        RECT r = {};
        SendMessage(t, TBM_GETTHUMBRECT, 0, (LPARAM)&r);
        return r;
    }
};

}  // namespace

TEST_F(TrackbarTest, ClassNameRangePositionPageAndTics)
{
    HWND t = Child(TRACKBAR_CLASS, "", TBS_AUTOTICKS, 10, 10, 200, 30, 800);
    char cls[32] = {};
    GetClassName(t, cls, sizeof(cls));
    EXPECT_STREQ(cls, "msctls_trackbar32");
    SendMessage(t, TBM_SETRANGE, TRUE, MAKELONG(3, 50));
    SendMessage(t, TBM_SETPOS, TRUE, 99);
    EXPECT_EQ(SendMessage(t, TBM_GETPOS, 0, 0), 50) << "positions stay in the range";
    SendMessage(t, TBM_SETPOS, TRUE, -5);
    EXPECT_EQ(SendMessage(t, TBM_GETPOS, 0, 0), 3);
    EXPECT_EQ(SendMessage(t, TBM_GETRANGEMIN, 0, 0), 3);
    EXPECT_EQ(SendMessage(t, TBM_GETRANGEMAX, 0, 0), 50);
    EXPECT_EQ(SendMessage(t, TBM_GETPAGESIZE, 0, 0), 9) << "a fifth of the range by default";
    EXPECT_EQ(SendMessage(t, TBM_SETPAGESIZE, 0, 20), 9);
    EXPECT_EQ(SendMessage(t, TBM_GETPAGESIZE, 0, 0), 20);

    SendMessage(t, TBM_SETTICFREQ, 10, 0);
    EXPECT_EQ(SendMessage(t, TBM_GETNUMTICS, 0, 0), 2 + 4) << "ends plus 13, 23, 33, 43";
    EXPECT_EQ(SendMessage(t, TBM_GETTIC, 0, 0), 13);
    EXPECT_EQ(SendMessage(t, TBM_GETTIC, 9, 0), -1);
    EXPECT_FALSE(SendMessage(t, TBM_SETTIC, 0, 51)) << "a tic outside the range";
    EXPECT_LT(SendMessage(t, TBM_GETTICPOS, 0, 0), SendMessage(t, TBM_GETTICPOS, 1, 0));

    HWND plain = Child(TRACKBAR_CLASS, "", TBS_NOTICKS, 10, 50, 200, 30, 801);
    EXPECT_EQ(SendMessage(plain, TBM_GETNUMTICS, 0, 0), 0);
}

TEST_F(TrackbarTest, DraggingTheThumbTracksThenEnds)
{
    HWND t = Child(TRACKBAR_CLASS, "", 0, 10, 10, 220, 30, 802);
    SendMessage(t, TBM_SETRANGE, TRUE, MAKELONG(0, 100));
    RECT channel = {};
    SendMessage(t, TBM_GETCHANNELRECT, 0, (LPARAM)&channel);
    POINT grab = Centre(Thumb(t));
    recorder.Clear();
    MouseDown(t, grab.x, grab.y);
    EXPECT_TRUE(Scrolls().empty()) << "pressing the thumb alone reports nothing";
    MouseMove(t, grab.x + 50, grab.y);
    MouseMove(t, grab.x + 100, grab.y + 20);  // off the bar: dragging goes on
    int dragged = (int)SendMessage(t, TBM_GETPOS, 0, 0);
    MouseUp(t, grab.x + 100, grab.y + 20);

    EXPECT_ORDER(recorder, parent, {
        {WM_HSCROLL, kSent | kWParamLow | kLParam, TB_THUMBTRACK, (LPARAM)t},
        {WM_HSCROLL, kSent | kWParamLow | kLParam, TB_THUMBTRACK, (LPARAM)t},
        {WM_HSCROLL, kSent | kWParamLow | kLParam, TB_THUMBPOSITION, (LPARAM)t},
        {WM_HSCROLL, kSent | kWParamLow | kLParam, SB_ENDSCROLL, (LPARAM)t},
    });
    auto s = Scrolls();
    ASSERT_EQ(s.size(), 4u);
    EXPECT_LT(s[0].pos, s[1].pos);
    EXPECT_EQ(s[1].pos, dragged);
    EXPECT_EQ(s[2], (Scroll{WM_HSCROLL, TB_THUMBPOSITION, dragged}));
    EXPECT_EQ(s[3].code, TB_ENDTRACK);
    EXPECT_GT(dragged, 40);
    EXPECT_EQ(GetCapture(), nullptr);

    // Dragging to the far end stops at the maximum.
    grab = Centre(Thumb(t));
    recorder.Clear();
    MouseDown(t, grab.x, grab.y);
    MouseMove(t, channel.right + 80, grab.y);
    MouseUp(t, channel.right + 80, grab.y);
    EXPECT_EQ(SendMessage(t, TBM_GETPOS, 0, 0), 100);
    EXPECT_EQ(Codes(), (std::vector<int>{TB_THUMBTRACK, TB_THUMBPOSITION, TB_ENDTRACK}));
}

TEST_F(TrackbarTest, ChannelClicksAndKeysStepThenEnd)
{
    HWND t = Child(TRACKBAR_CLASS, "", 0, 10, 10, 220, 30, 803);
    SendMessage(t, TBM_SETRANGE, TRUE, MAKELONG(0, 100));
    SendMessage(t, TBM_SETPOS, TRUE, 50);
    RECT thumb = Thumb(t);
    recorder.Clear();
    Click(t, thumb.right + 30, Centre(thumb).y);
    EXPECT_EQ(Codes(), (std::vector<int>{TB_PAGEDOWN, TB_ENDTRACK}));
    EXPECT_EQ(SendMessage(t, TBM_GETPOS, 0, 0), 70);
    EXPECT_EQ(GetFocus(), t);

    const struct {
        UINT vk;
        int code;
        int pos;
    } keys[] = {{VK_RIGHT, TB_LINEDOWN, 71}, {VK_LEFT, TB_LINEUP, 70}, {VK_PRIOR, TB_PAGEUP, 50},
                {VK_END, TB_BOTTOM, 100},   {VK_DOWN, TB_LINEDOWN, 100}, {VK_HOME, TB_TOP, 0}};
    for (auto& k : keys) {
        recorder.Clear();
        PressKey(k.vk);
        EXPECT_EQ(Codes(), (std::vector<int>{k.code, TB_ENDTRACK})) << "key " << k.vk;
        EXPECT_EQ(SendMessage(t, TBM_GETPOS, 0, 0), k.pos) << "key " << k.vk;
    }

    HWND v = Child(TRACKBAR_CLASS, "", TBS_VERT, 250, 10, 30, 200, 804);
    SetFocus(v);
    recorder.Clear();
    PressKey(VK_DOWN);
    auto s = Scrolls();
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].msg, (UINT)WM_VSCROLL) << "vertical bars report with WM_VSCROLL";
}

TEST_F(TrackbarTest, BackgroundComesFromTheParentsStaticColour)
{
    HBRUSH red = CreateSolidBrush(RGB(200, 0, 0));
    recorder.OnMessage(WM_CTLCOLORSTATIC, [&](HWND, UINT, WPARAM, LPARAM, LRESULT* r) {
        *r = (LRESULT)red;
        return true;
    });
    HWND t = Child(TRACKBAR_CLASS, "", 0, 10, 10, 200, 40, 805);
    UpdateWindow(t);
    PumpUntilIdle();
    WindowImage img = CaptureWindow(t, true);
    EXPECT_EQ(img.At(1, 1), RGB(200, 0, 0));
    EXPECT_EQ(img.At(img.width - 2, img.height - 2), RGB(200, 0, 0));
    RECT thumb = Thumb(t);
    EXPECT_NE(img.At((thumb.left + thumb.right) / 2, thumb.top + 3), RGB(200, 0, 0)) << "the thumb is drawn over it";
    DestroyWindow(t);
    DeleteObject(red);
}

TEST_F(TrackbarTest, ProgressRangePositionAndSteps)
{
    HWND p = Child(PROGRESS_CLASS, "", PBS_SMOOTH, 10, 10, 202, 20, 810);
    EXPECT_EQ(SendMessage(p, PBM_SETRANGE, 0, MAKELPARAM(0, 200)), MAKELONG(0, 100)) << "answers the old range";
    EXPECT_EQ(SendMessage(p, PBM_SETPOS, 250, 0), 0);
    EXPECT_EQ(SendMessage(p, PBM_GETPOS, 0, 0), 200) << "clamped";
    SendMessage(p, PBM_SETRANGE32, 0, 100);
    PBRANGE range = {};
    EXPECT_EQ(SendMessage(p, PBM_GETRANGE, TRUE, (LPARAM)&range), 0);
    EXPECT_EQ(range.iHigh, 100);
    SendMessage(p, PBM_SETPOS, 95, 0);
    SendMessage(p, PBM_SETSTEP, 10, 0);
    EXPECT_EQ(SendMessage(p, PBM_STEPIT, 0, 0), 95);
    EXPECT_LT(SendMessage(p, PBM_GETPOS, 0, 0), 95) << "stepping past the end starts over";
    SendMessage(p, PBM_DELTAPOS, (WPARAM)-1000, 0);
    EXPECT_EQ(SendMessage(p, PBM_GETPOS, 0, 0), 0);

    SendMessage(p, PBM_SETPOS, 50, 0);
    UpdateWindow(p);
    PumpUntilIdle();
    WindowImage img = CaptureWindow(p, true);
    EXPECT_EQ(img.At(img.width / 4, img.height / 2), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(img.At(img.width * 3 / 4, img.height / 2), GetSysColor(COLOR_3DFACE));
}
