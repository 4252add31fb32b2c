#include "album/DlgRenameFile.h"

#include "album/AlbumDetailStore.h"
#include "album/ThumbnailCache.h"
#include "framework/VXUtil.h"
#include "resource.h"

#include <vector>

namespace {

const short kBackgroundLift = 50;

void SetupButton(CImageButton& button, int icon)
{
    button.SetIcon(icon);
    button.SetBtnCursor(IDC_ALBUM_HAND, TRUE);
    button.OffsetColor(CImageButton::COLOR_BK_IN, kBackgroundLift, TRUE);
}

}  // namespace

IMPLEMENT_DYNAMIC(CDlgRenameFile, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgRenameFile, CVXDialog)
END_MESSAGE_MAP()

CDlgRenameFile::CDlgRenameFile(CWnd* parent) : CVXDialog(IDD_RENAME_FILE, parent)
{
    m_strProfileName = "RenameFile";
    m_nIconID = 128;
}

CDlgRenameFile::~CDlgRenameFile() = default;

void CDlgRenameFile::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnRename);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Text(pDX, IDC_RENAME_CURRENT, m_strCurName);
    DDX_Text(pDX, IDC_RENAME_NEW, m_strNewName);
    DDX_Text(pDX, IDC_RENAME_EXT, m_strExtension);
}

BOOL CDlgRenameFile::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    SetupButton(m_btnCancel, IDI_ALBUM_CANCEL);
    SetupButton(m_btnRename, IDI_ALBUM_RENAME);
    LoadProfile();
    if (!m_strPath.IsEmpty()) {
        // The helper writes into buffers as long as the path itself.
        size_t size = (size_t)m_strPath.GetLength() + 2;
        std::vector<char> folder(size), name(size), extension(size);
        DivideFilePathAndName(m_strPath, folder.data(), name.data(), extension.data());
        m_strFolder = folder.data();
        m_strExtension = extension.data();
        CString whole(name.data());
        m_strCurName = whole.Left(whole.GetLength() - m_strExtension.GetLength());
        m_strNewName = m_strCurName;
        UpdateData(FALSE);
    }
    return TRUE;
}

BOOL CDlgRenameFile::IsPlainFileName(const CString& name, const CString& extension)
{
    // None of these bytes is a CP949 trail byte, so a byte search finds only real ones.
    const char* kSeparators = "\\/:";
    if (name.IsEmpty() || name == "." || name == "..")
        return FALSE;
    return name.FindOneOf(kSeparators) < 0 && extension.FindOneOf(kSeparators) < 0;
}

void CDlgRenameFile::OnOK()
{
    UpdateData(TRUE);
    m_strNewPath = m_strFolder + m_strNewName + m_strExtension;
    if (m_strPath.IsEmpty() || !IsPlainFileName(m_strNewName, m_strExtension) ||
        !::MoveFile(m_strPath, m_strNewPath)) {
        AfxMessageBox("파일명이 변경되지 않았습니다.", MB_OK | MB_ICONWARNING);
        EndDialog(IDCANCEL);
        return;
    }
    {
        CThumbnailCache cache;
        cache.RenamePath(m_strPath, m_strNewPath);
    }
    {
        CAlbumDetailStore store;
        store.RenamePath(m_strPath, m_strNewPath);
    }
    CVXDialog::OnOK();
}
