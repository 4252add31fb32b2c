#include "dialogs/VXDialog.h"

#include "controls/MemDC.h"
#include "controls/VXDlgLayerFrame.h"
#include "framework/VXApp.h"
#include "image/ImageObject.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

const char kPositionSection[] = "WinPosition";
// The system palette entries a palette device's background conversion takes.
const int kPaletteEntries = 255;
const WORD kPaletteVersion = 0x300;

// A logical palette of the device's system palette, or null for a device without one.
std::unique_ptr<CPalette> SystemPalette(CDC* dc)
{
    if (!dc || !(dc->GetDeviceCaps(RASTERCAPS) & RC_PALETTE))
        return nullptr;
    std::vector<BYTE> bytes(sizeof(LOGPALETTE) + kPaletteEntries * sizeof(PALETTEENTRY));
    LOGPALETTE* log = reinterpret_cast<LOGPALETTE*>(bytes.data());
    log->palVersion = kPaletteVersion;
    log->palNumEntries = kPaletteEntries;
    ::GetSystemPaletteEntries(dc->GetSafeHdc(), 0, kPaletteEntries, log->palPalEntry);
    auto palette = std::make_unique<CPalette>();
    if (!palette->CreatePalette(log))
        return nullptr;
    return palette;
}

}  // namespace

IMPLEMENT_DYNAMIC(CVXDialog, CDialog)

BEGIN_MESSAGE_MAP(CVXDialog, CDialog)
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CVXDialog::CVXDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), m_nIconID(0), m_bChild(FALSE), m_bEmbedded(FALSE), m_bSavePosition(TRUE),
      m_pBackImg(nullptr), m_nBackMode(BACK_TILED)
{
}

CVXDialog::~CVXDialog()
{
    // Normally gone with the window already. A dialog deleted while its window is up never
    // reaches OnDestroy at this level: its child dialogs go here, and a dialog never created
    // still owns its picture.
    DeleteChildDialogs();
    delete m_pBackImg;
    m_pBackImg = nullptr;
}

void CVXDialog::DeleteChildDialogs()
{
    for (INT_PTR i = 0; i < m_arrChildDlgs.GetSize(); ++i) {
        if (CWnd* child = m_arrChildDlgs[i]) {
            child->DestroyWindow();
            delete child;
            m_arrChildDlgs[i] = nullptr;
        }
    }
}

void CVXDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
}

CVXApp* CVXDialog::ProfileApp()
{
    return DYNAMIC_DOWNCAST(CVXApp, AfxGetApp());
}

bool CVXDialog::HasBackImage() const
{
    // A picture without pixels would tile forever; it counts as none.
    return m_pBackImg && m_pBackImg->IsLoaded() && m_pBackImg->GetWidth() > 0 && m_pBackImg->GetHeight() > 0;
}

BOOL CVXDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_bEmbedded && !(GetStyle() & WS_CHILD)) {
        HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(m_nIconID), RT_GROUP_ICON);
        HICON icon = ::LoadIcon(module, MAKEINTRESOURCE(m_nIconID));
        SendMessage(WM_SETICON, ICON_BIG, (LPARAM)icon);
    } else {
        m_bChild = TRUE;
    }
    if (HasBackImage() && !m_brHollow.GetSafeHandle())
        m_brHollow.CreateStockObject(HOLLOW_BRUSH);
    return TRUE;
}

void CVXDialog::AddStringProfile(CString strEntry, CString* pMember)
{
    m_arrProfileNames.Add(strEntry);
    m_arrStringMembers.Add(pMember);
    m_arrNumberMembers.Add(nullptr);
}

void CVXDialog::AddNumberProfile(CString strEntry, int* pMember)
{
    m_arrProfileNames.Add(strEntry);
    m_arrStringMembers.Add(nullptr);
    m_arrNumberMembers.Add(pMember);
}

void CVXDialog::RestorePosition(CVXApp* app)
{
    CRect saved(-1, -1, -1, -1);
    const int state = app ? app->RtrvWindowPos(m_strProfileName, &saved) : 0;
    if (saved.left == -1 && saved.right == -1) {
        CenterWindow();
    } else {
        SetWindowPos(nullptr, saved.left, saved.top, saved.right - saved.left, saved.bottom - saved.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (state != 0)
        ShowWindow(SW_SHOWMAXIMIZED);
}

void CVXDialog::LoadProfile()
{
    if (m_bEmbedded)
        return;
    CVXApp* app = ProfileApp();
    if (!m_bChild)
        RestorePosition(app);
    for (INT_PTR i = 0; i < m_arrProfileNames.GetSize(); ++i) {
        if (int* number = m_arrNumberMembers[i])
            *number = app ? app->LoadProfileInt(m_strProfileName, m_arrProfileNames[i]) : 0;
        else if (CString* text = m_arrStringMembers[i])
            *text = app ? app->LoadProfileString(m_strProfileName, m_arrProfileNames[i]) : CString();
    }
}

void CVXDialog::SavePosition()
{
    int state = 0;
    if (IsZoomed() || IsIconic()) {
        state = 1;
        ShowWindow(SW_RESTORE);
    }
    CRect rect;
    GetWindowRect(&rect);
    if (m_bSavePosition != 1)
        return;
    if (CVXApp* app = ProfileApp())
        app->SaveWindowPos(m_strProfileName, &rect, state);
}

void CVXDialog::OnOK()
{
    if (m_bChild || m_bEmbedded)
        return;
    SavePosition();
    CDialog::OnOK();
}

void CVXDialog::OnCancel()
{
    if (m_bChild || m_bEmbedded)
        return;
    SavePosition();
    CDialog::OnCancel();
}

void CVXDialog::SaveBoundMembers()
{
    CVXApp* app = ProfileApp();
    if (!app)
        return;
    for (INT_PTR i = 0; i < m_arrProfileNames.GetSize(); ++i) {
        if (int* number = m_arrNumberMembers[i])
            app->SaveProfileInt(m_strProfileName, m_arrProfileNames[i], *number);
        else if (CString* text = m_arrStringMembers[i])
            app->SaveProfileString(m_strProfileName, m_arrProfileNames[i], *text);
    }
}

void CVXDialog::OnDestroy()
{
    CWaitCursor wait;
    CDialog::OnDestroy();
    DeleteChildDialogs();
    if (!m_bEmbedded)
        SaveBoundMembers();
    delete m_pBackImg;
    m_pBackImg = nullptr;
}

void CVXDialog::AddChildDialog(CWnd* pDlg)
{
    m_arrChildDlgs.Add(pDlg);
}

void CVXDialog::ShowChildWnds(int a, int b)
{
    for (INT_PTR i = 0; i < m_arrChildDlgs.GetSize(); ++i) {
        CWnd* child = m_arrChildDlgs[i];
        if (child && child->GetSafeHwnd())
            child->ShowWindow(i == a || i == b ? SW_SHOW : SW_HIDE);
    }
}

void CVXDialog::SetCaption(CString strText)
{
    if (m_bEmbedded)
        return;
    if (!m_bChild) {
        SetWindowText(strText);
        return;
    }
    CWnd* parent = GetParent();
    CWnd* host = parent ? parent->GetParent() : nullptr;
    if (CVXDlgLayerFrame* frame = DYNAMIC_DOWNCAST(CVXDlgLayerFrame, host))
        frame->SetFrameTitle(strText);
}

void CVXDialog::CloseVXDialog()
{
    if (!m_bChild) {
        OnCancel();
        return;
    }
    CFrameWnd* frame = GetParentFrame();
    if (!frame)
        return;
    if (CWnd* client = frame->GetParent())
        client->SendMessage(WM_MDIDESTROY, (WPARAM)frame->GetSafeHwnd());
}

int CVXDialog::SetBackImg(UINT nBitmapID)
{
    delete m_pBackImg;
    m_pBackImg = nullptr;
    CWindowDC dc(this);
    std::unique_ptr<CPalette> palette = SystemPalette(&dc);
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(nBitmapID), RT_BITMAP);
    HBITMAP handle =
        (HBITMAP)::LoadImage(module, MAKEINTRESOURCE(nBitmapID), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (handle) {
        CBitmap bitmap;
        bitmap.Attach(handle);
        CImageObject converter;
        m_pBackImg = converter.DDBToImgObj(bitmap, BI_RGB, palette.get());
        bitmap.DeleteObject();
    }
    if (m_pBackImg && !HasBackImage()) {
        delete m_pBackImg;
        m_pBackImg = nullptr;
    }
    return 1;
}

void CVXDialog::PaintBackground(CDC* pDC, const CRect& client)
{
    CImageObject* img = m_pBackImg;
    const int width = img->GetWidth();
    const int height = img->GetHeight();
    if (m_nBackMode == BACK_CENTERED) {
        // Integer division keeps the sign: a picture larger than the window is cut on all sides.
        img->SetDst_x((client.Width() - width) / 2);
        img->SetDst_y((client.Height() - height) / 2);
        img->DrawStretch(pDC);
    } else if (m_nBackMode == BACK_STRETCHED) {
        img->SetDst_x(0);
        img->SetDst_y(0);
        img->SetDst_width(client.Width());
        img->SetDst_height(client.Height());
        img->DrawStretch(pDC);
    } else {
        img->SetDst_width(width);
        img->SetDst_height(height);
        for (int y = 0; y < client.Height(); y += height) {
            for (int x = 0; x < client.Width(); x += width) {
                img->SetDst_x(x);
                img->SetDst_y(y);
                img->DrawStretch(pDC);
            }
        }
    }
}

BOOL CVXDialog::OnEraseBkgnd(CDC* pDC)
{
    if (!HasBackImage()) {
        OnPostEraseBkgnd(pDC);
        return CDialog::OnEraseBkgnd(pDC);
    }
    CRect client;
    GetClientRect(&client);
    CBitmap bitmap;
    CMemDC memory(pDC, &client, &bitmap);
    memory.FillSolidRect(CRect(0, 0, client.Width(), client.Height()), pDC->GetBkColor());
    PaintBackground(&memory, client);
    pDC->BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    OnPostEraseBkgnd(&memory);
    return TRUE;
}

void CVXDialog::OnPostEraseBkgnd(CDC*) {}

HBRUSH CVXDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (HasBackImage() && m_brHollow.GetSafeHandle()) {
        bool transparent = nCtlColor == CTLCOLOR_BTN;
        if (nCtlColor == CTLCOLOR_STATIC && pWnd) {
            char name[64] = "";
            ::GetClassName(pWnd->GetSafeHwnd(), name, sizeof(name));
            transparent = strcmp(name, "msctls_trackbar32") != 0 && strcmp(name, "Edit") != 0;
        }
        if (transparent) {
            pDC->SetBkMode(TRANSPARENT);
            return (HBRUSH)m_brHollow.GetSafeHandle();
        }
    }
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}
