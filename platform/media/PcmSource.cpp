#include "PcmSource.h"

#include "Mp3Source.h"
#include "WaveSource.h"

#include <cstdio>
#include <vector>

namespace mivo {

namespace {

const size_t kMaxWaveFile = 512u << 20;

bool ReadAll(const std::string& path, std::vector<uint8_t>& out)
{
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return false;
    uint8_t buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0 && out.size() <= kMaxWaveFile)
        out.insert(out.end(), buffer, buffer + n);
    fclose(f);
    return out.size() <= kMaxWaveFile;
}

}  // namespace

std::unique_ptr<PcmSource> PcmSource::OpenFile(const std::string& posixPath)
{
    FILE* f = fopen(posixPath.c_str(), "rb");
    if (!f)
        return nullptr;
    char magic[4] = {};
    size_t n = fread(magic, 1, 4, f);
    fclose(f);
    if (n == 4 && magic[0] == 'R' && magic[1] == 'I' && magic[2] == 'F' && magic[3] == 'F') {
        std::vector<uint8_t> bytes;
        if (!ReadAll(posixPath, bytes))
            return nullptr;
        return WaveSource::FromBytes(std::move(bytes));
    }
    return Mp3Source::Open(posixPath);
}

}  // namespace mivo
