#include "editor/DlgConsoleEditTools.h"

#include "controls/VXGDI.h"
#include "controls/VXMenu.h"
#include "editor/ConsoleImgListView.h"
#include "editor/EditorShell.h"
#include "editor/ImgEditView.h"
#include "image/ImageObject.h"
#include "mivo/Trace.h"
#include "resource.h"

#include <algorithm>
#include <cstring>

namespace {

struct ToolButton {
    UINT id;
    UINT icon;
    const char* tip;
    int tool;
};

// The tool buttons in the order of their member array.
const ToolButton kToolButtons[CDlgConsoleEditTools::kTools] = {
    {IDC_ET_SELECT, IDI_ET_SELECT, "사각영역 선택", ETM_SELECT},
    {IDC_ET_PEN, IDI_ET_PEN, "펜으로 쓰기", ETM_PEN},
    {IDC_ET_BRUSH, IDI_ET_BRUSH, "붓으로 진하게 그리기", ETM_BRUSH},
    {IDC_ET_SPRAY, IDI_ET_SPRAY, "스프레이로 엷게 뿌리기", ETM_SPRAY},
    {IDC_ET_ZOOM, IDI_ET_ZOOM, "크게 보기", ETM_ZOOM},
    {IDC_ET_PICKER, IDI_ET_PICKER, "색상값 얻기", ETM_PICKER},
    {IDC_ET_PAN, IDI_ET_PAN, "화면 영역 이동하기", ETM_PAN},
    {IDC_ET_TEXT, IDI_ET_TEXT, "텍스트 써넣기", ETM_TEXT},
};

// Drawing tools without a handler yet: shown, never enabled.
const ToolButton kUnfinishedButtons[CDlgConsoleEditTools::kUnfinishedTools] = {
    {IDC_ET_PAINT, IDI_ET_PAINT, "페인트", 0},
    {IDC_ET_LINE, IDI_ET_LINE, "선 그리기", 0},
    {IDC_ET_ELLIPSE, IDI_ET_ELLIPSE, "타원그리기", 0},
    {IDC_ET_POLYGON, IDI_ET_POLYGON, "다각형 그리기", 0},
};

const char* const kRatios[] = {"없음",     "1 x 1", "가로방향", "3 x 2", "4 x 3", "5 x 3", "5 x 4",
                               "7 x 5",    "세로방향", "2 x 3", "3 x 4", "3 x 5", "4 x 5", "5 x 7"};

const COLORREF kDefaultSwatches[CDlgConsoleEditTools::kSwatches] = {
    0xFFFFFF, 0x00FFFF, 0xFFFF00, 0xFF00FF, 0xFF0000, 0x00FF00, 0x0000FF, 0xC0C0C0,
    0x808080, 0x808000, 0x008080, 0x800080, 0x000080, 0x008000, 0x800000, 0x000000};

const COLORREF kGrey = 0x808080;
const COLORREF kNavFrameColour = 0xFFFF00;
const COLORREF kLabelText = 0x606060;
const COLORREF kTitleText = 0xFF0000;
// The tool icons' size on the buttons.
const int kToolIconSize = 20;
const int kNavBoxInset = 3;

// A decimal number after leading blanks, up to the first non-digit.
int LeadingNumber(const char* text, const char* end)
{
    while (text < end && *text == ' ')
        ++text;
    long long value = 0;
    for (; text < end && *text >= '0' && *text <= '9'; ++text)
        value = std::min(value * 10 + (*text - '0'), 1000000LL);
    return int(value);
}

void SetCheckStateIfChanged(CCheckButton& button, int state)
{
    if (button.GetCheckState() != state)
        button.SetCheckState(state);
}

}  // namespace

BEGIN_MESSAGE_MAP(CDlgConsoleEditTools, CVXDialog)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_ET_SELECT, IDC_ET_PAN, OnToolButton)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_ET_TEXT, IDC_ET_TEXT, OnToolButton)
    ON_CBN_SELENDOK(IDC_ET_RATIO, OnRatioSelected)
    ON_BN_CLICKED(IDC_ET_PALETTE, OnPalette)
    ON_BN_CLICKED(IDC_ET_WINDOW_LIST, OnWindowListButton)
    ON_BN_CLICKED(IDC_ET_NAVIGATOR, OnNavigatorButton)
    ON_COMMAND(IDM_ED_ZOOM_IN, OnZoomIn)
    ON_COMMAND(IDM_ED_ZOOM_OUT, OnZoomOut)
    ON_COMMAND(IDM_ED_FULL_SCREEN, OnFitToWindow)
    ON_WM_HSCROLL()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_SETCURSOR()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgConsoleEditTools::CDlgConsoleEditTools(CWnd* pParent)
    : CVXDialog(IDD_CONSOLE_EDITTOOLS, pParent),
      m_bWindowListMode(1),
      m_pImgListView(nullptr),
      m_clrCurrent(0xFFFFFF),
      m_nRatioX(0),
      m_nRatioY(0),
      m_rcVisible(-1, -1, -1, -1),
      m_rcNavFrame(-1, -1, -1, -1),
      m_bOverNavFrame(0),
      m_ptDragLast(-1, -1),
      m_nNavRatio(0),
      m_nOpacity(100),
      m_nBrushSize(8),
      m_strColorHex("FFFFFF")
{
    m_bChild = TRUE;
    m_nIconID = IDR_MAINFRAME;
    std::copy(std::begin(kDefaultSwatches), std::end(kDefaultSwatches), m_arrSwatch);
}

CDlgConsoleEditTools::~CDlgConsoleEditTools() = default;

void CDlgConsoleEditTools::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    for (int i = 0; i < kTools; ++i)
        DDX_Control(pDX, int(kToolButtons[i].id), m_btnTools[i]);
    for (int i = 0; i < kUnfinishedTools; ++i)
        DDX_Control(pDX, int(kUnfinishedButtons[i].id), m_btnUnfinished[i]);
    DDX_Control(pDX, IDC_ET_WINDOW_LIST, m_btnWindowList);
    DDX_Control(pDX, IDC_ET_NAVIGATOR, m_btnNavigator);
    DDX_Control(pDX, IDC_ET_PALETTE, m_btnPalette);
    DDX_Control(pDX, IDC_ET_RATIO, m_cbRatio);
    DDX_Control(pDX, IDC_ET_SIZE, m_sliderSize);
    DDX_Control(pDX, IDC_ET_OPACITY, m_sliderOpacity);
    DDX_Control(pDX, IDC_ET_TOOLS_LABEL, m_stcTools);
    DDX_Control(pDX, IDC_ET_COLOR_LABEL, m_stcColor);
    DDX_Text(pDX, IDC_ET_OPACITY_EDIT, m_nOpacity);
    DDV_MinMaxInt(pDX, m_nOpacity, 0, 100);
    DDX_Text(pDX, IDC_ET_SIZE_EDIT, m_nBrushSize);
    DDV_MinMaxInt(pDX, m_nBrushSize, 1, 16);
    DDX_Text(pDX, IDC_ET_COLOR_HEX, m_strColorHex);
    DDX_CBString(pDX, IDC_ET_RATIO, m_strRatio);
}

// --- Start-up ----------------------------------------------------------------

BOOL CDlgConsoleEditTools::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    m_sliderSize.SetRange(1, 16);
    m_sliderSize.SetPos(m_nBrushSize);
    m_sliderOpacity.SetRange(0, 100);
    m_sliderOpacity.SetPos(m_nOpacity);

    for (const char* ratio : kRatios)
        m_cbRatio.AddString(ratio);
    for (int i = kSwatches - 1; i >= 0; --i) {
        CWnd* swatch = GetDlgItem(IDC_ET_SWATCH_FIRST + i);
        if (!swatch)
            continue;
        swatch->GetWindowRect(&m_rcSwatch[i]);
        ScreenToClient(&m_rcSwatch[i]);
    }
    if (CWnd* box = GetDlgItem(IDC_ET_COLOR_BOX)) {
        box->GetWindowRect(&m_rcColorBox);
        ScreenToClient(&m_rcColorBox);
    }

    SetupButtons();
    CreateListView();
    UpdateWindowListCaption();
    CRect client;
    GetClientRect(&client);
    Layout(client.Width(), client.Height());
    return TRUE;
}

void CDlgConsoleEditTools::SetupButtons()
{
    auto setup = [](CCheckButton& button, const ToolButton& tool) {
        HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(tool.icon), RT_GROUP_ICON);
        HICON icon = (HICON)::LoadImage(module, MAKEINTRESOURCE(tool.icon), IMAGE_ICON, kToolIconSize,
                                        kToolIconSize, 0);
        if (!icon)
            MIVO_WARN(kTraceLumaret, "edit tools: icon %u is missing", tool.icon);
        button.SetIcon(icon);
        button.SetNormalBorder(TRUE);
        button.SetBtnCursor(IDC_EDITOR_HAND);
        button.SetTooltipText(tool.tip);
    };
    for (int i = 0; i < kTools; ++i)
        setup(m_btnTools[i], kToolButtons[i]);
    for (int i = 0; i < kUnfinishedTools; ++i) {
        setup(m_btnUnfinished[i], kUnfinishedButtons[i]);
        m_btnUnfinished[i].EnableWindow(FALSE);
    }

    const COLORREF keep = CCheckButton::kKeep;
    m_btnWindowList.SetColors(0xDCDCDC, keep, ::GetSysColor(COLOR_BTNFACE), keep, 0xA0A0A0, keep);
    m_btnWindowList.SetTooltipText("다른 편집 창으로 전환");
    m_btnWindowList.SetCheckState(1);
    m_btnNavigator.SetColors(0xDCDCDC, keep, ::GetSysColor(COLOR_BTNFACE), keep, 0xA0A0A0, keep);
    m_btnNavigator.SetTooltipText("창에 나타나는 부분을 이동");

    // A raised button: the text alone would not read as one.
    m_btnPalette.SetFlat(FALSE);
    m_btnPalette.SetBtnCursor(IDC_EDITOR_HAND);
    m_btnPalette.SetTooltipText("색 선택 창에서 선택");

    m_stcTools.SetVXStaticTextColor(kTitleText);
    m_stcColor.SetVXStaticTextColor(kTitleText);
}

void CDlgConsoleEditTools::CreateListView()
{
    auto* view = static_cast<CConsoleImgListView*>(RUNTIME_CLASS(CConsoleImgListView)->CreateObject());
    if (!view)
        return;
    // The window owns the view: a view that fails to be made deletes itself.
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this,
                      AFX_IDW_PANE_FIRST, nullptr)) {
        MIVO_WARN(kTraceLumaret, "edit tools: the open-editor list could not be made");
        return;
    }
    m_pImgListView = view;
    if (view->GetExStyle() & WS_EX_CLIENTEDGE) {
        ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
        view->ModifyStyleEx(WS_EX_CLIENTEDGE, WS_EX_STATICEDGE, SWP_FRAMECHANGED);
    }
    view->m_pOwnerPane = this;
    view->SetOwner(this);
    view->ShowWindow(SW_SHOW);
    view->SetBkColor(kGrey);
    view->SendMessage(WM_INITIALUPDATE);
    if (!(GetStyle() & WS_CHILD))
        view->m_bActivateOnClick = 0;
}

// --- Notifications -----------------------------------------------------------

void CDlgConsoleEditTools::OnEditorViewChanged(CImgEditView* pView)
{
    if (editor_shell::IsClosing() || !::IsWindow(m_hWnd))
        return;
    if (m_pImgListView)
        m_pImgListView->AddOrUpdateView(pView);
    RebuildNavigatorImage();
    InvalidateImageBox();
    SyncToolButtons();
    UpdateWindowListCaption();
}

void CDlgConsoleEditTools::OnEditorViewActivated(CImgEditView* pView)
{
    if (editor_shell::IsClosing() || !::IsWindow(m_hWnd))
        return;
    if (m_pImgListView)
        m_pImgListView->SelectView(pView);
    RebuildNavigatorImage();
    InvalidateImageBox();
    SyncToolButtons();
}

void CDlgConsoleEditTools::OnEditorViewDeactivated(CImgEditView*)
{
    if (editor_shell::IsClosing() || !::IsWindow(m_hWnd))
        return;
    if (m_pImgListView)
        m_pImgListView->ClearSelection();
    RebuildNavigatorImage();
    InvalidateImageBox();
}

void CDlgConsoleEditTools::OnEditorViewDestroyed(CImgEditView* pView)
{
    if (editor_shell::IsClosing() || !m_pImgListView || !::IsWindow(m_pImgListView->GetSafeHwnd()))
        return;
    m_pImgListView->RemoveView(pView);
    UpdateWindowListCaption();
}

void CDlgConsoleEditTools::UpdateWindowListCaption()
{
    int count = m_pImgListView ? m_pImgListView->GetCount() : 0;
    CString caption = "창 전환";
    if (count > 0)
        caption.Format("창 전환-%d", count);
    m_btnWindowList.SetWindowText(caption);
    m_btnWindowList.EnableWindow(count > 0);
}

// --- Tools -------------------------------------------------------------------

void CDlgConsoleEditTools::OnToolButton(UINT nID)
{
    int tool = 0;
    for (int i = 0; i < kTools; ++i) {
        bool pressed = kToolButtons[i].id == nID;
        SetCheckStateIfChanged(m_btnTools[i], pressed ? 1 : 0);
        if (pressed)
            tool = kToolButtons[i].tool;
    }
    m_cbRatio.EnableWindow(nID == IDC_ET_SELECT);
    CImgEditView* view = editor_shell::ActiveEditView();
    if (!view || !tool)
        return;
    if (view->m_nEditTool != tool) {
        view->m_nEditTool = tool;
        // The selection's frame shows only with the selection tool.
        view->Invalidate(FALSE);
    }
    view->SetFocus();
}

void CDlgConsoleEditTools::SyncToolButtons()
{
    CImgEditView* view = editor_shell::ActiveEditView();
    if (!view)
        return;
    for (const ToolButton& button : kToolButtons) {
        if (button.tool == view->m_nEditTool) {
            OnToolButton(button.id);
            return;
        }
    }
}

void CDlgConsoleEditTools::ParseRatio(LPCSTR text, int* pX, int* pY)
{
    *pX = *pY = 0;
    if (!text)
        return;
    const char* end = text + std::strlen(text);
    for (const char* p = text; p < end; ++p) {
        if (::IsDBCSLeadByte(BYTE(*p))) {
            // The trail byte is part of this character, whatever its value.
            if (p + 1 < end)
                ++p;
            continue;
        }
        if (*p == 'x' || *p == 'X') {
            *pX = LeadingNumber(text, p);
            *pY = LeadingNumber(p + 1, end);
            return;
        }
    }
}

void CDlgConsoleEditTools::OnRatioSelected()
{
    int index = m_cbRatio.GetCurSel();
    CString text;
    if (index >= 0)
        m_cbRatio.GetLBText(index, text);
    m_strRatio = text;
    ParseRatio(text, &m_nRatioX, &m_nRatioY);
}

// --- Colours -----------------------------------------------------------------

CString CDlgConsoleEditTools::ColorHex(COLORREF clr)
{
    CString hex;
    hex.Format("%02X%02X%02X", GetRValue(clr), GetGValue(clr), GetBValue(clr));
    return hex;
}

void CDlgConsoleEditTools::SetCurrentColor(COLORREF clr)
{
    m_clrCurrent = clr;
    bool known = std::find(std::begin(m_arrSwatch), std::end(m_arrSwatch), clr) != std::end(m_arrSwatch);
    if (!known) {
        std::copy_backward(m_arrSwatch, m_arrSwatch + kSwatches - 1, m_arrSwatch + kSwatches);
        m_arrSwatch[0] = clr;
    }
    m_strColorHex = ColorHex(clr);
    if (!::IsWindow(m_hWnd))
        return;
    if (!known)
        for (const CRect& swatch : m_rcSwatch)
            InvalidateRect(swatch, FALSE);
    InvalidateRect(m_rcColorBox, FALSE);
    UpdateData(FALSE);
}

void CDlgConsoleEditTools::OnPalette()
{
    CColorDialog dialog(m_clrCurrent, CC_RGBINIT | CC_FULLOPEN, this);
    if (dialog.DoModal() == IDOK)
        SetCurrentColor(dialog.GetColor());
}

void CDlgConsoleEditTools::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CWnd* control = pScrollBar;
    if (control && control->GetSafeHwnd() == m_sliderOpacity.GetSafeHwnd()) {
        m_nOpacity = m_sliderOpacity.GetPos();
        UpdateData(FALSE);
    } else if (control && control->GetSafeHwnd() == m_sliderSize.GetSafeHwnd()) {
        m_nBrushSize = m_sliderSize.GetPos();
        InvalidateRect(m_rcColorBox, FALSE);
        UpdateData(FALSE);
    } else {
        CVXDialog::OnHScroll(nSBCode, nPos, pScrollBar);
    }
}

// --- Image box modes -----------------------------------------------------------

void CDlgConsoleEditTools::ShowNavigator()
{
    if (!m_bWindowListMode)
        return;
    if (m_pImgListView)
        m_pImgListView->ShowWindow(SW_HIDE);
    m_btnNavigator.SetCheckState(1);
    m_btnWindowList.SetCheckState(0);
    m_bWindowListMode = 0;
    InvalidateRect(ImageBoxRect(), TRUE);
}

void CDlgConsoleEditTools::ShowWindowList()
{
    if (m_bWindowListMode)
        return;
    m_btnNavigator.SetCheckState(0);
    m_btnWindowList.SetCheckState(1);
    m_bWindowListMode = 1;
    InvalidateRect(ImageBoxRect(), TRUE);
    UpdateWindow();
    if (m_pImgListView)
        m_pImgListView->ShowWindow(SW_SHOW);
}

void CDlgConsoleEditTools::OnWindowListButton()
{
    ShowWindowList();
}

void CDlgConsoleEditTools::OnNavigatorButton()
{
    ShowNavigator();
}

void CDlgConsoleEditTools::InvalidateImageBox()
{
    InvalidateRect(ImageBoxRect(), FALSE);
}

// --- Navigator -------------------------------------------------------------------

CRect CDlgConsoleEditTools::ImageBoxRect() const
{
    CRect box(0, 0, 0, 0);
    if (CWnd* control = GetDlgItem(IDC_ET_IMAGE_BOX)) {
        control->GetWindowRect(&box);
        ScreenToClient(&box);
    }
    return box;
}

CRect CDlgConsoleEditTools::NavThumbRect() const
{
    if (!m_pNavImage)
        return CRect(-1, -1, -1, -1);
    CRect box = ImageBoxRect();
    box.DeflateRect(kNavBoxInset, kNavBoxInset);
    int w = m_pNavImage->GetWidth(), h = m_pNavImage->GetHeight();
    int x = box.left + (box.Width() - w) / 2;
    int y = box.top + (box.Height() - h) / 2;
    return CRect(x, y, x + w, y + h);
}

void CDlgConsoleEditTools::ForgetNavFrame()
{
    m_rcNavFrame.SetRect(-1, -1, -1, -1);
    m_bOverNavFrame = 0;
}

void CDlgConsoleEditTools::RebuildNavigatorImage()
{
    m_pNavImage.reset();
    CImgEditView* view = editor_shell::ActiveEditView();
    // A view still loading has no picture yet.
    if (view && view->HasImage()) {
        CRect box = ImageBoxRect();
        box.DeflateRect(kNavBoxInset, kNavBoxInset);
        if (box.Width() > 0 && box.Height() > 0) {
            m_nNavRatio = view->m_pImage->GetThumbRatio(box.Size(), nullptr, TRUE);
            m_pNavImage.reset(view->m_pImage->MakeScaledImgObj(m_nNavRatio, nullptr, nullptr));
        }
    }
    // No thumbnail, no frame: an old one must not stay hit-testable.
    if (!m_pNavImage) {
        m_nNavRatio = 0;
        ForgetNavFrame();
    }
}

void CDlgConsoleEditTools::InvalidateOutline(const CRect& frame)
{
    if (frame.left == -1 || !::IsWindow(m_hWnd))
        return;
    CRgn outer, inner;
    outer.CreateRectRgn(frame.left, frame.top, frame.right + 1, frame.bottom + 1);
    inner.CreateRectRgn(frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1);
    outer.CombineRgn(&outer, &inner, RGN_DIFF);
    InvalidateRgn(&outer, FALSE);
}

void CDlgConsoleEditTools::UpdateNavigatorFrame(CRect rcVisible)
{
    if (editor_shell::IsClosing() || !m_pNavImage)
        return;
    InvalidateOutline(m_rcNavFrame);
    m_rcVisible = rcVisible;
    CRect box = ImageBoxRect();
    if (box.Width() <= 0 || box.Height() <= 0)
        return;
    if (rcVisible.left < 0 || rcVisible.top < 0 || m_nNavRatio <= 0) {
        ForgetNavFrame();
        return;
    }
    CRect thumb = NavThumbRect();
    long long r = m_nNavRatio;
    m_rcNavFrame.SetRect(int(rcVisible.left * r / 1000) + thumb.left, int(rcVisible.top * r / 1000) + thumb.top,
                         int(rcVisible.right * r / 1000) + thumb.left, int(rcVisible.bottom * r / 1000) + thumb.top);
    InvalidateOutline(m_rcNavFrame);
}

void CDlgConsoleEditTools::DragNavFrame(CPoint point)
{
    // Only a frame over a thumbnail, with a scale to map it back, can move.
    if (!m_pNavImage || m_nNavRatio <= 0 || m_rcNavFrame.left == -1)
        return;
    InvalidateOutline(m_rcNavFrame);
    CRect thumb = NavThumbRect();
    CRect frame = m_rcNavFrame;
    frame.OffsetRect(point - m_ptDragLast);
    if (frame.left < thumb.left)
        frame.OffsetRect(thumb.left - frame.left, 0);
    if (frame.top < thumb.top)
        frame.OffsetRect(0, thumb.top - frame.top);
    if (frame.right > thumb.right)
        frame.OffsetRect(thumb.right - frame.right, 0);
    if (frame.bottom > thumb.bottom)
        frame.OffsetRect(0, thumb.bottom - frame.bottom);
    m_rcNavFrame = frame;
    InvalidateOutline(m_rcNavFrame);
    UpdateWindow();
    if (CImgEditView* view = editor_shell::ActiveEditView()) {
        CPoint image(int((frame.left - thumb.left) * 1000LL / m_nNavRatio),
                     int((frame.top - thumb.top) * 1000LL / m_nNavRatio));
        view->ScrollToImagePosition(image);
        m_rcVisible = view->VisibleImageRect();
    }
    m_ptDragLast = point;
}

void CDlgConsoleEditTools::OnZoomIn()
{
    if (CImgEditView* view = editor_shell::ActiveEditView())
        view->ZoomIn();
}

void CDlgConsoleEditTools::OnZoomOut()
{
    if (CImgEditView* view = editor_shell::ActiveEditView())
        view->ZoomOut();
}

void CDlgConsoleEditTools::OnFitToWindow()
{
    if (CImgEditView* view = editor_shell::ActiveEditView())
        view->FitToWindow();
}

// --- Mouse -----------------------------------------------------------------------

void CDlgConsoleEditTools::OnLButtonDown(UINT nFlags, CPoint point)
{
    CVXDialog::OnLButtonDown(nFlags, point);
    SetCapture();
    if (!m_bWindowListMode && m_bOverNavFrame) {
        m_ptDragLast = point;
        return;
    }
    for (int i = 0; i < kSwatches; ++i) {
        if (!m_rcSwatch[i].PtInRect(point))
            continue;
        // Picking from the row never reorders it.
        m_clrCurrent = m_arrSwatch[i];
        InvalidateRect(m_rcColorBox, FALSE);
        m_strColorHex = ColorHex(m_clrCurrent);
        UpdateData(FALSE);
        return;
    }
}

void CDlgConsoleEditTools::OnLButtonUp(UINT nFlags, CPoint point)
{
    CVXDialog::OnLButtonUp(nFlags, point);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CDlgConsoleEditTools::OnMouseMove(UINT nFlags, CPoint point)
{
    CVXDialog::OnMouseMove(nFlags, point);
    if (m_bWindowListMode)
        return;
    if (!(nFlags & MK_LBUTTON))
        m_bOverNavFrame = m_rcNavFrame.left != -1 && m_rcNavFrame.PtInRect(point);
    else if (m_bOverNavFrame && ::GetCapture() == m_hWnd)
        DragNavFrame(point);
}

void CDlgConsoleEditTools::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CVXDialog::OnLButtonDblClk(nFlags, point);
    if (!m_bWindowListMode && ImageBoxRect().PtInRect(point))
        ShowWindowList();
}

void CDlgConsoleEditTools::OnRButtonDown(UINT nFlags, CPoint point)
{
    CVXDialog::OnRButtonDown(nFlags, point);
    if (m_bWindowListMode)
        return;
    CVXMenu menu;
    if (!menu.LoadMenu(IDR_EDITOR_NAVIGATOR_MENU)) {
        MIVO_WARN(kTraceLumaret, "edit tools: the navigator's popup %d is missing", IDR_EDITOR_NAVIGATOR_MENU);
        return;
    }
    menu.LoadToolbar(IDR_EDITOR_MENU_IMAGES);
    CPoint screen;
    ::GetCursorPos(&screen);
    if (CMenu* popup = menu.GetSubMenu(0))
        popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, this);
}

BOOL CDlgConsoleEditTools::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (pWnd == this && nHitTest == HTCLIENT && !m_bWindowListMode && m_bOverNavFrame) {
        if (HCURSOR hand = AfxGetApp() ? AfxGetApp()->LoadCursor(IDC_EDITOR_HAND) : nullptr) {
            ::SetCursor(hand);
            return TRUE;
        }
    }
    return CVXDialog::OnSetCursor(pWnd, nHitTest, message);
}

// --- Layout and painting ------------------------------------------------------------

void CDlgConsoleEditTools::OnSize(UINT nType, int cx, int cy)
{
    CVXDialog::OnSize(nType, cx, cy);
    Layout(cx, cy);
}

void CDlgConsoleEditTools::Layout(int cx, int cy)
{
    if (cx <= 0 || cy <= 0 || editor_shell::IsClosing() || !::IsWindow(m_btnPalette.GetSafeHwnd()))
        return;
    CWnd* imageBox = GetDlgItem(IDC_ET_IMAGE_BOX);
    CWnd* frame = GetDlgItem(IDC_ET_FRAME);
    if (!imageBox || !frame)
        return;
    CRect box = ImageBoxRect();
    int m = box.left, t = box.top;
    CRect placed(m, t, m + std::max(cx - 2 * m, 0), t + std::max(cy - t - m, 0));
    imageBox->MoveWindow(placed);
    if (m_pImgListView)
        m_pImgListView->MoveWindow(placed);
    RebuildNavigatorImage();
    UpdateNavigatorFrame(m_rcVisible);

    CRect frameRect;
    frame->GetWindowRect(&frameRect);
    ScreenToClient(&frameRect);
    int f = frameRect.left;
    frame->MoveWindow(f, frameRect.top, std::max(cx - 2 * f, 0), frameRect.Height());
    for (CSliderCtrl* slider : {&m_sliderSize, &m_sliderOpacity}) {
        CRect r;
        slider->GetWindowRect(&r);
        ScreenToClient(&r);
        slider->MoveWindow(r.left, r.top, std::max(cx - 3 * f - r.left, 0), r.Height());
    }
    Invalidate(FALSE);
}

BOOL CDlgConsoleEditTools::OnEraseBkgnd(CDC*)
{
    // OnPaint covers the client area.
    return TRUE;
}

HBRUSH CDlgConsoleEditTools::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    int id = pWnd ? pWnd->GetDlgCtrlID() : 0;
    if (id == IDC_ET_SIZE_LABEL || id == IDC_ET_OPACITY_LABEL || id == IDC_ET_RATIO_LABEL) {
        pDC->SetTextColor(kLabelText);
        pDC->SetBkMode(TRANSPARENT);
        return (HBRUSH)::GetStockObject(NULL_BRUSH);
    }
    return CVXDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CDlgConsoleEditTools::PaintNavigator(CDC* pDC)
{
    CRect box = ImageBoxRect();
    CVXGDI::VXRoundRect(pDC, &box, kGrey, kGrey);
    if (!m_pNavImage)
        return;
    CRect thumb = NavThumbRect();
    m_pNavImage->SetSrc_x(0);
    m_pNavImage->SetSrc_y(0);
    m_pNavImage->SetSrc_width(m_pNavImage->GetWidth());
    m_pNavImage->SetSrc_height(m_pNavImage->GetHeight());
    m_pNavImage->SetDst_x(thumb.left);
    m_pNavImage->SetDst_y(thumb.top);
    m_pNavImage->SetDst_width(thumb.Width());
    m_pNavImage->SetDst_height(thumb.Height());
    m_pNavImage->DrawStretch(pDC);
    if (m_rcNavFrame.left == -1)
        return;
    CPen pen(PS_SOLID, 1, kNavFrameColour);
    CPen* oldPen = pDC->SelectObject(&pen);
    const CRect& f = m_rcNavFrame;
    pDC->MoveTo(f.left, f.top);
    pDC->LineTo(f.right, f.top);
    pDC->LineTo(f.right, f.bottom);
    pDC->LineTo(f.left, f.bottom);
    pDC->LineTo(f.left, f.top);
    pDC->SelectObject(oldPen);
}

void CDlgConsoleEditTools::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    CDC mem;
    CBitmap bitmap;
    if (!mem.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height()))
        return;
    CBitmap* oldBitmap = mem.SelectObject(&bitmap);
    mem.FillSolidRect(client, ::GetSysColor(COLOR_BTNFACE));
    CRect box = ImageBoxRect();

    for (int i = 0; i < kSwatches; ++i) {
        CRect swatch = m_rcSwatch[i];
        CVXGDI::VXRoundRect(&mem, &swatch, kGrey, m_arrSwatch[i]);
    }
    if (CWnd* frame = GetDlgItem(IDC_ET_FRAME)) {
        CRect r;
        frame->GetWindowRect(&r);
        ScreenToClient(&r);
        CVXGDI::VXRoundRect(&mem, &r, kGrey, CVXGDI::kNoFill);
    }
    CRect colorBox = m_rcColorBox;
    CVXGDI::VXRoundRect(&mem, &colorBox, kGrey, m_clrCurrent);

    // The brush: its size in the current colour, outlined in a colour that shows on it.
    CPoint centre = m_rcColorBox.CenterPoint();
    COLORREF outline = RGB((GetRValue(m_clrCurrent) + 128) % 256, (GetGValue(m_clrCurrent) + 128) % 256,
                           (GetBValue(m_clrCurrent) + 128) % 256);
    CBrush fill(m_clrCurrent);
    CPen pen(PS_SOLID, 1, outline);
    CBrush* oldBrush = mem.SelectObject(&fill);
    CPen* oldPen = mem.SelectObject(&pen);
    mem.Ellipse(centre.x - m_nBrushSize, centre.y - m_nBrushSize, centre.x + m_nBrushSize, centre.y + m_nBrushSize);
    mem.SelectObject(oldPen);
    mem.SelectObject(oldBrush);

    if (!m_bWindowListMode)
        PaintNavigator(&mem);

    if (!m_bWindowListMode) {
        dc.BitBlt(0, 0, client.Width(), client.Height(), &mem, 0, 0, SRCCOPY);
    } else {
        // Round the image box only: the list view shows there.
        const CRect strips[] = {
            CRect(0, 0, client.right, box.top),
            CRect(0, box.bottom, client.right, client.bottom),
            CRect(0, box.top, box.left, box.bottom),
            CRect(box.right, box.top, client.right, box.bottom),
        };
        for (const CRect& s : strips)
            if (!s.IsRectEmpty())
                dc.BitBlt(s.left, s.top, s.Width(), s.Height(), &mem, s.left, s.top, SRCCOPY);
    }
    mem.SelectObject(oldBitmap);
}

void CDlgConsoleEditTools::OnDestroy()
{
    CVXDialog::OnDestroy();
    m_pNavImage.reset();
    // The list view is destroyed with the pane and deletes itself.
    m_pImgListView = nullptr;
}
