#include "support/BarResourceBuilder.h"

#include "mivo/templatewriter.h"

#include <cstring>

namespace mivo::test {

const RGBQUAD kSixteenColours[16] = {
    {0, 0, 0, 0},       {0, 0, 128, 0},     {0, 128, 0, 0},   {0, 128, 128, 0},
    {128, 0, 0, 0},     {128, 0, 128, 0},   {128, 128, 0, 0}, {192, 192, 192, 0},
    {128, 128, 128, 0}, {0, 0, 255, 0},     {0, 255, 0, 0},   {0, 255, 255, 0},
    {255, 0, 0, 0},     {255, 0, 255, 0},   {255, 255, 0, 0}, {255, 255, 255, 0},
};

namespace {

int ColourIndexAt(int x, int y, int imageWidth)
{
    int image = x / imageWidth, ix = x % imageWidth;
    if (ix >= 2 && ix < 6 && y >= 2 && y < 6)
        return 0;
    if (ix == 7 && y == 7)
        return 8;
    if (ix == 9 && y == 9)
        return 15;
    if (y >= 10 && y <= 12 && ix >= 1 && ix < imageWidth - 1)
        return 9 + image % 6;
    return 7;
}

}  // namespace

std::vector<BYTE> BuildToolBarResource(int imageWidth, int imageHeight, const std::vector<WORD>& ids)
{
    return mivo::WriteToolBarResource((WORD)imageWidth, (WORD)imageHeight, ids);
}

std::vector<BYTE> BuildSixteenColourStrip(int images, int imageWidth, int imageHeight)
{
    int width = images * imageWidth;
    int stride = ((width * 4 + 31) / 32) * 4;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = imageHeight;
    header.biPlanes = 1;
    header.biBitCount = 4;
    header.biCompression = BI_RGB;
    std::vector<BYTE> out(sizeof(header) + sizeof(kSixteenColours) + (size_t)stride * imageHeight, 0);
    std::memcpy(out.data(), &header, sizeof(header));
    std::memcpy(out.data() + sizeof(header), kSixteenColours, sizeof(kSixteenColours));
    BYTE* bits = out.data() + sizeof(header) + sizeof(kSixteenColours);
    for (int y = 0; y < imageHeight; ++y) {
        BYTE* row = bits + (size_t)(imageHeight - 1 - y) * stride;  // bottom-up
        for (int x = 0; x < width; ++x) {
            int index = ColourIndexAt(x, y, imageWidth);
            row[x / 2] |= (BYTE)(x % 2 ? index : index << 4);
        }
    }
    return out;
}

std::vector<BYTE> BuildStringBlock(const std::vector<std::pair<UINT, std::u16string>>& strings)
{
    std::u16string slots[16];
    for (const auto& entry : strings)
        slots[entry.first % 16] = entry.second;
    return mivo::WriteStringBlock(slots);
}

ResourceSet::ResourceSet(const char* moduleName) : name_(moduleName) {}

ResourceSet::~ResourceSet()
{
    if (registered_)
        UnregisterModuleResources(&table_);
}

void ResourceSet::Add(LPCSTR type, WORD id, std::vector<BYTE> data)
{
    blocks_.push_back(std::move(data));
    entries_.push_back(ResourceEntry{(WORD)(UINT_PTR)type, nullptr, id, nullptr, nullptr, 0});
}

void ResourceSet::Register()
{
    for (size_t i = 0; i < entries_.size(); ++i) {
        entries_[i].data = blocks_[i].data();
        entries_[i].size = (DWORD)blocks_[i].size();
    }
    table_ = ResourceTable{entries_.data(), entries_.size()};
    RegisterModuleResources(name_.c_str(), &table_, false);
    registered_ = true;
}

}  // namespace mivo::test
