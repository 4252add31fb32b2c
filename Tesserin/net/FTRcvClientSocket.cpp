#include "net/FTRcvClientSocket.h"

#include "net/FTProtocol.h"

#include <vector>

CFTRcvClientSocket::CFTRcvClientSocket()
    : m_hDlgWnd(nullptr), m_nLength(0), m_nReceived(0), m_nHandlerDepth(0), m_bDeleteRequested(false)
{
}

CFTRcvClientSocket::~CFTRcvClientSocket() = default;

void CFTRcvClientSocket::SetFiles(LPCSTR remoteFile, LPCSTR localFile)
{
    m_strRemoteFile = remoteFile;
    m_strLocalFile = localFile;
}

void CFTRcvClientSocket::CloseAndDelete()
{
    Close();
    if (m_nHandlerDepth > 0)
        m_bDeleteRequested = true;
    else
        delete this;
}

// The dialog is not told anything more once it gave the socket up.
LRESULT CFTRcvClientSocket::Tell(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_bDeleteRequested)
        return 0;
    return ::SendMessage(m_hDlgWnd, message, wParam, lParam);
}

void CFTRcvClientSocket::OnReceive(int nErrorCode)
{
    ++m_nHandlerDepth;
    uint32_t command = 0;
    if (ft::ReadUInt32(*this, command)) {
        if (command == ft::kReady)
            Tell(WM_FT_RECEIVE_START, 0);
        else if (command == ft::kRefused)
            Tell(WM_FT_RECEIVE_FILE_BLOCK, (WPARAM)&m_nReceived, ft::kBlockRefused);
        else if (command == ft::kFile)
            ReceiveFile();
    }
    (void)nErrorCode;
    if (--m_nHandlerDepth == 0 && m_bDeleteRequested)
        delete this;
}

void CFTRcvClientSocket::ReceiveFile()
{
    uint32_t nameLength = 0;
    char name[ft::kMaxNameLength + 1] = {};
    // A name length outside 1..255 cannot be a path the request field could have carried.
    if (!ft::ReadUInt32(*this, nameLength) || nameLength < 1 || nameLength > (uint32_t)ft::kMaxNameLength ||
        !ft::ReadFull(*this, name, (int)nameLength)) {
        Tell(WM_FT_RECEIVE_END, ft::kReceiveFailed);
        return;
    }
    m_strName = name;
    Tell(WM_FT_RECEIVE_FILE_NAME, (WPARAM)(LPCSTR)m_strName);
    if (!ft::ReadUInt32(*this, m_nLength)) {
        Tell(WM_FT_RECEIVE_END, ft::kReceiveFailed);
        return;
    }
    Tell(WM_FT_RECEIVE_FILE_LENGTH, (WPARAM)&m_nLength);
    bool ok = m_nLength > 0 && ReceiveContent(m_nLength);
    Tell(WM_FT_RECEIVE_END, ok ? 0 : ft::kReceiveFailed);
}

bool CFTRcvClientSocket::ReceiveContent(uint32_t length)
{
    // The local file is replaced only by a whole file: a failed transfer keeps what was there.
    CString folder = m_strLocalFile;
    int slash = folder.ReverseFind('\\');
    folder = slash >= 0 ? folder.Left(slash + 1) : CString(".\\");
    char temp[MAX_PATH] = {};
    if (!GetTempFileName(folder, "ft", 0, temp))
        return false;
    HANDLE file = CreateFile(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool whole = file != INVALID_HANDLE_VALUE && CopyToFile(file, length);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (whole && MoveFileEx(temp, m_strLocalFile, MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFile(temp);
    return false;
}

bool CFTRcvClientSocket::CopyToFile(HANDLE file, uint32_t length)
{
    std::vector<char> block(ft::kBlockSize);
    m_nReceived = 0;
    while (m_nReceived < length) {
        int want = (int)std::min<uint32_t>(ft::kBlockSize, length - m_nReceived);
        int got = Receive(block.data(), want);
        if (got <= 0)
            return false;
        DWORD written = 0;
        if (!WriteFile(file, block.data(), (DWORD)got, &written, nullptr) || written != (DWORD)got)
            return false;
        m_nReceived += (uint32_t)got;
        if (m_nReceived < length)
            Tell(WM_FT_RECEIVE_FILE_BLOCK, (WPARAM)&m_nReceived);
        if (m_bDeleteRequested)
            return false;
    }
    return true;
}
