// The frame, mask and pattern pages driven as a user drives them: pictures chosen in the file
// dialog, saves of new and stored templates, list clicks (also below the last row and after a
// refresh reordered the list), removal, the pattern preview enlarged, and stored rows whose
// pictures cannot be unpacked.
#include "TemplateFixture.h"

#include "image/ImageObject.h"
#include "res/resource.h"
#include "resource.h"
#include "support/DialogDriver.h"
#include "support/InputSynth.h"
#include "support/MessageBoxCapture.h"
#include "support/MessageLoop.h"
#include "support/WindowCapture.h"
#include "templates/DlgTemplateFrame.h"
#include "templates/DlgTemplateMask.h"
#include "templates/DlgTemplatePattern.h"

using mivo::test::ModalScript;
using mivo::test::PumpUntilIdle;
using templatetest::TemplateDatabase;

namespace {

// A page shown as a child of a window whose modal dialogs a script answers.
template <class Page>
struct HostedPage {
    ModalScript script;
    CWnd owner;
    Page page;

    HostedPage()
    {
        owner.Attach(script.Owner());
        ::MoveWindow(script.Owner(), 20, 20, 700, 560, TRUE);
        page.Create(page.GetLayout().nTemplateId, &owner);
        CRect client;
        owner.GetClientRect(&client);
        page.MoveWindow(0, 0, client.Width(), client.Height());
        page.ShowWindow(SW_SHOW);
        PumpUntilIdle();
    }
    ~HostedPage()
    {
        page.DestroyWindow();
        owner.Detach();
        PumpUntilIdle();
    }
    void Command(UINT id) { page.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(page, id)); }
    // Picks the file in the picture dialog that the button opens.
    void Choose(UINT button, const CString& path)
    {
        std::string typed = (LPCSTR)path;
        script.Then([typed](HWND dialog) {
            ::SetDlgItemText(dialog, 0x480, typed.c_str());
            ::SendMessage(dialog, WM_COMMAND, IDOK, 0);
        });
        Command(button);
        PumpUntilIdle();
    }
    void Type(UINT id, const char* text)
    {
        ::SetDlgItemText(page, id, text);
    }
    std::string Text(UINT id) const
    {
        char text[512] = "";
        ::GetDlgItemText(page, id, text, sizeof(text));
        return text;
    }
    // A click in the middle of a list row's first cell.
    void ClickRow(int row)
    {
        CRect rect;
        ASSERT_TRUE(page.m_wndList.GetItemRect(row, 0, &rect));
        mivo::test::Click(page.m_wndList, rect.CenterPoint().x, rect.CenterPoint().y);
        PumpUntilIdle();
    }
    void ClickBelowRows()
    {
        CRect client;
        page.m_wndList.GetClientRect(&client);
        mivo::test::Click(page.m_wndList, 40, client.bottom - 4);
        PumpUntilIdle();
    }
    std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        for (int row = 0; row < page.m_wndList.GetItemCount(); ++row)
            names.push_back((LPCSTR)page.m_wndList.GetItemText(row, 0));
        return names;
    }
};

class Pages : public TemplateDatabase {
protected:
    mivotest::MessageBoxCapture boxes;
    char saved[MAX_PATH] = "";

    void SetUp() override
    {
        TemplateDatabase::SetUp();
        ::GetCurrentDirectory(sizeof(saved), saved);
        theApp.m_szTemplateDir[0] = '\0';
    }
    void TearDown() override { ::SetCurrentDirectory(saved); }

    std::vector<std::string> Shown() const
    {
        std::vector<std::string> texts;
        for (const auto& box : boxes.shown())
            texts.push_back(box.text);
        return texts;
    }
    // A stored mask or pattern made straight in the table, with its picture file's bytes.
    void StoreRow(const char* table, const char* key, int no, const std::string& name, const std::string& picture,
                  const char* type)
    {
        std::string hex;
        static const char digits[] = "0123456789ABCDEF";
        for (unsigned char b : picture.empty() ? templatetest::Bytes() : templatetest::ReadAll(PosixPicture(picture))) {
            hex += digits[b >> 4];
            hex += digits[b & 15];
        }
        ASSERT_TRUE(db.exec(std::string("insert into ") + table + " (" + key + ", " +
                            (std::string(table) == "MaskImgs" ? "MaskName, MaskImage" : "PatternName, PatternImage") +
                            ", FileType) values (" + std::to_string(no) + ", '" + name + "', X'" + hex + "', '" +
                            type + "')"));
    }
};

}  // namespace

TEST_F(Pages, TwoSavesOfANewFrameStoreTwoTemplatesWithConsecutiveKeys)
{
    CString corner = Picture("corner.jpg", 24, 24, RGB(180, 120, 40));
    CString edge = Picture("edge.bmp", 24, 12, RGB(40, 120, 180));
    HostedPage<CDlgTemplateFrame> host;
    host.Command(IDC_TMPL_NEW);
    host.Choose(IDC_TMPL_FILE1, corner);
    host.Choose(IDC_TMPL_FILE2, edge);
    EXPECT_EQ((LPCSTR)corner, host.Text(IDC_TMPL_PATH1));
    EXPECT_EQ(CSize(24, 12), host.page.m_szPicture[1]);
    EXPECT_STREQ((pictures.windowsPath().substr(0, pictures.windowsPath().size() - 1)).c_str(),
                 theApp.m_szTemplateDir);
    host.Type(IDC_TMPL_TITLE, "나무");
    host.Command(IDC_TMPL_SAVE);
    host.Command(IDC_TMPL_SAVE);
    EXPECT_EQ((std::vector<std::string>{"저장완료", "저장완료"}), Shown());
    EXPECT_EQ(u8"1:나무:24x24:24:jpg:bmp ; 2:나무:24x24:24:jpg:bmp",
              Rows("FrameNo||':'||FrameName||':'||FrameWidth||'x'||FrameHeight||':'||FrameWidth2||':'||FileType1||':'||"
                   "FileType2",
                   "FrameImgs", "FrameNo"));
    // Newest first at the top of the list; the form is still a new template.
    EXPECT_EQ(2, (int)host.page.m_wndList.GetItemData(0));
    EXPECT_EQ(-1, host.page.m_nCurKey);
    EXPECT_EQ((LPCSTR)CTemplateTables::Today(), std::string((LPCSTR)host.page.m_wndList.GetItemText(0, 5)));
}

TEST_F(Pages, AFrameWithOnePictureAsksForTheOtherAndWritesNothing)
{
    CString corner = Picture("corner.jpg", 24, 24);
    HostedPage<CDlgTemplateFrame> host;
    host.Choose(IDC_TMPL_FILE1, corner);
    host.Command(IDC_TMPL_SAVE);
    EXPECT_EQ((std::vector<std::string>{"이미지를 선택하십시요."}), Shown());
    EXPECT_EQ("0", db.scalar("select count(*) from FrameImgs"));
}

TEST_F(Pages, APictureGoneBeforeTheSaveWritesNothingAndSaysNothing)
{
    CString tile = Picture("tile.bmp", 16, 16);
    HostedPage<CDlgTemplatePattern> host;
    host.Choose(IDC_TMPL_FILE, tile);
    ASSERT_EQ(1, host.page.m_bNewPicture[0]);
    ASSERT_EQ(0, ::unlink(PosixPicture("tile.bmp").c_str()));
    host.Command(IDC_TMPL_SAVE);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ("0", db.scalar("select count(*) from PatternImgs"));
    EXPECT_EQ(0, host.page.m_wndList.GetItemCount());
}

TEST_F(Pages, ASaveAfterARefreshChangesTheRowOfItsKeyOnly)
{
    StoreRow("MaskImgs", "MaskNo", 1, "a", "", "bmp");
    StoreRow("MaskImgs", "MaskNo", 2, "b", "", "bmp");
    CString grey = Picture("m.bmp", 30, 20, RGB(128, 128, 128));
    HostedPage<CDlgTemplateMask> host;
    // A new template goes in at the top (row 0) as key 3.
    host.Choose(IDC_TMPL_FILE, grey);
    host.Type(IDC_TMPL_TITLE, "c");
    host.Command(IDC_TMPL_SAVE);
    ASSERT_EQ((std::vector<std::string>{"c", "a", "b"}), host.Names());
    // The last row is key 2; the refresh puts it at row 1.
    host.ClickRow(2);
    ASSERT_EQ(2, host.page.m_nCurKey);
    host.Command(IDC_TMPL_REFRESH);
    ASSERT_EQ((std::vector<std::string>{"a", "b", "c"}), host.Names());
    host.Type(IDC_TMPL_TITLE, "b2");
    host.Command(IDC_TMPL_SAVE);
    EXPECT_EQ((std::vector<std::string>{"a", "b2", "c"}), host.Names());
    EXPECT_EQ("1:a ; 2:b2 ; 3:c", Rows("MaskNo||':'||MaskName", "MaskImgs", "MaskNo"));
    // Removing it takes its own row away, wherever it is.
    host.Command(IDC_TMPL_DELETE);
    EXPECT_EQ((std::vector<std::string>{"a", "c"}), host.Names());
    EXPECT_EQ("1:a ; 3:c", Rows("MaskNo||':'||MaskName", "MaskImgs", "MaskNo"));
}

TEST_F(Pages, OpeningAStoredFrameShowsBothPiecesAndASample)
{
    CString corner = Picture("corner.jpg", 40, 40, RGB(180, 120, 40));
    CString edge = Picture("edge.jpg", 40, 40, RGB(40, 120, 180));
    TemplateInfo info;
    info.strName = "stored";
    TemplatePictureFile first{corner, "jpg"}, second{edge, "jpg"};
    const TemplatePictureFile* files[2] = {&first, &second};
    ASSERT_EQ(1, CTemplateTables::Insert(TEMPLATE_FRAME, info, files));
    HostedPage<CDlgTemplateFrame> host;
    host.ClickRow(0);
    EXPECT_EQ(1, host.page.m_nCurKey);
    EXPECT_EQ("stored", host.Text(IDC_TMPL_TITLE));
    EXPECT_EQ((LPCSTR)TempPath("TmplFrame11.jpg"), host.Text(IDC_TMPL_PATH1));
    EXPECT_EQ((LPCSTR)TempPath("TmplFrame21.jpg"), host.Text(IDC_TMPL_PATH2));
    ASSERT_TRUE(host.page.m_pPreview[0] && host.page.m_pPreview[1]);
    ASSERT_TRUE(host.page.m_pSample);
    CWnd* sampleArea = host.page.GetDlgItem(IDC_TMPL_SAMPLE);
    CRect area;
    sampleArea->GetWindowRect(&area);
    EXPECT_EQ(area.Width() - 6, host.page.m_pSample->GetWidth());
    EXPECT_EQ(area.Height() - 6, host.page.m_pSample->GetHeight());
    // A save without new pictures keeps the stored ones and takes today's date.
    ASSERT_TRUE(db.exec("update FrameImgs set FrameDate = '2001-01-01'"));
    std::string blob = db.scalar("select hex(FrameImage1)||hex(FrameImage2) from FrameImgs");
    host.Command(IDC_TMPL_SAVE);
    EXPECT_EQ(blob, db.scalar("select hex(FrameImage1)||hex(FrameImage2) from FrameImgs"));
    EXPECT_EQ((LPCSTR)CTemplateTables::Today(), db.scalar("select FrameDate from FrameImgs"));
    EXPECT_EQ("40x40:40", db.scalar("select FrameWidth||'x'||FrameHeight||':'||FrameWidth2 from FrameImgs"));
    // Removing it clears the form, both previews and the sample.
    host.Command(IDC_TMPL_DELETE);
    EXPECT_EQ((std::vector<std::string>{"저장완료", "삭제완료"}), Shown());
    EXPECT_EQ(-1, host.page.m_nCurKey);
    EXPECT_EQ("", host.Text(IDC_TMPL_TITLE));
    EXPECT_FALSE(host.page.m_pPreview[0] || host.page.m_pPreview[1] || host.page.m_pSample);
    EXPECT_EQ("0", db.scalar("select count(*) from FrameImgs"));
}

TEST_F(Pages, ClicksBelowTheRowsAndRemovalsWithNothingOpenChangeNothing)
{
    StoreRow("PatternImgs", "PatternNo", 4, "dots", "", "bmp");
    HostedPage<CDlgTemplatePattern> host;
    host.Type(IDC_TMPL_TITLE, "typed");
    host.ClickBelowRows();
    EXPECT_EQ(-1, host.page.m_nCurKey);
    EXPECT_EQ("typed", host.Text(IDC_TMPL_TITLE));
    host.Command(IDC_TMPL_DELETE);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ("1", db.scalar("select count(*) from PatternImgs"));
    EXPECT_EQ(1, host.page.m_wndList.GetItemCount());
}

TEST_F(Pages, AFileThatDoesNotLoadCountsForAPatternButNotForAMask)
{
    Picture("broken.jpg", 10, 10);
    { std::ofstream cut(PosixPicture("broken.jpg"), std::ios::trunc); cut << "not a jpeg"; }
    CString broken = (pictures.windowsPath() + "broken.jpg").c_str();
    {
        HostedPage<CDlgTemplateMask> host;
        host.Choose(IDC_TMPL_FILE, broken);
        EXPECT_EQ(0, host.page.m_bNewPicture[0]);
        EXPECT_FALSE(host.page.m_pPreview[0]);
        // After a good choice, a file of no known type keeps nothing of the good one's size;
        // the flag the good one set stays.
        host.Choose(IDC_TMPL_FILE, Picture("good.bmp", 30, 20));
        ASSERT_EQ(CSize(30, 20), host.page.m_szPicture[0]);
        { std::ofstream odd(PosixPicture("odd.jpeg")); odd << "not a picture"; }
        host.Choose(IDC_TMPL_FILE, (pictures.windowsPath() + "odd.jpeg").c_str());
        EXPECT_EQ(CSize(0, 0), host.page.m_szPicture[0]);
        EXPECT_EQ(1, host.page.m_bNewPicture[0]);
    }
    {
        HostedPage<CDlgTemplatePattern> host;
        host.Choose(IDC_TMPL_FILE, broken);
        EXPECT_EQ(1, host.page.m_bNewPicture[0]);
        EXPECT_FALSE(host.page.m_pPreview[0]);
    }
}

TEST_F(Pages, APatternTileIsDrawnEnlargedByAWholeFactor)
{
    HostedPage<CDlgTemplatePattern> probe;
    CRect area;
    probe.page.GetDlgItem(IDC_TMPL_PREVIEW)->GetWindowRect(&area);
    probe.page.ScreenToClient(&area);
    const int room = area.Height() - 3;
    // A tile as high as the whole area would get factor 0: it is shown at its own size.
    const struct {
        int height;
        int factor;
    } kTiles[] = {{room / 2, 2}, {room / 3, 3}, {area.Height(), 1}};
    for (const auto& t : kTiles) {
        const int factor = t.factor, height = t.height, width = 12;
        SCOPED_TRACE(factor);
        std::string name = "tile" + std::to_string(factor) + ".bmp";
        CString tile = Picture(name, width, height, RGB(0, 200, 0));
        probe.Choose(IDC_TMPL_FILE, tile);
        ASSERT_TRUE(probe.page.m_pPreview[0]);
        probe.page.RedrawWindow();
        PumpUntilIdle();
        mivo::test::WindowImage shot = mivo::test::CaptureWindow(probe.page, true);
        const int x = area.left + 3, y = area.top;
        // The tile's own corner colour, at the far corner of its enlarged copy and not beyond.
        COLORREF corner = shot.At(x, y);
        EXPECT_EQ(corner, shot.At(x + width * factor - 1, y + height * factor - 1));
        EXPECT_NE(corner, shot.At(x + width * factor + 1, y + 2));
        EXPECT_NE(corner, shot.At(x + 2, y + height * factor + 1));
    }
}

TEST_F(Pages, AStoredTypeThatIsNoExtensionOpensWithoutAPicture)
{
    Picture("m.bmp", 10, 10);
    StoreRow("MaskImgs", "MaskNo", 1, "odd", "m.bmp", "../x");
    ASSERT_TRUE(db.exec("update MaskImgs set MaskWidth = 10, MaskHeight = 10"));
    HostedPage<CDlgTemplateMask> host;
    host.ClickRow(0);
    EXPECT_EQ(1, host.page.m_nCurKey);
    EXPECT_EQ("odd", host.Text(IDC_TMPL_TITLE));
    EXPECT_EQ("", host.Text(IDC_TMPL_PATH));
    EXPECT_FALSE(host.page.m_pPreview[0]);
    EXPECT_TRUE(TempNames().empty());
    // A later save keeps the stored picture and sizes.
    std::string blob = db.scalar("select hex(MaskImage) from MaskImgs");
    host.Command(IDC_TMPL_SAVE);
    EXPECT_EQ(blob + ":10x10", db.scalar("select hex(MaskImage)||':'||MaskWidth||'x'||MaskHeight from MaskImgs"));
}

TEST_F(Pages, ResizingMovesTheListAndReloadsThePreviewForTheNewArea)
{
    CString grey = Picture("wide.bmp", 400, 100, RGB(90, 90, 90));
    HostedPage<CDlgTemplateMask> host;
    host.Choose(IDC_TMPL_FILE, grey);
    ASSERT_TRUE(host.page.m_pPreview[0]);
    const int before = host.page.m_pPreview[0]->GetWidth();
    CRect list;
    host.page.m_wndList.GetWindowRect(&list);
    host.page.ScreenToClient(&list);
    host.page.MoveWindow(0, 0, 900, 600);
    PumpUntilIdle();
    CRect moved;
    host.page.m_wndList.GetWindowRect(&moved);
    host.page.ScreenToClient(&moved);
    CRect client;
    host.page.GetClientRect(&client);
    EXPECT_EQ(list.TopLeft(), moved.TopLeft());
    EXPECT_EQ(client.Width() - 2 * list.left, moved.Width());
    EXPECT_EQ(client.Height() - list.top - list.left, moved.Height());
    ASSERT_TRUE(host.page.m_pPreview[0]);
    EXPECT_GT(host.page.m_pPreview[0]->GetWidth(), before);
    // An area squeezed to nothing shows no preview.
    host.page.MoveWindow(0, 0, 200, 600);
    PumpUntilIdle();
    EXPECT_FALSE(host.page.m_pPreview[0]);
    EXPECT_EQ(CSize(400, 100), host.page.m_szPicture[0]);
}

TEST_F(Pages, AKeyWhoseRowIsGoneKeepsTheFormAsItWas)
{
    StoreRow("PatternImgs", "PatternNo", 3, "gone", "", "bmp");
    HostedPage<CDlgTemplatePattern> host;
    ASSERT_TRUE(db.exec("delete from PatternImgs"));
    host.Type(IDC_TMPL_TITLE, "typed");
    host.page.UpdateData(TRUE);
    host.ClickRow(0);
    EXPECT_EQ(3, host.page.m_nCurKey);
    EXPECT_EQ("typed", host.Text(IDC_TMPL_TITLE));
}

TEST_F(Pages, ANarrowSampleAreaComposesNoSample)
{
    CString corner = Picture("corner.bmp", 40, 40);
    TemplateInfo info;
    TemplatePictureFile piece{corner, "bmp"};
    const TemplatePictureFile* files[2] = {&piece, &piece};
    ASSERT_EQ(1, CTemplateTables::Insert(TEMPLATE_FRAME, info, files));
    HostedPage<CDlgTemplateFrame> host;
    CRect list, sample;
    host.page.m_wndList.GetWindowRect(&list);
    host.page.GetDlgItem(IDC_TMPL_SAMPLE)->GetWindowRect(&sample);
    host.page.ScreenToClient(&list);
    host.page.ScreenToClient(&sample);
    // Areas for a sample 7 pixels wide (tile 0), 2 pixels wide, and none. Opened as a click
    // opens it: clicks this close together would make a double click.
    for (int width : {13, 8, 3}) {
        SCOPED_TRACE(width);
        host.page.MoveWindow(0, 0, sample.left + list.left + width, 600);
        PumpUntilIdle();
        host.page.OpenTemplate(0);
        ASSERT_TRUE(host.page.m_pPreview[0] && host.page.m_pPreview[1]);
        EXPECT_FALSE(host.page.m_pSample);
    }
    host.page.MoveWindow(0, 0, sample.left + list.left + 60, 600);
    PumpUntilIdle();
    host.page.OpenTemplate(0);
    ASSERT_TRUE(host.page.m_pSample);
    EXPECT_EQ(54, host.page.m_pSample->GetWidth());
}

TEST_F(Pages, ListsShareTheirLookAndKeepTheirColumnsUnderTheirOwnEntry)
{
    mivotest::TempFolder run("mivo-template-profile");
    theApp.m_strRunDir = run.windowsPath().c_str();
    theApp.OpenDBProfile("Profile.test");
    const COLORREF face = ::GetSysColor(COLOR_3DFACE);
    const COLORREF line = RGB(GetRValue(face) * 8 / 10, GetGValue(face) * 8 / 10, GetBValue(face) * 8 / 10);
    auto check = [&](CDlgTemplatePage& page, const char* entry, const char* name, int columns) {
        SCOPED_TRACE(entry);
        CVXGridCtrl& grid = page.m_wndList;
        EXPECT_EQ(columns, grid.GetSubItemCount());
        EXPECT_EQ(columns, grid.GetActiveSubItemCount());
        structSUBITEM first;
        ASSERT_TRUE(grid.GetSubItemDefinition(0, first));
        EXPECT_STREQ(name, first.strText);
        EXPECT_EQ(500, grid.GetSubItemWidth(0));
        EXPECT_EQ(0x3Au, grid.GetStyle() & 0x3Au);
        EXPECT_EQ(RGB(192, 192, 192), grid.GetColor(0));
        EXPECT_EQ(RGB(96, 96, 96), grid.GetColor(4));
        EXPECT_EQ(face, grid.GetGridColor(0));
        EXPECT_EQ(line, grid.GetGridColor(6));
        grid.SetSubItemWidth(0, 321);
    };
    {
        HostedPage<CDlgTemplateFrame> host;
        check(host.page, "Grid_FrameList", "액자 이름", 6);
    }
    {
        HostedPage<CDlgTemplateMask> host;
        check(host.page, "Grid_MaskList", "마스크 이름", 5);
    }
    {
        HostedPage<CDlgTemplatePattern> host;
        check(host.page, "Grid_PatternList", "배경무늬 이름", 5);
    }
    for (const char* entry : {"Grid_FrameList", "Grid_MaskList", "Grid_PatternList"})
        EXPECT_NE(-1, theApp.LoadProfileString(theApp.m_strAppKey, entry).Find(" 321 ")) << entry;
    {
        HostedPage<CDlgTemplateMask> host;
        EXPECT_EQ(321, host.page.m_wndList.GetSubItemWidth(0));
    }
    theApp.CloseDBProfile();
    theApp.m_strRunDir.Empty();
}

TEST_F(Pages, AFrameWithAnEmptyEdgePieceShowsOnlyItsCorner)
{
    Picture("corner.bmp", 40, 40);
    std::string hex;
    for (unsigned char b : templatetest::ReadAll(PosixPicture("corner.bmp"))) {
        static const char digits[] = "0123456789ABCDEF";
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    ASSERT_TRUE(db.exec("insert into FrameImgs (FrameNo, FrameName, FileType1, FileType2, FrameImage1, FrameImage2) "
                        "values (1, 'half', 'bmp', 'bmp', X'" + hex + "', X'')"));
    HostedPage<CDlgTemplateFrame> host;
    host.ClickRow(0);
    EXPECT_TRUE(host.page.m_pPreview[0]);
    EXPECT_FALSE(host.page.m_pPreview[1]);
    EXPECT_FALSE(host.page.m_pSample);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ((std::vector<std::string>{"/TmplFrame11.bmp"}), TempNames());
}
