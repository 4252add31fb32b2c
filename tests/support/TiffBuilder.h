// Exif blocks built directory by directory in either byte order, for the tests and scenes of the
// JPEG structure inspector: the TIFF header, the directories in the order they were added, then
// the values longer than four bytes, then an embedded thumbnail; and the APP1 section around it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mivotest {

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

}  // namespace mivotest
