// The printer list: the PDF printer, and the CUPS queues read from `lpstat -e`
// (run directly with a time and size limit, never through a shell).
#include "mivo/codepage.h"
#include "mivo/printers.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace mivo {

const char kPdfPrinterName[] = "PDF 파일";

namespace {

const size_t kOutputLimit = 64 * 1024;  // bytes of lpstat output read
const int kTimeoutMs = 3000;
const size_t kQueueLimit = 256;
const size_t kNameLimit = 127;  // the longest queue name CUPS accepts

// The standard output of `lpstat -e`; empty when it cannot run or fails.
std::string RunLpstat()
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return std::string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    char program[] = "lpstat";
    char option[] = "-e";
    char* argv[] = {program, option, nullptr};
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        return std::string();
    }
    std::string out;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeoutMs);
    char buffer[4096];
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd p = {fds[0], POLLIN, 0};
        int ready = poll(&p, 1, (int)left.count());
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        ssize_t n = read(fds[0], buffer, sizeof(buffer));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        if (out.size() < kOutputLimit)
            out.append(buffer, (size_t)std::min<ssize_t>(n, (ssize_t)(kOutputLimit - out.size())));
    }
    close(fds[0]);
    // Its output is read: it ends now, or is ended at the deadline.
    int status = 0;
    pid_t done;
    while ((done = waitpid(pid, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline)
        usleep(2000);
    if (done != pid) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return std::string();
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::string();
    return out;
}

bool AcceptableQueueName(const std::string& name)
{
    if (name.empty() || name.size() > kNameLimit)
        return false;
    for (unsigned char c : name)
        if (c <= 0x20 || c == 0x7F || c == '/' || c == '\\' || c == '#' || c == '\'' || c == '"')
            return false;
    return true;
}

}  // namespace

std::vector<PrinterEntry> ListPrinters()
{
    std::vector<PrinterEntry> printers;
    printers.push_back({kPdfPrinterName, false});
    std::string out = RunLpstat();
    size_t at = 0;
    while (at < out.size() && printers.size() <= kQueueLimit) {
        size_t end = out.find('\n', at);
        if (end == std::string::npos)
            end = out.size();
        std::string line = out.substr(at, end - at);
        at = end + 1;
        size_t blank = line.find_first_of(" \t\r");
        std::string utf8 = line.substr(0, blank);
        std::string ansi;
        if (!AcceptableQueueName(utf8) || !Utf8ToAnsi(utf8, ansi) || ansi == kPdfPrinterName)
            continue;
        bool seen = false;
        for (const PrinterEntry& p : printers)
            seen = seen || p.name == ansi;
        if (!seen)
            printers.push_back({ansi, true});
    }
    return printers;
}

bool IsCupsQueue(const std::string& name)
{
    if (name.empty() || name == kPdfPrinterName)
        return false;
    for (const PrinterEntry& p : ListPrinters())
        if (p.cupsQueue && p.name == name)
            return true;
    return false;
}

}  // namespace mivo
