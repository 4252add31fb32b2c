// The settings dialog on the program's own user database and the web-database stand-in: what a
// save stores and what it refuses, defaults that store nothing, the community membership kept
// on the site with escaped Korean text, compaction that keeps every row, the thumbnail cache
// emptied, and a profile reset after which the dialog stores no position.
#include <gtest/gtest.h>

#include "ShellFixture.h"
#include "shell/AboutDlg.h"
#include "shell/DlgSetEnv.h"
#include "shell/MainApp.h"
#include "resource.h"

#include "mivo/codepage.h"
#include "mivo/testing/TraceSink.h"
#include "support/DialogDriver.h"
#include "support/MessageBoxCapture.h"
#include "support/MessageLoop.h"
#include "support/WebDatabaseStub.h"

#include <sqlite3.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using mivo::test::ModalScript;
using mivotest::WdbcMember;
using mivotest::WebDatabaseStub;

namespace {

// SQL straight on the program's user database (text in UTF-8).
std::string UserDb()
{
    return shelltest::ProgramFolder().file("MivoUser.dat");
}

bool Exec(const std::string& sql)
{
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(UserDb().c_str(), &db) == SQLITE_OK && (sqlite3_busy_timeout(db, 5000), true) &&
              sqlite3_exec(db, mivo::ToUtf8(sql.c_str()).c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

// The rows of a query, "a|b" per row joined by " ; ".
std::string Rows(const std::string& sql)
{
    sqlite3* db = nullptr;
    std::string out;
    if (sqlite3_open(UserDb().c_str(), &db) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, mivo::ToUtf8(sql.c_str()).c_str(), -1, &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW) {
                if (!out.empty())
                    out += " ; ";
                for (int i = 0; i < sqlite3_column_count(st); ++i) {
                    const unsigned char* t = sqlite3_column_text(st, i);
                    out += (i ? "|" : "") + std::string(t ? (const char*)t : "NULL");
                }
            }
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    std::string ansi;
    mivo::Utf8ToAnsi(out, ansi);
    return ansi;
}

std::string Setting(const char* categ, const char* code, const char* column = "BasNum1")
{
    return Rows(std::string("select ") + column + " from BasCodes where BasCateg = '" + categ + "' and BasCode = '" +
                code + "'");
}

// Literals of this file are CP949, as the program's; the database holds UTF-8.
std::string Cp949(const char* text)
{
    return text;
}

class Settings : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, shelltest::Program());
        std::string map = "127.0.0.1:80=127.0.0.1:" + std::to_string(stub.port());
        setenv("MIVO_HTTP_PORT_MAP", map.c_str(), 1);
        Exec("create table if not exists SavedCodes as select * from BasCodes where 0;"
             "delete from SavedCodes; insert into SavedCodes select * from BasCodes;");
        Exec("delete from BasCodes where BasCateg = 'Community'");
        quality = theApp.m_nJpegQuality;
        undo = theApp.m_nUndoLevel;
        slide = theApp.m_clrSlideShowBk;
        browser = theApp.m_clrBrowserBk;
        link = theApp.m_strLinkPrg;
        owner.Attach(script.Owner());
    }
    void TearDown() override
    {
        owner.Detach();
        unsetenv("MIVO_HTTP_PORT_MAP");
        Exec("delete from BasCodes; insert into BasCodes select * from SavedCodes; drop table SavedCodes;");
        theApp.m_nJpegQuality = quality;
        theApp.m_nUndoLevel = undo;
        theApp.m_clrSlideShowBk = slide;
        theApp.m_clrBrowserBk = browser;
        theApp.m_strLinkPrg = link;
        mivo::test::PumpUntilIdle();
    }

    // Runs the dialog; each step gets it while it is open. The last step should close it.
    INT_PTR Run(std::vector<std::function<void(CDlgSetEnv&)>> steps)
    {
        CDlgSetEnv dialog(&owner);
        for (auto& step : steps)
            script.Then([&dialog, step](HWND) { step(dialog); });
        return dialog.DoModal();
    }
    static void Click(CDlgSetEnv& d, int id) { d.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    static void Type(CDlgSetEnv& d, int id, const char* utf8) { d.SetDlgItemText(id, Cp949(utf8).c_str()); }
    static void Close(CDlgSetEnv& d) { Click(d, IDCANCEL); }
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> texts;
        for (const auto& box : boxes.shown())
            texts.push_back(box.text);
        return texts;
    }
    void StoreMembership(const char* id, const char* pwd, const char* name)
    {
        Exec(std::string("insert into BasCodes (BasCateg, BasCode, BasDesc1, BasDesc2, BasDesc3) values "
                         "('Community', 'Join', '") + id + "', '" + pwd + "', '" + name + "')");
    }

    WebDatabaseStub stub;
    mivotest::MessageBoxCapture boxes{IDYES};
    ModalScript script;
    CWnd owner;
    int quality = 0, undo = 0;
    COLORREF slide = 0, browser = 0;
    CString link;
};

const char kUndoLimit[] = "실행취소는 효율적인 메모리 사용을 위해 \r\n 최대 8단계까지만 지원합니다.";

}  // namespace

TEST_F(Settings, SaveStoresEveryValueAndMakesOnlyTheBrowserAndEditorRowsWhenMissing)
{
    Exec("delete from BasCodes where (BasCateg = 'ImgBrowser' and BasCode = 'BGColor') or "
         "(BasCateg = 'JPEG' and BasCode = 'Quality') or (BasCateg = 'Edit' and BasCode = 'LinkPrg')");
    // The statements as the query runs them, in order.
    std::vector<std::string> statements;
    mivo::SetTraceAreas("odbc");
    mivo::SetTraceSink([&statements](const std::string& line) {
        if (line.find("BASCODES") == std::string::npos || line.find("Community") != std::string::npos)
            return;
        bool update = line.find("UPDATE") != std::string::npos;
        bool insert = line.find("INSERT") != std::string::npos;
        if (!update && !insert)
            return;
        for (const char* row : {"JPEG", "UndoLevel", "SlideShow", "ImgBrowser", "LinkPrg"}) {
            if (line.find(row) != std::string::npos) {
                statements.push_back(std::string(update ? "update " : "insert ") + row);
                return;
            }
        }
    });
    INT_PTR result = Run({[](CDlgSetEnv& d) {
        d.SetDlgItemInt(IDC_SETENV_JPEGQ, 80);
        d.SetDlgItemInt(IDC_SETENV_UNDO, 5);
        d.m_clrSlideShowBk = RGB(10, 20, 30);
        d.m_clrBrowserBk = RGB(250, 240, 230);
        Type(d, IDC_SETENV_LINKPRG, "C:\\그림판\\it's.exe");
        Click(d, IDC_SETENV_SAVE);
    }});
    mivo::SetTraceSink(nullptr);
    mivo::SetTraceAreas("");
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ((std::vector<std::string>{"update JPEG", "update UndoLevel", "update SlideShow", "update ImgBrowser",
                                        "insert ImgBrowser", "update LinkPrg", "insert LinkPrg"}),
              statements);
    EXPECT_EQ("", Setting("JPEG", "Quality")) << "the quality row is not made";
    EXPECT_EQ("5", Setting("Edit", "UndoLevel"));
    EXPECT_EQ(std::to_string(RGB(10, 20, 30)), Setting("SlideShow", "BGColor"));
    EXPECT_EQ(std::to_string(RGB(250, 240, 230)), Setting("ImgBrowser", "BGColor"));
    EXPECT_EQ("C:\\그림판\\it\x1Es.exe", Setting("Edit", "LinkPrg", "BasDesc1"));
    EXPECT_EQ(80, theApp.m_nJpegQuality);
    EXPECT_EQ(5, theApp.m_nUndoLevel);
    EXPECT_EQ(RGB(250, 240, 230), theApp.m_clrBrowserBk);
    EXPECT_EQ(Cp949("C:\\그림판\\it's.exe"), std::string(theApp.m_strLinkPrg));
}

TEST_F(Settings, UndoLevelsOutsideZeroToEightAreRefusedAndNothingIsStored)
{
    const char* settings = "select * from BasCodes where BasCateg <> 'Community' order by BasCateg, BasCode";
    std::string before = Rows(settings);
    for (int level : {9, -1}) {
        int closedAfter = 0;
        INT_PTR result = Run({[level](CDlgSetEnv& d) {
                                  d.SetDlgItemInt(IDC_SETENV_JPEGQ, 70);
                                  d.SetDlgItemInt(IDC_SETENV_UNDO, level, TRUE);
                                  Click(d, IDC_SETENV_SAVE);
                              },
                              [&closedAfter](CDlgSetEnv& d) {
                                  closedAfter = 1;
                                  Close(d);
                              }});
        EXPECT_EQ(IDCANCEL, result) << level;
        EXPECT_EQ(1, closedAfter) << "the dialog stayed open after " << level;
        ASSERT_FALSE(boxes.shown().empty());
        EXPECT_EQ(kUndoLimit, boxes.shown().back().text);
        EXPECT_EQ(before, Rows(settings)) << level;
        EXPECT_EQ(undo, theApp.m_nUndoLevel);
        EXPECT_EQ(quality, theApp.m_nJpegQuality);
    }
}

TEST_F(Settings, DefaultsFillTheFieldsAndCloseStoresNothing)
{
    std::string before = Rows("select * from BasCodes where BasCateg <> 'Community' order by BasCateg, BasCode");
    UINT shownQuality = 0, shownUndo = 0;
    COLORREF browserColour = 0;
    Run({[&](CDlgSetEnv& d) {
        d.SetDlgItemInt(IDC_SETENV_JPEGQ, 10);
        Click(d, IDC_SETENV_DEFAULTS);
        shownQuality = d.GetDlgItemInt(IDC_SETENV_JPEGQ);
        shownUndo = d.GetDlgItemInt(IDC_SETENV_UNDO);
        browserColour = d.m_clrBrowserBk;
        Close(d);
    }});
    EXPECT_EQ(95u, shownQuality);
    EXPECT_EQ(8u, shownUndo);
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), browserColour);
    EXPECT_EQ(before, Rows("select * from BasCodes where BasCateg <> 'Community' order by BasCateg, BasCode"));
    EXPECT_EQ(quality, theApp.m_nJpegQuality);
}

TEST_F(Settings, AStoredMembershipIsFetchedAtOnceAndAnUnknownOneKeepsIdAndPassword)
{
    stub.SetMember({"hong", "pw1", Cp949("홍길동"), Cp949("남"), "1970-01-02", Cp949("음력"), Cp949("서울 종로구"),
                    "hong@example.kr", "", ""});
    StoreMembership("hong", "pw1", "홍길동");
    std::string name, sex, calendar, address;
    BOOL fetchEnabled = TRUE, withdrawEnabled = FALSE;
    Run({[&](CDlgSetEnv& d) {
        name = d.m_strCustName;
        sex = d.m_strCustSex;
        calendar = d.m_strCustMnSn;
        address = d.m_strCustAddr;
        fetchEnabled = d.GetDlgItem(IDC_SETENV_FETCH)->IsWindowEnabled();
        withdrawEnabled = d.GetDlgItem(IDC_SETENV_WITHDRAW)->IsWindowEnabled();
        Close(d);
    }});
    EXPECT_EQ(Cp949("홍길동"), name);
    EXPECT_EQ(Cp949("남"), sex);
    EXPECT_EQ(Cp949("음력"), calendar);
    EXPECT_EQ(Cp949("서울 종로구"), address);
    EXPECT_FALSE(fetchEnabled);
    EXPECT_TRUE(withdrawEnabled);
    EXPECT_TRUE(boxes.shown().empty());

    Exec("delete from BasCodes where BasCateg = 'Community'");
    StoreMembership("kim", "wrong", "김");
    CString id, pwd;
    Run({[&](CDlgSetEnv& d) {
        d.GetDlgItemText(IDC_SETENV_CUSTID, id);
        d.GetDlgItemText(IDC_SETENV_CUSTPWD, pwd);
        Close(d);
    }});
    EXPECT_EQ((std::vector<std::string>{Cp949("커뮤니티 가입정보가 없습니다.")}), Shown());
    EXPECT_EQ("kim", std::string(id));
    EXPECT_EQ("wrong", std::string(pwd));
}

TEST_F(Settings, JoiningCheckingAndLeavingKeepEscapedKoreanTextWhole)
{
    const char* name = "홍 길동 & 'A' 100%+";
    Run({[&](CDlgSetEnv& d) {
             Type(d, IDC_SETENV_CUSTID, "hong");
             Type(d, IDC_SETENV_CUSTPWD, "p w");
             Type(d, IDC_SETENV_CUSTPWD2, "p w");
             Type(d, IDC_SETENV_CUSTNAME, name);
             Type(d, IDC_SETENV_ADDR, "서울\t중구");
             Click(d, IDC_SETENV_JOIN);
         },
         [](CDlgSetEnv& d) {
             Click(d, IDC_SETENV_DUPCHECK);
             Type(d, IDC_SETENV_CUSTID, "free");
             Click(d, IDC_SETENV_DUPCHECK);
             Close(d);
         }});
    auto members = stub.members();
    ASSERT_EQ(1u, members.count("hong"));
    EXPECT_EQ("p w", members["hong"].password);
    EXPECT_EQ(Cp949(name), members["hong"].name);
    EXPECT_EQ(Cp949("서울\t중구"), members["hong"].address);
    EXPECT_EQ("Mivo Lite", members["hong"].version);
    EXPECT_EQ(10u, members["hong"].regDate.size());
    EXPECT_EQ((std::vector<std::string>{Cp949("성공적으로 가입/수정 되었습니다."), Cp949("이미 존재하는 ID 입니다."),
                                        Cp949("사용 가능한 ID 입니다.")}),
              Shown());
    // The saving call went to the update page, the checks to the query page.
    std::vector<std::string> pages;
    for (const auto& r : stub.requests())
        pages.push_back(WebDatabaseStub::ProcedureOf(r.body) + " " + r.path);
    EXPECT_EQ((std::vector<std::string>{"SP_MIVO_CUSTOMER_SAVE /wdbc/wdbc_upt.asp",
                                        "SP_MIVO_CUSTOMER_DUPCHECK /wdbc/wdbc_sel.asp",
                                        "SP_MIVO_CUSTOMER_DUPCHECK /wdbc/wdbc_sel.asp"}),
              pages);

    // The stored membership opens the next dialog as a member, who can leave.
    std::string stored = Setting("Community", "Join", "BasDesc1||'|'||BasDesc2");
    EXPECT_EQ("hong|p w", stored);
    std::string idAfter = "x";
    Run({[&](CDlgSetEnv& d) {
        Click(d, IDC_SETENV_WITHDRAW);
        idAfter = d.m_strCustID;
        Close(d);
    }});
    EXPECT_EQ(0u, stub.members().count("hong"));
    EXPECT_EQ("", idAfter);
    EXPECT_EQ("||", Setting("Community", "Join", "ifnull(BasDesc1,'')||'|'||ifnull(BasDesc2,'')||'|'||ifnull(BasDesc3,'')"));
    EXPECT_EQ(Cp949("성공적으로 탈퇴 처리 하였습니다."), boxes.shown().back().text);
}

TEST_F(Settings, AMembershipIsNotSavedWithoutItsFields)
{
    struct {
        const char *id, *pwd, *pwd2, *name, *message;
    } cases[] = {
        {"", "a", "a", "n", "ID 를 입력하십시요."},
        {"id", "", "", "n", "비밀번호 를 입력하십시요."},
        {"id", "a", "b", "n", "비밀번호와 그 확인란에 입력한 내용이 일치하지 않습니다."},
        {"id", "a", "a", "", "이름을 입력하십시요."},
    };
    for (const auto& c : cases) {
        Run({[&c](CDlgSetEnv& d) {
            Type(d, IDC_SETENV_CUSTID, c.id);
            Type(d, IDC_SETENV_CUSTPWD, c.pwd);
            Type(d, IDC_SETENV_CUSTPWD2, c.pwd2);
            Type(d, IDC_SETENV_CUSTNAME, c.name);
            Click(d, IDC_SETENV_JOIN);
            Close(d);
        }});
        ASSERT_FALSE(boxes.shown().empty());
        EXPECT_EQ(Cp949(c.message), boxes.shown().back().text);
    }
    EXPECT_TRUE(stub.requests().empty());
}

TEST_F(Settings, CompactionKeepsEveryRowAndTheCacheIsEmptiedOnce)
{
    Exec("insert into ThumbImages (ThumbNo, ImgPath) values (901, 'C:\\a.jpg'), (902, 'C:\\b.jpg')");
    StoreMembership("", "", "");
    std::string before = Rows("select count(*) from BasCodes") + "/" + Rows("select count(*) from AlbumMaster");
    BOOL compactEnabled = TRUE, cacheEnabled = TRUE;
    Run({[&](CDlgSetEnv& d) {
        Click(d, IDC_SETENV_COMPACT);
        Click(d, IDC_SETENV_CLEARCACHE);
        compactEnabled = d.GetDlgItem(IDC_SETENV_COMPACT)->IsWindowEnabled();
        cacheEnabled = d.GetDlgItem(IDC_SETENV_CLEARCACHE)->IsWindowEnabled();
        Close(d);
    }});
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_FALSE(compactEnabled);
    EXPECT_FALSE(cacheEnabled);
    EXPECT_EQ(before, Rows("select count(*) from BasCodes") + "/" + Rows("select count(*) from AlbumMaster"));
    EXPECT_EQ("0", Rows("select count(*) from ThumbImages"));
}

TEST_F(Settings, AfterAProfileResetTheDialogStoresNoPosition)
{
    Run({[](CDlgSetEnv& d) {
        Click(d, IDC_SETENV_RESETPROFILE);
        Close(d);
    }});
    ASSERT_FALSE(boxes.shown().empty());
    EXPECT_EQ(MB_YESNO | MB_ICONQUESTION, boxes.shown().back().type);
    CRect rect;
    theApp.RtrvWindowPos("SetEnv", &rect);
    EXPECT_EQ(-1, rect.left);

    Run({[](CDlgSetEnv& d) { Close(d); }});
    theApp.RtrvWindowPos("SetEnv", &rect);
    EXPECT_NE(-1, rect.left) << "a dialog without a reset stores its position";
}

namespace {

bool g_settingsSeen = false;

// Closes the settings dialog once it shows, from inside its own modal loop.
void CALLBACK CloseSettings(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND settings = ::FindWindow(nullptr, "프로그램 환경 관리");
    if (!settings)
        return;
    ::KillTimer(nullptr, id);
    g_settingsSeen = true;
    ::SendMessage(settings, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

TEST_F(Settings, TheAboutBoxsJoinButtonOpensTheSettings)
{
    CAboutDlg about;
    BOOL enabled = FALSE;
    g_settingsSeen = false;
    CWnd* main = AfxGetApp()->m_pMainWnd;
    AfxGetApp()->m_pMainWnd = &owner;
    script.Then([&](HWND d) {
        AfxGetApp()->m_pMainWnd = main;
        enabled = ::IsWindowEnabled(::GetDlgItem(d, IDC_ABOUT_JOIN));
        ::SetTimer(nullptr, 0, 10, CloseSettings);
        ::SendMessage(d, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_JOIN, BN_CLICKED), 0);
        ::SendMessage(d, WM_COMMAND, IDOK, 0);
    });
    about.DoModal();
    AfxGetApp()->m_pMainWnd = main;
    EXPECT_TRUE(enabled);
    EXPECT_TRUE(g_settingsSeen);
}
