// The music player bar on the null sound device, the virtual mixer and the virtual CD drive:
// play lists from the file chooser and the disc, stepping with and without repeat, the end of
// an entry, eject, seeking, the volume both ways, and the window that borrows the bar.
#include <gtest/gtest.h>

#include "shell/DlgMediaPlayer.h"
#include "shell/DlgMediaPlayerBar.h"
#include "shell/MainApp.h"
#include "shell/MainFrame.h"
#include "album/DlgConsoleBrowse.h"
#include "ShellFixture.h"
#include "media/VolumeOutMaster.h"
#include "resource.h"

#include "mivo/codepage.h"
#include "mivo/testing/cdaudio.h"
#include "mivo/testing/mixer.h"
#include "support/DialogDriver.h"
#include "support/MessageBoxCapture.h"
#include "support/MessageLoop.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using mivo::VirtualCdDrive;
using mivo::VirtualMixer;
using mivo::test::ModalScript;
using mivotest::TempFolder;

namespace {

std::vector<uint8_t> Wave(unsigned ms)
{
    const unsigned rate = 8000;
    unsigned frames = rate * ms / 1000, dataSize = frames * 2;
    std::vector<uint8_t> w;
    auto put32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) w.push_back((uint8_t)(v >> (8 * i))); };
    auto put16 = [&](uint16_t v) { w.push_back((uint8_t)v); w.push_back((uint8_t)(v >> 8)); };
    auto tag = [&](const char* t) { w.insert(w.end(), t, t + 4); };
    tag("RIFF");
    put32(36 + dataSize);
    tag("WAVE");
    tag("fmt ");
    put32(16);
    put16(1);
    put16(1);
    put32(rate);
    put32(rate * 2);
    put16(2);
    put16(16);
    tag("data");
    put32(dataSize);
    w.resize(w.size() + dataSize, 0);
    return w;
}

std::vector<std::string> Texts(const CStringArray& a)
{
    std::vector<std::string> out;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        out.push_back((LPCSTR)a[i]);
    return out;
}

void SelectInList(HWND dlg, const std::vector<std::string>& names)
{
    HWND list = GetDlgItem(dlg, lst1);
    for (const std::string& n : names) {
        LVFINDINFO find = {LVFI_STRING};
        find.psz = n.c_str();
        int index = (int)SendMessage(list, LVM_FINDITEM, (WPARAM)-1, (LPARAM)&find);
        LVITEM state = {};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessage(list, LVM_SETITEMSTATE, index, (LPARAM)&state);
    }
}

// Three tracks of 3, 4 and 2 minutes, starting 2 seconds into the disc.
const std::vector<unsigned> kTracks = {3 * 60 * 75, 4 * 60 * 75, 2 * 60 * 75};

class PlayerBar : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("MIVO_AUDIO", "null", 1);
        mixer = std::make_shared<VirtualMixer>();
        mixer->Add("Master", VirtualMixer::Role::Master, 0, 255);
        mivo::UseVirtualMixer(mixer);
        drive = std::make_shared<VirtualCdDrive>();
        drive->InsertDisc(kTracks);
        mivo::UseVirtualCdDrive(drive);
        // The bar sits in the script's window, which hears when a dialog of the bar goes idle.
        host.Attach(script.Owner());
        host.MoveWindow(0, 0, 260, 480);
        bar = std::make_unique<CDlgMediaPlayerBar>(&host);
        ASSERT_TRUE(bar->Create(IDD_MEDIAPLAYER_BAR, &host));
        bar->ShowWindow(SW_SHOW);
        theApp.m_szMusicDir[0] = 0;
    }
    void TearDown() override
    {
        if (bar->GetSafeHwnd())
            bar->DestroyWindow();
        bar.reset();
        host.Detach();
        mivo::test::PumpUntilIdle();
        mivo::UseNoCdDrive();
        mivo::UseNoMixer();
    }

    std::string Song(const std::string& name, unsigned ms = 3000)
    {
        std::vector<uint8_t> bytes = Wave(ms);
        FILE* f = fopen(music.file(mivo::ToUtf8(name.c_str())).c_str(), "wb");
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
        return music.windowsPath() + name;
    }
    std::string Folder() const
    {
        std::string w = music.windowsPath();
        return w.substr(0, w.size() - 1);
    }
    // Runs the bar's MP3 button with these names chosen in the file chooser.
    void ChooseFiles(const std::vector<std::string>& names)
    {
        std::string folder = Folder();
        CMainApp::CopyFolderBuffer(theApp.m_szMusicDir, folder.c_str());
        char saved[MAX_PATH];
        GetCurrentDirectory(sizeof(saved), saved);
        script.Then([names](HWND d) { SelectInList(d, names); }).Then([](HWND d) {
            SendMessage(d, WM_COMMAND, IDOK, 0);
        });
        bar->LoadMusicFiles();
        SetCurrentDirectory(saved);
    }
    std::string TitleShown() const
    {
        CString text;
        bar->GetDlgItemText(IDC_PLAYER_TITLE, text);
        return (LPCSTR)text;
    }
    void Tick() { bar->SendMessage(WM_TIMER, CDlgMediaPlayerBar::kTimerId, 0); }

    TempFolder music{"mivo-player"};
    ModalScript script;
    std::shared_ptr<VirtualMixer> mixer;
    std::shared_ptr<VirtualCdDrive> drive;
    mivotest::MessageBoxCapture boxes;
    CWnd host;
    std::unique_ptr<CDlgMediaPlayerBar> bar;
};

}  // namespace

TEST(PlayerChosenFiles, ReadsOnePathOrAFolderWithNamesAndNeverPastTheBuffer)
{
    struct Case {
        const char* what;
        std::string buffer;
        std::vector<std::string> paths;
        std::vector<std::string> titles;
    } cases[] = {
        {"one file", std::string("C:\\음악\\곡.mp3\0\0", 17), {"C:\\음악\\곡.mp3"}, {"곡.mp3"}},
        {"three files", std::string("C:\\m\0b.wav\0a.wav\0c.wav\0\0", 25),
         {"C:\\m\\b.wav", "C:\\m\\a.wav", "C:\\m\\c.wav"}, {"b.wav", "a.wav", "c.wav"}},
        {"a root folder", std::string("C:\\\0x.mp3\0y.mp3\0\0", 18), {"C:\\x.mp3", "C:\\y.mp3"}, {"x.mp3", "y.mp3"}},
        {"nothing chosen", std::string("\0\0", 2), {}, {}},
        {"a last name cut off", std::string("C:\\m\0a.wav\0bbbb", 15), {"C:\\m\\a.wav"}, {"a.wav"}},
        {"no NUL at all", std::string(64, 'x'), {}, {}},
    };
    for (const Case& c : cases) {
        CStringArray paths, titles;
        int count = CDlgMediaPlayerBar::ReadChosenFiles(c.buffer.data(), c.buffer.size(), paths, titles);
        EXPECT_EQ((int)c.paths.size(), count) << c.what;
        EXPECT_EQ(c.paths, Texts(paths)) << c.what;
        EXPECT_EQ(c.titles, Texts(titles)) << c.what;
    }
}

TEST_F(PlayerBar, OneChosenFileGivesAOneEntryListTitledWithItsName)
{
    std::string path = Song("첫곡.wav");
    ChooseFiles({"첫곡.wav"});
    EXPECT_EQ(std::vector<std::string>{path}, Texts(bar->m_arrPaths));
    EXPECT_EQ(std::vector<std::string>{"첫곡.wav"}, Texts(bar->m_arrTitles));
    EXPECT_FALSE(bar->IsCdEntry(0));
    EXPECT_EQ(CDlgMediaPlayerBar::kNoCdTime, bar->m_arrStart[0]);
    EXPECT_EQ(CDlgMediaPlayerBar::kNoCdTime, bar->m_arrEnd[0]);
    EXPECT_EQ(1, bar->m_lstPlay.GetCount());
    EXPECT_TRUE(bar->m_bPlaying);
    EXPECT_TRUE(bar->m_bFileMode);
    EXPECT_FALSE(bar->m_bCdMode);
    EXPECT_EQ(BST_CHECKED, bar->IsDlgButtonChecked(IDC_PLAYER_FILES));
    EXPECT_EQ("첫곡.wav", TitleShown());
    ASSERT_TRUE(::IsWindow(bar->m_hMCIWnd));
    EXPECT_EQ(MCI_MODE_PLAY, MCIWndGetMode(bar->m_hMCIWnd, nullptr, 0));
    EXPECT_EQ(3, bar->m_nTrackLength);
    EXPECT_EQ(Folder(), std::string(theApp.m_szMusicDir));
}

TEST_F(PlayerBar, ThreeFilesInTheChoosersOrderAndStepsRoundTheEnds)
{
    for (const char* name : {"a.wav", "b.wav", "c.wav"})
        Song(name);
    ChooseFiles({"a.wav", "b.wav", "c.wav"});
    ASSERT_EQ(3, bar->GetEntryCount());
    EXPECT_EQ((std::vector<std::string>{"a.wav", "b.wav", "c.wav"}), Texts(bar->m_arrTitles));
    EXPECT_EQ(0, bar->m_nCurEntry);

    struct {
        void (CDlgMediaPlayerBar::*step)();
        int repeat;
        int from, to;
    } cases[] = {
        {&CDlgMediaPlayerBar::Next, 0, 0, 1},     {&CDlgMediaPlayerBar::Next, 0, 2, 0},
        {&CDlgMediaPlayerBar::Previous, 0, 0, 2}, {&CDlgMediaPlayerBar::Previous, 0, 2, 1},
        {&CDlgMediaPlayerBar::Next, 1, 1, 1},     {&CDlgMediaPlayerBar::Previous, 1, 2, 2},
    };
    for (const auto& c : cases) {
        bar->PlayEntry(c.from);
        bar->m_bRepeat = c.repeat;
        HWND before = bar->m_hMCIWnd;
        (bar.get()->*c.step)();
        EXPECT_EQ(c.to, bar->m_nCurEntry) << c.from << " repeat " << c.repeat;
        EXPECT_EQ(c.to, bar->m_lstPlay.GetCurSel());
        // Each step starts the entry afresh, a replay too.
        EXPECT_FALSE(::IsWindow(before));
        EXPECT_TRUE(::IsWindow(bar->m_hMCIWnd));
        EXPECT_EQ(std::string(bar->m_arrTitles[c.to]), TitleShown());
    }
}

TEST_F(PlayerBar, TheEndOfAnEntryStartsTheNextOrTheSameOneWithRepeat)
{
    Song("a.wav");
    Song("b.wav");
    ChooseFiles({"a.wav", "b.wav"});
    for (int repeat : {0, 1}) {
        bar->PlayEntry(0);
        bar->m_bRepeat = repeat;
        HWND first = bar->m_hMCIWnd;
        Tick();
        EXPECT_EQ(first, bar->m_hMCIWnd) << "still in the middle";
        MCIWndSeek(first, MCIWndGetLength(first));
        Tick();
        EXPECT_EQ(repeat ? 0 : 1, bar->m_nCurEntry);
        EXPECT_NE(first, bar->m_hMCIWnd);
        EXPECT_EQ(0, MCIWndGetPosition(bar->m_hMCIWnd));
    }
}

TEST_F(PlayerBar, PauseAndPlayResumeTheFileWhereItWas)
{
    Song("a.wav");
    ChooseFiles({"a.wav"});
    HWND window = bar->m_hMCIWnd;
    MCIWndSeek(window, 1500);
    MCIWndPlay(window);
    bar->Pause();
    EXPECT_TRUE(bar->m_bPaused);
    EXPECT_EQ(MCI_MODE_PAUSE, MCIWndGetMode(window, nullptr, 0));
    bar->Play();
    EXPECT_FALSE(bar->m_bPaused);
    EXPECT_EQ(window, bar->m_hMCIWnd);
    EXPECT_EQ(MCI_MODE_PLAY, MCIWndGetMode(window, nullptr, 0));
    EXPECT_GE(MCIWndGetPosition(window), 1500);
}

TEST_F(PlayerBar, EjectEmptiesTheListWhileTheFilePlaysOnAndStopEndsIt)
{
    Song("a.wav");
    ChooseFiles({"a.wav"});
    HWND window = bar->m_hMCIWnd;
    bool doorBefore = drive->DoorOpen();
    bar->Eject();
    EXPECT_NE(doorBefore, drive->DoorOpen());
    EXPECT_EQ(0, bar->GetEntryCount());
    EXPECT_EQ(0, (int)bar->m_arrStart.GetSize() + (int)bar->m_arrEnd.GetSize() + (int)bar->m_arrTitles.GetSize());
    EXPECT_EQ(0, bar->m_lstPlay.GetCount());
    EXPECT_TRUE(bar->m_bPlaying);
    EXPECT_EQ(MCI_MODE_PLAY, MCIWndGetMode(window, nullptr, 0));

    bar->Stop();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(nullptr, bar->m_hMCIWnd);
    EXPECT_FALSE(bar->m_bPlaying || bar->m_bPaused || bar->m_bFileMode || bar->m_bCdMode);
    EXPECT_EQ("", TitleShown());
    EXPECT_EQ(BST_UNCHECKED, bar->IsDlgButtonChecked(IDC_PLAYER_FILES));
    // An empty list plays nothing.
    bar->Play();
    bar->Next();
    EXPECT_FALSE(bar->m_bPlaying);
}

TEST_F(PlayerBar, MovingThePositionSeeksTheFile)
{
    Song("a.wav", 5000);
    ChooseFiles({"a.wav"});
    EXPECT_EQ(5, bar->m_sldPosition.GetRangeMax());
    bar->m_sldPosition.SetPos(3);
    bar->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 3), (LPARAM)bar->m_sldPosition.GetSafeHwnd());
    EXPECT_GE(MCIWndGetPosition(bar->m_hMCIWnd), 3000);
    EXPECT_EQ(MCI_MODE_PLAY, MCIWndGetMode(bar->m_hMCIWnd, nullptr, 0));
}

TEST_F(PlayerBar, TheVolumeTrackbarIsTheMixersVolumeUpsideDown)
{
    ASSERT_TRUE(bar->m_pVolume);
    EXPECT_EQ(65535, bar->m_sldVolume.GetRangeMax());
    EXPECT_EQ(65535 - (int)bar->m_pVolume->GetCurrentVolume(), bar->m_sldVolume.GetPos());

    mixer->SetFromElsewhere("Master", 51);  // a fifth of 255
    ASSERT_TRUE(mivo::test::PumpUntil([&] { return bar->m_sldVolume.GetPos() == 65535 - 13107; }));

    bar->m_sldVolume.SetPos(65535);
    bar->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 65535), (LPARAM)bar->m_sldVolume.GetSafeHwnd());
    EXPECT_EQ(0, mixer->Raw("Master"));
}

TEST_F(PlayerBar, TheDiscsTracksAreListedWithTrackOneASecondLate)
{
    bar->LoadCdTracks();
    EXPECT_EQ((std::vector<std::string>{"Track 01  (03:00)", "Track 02  (04:00)", "Track 03  (02:00)"}),
              Texts(bar->m_arrTitles));
    EXPECT_EQ((std::vector<std::string>{"1", "2", "3"}), Texts(bar->m_arrPaths));
    std::vector<DWORD> starts, ends;
    for (int i = 0; i < 3; ++i) {
        starts.push_back(bar->m_arrStart[i]);
        ends.push_back(bar->m_arrEnd[i]);
        EXPECT_TRUE(bar->IsCdEntry(i));
    }
    EXPECT_EQ((std::vector<DWORD>{3, 182, 422}), starts);
    EXPECT_EQ((std::vector<DWORD>{182, 422, 542}), ends);
    EXPECT_TRUE(bar->m_bCdMode);
    EXPECT_EQ(1, bar->m_nCurTrack);
    EXPECT_EQ(3, bar->m_lstPlay.GetCount());
    std::vector<std::string> sent = drive->Commands();
    EXPECT_NE(std::find(sent.begin(), sent.end(), "play cdaudio from 00:03:00 to 03:02:00"), sent.end());

    drive->ClearCommands();
    bar->Next();
    sent = drive->Commands();
    EXPECT_NE(std::find(sent.begin(), sent.end(), "play cdaudio from 03:02:00 to 07:02:00"), sent.end());
    EXPECT_EQ("Track 02  (04:00)", TitleShown());

    bar->Eject();
    EXPECT_EQ(0, bar->GetEntryCount());
    EXPECT_FALSE(bar->m_bPlaying);
}

TEST_F(PlayerBar, WithoutADriveOrADiscTheCdButtonLeavesThePlayerIdle)
{
    for (bool noDrive : {false, true}) {
        if (noDrive)
            mivo::UseNoCdDrive();
        else
            drive->RemoveDisc();
        bar->LoadCdTracks();
        EXPECT_EQ(0, bar->GetEntryCount()) << noDrive;
        EXPECT_FALSE(bar->m_bPlaying || bar->m_bCdMode) << noDrive;
        EXPECT_EQ(BST_UNCHECKED, bar->IsDlgButtonChecked(IDC_PLAYER_CD)) << noDrive;
    }
}

TEST_F(PlayerBar, ThePlayerWindowBorrowsTheBarAndGivesItBackInPlace)
{
    CRect home;
    bar->GetWindowRect(&home);
    host.ScreenToClient(&home);
    CDlgMediaPlayer player(bar.get(), &host);
    CRect inside, client;
    script.Then([&](HWND d) {
        EXPECT_EQ(d, ::GetParent(bar->GetSafeHwnd()));
        bar->GetWindowRect(&inside);
        ::GetClientRect(d, &client);
        ::ScreenToClient(d, (POINT*)&inside);
        ::ScreenToClient(d, (POINT*)&inside + 1);
        ::SendMessage(d, WM_CLOSE, 0, 0);
    });
    player.DoModal();
    EXPECT_EQ(client, inside);
    EXPECT_EQ(host.GetSafeHwnd(), ::GetParent(bar->GetSafeHwnd()));
    CRect back;
    bar->GetWindowRect(&back);
    host.ScreenToClient(&back);
    EXPECT_EQ(home, back);
    EXPECT_TRUE(bar->IsWindowVisible());
}

TEST(MusicCommand, OnTheFolderGroupTheFolderPaneShowsItsPlayer)
{
    CMainFrame* frame = shelltest::Program();
    ASSERT_NE(nullptr, frame);
    frame->SetSelFolder(kFolderBrowse);
    mivo::test::PumpUntilIdle();
    frame->SendMessage(WM_COMMAND, ID_TOOLS_MUSIC, 0);
    ASSERT_TRUE(frame->m_pBrowsePane->GetPlayerBar());
    EXPECT_TRUE(frame->m_pBrowsePane->IsMusicTabShown());
    EXPECT_TRUE(frame->m_pBrowsePane->GetPlayerBar()->IsWindowVisible());
}
