#include "album/JpegStructureWalk.h"

#include "grid/VXGridCtrl.h"
#include "mivo/Trace.h"
#include "mivo/paths.h"

#include <sys/types.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <new>

namespace {

// The compressed image is read through a buffer of at most this size.
const size_t kImageReadChunk = 1 << 20;
// "Exif", two zero bytes, the byte order, 0x2A and the first directory's offset.
const size_t kExifHeaderBytes = 14;

// Reasons an analysis or a part of it ends early.
const char kTooManyPadding[] = "too many padding unsigned chars\n";
const char kNoImage[] = "No image in jpeg!\n";
const char kInvalidMarker[] = "invalid Marker";
const char kNoMemory[] = "Could not allocate memory";
const char kPrematureEnd[] = "Premature end of file?";
const char kNoImageMemory[] = "could not allocate data for entire image";
const char kImageShort[] = "could not read the rest of the image";
const char kTooManySections[] = "Too many sections in jpg file";
const char kTooManyRows[] = "Too many rows in jpg file";
const char kBadAlignment[] = "Invalid Exif alignment nMarker.";
const char kBadStart[] = "Invalid Exif start (1)";
const char kShortHeader[] = "Exif header cut short";
const char kSuspiciousOffset[] = "Suspicious offset of first IFD value";
const char kBadDirectorySize[] = "Illegally sized directory";
const char kBadFormat[] = "InLenLowegal format code in EXIF dir";
const char kBadPointer[] = "Illegal pointer offset value in EXIF.";
const char kBadLink[] = "Illegal subdirectory link";
const char kBadRotation[] = "Undefined rotation value";

struct TagName {
    unsigned tag;
    const char* name;
};

// Names as the inspector has always shown them, trailing blanks and spellings included.
const TagName kTagNames[] = {
    {0x9000, "EXIF_VERSION"},        {0x8769, "EXIF_OFFSET"},          {0xA005, "INTEROP_OFFSET"},
    {0x010F, "MAKE"},                {0x0110, "MODEL"},                {0x0112, "ORIENTATION"},
    {0x011A, "XRESOLUTION"},         {0x011B, "YRESOLUTION"},          {0x0128, "RESOLUTIONUNIT"},
    {0x829A, "EXPOSURETIME"},        {0x829D, "FNUMBER"},              {0x9201, "SHUTTERSPEED"},
    {0x9202, "APERTURE"},            {0x9203, "BRIGHTNESS"},           {0x9205, "MAXAPERTURE"},
    {0x920A, "FOCALLENGTH"},         {0x9003, "DATETIME_ORIGINAL"},    {0x9286, "USERCOMMENT"},
    {0x9206, "SUBJECT_DISTANCE "},   {0x9209, "FLASH"},                {0xA20E, "FOCALPLANEXRES"},
    {0xA20F, "FOCALPLANEYRES"},      {0xA210, "FOCALPLANEUNITS"},      {0xA002, "EXIF_IMAGEWIDTH"},
    {0xA003, "EXIF_IMAGELENGTH"},    {0x9204, "EXPOSURE_BIAS"},        {0x9208, "LIGHTSOURCE"},
    {0x9207, "METERING_MODE"},       {0x8822, "EXPOSURE_PROGRAM"},     {0x8827, "ISO_EQUIVALENT"},
    {0x9102, "COMPRESSION_LEVEL"},   {0x0201, "THUMBNAIL_OFFSET"},     {0x0202, "THUMBNAIL_LENGTH"},
    {0x0100, "IMGWIDTG "},           {0x0101, "IMGHEIGHT"},            {0x0102, "BITSPERSAMPLE"},
    {0x0103, "COMPRESSION"},         {0x0106, "PHOTOMETRICINTERPRETATION"}, {0x0115, "SAMPLESPERPIXEL"},
    {0x011C, "PALNARCONFIG "},       {0x0212, "YCBCRSUBSAMPLING "},    {0x0213, "YCBCRPOSITIONING "},
    {0x0111, "STRIPOFFSETS "},       {0x0116, "ROWSPERSTRIP "},        {0x0117, "STRIPBYTECOUNTS"},
    {0x012D, "TRANSFERFUNCTION "},   {0x012E, "WHITEPOINT "},          {0x013F, "PRIMARYCHROM "},
    {0x0211, "YCBCRCOEFF "},         {0x0214, "REFERBW"},              {0x0132, "DATETIME "},
    {0x010E, "IMGDESCRIPTION "},     {0x0131, "SOWTWARE "},            {0x0138, "ARTIST "},
    {0x8298, "COPYRIGHT"},           {0xA000, "FLASHPIXVER"},          {0xA001, "COLORSPACE "},
    {0x9101, "COMPONENTSCONFIG "},   {0x927C, "MAKERNOTE"},            {0xA004, "RELSOUNDFILE "},
    {0x9004, "DATETIMEDIGITIZED"},   {0x9290, "SUBSECTIME "},          {0x9291, "SUBSECTIMEORIGIN "},
    {0x9292, "SUBSECTIMEDIGITIZED"}, {0x8824, "SPCSENSITIVITY "},      {0x8828, "OECF "},
    {0xA20B, "FLASHENERGY"},         {0xA20C, "SPATIALFREQRESPONSE"},  {0xA214, "SUBJECTLOCATION"},
    {0xA215, "EXPOSUREINDEX"},       {0xA217, "SENSINGMETHOD"},        {0xA300, "FILESOURCE "},
    {0xA301, "SCENETYPE"},           {0xA302, "CFAPATTERN "},          {0xA401, "CUSTOMRENDERED"},
    {0xA402, "EXPOSUREMODE"},        {0xA403, "WHITEBALANCE"},         {0xA404, "DIGITALZOOMRATIO"},
    {0xA405, "35MMFILMFOCALLENGTH"}, {0xA406, "SCENECAPTURETYPE"},     {0xA407, "GAINCONTROL"},
    {0xA408, "CONTRAST"},            {0xA409, "SATURATION"},           {0xA40A, "SHARPNESS"},
    {0xA40B, "DEVICESETTINGDESC"},   {0xA40C, "SUBJECTDIATANCERANGE"},
};

// TIFF value types 1 to 12: name and size of one component.
struct ValueType {
    const char* name;
    unsigned size;
};
const ValueType kTypes[13] = {
    {"", 0},         {"byte", 1},   {"string", 1}, {"ushort", 2},   {"ulong", 4},  {"urational", 8}, {"sbyte", 1},
    {"undefined", 1}, {"sshort", 2}, {"slong", 4},  {"srational", 8}, {"single", 4}, {"double", 8},
};

enum : unsigned {
    kTagMake = 0x010F, kTagModel = 0x0110, kTagOrientation = 0x0112, kTagXResolution = 0x011A,
    kTagYResolution = 0x011B, kTagResolutionUnit = 0x0128, kTagThumbOffset = 0x0201, kTagThumbLength = 0x0202,
    kTagExposureTime = 0x829A, kTagFNumber = 0x829D, kTagExposureProgram = 0x8822, kTagIso = 0x8827,
    kTagExifOffset = 0x8769, kTagExifVersion = 0x9000, kTagDateTimeOriginal = 0x9003, kTagCompression = 0x9102,
    kTagShutterSpeed = 0x9201, kTagAperture = 0x9202, kTagBrightness = 0x9203, kTagExposureBias = 0x9204,
    kTagMaxAperture = 0x9205, kTagSubjectDistance = 0x9206, kTagMeteringMode = 0x9207, kTagFlash = 0x9209,
    kTagFocalLength = 0x920A, kTagInteropOffset = 0xA005, kTagFocalPlaneXRes = 0xA20E, kTagFocalPlaneYRes = 0xA20F,
    kTagFocalPlaneUnits = 0xA210, kTagWhiteBalance = 0xA403,
};

const char* NameOfTag(unsigned tag)
{
    for (const TagName& row : kTagNames)
        if (row.tag == tag)
            return row.name;
    return "";
}

bool KnownFormat(unsigned format)
{
    return format >= 1 && format <= 12;
}

CString TypeText(unsigned format)
{
    CString text;
    if (KnownFormat(format))
        text.Format("%s(%u)", kTypes[format].name, kTypes[format].size);
    return text;
}

// A real number truncated toward zero as a 32-bit integer; out of range it is the integer
// indefinite value the processor gives.
int Truncate(double value)
{
    if (!(value > (double)INT_MIN - 1.0 && value < (double)INT_MAX + 1.0))
        return INT_MIN;
    return (int)value;
}

// The unit factor of a resolution unit value; any other value keeps the one held.
float UnitFactor(double value, float held)
{
    switch (Truncate(value)) {
    case 1:
    case 2: return 1.0f;
    case 3: return (float)(1 / 2.54);
    case 4: return (float)(1 / 25.4);
    case 5: return (float)(1 / 25400.0);
    }
    return held;
}

CString Hex(const char* format, const BYTE* bytes, int count)
{
    CString text;
    switch (count) {
    case 2: text.Format(format, bytes[0], bytes[1]); break;
    case 4: text.Format(format, bytes[0], bytes[1], bytes[2], bytes[3]); break;
    case 6: text.Format(format, bytes[0], bytes[1], bytes[2], bytes[3], bytes[4], bytes[5]); break;
    }
    return text;
}

// Text of bytes up to the first NUL and never past `limit` bytes.
CString BoundedText(const BYTE* bytes, size_t limit)
{
    const BYTE* end = (const BYTE*)std::memchr(bytes, 0, limit);
    return CString((const char*)bytes, (int)((end ? end : bytes + limit) - bytes));
}

CString Number(const char* format, double value)
{
    CString text;
    text.Format(format, value);
    return text;
}

CString Integer(int value)
{
    CString text;
    text.Format("%d", value);
    return text;
}

}  // namespace

CJpegStructureWalk::CJpegStructureWalk(CVXGridCtrl* grid) : m_pGrid(grid) {}

CJpegStructureWalk::~CJpegStructureWalk() = default;

void CJpegStructureWalk::Release()
{
    m_sections.clear();
    m_file.reset();
    m_pApp1Block = nullptr;
    m_pTiff = nullptr;
    m_nExifLength = 0;
}

bool CJpegStructureWalk::Stop(LPCSTR reason)
{
    MIVO_TRACE(kTraceLumaret, "JPEG structure walk stopped at byte %lld: %s", (long long)m_nPosition, reason);
    m_strLastError = reason;
    return false;
}

_TREEITEM* CJpegStructureWalk::AddStructureRow(LPCSTR name, int64_t address, LPCSTR value, int64_t bytes,
                                               LPCSTR refValue, _TREEITEM* parent, LPCSTR refLength,
                                               LPCSTR thumbnail)
{
    // Below a row that could not be made nothing is added.
    if (parent == nullptr)
        return nullptr;
    _TREEITEM* node = m_pGrid->InsertItem(name, -1, -1, -1, parent, RVTI_LAST);
    if (node == nullptr)
        return nullptr;
    m_nRows++;
    int item = m_pGrid->GetItemIndex(node);
    CString hex;
    hex.Format("0x%llX", (unsigned long long)address);
    m_pGrid->SetItemText(item, 1, hex);
    m_pGrid->SetItemValue(item, 2, (double)address, 0);
    m_pGrid->SetItemValue(item, 3, (double)bytes, 0);
    m_pGrid->SetItemText(item, 4, value);
    m_pGrid->SetItemText(item, 5, refValue);
    if (refLength && *refLength)
        m_pGrid->SetItemText(item, 6, refLength);
    if (thumbnail && *thumbnail)
        m_pGrid->SetItemText(item, 7, thumbnail);
    _RVITEM band;
    band.nMask = RVIM_BKCOLOR;
    band.iItem = item;
    band.iSubItem = 0;
    band.iBkColor = BandColour(parent);
    m_pGrid->SetItem(&band);
    m_pGrid->Expand(node, 1);
    return node;
}

int CJpegStructureWalk::BandColour(_TREEITEM* parent) const
{
    return parent != RVTI_ROOT && (m_nEntryCount & 1) ? kBandColour : -1;
}

// ---- markers ----

void CJpegStructureWalk::WalkJpegMarkers(const CString& path)
{
    m_pGrid->DeleteAllItems();
    Release();
    m_nRows = 0;
    m_nEntryCount = 0;
    m_dExposureTime = m_dFNumber = 0;
    m_fResolutionUnit = m_fFocalPlaneUnit = 0;
    m_pApp1Row = m_pDirRow = nullptr;
    m_nPosition = 0;
    m_file.reset(mivo::FOpen(path, "rb"));
    if (!m_file)
        return;
    FILE* file = m_file.get();
    if (fseeko(file, 0, SEEK_END) != 0 || (m_nFileSize = ftello(file)) < 0 || fseeko(file, 0, SEEK_SET) != 0)
        return;
    if (ReadByte() != 0xFF || ReadByte() != 0xD8)
        return;
    AddStructureRow("SOI", 0, "0xFFD8", 2, "", RVTI_ROOT);
    while ((int)m_sections.size() < kMaxSections) {
        if (m_nRows >= kMaxRows) {
            Stop(kTooManyRows);
            return;
        }
        int code = 0;
        if (!ReadMarkerCode(&code))
            return;
        if (code == 0xD9)
            AddStructureRow("EOI", m_nPosition - 2, "0xFFD9", 2, "", RVTI_ROOT);
        if (!ReadSection(code))
            return;
    }
    Stop(kTooManySections);
}

int CJpegStructureWalk::ReadByte()
{
    int c = std::fgetc(m_file.get());
    if (c != EOF)
        m_nPosition++;
    return c;
}

bool CJpegStructureWalk::ReadMarkerCode(int* code)
{
    for (int padding = 0;;) {
        int c = ReadByte();
        if (c != 0xFF) {
            *code = c;
            return true;
        }
        if (++padding > kMaxPadding) {
            std::fputs(kTooManyPadding, stdout);
            return false;
        }
    }
}

bool CJpegStructureWalk::ReadSection(int code)
{
    int64_t lengthAt = m_nPosition;
    int high = ReadByte();
    int low = ReadByte();
    int length = high < 0 || low < 0 ? -1 : (high << 8) | low;
    if (length < 2)
        return Stop(kInvalidMarker);
    Section section;
    section.type = code;
    section.offset = lengthAt;
    section.size = length + 2;
    section.block.reset(new (std::nothrow) BYTE[(size_t)length]);
    if (!section.block)
        return Stop(kNoMemory);
    section.block[0] = (BYTE)high;
    section.block[1] = (BYTE)low;
    size_t want = (size_t)length - 2;
    size_t got = std::fread(section.block.get() + 2, 1, want, m_file.get());
    m_nPosition += (int64_t)got;
    if (got != want)
        return Stop(kPrematureEnd);
    m_sections.push_back(std::move(section));
    const Section& kept = m_sections.back();
    int64_t markerAt = lengthAt - 2;
    if (code == 0xD9)
        std::fputs(kNoImage, stdout);
    AddSectionRow(code, kept, markerAt, length);
    if (code == 0xDA)
        return ReadCompressedImage();
    if (code == 0xE1) {
        m_pApp1Block = kept.block.get();
        m_nApp1Offset = markerAt;
        if (length >= 6 && std::memcmp(m_pApp1Block + 2, "Exif", 4) == 0)
            ReadExifHeader(m_pApp1Block + 2, (size_t)length - 2);
    }
    return true;
}

void CJpegStructureWalk::AddSectionRow(int code, const Section& section, int64_t markerAt, int length)
{
    const char* name = "";
    bool thumbnail = false;
    switch (code) {
    case 0xC0: case 0xC1: case 0xC2: case 0xC3: case 0xC5: case 0xC6: case 0xC7:
    case 0xC9: case 0xCA: case 0xCB: case 0xCD: case 0xCE: case 0xCF: name = "SOFn"; break;
    case 0xC4: name = "DHT"; break;
    case 0xDB: name = "DQT"; break;
    case 0xDD: name = "DRI"; break;
    case 0xE0: name = "APP0(JFIF)"; break;
    case 0xE1: name = "APP1(EXIF)"; thumbnail = true; break;
    case 0xE2: name = "APP2(EXIF)"; thumbnail = true; break;
    case 0xED: name = "APPa(Adobe)"; thumbnail = true; break;
    case 0xFE: name = "COM"; break;
    case 0xD9: name = "EOI"; break;
    case 0xDA: name = "SOS"; break;
    }
    CString value;
    value.Format("0xFF%02X", code & 0xFF);
    CString thumb = thumbnail ? ThumbnailText(section, length) : CString();
    _TREEITEM* row = AddStructureRow(name, markerAt, value, length + 2, "", RVTI_ROOT, "", thumb);
    if (code == 0xE1)
        m_pApp1Row = row;
}

CString CJpegStructureWalk::ThumbnailText(const Section& section, int length) const
{
    const BYTE* block = section.block.get();
    int start = -1;
    for (int i = 0; i + 3 < length && start < 0; i++)
        if (block[i] == 0xFF && block[i + 1] == 0xD8 && block[i + 2] == 0xFF &&
            (block[i + 3] == 0xDB || block[i + 3] == 0xE0))
            start = i;
    if (start < 0)
        return CString();
    // Without an end marker the thumbnail is taken to run to the section's end.
    int end = length;
    for (int j = length - 2; j >= start; j--)
        if (block[j] == 0xFF && block[j + 1] == 0xD9) {
            end = j;
            break;
        }
    CString text;
    text.Format("0x%llX (%d)", (unsigned long long)(section.offset + start), end - start);
    return text;
}

bool CJpegStructureWalk::ReadCompressedImage()
{
    int64_t at = m_nPosition;
    int64_t remaining = m_nFileSize - at - 2;
    // The row shows the image's first four bytes.
    if (remaining < 4)
        return Stop(kImageShort);
    if ((int)m_sections.size() >= kMaxSections)
        return Stop(kTooManySections);
    size_t chunk = (size_t)std::min<int64_t>(remaining, (int64_t)kImageReadChunk);
    std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[chunk]);
    if (!buffer)
        return Stop(kNoImageMemory);
    BYTE first[4] = {};
    for (int64_t left = remaining; left > 0;) {
        size_t want = (size_t)std::min<int64_t>(left, (int64_t)chunk);
        size_t got = std::fread(buffer.get(), 1, want, m_file.get());
        m_nPosition += (int64_t)got;
        if (got != want)
            return Stop(kImageShort);
        if (left == remaining)
            std::memcpy(first, buffer.get(), sizeof first);
        left -= (int64_t)got;
    }
    CString value;
    value.Format("0x%02X%02X%02X%02X....", first[0], first[1], first[2], first[3]);
    AddStructureRow("Main Image", at, value, remaining - 10, "", RVTI_ROOT);
    Section image;
    image.offset = at;
    image.size = remaining;
    m_sections.push_back(std::move(image));
    return true;
}

// ---- the Exif header ----

int CJpegStructureWalk::ReadExifHeader(const BYTE* data, size_t size)
{
    const BYTE* lengthBytes = data - 2;
    int64_t marker = m_nApp1Offset;
    AddStructureRow("Marker", marker, "0xFFE1", 2, "", m_pApp1Row);
    AddStructureRow("Length", marker + 2, Hex("0X%02X%02X", lengthBytes, 2), 2, Integer((int)size + 2), m_pApp1Row);
    if (size < kExifHeaderBytes)
        return Stop(kShortHeader);
    AddStructureRow("Header", marker + 4, Hex("0X%02X%02X%02X%02X%02X%02X", data, 6), 6, BoundedText(data, size),
                    m_pApp1Row);
    if (data[6] == 'I' && data[7] == 'I')
        m_bMotorola = false;
    else if (data[6] == 'M' && data[7] == 'M')
        m_bMotorola = true;
    else
        return Stop(kBadAlignment);
    m_pTiff = data + 6;
    m_nExifLength = size - 6;
    m_nTiffOffset = marker + 10;
    AddStructureRow("Align", marker + 10, Hex("0X%02X%02X", data + 6, 2), 2, BoundedText(data + 6, size - 6),
                    m_pApp1Row);
    if (Get16(2) != 0x2A)
        return Stop(kBadStart);
    AddStructureRow("Const", marker + 12, Hex("0X%02X%02X", data + 8, 2), 2, BoundedText(data + 8, size - 8),
                    m_pApp1Row);
    uint32_t first = Get32(4);
    if (first < 8 || first > 16)
        return Stop(kSuspiciousOffset);
    AddStructureRow("0th IFD Offset", marker + 14, Hex("0X%02X%02X%02X%02X", data + 10, 4), 4, Integer((int)first),
                    m_pApp1Row);
    // The first directory is read right after the header, whatever offset is stored.
    m_pDirRow = AddStructureRow("0th IFD ", marker + 18, "", 0, "", m_pApp1Row);
    m_nDirOffset = m_nTiffOffset + 8;
    m_walkedIfds.clear();
    m_walkedIfds.insert(8);
    return WalkExifIfd(8, 0);
}

// ---- directories ----

bool CJpegStructureWalk::Holds(uint64_t at, uint64_t count) const
{
    return at <= m_nExifLength && count <= m_nExifLength - at;
}

unsigned CJpegStructureWalk::Get16(uint64_t at) const
{
    const BYTE* p = m_pTiff + at;
    return m_bMotorola ? (unsigned)(p[0] << 8 | p[1]) : (unsigned)(p[1] << 8 | p[0]);
}

uint32_t CJpegStructureWalk::Get32(uint64_t at) const
{
    const BYTE* p = m_pTiff + at;
    if (m_bMotorola)
        return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3];
    return (uint32_t)p[3] << 24 | (uint32_t)p[2] << 16 | (uint32_t)p[1] << 8 | p[0];
}

int CJpegStructureWalk::WalkExifIfd(uint64_t dir, int depth)
{
    if (!Holds(dir, 2))
        return Stop(kBadDirectorySize);
    unsigned count = Get16(dir);
    AddStructureRow("IFD Num", m_nDirOffset, Hex("0X%02X%02X", m_pTiff + dir, 2), 2, Integer((int)count), m_pDirRow);
    if (!Holds(dir + 2, 12 * (uint64_t)count))
        return Stop(kBadDirectorySize);
    _TREEITEM* dirRow = m_pDirRow;
    int64_t dirOffset = m_nDirOffset;
    for (unsigned i = 0; i < count; i++) {
        if (m_nRows >= kMaxRows)
            return Stop(kTooManyRows);
        bool more = WalkEntry(dir + 2 + 12 * (uint64_t)i, dirOffset + 2 + 12 * (int64_t)i, depth);
        // A sub-directory's entries went under its own heading; this directory's go on under its own.
        m_pDirRow = dirRow;
        m_nDirOffset = dirOffset;
        if (!more)
            return 0;
    }
    uint64_t linkAt = dir + 2 + 12 * (uint64_t)count;
    if (Holds(linkAt, 4)) {
        uint32_t link = Get32(linkAt);
        bool legal = link == 0 || WalkLinkedIfd(link, depth);
        m_pDirRow = dirRow;
        m_nDirOffset = dirOffset;
        if (!legal)
            return 0;
    }
    return 1;
}

bool CJpegStructureWalk::WalkEntry(uint64_t entry, int64_t fileOffset, int depth)
{
    const BYTE* raw = m_pTiff + entry;
    unsigned tag = Get16(entry);
    unsigned format = Get16(entry + 2);
    uint32_t components = Get32(entry + 4);
    m_nEntryCount++;
    AddStructureRow("Tag", fileOffset, Hex("0X%02X%02X", raw, 2), 2, NameOfTag(tag), m_pDirRow);
    AddStructureRow("Format", fileOffset + 2, Hex("0X%02X%02X", raw + 2, 2), 2, TypeText(format), m_pDirRow);
    AddStructureRow("nComponents", fileOffset + 4, Hex("0X%02X%02X%02X%02X", raw + 4, 4), 4,
                    Integer((int)components), m_pDirRow);
    if (!KnownFormat(format))
        return Stop(kBadFormat);
    uint64_t byteCount = (uint64_t)components * kTypes[format].size;
    uint64_t valueAt = entry + 8;
    int64_t first = fileOffset + 8;
    if (byteCount > 4) {
        uint32_t offset = Get32(entry + 8);
        if (!Holds(offset, byteCount))
            return Stop(kBadPointer);
        valueAt = offset;
        first = m_nTiffOffset + offset;
    }
    CString refLength;
    refLength.Format(byteCount > 4 ? "%d (0x%X - 0x%X) Ponited " : "%d (0x%X - 0x%X) SelfValue ", (int)byteCount,
                     (unsigned)first, (unsigned)(first + (int64_t)byteCount - 1));
    CString interpreted = Interpret(tag, format, valueAt, byteCount);
    AddStructureRow("ValuePtr", fileOffset + 8, Hex("0X%02X%02X%02X%02X", raw + 8, 4), 4, interpreted, m_pDirRow,
                    refLength);
    if (tag == kTagExifOffset || tag == kTagInteropOffset)
        return WalkLinkedIfd(Get32(entry + 8), depth);
    return true;
}

bool CJpegStructureWalk::WalkLinkedIfd(uint32_t link, int depth)
{
    // A link past the data, one back to a directory already walked, or one too deep ends here.
    if (link > m_nExifLength || depth >= kMaxIfdDepth || !m_walkedIfds.insert(link).second)
        return Stop(kBadLink);
    m_pDirRow = AddStructureRow("Next IFD ", m_nTiffOffset + link, "", 0, "", m_pApp1Row);
    m_nDirOffset = m_nTiffOffset + link;
    WalkExifIfd(link, depth + 1);
    return true;
}

// ---- values ----

double CJpegStructureWalk::ConvertValue(unsigned format, uint64_t at, uint64_t byteCount) const
{
    unsigned size = kTypes[format].size;
    if (byteCount < size || !Holds(at, size))
        return 0;
    switch (format) {
    case 1: return m_pTiff[at];
    case 3: return Get16(at);
    case 4: return Get32(at);
    case 5:
    case 10: {
        int32_t numerator = (int32_t)Get32(at);
        int32_t denominator = (int32_t)Get32(at + 4);
        return denominator == 0 ? 0 : (double)numerator / denominator;
    }
    case 6: return (int8_t)m_pTiff[at];
    case 8: return (int16_t)Get16(at);
    case 9: return (int32_t)Get32(at);
    case 11: {
        uint32_t bits = Get32(at);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    case 12: {
        uint64_t high = m_bMotorola ? Get32(at) : Get32(at + 4);
        uint64_t low = m_bMotorola ? Get32(at + 4) : Get32(at);
        uint64_t bits = high << 32 | low;
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    }
    return 0;  // strings and undefined bytes
}

CString CJpegStructureWalk::TextValue(uint64_t at, uint64_t byteCount) const
{
    if (!Holds(at, byteCount))
        return CString();
    return BoundedText(m_pTiff + at, (size_t)byteCount);
}

CString CJpegStructureWalk::Interpret(unsigned tag, unsigned format, uint64_t at, uint64_t byteCount)
{
    double value = ConvertValue(format, at, byteCount);
    switch (tag) {
    case kTagMake:
    case kTagModel:
    case kTagDateTimeOriginal:
    case kTagExifVersion: return TextValue(at, byteCount);
    case kTagOrientation: {
        int orientation = Truncate(value);
        if (orientation >= 1 && orientation <= 8)
            return Integer(orientation);
        m_strLastError = kBadRotation;
        return "0";
    }
    case kTagXResolution:
    case kTagYResolution:
    case kTagBrightness:
    case kTagExposureBias:
    case kTagSubjectDistance:
    case kTagFocalLength:
    case kTagFocalPlaneXRes:
    case kTagFocalPlaneYRes: return Number("%f", value);
    case kTagResolutionUnit:
        m_fResolutionUnit = UnitFactor(value, m_fResolutionUnit);
        return Number("%f", m_fResolutionUnit);
    case kTagFocalPlaneUnits:
        m_fFocalPlaneUnit = UnitFactor(value, m_fFocalPlaneUnit);
        return Number("%f", m_fFocalPlaneUnit);
    case kTagThumbOffset:
    case kTagThumbLength:
    case kTagExposureProgram:
    case kTagCompression:
    case kTagMeteringMode:
    case kTagWhiteBalance: return Integer(Truncate(value));
    case kTagIso: return Integer(Truncate(value < 50 ? value * 200 : value));
    case kTagExposureTime:
        m_dExposureTime = value;
        return Number("%f", value);
    case kTagFNumber:
        m_dFNumber = value;
        return Number("%f", value);
    case kTagShutterSpeed:
        if (m_dExposureTime != 0)
            return CString();
        m_dExposureTime = 1 / std::pow(2.0, value);
        return Number("%f", m_dExposureTime);
    case kTagAperture:
    case kTagMaxAperture:
        if (m_dFNumber != 0)
            return CString();
        m_dFNumber = std::pow(2.0, value * 0.5);
        return Number("%f", m_dFNumber);
    case kTagFlash: return (Truncate(value) & 7) ? "1" : "0";
    }
    return CString();
}
