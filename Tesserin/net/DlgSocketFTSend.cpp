#include "net/DlgSocketFTSend.h"

#include "net/ButtonSubclass.h"
#include "net/FTProtocol.h"
#include "res/resource.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CDlgSocketFTSend, CDialog)
    ON_MESSAGE(WM_FT_SEND_FILE_BLOCK, OnSendFileBlock)
END_MESSAGE_MAP()

CDlgSocketFTSend::CDlgSocketFTSend() : CDialog(IDD_FT_SEND), m_lock(std::make_shared<CCriticalSection>()) {}

CDlgSocketFTSend::~CDlgSocketFTSend() = default;

BOOL CDlgSocketFTSend::OnInitDialog()
{
    CDialog::OnInitDialog();
    ft::SubclassShadeButton(m_btnExit, IDCANCEL, this);
    ft::SubclassShadeButton(m_btnLocalFile, IDC_FT_LOCAL_FILE, this);
    m_progress.SubclassDlgItem(IDC_FT_SEND_PROGRESS, this);
    m_progress.SetRange(0, 100);
    m_progress.SetPos(0);
    return TRUE;
}

void CDlgSocketFTSend::ShowField(int id, LPCSTR text)
{
    SetDlgItemText(id, text);
    if (CWnd* field = GetDlgItem(id))
        field->UpdateWindow();
}

LRESULT CDlgSocketFTSend::OnSendFileBlock(WPARAM wParam, LPARAM lParam)
{
    switch (lParam) {
    case ft::kSendPeer: ShowField(IDC_FT_ADDRESS, (LPCSTR)wParam); break;
    case ft::kSendPath: ShowField(IDC_FT_LOCAL_PATH, (LPCSTR)wParam); break;
    case ft::kSendNote: ShowField(IDC_FT_NOTE, (LPCSTR)wParam); break;
    case ft::kSendRefused: ShowField(IDC_FT_PERCENT, "송신을 거절하였습니다."); break;
    case ft::kSendNumber: ShowNumber(wParam); break;
    default: break;
    }
    return 0;
}

// Besides percentages the thread reports two codes: the whole file sent, and a file it could not open.
void CDlgSocketFTSend::ShowNumber(WPARAM number)
{
    if (number == ft::kSendOpenFailed) {
        ShowField(IDC_FT_PERCENT, "파일을 열 수 없습니다.");
        return;
    }
    int percent = number == ft::kSendDone ? 100 : (int)std::min<WPARAM>(number, 100);
    CString text;
    text.Format("%d %%", percent);
    ShowField(IDC_FT_PERCENT, text);
    m_progress.SetPos(percent);
}

void CDlgSocketFTSend::OnOK() {}

void CDlgSocketFTSend::OnCancel()
{
    DestroyWindow();
}

void CDlgSocketFTSend::PostNcDestroy()
{
    delete this;
}
