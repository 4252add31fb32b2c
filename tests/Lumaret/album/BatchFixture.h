// Running a batch dialog in a test: a data folder with the user database, pictures written by
// our encoder, the dialog made modeless under the program's main window, Start pressed and the
// loop run until the worker has ended; the worker's question boxes answered as they appear.
#pragma once

#include "AlbumFixture.h"

#include "album/DlgImgBatch.h"
#include "dialogs/DlgVXMsgBox.h"
#include "image/ImageObject.h"
#include "resource.h"
#include "support/MessageBoxCapture.h"
#include "support/MessageRecorder.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace batchtest {

// Answers the question boxes titled `title` in turn with the given button numbers (0 closes the
// box without a button) and records their texts. A thread timer looks for them, so they are
// answered from whichever loop runs: the box's own while the worker waits for it.
class BoxAnswerer {
public:
    BoxAnswerer(const char* title, std::vector<int> answers, std::function<void()> beforeAnswer = nullptr)
        : m_title(title), m_answers(std::move(answers)), m_before(std::move(beforeAnswer))
    {
        s_current = this;
        m_timer = ::SetTimer(nullptr, 0, 5, Tick);
    }
    ~BoxAnswerer()
    {
        ::KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    std::vector<std::string> asked;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_current)
            s_current->Look();
    }
    void Look()
    {
        HWND box = ::FindWindow(nullptr, m_title.c_str());
        if (!box || ::GetProp(box, "answered"))
            return;
        auto* dlg = dynamic_cast<CDlgVXMsgBox*>(CWnd::FromHandlePermanent(box));
        if (!dlg)
            return;
        ::SetProp(box, "answered", (HANDLE)1);
        asked.push_back((LPCSTR)dlg->m_strMessage);
        if (m_before)
            m_before();
        int answer = m_next < m_answers.size() ? m_answers[m_next++] : 0;
        if (answer == 0) {
            ::PostMessage(box, WM_CLOSE, 0, 0);
            return;
        }
        UINT id = CDlgVXMsgBox::ButtonControlId(answer);
        ::PostMessage(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(box, (int)id));
    }

    std::string m_title;
    std::vector<int> m_answers;
    std::function<void()> m_before;
    size_t m_next = 0;
    UINT_PTR m_timer = 0;
    static inline BoxAnswerer* s_current = nullptr;
};

class BatchTest : public albumtest::AlbumDatabase {
protected:
    void SetUp() override
    {
        AlbumDatabase::SetUp();
        ::mkdir(data.file("src").c_str(), 0700);
        ::mkdir(data.file("out").c_str(), 0700);
        // Question boxes of the worker belong to the program's main window, on this thread.
        owner.Attach(mivo::test::CreateTestWindow("main", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200));
        previousMain = AfxGetApp()->m_pMainWnd;
        AfxGetApp()->m_pMainWnd = &owner;
    }
    void TearDown() override
    {
        AfxGetApp()->m_pMainWnd = previousMain;
        ::DestroyWindow(owner.Detach());
        mivo::test::PumpUntilIdle();
    }

    // A one-colour picture written by our encoder; its program path.
    CString WritePicture(const std::string& name, int width = 24, int height = 16, COLORREF colour = RGB(200, 60, 30))
    {
        CImageObject maker;
        std::unique_ptr<CImageObject> picture(maker.MakeBlankImageObject(colour, width, height));
        CString path = ProgramPath(name);
        path.Replace('/', '\\');
        EXPECT_EQ(1, picture->Save(path));
        return path;
    }
    void WriteText(const std::string& name, const std::string& text)
    {
        std::ofstream(data.file(name), std::ios::binary) << text;
    }
    std::string Content(const std::string& name) const
    {
        std::ifstream in(data.file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool Exists(const std::string& name) const
    {
        struct stat st;
        return ::stat(data.file(name).c_str(), &st) == 0;
    }
    // The opener's part: the lists filled, one entry per file.
    static void AddFile(CDlgImgBatch& dlg, const CString& path)
    {
        dlg.m_arrSrcPath.Add(path);
        dlg.m_arrSrcName.Add(path.Mid(path.ReverseFind('\\') + 1));
        dlg.m_arrDstName.Add("");
        dlg.m_arrDstPath.Add("");
    }
    void Open(CDlgImgBatch& dlg, UINT templateId)
    {
        ASSERT_TRUE(dlg.Create(templateId, nullptr));
        recorder.Attach(dlg.m_hWnd);
    }
    // Presses "변환시작" and runs the loop until the worker has reported its end.
    bool Start(CDlgImgBatch& dlg, CDlgImgBatch::BatchKind kind)
    {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)dlg.GetDlgItem(IDOK)->m_hWnd);
        return mivo::test::PumpUntil([&] { return !CDlgImgBatch::IsRunning(kind); }, 60000);
    }
    // The worker's reports as "wParam:lParam", the image library's own left out.
    std::vector<std::string> Reports(HWND dlg) const
    {
        std::vector<std::string> out;
        for (const mivo::test::RecordedMessage& m : recorder.All())
            if (m.hwnd == dlg && m.msg == WM_IMAGE_DONE && m.wParam >= (WPARAM)kBatchFirstFile)
                out.push_back(std::to_string(m.wParam) + ":" + std::to_string(m.lParam));
        return out;
    }
    // Column 2 of every row, joined by ",".
    static std::string States(CDlgImgBatch& dlg)
    {
        std::string states;
        for (int item = 0; item < dlg.m_gridList.GetItemCount(); item++)
            states += (item ? "," : "") + std::string((LPCSTR)dlg.m_gridList.GetItemText(item, 2));
        return states;
    }
    static std::vector<std::string> Texts(const mivotest::MessageBoxCapture& boxes)
    {
        std::vector<std::string> texts;
        for (const mivotest::ShownMessageBox& box : boxes.shown())
            texts.push_back(box.text);
        return texts;
    }

    CWnd owner;
    CWnd* previousMain = nullptr;
    mivo::test::MessageRecorder recorder;
};

}  // namespace batchtest
