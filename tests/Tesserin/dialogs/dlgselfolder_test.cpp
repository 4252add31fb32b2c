// The folder chooser: its two messages for wrong flags and missing folders, each way of
// naming the folder to select, the re-read button, and the answers once it has closed.
#include "../controls/ShellFixture.h"
#include "PickerFixture.h"

#include "controls/ShellFunctions.h"
#include "controls/ShellGlobals.h"
#include "dialogs/DlgSelFolder.h"
#include "DialogTestSupport.h"
#include "res/resource.h"
#include "support/MessageBoxCapture.h"

#include <cstring>
#include <string>

using mivo::test::QueueKey;

namespace {

const char kAmbiguous[] = "Ambiguous selected type is specified in _bffinfo::m_nFlags. Please, correct your parameters.";
const char kMissing[] = "The specified path does not exist";

struct SelFolder : ShellFixture {
    dialogtest::ProfileApp profile;
    CVXApp& app = profile.app();
    _bffinfo info;

    void SetUp() override
    {
        ShellFixture::SetUp();
        memset(&info, 0, sizeof(info));
        strcpy(info.m_szTitle, "사진 폴더");
        strcpy(info.m_szMessage, "사진을 넣을 폴더를 고르세요");
    }

    // Runs the chooser with check while it is up, then Escape.
    void Run(CDlgSelFolder& dlg, const std::function<void(HWND)>& check)
    {
        ScriptedOwner run(app);
        run.script.Then([&](HWND box) {
            check(box);
            QueueKey(VK_ESCAPE);
        });
        dlg.DoModal();
    }
};

}  // namespace

TEST_F(SelFolder, FlagsAndFoldersThatCannotBeSelectedAreReported)
{
    struct Case {
        UINT flags;
        const char* path;
        const char* text;
        const char* caption;
        UINT icon;
    } cases[] = {
        {0, "M:\\앨범", kAmbiguous, "사진 폴더", 0},
        {BFF_SELECT_BY_PATH | BFF_SELECT_SPECIAL, "M:\\앨범", kAmbiguous, "사진 폴더", 0},
        {BFF_SELECT_BY_PATH | BFF_SELECT_BY_IDL | BFF_SELECT_SPECIAL, "M:\\앨범", kAmbiguous, "사진 폴더", 0},
        {BFF_SELECT_BY_PATH, "M:\\앨범\\없음", kMissing, "Error", MB_ICONSTOP},
        {BFF_SELECT_BY_PATH, "", kMissing, "Error", MB_ICONSTOP},
        {BFF_SELECT_BY_IDL, "", kMissing, "Error", MB_ICONSTOP},
    };
    for (const Case& c : cases) {
        mivotest::MessageBoxCapture boxes(IDOK);
        info.m_nFlags = c.flags;
        strcpy(info.m_szInitialPath, c.path);
        CDlgSelFolder dlg(&info);
        Run(dlg, [](HWND) {});
        auto shown = boxes.shown();
        ASSERT_EQ(1u, shown.size()) << c.flags << " " << c.path;
        EXPECT_EQ(c.text, shown[0].text);
        EXPECT_EQ(c.caption, shown[0].caption);
        if (c.icon) {
            EXPECT_EQ(c.icon, shown[0].type & MB_ICONMASK);
        }
    }
}

TEST_F(SelFolder, EachSelectionKindSelectsItsFolderSilently)
{
    ITEMIDLIST* computer = ShellGlobals::Instance().GetSpecialFolderPIDL(CSIDL_DRIVES);
    struct Case {
        UINT flags;
        const char* path;
        const ITEMIDLIST* pidl;
        const char* selectedName;
    } cases[] = {
        {BFF_SELECT_BY_PATH, "M:\\앨범\\여름", nullptr, "여름"},
        {BFF_SELECT_SPECIAL, "", nullptr, "내 컴퓨터"},
        {BFF_SELECT_BY_IDL, "", computer, "내 컴퓨터"},
        {BFF_SELECT_BY_PATH | BFF_ROOT_BY_CSIDL, "M:\\문서", nullptr, "문서"},
    };
    for (const Case& c : cases) {
        mivotest::MessageBoxCapture boxes(IDOK);
        info.m_nFlags = c.flags;
        info.m_nRootCSIDL = CSIDL_DESKTOP;
        strcpy(info.m_szInitialPath, c.path);
        info.m_pidlInitial = c.pidl;
        CDlgSelFolder dlg(&info);
        Run(dlg, [&](HWND box) {
            EXPECT_EQ("사진 폴더", WindowTextOf(box));
            EXPECT_EQ("사진을 넣을 폴더를 고르세요", WindowTextOf(::GetDlgItem(box, IDC_SELFOLDER_TITLE)));
            EXPECT_EQ(c.path, WindowTextOf(::GetDlgItem(box, IDC_SELFOLDER_PATH)));
            EXPECT_EQ(::GetDlgItem(box, IDC_SELFOLDER_PATH), ::GetFocus());
            EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(box, IDC_SELFOLDER_SET_ROOT)));
            EXPECT_STREQ(c.selectedName, dlg.GetTreeSelectedName()) << c.path;
        });
        EXPECT_TRUE(boxes.shown().empty()) << c.flags;
    }
    SHFree1(computer);
}

TEST_F(SelFolder, TheReReadButtonGoesToTheTypedPathAndAnswersStayAfterClosing)
{
    mivotest::MessageBoxCapture boxes(IDOK);
    info.m_nFlags = BFF_SELECT_BY_PATH;
    strcpy(info.m_szInitialPath, "M:\\앨범");
    CDlgSelFolder dlg(&info);
    ScriptedOwner run(app);
    run.script
        .Then([](HWND box) {
            ::SetDlgItemText(box, IDC_SELFOLDER_PATH, "M:\\앨범\\여름\\바다");
            ::SendMessage(box, WM_COMMAND, MAKEWPARAM(IDC_SELFOLDER_SYNCH, BN_CLICKED),
                          (LPARAM)::GetDlgItem(box, IDC_SELFOLDER_SYNCH));
        })
        .Then([&](HWND box) {
            EXPECT_STREQ("M:\\앨범\\여름\\바다", dlg.GetTreeSelectedPath());
            ::SetDlgItemText(box, IDC_SELFOLDER_PATH, "M:\\없는곳");
            ::SendMessage(box, WM_COMMAND, MAKEWPARAM(IDC_SELFOLDER_SYNCH, BN_CLICKED),
                          (LPARAM)::GetDlgItem(box, IDC_SELFOLDER_SYNCH));
            ::SetDlgItemText(box, IDC_SELFOLDER_PATH, "M:\\문서");
            ::SendMessage(box, WM_COMMAND, MAKEWPARAM(IDC_SELFOLDER_SYNCH, BN_CLICKED),
                          (LPARAM)::GetDlgItem(box, IDC_SELFOLDER_SYNCH));
            ::SetFocus(::GetDlgItem(box, IDC_SELFOLDER_PATH));
            QueueKey(VK_RETURN);
        });
    EXPECT_EQ(IDOK, dlg.DoModal());
    auto shown = boxes.shown();
    ASSERT_EQ(1u, shown.size()) << "only the missing folder is reported";
    EXPECT_EQ(kMissing, shown[0].text);
    char typed[MAX_PATH];
    dlg.GetTypedPath(typed);
    EXPECT_STREQ("M:\\문서", typed);
    EXPECT_STREQ("M:\\문서", dlg.GetTreeSelectedPath());
    EXPECT_STREQ("문서", dlg.GetTreeSelectedName());
    ITEMIDLIST* full = dlg.GetTreeSelectedFullIDL();
    char path[MAX_PATH] = "";
    EXPECT_TRUE(full && SHGetPathFromIDList(full, path));
    EXPECT_STREQ("M:\\문서", path);
    if (full)
        SHFree1(full);
}
