// TWAIN acquisition through the platform's source manager and its test
// source: transfers and their pictures, skipping and cancelling, the count
// a source refuses, message filtering, closing, and a missing manager.
#include <gtest/gtest.h>

#include "image/Twain.h"
#include "mivo/testing/twain.h"
#include "support/MessageLoop.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

using namespace mivo::test;

namespace {

struct Copied {
    std::vector<BYTE> dib;
    TW_IMAGEINFO info;
    HANDLE handle;
};

// A window that scans: it keeps what CopyImage is given and answers
// ShouldTransfer and CanClose as the test says.
class CScanWnd : public CWnd, public CTwain {
public:
    std::vector<Copied> copies;
    std::vector<int> answers;  // ShouldTransfer's, one per picture; 0 after the list
    BOOL canClose = TRUE;

    bool Create()
    {
        return CreateEx(0, AfxRegisterWndClass(0), "scan", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr) != FALSE;
    }
    int ShouldTransfer(TW_IMAGEINFO&) override
    {
        size_t asked = m_asked++;
        return asked < answers.size() ? answers[asked] : 0;
    }
    BOOL CanClose() override { return canClose; }
    void CopyImage(HANDLE hBitmap, TW_IMAGEINFO& info) override
    {
        const BYTE* block = (const BYTE*)::GlobalLock((HGLOBAL)hBitmap);
        SIZE_T size = ::GlobalSize((HGLOBAL)hBitmap);
        copies.push_back({std::vector<BYTE>(block, block + size), info, hBitmap});
        ::GlobalUnlock((HGLOBAL)hBitmap);
    }
    using CTwain::CanClose;
    using CTwain::GetCapability;
    using CTwain::SetCapability;
    using CTwain::EnableSource;

private:
    size_t m_asked = 0;
};

// The window's message loop with the source's filter in front, as the main frame runs it.
void PumpScanning(CScanWnd& wnd)
{
    MSG msg;
    for (int round = 0; round < 100; round++) {
        bool any = false;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            any = true;
            if (wnd.SourceEnabled() && wnd.ProcessMessage(msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        if (!any)
            return;
    }
}

struct TripletLog {
    TripletLog()
    {
        mivo::SetTwainTripletObserver([this](const mivo::TwainTriplet& t) { seen.push_back(t); });
    }
    ~TripletLog() { mivo::SetTwainTripletObserver(nullptr); }
    int Count(TW_UINT16 dat, TW_UINT16 msg) const
    {
        return (int)std::count_if(seen.begin(), seen.end(),
                                  [&](const mivo::TwainTriplet& t) { return t.dat == dat && t.msg == msg; });
    }
    std::vector<mivo::TwainTriplet> seen;
};

HWND FindPanel()
{
    return ::FindWindow(nullptr, "테스트 원본");
}

void PressPanelButton(const char* text)
{
    HWND panel = FindPanel();
    ASSERT_NE(nullptr, panel);
    HWND button = ::FindWindowEx(panel, nullptr, "Button", text);
    ASSERT_NE(nullptr, button);
    ::SendMessage(button, BM_CLICK, 0, 0);
}

class TwainTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // No scanner library configuration of the machine's: only the test source.
        std::ofstream(saneConfig.file("dll.conf"));
        setenv("SANE_CONFIG_DIR", saneConfig.path().c_str(), 1);
        mivo::SetTwainTestSource(settings);
        ASSERT_TRUE(wnd.Create());
    }
    void TearDown() override
    {
        wnd.ReleaseTwain();
        wnd.DestroyWindow();
        mivo::SetTwainSelectionHook(nullptr);
        mivo::SetTwainTestSource(mivo::TwainTestSourceSettings());
        PumpUntilIdle();
        unsetenv("SANE_CONFIG_DIR");
    }
    void Use(const mivo::TwainTestSourceSettings& s)
    {
        settings = s;
        mivo::SetTwainTestSource(s);
    }
    // Acquire with the source's panel, then its scan button.
    void AcquireAndScan()
    {
        ASSERT_TRUE(wnd.InitTwain(wnd.m_hWnd));
        ASSERT_TRUE(wnd.Acquire(-1));
        EXPECT_TRUE(wnd.SourceEnabled());
        PressPanelButton("스캔");
        PumpScanning(wnd);
    }

    mivotest::TempFolder saneConfig;
    mivo::TwainTestSourceSettings settings;
    CScanWnd wnd;
};

const BITMAPINFOHEADER& Header(const Copied& c)
{
    return *(const BITMAPINFOHEADER*)c.dib.data();
}

// Pixel (x, y from the top) of a copied DIB as 0xRRGGBB, through its colour table when it has one.
unsigned PixelOf(const Copied& c, int x, int y)
{
    const BITMAPINFOHEADER& h = Header(c);
    const RGBQUAD* table = (const RGBQUAD*)(c.dib.data() + h.biSize);
    const BYTE* bits = c.dib.data() + h.biSize + h.biClrUsed * sizeof(RGBQUAD);
    size_t rowBytes = ((size_t)h.biWidth * h.biBitCount + 31) / 32 * 4;
    const BYTE* row = bits + (size_t)(h.biHeight - 1 - y) * rowBytes;
    if (h.biBitCount == 24)
        return unsigned(row[3 * x + 2]) << 16 | unsigned(row[3 * x + 1]) << 8 | row[3 * x];
    int index = h.biBitCount == 8 ? row[x] : (row[x / 8] >> (7 - x % 8)) & 1;
    return unsigned(table[index].rgbRed) << 16 | unsigned(table[index].rgbGreen) << 8 | table[index].rgbBlue;
}

}  // namespace

TEST_F(TwainTest, ThreePicturesGiveThreeCopiesEachHandleFreedAfter)
{
    AcquireAndScan();
    ASSERT_EQ(3u, wnd.copies.size());
    EXPECT_EQ(3, mivo::TwainTestSourceDelivered());
    const unsigned bars[8] = {0xFFFFFF, 0xFFFF00, 0x00FFFF, 0x00FF00, 0xFF00FF, 0xFF0000, 0x0000FF, 0x000000};
    for (size_t i = 0; i < wnd.copies.size(); i++) {
        const Copied& c = wnd.copies[i];
        EXPECT_EQ(64, Header(c).biWidth);
        EXPECT_EQ(48, Header(c).biHeight) << "bottom-up";
        EXPECT_EQ(24, Header(c).biBitCount);
        EXPECT_EQ(64, c.info.ImageWidth);
        EXPECT_EQ(TWPT_RGB, c.info.PixelType);
        for (int bar = 0; bar < 8; bar++)
            EXPECT_EQ(bars[bar], PixelOf(c, bar * 8 + 4, 47)) << "picture " << i + 1 << " bar " << bar;
        EXPECT_EQ(0u, ::GlobalSize((HGLOBAL)c.handle)) << "freed right after CopyImage";
    }
    // The number: "1" has its top row in the middle only, "2" across.
    EXPECT_EQ(0xFFFFFFu, PixelOf(wnd.copies[0], 4, 4));
    EXPECT_EQ(0u, PixelOf(wnd.copies[0], 6, 4));
    EXPECT_EQ(0u, PixelOf(wnd.copies[1], 4, 4));
    EXPECT_TRUE(wnd.SourceEnabled()) << "with its panel the source waits for another scan";
    PressPanelButton("취소");
    PumpScanning(wnd);
    EXPECT_FALSE(wnd.DSOpen());
    EXPECT_EQ(nullptr, FindPanel());
}

TEST_F(TwainTest, GreyAndBlackAndWhitePicturesArePaddedRowsWithTheirTables)
{
    struct Case {
        int pixelType, width, bits;
        DWORD colours;
        unsigned fourthBar;  // green, as the picture's kind shows it
    } cases[] = {
        {TWPT_RGB, 70, 24, 0, 0x00FF00},
        {TWPT_GRAY, 70, 8, 256, 0x969696},
        {TWPT_BW, 70, 1, 2, 0xFFFFFF},
    };
    for (const Case& k : cases) {
        mivo::TwainTestSourceSettings s;
        s.images = 1;
        s.width = k.width;
        s.height = 5;
        s.pixelType = k.pixelType;
        Use(s);
        wnd.copies.clear();
        AcquireAndScan();
        ASSERT_EQ(1u, wnd.copies.size()) << k.bits;
        const Copied& c = wnd.copies[0];
        size_t rowBytes = ((size_t)k.width * k.bits + 31) / 32 * 4;
        EXPECT_EQ(k.bits, Header(c).biBitCount);
        EXPECT_EQ(k.colours, Header(c).biClrUsed);
        EXPECT_EQ(rowBytes * 5, Header(c).biSizeImage);
        EXPECT_GE(c.dib.size(), 40 + k.colours * 4 + rowBytes * 5);
        EXPECT_EQ(k.fourthBar, PixelOf(c, 3 * k.width / 8 + 2, 4)) << k.bits;
        EXPECT_EQ(0u, PixelOf(c, k.width - 1, 4)) << k.bits;
        EXPECT_EQ(k.bits, c.info.BitsPerPixel);
        wnd.ReleaseTwain();
    }
}

TEST_F(TwainTest, SkippingEveryPictureCopiesNone)
{
    wnd.answers = {1, 1, 1};
    TripletLog log;
    AcquireAndScan();
    EXPECT_TRUE(wnd.copies.empty());
    EXPECT_EQ(0, mivo::TwainTestSourceDelivered());
    EXPECT_EQ(3, log.Count(DAT_PENDINGXFERS, MSG_ENDXFER));
    EXPECT_EQ(0, log.Count(DAT_IMAGENATIVEXFER, MSG_GET));
}

TEST_F(TwainTest, CancellingTheRestStopsAfterTheReset)
{
    wnd.answers = {0, 2};
    TripletLog log;
    AcquireAndScan();
    EXPECT_EQ(1u, wnd.copies.size());
    EXPECT_EQ(1, log.Count(DAT_PENDINGXFERS, MSG_RESET));
    EXPECT_EQ(2, log.Count(DAT_IMAGEINFO, MSG_GET)) << "nothing asked after the reset";
}

TEST_F(TwainTest, ASourceRefusingTheSignedCountStillAcquires)
{
    mivo::TwainTestSourceSettings s;
    s.refuseSignedCount = true;
    Use(s);
    TripletLog log;
    AcquireAndScan();
    EXPECT_EQ(3u, wnd.copies.size());
    EXPECT_EQ(2, log.Count(DAT_CAPABILITY, MSG_SET)) << "signed, then the current value unsigned";
    EXPECT_EQ(1, log.Count(DAT_CAPABILITY, MSG_GET));
}

TEST_F(TwainTest, BrokenCountContainersFailTheAcquisition)
{
    for (int container : {1, 2}) {
        mivo::TwainTestSourceSettings s;
        s.refuseSignedCount = true;
        s.countContainer = container;
        Use(s);
        ASSERT_TRUE(wnd.InitTwain(wnd.m_hWnd));
        ASSERT_TRUE(wnd.OpenSource());
        DWORD value = 0x12345678;
        EXPECT_FALSE(wnd.GetCapability(CAP_XFERCOUNT, value)) << container;
        EXPECT_EQ(0x12345678u, value);
        EXPECT_FALSE(wnd.Acquire(-1)) << container;
        EXPECT_FALSE(wnd.SourceEnabled());
        wnd.ReleaseTwain();
    }
}

TEST_F(TwainTest, FailedCancelledAndHandlelessTransfersCopyNothingOfTheirOwn)
{
    struct Case {
        int fail, cancel, handleless;
        size_t copies;
    } cases[] = {{2, 0, 0, 1}, {0, 2, 0, 2}, {0, 0, 2, 2}};
    for (const Case& k : cases) {
        mivo::TwainTestSourceSettings s;
        s.failImage = k.fail;
        s.cancelImage = k.cancel;
        s.handlelessImage = k.handleless;
        Use(s);
        wnd.copies.clear();
        AcquireAndScan();
        EXPECT_EQ(k.copies, wnd.copies.size()) << k.fail << k.cancel << k.handleless;
        for (const Copied& c : wnd.copies)
            EXPECT_NE(nullptr, c.handle);
        wnd.ReleaseTwain();
    }
}

TEST_F(TwainTest, OnlyTheSourcesOwnMessagesAreConsumed)
{
    ASSERT_TRUE(wnd.InitTwain(wnd.m_hWnd));
    MSG other = {wnd.m_hWnd, WM_USER + 5, 0, 0};
    EXPECT_FALSE(wnd.ProcessMessage(other)) << "no source enabled";
    ASSERT_TRUE(wnd.Acquire(-1));
    EXPECT_FALSE(wnd.ProcessMessage(other));
    EXPECT_FALSE(wnd.ModalUI()) << "the test source's panel is modeless";
    MSG forPanel = {FindPanel(), WM_KEYDOWN, VK_TAB, 0};
    EXPECT_TRUE(wnd.ProcessMessage(forPanel));
    EXPECT_TRUE(wnd.copies.empty());
}

TEST_F(TwainTest, AcquireWithTheSourceOpenDoesNotReopenIt)
{
    TripletLog log;
    ASSERT_TRUE(wnd.InitTwain(wnd.m_hWnd));
    ASSERT_TRUE(wnd.OpenSource());
    ASSERT_TRUE(wnd.Acquire(-1));
    EXPECT_EQ(1, log.Count(DAT_IDENTITY, MSG_OPENDS));
    EXPECT_TRUE(wnd.OpenSource()) << "the manager refuses a second open; the source stays open";
    EXPECT_EQ(TWRC_FAILURE, wnd.GetRC());
    EXPECT_TRUE(wnd.DSOpen());
    EXPECT_TRUE(wnd.SourceEnabled());
}

TEST_F(TwainTest, ACloseRequestWaitsForCanClose)
{
    wnd.canClose = FALSE;
    ASSERT_TRUE(wnd.InitTwain(wnd.m_hWnd));
    ASSERT_TRUE(wnd.Acquire(-1));
    ASSERT_TRUE(mivo::RequestTwainTestSourceClose());
    PumpScanning(wnd);
    EXPECT_TRUE(wnd.DSOpen());
    EXPECT_TRUE(wnd.SourceEnabled());
    wnd.canClose = TRUE;
    ASSERT_TRUE(mivo::RequestTwainTestSourceClose());
    PumpScanning(wnd);
    EXPECT_FALSE(wnd.DSOpen());
    EXPECT_FALSE(wnd.SourceEnabled());
    EXPECT_TRUE(wnd.DSMOpen());
}

TEST_F(TwainTest, WithoutTheManagerEveryCallFailsQuietly)
{
    mivo::SetTwainModuleRegistered(false);
    EXPECT_FALSE(wnd.InitTwain(wnd.m_hWnd));
    EXPECT_FALSE(wnd.IsValidDriver());
    EXPECT_FALSE(wnd.SelectSource());
    EXPECT_EQ(TWRC_FAILURE, wnd.GetRC());
    EXPECT_FALSE(wnd.Acquire(-1));
    EXPECT_FALSE(wnd.SelectDefaultSource());
    EXPECT_EQ(TWRC_FAILURE, wnd.GetRC());
    wnd.ReleaseTwain();
    wnd.ReleaseTwain();
    mivo::SetTwainModuleRegistered(true);
    EXPECT_FALSE(wnd.InitTwain(nullptr)) << "not a window";
    EXPECT_TRUE(wnd.InitTwain(wnd.m_hWnd));
    EXPECT_TRUE(wnd.DSMOpen());
}

TEST_F(TwainTest, ReleasingTwiceClosesOnce)
{
    TripletLog log;
    ASSERT_TRUE(wnd.InitTwain(wnd.m_hWnd));
    ASSERT_TRUE(wnd.Acquire(-1));
    wnd.ReleaseTwain();
    wnd.ReleaseTwain();
    EXPECT_FALSE(wnd.IsValidDriver());
    EXPECT_FALSE(wnd.DSMOpen());
    EXPECT_EQ(1, log.Count(DAT_USERINTERFACE, MSG_DISABLEDS));
    EXPECT_EQ(1, log.Count(DAT_IDENTITY, MSG_CLOSEDS));
    EXPECT_EQ(1, log.Count(DAT_PARENT, MSG_CLOSEDSM));
    EXPECT_EQ(nullptr, FindPanel());
}

TEST_F(TwainTest, ACancelledSelectionKeepsTheDefaultSource)
{
    std::vector<std::string> listed;
    mivo::SetTwainSelectionHook([&](const std::vector<std::string>& names) {
        listed = names;
        return -1;
    });
    ASSERT_TRUE(wnd.InitTwain(wnd.m_hWnd));
    EXPECT_TRUE(wnd.SelectSource());
    EXPECT_TRUE(wnd.SourceSelected());
    EXPECT_EQ(TWRC_CANCEL, wnd.GetRC());
    ASSERT_FALSE(listed.empty());
    EXPECT_NE(listed.end(), std::find(listed.begin(), listed.end(), "Mivo Test Source"));
    EXPECT_TRUE(wnd.SelectSource()) << "a second cancel keeps it too";
    ASSERT_TRUE(wnd.Acquire(-1));
    PressPanelButton("스캔");
    PumpScanning(wnd);
    EXPECT_EQ(3u, wnd.copies.size());
}
