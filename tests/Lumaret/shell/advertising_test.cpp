// The advertising band with its host 127.0.0.1 answered in-process and its page from the
// web-database stand-in: the logo until the host answers, the page with its picture after a
// tick, a worker that stops without navigating when the band closes while it waits, the
// navigation sounds silenced and given back (empty ones stay empty), and no context menu.
#include <gtest/gtest.h>

#include "ShellFixture.h"
#include "shell/AdWebView.h"
#include "shell/DlgAdvertising.h"
#include "shell/MainApp.h"
#include "resource.h"

#include "mivo/testing/net.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "support/WebDatabaseSeed.h"
#include "support/WebDatabaseStub.h"
#include "support/WindowCapture.h"

#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>

using mivo::test::PumpUntil;
using mivotest::WebDatabaseStub;

namespace {

const char kNavigating[] = "AppEvents\\Schemes\\Apps\\Explorer\\Navigating\\.current";
const char kActivating[] = "AppEvents\\Schemes\\Apps\\Explorer\\ActivatingDocument\\.current";

void SetSound(const char* key, const char* value)
{
    HKEY h = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr));
    RegSetValueEx(h, "", 0, REG_SZ, (const BYTE*)value, (DWORD)strlen(value) + 1);
    RegCloseKey(h);
}

std::string Sound(const char* key)
{
    HKEY h = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != ERROR_SUCCESS)
        return "<none>";
    char value[256] = "";
    DWORD size = sizeof(value) - 1, type = 0;
    RegQueryValueEx(h, "", nullptr, &type, (LPBYTE)value, &size);
    RegCloseKey(h);
    return value;
}

// Echo requests answered here; while held, they wait until released.
class EchoGate {
public:
    EchoGate()
    {
        mivo::SetEchoTransport([this](uint32_t, const std::vector<uint8_t>& request, unsigned,
                                      std::vector<uint8_t>& reply) {
            std::unique_lock<std::mutex> lock(m_lock);
            ++m_asked;
            m_changed.notify_all();
            m_changed.wait(lock, [this] { return !m_held; });
            reply = request;
            reply[0] = 0;  // an echo reply
            return m_answer;
        });
    }
    ~EchoGate()
    {
        Release();
        PumpUntil([] { return CDlgAdvertising::RunningWorkers() == 0; });
        mivo::SetEchoTransport(nullptr);
    }
    void Hold()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_held = true;
    }
    void Release()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_held = false;
        m_changed.notify_all();
    }
    void Answer(bool answer) { m_answer = answer; }
    int Asked()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_asked;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_held = false;
    bool m_answer = true;
    int m_asked = 0;
};

class AdBand : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, shelltest::Program());
        mivotest::SeedDemo(stub);
        std::string map = "127.0.0.1:80=127.0.0.1:" + std::to_string(stub.port());
        setenv("MIVO_HTTP_PORT_MAP", map.c_str(), 1);
        reachable = theApp.m_bServerReachable;
        theApp.m_bServerReachable = 0;
        host.CreateEx(0, AfxRegisterWndClass(0), "band host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 100), nullptr, 0);
        band = std::make_unique<CDlgAdvertising>(&host);
    }
    void TearDown() override
    {
        if (band->GetSafeHwnd())
            band->DestroyWindow();
        host.DestroyWindow();
        unsetenv("MIVO_HTTP_PORT_MAP");
        theApp.m_bServerReachable = reachable;
    }
    void Create()
    {
        ASSERT_TRUE(band->Create(IDD_ADVERTISING, &host));
        band->ShowWindow(SW_SHOW);
    }
    void Tick() { band->SendMessage(WM_TIMER, CDlgAdvertising::kTimerId, 0); }
    bool PageShown()
    {
        return PumpUntil([&] {
            return band->m_pWebView && band->m_pWebView->IsWindowVisible() &&
                   band->m_pWebView->GetReadyState() == READYSTATE_COMPLETE;
        });
    }

    WebDatabaseStub stub;
    EchoGate echo;
    CWnd host;
    std::unique_ptr<CDlgAdvertising> band;
    int reachable = 0;
};

}  // namespace

TEST_F(AdBand, ShowsTheLogoUntilTheHostAnswersThenThePageWithItsPicture)
{
    Create();
    ASSERT_NE(nullptr, band->m_pWebView);
    CRect rect;
    band->GetWindowRect(&rect);
    EXPECT_EQ(CSize(202, 52), rect.Size());
    EXPECT_FALSE(band->m_pWebView->IsWindowVisible()) << "the logo shows first";

    Tick();
    ASSERT_TRUE(PageShown());
    EXPECT_EQ(1, theApp.m_bServerReachable);
    EXPECT_EQ(CString("http://127.0.0.1/ad/mivo_ad.html"), band->m_pWebView->GetLocationURL());
    std::vector<std::string> got = stub.downloads();
    EXPECT_NE(std::find(got.begin(), got.end(), "/ad/mivo_ad.jpg"), got.end());
    // The banner's picture fills the view: its dark blue ground is drawn.
    band->m_pWebView->UpdateWindow();
    mivo::test::WindowImage image = mivo::test::CaptureWindow(band->m_pWebView->m_hWnd, true);
    int ground = 0;
    for (uint32_t p : image.pixels) {
        int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        ground += std::abs(r - 30) < 16 && std::abs(g - 60) < 16 && std::abs(b - 140) < 16;
    }
    EXPECT_GT(ground, image.width * image.height / 4);

    // Once the host has answered, a tick reloads without asking again.
    int asked = echo.Asked();
    size_t fetched = stub.downloads().size();
    Tick();
    ASSERT_TRUE(PumpUntil([&] { return stub.downloads().size() > fetched; }));
    EXPECT_EQ(asked, echo.Asked());
}

TEST_F(AdBand, WithoutAnAnswerTheLogoStays)
{
    echo.Answer(false);
    Create();
    Tick();
    ASSERT_TRUE(PumpUntil([] { return CDlgAdvertising::RunningWorkers() == 0; }));
    mivo::test::PumpUntilIdle();
    EXPECT_FALSE(band->m_pWebView->IsWindowVisible());
    EXPECT_EQ(0, theApp.m_bServerReachable);
    EXPECT_TRUE(stub.downloads().empty());
}

TEST_F(AdBand, ClosingWhileAWorkerWaitsStopsItWithoutNavigating)
{
    Create();
    echo.Hold();
    Tick();
    ASSERT_TRUE(PumpUntil([&] { return echo.Asked() == 1; }));
    band->DestroyWindow();
    echo.Release();
    ASSERT_TRUE(PumpUntil([] { return CDlgAdvertising::RunningWorkers() == 0; }));
    mivo::test::PumpUntilIdle();
    EXPECT_EQ(0, theApp.m_bServerReachable);
    EXPECT_TRUE(stub.downloads().empty());
}

TEST_F(AdBand, SoundsAreSilencedWhileItLivesAndOnlySetOnesAreGivenBack)
{
    struct {
        const char* navigating;
        const char* activating;
    } cases[] = {{"C:\\Windows\\Media\\start.wav", "C:\\Windows\\Media\\open.wav"}, {"", ""}};
    for (const auto& c : cases) {
        SetSound(kNavigating, c.navigating);
        SetSound(kActivating, c.activating);
        band = std::make_unique<CDlgAdvertising>(&host);
        Create();
        EXPECT_EQ(c.navigating, Sound(kNavigating)) << "nothing changes before the first tick";
        Tick();
        EXPECT_EQ("", Sound(kNavigating));
        EXPECT_EQ("", Sound(kActivating));
        EXPECT_EQ(c.navigating, std::string(band->m_strSavedNavigatingSound));
        band->DestroyWindow();
        EXPECT_EQ(c.navigating, Sound(kNavigating));
        EXPECT_EQ(c.activating, Sound(kActivating));
        ASSERT_TRUE(PumpUntil([] { return CDlgAdvertising::RunningWorkers() == 0; }));
        mivo::test::PumpUntilIdle();
        theApp.m_bServerReachable = 0;
    }
}

TEST_F(AdBand, ARightClickOnThePageIsSwallowed)
{
    Create();
    HWND view = band->m_pWebView->GetSafeHwnd();
    mivo::test::MessageRecorder recorder;
    recorder.Attach(view);
    const UINT sent[] = {WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_RBUTTONUP, WM_LBUTTONDOWN};
    for (UINT message : sent)
        PostMessage(view, message, 0, MAKELPARAM(5, 5));
    // As the program's message loop takes them: through the windows' PreTranslateMessage.
    for (size_t i = 0; i < sizeof(sent) / sizeof(sent[0]); ++i)
        AfxPumpMessage();
    EXPECT_EQ((std::vector<UINT>{WM_RBUTTONUP, WM_LBUTTONDOWN}),
              recorder.Messages(view, {WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_RBUTTONUP, WM_LBUTTONDOWN}));
}
