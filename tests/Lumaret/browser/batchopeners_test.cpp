// The thumbnail view's batch commands: the selected files go to the batch dialog, and after a run
// into their own folder the view lists the folder again with nothing selected.
#include "BrowserFixture.h"

#include "album/DlgImgBrowseFilter.h"
#include "print/DlgCart.h"
#include "print/DlgImgPrint.h"
#include "resource.h"
#include "support/MessageLoop.h"

using namespace browsertest;

namespace {

class BatchOpeners : public BrowserTest {};

// Drives the modal dialog from a thread timer: the dialog's own loop dispatches it.
struct FilterDriver {
    std::vector<std::string> paths, names;
    bool started = false, closed = false;
    UINT_PTR timer = 0;
    static inline FilterDriver* current = nullptr;

    FilterDriver()
    {
        current = this;
        timer = ::SetTimer(nullptr, 0, 10, Tick);
    }
    ~FilterDriver()
    {
        ::KillTimer(nullptr, timer);
        current = nullptr;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (current)
            current->Step();
    }
    void Step()
    {
        auto* dlg = dynamic_cast<CDlgImgBrowseFilter*>(CWnd::FromHandlePermanent(::FindWindow(nullptr, "필터 효과 일괄처리")));
        if (!dlg || closed)
            return;
        if (!started) {
            started = true;
            for (int i = 0; i < dlg->m_arrSrcPath.GetSize(); i++) {
                paths.push_back((LPCSTR)dlg->m_arrSrcPath[i]);
                names.push_back((LPCSTR)dlg->m_arrSrcName[i]);
            }
            dlg->m_bSameFolder = 1;
            dlg->m_bDiffFolder = 0;
            dlg->m_bAddPrefix = 1;
            dlg->m_strPrefix = "Filter_";
            dlg->UpdateData(FALSE);
            dlg->PostMessage(WM_COMMAND, IDOK);
            return;
        }
        if (!CDlgImgBatch::IsRunning(CDlgImgBatch::kBatchFilter) && dlg->m_bChanged) {
            closed = true;
            dlg->PostMessage(WM_COMMAND, IDCANCEL);
        }
    }
};

}  // namespace

TEST_F(BatchOpeners, TheSelectedFilesAreFilteredBesideThemAndTheFolderIsListedAgain)
{
    CString folder = MakeFolder("batch");
    WritePicture(folder + "a.jpg", 20, 10);
    WritePicture(folder + "b.jpg", 20, 10);
    WritePicture(folder + "c.jpg", 20, 10);
    List(folder);
    // Item 0 is the parent folder.
    browser->m_arrSelected[1] = 1;
    browser->m_arrSelected[3] = 1;
    ASSERT_EQ("1,3", Selected());

    FilterDriver driver;
    View().SendMessage(WM_COMMAND, ID_BROWSER_FILTER);
    WaitForLoader();
    EXPECT_EQ((std::vector<std::string>{(LPCSTR)(folder + "a.jpg"), (LPCSTR)(folder + "c.jpg")}), driver.paths);
    EXPECT_EQ((std::vector<std::string>{"a.jpg", "c.jpg"}), driver.names);
    EXPECT_TRUE(driver.closed);
    EXPECT_EQ("", Selected());
    EXPECT_EQ(0, View().m_nSelCount);
    EXPECT_EQ("<..>,a.jpg,b.jpg,c.jpg,Filter_a.jpg,Filter_c.jpg", Names());
}

// The printing dialog and the order cart receive the selected files in list order; they are
// read and closed from a timer in their own loop.
TEST_F(BatchOpeners, PrintAndCartReceiveTheSelectedFiles)
{
    CString folder = MakeFolder("print");
    WritePicture(folder + "a.jpg", 20, 10);
    WritePicture(folder + "b.jpg", 20, 10);
    WritePicture(folder + "c.jpg", 20, 10);
    List(folder);
    browser->m_arrSelected[3] = 1;
    browser->m_arrSelected[1] = 1;
    static std::vector<std::string> handed;
    struct Case {
        UINT command;
        const char* caption;
    } cases[] = {{ID_BROWSER_PRINT, "인쇄하기"}, {ID_BROWSER_CART, "인화 주문 목록 관리"}};
    for (const Case& c : cases) {
        handed.clear();
        static const char* caption;
        caption = c.caption;
        UINT_PTR timer = ::SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
            HWND dialog = ::FindWindow(nullptr, caption);
            CWnd* wnd = dialog ? CWnd::FromHandlePermanent(dialog) : nullptr;
            const CStringArray* paths = nullptr;
            if (auto* print = dynamic_cast<CDlgImgPrint*>(wnd))
                paths = &print->m_arrPaths;
            else if (auto* cart = dynamic_cast<CDlgCart*>(wnd))
                paths = &cart->m_arrPaths;
            if (!paths || !handed.empty())
                return;
            for (INT_PTR i = 0; i < paths->GetSize(); i++)
                handed.push_back((LPCSTR)(*paths)[i]);
            ::PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        View().SendMessage(WM_COMMAND, c.command);
        ::KillTimer(nullptr, timer);
        EXPECT_EQ((std::vector<std::string>{(LPCSTR)(folder + "a.jpg"), (LPCSTR)(folder + "c.jpg")}), handed)
            << c.caption;
    }
}
