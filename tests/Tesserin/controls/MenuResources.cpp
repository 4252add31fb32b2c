#include "MenuResources.h"

#include <cstring>

namespace menutest {

namespace {

// The sixteen colours of a 4-bit bitmap, light grey at 7.
const COLORREF kVga[16] = {RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
                           RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
                           RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
                           RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};

int NearestVga(COLORREF c)
{
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 16; ++i) {
        long dr = GetRValue(c) - GetRValue(kVga[i]), dg = GetGValue(c) - GetGValue(kVga[i]),
             db = GetBValue(c) - GetBValue(kVga[i]);
        long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

void Put16(std::vector<BYTE>& out, WORD v)
{
    out.push_back((BYTE)(v & 0xFF));
    out.push_back((BYTE)(v >> 8));
}

}  // namespace

std::vector<BYTE> StripBitmap(const std::vector<COLORREF>& colours, int bitsPerPixel)
{
    const int cellW = 16, cellH = 15;
    int width = cellW * (int)colours.size(), height = cellH;
    auto pixel = [&](int x, int y) {
        int cell = x / cellW, cx = x % cellW;
        bool inside = cx >= 3 && cx <= 12 && y >= 3 && y <= 11;
        return inside ? colours[(size_t)cell] : kLightGrey;
    };
    int paletteSize = bitsPerPixel == 4 ? 16 : bitsPerPixel == 8 ? 256 : 0;
    int stride = ((width * bitsPerPixel + 31) / 32) * 4;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = (WORD)bitsPerPixel;
    header.biCompression = BI_RGB;
    header.biClrUsed = bitsPerPixel == 8 ? 256 : 0;
    std::vector<BYTE> out(sizeof(header));
    std::memcpy(out.data(), &header, sizeof(header));
    std::vector<COLORREF> palette;
    if (bitsPerPixel == 4)
        palette.assign(kVga, kVga + 16);
    if (bitsPerPixel == 8) {
        palette.assign(kVga, kVga + 16);
        for (COLORREF c : colours)
            palette.push_back(c);
        palette.resize(256, RGB(0, 0, 0));
    }
    for (COLORREF c : palette) {
        out.push_back(GetBValue(c));
        out.push_back(GetGValue(c));
        out.push_back(GetRValue(c));
        out.push_back(0);
    }
    (void)paletteSize;
    for (int row = height - 1; row >= 0; --row) {
        std::vector<BYTE> line((size_t)stride, 0);
        for (int x = 0; x < width; ++x) {
            COLORREF c = pixel(x, row);
            if (bitsPerPixel == 24) {
                line[(size_t)x * 3] = GetBValue(c);
                line[(size_t)x * 3 + 1] = GetGValue(c);
                line[(size_t)x * 3 + 2] = GetRValue(c);
            } else if (bitsPerPixel == 8) {
                int index = NearestVga(c);
                for (size_t k = 0; k < colours.size(); ++k)
                    if (colours[k] == c)
                        index = 16 + (int)k;
                line[(size_t)x] = (BYTE)index;
            } else {
                int index = NearestVga(c);
                line[(size_t)x / 2] |= (BYTE)(x % 2 ? index : index << 4);
            }
        }
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

std::vector<BYTE> ToolbarData(const std::vector<WORD>& commands, int width, int height)
{
    std::vector<BYTE> out;
    Put16(out, 1);
    Put16(out, (WORD)width);
    Put16(out, (WORD)height);
    Put16(out, (WORD)commands.size());
    for (WORD c : commands)
        Put16(out, c);
    return out;
}

std::vector<BYTE> Truncated(std::vector<BYTE> data, size_t cut)
{
    data.resize(cut < data.size() ? data.size() - cut : 0);
    return data;
}

Resources::Resources(const char* moduleName) : m_name(moduleName) {}

Resources::~Resources()
{
    if (m_registered)
        mivo::UnregisterModuleResources(&m_table);
}

void Resources::Add(WORD type, WORD id, std::vector<BYTE> data)
{
    m_blobs.push_back(std::move(data));
    m_entries.push_back({type, nullptr, id, nullptr, nullptr, 0});
}

void Resources::Register()
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        m_entries[i].data = m_blobs[i].data();
        m_entries[i].size = (DWORD)m_blobs[i].size();
    }
    m_table = {m_entries.data(), m_entries.size()};
    mivo::RegisterModuleResources(m_name, &m_table, false);
    m_registered = true;
}

}  // namespace menutest
