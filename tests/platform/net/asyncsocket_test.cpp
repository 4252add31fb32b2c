// CAsyncSocket and CSocket over loopback: events on the owning thread, a handle taken into a
// second thread, blocking calls that keep the thread's messages flowing.
#include <gtest/gtest.h>

#include "mfc.h"
#include "support/MessageLoop.h"

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using mivo::test::PumpUntil;

namespace {

struct Log {
    std::vector<std::string> events;
    std::string received;
    DWORD thread = 0;
};

class CRecordingSocket : public CAsyncSocket {
public:
    explicit CRecordingSocket(Log& log) : log_(log) {}
    CAsyncSocket* accepted = nullptr;

    void OnAccept(int error) override
    {
        log_.events.push_back("accept " + std::to_string(error));
        if (accepted)
            Accept(*accepted);
    }
    void OnConnect(int error) override { log_.events.push_back("connect " + std::to_string(error)); }
    void OnReceive(int error) override
    {
        log_.events.push_back("receive " + std::to_string(error));
        log_.thread = GetCurrentThreadId();
        char buffer[256];
        int n = Receive(buffer, sizeof buffer);
        if (n > 0)
            log_.received.append(buffer, n);
    }
    void OnClose(int error) override { log_.events.push_back("close " + std::to_string(error)); }

private:
    Log& log_;
};

bool Has(const Log& log, const std::string& event)
{
    for (const std::string& e : log.events)
        if (e == event)
            return true;
    return false;
}

UINT PortOf(CAsyncSocket& s)
{
    CString address;
    UINT port = 0;
    s.GetSockName(address, port);
    return port;
}

}  // namespace

TEST(AsyncSocket, AcceptReadAndCloseReachTheHandlersOnTheOwningThread)
{
    Log serverLog, clientLog, acceptedLog;
    CRecordingSocket listener(serverLog), client(clientLog), accepted(acceptedLog);
    listener.accepted = &accepted;
    ASSERT_TRUE(listener.Create(0, SOCK_STREAM, FD_ACCEPT, "127.0.0.1"));
    ASSERT_TRUE(listener.Listen());
    ASSERT_TRUE(client.Create());
    if (!client.Connect("127.0.0.1", PortOf(listener))) {
        ASSERT_EQ(WSAEWOULDBLOCK, CAsyncSocket::GetLastError());
    }

    ASSERT_TRUE(PumpUntil([&] { return Has(serverLog, "accept 0") && Has(clientLog, "connect 0"); }));
    ASSERT_NE(INVALID_SOCKET, accepted.m_hSocket);
    EXPECT_EQ(&accepted, CAsyncSocket::FromHandle(accepted.m_hSocket));
    ASSERT_TRUE(accepted.AsyncSelect(FD_READ | FD_CLOSE));

    CString peer;
    UINT peerPort = 0;
    ASSERT_TRUE(accepted.GetPeerName(peer, peerPort));
    EXPECT_STREQ("127.0.0.1", peer);
    EXPECT_EQ(PortOf(client), peerPort);

    ASSERT_EQ(5, client.Send("hello", 5));
    ASSERT_TRUE(PumpUntil([&] { return acceptedLog.received == "hello"; }));
    EXPECT_EQ(GetCurrentThreadId(), acceptedLog.thread);

    client.Close();
    ASSERT_TRUE(PumpUntil([&] { return Has(acceptedLog, "close 0"); }));
    EXPECT_EQ(nullptr, CAsyncSocket::FromHandle(client.m_hSocket));
}

namespace {

std::atomic<SOCKET> g_handOver{INVALID_SOCKET};
Log g_threadLog;
std::atomic<bool> g_threadReceived{false};

class CHandOverSocket : public CAsyncSocket {
public:
    void OnReceive(int) override
    {
        char buffer[64];
        int n = Receive(buffer, sizeof buffer);
        if (n > 0)
            g_threadLog.received.append(buffer, n);
        g_threadLog.thread = GetCurrentThreadId();
        if (g_threadLog.received == "for the thread")
            g_threadReceived = true;
    }
    void OnClose(int) override { PostQuitMessage(0); }
};

class CHandOverThread : public CWinThread {
    DECLARE_DYNCREATE(CHandOverThread)
public:
    CHandOverSocket socket;
    BOOL InitInstance() override { return socket.Attach(g_handOver); }
    int ExitInstance() override
    {
        socket.Close();
        return CWinThread::ExitInstance();
    }
};

IMPLEMENT_DYNCREATE(CHandOverThread, CWinThread)

}  // namespace

TEST(AsyncSocket, HandleDetachedIntoASecondThreadGetsItsEventsThere)
{
    Log serverLog, clientLog;
    CRecordingSocket listener(serverLog), client(clientLog);
    CAsyncSocket accepted;
    listener.accepted = &accepted;
    ASSERT_TRUE(listener.Create(0, SOCK_STREAM, FD_ACCEPT, "127.0.0.1"));
    ASSERT_TRUE(listener.Listen());
    ASSERT_TRUE(client.Create());
    client.Connect("127.0.0.1", PortOf(listener));
    ASSERT_TRUE(PumpUntil([&] { return accepted.m_hSocket != INVALID_SOCKET; }));

    g_handOver = accepted.Detach();
    EXPECT_EQ(INVALID_SOCKET, accepted.m_hSocket);
    CWinThread* thread = AfxBeginThread(RUNTIME_CLASS(CHandOverThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();

    ASSERT_EQ(14, client.Send("for the thread", 14));
    ASSERT_TRUE(PumpUntil([&] { return g_threadReceived.load(); }));
    EXPECT_EQ(thread->m_nThreadID, g_threadLog.thread);

    client.Close();  // the thread's OnClose ends it
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread->m_hThread, 10000));
    delete thread;
}

namespace {

const UINT kPing = WM_APP + 21;
const UINT kCloseSocket = WM_APP + 22;
CSocket* g_blocked = nullptr;
std::atomic<bool> g_pingAnswered{false};

LRESULT CALLBACK AnswerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kPing) {
        g_pingAnswered = true;
        return 42;
    }
    if (msg == kCloseSocket) {
        g_blocked->Close();
        return 1;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

HWND AnsweringWindow()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = AnswerProc;
    wc.lpszClassName = "SocketTestAnswer";
    RegisterClassA(&wc);
    return CreateWindowA("SocketTestAnswer", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
}

// A plain blocking peer on a worker thread.
SOCKET BlockingListener(UINT& port)
{
    SOCKET s = WSASocket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = inet_addr("127.0.0.1");
    bind(s, (sockaddr*)&a, (int)sizeof a);
    listen(s, 1);
    int len = sizeof a;
    getsockname(s, (sockaddr*)&a, &len);
    port = ntohs(a.sin_port);
    return s;
}

}  // namespace

TEST(Socket, SendsAMegabyteWhileItsThreadAnswersAWorkersSendMessage)
{
    HWND window = AnsweringWindow();
    UINT port = 0;
    SOCKET listener = BlockingListener(port);
    const int kSize = 1 << 20;
    std::string payload(kSize, '\0');
    for (int i = 0; i < kSize; ++i)
        payload[i] = (char)(i * 7 + i / 251);

    std::string got;
    LRESULT pingResult = 0;
    std::thread peer([&] {
        SOCKET s = accept(listener, nullptr, nullptr);
        int small = 65536;
        setsockopt(s, SOL_SOCKET, SO_RCVBUF, (const char*)&small, (int)sizeof small);
        // Nothing is read until the sender's thread has answered: its Send must be waiting then.
        pingResult = SendMessage(window, kPing, 0, 0);
        char buffer[65536];
        for (;;) {
            int n = recv(s, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            got.append(buffer, n);
        }
        closesocket(s);
    });

    CSocket sender;
    ASSERT_TRUE(sender.Create());
    int small = 65536;
    ASSERT_TRUE(sender.SetSockOpt(SO_SNDBUF, &small, sizeof small));
    ASSERT_TRUE(sender.Connect("127.0.0.1", port));
    EXPECT_EQ(kSize, sender.Send(payload.data(), kSize));
    EXPECT_TRUE(g_pingAnswered);
    sender.Close();
    peer.join();
    EXPECT_EQ(42, pingResult);
    EXPECT_TRUE(got == payload);
    closesocket(listener);
    DestroyWindow(window);
}

TEST(Socket, CloseFromAHandlerEndsTheBlockingReceive)
{
    HWND window = AnsweringWindow();
    UINT port = 0;
    SOCKET listener = BlockingListener(port);
    std::atomic<bool> connected{false};
    std::thread peer([&] {
        SOCKET s = accept(listener, nullptr, nullptr);
        while (!connected)
            Sleep(1);
        // Handled once the receiver waits in Receive; nothing is sent, so only the close ends it.
        SendMessage(window, kCloseSocket, 0, 0);
        char b;
        recv(s, &b, 1, 0);
        closesocket(s);
    });

    CSocket receiver;
    g_blocked = &receiver;
    EXPECT_TRUE(receiver.Create());
    EXPECT_TRUE(receiver.Connect("127.0.0.1", port));
    connected = true;
    char buffer[16];
    EXPECT_EQ(SOCKET_ERROR, receiver.Receive(buffer, sizeof buffer));
    EXPECT_EQ(WSAEINTR, CSocket::GetLastError());
    EXPECT_EQ(INVALID_SOCKET, receiver.m_hSocket);
    peer.join();
    closesocket(listener);
    DestroyWindow(window);
}

TEST(Socket, ReceiveWaitsForDataAndAnswersZeroWhenThePeerCloses)
{
    UINT port = 0;
    SOCKET listener = BlockingListener(port);
    std::thread peer([&] {
        SOCKET s = accept(listener, nullptr, nullptr);
        Sleep(50);
        send(s, "late", 4, 0);
        closesocket(s);
    });
    CSocket receiver;
    ASSERT_TRUE(receiver.Create());
    ASSERT_TRUE(receiver.Connect("127.0.0.1", port));
    std::string got;
    char buffer[16];
    int n;
    while ((n = receiver.Receive(buffer, sizeof buffer)) > 0)
        got.append(buffer, n);
    EXPECT_EQ(0, n);
    EXPECT_EQ("late", got);
    peer.join();
    closesocket(listener);
}

TEST(Socket, ConnectToAPortNobodyListensOnFails)
{
    UINT port = 0;
    SOCKET listener = BlockingListener(port);
    closesocket(listener);
    CSocket s;
    ASSERT_TRUE(s.Create());
    EXPECT_FALSE(s.Connect("127.0.0.1", port));
    EXPECT_EQ(WSAECONNREFUSED, CSocket::GetLastError());
}
