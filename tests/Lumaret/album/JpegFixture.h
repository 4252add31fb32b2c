// JPEG files for the structure inspector, made by the test: an Exif block built directory by
// directory in either byte order, spliced after the start marker of a picture our encoder wrote,
// and the inspector's rows read back as text.
#pragma once

#include <gtest/gtest.h>

#include "mfc.h"
#include "grid/VXGridCtrl.h"
#include "image/ImageObject.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace jpegtest {

typedef std::vector<uint8_t> Bytes;

// A TIFF block: the header, then the directories in the order they were added, then the values
// longer than four bytes, then the thumbnail.
class TiffBuilder {
public:
    explicit TiffBuilder(bool motorola) : m_motorola(motorola) {}

    int AddDir()
    {
        m_dirs.push_back({});
        return (int)m_dirs.size() - 1;
    }
    // A value given as its bytes in the block's order.
    void Raw(int dir, uint16_t tag, uint16_t type, uint32_t count, const Bytes& value)
    {
        m_dirs[(size_t)dir].entries.push_back({tag, type, count, value, -1, false});
    }
    void Short(int dir, uint16_t tag, uint16_t value) { Raw(dir, tag, 3, 1, Pad(U16(value))); }
    void Long(int dir, uint16_t tag, uint32_t value) { Raw(dir, tag, 4, 1, U32(value)); }
    void Rational(int dir, uint16_t tag, int32_t numerator, int32_t denominator, uint16_t type = 5)
    {
        Bytes v = U32((uint32_t)numerator);
        Bytes d = U32((uint32_t)denominator);
        v.insert(v.end(), d.begin(), d.end());
        Raw(dir, tag, type, 1, v);
    }
    void Ascii(int dir, uint16_t tag, const std::string& text)
    {
        Bytes v(text.begin(), text.end());
        v.push_back(0);
        uint32_t count = (uint32_t)v.size();
        Raw(dir, tag, 2, count, Pad(v));
    }
    // A directory link entry (EXIF_OFFSET, INTEROP_OFFSET) to another directory.
    void Link(int dir, uint16_t tag, int target) { m_dirs[(size_t)dir].entries.push_back({tag, 4, 1, {}, target, false}); }
    void Next(int dir, int target) { m_dirs[(size_t)dir].next = target; }
    // THUMBNAIL_OFFSET and THUMBNAIL_LENGTH of an embedded picture stored after everything else.
    void Thumbnail(int dir, const Bytes& picture)
    {
        m_thumbnail = picture;
        m_dirs[(size_t)dir].entries.push_back({0x0201, 4, 1, {}, -1, true});
        Long(dir, 0x0202, (uint32_t)picture.size());
    }

    Bytes U16(uint16_t v) const
    {
        return m_motorola ? Bytes{(uint8_t)(v >> 8), (uint8_t)v} : Bytes{(uint8_t)v, (uint8_t)(v >> 8)};
    }
    Bytes U32(uint32_t v) const
    {
        Bytes high = U16((uint16_t)(v >> 16)), low = U16((uint16_t)v);
        Bytes out = m_motorola ? high : low;
        const Bytes& second = m_motorola ? low : high;
        out.insert(out.end(), second.begin(), second.end());
        return out;
    }

    // Offsets of the directories from the start of the block.
    std::vector<uint32_t> DirOffsets() const
    {
        std::vector<uint32_t> at;
        uint32_t offset = 8;
        for (const Dir& d : m_dirs) {
            at.push_back(offset);
            offset += 2 + 12 * (uint32_t)d.entries.size() + 4;
        }
        at.push_back(offset);  // the value area
        return at;
    }

    Bytes Build() const
    {
        std::vector<uint32_t> dirAt = DirOffsets();
        Bytes values;
        uint32_t valueBase = dirAt.back();
        std::vector<std::vector<uint32_t>> valueAt(m_dirs.size());
        for (size_t d = 0; d < m_dirs.size(); d++)
            for (const Entry& e : m_dirs[d].entries) {
                valueAt[d].push_back(valueBase + (uint32_t)values.size());
                if (e.value.size() > 4) {
                    values.insert(values.end(), e.value.begin(), e.value.end());
                    if (values.size() % 2)
                        values.push_back(0);
                }
            }
        uint32_t thumbAt = valueBase + (uint32_t)values.size();
        Bytes out = m_motorola ? Bytes{'M', 'M'} : Bytes{'I', 'I'};
        Append(out, U16(0x2A));
        Append(out, U32(8));
        for (size_t d = 0; d < m_dirs.size(); d++) {
            const Dir& dir = m_dirs[d];
            Append(out, U16((uint16_t)dir.entries.size()));
            for (size_t i = 0; i < dir.entries.size(); i++) {
                const Entry& e = dir.entries[i];
                Append(out, U16(e.tag));
                Append(out, U16(e.type));
                Append(out, U32(e.count));
                if (e.link >= 0)
                    Append(out, U32(dirAt[(size_t)e.link]));
                else if (e.thumbnail)
                    Append(out, U32(thumbAt));
                else if (e.value.size() > 4)
                    Append(out, U32(valueAt[d][i]));
                else
                    Append(out, Pad(e.value));
            }
            Append(out, U32(dir.next >= 0 ? dirAt[(size_t)dir.next] : 0));
        }
        Append(out, values);
        Append(out, m_thumbnail);
        return out;
    }

private:
    struct Entry {
        uint16_t tag, type;
        uint32_t count;
        Bytes value;
        int link;
        bool thumbnail;
    };
    struct Dir {
        std::vector<Entry> entries;
        int next = -1;
    };
    static Bytes Pad(Bytes v)
    {
        while (v.size() < 4)
            v.push_back(0);
        return v;
    }
    static void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

    bool m_motorola;
    std::vector<Dir> m_dirs;
    Bytes m_thumbnail;
};

// An APP1 section (marker, length, "Exif", two zero bytes, the block).
inline Bytes App1(const Bytes& tiff)
{
    Bytes body = {'E', 'x', 'i', 'f', 0, 0};
    body.insert(body.end(), tiff.begin(), tiff.end());
    size_t length = body.size() + 2;
    Bytes out = {0xFF, 0xE1, (uint8_t)(length >> 8), (uint8_t)length};
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// A one-colour picture as our encoder writes it.
inline Bytes EncodedPicture(const std::string& folderWindows, const std::string& folderPosix, int width, int height)
{
    CImageObject maker;
    std::unique_ptr<CImageObject> picture(maker.MakeBlankImageObject(RGB(40, 120, 200), width, height));
    std::string name = "encoded-" + std::to_string(width) + "x" + std::to_string(height) + ".jpg";
    EXPECT_EQ(1, picture->Save((folderWindows + name).c_str()));
    std::ifstream in(folderPosix + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The picture with the section inserted right after its start marker.
inline Bytes WithSection(const Bytes& picture, const Bytes& section)
{
    Bytes out(picture.begin(), picture.begin() + 2);
    out.insert(out.end(), section.begin(), section.end());
    out.insert(out.end(), picture.begin() + 2, picture.end());
    return out;
}

inline void WriteFile(const std::string& posixPath, const Bytes& bytes)
{
    std::ofstream out(posixPath, std::ios::binary | std::ios::trunc);
    out.write((const char*)bytes.data(), (std::streamsize)bytes.size());
}

// One row as "name|Addr(H)|Addr(D)|Bytes|Value|Ref.Value|Ref.Length|Thumb Image".
inline std::string RowText(CVXGridCtrl& grid, int item)
{
    std::string text = (LPCSTR)grid.GetItemText(item, 0);
    for (int column = 1; column < 8; column++)
        text += "|" + std::string((LPCSTR)grid.GetItemText(item, column));
    return text;
}

inline std::string ParentName(CVXGridCtrl& grid, int item)
{
    _TREEITEM* parent = grid.GetNextItem(grid.GetItemHandle(item), 3);
    return parent ? std::string((LPCSTR)grid.GetItemText(grid.GetItemIndex(parent), 0)) : std::string();
}

inline int RowBand(CVXGridCtrl& grid, int item)
{
    _RVITEM record;
    record.nMask = RVIM_BKCOLOR;
    record.iItem = item;
    record.iSubItem = 0;
    grid.GetItem(&record);
    return record.iBkColor;
}

// The names of the rows at the top level, in order.
inline std::vector<std::string> TopLevel(CVXGridCtrl& grid)
{
    std::vector<std::string> names;
    for (int item = 0; item < grid.GetItemCount(); item++)
        if (ParentName(grid, item).empty())
            names.push_back((LPCSTR)grid.GetItemText(item, 0));
    return names;
}

// Items whose name is `name`, in order.
inline std::vector<int> ItemsNamed(CVXGridCtrl& grid, const std::string& name)
{
    std::vector<int> items;
    for (int item = 0; item < grid.GetItemCount(); item++)
        if (name == (LPCSTR)grid.GetItemText(item, 0))
            items.push_back(item);
    return items;
}

}  // namespace jpegtest
