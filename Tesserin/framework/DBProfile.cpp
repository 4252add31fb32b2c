// The profile records over CBDB. Every write reaches the file at once, so that another copy of the
// program that opens the file next (the single-instance hand-over) finds it complete.
#include "framework/DBProfile.h"

#include <cstring>
#include <string>

namespace {

const char kWinPosition[] = "WinPosition";
const char kWinFont[] = "WinFont";

const int kPosLeft = 1, kPosTop = 2, kPosRight = 3, kPosBottom = 4, kPosState = 5;
const int kFontFace = 1, kFontSize = 2, kFontColor = 6;

std::string JoinPath(LPCSTR pszDir, LPCSTR pszFileName)
{
    if (!pszDir || !*pszDir || !pszFileName || !*pszFileName) return std::string();
    return std::string(pszDir) + "\\" + pszFileName;
}

}  // namespace

CDBProfile::CDBProfile(LPCSTR pszDir, LPCSTR pszFileName, BOOL bReadOnly)
    : CBDB(JoinPath(pszDir, pszFileName).c_str(), FALSE, FALSE, 2, 8, 128, 6400)
{
    if (bReadOnly) SetReadOnly(TRUE);
    PrepareKey(NAME_WIDTH, NAME_WIDTH);
    PrepareData(128, 128, 128, 128, 128, 128, 20, TEXT_WIDTH);
    if (m_szFileName[0] && OpenDB()) OpenCursor();
}

void CDBProfile::SetRecordKey(LPCSTR pszSection, LPCSTR pszEntry)
{
    InitRowBuffer();
    SetKeyColumnString(0, pszSection, TRUE);
    SetKeyColumnString(1, pszEntry, TRUE);
}

int CDBProfile::WriteAndCommit()
{
    if (Write() != 0) return 0;
    Commit();
    return 1;
}

int CDBProfile::SaveStateString(LPCSTR pszSection, LPCSTR pszEntry, LPCSTR pszText)
{
    SetRecordKey(pszSection, pszEntry);
    SetDataColumnString(COL_TEXT, pszText, FALSE);
    return WriteAndCommit();
}

CString CDBProfile::LoadStateString(LPCSTR pszSection, LPCSTR pszEntry)
{
    SetRecordKey(pszSection, pszEntry);
    if (!GetData()) return CString();
    return GetDataColumnString(COL_TEXT);
}

int CDBProfile::SaveStateInt(LPCSTR pszSection, LPCSTR pszEntry, int nValue)
{
    SetRecordKey(pszSection, pszEntry);
    SetDataColumnInt(COL_INT, nValue);
    return WriteAndCommit();
}

int CDBProfile::LoadStateInt(LPCSTR pszSection, LPCSTR pszEntry)
{
    SetRecordKey(pszSection, pszEntry);
    if (!GetData()) return 0;
    return GetDataColumnInt(COL_INT);
}

// Flushed like the other writes: a copy of the program that closes its store later must not
// overwrite what another copy wrote meanwhile with pages it still held.
void CDBProfile::SaveWindowPos(LPCSTR pszWindow, LPRECT pRect, int nState)
{
    if (!pRect) return;
    SetRecordKey(kWinPosition, pszWindow);
    SetDataColumnInt(kPosLeft, pRect->left);
    SetDataColumnInt(kPosTop, pRect->top);
    SetDataColumnInt(kPosRight, pRect->right);
    SetDataColumnInt(kPosBottom, pRect->bottom);
    SetDataColumnInt(kPosState, nState ? 1 : 0);
    WriteAndCommit();
}

int CDBProfile::RtrvWindowPos(LPCSTR pszWindow, LPRECT pRect)
{
    SetRecordKey(kWinPosition, pszWindow);
    if (!GetData()) {
        if (pRect) pRect->left = pRect->top = pRect->right = pRect->bottom = -1;
        return 0;
    }
    if (pRect) {
        pRect->left = GetDataColumnInt(kPosLeft);
        pRect->top = GetDataColumnInt(kPosTop);
        pRect->right = GetDataColumnInt(kPosRight);
        pRect->bottom = GetDataColumnInt(kPosBottom);
    }
    return GetDataColumnInt(kPosState);
}

CString CDBProfile::RtrvWindowFont(LPCSTR pszFont, int* pSize, COLORREF* pColor)
{
    SetRecordKey(kWinFont, pszFont);
    if (!GetData()) {
        if (pSize) *pSize = 10;
        if (pColor) *pColor = 0xC0C0C0;
        return CString("돋움");
    }
    if (pSize) *pSize = GetDataColumnInt(kFontSize);
    if (pColor) *pColor = (COLORREF)GetDataColumnInt(kFontColor);
    return GetDataColumnString(kFontFace);
}

void CDBProfile::GetBasicCode(LPCSTR pszSection, LPCSTR pszEntry)
{
    SetRecordKey(pszSection, pszEntry);
    GetData();
}

void CDBProfile::StartGubn(LPCSTR pszSection)
{
    InitRowBuffer();
    SetKeyColumnString(0, pszSection, TRUE);
    Start();
}

void CDBProfile::FillCodeStringArray(LPCSTR pszSection, CStringArray& arr)
{
    arr.RemoveAll();
    InitRowBuffer();
    SetKeyColumnString(0, pszSection, TRUE);
    CString section = GetKeyColumnString(0);  // as the column holds it: cut to the width
    section.TrimRight(' ');
    if (Start() != 0) return;
    while (GetNext() == 0 && GetKeyColumnString(0) == section) arr.Add(GetDataColumnString(COL_TEXT));
}
