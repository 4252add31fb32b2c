// Socket file transfer over loopback: the sender's listener and the receiving dialog together,
// and each of them against a plain peer that speaks (or breaks) the wire format.
#include <gtest/gtest.h>

#include "net/DlgSocketFTRcv.h"
#include "net/DlgSocketFTSend.h"
#include "net/FTProtocol.h"
#include "net/FTServerSocket.h"
#include "res/resource.h"
#include "support/MessageBoxCapture.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "support/TempFolder.h"

#include <atomic>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using mivo::test::MessageRecorder;
using mivo::test::PumpUntil;
using mivotest::TempFolder;

namespace {

std::string Content(size_t size)
{
    std::string data(size, '\0');
    for (size_t i = 0; i < size; ++i)
        data[i] = (char)((i * 13 + i / 251) & 0xFF);
    return data;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& data)
{
    std::ofstream(path, std::ios::binary) << data;
}

bool Exists(const std::string& path)
{
    return std::ifstream(path).good();
}

std::string FieldText(HWND dialog, int id)
{
    char text[512] = {};
    ::GetDlgItemText(dialog, id, text, sizeof text);
    return text;
}

// The sender's listener, keeping each sending dialog's window and the numbers it was told.
class RecordingServer : public CFTServerSocket {
public:
    std::vector<HWND> dialogs;
    std::vector<std::weak_ptr<CCriticalSection>> locks;
    MessageRecorder recorder;

    std::vector<WPARAM> Numbers() const
    {
        std::vector<WPARAM> numbers;
        for (const auto& m : recorder.All())
            if (m.msg == WM_FT_SEND_FILE_BLOCK && m.lParam == ft::kSendNumber)
                numbers.push_back(m.wParam);
        return numbers;
    }
    bool Finished() const
    {
        auto numbers = Numbers();
        return !numbers.empty() && (numbers.back() == ft::kSendDone || numbers.back() == ft::kSendOpenFailed);
    }
    UINT Port()
    {
        CString address;
        UINT port = 0;
        GetSockName(address, port);
        return port;
    }
    bool Listen()
    {
        return Create(0, SOCK_STREAM, FD_ACCEPT, "127.0.0.1") && CAsyncSocket::Listen();
    }
    // Closes the sending dialogs and waits until their transfer threads have let go of them.
    void CloseDialogs()
    {
        for (HWND dialog : dialogs)
            if (::IsWindow(dialog))
                ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        EXPECT_TRUE(PumpUntil([&] {
            for (auto& lock : locks)
                if (!lock.expired())
                    return false;
            return true;
        }));
    }

protected:
    CDlgSocketFTSend* CreateSendDialog() override
    {
        CDlgSocketFTSend* dialog = CFTServerSocket::CreateSendDialog();
        if (dialog) {
            dialogs.push_back(dialog->m_hWnd);
            locks.push_back(dialog->m_lock);
            recorder.Attach(dialog->m_hWnd);
        }
        return dialog;
    }
};

// A receiving dialog made as a program makes it; it deletes itself with its window.
HWND OpenReceiver(UINT port, const std::string& remotePath, const std::string& localPath, bool startAtOnce = true)
{
    auto* dialog = new CDlgSocketFTRcv;
    dialog->m_nPort = (int)port;
    dialog->m_bStartAtOnce = startAtOnce;
    dialog->m_strRemoteAddress = "127.0.0.1";
    dialog->m_strRemoteFile = remotePath.c_str();
    dialog->m_strLocalFile = localPath.c_str();
    EXPECT_TRUE(dialog->Create());
    return dialog->m_hWnd;
}

bool Ended(HWND receiver)
{
    std::string status = FieldText(receiver, IDC_FT_STATUS);
    return status == "파일전송 실패" || status == "파일전송이 완료되었습니다";
}

struct TransferCase {
    size_t size;
};

class TransferSizes : public ::testing::TestWithParam<TransferCase> {};

}  // namespace

TEST_P(TransferSizes, ArriveByteExactOrFailWhenEmpty)
{
    TempFolder folder("mivo-ft");
    const size_t size = GetParam().size;
    const std::string content = Content(size);
    WriteFile(folder.file("source.bin"), content);
    RecordingServer server;
    ASSERT_TRUE(server.Listen());

    HWND receiver = OpenReceiver(server.Port(), folder.windowsPath() + "source.bin", folder.windowsPath() + "copy.bin");
    ASSERT_TRUE(PumpUntil([&] { return Ended(receiver) && server.Finished(); }));
    if (size == 0) {
        EXPECT_EQ("파일전송 실패", FieldText(receiver, IDC_FT_STATUS));
        EXPECT_FALSE(Exists(folder.file("copy.bin")));
    } else {
        EXPECT_EQ("파일전송이 완료되었습니다", FieldText(receiver, IDC_FT_STATUS));
        EXPECT_EQ("100 퍼센트 완료", FieldText(receiver, IDC_FT_PERCENT));
        EXPECT_TRUE(ReadFile(folder.file("copy.bin")) == content);
        EXPECT_EQ(ft::kSendDone, server.Numbers().back());
    }
    // No temporary file is left beside the copy.
    std::vector<std::string> expected = {"copy.bin", "source.bin"};
    if (size == 0)
        expected.erase(expected.begin());
    EXPECT_EQ(expected, folder.names());
    ::DestroyWindow(receiver);
    server.CloseDialogs();
}

INSTANTIATE_TEST_SUITE_P(FileTransfer, TransferSizes,
                         ::testing::Values(TransferCase{0}, TransferCase{1}, TransferCase{1000}, TransferCase{1023},
                                           TransferCase{1024}, TransferCase{4097}, TransferCase{10000},
                                           TransferCase{3 * 1024 * 1024 + 7}));

TEST(FileTransfer, SenderReportsPercentagesInKilobytesThenDone)
{
    struct {
        size_t size;
        std::vector<WPARAM> numbers;
    } cases[] = {{10000, {44, 88, 100, 200}}, {1000, {100, 200}}};
    for (const auto& c : cases) {
        TempFolder folder("mivo-ft");
        WriteFile(folder.file("source.bin"), Content(c.size));
        RecordingServer server;
        ASSERT_TRUE(server.Listen());
        HWND receiver = OpenReceiver(server.Port(), folder.windowsPath() + "source.bin", folder.windowsPath() + "copy.bin");
        ASSERT_TRUE(PumpUntil([&] { return Ended(receiver) && server.Finished(); }));
        EXPECT_EQ(c.numbers, server.Numbers()) << c.size;
        ASSERT_EQ(1u, server.dialogs.size());
        EXPECT_EQ("127.0.0.1", FieldText(server.dialogs[0], IDC_FT_ADDRESS));
        EXPECT_EQ(folder.windowsPath() + "source.bin", FieldText(server.dialogs[0], IDC_FT_LOCAL_PATH));
        EXPECT_EQ("100 %", FieldText(server.dialogs[0], IDC_FT_PERCENT));
        EXPECT_EQ(100, ::SendDlgItemMessage(server.dialogs[0], IDC_FT_SEND_PROGRESS, PBM_GETPOS, 0, 0));
        ::DestroyWindow(receiver);
        server.CloseDialogs();
    }
}

TEST(FileTransfer, ReceiverStepsThroughEveryPercentageAndNeverBack)
{
    TempFolder folder("mivo-ft");
    WriteFile(folder.file("source.bin"), Content(3 * 1024 * 1024 + 7));
    RecordingServer server;
    ASSERT_TRUE(server.Listen());
    HWND receiver = OpenReceiver(server.Port(), folder.windowsPath() + "source.bin", folder.windowsPath() + "copy.bin",
                                 false);
    // One recorder at a time: the server's hears the progress bar too.
    HWND bar = ::GetDlgItem(receiver, IDC_FT_RECEIVE_PROGRESS);
    server.recorder.Attach(bar);
    ::SendMessage(receiver, WM_COMMAND, MAKEWPARAM(IDC_FT_RECEIVE, BN_CLICKED), 0);
    ASSERT_TRUE(PumpUntil([&] { return Ended(receiver) && server.Finished(); }));

    std::vector<WPARAM> shown;
    for (const auto& m : server.recorder.All())
        if (m.hwnd == bar && m.msg == PBM_SETPOS)
            shown.push_back(m.wParam);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(0u, shown.front());
    EXPECT_EQ(100u, shown.back());
    for (size_t i = 1; i < shown.size(); ++i)
        EXPECT_TRUE(shown[i] == shown[i - 1] || shown[i] == shown[i - 1] + 1) << shown[i - 1] << " then " << shown[i];
    ::DestroyWindow(receiver);
    server.CloseDialogs();
}

TEST(FileTransfer, PathsOf254BytesAndKoreanNamesArrive)
{
    TempFolder folder("mivo-ft");
    const std::string prefix = folder.windowsPath();
    const std::string longName(254 - prefix.size(), 'n');
    ASSERT_EQ(254u, (prefix + longName).size());
    WriteFile(folder.file(longName), "long");
    WriteFile(folder.file(u8"가족 사진.jpg"), "korean");
    struct {
        std::string remote;
        std::string expected;
    } cases[] = {{prefix + longName, "long"}, {prefix + "가족 사진.jpg", "korean"}};
    for (const auto& c : cases) {
        RecordingServer server;
        ASSERT_TRUE(server.Listen());
        HWND receiver = OpenReceiver(server.Port(), c.remote, prefix + "받은 파일.jpg");
        ASSERT_TRUE(PumpUntil([&] { return Ended(receiver) && server.Finished(); }));
        EXPECT_EQ("파일전송이 완료되었습니다", FieldText(receiver, IDC_FT_STATUS)) << c.remote;
        EXPECT_EQ(c.expected, ReadFile(folder.file(u8"받은 파일.jpg")));
        EXPECT_EQ(c.remote, FieldText(server.dialogs.at(0), IDC_FT_LOCAL_PATH));
        ::DestroyWindow(receiver);
        server.CloseDialogs();
    }
}

TEST(FileTransfer, MissingFileShowsTheFileErrorAndFailsWithoutALocalFile)
{
    TempFolder folder("mivo-ft");
    RecordingServer server;
    ASSERT_TRUE(server.Listen());
    HWND receiver = OpenReceiver(server.Port(), folder.windowsPath() + "missing.bin", folder.windowsPath() + "copy.bin");
    ASSERT_TRUE(PumpUntil([&] { return Ended(receiver) && server.Finished(); }));
    EXPECT_EQ(std::vector<WPARAM>({900}), server.Numbers());
    EXPECT_EQ("파일을 열 수 없습니다.", FieldText(server.dialogs.at(0), IDC_FT_PERCENT));
    EXPECT_EQ(0, ::SendDlgItemMessage(server.dialogs.at(0), IDC_FT_SEND_PROGRESS, PBM_GETPOS, 0, 0));
    EXPECT_EQ("파일전송 실패", FieldText(receiver, IDC_FT_STATUS));
    EXPECT_TRUE(folder.names().empty());
    ::DestroyWindow(receiver);
    server.CloseDialogs();
}

namespace {

// A plain blocking peer on a worker thread: a listener for fake senders, a client for fake receivers.
class PlainPeer {
public:
    ~PlainPeer()
    {
        if (worker_.joinable())
            worker_.join();
        if (connection_ != INVALID_SOCKET)
            closesocket(connection_);
        if (listener_ != INVALID_SOCKET)
            closesocket(listener_);
    }

    UINT Listen()
    {
        listener_ = WSASocket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a = {};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = inet_addr("127.0.0.1");
        bind(listener_, (sockaddr*)&a, (int)sizeof a);
        listen(listener_, 1);
        int len = sizeof a;
        getsockname(listener_, (sockaddr*)&a, &len);
        return ntohs(a.sin_port);
    }
    void Run(std::function<void(PlainPeer&)> body)
    {
        worker_ = std::thread([this, body] {
            if (listener_ != INVALID_SOCKET)
                connection_ = accept(listener_, nullptr, nullptr);
            body(*this);
        });
    }
    void Connect(UINT port)
    {
        connection_ = WSASocket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a = {};
        a.sin_family = AF_INET;
        a.sin_port = htons((u_short)port);
        a.sin_addr.s_addr = inet_addr("127.0.0.1");
        connect(connection_, (sockaddr*)&a, (int)sizeof a);
    }
    void Join() { worker_.join(); }

    void SendInt(uint32_t value)
    {
        unsigned char b[4] = {(unsigned char)value, (unsigned char)(value >> 8), (unsigned char)(value >> 16),
                              (unsigned char)(value >> 24)};
        SendBytes(std::string((const char*)b, 4));
    }
    void SendBytes(const std::string& bytes) { send(connection_, bytes.data(), (int)bytes.size(), 0); }
    std::string Read(size_t size)
    {
        std::string got;
        char buffer[4096];
        while (got.size() < size) {
            int n = recv(connection_, buffer, (int)std::min(sizeof buffer, size - got.size()), 0);
            if (n <= 0)
                break;
            got.append(buffer, n);
        }
        return got;
    }
    uint32_t ReadInt()
    {
        std::string b = Read(4);
        if (b.size() < 4)
            return 0xFFFFFFFF;
        return (uint8_t)b[0] | (uint8_t)b[1] << 8 | (uint8_t)b[2] << 16 | (uint32_t)(uint8_t)b[3] << 24;
    }
    // Waits until the other side closes; true when it did.
    bool WaitForClose()
    {
        char b[4096];
        for (;;) {
            int n = recv(connection_, b, sizeof b, 0);
            if (n == 0)
                return true;
            if (n < 0)
                return false;
        }
    }
    // The greeting and the request, as a sender sees them; the requested path.
    std::string GreetAndTakeRequest()
    {
        SendInt(ft::kReady);
        if (ReadInt() != ft::kReady)
            return "";
        return Read(ft::kPathFieldSize);
    }
    void SendHeader(const std::string& name, uint32_t length)
    {
        SendInt(ft::kFile);
        SendInt((uint32_t)name.size() + 1);
        SendBytes(std::string(name.c_str(), name.size() + 1));
        SendInt(length);
    }
    void Close()
    {
        closesocket(connection_);
        connection_ = INVALID_SOCKET;
    }

private:
    SOCKET listener_ = INVALID_SOCKET;
    SOCKET connection_ = INVALID_SOCKET;
    std::thread worker_;
};

}  // namespace

TEST(FileTransfer, RefusalIsShownInThePercentageField)
{
    TempFolder folder("mivo-ft");
    PlainPeer sender;
    UINT port = sender.Listen();
    sender.Run([](PlainPeer& p) {
        p.GreetAndTakeRequest();
        p.SendInt(ft::kRefused);
        p.WaitForClose();
    });
    HWND receiver = OpenReceiver(port, "C:\\x.bin", folder.windowsPath() + "copy.bin");
    ASSERT_TRUE(PumpUntil([&] { return FieldText(receiver, IDC_FT_PERCENT) == "파일송신이 거부되었읍니다."; }));
    ::DestroyWindow(receiver);
    sender.Join();
}

TEST(FileTransfer, BrokenSendersFailAndLeaveTheLocalFileAsItWas)
{
    struct {
        const char* what;
        std::function<void(PlainPeer&)> sender;
    } cases[] = {
        {"closes halfway",
         [](PlainPeer& p) {
             p.GreetAndTakeRequest();
             p.SendHeader("C:\\x.bin", 10000);
             p.SendBytes(Content(5000));
             p.Close();
         }},
        {"huge name length",
         [](PlainPeer& p) {
             p.GreetAndTakeRequest();
             p.SendInt(ft::kFile);
             p.SendInt(0x7FFFFFFF);
             p.SendBytes(std::string(300, 'x'));
             p.WaitForClose();
         }},
        {"zero name length",
         [](PlainPeer& p) {
             p.GreetAndTakeRequest();
             p.SendInt(ft::kFile);
             p.SendInt(0);
             p.SendInt(10);
             p.WaitForClose();
         }},
        {"closes inside the header",
         [](PlainPeer& p) {
             p.GreetAndTakeRequest();
             p.SendInt(ft::kFile);
             p.SendInt(9);
             p.SendBytes("C:\\x");
             p.Close();
         }},
    };
    for (const auto& c : cases) {
        TempFolder folder("mivo-ft");
        WriteFile(folder.file("copy.bin"), "what the user had");
        PlainPeer sender;
        UINT port = sender.Listen();
        sender.Run(c.sender);
        HWND receiver = OpenReceiver(port, "C:\\x.bin", folder.windowsPath() + "copy.bin");
        ASSERT_TRUE(PumpUntil([&] { return Ended(receiver); })) << c.what;
        EXPECT_EQ("파일전송 실패", FieldText(receiver, IDC_FT_STATUS)) << c.what;
        EXPECT_EQ("what the user had", ReadFile(folder.file("copy.bin"))) << c.what;
        EXPECT_EQ(std::vector<std::string>({"copy.bin"}), folder.names()) << c.what;
        ::DestroyWindow(receiver);
        sender.Join();
    }
}

TEST(FileTransfer, UnwritableLocalFolderGivesFailure)
{
    TempFolder folder("mivo-ft");
    WriteFile(folder.file("plain"), "not a folder");
    PlainPeer sender;
    UINT port = sender.Listen();
    sender.Run([](PlainPeer& p) {
        p.GreetAndTakeRequest();
        p.SendHeader("C:\\x.bin", 3);
        p.SendBytes("abc");
        p.WaitForClose();
    });
    HWND receiver = OpenReceiver(port, "C:\\x.bin", folder.windowsPath() + "plain\\copy.bin");
    ASSERT_TRUE(PumpUntil([&] { return Ended(receiver); }));
    EXPECT_EQ("파일전송 실패", FieldText(receiver, IDC_FT_STATUS));
    EXPECT_EQ(std::vector<std::string>({"plain"}), folder.names());
    ::DestroyWindow(receiver);
    sender.Join();
}

TEST(FileTransfer, ExitPressedMidFileClosesTheConnectionAndKeepsNothing)
{
    TempFolder folder("mivo-ft");
    std::atomic<HWND> receiver{nullptr};
    std::atomic<bool> closed{false};
    PlainPeer sender;
    UINT port = sender.Listen();
    sender.Run([&](PlainPeer& p) {
        p.GreetAndTakeRequest();
        p.SendHeader("C:\\x.bin", 100000);
        p.SendBytes(Content(8192));
        // The user presses exit while the receiver waits for the rest.
        while (!receiver.load())
            Sleep(1);
        PostMessage(receiver.load(), WM_COMMAND, MAKEWPARAM(IDC_FT_EXIT, BN_CLICKED), 0);
        closed = p.WaitForClose();
    });
    HWND dialog = OpenReceiver(port, "C:\\x.bin", folder.windowsPath() + "copy.bin", false);
    receiver = dialog;
    ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDC_FT_RECEIVE, BN_CLICKED), 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(dialog); }));
    sender.Join();
    EXPECT_TRUE(closed);
    EXPECT_TRUE(folder.names().empty());
}

TEST(FileTransfer, RefusedConnectionShowsTheFailureBox)
{
    SOCKET probe = WSASocket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = inet_addr("127.0.0.1");
    bind(probe, (sockaddr*)&a, (int)sizeof a);
    int len = sizeof a;
    getsockname(probe, (sockaddr*)&a, &len);
    closesocket(probe);  // nothing listens there now

    mivotest::MessageBoxCapture boxes;
    HWND receiver = OpenReceiver(ntohs(a.sin_port), "C:\\x.bin", "C:\\tmp\\never.bin");
    auto shown = boxes.shown();
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("원격 컴퓨터와의 접속에 실패하였습니다", shown[0].text);
    EXPECT_EQ("접속실패", shown[0].caption);
    EXPECT_EQ((UINT)MB_ICONERROR, shown[0].type & MB_ICONMASK);
    EXPECT_TRUE(::IsWindow(receiver));
    ::DestroyWindow(receiver);
}

TEST(FileTransfer, SenderReadsNothingPastAFieldWithoutNul)
{
    RecordingServer server;
    ASSERT_TRUE(server.Listen());
    std::string name;
    uint32_t nameLength = 0, length = 1;
    PlainPeer receiver;
    receiver.Connect(server.Port());
    receiver.Run([&](PlainPeer& p) {
        if (p.ReadInt() != ft::kReady)
            return;
        p.SendInt(ft::kReady);
        p.SendBytes(std::string(ft::kPathFieldSize, 'a'));
        if (p.ReadInt() != ft::kFile)
            return;
        nameLength = p.ReadInt();
        name = p.Read(nameLength);
        length = p.ReadInt();
        p.Close();
    });
    ASSERT_TRUE(PumpUntil([&] { return server.Finished(); }));
    receiver.Join();
    EXPECT_EQ(255u, nameLength);
    EXPECT_EQ(std::string(254, 'a') + '\0', name);
    EXPECT_EQ(0u, length);
    EXPECT_EQ(std::vector<WPARAM>({900}), server.Numbers());
    server.CloseDialogs();
}

TEST(FileTransfer, FilesOf2GiBOrMoreAreNotOffered)
{
    TempFolder folder("mivo-ft");
    std::ofstream(folder.file("huge.bin")).close();
    ASSERT_EQ(0, truncate(folder.file("huge.bin").c_str(), 0x80000000LL));  // sparse: nothing is written
    RecordingServer server;
    ASSERT_TRUE(server.Listen());
    uint32_t length = 1;
    PlainPeer receiver;
    receiver.Connect(server.Port());
    const std::string path = folder.windowsPath() + "huge.bin";
    receiver.Run([&](PlainPeer& p) {
        if (p.ReadInt() != ft::kReady)
            return;
        p.SendInt(ft::kReady);
        char field[ft::kPathFieldSize];
        ft::FillPathField(path.c_str(), field);
        p.SendBytes(std::string(field, sizeof field));
        if (p.ReadInt() != ft::kFile)
            return;
        p.Read(p.ReadInt());
        length = p.ReadInt();
        p.Close();
    });
    ASSERT_TRUE(PumpUntil([&] { return server.Finished(); }));
    receiver.Join();
    EXPECT_EQ(0u, length);
    EXPECT_EQ(std::vector<WPARAM>({900}), server.Numbers());
    server.CloseDialogs();
}

TEST(FileTransfer, ReceiverDeletesItselfWhenDoneAndAskedToClose)
{
    TempFolder folder("mivo-ft");
    WriteFile(folder.file("source.bin"), Content(5000));
    RecordingServer server;
    ASSERT_TRUE(server.Listen());
    auto* dialog = new CDlgSocketFTRcv;
    dialog->m_nPort = (int)server.Port();
    dialog->m_bStartAtOnce = TRUE;
    dialog->m_bCloseWhenDone = TRUE;
    dialog->m_strRemoteAddress = "127.0.0.1";
    dialog->m_strRemoteFile = (folder.windowsPath() + "source.bin").c_str();
    dialog->m_strLocalFile = (folder.windowsPath() + "copy.bin").c_str();
    ASSERT_TRUE(dialog->Create());
    HWND window = dialog->m_hWnd;
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(window) && server.Finished(); }));
    EXPECT_EQ(Content(5000), ReadFile(folder.file("copy.bin")));
    server.CloseDialogs();
}
