#include "controls/VXRichEditCtrl.h"

#include "controls/ControlSupport.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CVXRichEditCtrl, CRichEditCtrl)

BEGIN_MESSAGE_MAP(CVXRichEditCtrl, CRichEditCtrl)
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

namespace {

// Hands the file's bytes to the control as it asks for them.
DWORD CALLBACK ReadFromFile(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done)
{
    CFile* file = (CFile*)cookie;
    *done = count > 0 ? (LONG)file->Read(buffer, (UINT)count) : 0;
    return 0;
}

// Whole inches of the page, in twips.
LONG PageTwips(HDC hdc, int resolution, int pixelsPerInch)
{
    int dpi = GetDeviceCaps(hdc, pixelsPerInch);
    return dpi > 0 ? GetDeviceCaps(hdc, resolution) / dpi * 1440 : 0;
}

}  // namespace

CVXRichEditCtrl::CVXRichEditCtrl() : m_bBold(1), m_bItalic(1), m_bUnderline(1), m_byFlag1(0), m_byFlag2(0)
{
    std::memset(&m_cf, 0, sizeof(m_cf));
    std::memset(&m_pf, 0, sizeof(m_pf));
    m_cf.cbSize = sizeof(m_cf);
    m_pf.cbSize = sizeof(m_pf);
}

CVXRichEditCtrl::~CVXRichEditCtrl() = default;

DWORD CVXRichEditCtrl::ReadSelection()
{
    return GetSelectionCharFormat(m_cf);
}

DWORD CVXRichEditCtrl::ReadParagraph()
{
    return GetParaFormat(m_pf);
}

void CVXRichEditCtrl::SetSelectionBold()
{
    ReadSelection();
    m_cf.dwMask = CFM_BOLD;
    m_cf.dwEffects = (m_cf.dwEffects & CFE_BOLD) ? 0 : CFE_BOLD;
    SetSelectionCharFormat(m_cf);
}

void CVXRichEditCtrl::SetSelectionItalic()
{
    m_cf.dwMask = CFM_ITALIC;
    m_cf.dwEffects = m_bItalic ? CFE_ITALIC : 0;
    SetSelectionCharFormat(m_cf);
    m_bItalic = !m_bItalic;
}

void CVXRichEditCtrl::SetSelectionUnderline()
{
    m_cf.dwMask = CFM_UNDERLINE;
    m_cf.dwEffects = m_bUnderline ? CFE_UNDERLINE : 0;
    SetSelectionCharFormat(m_cf);
    m_bUnderline = !m_bUnderline;
}

void CVXRichEditCtrl::SetAlignment(WORD alignment)
{
    m_pf.dwMask = PFM_ALIGNMENT;
    m_pf.wAlignment = alignment;
    SetParaFormat(m_pf);
}

void CVXRichEditCtrl::SetParagraphLeft()
{
    SetAlignment(PFA_LEFT);
}

void CVXRichEditCtrl::SetParagraphRight()
{
    SetAlignment(PFA_RIGHT);
}

void CVXRichEditCtrl::SetParagraphCenter()
{
    SetAlignment(PFA_CENTER);
}

void CVXRichEditCtrl::SetParagraphBulleted()
{
    DWORD mask = ReadParagraph();
    if ((mask & PFM_NUMBERING) && m_pf.wNumbering == PFN_BULLET) {
        m_pf.wNumbering = 0;
        m_pf.dxOffset = 0;
        m_pf.dxStartIndent = 0;
        m_pf.dwMask = PFM_STARTINDENT | PFM_OFFSET | PFM_NUMBERING;
    } else {
        m_pf.wNumbering = PFN_BULLET;
        m_pf.dwMask = PFM_NUMBERING;
        if (m_pf.dxOffset == 0) {
            m_pf.dxOffset = 4;
            m_pf.dwMask = PFM_STARTINDENT | PFM_OFFSET | PFM_NUMBERING;
        }
    }
    SetParaFormat(m_pf);
}

void CVXRichEditCtrl::SetFontName(CString face)
{
    ReadSelection();
    m_cf.dwMask = CFM_FACE;
    std::memset(m_cf.szFaceName, 0, sizeof(m_cf.szFaceName));
    CopyFaceName(m_cf.szFaceName, face);
    SetSelectionCharFormat(m_cf);
}

void CVXRichEditCtrl::SetFontSize(int tenthsOfPoint)
{
    ReadSelection();
    m_cf.dwMask = CFM_SIZE;
    m_cf.yHeight = tenthsOfPoint * 2;
    SetSelectionCharFormat(m_cf);
}

void CVXRichEditCtrl::SetColor(COLORREF colour)
{
    m_cf.dwMask = CFM_COLOR;
    m_cf.dwEffects &= ~(DWORD)CFE_AUTOCOLOR;
    m_cf.crTextColor = colour;
    SetSelectionCharFormat(m_cf);
}

void CVXRichEditCtrl::SetColour()
{
    COLORREF colour = m_cf.crTextColor;
    CColorDialog dlg(colour, 0, this);
    if (dlg.DoModal() == IDOK)
        colour = dlg.GetColor();
    SetColor(colour);
}

BOOL CVXRichEditCtrl::SelectionIsBold()
{
    ReadSelection();
    return (m_cf.dwEffects & CFE_BOLD) ? TRUE : FALSE;
}

BOOL CVXRichEditCtrl::SelectionIsItalic()
{
    ReadSelection();
    return (m_cf.dwEffects & CFE_ITALIC) ? TRUE : FALSE;
}

BOOL CVXRichEditCtrl::SelectionIsUnderlined()
{
    ReadSelection();
    return (m_cf.dwEffects & CFE_UNDERLINE) ? TRUE : FALSE;
}

BOOL CVXRichEditCtrl::ParagraphIsLeft()
{
    ReadParagraph();
    return m_pf.wAlignment == PFA_LEFT;
}

BOOL CVXRichEditCtrl::ParagraphIsRight()
{
    ReadParagraph();
    return m_pf.wAlignment == PFA_RIGHT;
}

BOOL CVXRichEditCtrl::ParagraphIsCentered()
{
    ReadParagraph();
    return m_pf.wAlignment == PFA_CENTER;
}

BOOL CVXRichEditCtrl::ParagraphIsBulleted()
{
    ReadParagraph();
    return m_pf.wNumbering == PFN_BULLET;
}

void CVXRichEditCtrl::SetRtf(CFile* file)
{
    EDITSTREAM es = {(DWORD_PTR)file, 0, ReadFromFile};
    StreamIn(SF_RTF, es);
}

void CVXRichEditCtrl::Print(BOOL showDialog)
{
    CPrintDialog dlg(FALSE, PD_ALLPAGES | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE, this);
    if (showDialog) {
        if (dlg.DoModal() == IDCANCEL)
            return;
    } else {
        dlg.GetDefaults();
    }
    HDC hdc = dlg.GetPrinterDC();
    if (!hdc)
        return;
    SetMapMode(hdc, MM_TEXT);
    FORMATRANGE fr = {};
    fr.hdc = fr.hdcTarget = hdc;
    fr.rc.right = PageTwips(hdc, HORZRES, LOGPIXELSX);
    fr.rc.bottom = PageTwips(hdc, VERTRES, LOGPIXELSY);
    fr.rcPage = fr.rc;
    fr.chrg.cpMin = 0;
    fr.chrg.cpMax = -1;

    DOCINFO di = {sizeof(di)};
    di.lpszDocName = "MyRtf";
    StartDoc(hdc, &di);
    long length = GetTextLength();
    do {
        StartPage(hdc);
        long next = FormatRange(&fr, TRUE);
        DisplayBand(&fr.rc);
        EndPage(hdc);
        // A page that takes nothing (one smaller than the text's first line) would come forever.
        if (next <= fr.chrg.cpMin)
            break;
        fr.chrg.cpMin = next;
    } while (fr.chrg.cpMin < length);
    FormatRange(nullptr, FALSE);
    EndDoc(hdc);
    DeleteDC(hdc);
}

void CVXRichEditCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    CRichEditCtrl::OnRButtonDown(nFlags, point);
}
