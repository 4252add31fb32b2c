// wdbc-stub [--port N]: the demo's web database and file server on 127.0.0.1
// (port 18080 unless given), until it is stopped (SIGTERM or SIGINT).
#include "support/WebDatabaseSeed.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <unistd.h>

namespace {

const int kDefaultPort = 18080;
volatile sig_atomic_t g_stop = 0;

void OnSignal(int)
{
    g_stop = 1;
}

bool ParsePort(const char* text, int& port)
{
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (!text[0] || *end || value < 1 || value > 65535)
        return false;
    port = (int)value;
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    int port = kDefaultPort;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--port") == 0 && i + 1 < argc && ParsePort(argv[i + 1], port)) {
            ++i;
            continue;
        }
        std::fprintf(stderr, "usage: %s [--port N]\n", argv[0]);
        return 2;
    }
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);
    try {
        mivotest::WebDatabaseStub stub(port);
        mivotest::SeedDemo(stub);
        std::printf("wdbc-stub: listening on 127.0.0.1:%d\n", stub.port());
        std::fflush(stdout);
        while (!g_stop)
            pause();
        std::printf("wdbc-stub: %zu requests served\n", stub.requests().size());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wdbc-stub: %s\n", e.what());
        return 1;
    }
    return 0;
}
