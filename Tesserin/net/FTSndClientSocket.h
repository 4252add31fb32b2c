// CFTSndClientSocket: the sending side of one connection, run on its CFTSocketThread; answers
// one request with the file's header and content, reporting to its sending dialog.
#pragma once

#include "mfc.h"

#include <cstdint>
#include <memory>
#include <string>

class CFTSocketThread;

class AFX_EXT_CLASS CFTSndClientSocket : public CSocket {
public:
    CFTSndClientSocket();
    ~CFTSndClientSocket() override;

    CCriticalSection* m_pLock;
    CFTSocketThread* m_pThread;
    HWND m_hDlgWnd;

    // The dialog's lock, kept alive as long as this socket may take it.
    void SetDialog(HWND hDlgWnd, std::shared_ptr<CCriticalSection> lock);

    void OnReceive(int nErrorCode) override;
    void OnClose(int nErrorCode) override;

private:
    void Report(WPARAM wParam, LPARAM code);
    // Opens the file for reading under the lock; its length, 0 when it cannot be sent.
    uint32_t OpenFile(const std::string& path, CFile& file);
    // Sends exactly `length` bytes of the file; false when it could not.
    bool SendContent(CFile& file, uint32_t length);
    void EndConnection();

    std::shared_ptr<CCriticalSection> m_lockOwner;
};
