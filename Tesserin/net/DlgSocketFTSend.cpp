#include "net/DlgSocketFTSend.h"

#include "net/ButtonSubclass.h"
#include "net/FTProtocol.h"
#include "res/resource.h"

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
    case ft::kSendNumber: {
        CString text;
        text.Format("%d %%", (int)wParam);
        ShowField(IDC_FT_PERCENT, text);
        m_progress.SetPos((int)wParam);
        break;
    }
    default: break;
    }
    return 0;
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
