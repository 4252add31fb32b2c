#include "dialogs/DlgFrameOwner.h"

#include "res/resource.h"

IMPLEMENT_DYNAMIC(CDlgFrameOwner, CDialog)

BEGIN_MESSAGE_MAP(CDlgFrameOwner, CDialog)
END_MESSAGE_MAP()

CDlgFrameOwner::CDlgFrameOwner(CWnd* pParentWnd) : CDialog(IDD_FRAME_OWNER, pParentWnd) {}

CDlgFrameOwner::~CDlgFrameOwner() {}
