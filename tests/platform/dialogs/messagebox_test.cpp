// Message boxes: answered through the test hook (also from a worker thread)
// and shown as real dialogs that run on the thread of the user interface.
#include <gtest/gtest.h>

#include <win32.h>

#include "support/DialogDriver.h"
#include "support/MessageBoxCapture.h"
#include "support/MessageLoop.h"
#include "mivo/testing/msgbox.h"

#include <atomic>
#include <functional>
#include <thread>

using namespace mivo::test;

namespace {

// An owner window that hands each idle moment of a modal loop to a step.
class BoxOwner {
public:
    BoxOwner()
    {
        static bool registered = [] {
            WNDCLASS wc = {};
            wc.lpfnWndProc = Proc;
            wc.lpszClassName = "MivoTestBoxOwner";
            return RegisterClass(&wc) != 0;
        }();
        (void)registered;
        hwnd = CreateWindow("MivoTestBoxOwner", "주 창", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 500, 400, nullptr,
                            nullptr, nullptr, nullptr);
        SetWindowLongPtr(hwnd, GWLP_USERDATA, (LONG_PTR)this);
    }
    ~BoxOwner() { DestroyWindow(hwnd); }

    HWND hwnd;
    std::function<void(HWND box)> onIdle;

private:
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        auto* self = (BoxOwner*)GetWindowLongPtr(h, GWLP_USERDATA);
        if (msg == WM_ENTERIDLE && self && self->onIdle)
            self->onIdle((HWND)lParam);
        return DefWindowProc(h, msg, wParam, lParam);
    }
};

struct RealBoxes {
    RealBoxes() { mivo::ShowMessageBoxesWithoutScreen(true); }
    ~RealBoxes() { mivo::ShowMessageBoxesWithoutScreen(false); }
};

std::string ItemText(HWND dlg, int id)
{
    char text[256] = {};
    GetDlgItemText(dlg, id, text, sizeof(text));
    return text;
}

}  // namespace

TEST(MessageBoxHook, AnswersAndRecordsBoxes)
{
    mivotest::MessageBoxCapture capture(IDNO);
    EXPECT_EQ(MessageBox(nullptr, "저장하지 않은 내용이 있습니다.", "알림", MB_YESNO | MB_ICONQUESTION), IDNO);
    ASSERT_EQ(capture.shown().size(), 1u);
    EXPECT_EQ(capture.shown()[0].text, "저장하지 않은 내용이 있습니다.");
    EXPECT_EQ(capture.shown()[0].caption, "알림");
    EXPECT_EQ(capture.shown()[0].type, (UINT)(MB_YESNO | MB_ICONQUESTION));
}

TEST(MessageBoxHook, AnswersABoxRaisedOnAWorkerThread)
{
    mivotest::MessageBoxCapture capture(IDRETRY);
    std::atomic<int> answer{0};
    std::thread worker([&] { answer = MessageBox(nullptr, "연결 실패", nullptr, MB_RETRYCANCEL); });
    worker.join();
    EXPECT_EQ(answer, IDRETRY);
    ASSERT_EQ(capture.shown().size(), 1u);
    EXPECT_EQ(capture.shown()[0].caption, "오류") << "a box without a caption is titled as an error";
}

TEST(MessageBoxDialog, WorkerBoxRunsOnTheInterfaceThreadAndTakesAMnemonic)
{
    RealBoxes real;
    BoxOwner owner;
    DWORD uiThread = GetCurrentThreadId();
    DWORD boxThread = 0;
    std::string text, caption, yes;
    LRESULT defId = 0;
    bool ownerDisabled = false;
    owner.onIdle = [&](HWND box) {
        if (!boxThread) {
            boxThread = GetWindowThreadProcessId(box, nullptr);
            char c[64] = {};
            GetWindowText(box, c, sizeof(c));
            caption = c;
            text = ItemText(box, 0xFFFF);
            yes = ItemText(box, IDYES);
            defId = SendMessage(box, DM_GETDEFID, 0, 0);
            ownerDisabled = !IsWindowEnabled(owner.hwnd);
            QueueText("y");
        }
    };
    std::atomic<int> answer{0};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        answer = MessageBox(owner.hwnd, "사진을 지울까요?", "사진 삭제", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
        done = true;
    });
    EXPECT_TRUE(PumpUntil([&] { return done.load(); }));
    worker.join();
    EXPECT_EQ(answer, IDYES);
    EXPECT_EQ(boxThread, uiThread) << "the box ran on the owner's thread while the worker waited";
    EXPECT_EQ(caption, "사진 삭제");
    EXPECT_EQ(text, "사진을 지울까요?");
    EXPECT_EQ(yes, "예(&Y)");
    EXPECT_EQ(defId, MAKELRESULT(IDNO, DC_HASDEFID)) << "MB_DEFBUTTON2 makes the second button the default";
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd));
}

TEST(MessageBoxDialog, EnterAndEscapeAnswerAsWindowsDoes)
{
    RealBoxes real;
    BoxOwner owner;
    struct Case {
        UINT type;
        std::vector<UINT> keys;
        int answer;
    } cases[] = {
        {MB_OKCANCEL | MB_DEFBUTTON2, {VK_RETURN}, IDCANCEL},
        {MB_OK | MB_ICONHAND, {VK_ESCAPE}, IDOK},
        {MB_YESNOCANCEL, {VK_ESCAPE}, IDCANCEL},
        // A yes-or-no box cannot be escaped; the Tab key then reaches "No".
        {MB_YESNO, {VK_ESCAPE, VK_TAB, VK_RETURN}, IDNO},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3 | MB_ICONEXCLAMATION, {VK_RETURN}, IDIGNORE},
    };
    for (const Case& c : cases) {
        size_t step = 0;
        owner.onIdle = [&](HWND) {
            if (step < c.keys.size())
                QueueKey(c.keys[step++]);
        };
        EXPECT_EQ(MessageBox(owner.hwnd, "확인해 주십시오.\n두 번째 줄", "질문", c.type), c.answer) << c.type;
    }
}

// A lone carriage return breaks the line, as the folder tree's report of moved files expects.
TEST(MessageBoxDialog, ALoneCarriageReturnBreaksTheLine)
{
    RealBoxes real;
    BoxOwner owner;
    auto textHeight = [&](const char* text) {
        int height = 0;
        owner.onIdle = [&](HWND box) {
            if (height)
                return;
            RECT r;
            GetWindowRect(GetDlgItem(box, 0xFFFF), &r);
            height = r.bottom - r.top;
            QueueKey(VK_RETURN);
        };
        MessageBox(owner.hwnd, text, "폴더", MB_OK);
        return height;
    };
    int one = textHeight("2 파일을 M:\\앨범\\ 폴더로 이동했습니다.");
    int three = textHeight("2 파일을 \rM:\\앨범\\ 폴더로 \r이동했습니다.");
    ASSERT_GT(one, 0);
    EXPECT_EQ(three, textHeight("2 파일을 \r\nM:\\앨범\\ 폴더로 \r\n이동했습니다."));
    EXPECT_GE(three, one * 5 / 2);
}

TEST(MessageBoxDialog, WithoutAScreenTheDefaultButtonAnswers)
{
    // Unseen whether or not a display is there, so the test never waits for a click.
    struct Unseen {
        Unseen() { mivo::AnswerMessageBoxesUnseen(true); }
        ~Unseen() { mivo::AnswerMessageBoxesUnseen(false); }
    } unseen;
    EXPECT_EQ(MessageBox(nullptr, "아무도 볼 수 없음", "알림", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(MessageBox(nullptr, "아무도 볼 수 없음", "알림", MB_OKCANCEL), IDOK);
}
