#include "MainFrame.h"

#include "DlgAdvertising.h"
#include "MainApp.h"
#include "album/DlgConsoleAlbum.h"
#include "album/DlgConsoleBrowse.h"
#include "editor/DlgConsoleEditTools.h"
#include "editor/OwnedSlot.h"
#include "framework/VXUtil.h"
#include "image/ImageMessages.h"
#include "resource.h"

#include <memory>

IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

namespace {

const UINT kIndicators[] = {ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR,
                            ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
const int kPaneWidths[] = {0, 100, 180, 100, 200};

// Texts of the toolbar's buttons, by command.
const struct {
    UINT id;
    const char* text;
} kButtonTexts[] = {
    {ID_HELP_HOMEPAGE, " Mivo홈 "}, {ID_TOOLS_MUSIC, "음악"},        {ID_FILE_PRINT_IMAGE, "인쇄"},
    {ID_ONLINE_ORDER, "인화"},      {ID_VIEW_ZOOMOUT, "작게"},       {ID_VIEW_ZOOMIN, "크게"},
    {ID_VIEW_FULLSCREEN, "전체화면"}, {ID_EDIT_UNDO_IMAGE, "실행취소"}, {ID_EDIT_REDO_IMAGE, "다시실행"},
};

const int kAdBandWidth = 202;
const int kAdBandHeight = 52;

}  // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_MENUCHAR()
    ON_WM_INITMENUPOPUP()
    ON_WM_MEASUREITEM()
    ON_NOTIFY(TBN_DROPDOWN, AFX_IDW_TOOLBAR, OnToolbarDropDown)
    ON_MESSAGE(WM_OUTBAR_NOTIFY, OnOutbarNotify)
    ON_MESSAGE(WM_OPEN_FROM_INSTANCE, OnOpenFromInstance)
    ON_MESSAGE(WM_IMAGE_PROGRESS, OnImageProgress)
    ON_COMMAND(ID_VIEW_TOOLBOX, OnToolBox)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBOX, OnUpdateToolBox)
    ON_COMMAND(ID_WINDOW_TOPMOST, OnTopMost)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TOPMOST, OnUpdateTopMost)
    ON_COMMAND(ID_WINDOW_NOTOPMOST, OnNoTopMost)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_NOTOPMOST, OnUpdateNoTopMost)
    ON_COMMAND(ID_FILE_NEW_IMAGE, OnNewImage)
    ON_COMMAND(ID_FILE_OPEN_IMAGE, OnFileOpen)
    ON_COMMAND(ID_FILE_PASTE_NEW, OnPasteNewImage)
    ON_UPDATE_COMMAND_UI(ID_FILE_PASTE_NEW, OnUpdatePasteNewImage)
    ON_COMMAND(ID_FILE_SELECT_SOURCE, OnSelectSource)
    ON_COMMAND(ID_FILE_SCAN, OnScan)
    ON_COMMAND(ID_HELP_HOMEPAGE, OnHomepage)
    ON_COMMAND(ID_HELP_CONTENTS, OnHelpContents)
    ON_COMMAND(ID_HELP, OnHelpContents)
    ON_COMMAND(ID_ONLINE_ORDER, OnOnlinePrintOrder)
    ON_COMMAND(ID_TEMPLATE_MASK, OnTemplateMask)
    ON_COMMAND(ID_TEMPLATE_PATTERN, OnTemplatePattern)
    ON_COMMAND(ID_TEMPLATE_FRAME, OnTemplateFrame)
    ON_COMMAND(ID_TEMPLATE_CALENDAR, OnTemplateCalendar)
    ON_COMMAND(ID_TOOLS_JPEG_FORMAT, OnJpegFormat)
    ON_COMMAND(ID_TOOLS_MUSIC, OnMediaPlayer)
    ON_COMMAND(ID_TOOLS_SETTINGS, OnSettings)
    ON_COMMAND(ID_FILE_CAPTURE, OnScreenCapture)
    ON_COMMAND(ID_TEMPLATE_PRFORM, OnTemplatePrForm)
END_MESSAGE_MAP()

CMainFrame::CMainFrame()
    : m_nSelFolder(0),
      m_pEditToolsPane(nullptr),
      m_pAlbumPane(nullptr),
      m_pBrowsePane(nullptr),
      m_bCreated(0),
      m_pAdDialog(nullptr),
      m_pActiveEditView(nullptr),
      m_pBandBitmap(nullptr),
      m_bBrowsePaneReady(0),
      m_bAlbumPaneReady(0),
      m_bTopMost(0)
{
}

CMainFrame::~CMainFrame()
{
    owned_slot::Free(m_pBandBitmap);
    owned_slot::Free(m_pEditToolsPane);
    owned_slot::Free(m_pAlbumPane);
    owned_slot::Free(m_pBrowsePane);
    owned_slot::Free(m_pAdDialog);
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CMDIFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // A second copy finds this window by its class.
    if (theApp.m_bSingleInstance && theApp.m_bClassRegistered)
        cs.lpszClass = theApp.m_strAppKey;
    return TRUE;
}

// ---- creation ----

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!CreateToolBar() || !CreateStatusBar() || !CreateReBar() || !CreateFolderBar() || !CreatePanes())
        return -1;

    int width = theApp.LoadProfileInt(theApp.m_strAppKey, "FolderBarWidth");
    m_wndFolderBar.SetWidth(width <= 0 ? 100 : width);
    m_nSelFolder = theApp.LoadProfileInt(theApp.m_strAppKey, "SelFolder");

    m_wndFolderBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndFolderBar, AFX_IDW_DOCKBAR_LEFT);
    m_wndFolderBar.SetSelFolder(m_nSelFolder == kFolderAlbum ? kFolderAlbum : kFolderBrowse);

    InitTwain(m_hWnd);
    m_bCreated = 1;
    return 0;
}

BOOL CMainFrame::CreateToolBar()
{
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT,
                               WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_FLYBY, CRect(0, 0, 0, 0),
                               AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return FALSE;
    m_wndToolBar.SetVXToolBarBasic(32, 28, 9, RGB(255, 255, 255));
    m_wndToolBar.AttachToolbarImages(IDB_TOOLBAR_NORMAL, IDB_TOOLBAR_DISABLED, IDB_TOOLBAR_HOT);
    for (const auto& b : kButtonTexts) {
        int index = m_wndToolBar.CommandToIndex(b.id);
        if (index >= 0)
            m_wndToolBar.SetButtonText(index, b.text);
    }
    m_wndToolBar.SetSizes(CSize(56, 48), CSize(32, 28));
    m_wndToolBar.GetToolBarCtrl().SetExtendedStyle(TBSTYLE_EX_DRAWDDARROWS);
    for (UINT id : {ID_VIEW_ZOOMIN, ID_VIEW_ZOOMOUT}) {
        int index = m_wndToolBar.CommandToIndex(id);
        if (index >= 0)
            m_wndToolBar.SetButtonStyle(index, m_wndToolBar.GetButtonStyle(index) | TBSTYLE_DROPDOWN);
    }
    return TRUE;
}

BOOL CMainFrame::CreateStatusBar()
{
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, (int)(sizeof(kIndicators) / sizeof(kIndicators[0]))))
        return FALSE;
    m_wndStatusBar.SetPaneInfo(0, ID_SEPARATOR, SBPS_STRETCH | SBPS_NOBORDERS, 0);
    for (int i = 1; i < 5; ++i)
        m_wndStatusBar.SetPaneInfo(i, ID_SEPARATOR, SBPS_NORMAL, kPaneWidths[i]);
    CRect pane;
    m_wndStatusBar.GetItemRect(1, &pane);
    if (!m_wndProgress.Create(WS_CHILD | WS_VISIBLE | PBS_SMOOTH, pane, &m_wndStatusBar, 1))
        return FALSE;
    m_wndProgress.SetRange(0, 100);
    return TRUE;
}

BOOL CMainFrame::CreateReBar()
{
    HBITMAP section = (HBITMAP)::LoadImage(AfxGetInstanceHandle(), MAKEINTRESOURCE(IDB_REBAR_BACK), IMAGE_BITMAP, 0,
                                           0, LR_CREATEDIBSECTION);
    if (section) {
        DIBSECTION info;
        if (::GetObject(section, sizeof(info), &info) == sizeof(info) && info.dsBm.bmBitsPixel == 24 &&
            info.dsBm.bmBits) {
            // The picture's light grey becomes the desktop's face colour.
            COLORREF face = ::GetSysColor(COLOR_3DFACE);
            for (int y = 0; y < info.dsBm.bmHeight; ++y) {
                BYTE* row = (BYTE*)info.dsBm.bmBits + (size_t)y * info.dsBm.bmWidthBytes;
                for (int x = 0; x < info.dsBm.bmWidth; ++x) {
                    BYTE* p = row + x * 3;
                    if (p[0] == 0xC0 && p[1] == 0xC0 && p[2] == 0xC0) {
                        p[0] = GetBValue(face);
                        p[1] = GetGValue(face);
                        p[2] = GetRValue(face);
                    }
                }
            }
        }
        m_pBandBitmap = new CBitmap;
        m_pBandBitmap->Attach(section);
    }
    if (!m_wndReBar.Create(this, RBS_BANDBORDERS,
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP, AFX_IDW_REBAR))
        return FALSE;
    if (!m_wndReBar.AddBar(&m_wndToolBar, nullptr, m_pBandBitmap, RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP | RBBS_USECHEVRON))
        return FALSE;
    m_pAdDialog = new CDlgAdvertising(this);
    if (!m_pAdDialog->Create(IDD_ADVERTISING, this))
        return FALSE;
    m_pAdDialog->ShowWindow(SW_SHOW);
    if (!m_wndReBar.AddBar(m_pAdDialog, nullptr, nullptr, RBBS_FIXEDSIZE | RBBS_FIXEDBMP))
        return FALSE;

    CReBarCtrl& bands = m_wndReBar.GetReBarCtrl();
    CSize toolSize = m_wndToolBar.CalcFixedLayout(FALSE, TRUE);
    REBARBANDINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_IDEALSIZE;
    info.cxMinChild = toolSize.cx + 24;
    info.cyMinChild = toolSize.cy;
    info.cx = info.cxIdeal = toolSize.cx + 24;
    bands.SetBandInfo(0, &info);
    info.cxMinChild = info.cx = info.cxIdeal = kAdBandWidth;
    info.cyMinChild = kAdBandHeight;
    bands.SetBandInfo(1, &info);
    return TRUE;
}

BOOL CMainFrame::CreateFolderBar()
{
    CString title = "Mivo Tool Box";
    // The bar sizes itself; asked for a dynamic layout while docked it re-lays the frame, which
    // repaints the bar and asks again, so the dynamic-size style stays off.
    if (!m_wndFolderBar.Create(this, title, WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_TOOLTIPS | CBRS_FLYBY))
        return FALSE;
    m_wndFolderBar.SetColors(::GetSysColor(COLOR_WINDOW), 0x808080, 0x404040, 0xA06060);
    m_wndFolderBar.SetButtonColors(::GetSysColor(COLOR_3DFACE), (COLORREF)-1, (COLORREF)-1, 0xA0A0A0);
    m_wndFolderBar.SetBorders(0, 0, 1, 0);
    m_wndFolderBar.SetMinSize(CSize(190, 560));
    if (m_ilLarge.Create(IDB_FOLDERBAR_LARGE, 32, 0, RGB(0x80, 0x80, 0x80)))
        m_wndFolderBar.SetImageList(&m_ilLarge, 2);
    if (m_ilSmall.Create(IDB_FOLDERBAR_SMALL, 16, 0, RGB(0x80, 0x80, 0x00)))
        m_wndFolderBar.SetImageList(&m_ilSmall, 1);
    m_wndFolderBar.SetAnimationTickCount(0);
    m_wndFolderBar.SetAnimSelHighlight(200);
    return TRUE;
}

BOOL CMainFrame::CreatePanes()
{
    CWnd* outBar = m_wndFolderBar.GetOutBar();
    m_pEditToolsPane = new CDlgConsoleEditTools(outBar);
    m_pAlbumPane = new CDlgConsoleAlbum(outBar);
    m_pBrowsePane = new CDlgConsoleBrowse(outBar);
    if (!m_pEditToolsPane->Create(IDD_CONSOLE_EDITTOOLS, outBar) || !m_pAlbumPane->Create(IDD_CONSOLE_ALBUM, outBar) ||
        !m_pBrowsePane->Create(IDD_CONSOLE_BROWSE, outBar))
        return FALSE;
    for (CWnd* pane : {(CWnd*)m_pEditToolsPane, (CWnd*)m_pAlbumPane, (CWnd*)m_pBrowsePane})
        pane->ModifyStyle(WS_BORDER, 0);
    m_wndFolderBar.AddFolderBar("미디어 탐색기", m_pBrowsePane);
    m_wndFolderBar.AddFolderBar("앨범관리자", m_pAlbumPane);
    m_wndFolderBar.AddFolderBar("편집도구함", m_pEditToolsPane);
    return TRUE;
}

// ---- layout and bars ----

void CMainFrame::PlaceProgressBar()
{
    if (!m_wndProgress.GetSafeHwnd())
        return;
    CRect pane;
    m_wndStatusBar.GetItemRect(1, &pane);
    m_wndProgress.MoveWindow(&pane);
}

void CMainFrame::OnSize(UINT nType, int cx, int cy)
{
    CMDIFrameWnd::OnSize(nType, cx, cy);
    if (m_wndFolderBar.GetSafeHwnd())
        RecalcLayout();
    PlaceProgressBar();
}

LRESULT CMainFrame::OnImageProgress(WPARAM wParam, LPARAM)
{
    if (m_wndProgress.GetSafeHwnd())
        m_wndProgress.SetPos((int)wParam);
    return 0;
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    if (SourceEnabled())
        return ProcessMessage(*pMsg);
    return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

LRESULT CMainFrame::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (pMenu && CVXMenu::IsMenu(pMenu))
        return CVXMenu::FindKeyboardShortcut(nChar, nFlags, pMenu);
    return CMDIFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CMainFrame::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CMDIFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu && CVXMenu::IsMenu(pPopupMenu))
        CVXMenu::UpdateMenu(pPopupMenu);
}

void CMainFrame::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType == ODT_MENU && ::IsMenu((HMENU)(UINT_PTR)lpMeasureItemStruct->itemID) &&
        CVXMenu::IsMenu((HMENU)(UINT_PTR)lpMeasureItemStruct->itemID)) {
        m_menuDefault.MeasureItem(lpMeasureItemStruct);
        return;
    }
    CMDIFrameWnd::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

void CMainFrame::OnToolbarDropDown(NMHDR* pNotifyStruct, LRESULT* pResult)
{
    NMTOOLBAR* toolbar = reinterpret_cast<NMTOOLBAR*>(pNotifyStruct);
    *pResult = TBDDRET_DEFAULT;
    if (toolbar->iItem != ID_VIEW_ZOOMIN && toolbar->iItem != ID_VIEW_ZOOMOUT)
        return;
    CRect button;
    m_wndToolBar.GetToolBarCtrl().GetRect(toolbar->iItem, &button);
    m_wndToolBar.ClientToScreen(&button);
    CVXMenu menu;
    if (!menu.LoadMenu(IDR_ZOOM_MENU))
        return;
    menu.LoadToolbar(IDR_MENUIMAGES);
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    // Below the button, or above it when there is no room: the button stays uncovered.
    TPMPARAMS params = {sizeof(params), button};
    ::TrackPopupMenuEx(popup->GetSafeHmenu(), TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_VERTICAL, button.left,
                       button.bottom, m_hWnd, &params);
}

// ---- folder bar ----

LRESULT CMainFrame::OnOutbarNotify(WPARAM wParam, LPARAM lParam)
{
    switch (wParam) {
    case 1:
        return 0;
    case 2:
    case 3:
    case 6:
        return 1;
    case 4:
    case 5:
        if (!m_bCreated)
            return 0;
        if (lParam == kFolderBrowse)
            ShowBrowsePane();
        else if (lParam == kFolderAlbum)
            ShowAlbumPane();
        m_nSelFolder = (int)lParam;
        return 1;
    default:
        return 0;
    }
}

void CMainFrame::ShowBrowsePane()
{
    if (!m_pBrowsePane || !m_pBrowsePane->GetSafeHwnd())
        return;
    if (!m_bBrowsePaneReady) {
        m_pBrowsePane->InitDirTree();
        m_bBrowsePaneReady = 1;
        return;
    }
    if (m_pBrowsePane->IsMusicTabShown())
        m_pBrowsePane->ShowMusicTab();
    CString folder = m_pBrowsePane->GetSelectedFolder();
    if (!folder.IsEmpty() && folder.Right(1) != "\\")
        folder += "\\";
    m_pBrowsePane->OpenFolderInBrowser(folder);
}

void CMainFrame::ShowAlbumPane()
{
    if (!m_pAlbumPane || !m_pAlbumPane->GetSafeHwnd())
        return;
    if (!m_bAlbumPaneReady) {
        m_pAlbumPane->LoadAlbumTree();
        m_bAlbumPaneReady = 1;
        return;
    }
    int album = m_pAlbumPane->GetSelectedAlbumID();
    if (album >= 0)
        m_pAlbumPane->OpenAlbumInBrowser(album);
}

int CMainFrame::OpenImageInPane(CString path, int inAlbum, int albumId, int seq)
{
    CMainFrame* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (!frame)
        return 0;
    if (!inAlbum) {
        if (!frame->m_pBrowsePane)
            return 0;
        frame->m_pBrowsePane->m_strCurPath = path;
        return frame->m_pBrowsePane->ShowImageInSubPanes();
    }
    if (!frame->m_pAlbumPane)
        return 0;
    frame->m_pAlbumPane->m_strCurPath = path;
    return frame->m_pAlbumPane->ShowImageInSubPanes(albumId, seq);
}

// ---- window placement commands ----

void CMainFrame::OnToolBox()
{
    ShowControlBar(&m_wndFolderBar, !m_wndFolderBar.IsWindowVisible(), FALSE);
    RecalcLayout();
}

void CMainFrame::OnUpdateToolBox(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndFolderBar.GetSafeHwnd() && m_wndFolderBar.IsWindowVisible());
}

void CMainFrame::OnTopMost()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    m_bTopMost = 1;
}

void CMainFrame::OnUpdateTopMost(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_bTopMost);
}

void CMainFrame::OnNoTopMost()
{
    SetWindowPos(&wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(&wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    m_bTopMost = 0;
}

void CMainFrame::OnUpdateNoTopMost(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bTopMost);
}

// ---- close ----

void CMainFrame::SaveFrameState()
{
    BOOL zoomedOrIconic = IsZoomed() || IsIconic();
    if (zoomedOrIconic)
        ShowWindow(SW_RESTORE);
    CRect rect;
    GetWindowRect(&rect);
    theApp.SaveWindowPos(theApp.m_strAppKey, &rect, zoomedOrIconic ? 1 : 0);
    SaveBarState("BarState");

    HKEY key = nullptr;
    CString section = "Software\\" + theApp.m_strAppKey + "\\Install";
    if (::RegCreateKeyEx(HKEY_CURRENT_USER, section, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        CString version;
        version.LoadString(IDS_VERSION);
        ::RegSetValueEx(key, "RunDir", 0, REG_SZ, (const BYTE*)(LPCSTR)theApp.m_strRunDir,
                        theApp.m_strRunDir.GetLength() + 1);
        ::RegSetValueEx(key, "Version", 0, REG_SZ, (const BYTE*)(LPCSTR)version, version.GetLength() + 1);
        ::RegCloseKey(key);
    }

    const CString& app = theApp.m_strAppKey;
    theApp.SaveProfileInt(app, "FolderBarWidth", m_wndFolderBar.GetWidth());
    theApp.SaveProfileInt(app, "SelFolder", m_nSelFolder);
    theApp.SaveProfileString(app, "MusicDir", theApp.m_szMusicDir);
    theApp.SaveProfileString(app, "ImageOpenDir", theApp.m_szImageOpenDir);
    theApp.SaveProfileString(app, "ImageSaveDir", theApp.m_szImageSaveDir);
    theApp.SaveProfileString(app, "TemplateDir", theApp.m_szTemplateDir);
}

void CMainFrame::OnClose()
{
    if (!QueryCloseEditors())
        return;
    // Only now: a refused close leaves scanning working.
    ReleaseTwain();
    theApp.m_bClosing = 1;
    LockWindowUpdate();
    SaveFrameState();
    UnlockWindowUpdate();
    CMDIFrameWnd::OnClose();
}
