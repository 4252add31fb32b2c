#include "net/DlgSocketFTRcv.h"

#include "net/ButtonSubclass.h"
#include "net/FTProtocol.h"
#include "net/FTRcvClientSocket.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CDlgSocketFTRcv, CDialog)
    ON_BN_CLICKED(IDC_FT_RECEIVE, OnReceiveFile)
    ON_BN_CLICKED(IDC_FT_EXIT, OnExit)
    ON_BN_CLICKED(IDC_FT_LOCAL_FILE, OnSaveAs)
    ON_MESSAGE(WM_FT_RECEIVE_START, OnReceiveStart)
    ON_MESSAGE(WM_FT_RECEIVE_END, OnReceiveEnd)
    ON_MESSAGE(WM_FT_RECEIVE_FILE_NAME, OnReceiveFileName)
    ON_MESSAGE(WM_FT_RECEIVE_FILE_LENGTH, OnReceiveFileLength)
    ON_MESSAGE(WM_FT_RECEIVE_FILE_BLOCK, OnReceiveFileBlock)
END_MESSAGE_MAP()

CDlgSocketFTRcv::CDlgSocketFTRcv()
    : CDialog(IDD_FT_RECEIVE), m_nShownPercent(0), m_nFileLength(0), m_pszFileName(nullptr), m_bVisible(TRUE),
      m_nPort(-1), m_bCloseWhenDone(FALSE), m_bStartAtOnce(FALSE), m_pSocket(nullptr), m_strStatus("준비")
{
}

CDlgSocketFTRcv::~CDlgSocketFTRcv()
{
    ReleaseSocket();
}

BOOL CDlgSocketFTRcv::Create(CWnd* pParentWnd)
{
    return CDialog::Create(IDD_FT_RECEIVE, pParentWnd);
}

void CDlgSocketFTRcv::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_FT_STATUS, m_strStatus);
    DDX_Text(pDX, IDC_FT_PERCENT, m_strPercent);
    DDX_Text(pDX, IDC_FT_LOCAL_PATH, m_strLocalFile);
    DDX_Text(pDX, IDC_FT_ADDRESS, m_strRemoteAddress);
    DDX_Text(pDX, IDC_FT_REMOTE_PATH, m_strRemoteFile);
}

BOOL CDlgSocketFTRcv::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow();
    HICON icon = ::LoadIcon(AfxFindResourceHandle(MAKEINTRESOURCE(IDI_FT_TRANSFER), RT_GROUP_ICON),
                            MAKEINTRESOURCE(IDI_FT_TRANSFER));
    SetIcon(icon, TRUE);
    SetIcon(icon, FALSE);
    ft::SubclassShadeButton(m_btnReceive, IDC_FT_RECEIVE, this);
    ft::SubclassShadeButton(m_btnSaveAs, IDC_FT_LOCAL_FILE, this);
    ft::SubclassShadeButton(m_btnExit, IDC_FT_EXIT, this);
    m_progress.SubclassDlgItem(IDC_FT_RECEIVE_PROGRESS, this);
    m_progress.SetRange(0, 100);
    m_progress.SetPos(0);
    ShowWindow(m_bVisible ? SW_SHOW : SW_HIDE);
    if (m_bStartAtOnce)
        OnReceiveFile();
    return TRUE;
}

void CDlgSocketFTRcv::SetStatus(LPCSTR text)
{
    SetDlgItemText(IDC_FT_STATUS, text);
}

void CDlgSocketFTRcv::ShowPercent(int percent)
{
    CString text;
    text.Format("%d %%", percent);
    SetDlgItemText(IDC_FT_PERCENT, text);
    m_progress.SetPos(percent);
}

void CDlgSocketFTRcv::ReleaseSocket()
{
    if (!m_pSocket)
        return;
    CFTRcvClientSocket* socket = m_pSocket;
    m_pSocket = nullptr;
    socket->CloseAndDelete();
}

void CDlgSocketFTRcv::OnReceiveFile()
{
    UpdateData(TRUE);
    SetStatus("원격 컴퓨터에 연결중");
    ReleaseSocket();
    m_pSocket = new CFTRcvClientSocket;
    m_pSocket->SetWnd(m_hWnd);
    if (!m_pSocket->Create() || !m_pSocket->Connect(m_strRemoteAddress, (UINT)m_nPort)) {
        MessageBox("원격 컴퓨터와의 접속에 실패하였습니다", "접속실패", MB_ICONERROR);
        ReleaseSocket();
        return;
    }
    SetStatus("원격 컴퓨터와 연결되었습니다");
}

LRESULT CDlgSocketFTRcv::OnReceiveStart(WPARAM, LPARAM)
{
    SetStatus("파일을 전송받는중 입니다");
    if (!m_pSocket)
        return 0;
    ft::SendUInt32(*m_pSocket, ft::kReady);
    m_pSocket->SetFiles(m_strRemoteFile, m_strLocalFile);
    char field[ft::kPathFieldSize];
    ft::FillPathField(m_strRemoteFile, field);
    m_pSocket->Send(field, sizeof field);
    GetDlgItem(IDC_FT_RECEIVE)->EnableWindow(FALSE);
    GetDlgItem(IDC_FT_LOCAL_FILE)->EnableWindow(FALSE);
    GetDlgItem(IDC_FT_EXIT)->EnableWindow(TRUE);
    return 0;
}

LRESULT CDlgSocketFTRcv::OnReceiveFileName(WPARAM wParam, LPARAM)
{
    m_pszFileName = (LPCSTR)wParam;
    CString status = "전송중인 파일: ";
    status += m_pszFileName ? m_pszFileName : "";
    SetStatus(status);
    return 0;
}

LRESULT CDlgSocketFTRcv::OnReceiveFileLength(WPARAM wParam, LPARAM)
{
    m_nFileLength = wParam ? *(const uint32_t*)wParam : 0;
    CString status, length;
    GetDlgItemText(IDC_FT_STATUS, status);
    length.Format("   전체길이(KB): %d", (int)(m_nFileLength / 1024));
    SetStatus(status + length);
    return 0;
}

LRESULT CDlgSocketFTRcv::OnReceiveFileBlock(WPARAM wParam, LPARAM lParam)
{
    if (lParam == ft::kBlockRefused) {
        SetDlgItemText(IDC_FT_PERCENT, "파일송신이 거부되었읍니다.");
        return 0;
    }
    if (!wParam || !m_nFileLength)
        return 0;
    int percent = ft::Percent(*(const uint32_t*)wParam, m_nFileLength);
    if (percent < m_nShownPercent)
        return 0;
    for (int p = m_nShownPercent; p <= percent; ++p)
        ShowPercent(p);
    m_nShownPercent = percent;
    return 0;
}

LRESULT CDlgSocketFTRcv::OnReceiveEnd(WPARAM wParam, LPARAM)
{
    ReleaseSocket();
    if (wParam) {
        SetStatus("파일전송 실패");
        return 0;
    }
    SetStatus("파일전송이 완료되었습니다");
    SetDlgItemText(IDC_FT_PERCENT, "100 퍼센트 완료");
    m_progress.SetPos(100);
    if (m_bCloseWhenDone)
        OnExit();
    return 0;
}

void CDlgSocketFTRcv::OnExit()
{
    ReleaseSocket();
    DestroyWindow();
}

void CDlgSocketFTRcv::OnSaveAs() {}

void CDlgSocketFTRcv::OnOK() {}

// The close box ends the transfer like the exit button.
void CDlgSocketFTRcv::OnCancel()
{
    OnExit();
}

void CDlgSocketFTRcv::PostNcDestroy()
{
    delete this;
}
