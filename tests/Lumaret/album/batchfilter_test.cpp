// The batch mechanism on the filter dialog: result names, the folder check, what happens to
// results that exist (fixed choices and every answer to the question), stop between files, the
// reports the worker sends, failed files, originals deleted only after their result is written,
// and the effects themselves.
#include "BatchFixture.h"

#include "album/DlgImgBrowseFilter.h"
#include "image/ImageFilter.h"

using namespace batchtest;

namespace {

const char kQuestionTitle[] = "이미지 크기 일괄 변경";
const char kFinished[] = "이미지 크기 변환 일괄작업이 완료되었습니다.";
const char kStopped[] = "이미지 크기 변환 작업이 중지되었습니다.";

class BatchFilter : public BatchTest {
protected:
    // a, b and c in src, each with a result of the same folder and prefix already there.
    void ThreeFilesWithResults()
    {
        for (const char* name : {"a", "b", "c"}) {
            WritePicture(std::string("src/") + name + ".jpg");
            WriteText(std::string("src/Filter_") + name + ".jpg", "old");
        }
    }
    void Fill(CDlgImgBrowseFilter& dlg, const std::vector<std::string>& names)
    {
        for (const std::string& name : names)
            AddFile(dlg, ProgramPath("src\\" + name));
    }
    // Which of a, b, c now hold a new result ("1") or kept the old file ("0").
    std::string Rewritten()
    {
        std::string out;
        for (const char* name : {"a", "b", "c"})
            out += Content(std::string("src/Filter_") + name + ".jpg") == "old" ? "0" : "1";
        return out;
    }
    static void SetSameFolderWithPrefix(CDlgImgBrowseFilter& dlg, const char* onExisting)
    {
        dlg.m_bSameFolder = 1;
        dlg.m_bDiffFolder = 0;
        dlg.m_bAddPrefix = 1;
        dlg.m_strPrefix = "Filter_";
        dlg.m_strOnExisting = onExisting;
        dlg.UpdateData(FALSE);
        dlg.RefreshResultList();
    }
};

}  // namespace

TEST_F(BatchFilter, ResultNamesFollowThePrefixTheFolderAndTheGifRule)
{
    struct Case {
        const char* path;
        BOOL prefix;
        BOOL sameFolder;
        const char* result;
    };
    const Case cases[] = {
        {"C:\\x\\a.gif", TRUE, TRUE, "C:\\x\\Filter_a.jpg"},
        {"C:\\x\\b.JPG", TRUE, TRUE, "C:\\x\\Filter_b.JPG"},
        {"C:\\x\\b.JPG", FALSE, TRUE, "C:\\x\\b.JPG"},
        {"C:\\x\\c.GiF", FALSE, FALSE, "D:\\out\\c.jpg"},
        {"C:\\x\\d.bmp", TRUE, FALSE, "D:\\out\\Filter_d.bmp"},
        {"C:\\x\\.gif", TRUE, TRUE, "C:\\x\\Filter_제목없음.jpg"},
    };
    CDlgImgBrowseFilter dlg;
    for (const Case& c : cases)
        AddFile(dlg, c.path);
    Open(dlg, IDD_BATCH_FILTER);
    for (const Case& c : cases) {
        dlg.m_bAddPrefix = c.prefix;
        dlg.m_bSameFolder = c.sameFolder;
        dlg.m_strPrefix = "Filter_";
        dlg.m_strFolder = "D:\\out\\";
        dlg.RefreshResultList();
        int i = (int)(&c - cases);
        EXPECT_STREQ(c.result, dlg.m_arrDstPath[i]) << c.path;
        EXPECT_STREQ(dlg.m_arrDstName[i], dlg.m_gridList.GetItemText(i, 3));
        EXPECT_STREQ(std::to_string(i).c_str(), dlg.m_gridList.GetItemText(i, 0));
    }
    dlg.DestroyWindow();
}

TEST_F(BatchFilter, AnotherFolderMustBeNamedBeforeAnythingStarts)
{
    mivotest::MessageBoxCapture boxes;
    CDlgImgBrowseFilter dlg;
    AddFile(dlg, WritePicture("src/a.jpg"));
    Open(dlg, IDD_BATCH_FILTER);
    dlg.m_bSameFolder = 0;
    dlg.m_bDiffFolder = 1;
    dlg.m_strFolder = "";
    dlg.UpdateData(FALSE);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    EXPECT_FALSE(CDlgImgBatch::IsRunning(CDlgImgBatch::kBatchFilter));
    EXPECT_EQ(std::vector<std::string>{"폴더를 지정하십시요."}, Texts(boxes));
    EXPECT_EQ(dlg.GetDlgItem(IDC_BATCH_FOLDER)->m_hWnd, ::GetFocus());
    EXPECT_TRUE(Reports(dlg.m_hWnd).empty());
    dlg.DestroyWindow();
}

TEST_F(BatchFilter, ExistingResultsAreOverwrittenSkippedOrAskedAbout)
{
    struct Case {
        const char* onExisting;
        std::vector<int> answers;  // 0: the box closed without a button
        const char* rewritten;
        size_t questions;
        const char* states;
        const char* end;
    };
    const Case cases[] = {
        {"덮어쓰기", {}, "111", 0, "완료,완료,완료", kFinished},
        {"건너뛰기", {}, "000", 0, ",,", kFinished},
        {"물어보기", {1, 3, 1}, "101", 3, "완료,,완료", kFinished},
        {"물어보기", {2}, "111", 1, "완료,완료,완료", kFinished},
        {"물어보기", {4}, "000", 1, ",,", kFinished},
        {"물어보기", {6}, "000", 1, ",,", kStopped},
        {"물어보기", {0, 0, 0}, "000", 3, ",,", kFinished},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.onExisting) + " answered " + std::to_string(c.answers.size()));
        ThreeFilesWithResults();
        mivotest::MessageBoxCapture boxes;
        BoxAnswerer answerer(kQuestionTitle, c.answers);
        CDlgImgBrowseFilter dlg;
        Fill(dlg, {"a.jpg", "b.jpg", "c.jpg"});
        Open(dlg, IDD_BATCH_FILTER);
        SetSameFolderWithPrefix(dlg, c.onExisting);
        ASSERT_TRUE(Start(dlg, CDlgImgBatch::kBatchFilter));
        EXPECT_EQ(c.rewritten, Rewritten());
        ASSERT_EQ(c.questions, answerer.asked.size());
        if (c.questions) {
            EXPECT_EQ(std::string(ProgramPath("src\\Filter_a.jpg")) + " 파일이 이미 존재합니다.", answerer.asked[0]);
        }
        EXPECT_EQ(c.states, States(dlg));
        EXPECT_EQ(std::vector<std::string>{c.end}, Texts(boxes));
        EXPECT_EQ(std::string(c.rewritten) != "000", dlg.m_bChanged != 0);
        dlg.DestroyWindow();
    }
}

TEST_F(BatchFilter, EscapeDuringARunStopsBeforeTheNextFileAndTheReportsSaySo)
{
    ThreeFilesWithResults();
    mivotest::MessageBoxCapture boxes;
    CDlgImgBrowseFilter dlg;
    Fill(dlg, {"a.jpg", "b.jpg", "c.jpg"});
    Open(dlg, IDD_BATCH_FILTER);
    SetSameFolderWithPrefix(dlg, "물어보기");
    // While the worker waits for the answer about a, Escape reaches the dialog.
    BOOL stillThere = FALSE;
    BoxAnswerer answerer(kQuestionTitle, {1}, [&] {
        dlg.SendMessage(WM_COMMAND, IDCANCEL);
        stillThere = ::IsWindow(dlg.m_hWnd);
    });
    // A second Start while the first runs does nothing.
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    ASSERT_TRUE(Start(dlg, CDlgImgBatch::kBatchFilter));
    EXPECT_TRUE(stillThere);
    EXPECT_EQ((std::vector<std::string>{"10001:9", "10002:0"}), Reports(dlg.m_hWnd));
    EXPECT_EQ("100", Rewritten());
    EXPECT_EQ("완료,,", States(dlg));
    EXPECT_EQ(std::vector<std::string>{kStopped}, Texts(boxes));
    // Idle again: start and close enabled, stop disabled.
    EXPECT_TRUE(dlg.GetDlgItem(IDOK)->IsWindowEnabled());
    EXPECT_TRUE(dlg.GetDlgItem(IDCANCEL)->IsWindowEnabled());
    EXPECT_FALSE(dlg.GetDlgItem(IDC_BATCH_STOP)->IsWindowEnabled());
    dlg.DestroyWindow();
}

TEST_F(BatchFilter, AFileThatFailsKeepsItsOriginalAndOnlyWrittenOriginalsGo)
{
    WritePicture("src/good.jpg");
    WriteText("src/bad.jpg", "not a picture");
    WritePicture("src/same.jpg");
    const std::string good = data.windowsPath() + "src\\good.jpg";
    const std::string same = data.windowsPath() + "src\\same.jpg";
    ASSERT_TRUE(db.exec("insert into AlbumDetail (AlbumID, Seq, PathName) values (1,1,'" + good + "'),(1,2,'" + same +
                        "')"));
    ASSERT_TRUE(db.exec("insert into ThumbImages values (7,'" + good + "','2004-01-01 00:00',x'FFD8')"));

    mivotest::MessageBoxCapture boxes;
    // Results of good and bad go to out; same is its own result (no prefix, same folder).
    CDlgImgBrowseFilter other;
    Fill(other, {"good.jpg", "bad.jpg"});
    Open(other, IDD_BATCH_FILTER);
    other.m_bSameFolder = 0;
    other.m_bDiffFolder = 1;
    other.m_bAddPrefix = 0;
    other.m_strFolder = ProgramPath("out\\");
    other.m_strDeleteSource = "삭제함";
    other.UpdateData(FALSE);
    ASSERT_TRUE(Start(other, CDlgImgBatch::kBatchFilter));
    EXPECT_EQ((std::vector<std::string>{"10001:9", "10002:1", "20000:9"}), Reports(other.m_hWnd));
    EXPECT_EQ("완료,실패", States(other));
    EXPECT_TRUE(Exists("out/good.jpg"));
    EXPECT_FALSE(Exists("src/good.jpg")) << "written, so its original goes";
    EXPECT_FALSE(Exists("out/bad.jpg"));
    EXPECT_EQ("not a picture", Content("src/bad.jpg"));
    EXPECT_EQ("1:2:" + same, Details()) << "the deleted original's album row goes";
    EXPECT_EQ("0", db.scalar("select count(*) from ThumbImages where ImgPath = '" + good + "'"));
    EXPECT_EQ("1", db.scalar("select count(*) from ThumbImages where ImgPath = '" + data.windowsPath() +
                             "out\\good.jpg'"));
    other.DestroyWindow();

    CDlgImgBrowseFilter own;
    Fill(own, {"same.jpg"});
    Open(own, IDD_BATCH_FILTER);
    own.m_bSameFolder = 1;
    own.m_bDiffFolder = 0;
    own.m_bAddPrefix = 0;
    own.m_strOnExisting = "덮어쓰기";
    own.m_strDeleteSource = "삭제함";
    own.UpdateData(FALSE);
    own.RefreshResultList();
    ASSERT_TRUE(Start(own, CDlgImgBatch::kBatchFilter));
    EXPECT_EQ("완료", States(own));
    EXPECT_TRUE(Exists("src/same.jpg")) << "the result is the file itself";
    EXPECT_EQ("1:2:" + same, Details());
    own.DestroyWindow();
}

TEST_F(BatchFilter, EveryKernelLeavesAOneColourPictureAsItIsInsideTheBorder)
{
    const COLORREF colour = RGB(200, 60, 30);
    struct Case {
        CDlgImgBrowseFilter::Effect effect;
        COLORREF expected;
    };
    const int grey = (30 * 200 + 59 * 60 + 11 * 30) / 100;
    const Case cases[] = {
        {CDlgImgBrowseFilter::kGray, RGB(grey, grey, grey)},
        {CDlgImgBrowseFilter::kNegative, RGB(55, 195, 225)},
        {CDlgImgBrowseFilter::kBlur3, colour},
        {CDlgImgBrowseFilter::kBlur5, colour},
        {CDlgImgBrowseFilter::kSoften, colour},
        {CDlgImgBrowseFilter::kSharpen, colour},
    };
    for (const Case& c : cases) {
        CImageObject maker;
        std::unique_ptr<CImageObject> picture(maker.MakeBlankImageObject(colour, 12, 10));
        ASSERT_TRUE(CDlgImgBrowseFilter::ApplyEffect(*picture, c.effect));
        for (int y = 2; y < 8; y++)
            for (int x = 2; x < 10; x++)
                ASSERT_EQ(c.expected, picture->GetPixelColor(x, y)) << "effect " << c.effect << " at " << x << "," << y;
    }
}
