#include "mfc/Font.h"

#include "mfc/DC.h"
#include "afx/gdi/GdiObjectLookup.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CFont, CGdiObject)

CFont::CFont() = default;

CFont* PASCAL CFont::FromHandle(HFONT hFont)
{
    return static_cast<CFont*>(mivo::GdiObjectFromHandle(hFont, []() -> CGdiObject* { return new CFont; }));
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    return Attach(::CreateFontIndirect(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    return Attach(::CreateFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
                               nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT lf;
    std::memset(&lf, 0, sizeof(lf));
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    if (lpszFaceName != nullptr)
        std::strncpy(lf.lfFaceName, lpszFaceName, LF_FACESIZE - 1);
    return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    if (lpLogFont == nullptr)
        return FALSE;
    LOGFONT lf = *lpLogFont;
    // Tenths of a point to device pixels, then to the DC's logical units.
    HDC hdc = pDC != nullptr ? pDC->m_hAttribDC : nullptr;
    int dpi = hdc != nullptr ? ::GetDeviceCaps(hdc, LOGPIXELSY) : 96;
    long long num = (long long)dpi * lpLogFont->lfHeight;
    POINT pt = {0, (LONG)((num >= 0 ? num + 360 : num - 360) / 720)};
    POINT origin = {0, 0};
    if (hdc != nullptr) {
        ::DPtoLP(hdc, &pt, 1);
        ::DPtoLP(hdc, &origin, 1);
    }
    lf.lfHeight = -std::abs(pt.y - origin.y);
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* pLogFont)
{
    return ::GetObject(m_hObject, sizeof(LOGFONT), pLogFont);
}
