// The help viewer: a help page of the program's own shown in a top-level frame
// holding an HTML view, titled from the page's <title>, so that a program looking
// for its help window by title finds it.
#include "afx/HtmlText.h"
#include "mfc/CreateContext.h"
#include "mfc/FrameWnd.h"
#include "mfc/HtmlView.h"
#include "mivo/codepage.h"
#include "mivo/process.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

namespace {

const size_t kTitleSearchLimit = 64 * 1024;
const size_t kTitleMax = 200;

// The text between <title> and </title>, blanks trimmed, in the program's code page.
std::string PageTitle(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string head(kTitleSearchLimit, '\0');
    in.read(&head[0], (std::streamsize)head.size());
    head.resize((size_t)in.gcount());
    std::string lower = head;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return (char)std::tolower(c); });
    size_t open = lower.find("<title>");
    size_t close = open == std::string::npos ? std::string::npos : lower.find("</title>", open);
    if (close == std::string::npos)
        return std::string();
    std::string title = head.substr(open + 7, std::min(close - open - 7, kTitleMax));
    size_t first = title.find_first_not_of(" \t\r\n");
    size_t last = title.find_last_not_of(" \t\r\n");
    title = first == std::string::npos ? std::string() : title.substr(first, last - first + 1);
    return mivo::afx::HtmlIsUtf8(head, "text/html") ? mivo::ToAnsi(title) : title;
}

// The frame deletes itself when its window goes (or fails to come), as frames do.
bool ShowHelpPage(const std::string& path)
{
    std::string title = PageTitle(path);
    if (title.empty())
        title = path.substr(path.find_last_of('/') + 1);
    CFrameWnd* frame = new CFrameWnd;
    if (!frame->Create(nullptr, title.c_str(), WS_OVERLAPPEDWINDOW, CRect(60, 60, 700, 620)))
        return false;  // a frame whose creation fails deletes itself
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CHtmlView);
    CHtmlView* page = dynamic_cast<CHtmlView*>(RUNTIME_CLASS(CHtmlView)->CreateObject());
    if (!page || !page->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 10, 10), frame,
                               AFX_IDW_PANE_FIRST, &context)) {
        frame->DestroyWindow();
        return false;
    }
    frame->SetActiveView(page);
    frame->RecalcLayout();
    page->Navigate2(("file://" + path).c_str());
    frame->ShowWindow(SW_SHOWNORMAL);
    frame->UpdateWindow();
    return true;
}

struct HelpViewerRegistration {
    HelpViewerRegistration() { mivo::SetHelpViewer(ShowHelpPage); }
} g_helpViewer;

}  // namespace
