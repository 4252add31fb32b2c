#include <gtest/gtest.h>

#include "ImageTestSupport.h"
#include "image/ExifReader.h"
#include "image/JPGFile.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <memory>

using namespace imgtest;

namespace {

// Builds a TIFF block (the body of an Exif APP1 after "Exif\0\0") in either byte order.
class Tiff {
public:
    explicit Tiff(bool motorola) : m_mm(motorola) {}

    struct Entry {
        uint16_t tag, format;
        uint32_t count;
        Bytes value;       // already in the block's byte order
        int link = -1;     // a directory whose offset is the value
    };
    struct Dir {
        std::vector<Entry> entries;
        int next = -1;
        bool thumbnail = false;
    };

    Bytes U16(uint32_t v) const { return m_mm ? Bytes{BYTE(v >> 8), BYTE(v)} : Bytes{BYTE(v), BYTE(v >> 8)}; }
    Bytes U32(uint32_t v) const
    {
        Bytes hi = U16(v >> 16), lo = U16(v & 0xFFFF);
        Bytes out = m_mm ? hi : lo;
        Bytes second = m_mm ? lo : hi;
        out.insert(out.end(), second.begin(), second.end());
        return out;
    }
    Entry Short(uint16_t tag, uint32_t v) const { return {tag, 3, 1, U16(v)}; }
    Entry Long(uint16_t tag, uint32_t v) const { return {tag, 4, 1, U32(v)}; }
    Entry Rational(uint16_t tag, int32_t n, int32_t d, uint16_t format = 5) const
    {
        Bytes v = U32(uint32_t(n)), dv = U32(uint32_t(d));
        v.insert(v.end(), dv.begin(), dv.end());
        return {tag, format, 1, v};
    }
    Entry Text(uint16_t tag, const std::string& s) const
    {
        Bytes v(s.begin(), s.end());
        v.push_back(0);
        return {tag, 2, uint32_t(v.size()), v};
    }
    Entry Raw(uint16_t tag, const Bytes& v) const { return {tag, 7, uint32_t(v.size()), v}; }
    Entry Link(uint16_t tag, int dir) const
    {
        Entry e{tag, 4, 1, U32(0)};
        e.link = dir;
        return e;
    }

    Bytes Build(std::vector<Dir> dirs, const Bytes& thumbnail = {}) const
    {
        for (Dir& d : dirs)
            if (d.thumbnail) {
                d.entries.push_back(Long(0x0201, 0));
                d.entries.push_back(Long(0x0202, uint32_t(thumbnail.size())));
            }
        std::vector<uint32_t> at(dirs.size());
        uint32_t pos = 8;
        for (size_t i = 0; i < dirs.size(); ++i) {
            at[i] = pos;
            pos += 2 + 12 * uint32_t(dirs[i].entries.size()) + 4;
        }
        Bytes values;
        uint32_t valueBase = pos;
        Bytes out = m_mm ? Bytes{'M', 'M'} : Bytes{'I', 'I'};
        Append(out, U16(42));
        Append(out, U32(8));
        std::vector<std::pair<size_t, int>> thumbFixups;
        for (size_t i = 0; i < dirs.size(); ++i) {
            Append(out, U16(uint32_t(dirs[i].entries.size())));
            for (const Entry& e : dirs[i].entries) {
                Append(out, U16(e.tag));
                Append(out, U16(e.format));
                Append(out, U32(e.count));
                Bytes v = e.link >= 0 ? U32(at[size_t(e.link)]) : e.value;
                if (e.tag == 0x0201 && dirs[i].thumbnail)
                    thumbFixups.push_back({out.size(), 0});
                if (v.size() > 4) {
                    Append(out, U32(valueBase + uint32_t(values.size())));
                    Append(values, v);
                } else {
                    v.resize(4, 0);
                    Append(out, v);
                }
            }
            Append(out, U32(dirs[i].next >= 0 ? at[size_t(dirs[i].next)] : 0));
        }
        Append(out, values);
        uint32_t thumbAt = uint32_t(out.size());
        Append(out, thumbnail);
        for (auto& f : thumbFixups) {
            Bytes v = U32(thumbAt);
            std::copy(v.begin(), v.end(), out.begin() + long(f.first));
        }
        return out;
    }

private:
    static void Append(Bytes& a, const Bytes& b) { a.insert(a.end(), b.begin(), b.end()); }
    bool m_mm;
};

Bytes App1(const Bytes& tiff)
{
    size_t length = 2 + 6 + tiff.size();
    Bytes out = {0xFF, 0xE1, BYTE(length >> 8), BYTE(length), 'E', 'x', 'i', 'f', 0, 0};
    out.insert(out.end(), tiff.begin(), tiff.end());
    return out;
}

class ExifTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Picture p = MakeGradient(40, 30);
        CJPGFile jpg;
        ASSERT_TRUE(jpg.RGBToJpegFile(dir.win("base.jpg").c_str(), p.data(), 40, 30, TRUE, 90));
        base = ReadAll(dir.posix("base.jpg"));
        Picture t = MakeGradient(8, 6);
        ASSERT_TRUE(jpg.RGBToJpegFile(dir.win("thumb.jpg").c_str(), t.data(), 8, 6, TRUE, 90));
        thumb = ReadAll(dir.posix("thumb.jpg"));
    }
    // The base JPEG with `segments` right after its SOI.
    std::string WithSegments(const Bytes& segments, const std::string& name = "x.jpg")
    {
        Bytes file(base.begin(), base.begin() + 2);
        file.insert(file.end(), segments.begin(), segments.end());
        file.insert(file.end(), base.begin() + 2, base.end());
        WriteAll(dir.posix(name), file);
        return dir.win(name);
    }
    Bytes CameraTiff(bool motorola)
    {
        Tiff t(motorola);
        std::vector<Tiff::Dir> dirs(4);
        dirs[0].entries = {t.Text(0x010F, "Canon"), t.Text(0x0110, "EOS 10D"), t.Short(0x0112, 6),
                           t.Rational(0x011A, 72, 1), t.Rational(0x011B, 300, 1), t.Short(0x0128, 2),
                           t.Link(0x8769, 1), t.Long(0x8825, 0xFFFFFFF0)};
        dirs[0].next = 3;
        Bytes comment = {'A', 'S', 'C', 'I', 'I', 0, 0, 0, 'H', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', ' ', ' '};
        dirs[1].entries = {t.Rational(0x829A, 1, 125), t.Rational(0x829D, 28, 10), t.Short(0x8822, 2),
                           t.Short(0x8827, 2), t.Raw(0x9000, {'0', '2', '2', '0'}),
                           t.Text(0x9003, "2004:05:06 07:08:09"), t.Rational(0x9102, 5, 1),
                           t.Rational(0x9204, -2, 3, 10), t.Rational(0x9206, 35, 10), t.Short(0x9207, 5),
                           t.Short(0x9209, 0x19), t.Rational(0x920A, 50, 1), t.Raw(0x927C, Bytes(10, 0xEE)),
                           t.Raw(0x9286, comment), t.Long(0xA002, 3000), t.Long(0xA003, 2000),
                           t.Link(0xA005, 2), t.Rational(0xA20E, 1000, 1), t.Rational(0xA20F, 1000, 1),
                           t.Short(0xA210, 3), t.Short(0xA403, 1)};
        dirs[2].entries = {t.Text(0x0001, "R98")};
        dirs[3].thumbnail = true;
        return t.Build(dirs, thumb);
    }
    Folder dir;
    Bytes base, thumb;
};

ExifInfo Blank()
{
    ExifInfo info;
    memset(&info, 0, sizeof info);
    return info;
}

}  // namespace

TEST_F(ExifTest, CameraDataInBothByteOrders)
{
    ExifInfo intel = Blank(), motorola = Blank();
    for (bool mm : {false, true}) {
        std::string path = WithSegments(App1(CameraTiff(mm)));
        ExifInfo& info = mm ? motorola : intel;
        CExifReader reader(path.c_str(), &info);
        EXPECT_EQ(1, reader.ReadJpegSections(""));
        ASSERT_EQ(1, info.HasExif) << reader.GetErrorText();
        ASSERT_EQ(int(thumb.size()), info.ThumbnailSize);
        EXPECT_EQ(0, memcmp(info.ThumbnailData, thumb.data(), thumb.size()));
    }
    // Once the reader is gone no pointer into its sections is left.
    EXPECT_EQ(nullptr, intel.ThumbnailData);
    EXPECT_EQ(0, intel.ThumbnailSize);
    EXPECT_EQ(0, memcmp(&intel, &motorola, sizeof intel));

    const ExifInfo& i = intel;
    EXPECT_STREQ("Canon", i.CameraMaker);
    EXPECT_STREQ("EOS 10D", i.CameraModel);
    EXPECT_STREQ("0220", i.ExifVersion);
    EXPECT_STREQ("2004:05:06 07:08:09", i.DateTaken);
    EXPECT_STREQ("Hello world", i.Comment);
    EXPECT_EQ(40, i.Width);
    EXPECT_EQ(30, i.Height);
    EXPECT_EQ(1, i.IsColour);
    EXPECT_EQ(0xC0, i.JpegProcess);
    EXPECT_EQ(6, i.Orientation);
    EXPECT_EQ(1, i.FlashUsed);
    EXPECT_EQ(400, i.IsoEquivalent);
    EXPECT_EQ(5, i.CompressionLevel);
    EXPECT_EQ(5, i.MeteringMode);
    EXPECT_EQ(2, i.ExposureProgram);
    EXPECT_EQ(1, i.WhiteBalance);
    EXPECT_FLOAT_EQ(0.008f, i.ExposureTime);
    EXPECT_FLOAT_EQ(2.8f, i.FNumber);
    EXPECT_FLOAT_EQ(50.0f, i.FocalLength);
    EXPECT_FLOAT_EQ(3.5f, i.SubjectDistance);
    EXPECT_NEAR(-0.6667, i.ExposureBias, 1e-4);
    EXPECT_FLOAT_EQ(72.0f, i.XResolution);
    EXPECT_FLOAT_EQ(300.0f, i.YResolution);
    EXPECT_FLOAT_EQ(1.0f, i.ResolutionUnit);
    EXPECT_FLOAT_EQ(0.39370078f, i.FocalPlaneUnit);
    // 3000 pixels at 1000 pixels a centimetre: 30 mm.
    EXPECT_NEAR(30.0, i.SensorWidth, 0.01);
}

TEST_F(ExifTest, EmbeddedThumbnailIsCopiedByteForByte)
{
    std::string path = WithSegments(App1(CameraTiff(true)));
    ExifInfo info = Blank();
    CExifReader reader(path.c_str(), &info);
    EXPECT_EQ(11, reader.ReadJpegSections(dir.win("copy.jpg").c_str()));
    EXPECT_EQ(thumb, ReadAll(dir.posix("copy.jpg")));

    // No file can be made: the result stays below 10.
    ExifInfo again = Blank();
    CExifReader second(path.c_str(), &again);
    EXPECT_EQ(1, second.ReadJpegSections(dir.win("no\\such\\copy.jpg").c_str()));
}

TEST_F(ExifTest, ApexValuesFillWhatIsMissing)
{
    Tiff t(false);
    std::vector<Tiff::Dir> dirs(2);
    dirs[0].entries = {t.Link(0x8769, 1)};
    dirs[1].entries = {t.Rational(0x9201, 6, 1, 10), t.Rational(0x9202, 4, 1), t.Short(0x8827, 100)};
    ExifInfo info = Blank();
    CExifReader reader(WithSegments(App1(t.Build(dirs))).c_str(), &info);
    reader.ReadJpegSections("");
    EXPECT_EQ(1, info.HasExif);
    EXPECT_FLOAT_EQ(0.015625f, info.ExposureTime);
    EXPECT_FLOAT_EQ(4.0f, info.FNumber);
    EXPECT_EQ(100, info.IsoEquivalent);
    EXPECT_EQ(0.0f, info.SensorWidth);
}

TEST_F(ExifTest, MalformedExifIsRefusedWithoutHarm)
{
    Tiff t(false);
    auto build = [&](std::vector<Tiff::Dir> dirs) { return t.Build(dirs); };
    Tiff::Dir plain;
    plain.entries = {t.Short(0x0112, 3)};
    Bytes good = build({plain});
    auto patched = [&](size_t at, const Bytes& v) {
        Bytes b = good;
        std::copy(v.begin(), v.end(), b.begin() + long(at));
        return b;
    };
    Tiff::Dir self;  // its next link points at itself
    self.entries = {t.Short(0x0112, 3)};
    self.next = 0;
    std::vector<Tiff::Dir> loop(2);  // Exif directory links back to the first
    loop[0].entries = {t.Link(0x8769, 1)};
    loop[1].entries = {t.Link(0x8769, 0), t.Short(0x9207, 2)};
    struct Case {
        const char* name;
        Bytes tiff;
        int hasExif;
        const char* error;
    } cases[] = {
        {"byte order", patched(0, {'X', 'X'}), 0, "Invalid Exif alignment nMarker."},
        {"not 42", patched(2, t.U16(43)), 0, "Invalid Exif start (1)"},
        {"first IFD far", patched(4, t.U32(40)), 0, "Suspicious offset of first IFD value"},
        {"too many entries", patched(8, t.U16(0xFFFF)), 0, "Illegally sized directory"},
        {"format 13", patched(12, t.U16(13)), 0, "InLenLowegal format code in EXIF dir"},
        {"value past the end", build({Tiff::Dir{{Tiff::Entry{0x829A, 5, 1, t.U32(0xFFFFFFF8)}}}}), 0,
         "Illegal pointer offset value in EXIF."},
        {"huge count", build({Tiff::Dir{{Tiff::Entry{0x829A, 5, 0x40000000, t.U32(8)}}}}), 0,
         "Illegal pointer offset value in EXIF."},
        {"sub-directory far", build({Tiff::Dir{{t.Long(0x8769, 0xFFFFFFFF)}}}), 0, "Illegal subdirectory link"},
        {"next far", patched(22, t.U32(0x7FFFFFFF)), 0, "Illegal subdirectory link"},
        {"bad rotation", build({Tiff::Dir{{t.Short(0x0112, 9)}}}), 1, "Undefined rotation value"},
        {"self link", build({self}), 1, ""},
        {"loop", build(loop), 1, ""},
        {"cut short", Bytes(good.begin(), good.begin() + 10), 0, "Illegally sized directory"},
    };
    for (const Case& c : cases) {
        ExifInfo info = Blank();
        CExifReader reader(WithSegments(App1(c.tiff)).c_str(), &info);
        EXPECT_EQ(1, reader.ReadJpegSections("")) << c.name;
        EXPECT_EQ(c.hasExif, info.HasExif) << c.name;
        if (*c.error) {
            EXPECT_STREQ(c.error, reader.GetErrorText()) << c.name;
        }
        EXPECT_EQ(40, info.Width) << c.name;
    }
}

TEST_F(ExifTest, SectionRules)
{
    auto segment = [](BYTE marker, const Bytes& body) {
        Bytes out = {0xFF, marker, BYTE((body.size() + 2) >> 8), BYTE(body.size() + 2)};
        out.insert(out.end(), body.begin(), body.end());
        return out;
    };
    // The first comment only, with its line breaks and control bytes made safe.
    Bytes comments = segment(0xFE, {'a', 'b', '\r', '\n', 'c', '\r', 'd', 1, 'e', '\t', 'f'});
    Bytes second = segment(0xFE, {'z'});
    comments.insert(comments.end(), second.begin(), second.end());
    ExifInfo info = Blank();
    {
        CExifReader reader(WithSegments(comments).c_str(), &info);
        EXPECT_EQ(1, reader.ReadJpegSections(""));
    }
    EXPECT_STREQ("ab\nc?d?e\tf", info.Comment);
    EXPECT_EQ(0, info.HasExif);

    // A long comment stops short of the block's end.
    info = Blank();
    CExifReader(WithSegments(segment(0xFE, Bytes(3000, 'x'))).c_str(), &info).ReadJpegSections("");
    EXPECT_EQ(998u, strlen(info.Comment));

    // Forty sections are read, the forty-first never: the image data is not reached.
    Bytes many;
    for (int i = 0; i < 41; ++i) {
        Bytes s = segment(0xE5, {BYTE(i)});
        many.insert(many.end(), s.begin(), s.end());
    }
    info = Blank();
    CExifReader reader(WithSegments(many).c_str(), &info);
    EXPECT_EQ(0, reader.ReadJpegSections(""));
    EXPECT_STREQ("Too many sections in jpg file", reader.GetErrorText());
    EXPECT_EQ(0, info.Width);

    struct Case {
        const char* name;
        Bytes file;
        int result;
    } cases[] = {
        {"not a JPEG", {0x89, 'P', 'N', 'G'}, 0},
        {"empty", {}, 0},
        {"padding", {0xFF, 0xD8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0, 2}, 0},
        {"cut section", {0xFF, 0xD8, 0xFF, 0xE1, 0x10, 0x00, 'E', 'x'}, 0},
        {"length 1", {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x01}, 0},
        {"short frame", {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x04, 0x08, 0x00, 0xFF, 0xDA, 0x00, 0x02}, 1},
        {"end before image", {0xFF, 0xD8, 0xFF, 0xD9, 0x00, 0x02}, 0},
        {"app1 too short for Exif", {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x06, 'E', 'x', 'i', 'f', 0xFF, 0xDA, 0, 2}, 1},
    };
    for (const Case& c : cases) {
        WriteAll(dir.posix("s.jpg"), c.file);
        ExifInfo blank = Blank(), got = Blank();
        CExifReader r(dir.win("s.jpg").c_str(), &got);
        EXPECT_EQ(c.result, r.ReadJpegSections(dir.win("t.jpg").c_str())) << c.name;
        EXPECT_EQ(0, memcmp(&blank, &got, sizeof got)) << c.name;
    }
    // A reader without a block of its own keeps one.
    CExifReader own(WithSegments({}, "plain.jpg").c_str(), nullptr);
    ASSERT_NE(nullptr, own.GetInfo());
    EXPECT_EQ(1, own.ReadJpegSections(""));
    EXPECT_EQ(40, own.GetInfo()->Width);
}

// Hand-made files with hostile thumbnail places and ISO values. The thumbnail
// the reader reports is read whole while it lives, as any caller would.
TEST(ExifHostile, ThumbnailPlacesAndIsoValuesStayInRange)
{
    const int kNone = 0;
    struct Case {
        const char* file;
        int thumbnailSize;  // kNone: no thumbnail handed out
        int iso;
    } cases[] = {
        {"exif_thumb_wrapped_offset.jpg", kNone, 0},     // offset 2^64 - 2048, size 2064
        {"exif_thumb_negative_size.jpg", kNone, 0},      // offset 2100, size 2^64 - 2048
        {"exif_thumb_nan_float.jpg", kNone, 0},
        {"exif_thumb_huge_float.jpg", kNone, 0},         // 1e30 and 3e38
        {"exif_thumb_infinite_double.jpg", kNone, 0},
        {"exif_iso_int_min.jpg", kNone, INT_MIN},
        {"exif_iso_below_int_min.jpg", kNone, INT_MIN},  // x 200 passes the limit
        {"exif_iso_int_max.jpg", kNone, INT_MAX},
        {"exif_iso_huge_double.jpg", kNone, INT_MIN},
        {"exif_iso_nan_double.jpg", kNone, 0},           // NaN counts as 0, and 0 x 200 is 0
        {"exif_ifd1_overwrite.jpg", 30, 0},
    };
    for (const Case& c : cases) {
        ExifInfo info = Blank();
        CExifReader reader(HostileSample(c.file).c_str(), &info);
        EXPECT_EQ(1, reader.ReadJpegSections("")) << c.file;
        EXPECT_EQ(1, info.HasExif) << c.file << ": " << reader.GetErrorText();
        EXPECT_EQ(8, info.Width) << c.file;
        EXPECT_EQ(c.iso, info.IsoEquivalent) << c.file;
        ASSERT_EQ(c.thumbnailSize, info.ThumbnailSize) << c.file;
        ASSERT_EQ(c.thumbnailSize == kNone, info.ThumbnailData == nullptr) << c.file;
        volatile unsigned sum = 0;  // every byte read: the sanitizer build sees a stray one
        for (int i = 0; i < info.ThumbnailSize; ++i)
            sum = sum + info.ThumbnailData[i];
        if (c.thumbnailSize != kNone) {
            EXPECT_EQ(0, memcmp(info.ThumbnailData, "\xFF\xD8\xFF\xDB", 4)) << c.file;
            EXPECT_EQ(0xFFu, info.ThumbnailData[c.thumbnailSize - 2]) << c.file;
            EXPECT_EQ(0xD9u, info.ThumbnailData[c.thumbnailSize - 1]) << c.file;
        }
    }
}

// The next directory after the picture's own describes its thumbnail and
// repeats the picture tags with the thumbnail's values: only the thumbnail's
// place is taken from it.
TEST(ExifHostile, ThumbnailDirectoryKeepsThePicturesValues)
{
    ExifInfo info = Blank();
    CExifReader reader(HostileSample("exif_ifd1_overwrite.jpg").c_str(), &info);
    EXPECT_EQ(1, reader.ReadJpegSections(""));
    EXPECT_EQ(6, info.Orientation);
    EXPECT_FLOAT_EQ(300.0f, info.XResolution);
    EXPECT_FLOAT_EQ(300.0f, info.YResolution);
    EXPECT_FLOAT_EQ(0.39370078f, info.ResolutionUnit);
    EXPECT_EQ(30, info.ThumbnailSize);
}
