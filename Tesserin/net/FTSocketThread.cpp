#include "net/FTSocketThread.h"

IMPLEMENT_DYNCREATE(CFTSocketThread, CWinThread)

CFTSocketThread::CFTSocketThread() : m_hSocket(INVALID_SOCKET) {}

CFTSocketThread::~CFTSocketThread() = default;

BOOL CFTSocketThread::InitInstance()
{
    if (!m_socket.Attach(m_hSocket)) {
        closesocket(m_hSocket);
        return FALSE;
    }
    m_socket.m_pThread = this;
    return TRUE;
}
