#include "net/FTSndClientSocket.h"

#include "net/FTProtocol.h"
#include "net/FTSocketThread.h"

#include <vector>

namespace {

// The dialog's lock, when one was given.
class DialogLock {
public:
    explicit DialogLock(CCriticalSection* lock) : lock_(lock)
    {
        if (lock_)
            lock_->Lock();
    }
    ~DialogLock()
    {
        if (lock_)
            lock_->Unlock();
    }

private:
    CCriticalSection* lock_;
};

}  // namespace

CFTSndClientSocket::CFTSndClientSocket() : m_pLock(nullptr), m_pThread(nullptr), m_hDlgWnd(nullptr) {}

CFTSndClientSocket::~CFTSndClientSocket() = default;

void CFTSndClientSocket::SetDialog(HWND hDlgWnd, std::shared_ptr<CCriticalSection> lock)
{
    m_hDlgWnd = hDlgWnd;
    m_lockOwner = std::move(lock);
    m_pLock = m_lockOwner.get();
}

void CFTSndClientSocket::Report(WPARAM wParam, LPARAM code)
{
    ::SendMessage(m_hDlgWnd, WM_FT_SEND_FILE_BLOCK, wParam, code);
}

uint32_t CFTSndClientSocket::OpenFile(const std::string& path, CFile& file)
{
    DialogLock lock(m_pLock);
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary))
        return 0;
    ULONGLONG length = file.GetLength();
    // The length field is 32 bits and peers read it signed: larger files cannot be sent.
    if (length >= 0x80000000ull) {
        file.Close();
        return 0;
    }
    return (uint32_t)length;
}

bool CFTSndClientSocket::SendContent(CFile& file, uint32_t length)
{
    std::vector<char> block(ft::kBlockSize);
    uint32_t sent = 0;
    while (sent < length) {
        UINT want = (UINT)std::min<uint32_t>(ft::kBlockSize, length - sent);
        UINT got = 0;
        {
            DialogLock lock(m_pLock);
            TRY { got = file.Read(block.data(), want); }
            CATCH(CFileException, e) { got = 0; }
            END_CATCH
        }
        if (got == 0 || Send(block.data(), (int)got) != (int)got)
            return false;
        sent += got;
        Report((WPARAM)ft::Percent(sent, length), ft::kSendNumber);
    }
    return true;
}

void CFTSndClientSocket::OnReceive(int nErrorCode)
{
    uint32_t command = 0;
    if (!ft::ReadUInt32(*this, command) || command != ft::kReady)
        return;
    CString peer;
    UINT peerPort = 0;
    GetPeerName(peer, peerPort);
    Report((WPARAM)(LPCSTR)peer, ft::kSendPeer);
    char field[ft::kPathFieldSize];
    if (!ft::ReadFull(*this, field, sizeof field))
        return;
    std::string path = ft::PathOfField(field);
    Report((WPARAM)path.c_str(), ft::kSendPath);

    CFile file;
    uint32_t length = OpenFile(path, file);
    bool header = ft::SendUInt32(*this, ft::kFile) && ft::SendUInt32(*this, (uint32_t)path.size() + 1) &&
                  Send(path.c_str(), (int)path.size() + 1) == (int)path.size() + 1 && ft::SendUInt32(*this, length);
    if (file.m_hFile == CFile::hFileNull) {
        Report(ft::kSendOpenFailed, ft::kSendNumber);
        return;
    }
    bool complete = header && SendContent(file, length);
    file.Close();
    if (!complete) {
        // A short file or a broken connection: the peer must not take what it got as whole.
        EndConnection();
        return;
    }
    Report(ft::kSendDone, ft::kSendNumber);
    (void)nErrorCode;
}

void CFTSndClientSocket::EndConnection()
{
    Close();
    if (m_pThread)
        m_pThread->PostThreadMessage(WM_QUIT, 0, 0);
}

void CFTSndClientSocket::OnClose(int nErrorCode)
{
    if (m_pThread)
        m_pThread->PostThreadMessage(WM_QUIT, 0, 0);
    CSocket::OnClose(nErrorCode);
}
