// CHtmlView: a page from a loopback server shown as text and links; links
// open in the browser (web addresses only); damaged or huge pages are shown
// as far as they go and never bring the view down.
#include <gtest/gtest.h>

#include <mfc.h>

#include "mivo/process.h"
#include "support/LoopbackHttpServer.h"
#include "support/MessageLoop.h"
#include "support/WindowCapture.h"

#include <map>
#include <string>
#include <vector>

using namespace mivo::test;

namespace {

class CPageView : public CHtmlView {
    DECLARE_DYNCREATE(CPageView)
public:
    int completed = 0;
    void OnDocumentComplete(LPCSTR) override { ++completed; }
    void ClickAt(CPoint point) { SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y)); }
    CPoint FirstLink() const { return m_links.empty() ? CPoint(-1, -1) : m_links.front().rect.CenterPoint(); }
};
IMPLEMENT_DYNCREATE(CPageView, CHtmlView)

class HtmlViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                                  nullptr, nullptr));
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CPageView);
        view = dynamic_cast<CPageView*>(RUNTIME_CLASS(CPageView)->CreateObject());
        ASSERT_NE(nullptr, view);
        ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &host,
                                 AFX_IDW_PANE_FIRST, &context));
        mivo::SetSpawnHook([this](const std::vector<std::string>& argv) {
            starts.push_back(argv);
            return true;
        });
    }
    void TearDown() override
    {
        mivo::SetSpawnHook(nullptr);
        host.DestroyWindow();
    }
    std::string Url(const std::string& path) const
    {
        return "http://127.0.0.1:" + std::to_string(server.port()) + path;
    }
    bool Load(const std::string& path)
    {
        int before = view->completed;
        view->Navigate2(Url(path).c_str());
        return PumpUntil([&] { return view->completed > before; });
    }

    std::map<std::string, std::string> pages;
    mivotest::LoopbackHttpServer server{[this](const mivotest::HttpRequestRecord& request) {
        mivotest::HttpReply reply;
        auto found = pages.find(request.path);
        if (found == pages.end()) {
            reply.status = 404;
            reply.body = "missing";
        } else {
            reply.body = found->second;
            reply.headers.push_back("Content-Type: text/html");
        }
        return reply;
    }};
    CWnd host;
    CPageView* view = nullptr;
    std::vector<std::vector<std::string>> starts;
};

}  // namespace

TEST_F(HtmlViewTest, ShowsTheTextAndLinksOfALoopbackPage)
{
    pages["/ad.html"] = "<html><head><title>광고</title><style>p{color:red}</style></head>"
                        "<body><p>새 앨범 &amp; 인화\n  할인</p><script>alert('x<p>')</script>"
                        "<a href=\"/order?id=7\">주문하기</a><br>끝 &#54620;</body></html>";
    ASSERT_TRUE(Load("/ad.html"));
    EXPECT_EQ(READYSTATE_COMPLETE, view->GetReadyState());
    EXPECT_EQ(CString((Url("/ad.html")).c_str()), view->GetLocationURL());
    EXPECT_EQ(CString(("새 앨범 & 인화 할인\n주문하기<" + Url("/order?id=7") + ">\n끝 한").c_str()),
              view->GetPageText());

    // The text is drawn, and the link opens in the browser.
    view->UpdateWindow();
    WindowImage image = CaptureWindow(view->m_hWnd, true);
    EXPECT_GT(image.Count(RGB(0, 0, 204)), 10);  // the link's underline
    CPoint link = view->FirstLink();
    ASSERT_NE(CPoint(-1, -1), link);
    view->ClickAt(link);
    ASSERT_EQ(1u, starts.size());
    EXPECT_EQ(Url("/order?id=7"), starts[0].back());
}

TEST_F(HtmlViewTest, OnlyWebLinksOpen)
{
    pages["/links.html"] = "<a href='javascript:alert(1)'>script</a><p><a href=\"file:///etc/passwd\">file</a>";
    ASSERT_TRUE(Load("/links.html"));
    EXPECT_EQ(CString("script\nfile"), view->GetPageText());
    view->UpdateWindow();
    view->ClickAt(CPoint(10, 8));
    EXPECT_TRUE(starts.empty());
}

TEST_F(HtmlViewTest, AMissingPageSaysSo)
{
    ASSERT_TRUE(Load("/nowhere.html"));
    EXPECT_EQ(CString("페이지를 표시할 수 없습니다."), view->GetPageText());
}

TEST_F(HtmlViewTest, RefreshFetchesAgain)
{
    pages["/count.html"] = "하나";
    ASSERT_TRUE(Load("/count.html"));
    pages["/count.html"] = "둘";
    int before = view->completed;
    view->Refresh();
    ASSERT_TRUE(PumpUntil([&] { return view->completed > before; }));
    EXPECT_EQ(CString("둘"), view->GetPageText());
}

TEST_F(HtmlViewTest, UtfEightPagesAreShownInTheProgramsCodePage)
{
    pages["/utf8.html"] = "<meta charset=\"utf-8\"><p>\xEC\x82\xAC\xEC\xA7\x84</p>";  // "사진" in UTF-8
    ASSERT_TRUE(Load("/utf8.html"));
    EXPECT_EQ(CString("사진"), view->GetPageText());
}

TEST_F(HtmlViewTest, DamagedPagesNeverBringTheViewDown)
{
    std::string nested;
    for (int i = 0; i < 100000; ++i)
        nested += "<div><a href=";
    std::string noise;
    for (int i = 0; i < 70000; ++i)
        noise += (char)((i * 7919) % 256);
    const std::string bodies[] = {
        "<",
        "<a href=\"unterminated",
        "<<<<>>>>&&&;&#;&#x;&#99999999999;&#xD800;",
        "<script>never closed",
        "<!-- never closed",
        "text \xB0",  // a lead byte at the very end
        std::string("nul\0inside<p>after", 18),
        "<a href='" + std::string(100000, 'x') + "'>long</a>",
        nested,
        noise,
        std::string(200000, '<'),
        std::string(500000, '&'),
        "<p title='" + std::string(200000, '>'),
        std::string(3 << 20, 'a'),  // more than a page may hold
    };
    int index = 0;
    for (const std::string& body : bodies) {
        std::string path = "/damaged" + std::to_string(index++);
        pages[path] = body;
        ASSERT_TRUE(Load(path)) << index;
        view->UpdateWindow();
        EXPECT_LE(view->GetPageText().GetLength(), 1 << 20) << index;
    }
}

namespace {

// 4 x 2 pixels: the left half red (220, 30, 30), the right half blue (0, 90, 220).
const std::string kTwoColourPng(
    "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x00\x04\x00\x00\x00\x02\x08\x02\x00"
    "\x00\x00\xF0\xCA\xEA\x34\x00\x00\x00\x14\x49\x44\x41\x54\x78\x9C\x63\xB8\x23\x27\x07\x44\x0C\x51\x77\x40\x08"
    "\x99\x03\x00\x76\x12\x09\x39\x43\x7E\x15\xE4\x00\x00\x00\x00\x49\x45\x4E\x44\xAE\x42\x60\x82",
    77);
// A PNG header claiming 100000 x 100000 pixels.
const std::string kHugePng(
    "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x01\x86\xA0\x00\x01\x86\xA0\x08\x02\x00"
    "\x00\x00\x27\x30\x9C\x9F\x00\x00\x00\x0B\x49\x44\x41\x54\x78\x9C\x63\x60\x80\x01\x00\x00\x0A\x00\x01\x7F\x80"
    "\x74\x5E\x00\x00\x00\x00\x49\x45\x4E\x44\xAE\x42\x60\x82",
    68);

}  // namespace

TEST_F(HtmlViewTest, APictureIsFetchedBesideThePageAndDrawnAtItsSizeAsItsLink)
{
    pages["/ad/banner.html"] = "<body leftmargin=0 topmargin=0><a href='/go'><img src='pic.png' width=40 height=20></a>";
    pages["/ad/pic.png"] = kTwoColourPng;
    ASSERT_TRUE(Load("/ad/banner.html"));
    view->UpdateWindow();
    WindowImage image = CaptureWindow(view->m_hWnd, true);
    EXPECT_EQ(RGB(220, 30, 30), image.At(0, 0));
    EXPECT_EQ(RGB(220, 30, 30), image.At(19, 19));
    EXPECT_EQ(RGB(0, 90, 220), image.At(20, 0));
    EXPECT_EQ(RGB(0, 90, 220), image.At(39, 19));
    EXPECT_NE(RGB(0, 90, 220), image.At(40, 10));
    EXPECT_NE(RGB(220, 30, 30), image.At(10, 20));
    view->ClickAt(CPoint(30, 10));
    ASSERT_EQ(1u, starts.size());
    EXPECT_EQ(Url("/go"), starts[0].back());
}

TEST_F(HtmlViewTest, PicturesThatCannotBeHadLeaveAFrameAndTheTextGoesOn)
{
    pages["/p.html"] = "<img src='/huge.png' width=30 height=30><img src='/noise.gif' width=30 height=30>"
                       "<img src='/missing.jpg' width=30 height=30><img src='javascript:x' width=9999999>"
                       "<img src='/noise.gif'>after";
    pages["/huge.png"] = kHugePng;
    pages["/noise.gif"] = std::string("GIF89a\xFF\xFF\xFF\xFF", 10) + std::string(3000, '\x7F');
    ASSERT_TRUE(Load("/p.html"));
    EXPECT_EQ(CString("after"), view->GetPageText());
    view->UpdateWindow();
    WindowImage image = CaptureWindow(view->m_hWnd, true);
    EXPECT_GT(image.Count(RGB(160, 160, 160)), 3 * 100);  // three 30 x 30 frames
}
