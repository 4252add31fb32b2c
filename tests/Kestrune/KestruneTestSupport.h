// What the chooser's tests share: the web-database stand-in reached through
// the port map, a data folder with its Temp folder, a pinned time zone, and
// files with a given modification time.
#pragma once

#include "support/TempFolder.h"
#include "support/WebDatabaseStub.h"

#include <cstdlib>
#include <ctime>
#include <string>

namespace kestrunetest {

// Port 80 of 127.0.0.1 goes to the stub while this lives.
class MappedStub {
public:
    MappedStub() { Map(stub_.port()); }
    // Maps port 80 to `port` instead (a closed one, say).
    explicit MappedStub(int port) { Map(port); }
    ~MappedStub() { unsetenv("MIVO_HTTP_PORT_MAP"); }
    mivotest::WebDatabaseStub& stub() { return stub_; }

private:
    static void Map(int port)
    {
        std::string map = "127.0.0.1:80=127.0.0.1:" + std::to_string(port);
        setenv("MIVO_HTTP_PORT_MAP", map.c_str(), 1);
    }

    mivotest::WebDatabaseStub stub_;
};

// Local time is Korean time (nine hours ahead of UTC) while this lives.
class PinnedZone {
public:
    PinnedZone()
    {
        const char* old = getenv("TZ");
        had_ = old != nullptr;
        if (old)
            old_ = old;
        setenv("TZ", "KST-9", 1);
        tzset();
    }
    ~PinnedZone()
    {
        if (had_)
            setenv("TZ", old_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    bool had_ = false;
    std::string old_;
};

// A data folder with its Temp folder, as the main program leaves it.
class DataFolder {
public:
    DataFolder();
    std::string dataDir() const { return folder_.windowsPath(); }
    std::string posix(const std::string& name) const { return folder_.file(name); }
    std::string temp(const std::string& name) const { return folder_.file("Temp/" + name); }
    const mivotest::TempFolder& folder() const { return folder_; }

private:
    mivotest::TempFolder folder_{"mivo-kestrune"};
};

// Writes `bytes` to a file and gives it the modification time of the Korean local time `stamp`
// ("%Y-%m-%d %H:%M:%S").
void WriteFile(const std::string& path, const std::string& bytes, const std::string& stamp = "");
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);

// A loopback port nobody listens on.
int ClosedPort();

}  // namespace kestrunetest
