// The JPEG structure inspector: the rows of a camera-like file in both byte orders, the values
// interpreted per tag, and hostile files that end the listing early with their reason kept and
// the rows so far left in place.
#include "JpegFixture.h"

#include "album/DlgJPEGFormat.h"
#include "grid/GridNumberText.h"
#include "resource.h"
#include "support/MessageLoop.h"
#include "support/TempFolder.h"

#include <functional>

using namespace jpegtest;

namespace {

// Tags the tables use.
enum : uint16_t {
    kMake = 0x010F, kModel = 0x0110, kOrientation = 0x0112, kXResolution = 0x011A, kResolutionUnit = 0x0128,
    kExposureTime = 0x829A, kFNumber = 0x829D, kExifOffset = 0x8769, kIso = 0x8827, kShutterSpeed = 0x9201,
    kAperture = 0x9202, kMaxAperture = 0x9205, kFlash = 0x9209, kInteropOffset = 0xA005, kFocalPlaneUnits = 0xA210,
};

// A count as the grid shows it, thousands grouped.
std::string Number(int64_t value)
{
    return (LPCSTR)GridNumberText::Format((double)value, 0);
}

class Inspector : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateEx(0, "Static", "owner", WS_POPUP, CRect(0, 0, 900, 600), nullptr, 0));
        ASSERT_TRUE(dlg.Create(IDD_JPEG_FORMAT, &owner));
    }
    void TearDown() override
    {
        dlg.DestroyWindow();
        owner.DestroyWindow();
        mivo::test::PumpUntilIdle();
    }

    std::string Write(const std::string& name, const Bytes& bytes)
    {
        WriteFile(folder.file(name), bytes);
        return folder.windowsPath() + name;
    }
    // Types the path into the field and presses "분석".
    void Analyse(const std::string& path)
    {
        dlg.SetDlgItemText(IDC_JPEG_PATH, path.c_str());
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_JPEG_ANALYSE, BN_CLICKED),
                        (LPARAM)dlg.GetDlgItem(IDC_JPEG_ANALYSE)->m_hWnd);
    }
    CVXGridCtrl& Grid() { return dlg.m_gridStructure; }
    // Every row's name in order, joined by ",".
    std::string Names()
    {
        std::string names;
        for (int item = 0; item < Grid().GetItemCount(); item++)
            names += (names.empty() ? "" : ",") + std::string((LPCSTR)Grid().GetItemText(item, 0));
        return names;
    }
    // The reference values of the "ValuePtr" rows, in order.
    std::vector<std::string> Interpreted()
    {
        std::vector<std::string> values;
        for (int item : ItemsNamed(Grid(), "ValuePtr"))
            values.push_back((LPCSTR)Grid().GetItemText(item, 5));
        return values;
    }
    Bytes Picture() { return EncodedPicture(folder.windowsPath(), folder.path(), 16, 8); }

    mivotest::TempFolder folder{"mivo-jpeg"};
    CWnd owner;
    CDlgJPEGFormat dlg;
};

// IFD0 with a text and a short, a resolution, a link to the EXIF directory (which links to the
// interoperability directory) and IFD1 with an embedded thumbnail.
Bytes CameraExif(bool motorola, const Bytes& thumbnail)
{
    TiffBuilder t(motorola);
    int ifd0 = t.AddDir(), exif = t.AddDir(), interop = t.AddDir(), ifd1 = t.AddDir();
    t.Ascii(ifd0, kMake, "Canon");
    t.Short(ifd0, kOrientation, 1);
    t.Rational(ifd0, kXResolution, 72, 1);
    t.Short(ifd0, kResolutionUnit, 2);
    t.Link(ifd0, kExifOffset, exif);
    t.Next(ifd0, ifd1);
    t.Rational(exif, kExposureTime, 1, 125);
    t.Rational(exif, kFNumber, 28, 10);
    t.Short(exif, kIso, 100);
    t.Rational(exif, kShutterSpeed, 7, 1, 10);
    t.Short(exif, kFlash, 0x10);
    t.Link(exif, kInteropOffset, interop);
    t.Ascii(interop, 0x0001, "R98");
    t.Thumbnail(ifd1, thumbnail);
    return t.Build();
}

// The start marker and one Exif section. Seven 0xFF bytes end the analysis without a reason of
// their own, so the last error is the Exif walk's.
Bytes OnlyExif(const Bytes& tiff)
{
    Bytes out = {0xFF, 0xD8};
    Bytes app1 = App1(tiff);
    out.insert(out.end(), app1.begin(), app1.end());
    out.insert(out.end(), 7, 0xFF);
    return out;
}

}  // namespace

TEST_F(Inspector, ACameraFileListsEverySectionAndEveryDirectoryEntryWhereItLies)
{
    Bytes thumbnail = EncodedPicture(folder.windowsPath(), folder.path(), 8, 8);
    Bytes tiff = CameraExif(false, thumbnail);
    Bytes picture = Picture();
    Bytes file = WithSection(picture, App1(tiff));
    Analyse(Write("camera.jpg", file));

    CVXGridCtrl& grid = Grid();
    std::vector<std::string> top = TopLevel(grid);
    ASSERT_GE(top.size(), 6u);
    EXPECT_EQ((std::vector<std::string>{"SOI", "APP1(EXIF)", "APP0(JFIF)"}), std::vector<std::string>(top.begin(), top.begin() + 3));
    EXPECT_EQ((std::vector<std::string>{"SOS", "Main Image", "EOI"}), std::vector<std::string>(top.end() - 3, top.end()));

    int length = (int)tiff.size() + 8;
    // The thumbnail's start as a file offset, and its bytes up to its end marker.
    int thumbAt = 12 + (int)(tiff.size() - thumbnail.size());
    char thumbText[32];
    snprintf(thumbText, sizeof thumbText, "0x%X (%d)", thumbAt, (int)thumbnail.size() - 2);
    char lengthHex[16];
    snprintf(lengthHex, sizeof lengthHex, "0X%02X%02X", length >> 8, length & 0xFF);
    const std::vector<std::string> expected = {
        "SOI|0x0|0|2|0xFFD8|||",
        "APP1(EXIF)|0x2|2|" + Number(length + 2) + "|0xFFE1|||" + thumbText,
        "Marker|0x2|2|2|0xFFE1|||",
        "Length|0x4|4|2|" + std::string(lengthHex) + "|" + std::to_string(length) + "||",
        "Header|0x6|6|6|0X457869660000|Exif||",
        "Align|0xC|12|2|0X4949|II*||",
        "Const|0xE|14|2|0X2A00|*||",
        "0th IFD Offset|0x10|16|4|0X08000000|8||",
        "0th IFD |0x14|20|0||||",
        "IFD Num|0x14|20|2|0X0500|5||",
        "Tag|0x16|22|2|0X0F01|MAKE||",
        "Format|0x18|24|2|0X0200|string(1)||",
        "nComponents|0x1A|26|4|0X06000000|6||",
        "ValuePtr|0x1E|30|4|0XC8000000|Canon|6 (0xD4 - 0xD9) Ponited |",
        "Tag|0x22|34|2|0X1201|ORIENTATION||",
        "Format|0x24|36|2|0X0300|ushort(2)||",
        "nComponents|0x26|38|4|0X01000000|1||",
        "ValuePtr|0x2A|42|4|0X01000000|1|2 (0x2A - 0x2B) SelfValue |",
    };
    for (size_t i = 0; i < expected.size(); i++)
        EXPECT_EQ(expected[i], RowText(grid, (int)i)) << "row " << i;
    // Rows of one entry share a band; entries alternate, the top level has none.
    EXPECT_EQ(-1, RowBand(grid, 1));
    EXPECT_EQ(-1, RowBand(grid, 9));
    for (int item = 10; item < 14; item++)
        EXPECT_EQ(CJpegStructureWalk::kBandColour, RowBand(grid, item)) << item;
    for (int item = 14; item < 18; item++)
        EXPECT_EQ(-1, RowBand(grid, item)) << item;

    // The three linked directories get their headings under the section, each at its offset.
    std::vector<int> headings = ItemsNamed(grid, "Next IFD ");
    ASSERT_EQ(3u, headings.size());
    EXPECT_EQ("Next IFD |0x56|86|0||||", RowText(grid, headings[0]));
    EXPECT_EQ("Next IFD |0xA4|164|0||||", RowText(grid, headings[1]));
    EXPECT_EQ("Next IFD |0xB6|182|0||||", RowText(grid, headings[2]));
    for (int heading : headings)
        EXPECT_EQ("APP1(EXIF)", ParentName(grid, heading));
    // Entries sit under their own directory's heading: the interoperability tag (no name),
    // then the two thumbnail tags of IFD1 after the EXIF directory's remaining entries.
    std::vector<int> tags = ItemsNamed(grid, "Tag");
    ASSERT_EQ(14u, tags.size());
    EXPECT_EQ("Tag|0xA6|166|2|0X0100|||", RowText(grid, tags[11]));
    EXPECT_EQ(headings[1], grid.GetItemIndex(grid.GetNextItem(grid.GetItemHandle(tags[11]), 3)));
    EXPECT_EQ(headings[2], grid.GetItemIndex(grid.GetNextItem(grid.GetItemHandle(tags[12]), 3)));
    EXPECT_EQ((std::vector<std::string>{"Canon", "1", "72.000000", "1.000000", "", "0.008000", "2.800000", "100", "",
                                        "0", "", "", std::to_string(thumbAt - 12),
                                        std::to_string(thumbnail.size())}),
              Interpreted());

    // The compressed data after the scan header, and the end marker.
    size_t sos = 2;
    while (!(file[sos] == 0xFF && file[sos + 1] == 0xDA))
        sos += 2 + (file[sos + 2] << 8 | file[sos + 3]);
    size_t data = sos + 2 + (file[sos + 2] << 8 | file[sos + 3]);
    int64_t remaining = (int64_t)file.size() - (int64_t)data - 2;
    char first[32];
    snprintf(first, sizeof first, "0x%02X%02X%02X%02X....", file[data], file[data + 1], file[data + 2], file[data + 3]);
    int image = ItemsNamed(grid, "Main Image")[0];
    char hex[16];
    snprintf(hex, sizeof hex, "0x%X", (unsigned)data);
    EXPECT_EQ("Main Image|" + std::string(hex) + "|" + Number((int64_t)data) + "|" + Number(remaining - 10) + "|" +
                  first + "|||",
              RowText(grid, image));
    snprintf(hex, sizeof hex, "0x%X", (unsigned)file.size() - 2);
    EXPECT_EQ("EOI|" + std::string(hex) + "|" + Number((int64_t)file.size() - 2) + "|2|0xFFD9|||",
              RowText(grid, grid.GetItemCount() - 1));
    EXPECT_STREQ("invalid Marker", dlg.LastError());
}

TEST_F(Inspector, BothByteOrdersGiveTheSameRowsButForTheRawBytes)
{
    Bytes thumbnail = EncodedPicture(folder.windowsPath(), folder.path(), 8, 8);
    auto rows = [&](bool motorola) {
        Analyse(Write(motorola ? "mm.jpg" : "ii.jpg", WithSection(Picture(), App1(CameraExif(motorola, thumbnail)))));
        std::vector<std::string> out;
        for (int item = 0; item < Grid().GetItemCount(); item++) {
            std::string name = (LPCSTR)Grid().GetItemText(item, 0);
            // Name, addresses, byte count, interpreted value and extent; the value column shows bytes.
            std::string row = name + "|" + (LPCSTR)Grid().GetItemText(item, 1) + "|" +
                              (LPCSTR)Grid().GetItemText(item, 3) + "|" + (LPCSTR)Grid().GetItemText(item, 6) + "|" +
                              (LPCSTR)Grid().GetItemText(item, 7) + "|" + std::to_string(RowBand(Grid(), item));
            if (name != "Align" && name != "Const")
                row += "|" + std::string((LPCSTR)Grid().GetItemText(item, 5));
            out.push_back(row);
        }
        return out;
    };
    std::vector<std::string> intel = rows(false);
    std::vector<std::string> motorola = rows(true);
    EXPECT_EQ(intel, motorola);
    EXPECT_GT(intel.size(), 70u);
    int align = ItemsNamed(Grid(), "Align")[0];
    EXPECT_EQ("Align|0xC|12|2|0X4D4D|MM||", RowText(Grid(), align));
    EXPECT_EQ("Const|0xE|14|2|0X002A|||", RowText(Grid(), align + 1));
    EXPECT_EQ("IFD Num|0x14|20|2|0X0005|5||", RowText(Grid(), ItemsNamed(Grid(), "IFD Num")[0]));
}

TEST_F(Inspector, KnownTagsAreInterpretedAndSomeRememberWhatEarlierTagsSaid)
{
    struct Case {
        const char* what;
        std::function<void(TiffBuilder&, int)> entries;
        std::vector<std::string> values;
        const char* error;
    };
    const Case cases[] = {
        {"exposure time, then shutter speed",
         [](TiffBuilder& t, int d) {
             t.Rational(d, kExposureTime, 1, 250);
             t.Rational(d, kShutterSpeed, 8, 1, 10);
         },
         {"0.004000", ""}, ""},
        {"shutter speed alone", [](TiffBuilder& t, int d) { t.Rational(d, kShutterSpeed, 8, 1, 10); }, {"0.003906"},
         ""},
        {"aperture alone, then the largest aperture",
         [](TiffBuilder& t, int d) {
             t.Rational(d, kAperture, 4, 1);
             t.Rational(d, kMaxAperture, 2, 1);
         },
         {"4.000000", ""}, ""},
        {"f-number, then aperture",
         [](TiffBuilder& t, int d) {
             t.Rational(d, kFNumber, 28, 10);
             t.Rational(d, kAperture, 4, 1);
         },
         {"2.800000", ""}, ""},
        {"iso 40 and 100",
         [](TiffBuilder& t, int d) {
             t.Short(d, kIso, 40);
             t.Short(d, kIso, 100);
         },
         {"8000", "100"}, ""},
        {"flash fired or not",
         [](TiffBuilder& t, int d) {
             t.Short(d, kFlash, 0x10);
             t.Short(d, kFlash, 0x19);
         },
         {"0", "1"}, ""},
        {"resolution units 1 to 5 and 7; the focal plane's own factor",
         [](TiffBuilder& t, int d) {
             for (uint16_t unit : {1, 2, 3, 4, 5, 7})
                 t.Short(d, kResolutionUnit, unit);
             t.Short(d, kFocalPlaneUnits, 7);
         },
         {"1.000000", "1.000000", "0.393701", "0.039370", "0.000039", "0.000039", "0.000000"}, ""},
        {"zero denominator", [](TiffBuilder& t, int d) { t.Rational(d, kXResolution, 72, 0); }, {"0.000000"},
         ""},
        {"unknown tag and a short text",
         [](TiffBuilder& t, int d) {
             t.Short(d, 0x1234, 5);
             t.Ascii(d, kModel, "EOS");
         },
         {"", "EOS"}, ""},
        // Last: the reason stays until another replaces it.
        {"orientation 9", [](TiffBuilder& t, int d) { t.Short(d, kOrientation, 9); }, {"0"}, "Undefined rotation value"},
    };
    for (const Case& c : cases) {
        TiffBuilder t(false);
        c.entries(t, t.AddDir());
        Analyse(Write("values.jpg", OnlyExif(t.Build())));
        EXPECT_EQ(c.values, Interpreted()) << c.what;
        EXPECT_STREQ(c.error, dlg.LastError()) << c.what;
    }
    // An unknown tag keeps its four rows, with no name.
    TiffBuilder unknown(false);
    unknown.Short(unknown.AddDir(), 0x1234, 5);
    Analyse(Write("unknown.jpg", OnlyExif(unknown.Build())));
    EXPECT_EQ("Tag|0x16|22|2|0X3412|||", RowText(Grid(), ItemsNamed(Grid(), "Tag")[0]));
    EXPECT_EQ(4u, ItemsNamed(Grid(), "IFD Num").size() + ItemsNamed(Grid(), "Format").size() +
                      ItemsNamed(Grid(), "nComponents").size() + ItemsNamed(Grid(), "ValuePtr").size());
}

TEST_F(Inspector, HostileFilesEndTheListingWithTheirReasonAndKeepTheRowsSoFar)
{
    auto exif = [](const Bytes& tiff) { return OnlyExif(tiff); };
    auto header = [](std::initializer_list<uint8_t> bytes) { return Bytes(bytes); };
    // A directory of one entry as given, in Intel order, after a valid header.
    auto oneEntry = [](uint16_t tag, uint16_t type, uint32_t count, uint32_t value) {
        TiffBuilder t(false);
        int d = t.AddDir();
        Bytes v = t.U32(value);
        t.Raw(d, tag, type, count, v);
        return t.Build();
    };
    Bytes sections = {0xFF, 0xD8};
    for (int i = 0; i < 41; i++)
        sections.insert(sections.end(), {0xFF, 0xFE, 0x00, 0x02});
    std::string forty = "SOI";
    for (int i = 0; i < 40; i++)
        forty += ",COM";

    struct Case {
        const char* what;
        Bytes bytes;
        std::string names;
        const char* error;
    };
    const std::string exifRows = "SOI,APP1(EXIF),Marker,Length,Header";
    const std::string headerRows = exifRows + ",Align,Const,0th IFD Offset,0th IFD ,IFD Num";
    const std::string entryRows = headerRows + ",Tag,Format,nComponents";
    const Case cases[] = {
        {"a PNG file", header({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}), "", ""},
        {"an empty file", Bytes(), "", ""},
        {"seven 0xFF before a marker", header({0xFF, 0xD8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xD9}), "SOI", ""},
        {"six 0xFF before a marker", header({0xFF, 0xD8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xD9}), "SOI,EOI",
         "invalid Marker"},
        {"length 1", header({0xFF, 0xD8, 0xFF, 0xFE, 0x00, 0x01}), "SOI", "invalid Marker"},
        {"a section cut short", header({0xFF, 0xD8, 0xFF, 0xFE, 0x00, 0x10, 'a', 'b'}), "SOI", "Premature end of file?"},
        {"41 sections", sections, forty, "Too many sections in jpg file"},
        {"a scan header at the end", header({0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02}), "SOI,SOS",
         "could not read the rest of the image"},
        {"a scan with three bytes", header({0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02, 1, 2, 3, 0xFF, 0xD9}), "SOI,SOS",
         "could not read the rest of the image"},
        {"an Exif section under 14 bytes", exif(header({'I', 'I', 0x2A, 0x00})), "SOI,APP1(EXIF),Marker,Length",
         "Exif header cut short"},
        {"header texts without a zero byte",
         header({0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x10, 'E', 'x', 'i', 'f', 'A', 'B', 'I', 'M', '*', 'A', 'B', 'C', 'D', 'E',
                 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
         exifRows, "Invalid Exif alignment nMarker."},
        {"a byte order that is neither", exif(header({'I', 'M', 0x2A, 0x00, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0})), exifRows,
         "Invalid Exif alignment nMarker."},
        {"a second word that is not 0x2A", exif(header({'I', 'I', 0x2B, 0x00, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0})),
         exifRows + ",Align", "Invalid Exif start (1)"},
        {"a first directory at 20", exif(header({'I', 'I', 0x2A, 0x00, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0})),
         exifRows + ",Align,Const", "Suspicious offset of first IFD value"},
        {"a count past the section", exif(header({'I', 'I', 0x2A, 0x00, 8, 0, 0, 0, 100, 0, 0, 0})), headerRows,
         "Illegally sized directory"},
        {"a count on the last byte", exif(header({'I', 'I', 0x2A, 0x00, 8, 0, 0, 0, 1})),
         exifRows + ",Align,Const,0th IFD Offset,0th IFD ", "Illegally sized directory"},
        {"format 0", exif(oneEntry(kXResolution, 0, 1, 0)), entryRows, "InLenLowegal format code in EXIF dir"},
        {"format 13", exif(oneEntry(kXResolution, 13, 1, 0)), entryRows, "InLenLowegal format code in EXIF dir"},
        {"components times size past 32 bits", exif(oneEntry(kXResolution, 5, 0x40000000, 8)), entryRows,
         "Illegal pointer offset value in EXIF."},
        {"offset plus count past 32 bits", exif(oneEntry(kMake, 2, 0x20, 0xFFFFFFF0)), entryRows,
         "Illegal pointer offset value in EXIF."},
        {"an eight-byte value of no components", exif(oneEntry(kXResolution, 12, 0, 0)), entryRows + ",ValuePtr",
         nullptr},
    };
    for (const Case& c : cases) {
        Analyse(Write("hostile.jpg", c.bytes));
        EXPECT_EQ(c.names, Names()) << c.what;
        // "invalid Marker" is also the normal end: the length read after the end marker. A walk
        // that ends without a reason leaves the last one (null: not looked at).
        if (c.error) {
            EXPECT_STREQ(c.error, dlg.LastError()) << c.what;
        }
    }
    // A text is read up to its section's end, never past it.
    for (const Case& c : cases)
        if (std::string(c.what) == "header texts without a zero byte")
            Analyse(Write("hostile.jpg", c.bytes));
    EXPECT_EQ("Header|0x6|6|6|0X457869664142|ExifABIM*ABCDE||", RowText(Grid(), ItemsNamed(Grid(), "Header")[0]));
}

TEST_F(Inspector, DirectoryLinksAreFollowedOnceEachWhateverTheyPointAt)
{
    struct Case {
        const char* what;
        std::function<Bytes()> tiff;
        int headings;
        const char* error;
    };
    const Case cases[] = {
        {"a directory linking to itself",
         [] {
             TiffBuilder t(false);
             int d = t.AddDir();
             t.Short(d, kOrientation, 1);
             t.Next(d, d);
             return t.Build();
         },
         0, "Illegal subdirectory link"},
        {"IFD1 linking back to IFD0",
         [] {
             TiffBuilder t(false);
             int ifd0 = t.AddDir(), ifd1 = t.AddDir();
             t.Short(ifd0, kOrientation, 1);
             t.Next(ifd0, ifd1);
             t.Short(ifd1, kOrientation, 1);
             t.Next(ifd1, ifd0);
             return t.Build();
         },
         1, "Illegal subdirectory link"},
        {"an EXIF link to the directory holding it",
         [] {
             TiffBuilder t(false);
             int ifd0 = t.AddDir();
             t.Link(ifd0, kExifOffset, ifd0);
             return t.Build();
         },
         0, "Illegal subdirectory link"},
        {"a link to the last byte",
         [] {
             TiffBuilder t(false);
             int ifd0 = t.AddDir();
             t.Long(ifd0, kExifOffset, 8 + 2 + 12 + 4 - 1);
             return t.Build();
         },
         1, "Illegally sized directory"},
    };
    for (const Case& c : cases) {
        Analyse(Write("links.jpg", OnlyExif(c.tiff())));
        EXPECT_EQ((size_t)c.headings, ItemsNamed(Grid(), "Next IFD ").size()) << c.what;
        EXPECT_STREQ(c.error, dlg.LastError()) << c.what;
    }
    // Deeper than the limit: a chain of EXIF links through distinct directories.
    TiffBuilder chain(true);
    std::vector<int> dirs;
    for (int i = 0; i < CJpegStructureWalk::kMaxIfdDepth + 4; i++)
        dirs.push_back(chain.AddDir());
    for (size_t i = 0; i + 1 < dirs.size(); i++)
        chain.Link(dirs[i], kExifOffset, dirs[i + 1]);
    Analyse(Write("chain.jpg", OnlyExif(chain.Build())));
    EXPECT_EQ((size_t)CJpegStructureWalk::kMaxIfdDepth, ItemsNamed(Grid(), "Next IFD ").size());
    EXPECT_STREQ("Illegal subdirectory link", dlg.LastError());
}

TEST_F(Inspector, AnalyseReadsThePathTypedAndListsTheSameRowsEachTime)
{
    std::string path = Write("twice.jpg", Picture());
    EXPECT_EQ(0, Grid().GetItemCount()) << "nothing is analysed before the button";
    Analyse(path);
    EXPECT_STREQ(path.c_str(), dlg.m_strPath);
    std::string first = Names();
    EXPECT_EQ("SOI,APP0(JFIF)", first.substr(0, 14));
    Analyse(path);
    EXPECT_EQ(first, Names());
    // A click on a row writes the held path back into the field.
    dlg.SetDlgItemText(IDC_JPEG_PATH, "typed");
    _NMREPORTVIEW click;
    click.hdr.hwndFrom = Grid().m_hWnd;
    click.hdr.idFrom = IDC_JPEG_GRID;
    click.hdr.code = (UINT)RVN_ITEMCLICK;
    click.iItem = 0;
    click.iSubItem = 0;
    EXPECT_EQ(0, dlg.SendMessage(WM_NOTIFY, IDC_JPEG_GRID, (LPARAM)&click));
    CString shown;
    dlg.GetDlgItemText(IDC_JPEG_PATH, shown);
    EXPECT_STREQ(path.c_str(), shown);
    click.hdr.code = (UINT)RVN_EDITKILLFOCUS;
    EXPECT_EQ(1, dlg.SendMessage(WM_NOTIFY, IDC_JPEG_GRID, (LPARAM)&click));
}

TEST_F(Inspector, ResizingKeepsTheGridsLeftMarginOnTheRightAndAtTheBottom)
{
    CRect before;
    Grid().GetWindowRect(&before);
    dlg.ScreenToClient(&before);
    dlg.MoveWindow(0, 0, 700, 500);
    CRect grid, client;
    Grid().GetWindowRect(&grid);
    dlg.ScreenToClient(&grid);
    dlg.GetClientRect(&client);
    EXPECT_EQ(before.TopLeft(), grid.TopLeft());
    EXPECT_EQ(client.right - grid.left, grid.right);
    EXPECT_EQ(client.bottom - grid.left, grid.bottom);
}

TEST_F(Inspector, AFileOfHugeDirectoriesEndsAtTheRowLimit)
{
    // Forty sections of the largest size, each a directory of over five thousand entries.
    TiffBuilder t(false);
    int d = t.AddDir();
    for (int i = 0; i < 5400; i++)
        t.Short(d, kOrientation, 1);
    Bytes app1 = App1(t.Build());
    ASSERT_LT(app1.size(), 65536u);
    Bytes file = {0xFF, 0xD8};
    for (int i = 0; i < 40; i++)
        file.insert(file.end(), app1.begin(), app1.end());
    Analyse(Write("huge.jpg", file));
    EXPECT_GE(Grid().GetItemCount(), CJpegStructureWalk::kMaxRows);
    EXPECT_LT(Grid().GetItemCount(), CJpegStructureWalk::kMaxRows + 10);
    EXPECT_STREQ("Too many rows in jpg file", dlg.LastError());
}
