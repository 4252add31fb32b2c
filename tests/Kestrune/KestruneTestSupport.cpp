#include "KestruneTestSupport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <fstream>
#include <iterator>

namespace kestrunetest {

DataFolder::DataFolder()
{
    mkdir(folder_.file("Temp").c_str(), 0755);
}

void WriteFile(const std::string& path, const std::string& bytes, const std::string& stamp)
{
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    if (stamp.empty())
        return;
    struct tm tm = {};
    strptime(stamp.c_str(), "%Y-%m-%d %H:%M:%S", &tm);
    tm.tm_isdst = -1;
    utimbuf times;
    times.actime = times.modtime = mktime(&tm);
    utime(path.c_str(), &times);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

int ClosedPort()
{
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, (sockaddr*)&addr, sizeof addr);
    socklen_t len = sizeof addr;
    getsockname(fd, (sockaddr*)&addr, &len);
    close(fd);
    return ntohs(addr.sin_port);
}

}  // namespace kestrunetest
