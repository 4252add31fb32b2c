// The EXIF table: rows from Intel and Motorola files, rows left out, frame rows
// of a JPEG without EXIF, and an empty grid for everything else.
#include <gtest/gtest.h>

#include "GridFixture.h"
#include "image/ImageObject.h"
#include "support/TempFolder.h"

#include <fstream>

using gridtest::GridHost;

namespace {

typedef std::vector<unsigned char> Bytes;

// A TIFF block with one main directory and one Exif sub-directory.
class TiffBuilder {
public:
    explicit TiffBuilder(bool motorola) : m_mm(motorola) {}
    void Main(uint16_t tag, uint16_t format, uint32_t count, Bytes value) { m_main.push_back({tag, format, count, value}); }
    void Sub(uint16_t tag, uint16_t format, uint32_t count, Bytes value) { m_sub.push_back({tag, format, count, value}); }
    Bytes U16(uint32_t v) const { return m_mm ? Bytes{(unsigned char)(v >> 8), (unsigned char)v} : Bytes{(unsigned char)v, (unsigned char)(v >> 8)}; }
    Bytes U32(uint32_t v) const
    {
        Bytes hi = U16(v >> 16), lo = U16(v & 0xFFFF), out = m_mm ? hi : lo, second = m_mm ? lo : hi;
        out.insert(out.end(), second.begin(), second.end());
        return out;
    }
    Bytes Rational(uint32_t n, uint32_t d) const
    {
        Bytes out = U32(n), low = U32(d);
        out.insert(out.end(), low.begin(), low.end());
        return out;
    }
    Bytes Text(const std::string& s) const
    {
        Bytes out(s.begin(), s.end());
        out.push_back(0);
        return out;
    }
    Bytes Build()
    {
        uint32_t mainAt = 8, subAt = mainAt + Size(m_main.size() + 1);
        uint32_t valuesAt = subAt + Size(m_sub.size());
        Bytes values;
        Bytes out = m_mm ? Bytes{'M', 'M'} : Bytes{'I', 'I'};
        Append(out, U16(42));
        Append(out, U32(8));
        Entry link{0x8769, 4, 1, U32(subAt)};
        m_main.push_back(link);
        Directory(out, m_main, valuesAt, values);
        Directory(out, m_sub, valuesAt, values);
        Append(out, values);
        return out;
    }

private:
    struct Entry {
        uint16_t tag, format;
        uint32_t count;
        Bytes value;
    };
    static uint32_t Size(size_t entries) { return 2 + 12 * (uint32_t)entries + 4; }
    static void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }
    void Directory(Bytes& out, const std::vector<Entry>& entries, uint32_t valuesAt, Bytes& values)
    {
        Append(out, U16((uint32_t)entries.size()));
        for (const Entry& e : entries) {
            Append(out, U16(e.tag));
            Append(out, U16(e.format));
            Append(out, U32(e.count));
            if (e.value.size() > 4) {
                Append(out, U32(valuesAt + (uint32_t)values.size()));
                Append(values, e.value);
            } else {
                Bytes padded = e.value;
                padded.resize(4, 0);
                Append(out, padded);
            }
        }
        Append(out, U32(0));
    }
    bool m_mm;
    std::vector<Entry> m_main, m_sub;
};

Bytes Section(unsigned char marker, const Bytes& body)
{
    Bytes out{0xFF, marker, (unsigned char)((body.size() + 2) >> 8), (unsigned char)(body.size() + 2)};
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes Jpeg(const Bytes& tiff, bool withFrame = true)
{
    Bytes out{0xFF, 0xD8};
    if (!tiff.empty()) {
        Bytes body{'E', 'x', 'i', 'f', 0, 0};
        body.insert(body.end(), tiff.begin(), tiff.end());
        Bytes app1 = Section(0xE1, body);
        out.insert(out.end(), app1.begin(), app1.end());
    }
    if (withFrame) {
        Bytes sof = Section(0xC0, {8, 0x01, 0xE0, 0x02, 0x80, 3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1});
        out.insert(out.end(), sof.begin(), sof.end());
    }
    Bytes sos = Section(0xDA, {1, 1, 0, 0, 0x3F, 0});
    out.insert(out.end(), sos.begin(), sos.end());
    out.push_back(0xFF);
    out.push_back(0xD9);
    return out;
}

Bytes CameraTiff(bool motorola, const std::string& date)
{
    TiffBuilder t(motorola);
    t.Main(0x010F, 2, 6, t.Text("Canon"));
    t.Main(0x0110, 2, 4, t.Text("EOS"));
    t.Main(0x0112, 3, 1, t.U16(6));
    t.Main(0x011A, 5, 1, t.Rational(72, 1));
    t.Main(0x0128, 3, 1, t.U16(2));
    if (!date.empty())
        t.Sub(0x9003, 2, (uint32_t)date.size() + 1, t.Text(date));
    t.Sub(0x9000, 7, 4, Bytes{'0', '2', '2', '0'});
    t.Sub(0x829A, 5, 1, t.Rational(1, 125));
    t.Sub(0x829D, 5, 1, t.Rational(28, 10));
    t.Sub(0x8827, 3, 1, t.U16(2));
    t.Sub(0x9209, 3, 1, t.U16(1));
    t.Sub(0x920A, 5, 1, t.Rational(50, 1));
    t.Sub(0xA002, 4, 1, t.U32(3000));
    t.Sub(0xA20E, 5, 1, t.Rational(2540, 1));
    t.Sub(0xA210, 3, 1, t.U16(2));
    return t.Build();
}

typedef std::vector<std::pair<std::string, std::string>> ExifRows;

struct ExifGrid : GridHost {
    mivotest::TempFolder folder{"mivo-exif"};
    ExifGrid() { Columns(2); }
    std::string Write(const std::string& name, const Bytes& bytes)
    {
        std::ofstream(folder.file(name), std::ios::binary).write((const char*)bytes.data(), (std::streamsize)bytes.size());
        return folder.windowsPath() + name;
    }
    ExifRows Table()
    {
        ExifRows rows;
        for (int i = 0; i < grid.GetItemCount(); i++)
            rows.push_back({(LPCSTR)grid.GetItemText(i, 0), (LPCSTR)grid.GetItemText(i, 1)});
        return rows;
    }
    int Load(const std::string& path)
    {
        CImageObject image;
        return image.LoadExifInfoFromFile(path.c_str(), &grid);
    }
};

const ExifRows kCameraRows = {
    {"카메라 메이커", "Canon"}, {"카메라 모델", "EOS"},       {"촬영일시", "2020:01:02 03:04:05"},
    {"자료 버젼", "0220"},      {"가로", "640"},             {"세로", "480"},
    {"X 해상도 (dpi)", "72.0"}, {"방향", "6"},               {"플래시 사용", "Yes"},
    {"초점거리", "50.0"},       {"35mm 상당", "60"},         {"CCD 폭", "30.00"},
    {"노출시간", "0.008"},      {"조리개", "2.8"},           {"ISO 상당", "400"},
    {"인코딩", "Baseline"},
};

TEST(ExifGridTable, IntelAndMotorolaFillTheSameRows)
{
    for (bool motorola : {false, true}) {
        ExifGrid g;
        EXPECT_EQ(1, g.Load(g.Write("camera.jpg", Jpeg(CameraTiff(motorola, "2020:01:02 03:04:05")))));
        EXPECT_EQ(kCameraRows, g.Table()) << motorola;
    }
}

TEST(ExifGridTable, AnEmptyDateMovesTheRowsUp)
{
    ExifGrid g;
    g.Load(g.Write("nodate.jpg", Jpeg(CameraTiff(false, ""))));
    ExifRows expected = kCameraRows;
    expected.erase(expected.begin() + 2);
    EXPECT_EQ(expected, g.Table());
}

TEST(ExifGridTable, JpegWithoutExifShowsTheFrameRows)
{
    ExifGrid g;
    EXPECT_EQ(0, g.Load(g.Write("plain.jpg", Jpeg({}))));
    ExifRows expected = {{"가로", "640"}, {"세로", "480"}, {"플래시 사용", "No"}, {"인코딩", "Baseline"}};
    EXPECT_EQ(expected, g.Table());
}

TEST(ExifGridTable, EverythingElseEmptiesTheGrid)
{
    struct Case {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"damaged.jpg", Bytes{0x00, 0x11, 0x22}},
        {"frameless.jpg", Jpeg({}, false)},
        {"picture.bmp", Bytes{'B', 'M', 0, 0}},
        {"picture.png", Bytes{0x89, 'P', 'N', 'G'}},
        {"picture.gif", Bytes{'G', 'I', 'F'}},
    };
    for (const Case& c : cases) {
        ExifGrid g;
        g.Load(g.Write("camera.jpg", Jpeg(CameraTiff(false, "2020:01:02 03:04:05"))));
        ASSERT_FALSE(g.Table().empty());
        g.Load(g.Write(c.name, c.bytes));
        EXPECT_TRUE(g.Table().empty()) << c.name;
    }
}

TEST(ExifGridTable, ReaderWithoutAGridFillsNothing)
{
    ExifGrid g;
    std::string path = g.Write("camera.jpg", Jpeg(CameraTiff(false, "x")));
    CImageObject image;
    EXPECT_EQ(1, image.LoadExifInfoFromFile(path.c_str()));
    EXPECT_EQ(0, g.grid.GetItemCount());
}

} // namespace
