// CFTRcvClientSocket: the receiving side's connection; answers the sender's greeting through its
// dialog and receives the file into a temporary file beside the local path.
#pragma once

#include "mfc.h"

#include <cstdint>

class AFX_EXT_CLASS CFTRcvClientSocket : public CSocket {
public:
    CFTRcvClientSocket();
    ~CFTRcvClientSocket() override;

    CString m_strRemoteFile;
    CString m_strLocalFile;
    HWND m_hDlgWnd;

    void SetWnd(HWND hWnd) { m_hDlgWnd = hWnd; }
    void SetFiles(LPCSTR remoteFile, LPCSTR localFile);

    // Closes the connection and deletes the object; inside its own OnReceive (a dialog handler
    // called from there) the deletion waits until OnReceive returns.
    void CloseAndDelete();

    void OnReceive(int nErrorCode) override;

private:
    LRESULT Tell(UINT message, WPARAM wParam, LPARAM lParam = 0);
    void ReceiveFile();
    // True when the whole announced length reached a temporary file and it replaced the local one.
    bool ReceiveContent(uint32_t length);
    bool CopyToFile(HANDLE file, uint32_t length);

    CString m_strName;  // the name the header carried
    uint32_t m_nLength;
    uint32_t m_nReceived;
    int m_nHandlerDepth;
    bool m_bDeleteRequested;
};
