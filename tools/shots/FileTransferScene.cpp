// The two file-transfer dialogs after a transfer over loopback, photographed by
// scripts/screenshots.sh: the receiver with its completed progress and the sender's window.
#include "ShotSupport.h"
#include <mfc.h>

#include "net/DlgSocketFTRcv.h"
#include "net/FTServerSocket.h"
#include "res/resource.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

std::string WriteSource(std::string& folder)
{
    char pattern[] = "/tmp/mivo-ftshot-XXXXXX";
    folder = mkdtemp(pattern) ? pattern : "/tmp";
    std::string path = folder + u8"/사진.jpg";  // on disk in UTF-8
    if (FILE* f = fopen(path.c_str(), "wb")) {
        std::string block(4096, 'x');
        for (int i = 0; i < 300; ++i)
            fwrite(block.data(), 1, block.size(), f);
        fclose(f);
    }
    return "C:" + folder + "/";
}

std::string Windows(std::string path)
{
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

bool Ended(HWND receiver)
{
    char status[128] = {};
    ::GetDlgItemText(receiver, IDC_FT_STATUS, status, sizeof status);
    return strcmp(status, "파일전송이 완료되었습니다") == 0 || strcmp(status, "파일전송 실패") == 0;
}

}  // namespace

int main()
{
    CWinApp app("Mivo");
    std::string folder;
    std::string base = Windows(WriteSource(folder));
    CFTServerSocket server;
    if (!server.Create(0, SOCK_STREAM, FD_ACCEPT, "127.0.0.1") || !server.Listen())
        return 1;
    CString address;
    UINT port = 0;
    server.GetSockName(address, port);

    auto* receiver = new CDlgSocketFTRcv;
    receiver->m_nPort = (int)port;
    receiver->m_bStartAtOnce = TRUE;
    receiver->m_strRemoteAddress = "127.0.0.1";
    receiver->m_strRemoteFile = (base + "사진.jpg").c_str();
    receiver->m_strLocalFile = (base + "받은 사진.jpg").c_str();
    receiver->Create();
    HWND rcv = receiver->m_hWnd;
    for (int i = 0; i < 500 && !Ended(rcv); ++i) {
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        Sleep(10);
    }
    HWND snd = ::FindWindow(nullptr, "파일 보내기");
    ::SetWindowPos(rcv, nullptr, 20, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (snd)
        ::SetWindowPos(snd, nullptr, 20, 320, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Settle();
    Shoot("filetransfer");
    SaveSurface(rcv, "filetransfer_receive.ppm");
    if (snd)
        SaveSurface(snd, "filetransfer_send.ppm");
    ::DestroyWindow(rcv);
    if (snd)
        ::DestroyWindow(snd);
    Settle();
    unlink((folder + u8"/사진.jpg").c_str());
    unlink((folder + u8"/받은 사진.jpg").c_str());
    rmdir(folder.c_str());
    return 0;
}
