// Handing over to a site: the browser for partners, the maker's program with its site id, the
// chooser closing after every hand-over; the home page and the information dialog keep it open.
#include <gtest/gtest.h>

#include "DlgSiteInfo.h"
#include "KestruneTestSupport.h"
#include "SiteListView.h"
#include "support/DialogDriver.h"
#include "support/MessageBoxCapture.h"
#include "support/MessageLoop.h"

#include "controls/VXMenu.h"
#include "mivo/process.h"

#include <sys/stat.h>

#include <string>
#include <vector>

using kestrunetest::DataFolder;
using kestrunetest::WriteFile;

namespace {

using Argv = std::vector<std::string>;

int g_closes = 0;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CLOSE) {
        ++g_closes;
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

struct Site {
    const char* id;
    const char* url;
    const char* home;
    const char* provider;
};

const Site kSites[] = {
    {"P1", "http://partner.example.co.kr/order?id=7", "http://partner.example.co.kr/", "Partner"},
    {"V1", "Order.exe", "http://vantrel.example.co.kr/", "Vantrel"},
    {"V2", "..\\Kestrune.exe", "", "Vantrel"},
    {"V3", "Profile.MivoOrder", "", "Vantrel"},
    {"L1", "http://lower.example.co.kr/", "www.lower.example.co.kr", "vantrel"},
    {"N1", "http://nohome.example.co.kr/", "", "Partner"},
};

class HandOverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_closes = 0;
        WNDCLASS wc = {};
        wc.lpfnWndProc = OwnerProc;
        wc.lpszClassName = "KestruneTestOwner";
        RegisterClass(&wc);
        m_owner = CreateWindow("KestruneTestOwner", "Mivo", WS_OVERLAPPEDWINDOW, 0, 0, 700, 500, nullptr, nullptr,
                               nullptr, nullptr);
        m_view = (CSiteListView*)RUNTIME_CLASS(CSiteListView)->CreateObject();
        for (const Site& s : kSites) {
            CString row[CSiteTable::COLUMN_COUNT];
            row[CSiteTable::COL_SITE_ID] = s.id;
            row[CSiteTable::COL_SITE_URL] = s.url;
            row[CSiteTable::COL_HOMEPAGE] = s.home;
            row[CSiteTable::COL_PHONE] = CString("02-") + s.id;
            row[CSiteTable::COL_FAX] = CString("031-") + s.id;
            row[CSiteTable::COL_PROVIDER] = s.provider;
            m_view->AddRow(row);
        }
        m_view->SyncPictureSlots();
        m_view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 630, 420), CWnd::FromHandle(m_owner),
                       0xE900);
        m_view->m_bFrameActivation = FALSE;
        m_view->m_pOwner = CWnd::FromHandle(m_owner);
        m_view->m_strDataDir = m_data.dataDir().c_str();
        m_view->SendMessage(WM_INITIALUPDATE);
        mivo::SetSpawnHook([this](const Argv& argv) {
            m_started.push_back(argv);
            return true;
        });
    }
    void TearDown() override
    {
        mivo::SetSpawnHook(nullptr);
        DestroyWindow(m_owner);
        mivo::test::PumpUntilIdle();
    }

    void Command(UINT id, int selected)
    {
        m_view->m_nSelected = selected;
        m_view->SendMessage(WM_COMMAND, id, 0);
    }

    DataFolder m_data;
    HWND m_owner = nullptr;
    CSiteListView* m_view = nullptr;
    std::vector<Argv> m_started;
    mivotest::MessageBoxCapture m_boxes;
};

}  // namespace

TEST_F(HandOverTest, PartnersOpenInTheBrowserAndTheChooserCloses)
{
    m_view->OpenSelectedSite(0);
    ASSERT_EQ(1u, m_started.size());
    EXPECT_EQ(Argv({"xdg-open", "http://partner.example.co.kr/order?id=7"}), m_started[0]);
    EXPECT_EQ(1, g_closes);
    // A lower-case provider is a partner too.
    Command(ID_SITE_ORDER, 4);
    ASSERT_EQ(2u, m_started.size());
    EXPECT_EQ(Argv({"xdg-open", "http://lower.example.co.kr/"}), m_started[1]);
    EXPECT_EQ(2, g_closes);
}

TEST_F(HandOverTest, TheMakersProgramStartsWithTheSiteIdOnlyWhenItCanRun)
{
    const std::string program = m_data.posix("Order.exe");
    WriteFile(program, "#!/bin/sh\n");
    // As downloaded (ordinary modes): its start fails quietly and the chooser still closes.
    m_view->OpenSelectedSite(1);
    EXPECT_TRUE(m_started.empty());
    EXPECT_EQ(1, g_closes);
    chmod(program.c_str(), 0755);
    m_view->OpenSelectedSite(1);
    ASSERT_EQ(1u, m_started.size());
    EXPECT_EQ(Argv({program, "SiteID=V1"}), m_started[0]);
    EXPECT_EQ(2, g_closes);
    // Names that are no plain ".exe" name in the data folder are never started.
    m_view->OpenSelectedSite(2);
    m_view->OpenSelectedSite(3);
    EXPECT_EQ(1u, m_started.size());
    EXPECT_EQ(4, g_closes);
    EXPECT_TRUE(m_boxes.shown().empty());
}

TEST_F(HandOverTest, NothingHappensWithoutAValidSelection)
{
    for (int selected : {-1, 6, 100}) {
        m_view->m_nSelected = selected;
        MSG enter = {m_view->m_hWnd, WM_KEYDOWN, VK_RETURN, 0};
        EXPECT_TRUE(m_view->PreTranslateMessage(&enter));
        Command(ID_SITE_ORDER, selected);
        Command(ID_SITE_HOMEPAGE, selected);
        Command(ID_SITE_INFO, selected);
        m_view->OpenSelectedSite(selected);
    }
    EXPECT_TRUE(m_started.empty());
    EXPECT_EQ(0, g_closes);
}

TEST_F(HandOverTest, HomePageOpensWithoutClosingAndIsGreyedWhenEmpty)
{
    Command(ID_SITE_HOMEPAGE, 0);
    Command(ID_SITE_HOMEPAGE, 4);
    ASSERT_EQ(2u, m_started.size());
    EXPECT_EQ(Argv({"xdg-open", "http://partner.example.co.kr/"}), m_started[0]);
    EXPECT_EQ(Argv({"xdg-open", "http://www.lower.example.co.kr"}), m_started[1]) << "no scheme: http";
    EXPECT_EQ(0, g_closes);

    const struct {
        int selected;
        bool greyed;
    } cases[] = {{0, false}, {4, false}, {5, true}, {2, true}};
    for (const auto& c : cases) {
        m_view->m_nSelected = c.selected;
        CVXMenu menu;
        CMenu* popup = m_view->BuildContextMenu(menu);
        ASSERT_NE(nullptr, popup);
        ASSERT_EQ(4, popup->GetMenuItemCount());
        EXPECT_EQ((UINT)ID_SITE_ORDER, popup->GetMenuItemID(0));
        EXPECT_EQ((UINT)ID_SITE_INFO, popup->GetMenuItemID(3));
        UINT state = popup->GetMenuState(ID_SITE_HOMEPAGE, MF_BYCOMMAND);
        EXPECT_EQ(c.greyed, (state & MF_GRAYED) != 0) << c.selected;
        EXPECT_EQ(0u, popup->GetMenuState(ID_SITE_ORDER, MF_BYCOMMAND) & MF_GRAYED);
    }
}

TEST_F(HandOverTest, InformationShowsPhoneFaxAndHomePage)
{
    mivo::test::ModalScript script;
    CWinApp app("KestruneTest");
    app.m_pMainWnd = CWnd::FromHandle(script.Owner());
    std::string caption, phone, fax, home;
    script.Then([&](HWND dialog) {
        char text[128];
        GetWindowText(dialog, text, sizeof text);
        caption = text;
        GetDlgItemText(dialog, IDC_SITE_PHONE, text, sizeof text);
        phone = text;
        GetDlgItemText(dialog, IDC_SITE_FAX, text, sizeof text);
        fax = text;
        GetDlgItemText(dialog, IDC_SITE_HOMEPAGE, text, sizeof text);
        home = text;
        PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Command(ID_SITE_INFO, 4);
    app.m_pMainWnd = nullptr;
    EXPECT_EQ("인화 사이트 등록정보", caption);
    EXPECT_EQ("02-L1", phone);
    EXPECT_EQ("031-L1", fax);
    EXPECT_EQ("www.lower.example.co.kr", home);
    EXPECT_EQ(0, g_closes);
    EXPECT_TRUE(m_started.empty());
}
