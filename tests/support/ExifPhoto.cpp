#include "support/ExifPhoto.h"

#include "mfc.h"
#include "image/ImageObject.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace mivotest {

namespace {

typedef std::vector<unsigned char> Bytes;

void U16(Bytes& out, uint32_t v)
{
    out.push_back((unsigned char)(v & 0xFF));
    out.push_back((unsigned char)(v >> 8));
}

void U32(Bytes& out, uint32_t v)
{
    U16(out, v & 0xFFFF);
    U16(out, v >> 16);
}

struct Tag {
    uint16_t tag;
    uint16_t format;
    std::string text;  // ASCII value, or empty for the EXIF directory's link
};

// One directory at `at` with its text values after it; `linkTo` fills a link entry.
Bytes Directory(const std::vector<Tag>& tags, uint32_t at, uint32_t linkTo)
{
    Bytes dir, values;
    uint32_t valueAt = at + 2 + 12 * (uint32_t)tags.size() + 4;
    U16(dir, (uint32_t)tags.size());
    for (const Tag& t : tags) {
        U16(dir, t.tag);
        U16(dir, t.format);
        if (t.format == 4) {
            U32(dir, 1);
            U32(dir, linkTo);
            continue;
        }
        U32(dir, (uint32_t)t.text.size() + 1);
        U32(dir, valueAt + (uint32_t)values.size());
        values.insert(values.end(), t.text.begin(), t.text.end());
        values.push_back(0);
    }
    U32(dir, 0);
    dir.insert(dir.end(), values.begin(), values.end());
    return dir;
}

Bytes ExifBlock(const std::string& maker, const std::string& model, const std::string& taken)
{
    Bytes tiff = {'I', 'I'};
    U16(tiff, 42);
    U32(tiff, 8);
    std::vector<Tag> first = {{0x010F, 2, maker}, {0x0110, 2, model}, {0x8769, 4, ""}};
    uint32_t firstSize = (uint32_t)Directory(first, 8, 0).size();
    Bytes ifd0 = Directory(first, 8, 8 + firstSize);
    Bytes exif = Directory({{0x9003, 2, taken}}, 8 + firstSize, 0);
    tiff.insert(tiff.end(), ifd0.begin(), ifd0.end());
    tiff.insert(tiff.end(), exif.begin(), exif.end());
    size_t length = 2 + 6 + tiff.size();
    Bytes app1 = {0xFF, 0xE1, (unsigned char)(length >> 8), (unsigned char)length, 'E', 'x', 'i', 'f', 0, 0};
    app1.insert(app1.end(), tiff.begin(), tiff.end());
    return app1;
}

}  // namespace

bool WritePhoto(const std::string& windowsPath, int width, int height, const std::string& maker,
                const std::string& model, const std::string& taken)
{
    CImageObject maker0;
    std::unique_ptr<CImageObject> picture(maker0.MakeBlankImageObject(RGB(90, 150, 220), width, height));
    if (!picture)
        return false;
    for (int y = height / 2; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture->SetPixelColor(x, y, RGB(60, 140 + (x * 60) / width, 50));
    for (int y = 0; y < height / 5; ++y)
        for (int x = 0; x < height / 5; ++x)
            picture->SetPixelColor(width * 3 / 4 + x, height / 6 + y, RGB(250, 220, 60));
    if (!picture->Save(windowsPath.c_str()))
        return false;
    if (maker.empty())
        return true;
    // Read back through the layer's own path mapping, then the block goes in after SOI.
    CFile file;
    if (!file.Open(windowsPath.c_str(), CFile::modeRead))
        return false;
    Bytes bytes((size_t)file.GetLength());
    file.Read(bytes.data(), (UINT)bytes.size());
    file.Close();
    if (bytes.size() < 2)
        return false;
    Bytes block = ExifBlock(maker, model, taken);
    bytes.insert(bytes.begin() + 2, block.begin(), block.end());
    if (!file.Open(windowsPath.c_str(), CFile::modeCreate | CFile::modeWrite))
        return false;
    file.Write(bytes.data(), (UINT)bytes.size());
    file.Close();
    return true;
}

}  // namespace mivotest
