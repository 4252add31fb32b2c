// CHtmlView: a view showing a web page. Pages are fetched on a worker and
// shown as text with links, which open in the desktop's browser.
#pragma once

#include "mfc/View.h"

#include <memory>
#include <string>
#include <vector>

#define READYSTATE_UNINITIALIZED 0
#define READYSTATE_LOADING 1
#define READYSTATE_LOADED 2
#define READYSTATE_INTERACTIVE 3
#define READYSTATE_COMPLETE 4

#define navNoHistory 0x02
#define navNoReadFromCache 0x04

#include "mivo/htmlview.h"

class AFX_EXT_CLASS CHtmlView : public CView {
    DECLARE_DYNCREATE(CHtmlView)
public:
    CHtmlView();
    ~CHtmlView() override;

    void Navigate2(LPCSTR lpszURL, DWORD dwFlags = 0, LPCSTR lpszTargetFrameName = nullptr,
                   LPCSTR lpszHeaders = nullptr, LPVOID lpvPostData = nullptr, DWORD dwPostDataLen = 0);
    void Refresh();
    void Stop();
    CString GetLocationURL() const { return m_strURL; }
    long GetReadyState() const { return m_nReadyState; }
    BOOL GetBusy() const { return m_nReadyState == READYSTATE_LOADING; }

    virtual void OnNavigateComplete2(LPCSTR strURL);
    virtual void OnDocumentComplete(LPCSTR lpszURL);

    void OnDraw(CDC* pDC) override;
    // The page as shown: lines of text, links as "text<url>" (for tests and copying).
    CString GetPageText() const;

protected:
    afx_msg void OnDestroy();
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnPageLoaded(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The link under a client point, empty when none.
    std::string LinkAt(CPoint point) const;

    CString m_strURL;
    long m_nReadyState = READYSTATE_UNINITIALIZED;
    std::vector<mivo::afx::HtmlRun> m_runs;
    struct LinkArea {
        CRect rect;
        std::string url;
    };
    std::vector<LinkArea> m_links;  // where the last paint put the links
    std::shared_ptr<mivo::afx::HtmlLoad> m_load;  // the fetch under way, shared with its worker
};
