#include "ImageResources.h"

#include "mivo/templatewriter.h"
#include "ScriptParser.h"

namespace rc {

namespace {

constexpr uint16_t kRtCursor = 1, kRtBitmap = 2, kRtIcon = 3, kRtGroupCursor = 12, kRtGroupIcon = 14;
constexpr size_t kFileHeaderSize = 14;   // BITMAPFILEHEADER
constexpr size_t kDirHeaderSize = 6;     // ICONDIR
constexpr size_t kDirEntrySize = 16;     // ICONDIRENTRY

uint16_t Word(const std::vector<uint8_t>& d, size_t at) { return (uint16_t)(d[at] | (d[at + 1] << 8)); }
uint32_t Dword(const std::vector<uint8_t>& d, size_t at) { return Word(d, at) | ((uint32_t)Word(d, at + 2) << 16); }

}  // namespace

void ImageResources::Bitmap(const ResourceId& name, const Token& file)
{
    std::vector<uint8_t> data = p_.ReadDataFile(file);
    // A bitmap resource is the file without its BITMAPFILEHEADER.
    if (data.size() < kFileHeaderSize + 12 || data[0] != 'B' || data[1] != 'M')
        throw RcError(file.loc, "not a BMP file");
    uint32_t headerSize = Dword(data, kFileHeaderSize);
    if (headerSize < 12 || kFileHeaderSize + (uint64_t)headerSize > data.size())
        throw RcError(file.loc, "BMP file has a damaged header");
    Resource r;
    r.type = ResourceId::Number(kRtBitmap);
    r.name = name;
    r.loc = file.loc;
    r.data.assign(data.begin() + kFileHeaderSize, data.end());
    p_.Resources().Add(std::move(r));
}

void ImageResources::Icon(const ResourceId& name, const Token& file)
{
    IconOrCursor(name, file, false);
}

void ImageResources::Cursor(const ResourceId& name, const Token& file)
{
    IconOrCursor(name, file, true);
}

void ImageResources::IconOrCursor(const ResourceId& name, const Token& file, bool cursor)
{
    std::vector<uint8_t> d = p_.ReadDataFile(file);
    const char* kind = cursor ? "cursor" : "icon";
    if (d.size() < kDirHeaderSize || Word(d, 0) != 0 || Word(d, 2) != (cursor ? 2 : 1))
        throw RcError(file.loc, std::string("not an ") + (cursor ? "CUR" : "ICO") + " file");
    uint16_t count = Word(d, 4);
    if (count == 0)
        throw RcError(file.loc, std::string(kind) + " file holds no images");
    if (kDirHeaderSize + (uint64_t)count * kDirEntrySize > d.size())
        throw RcError(file.loc, std::string(kind) + " file is cut short");

    mivo::TemplateBytes group;
    group.U16(0);
    group.U16(cursor ? 2 : 1);
    group.U16(count);
    for (uint16_t i = 0; i < count; ++i) {
        size_t e = kDirHeaderSize + (size_t)i * kDirEntrySize;
        uint8_t width = d[e], height = d[e + 1], colors = d[e + 2];
        uint16_t planesOrHotX = Word(d, e + 4), bitsOrHotY = Word(d, e + 6);
        uint32_t size = Dword(d, e + 8), offset = Dword(d, e + 12);
        if (size == 0 || (uint64_t)offset + size > d.size())
            throw RcError(file.loc, std::string(kind) + " image " + std::to_string(i + 1) + " lies outside the file");
        std::vector<uint8_t> image(d.begin() + offset, d.begin() + offset + size);
        // Planes and bit count from the image's own BITMAPINFOHEADER when it has one.
        bool dib = size >= 40 && Dword(image, 0) == 40;
        uint16_t planes = dib ? Word(image, 12) : 1;
        uint16_t bits = dib ? Word(image, 14) : 32;

        Resource r;
        r.name = ResourceId::Number(cursor ? p_.Resources().NextCursorId() : p_.Resources().NextIconId());
        r.loc = file.loc;
        if (cursor) {
            mivo::TemplateBytes withHotspot;
            withHotspot.U16(planesOrHotX);
            withHotspot.U16(bitsOrHotY);
            withHotspot.Bytes(image);
            r.type = ResourceId::Number(kRtCursor);
            r.data = withHotspot.Take();
            // Width and height as in the image: the height counts the mask too.
            group.U16(dib ? (uint16_t)Dword(image, 4) : (width ? width : 256));
            group.U16(dib ? (uint16_t)Dword(image, 8) : (uint16_t)(2 * (height ? height : 256)));
            group.U16(planes);
            group.U16(bits);
            group.U32(size + 4);
        } else {
            r.type = ResourceId::Number(kRtIcon);
            r.data = std::move(image);
            group.U8(width);
            group.U8(height);
            group.U8(colors);
            group.U8(0);
            group.U16(planesOrHotX ? planesOrHotX : planes);
            group.U16(bitsOrHotY ? bitsOrHotY : bits);
            group.U32(size);
        }
        group.U16(r.name.id);
        p_.Resources().Add(std::move(r));
    }
    Resource g;
    g.type = ResourceId::Number(cursor ? kRtGroupCursor : kRtGroupIcon);
    g.name = name;
    g.loc = file.loc;
    g.data = group.Take();
    p_.Resources().Add(std::move(g));
}

}  // namespace rc
