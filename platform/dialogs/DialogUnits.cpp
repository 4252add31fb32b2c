// Dialog units: the template font decides how many pixels a unit is.
#include "dialogs/DialogInternal.h"
#include "win32/codepage.h"
#include "mivo/codepage.h"
#include "mivo/dialogs.h"

#include <cstring>

namespace mivo {

namespace {

int ScaleUnits(int value, int base, int divisor)
{
    // MulDiv's rounding: halves round away from zero.
    long long n = (long long)value * base;
    long long half = divisor / 2;
    return (int)(n >= 0 ? (n + half) / divisor : (n - half) / divisor);
}

// Faces whose half-width letters are half the character height, as the
// Korean system fonts (and the faces Korean systems substitute with them) are.
bool IsCellFace(const std::u16string& face)
{
    static const char16_t* const faces[] = {
        u"굴림", u"굴림체", u"돋움", u"돋움체", u"바탕", u"바탕체", u"궁서", u"궁서체", u"새굴림",
        u"Gulim", u"GulimChe", u"Dotum", u"DotumChe", u"Batang", u"BatangChe", u"Gungsuh", u"GungsuhChe",
        u"MS Shell Dlg", u"MS Shell Dlg 2", u"MS Sans Serif", u"Microsoft Sans Serif", u"Tahoma", u"System"};
    for (const char16_t* f : faces) {
        std::u16string name(f);
        if (name.size() != face.size())
            continue;
        bool same = true;
        for (size_t i = 0; i < name.size() && same; ++i) {
            char16_t a = name[i], b = face[i];
            if (a < 128 && b < 128) {
                a = (char16_t)((a >= 'A' && a <= 'Z') ? a + 32 : a);
                b = (char16_t)((b >= 'A' && b <= 'Z') ? b + 32 : b);
            }
            same = a == b;
        }
        if (same)
            return true;
    }
    return false;
}

int PointsToPixels(WORD pointSize)
{
    return ScaleUnits(pointSize, 96, 72);
}

SIZE MeasureFontUnits(const std::u16string& face, WORD pointSize)
{
    SIZE units = SystemDialogUnits();
    HFONT font = CreateDialogFont(face, pointSize, FW_NORMAL, 0, DEFAULT_CHARSET);
    HDC dc = CreateCompatibleDC(nullptr);
    if (font && dc) {
        HGDIOBJ old = SelectObject(dc, font);
        static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        SIZE ext = {0, 0};
        TEXTMETRICA tm;
        std::memset(&tm, 0, sizeof(tm));
        if (GetTextExtentPoint32(dc, alphabet, 52, &ext) && GetTextMetrics(dc, &tm) && tm.tmHeight > 0) {
            units.cx = (ext.cx / 26 + 1) / 2;
            units.cy = tm.tmHeight;
        }
        SelectObject(dc, old);
    }
    if (dc)
        DeleteDC(dc);
    if (font)
        DeleteObject(font);
    if (units.cx <= 0)
        units.cx = 1;
    return units;
}

}  // namespace

SIZE SystemDialogUnits()
{
    return SIZE{8, 16};
}

SIZE DialogBaseUnitsForFont(const std::u16string& face, WORD pointSize)
{
    if (pointSize == 0 || pointSize > 500)
        return SystemDialogUnits();
    if (IsCellFace(face)) {
        int cy = PointsToPixels(pointSize);
        return SIZE{(cy + 1) / 2, cy};
    }
    return MeasureFontUnits(face, pointSize);
}

HFONT CreateDialogFont(const std::u16string& face, WORD pointSize, WORD weight, BYTE italic, BYTE charset)
{
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof(lf));
    lf.lfHeight = -PointsToPixels(pointSize ? pointSize : 9);
    lf.lfWeight = weight ? weight : FW_NORMAL;
    lf.lfItalic = italic ? 1 : 0;
    lf.lfCharSet = charset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::string name = Utf16ToAnsi(face);
    size_t n = CutToCharBoundary(name.data(), name.size(), LF_FACESIZE - 1);
    std::memcpy(lf.lfFaceName, name.data(), n);
    lf.lfFaceName[n] = 0;
    return CreateFontIndirect(&lf);
}

}  // namespace mivo

using namespace mivo;

LONG GetDialogBaseUnits()
{
    SIZE u = SystemDialogUnits();
    return MAKELONG(u.cx, u.cy);
}

BOOL MapDialogRect(HWND hDlg, LPRECT lpRect)
{
    if (!lpRect)
        return FALSE;
    auto state = FindDialogState(hDlg);
    if (!state)
        return FALSE;
    SIZE u = state->units;
    lpRect->left = ScaleUnits(lpRect->left, u.cx, 4);
    lpRect->right = ScaleUnits(lpRect->right, u.cx, 4);
    lpRect->top = ScaleUnits(lpRect->top, u.cy, 8);
    lpRect->bottom = ScaleUnits(lpRect->bottom, u.cy, 8);
    return TRUE;
}
