#include "mfc/HtmlView.h"

#include "afx/FrameworkStrings.h"
#include "afx/HtmlFetch.h"
#include "afx/HtmlImage.h"
#include "afx/HtmlText.h"
#include "mfc/DC.h"
#include "mfc/GdiWrappers.h"
#include "mfc/MessageMap.h"
#include "res/resource.h"

#include <atomic>
#include <mutex>
#include <thread>

namespace mivo::afx {

// One fetch: the worker fills it and tells the view by a posted message.
struct HtmlLoad {
    std::mutex lock;
    bool cancelled = false;
    bool done = false;
    WPARAM number = 0;  // names the fetch in the message, which may outlive it
    std::vector<HtmlRun> runs;
};

}  // namespace mivo::afx

namespace {

const UINT kPageLoaded = WM_APP + 0x3E1;  // wParam: the number of the fetch
std::atomic<WPARAM> g_nextLoad{1};
const COLORREF kLinkColour = RGB(0, 0, 204);

std::vector<mivo::afx::HtmlRun> LoadPage(const std::string& url)
{
    mivo::afx::HtmlFetchResult page = mivo::afx::FetchPage(url, mivo::afx::kHtmlPageLimit);
    if (!page.ok) {
        mivo::afx::HtmlRun failed;
        failed.text = (LPCSTR)mivo::afx::FrameworkString(IDS_PAGE_UNAVAILABLE);
        return {failed};
    }
    std::vector<mivo::afx::HtmlRun> runs =
        mivo::afx::ParseHtml(page.body, mivo::afx::HtmlIsUtf8(page.body, page.contentType));
    int pictures = 0;
    for (mivo::afx::HtmlRun& run : runs) {
        if (!run.link.empty())
            run.link = mivo::afx::ResolveLink(url, run.link);
        if (run.image.empty() || pictures >= mivo::afx::kHtmlImagesPerPage)
            continue;
        ++pictures;
        std::string source = mivo::afx::ResolveResource(url, run.image);
        if (source.empty())
            continue;
        mivo::afx::HtmlFetchResult bytes = mivo::afx::FetchPage(source, mivo::afx::kHtmlImageByteLimit + 1);
        if (bytes.ok)
            run.picture = mivo::afx::DecodeHtmlImage(bytes.body);
    }
    return runs;
}

// The size a picture takes on the page: its attributes, else its own size; a missing picture
// with no size given takes none.
CSize PictureSize(const mivo::afx::HtmlRun& run)
{
    int width = run.imageWidth, height = run.imageHeight;
    if (run.picture) {
        if (width == 0 && height == 0)
            return CSize(run.picture->width, run.picture->height);
        if (width == 0)
            width = (int)((long long)run.picture->width * height / run.picture->height);
        if (height == 0)
            height = (int)((long long)run.picture->height * width / run.picture->width);
    }
    return CSize(width, height);
}

void DrawPicture(CDC* pDC, const mivo::afx::HtmlRun& run, const CRect& area)
{
    if (!run.picture) {
        // Where a picture could not be had, its place shows as a frame.
        pDC->Draw3dRect(&area, RGB(160, 160, 160), RGB(160, 160, 160));
        return;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = run.picture->width;
    info.bmiHeader.biHeight = -run.picture->height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    ::StretchDIBits(pDC->GetSafeHdc(), area.left, area.top, area.Width(), area.Height(), 0, 0, run.picture->width,
                    run.picture->height, run.picture->pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

// Long words go in pieces, cut between characters, so each wraps on its own.
size_t PieceEnd(const std::string& text, size_t at)
{
    const size_t longest = 256;
    size_t i = at;
    while (i < text.size() && i - at < longest) {
        bool lead = (unsigned char)text[i] >= 0x81 && (unsigned char)text[i] <= 0xFE && i + 1 < text.size();
        i += lead ? 2 : 1;
    }
    return i;
}

}  // namespace

IMPLEMENT_DYNCREATE(CHtmlView, CView)

BEGIN_MESSAGE_MAP(CHtmlView, CView)
ON_WM_DESTROY()
ON_WM_LBUTTONUP()
ON_WM_SETCURSOR()
ON_MESSAGE(kPageLoaded, OnPageLoaded)
END_MESSAGE_MAP()

CHtmlView::CHtmlView() = default;

CHtmlView::~CHtmlView()
{
    Stop();
}

void CHtmlView::Navigate2(LPCSTR lpszURL, DWORD, LPCSTR, LPCSTR, LPVOID, DWORD)
{
    Stop();
    m_strURL = lpszURL ? lpszURL : "";
    m_nReadyState = READYSTATE_LOADING;
    auto load = std::make_shared<mivo::afx::HtmlLoad>();
    load->number = g_nextLoad++;
    m_load = load;
    HWND view = m_hWnd;
    std::string url = (LPCSTR)m_strURL;
    std::thread([load, view, url] {
        std::vector<mivo::afx::HtmlRun> runs = LoadPage(url);
        std::lock_guard<std::mutex> guard(load->lock);
        if (load->cancelled)
            return;
        load->runs = std::move(runs);
        load->done = true;
        ::PostMessage(view, kPageLoaded, load->number, 0);
    }).detach();
}

void CHtmlView::Refresh()
{
    if (!m_strURL.IsEmpty())
        Navigate2(m_strURL);
}

void CHtmlView::Stop()
{
    if (m_load) {
        std::lock_guard<std::mutex> guard(m_load->lock);
        m_load->cancelled = true;
    }
    m_load.reset();
    if (m_nReadyState == READYSTATE_LOADING)
        m_nReadyState = READYSTATE_INTERACTIVE;
}

void CHtmlView::OnDestroy()
{
    Stop();
    CView::OnDestroy();
}

LRESULT CHtmlView::OnPageLoaded(WPARAM wParam, LPARAM)
{
    if (!m_load || m_load->number != wParam)
        return 0;  // an older page, replaced meanwhile
    {
        std::lock_guard<std::mutex> guard(m_load->lock);
        if (!m_load->done)
            return 0;
        m_runs = std::move(m_load->runs);
    }
    m_load.reset();
    m_nReadyState = READYSTATE_COMPLETE;
    m_links.clear();
    Invalidate();
    OnNavigateComplete2(m_strURL);
    OnDocumentComplete(m_strURL);
    return 0;
}

void CHtmlView::OnNavigateComplete2(LPCSTR) {}

void CHtmlView::OnDocumentComplete(LPCSTR) {}

// Words flow left to right and wrap at the client's width; links are underlined.
void CHtmlView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    const int margin = !m_runs.empty() && m_runs.front().bodyMargin >= 0 ? m_runs.front().bodyMargin : 4;
    int width = std::max<int>(client.Width() - margin * 2, 1);
    CFont* oldFont = pDC->SelectObject(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
    TEXTMETRIC tm;
    pDC->GetTextMetrics(&tm);
    int lineHeight = tm.tmHeight + 2;
    pDC->SetBkMode(TRANSPARENT);
    m_links.clear();
    int x = 0, y = margin;
    int lineBottom = y + lineHeight;  // pictures make a line taller
    auto newLine = [&] {
        x = 0;
        y = std::max(y + lineHeight, lineBottom);
        lineBottom = y + lineHeight;
    };
    for (const mivo::afx::HtmlRun& run : m_runs) {
        if (y > client.bottom)
            break;
        if (run.lineBreak && x > 0)
            newLine();
        if (!run.image.empty()) {
            CSize size = PictureSize(run);
            if (size.cx <= 0 || size.cy <= 0)
                continue;
            if (x > 0 && x + size.cx > width)
                newLine();
            CRect area(margin + x, y, margin + x + size.cx, y + size.cy);
            DrawPicture(pDC, run, area);
            if (!run.link.empty())
                m_links.push_back({area, run.link});
            x += size.cx;
            lineBottom = std::max(lineBottom, (int)area.bottom);
            continue;
        }
        pDC->SetTextColor(run.link.empty() ? ::GetSysColor(COLOR_WINDOWTEXT) : kLinkColour);
        size_t at = 0;
        while (at < run.text.size() && y <= client.bottom) {
            size_t space = run.text.find(' ', at);
            size_t end = space == std::string::npos ? run.text.size() : space + 1;
            end = std::min(end, PieceEnd(run.text, at));
            std::string word = run.text.substr(at, end - at);
            at = end;
            CSize extent = pDC->GetTextExtent(word.c_str(), (int)word.size());
            if (x > 0 && x + extent.cx > width)
                newLine();
            pDC->TextOut(margin + x, y, word.c_str(), (int)word.size());
            if (!run.link.empty()) {
                CRect area(margin + x, y, margin + x + extent.cx, y + tm.tmHeight);
                pDC->FillSolidRect(area.left, area.bottom - 1, area.Width(), 1, kLinkColour);
                m_links.push_back({area, run.link});
            }
            x += extent.cx;
        }
    }
    pDC->SelectObject(oldFont);
}

std::string CHtmlView::LinkAt(CPoint point) const
{
    for (const LinkArea& link : m_links)
        if (link.rect.PtInRect(point))
            return link.url;
    return std::string();
}

void CHtmlView::OnLButtonUp(UINT nFlags, CPoint point)
{
    std::string url = LinkAt(point);
    if (!url.empty())  // only web addresses come out of ResolveLink
        ::ShellExecute(m_hWnd, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    CView::OnLButtonUp(nFlags, point);
}

BOOL CHtmlView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT) {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        if (!LinkAt(point).empty()) {
            ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
            return TRUE;
        }
    }
    return CView::OnSetCursor(pWnd, nHitTest, message);
}

CString CHtmlView::GetPageText() const
{
    CString text;
    for (const mivo::afx::HtmlRun& run : m_runs) {
        if (run.lineBreak && !text.IsEmpty())
            text += "\n";
        text += run.text.c_str();
        if (!run.link.empty()) {
            text += "<";
            text += run.link.c_str();
            text += ">";
        }
    }
    return text;
}
