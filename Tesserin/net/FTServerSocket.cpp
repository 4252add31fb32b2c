#include "net/FTServerSocket.h"

#include "net/DlgSocketFTSend.h"
#include "net/FTProtocol.h"
#include "net/FTSocketThread.h"
#include "res/resource.h"

#include <memory>

CFTServerSocket::CFTServerSocket() : m_pWnd(nullptr) {}

CFTServerSocket::~CFTServerSocket() = default;

CDlgSocketFTSend* CFTServerSocket::CreateSendDialog()
{
    auto dialog = std::make_unique<CDlgSocketFTSend>();
    dialog->m_strString1 = m_strString1;
    dialog->m_strString2 = m_strString2;
    if (!dialog->Create(IDD_FT_SEND, nullptr))
        return nullptr;
    return dialog.release();  // the window deletes itself once destroyed
}

void CFTServerSocket::OnAccept(int nErrorCode)
{
    CSocket connection;
    if (!Accept(connection))
        return;
    auto* thread = (CFTSocketThread*)AfxBeginThread(RUNTIME_CLASS(CFTSocketThread), THREAD_PRIORITY_NORMAL, 0,
                                                    CREATE_SUSPENDED);
    if (!thread) {
        connection.Close();
        return;
    }
    ft::SendUInt32(connection, ft::kReady);
    thread->m_hSocket = connection.Detach();
    CDlgSocketFTSend* dialog = CreateSendDialog();
    if (dialog)
        thread->m_socket.SetDialog(dialog->m_hWnd, dialog->m_lock);
    thread->ResumeThread();
    CAsyncSocket::OnAccept(nErrorCode);
}
