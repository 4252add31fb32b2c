#include "editor/DlgImgCanvasSize.h"

#include "editor/EditorDialogs.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CDlgImgCanvasSize, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgImgCanvasSize, CVXDialog)
END_MESSAGE_MAP()

CDlgImgCanvasSize::CDlgImgCanvasSize(CWnd* pParent)
    : CVXDialog(IDD_IMG_CANVAS, pParent), m_nOrgWidth(0), m_nOrgHeight(0), m_nNewWidth(0), m_nNewHeight(0)
{
    m_strProfileName = "ImgCanvasSize";
    m_nIconID = 128;
}

CDlgImgCanvasSize::~CDlgImgCanvasSize() = default;

void CDlgImgCanvasSize::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_CV_NEW_WIDTH, m_editNewWidth);
    DDX_Control(pDX, IDC_CV_NEW_HEIGHT, m_editNewHeight);
    DDX_Text(pDX, IDC_CV_ORG_WIDTH, m_nOrgWidth);
    DDX_Text(pDX, IDC_CV_ORG_HEIGHT, m_nOrgHeight);
    DDX_Text(pDX, IDC_CV_NEW_WIDTH, m_nNewWidth);
    DDX_Text(pDX, IDC_CV_NEW_HEIGHT, m_nNewHeight);
}

BOOL CDlgImgCanvasSize::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    LoadProfile();
    editor_dialogs::StyleButton(m_btnOK, IDI_BUTTON_OK);
    editor_dialogs::StyleButton(m_btnCancel, IDI_BUTTON_CANCEL);
    UpdateData(FALSE);
    return TRUE;
}
