#include "image/ExifReader.h"

#include "image/ImageFile.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

using namespace mivo::image;

namespace {

const int M_SOF0 = 0xC0, M_SOF15 = 0xCF, M_DHT = 0xC4, M_JPG = 0xC8, M_DAC = 0xCC;
const int M_SOS = 0xDA, M_EOI = 0xD9, M_APP1 = 0xE1, M_APP2 = 0xE2, M_APP13 = 0xED, M_COM = 0xFE;

// Directory nesting and total directories a file may make us walk.
const int kMaxDepth = 8;
const int kMaxDirectories = 32;

const int kThumbnailOffsetTag = 0x0201, kThumbnailSizeTag = 0x0202;

const int kFormatBytes[13] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};

enum Format {
    FMT_BYTE = 1, FMT_STRING, FMT_USHORT, FMT_ULONG, FMT_URATIONAL, FMT_SBYTE,
    FMT_UNDEFINED, FMT_SSHORT, FMT_SLONG, FMT_SRATIONAL, FMT_SINGLE, FMT_DOUBLE
};

bool IsFrameMarker(int marker)
{
    return marker >= M_SOF0 && marker <= M_SOF15 && marker != M_DHT && marker != M_JPG && marker != M_DAC;
}

// A tag value as an integer type: NaN gives 0, values outside the type's
// range give its nearest limit, the rest are truncated toward zero. Casting
// an out-of-range floating value directly is undefined.
template <typename T>
T ClampTo(double v)
{
    if (std::isnan(v))
        return 0;
    if (v <= double(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    if (v >= double(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    return T(v);
}

inline int ToInt(double v) { return ClampTo<int>(v); }

// A finite double beyond the float range has no float value: it becomes the
// infinity of its sign, as IEEE rounding would give it.
float ToFloat(double v)
{
    if (v > double(std::numeric_limits<float>::max()))
        return std::numeric_limits<float>::infinity();
    if (v < -double(std::numeric_limits<float>::max()))
        return -std::numeric_limits<float>::infinity();
    return float(v);
}

int ClampToInt(int64_t v)
{
    return v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : int(v);
}

// Unit codes 1 to 5 as inches per unit; 0 for codes that leave the field alone.
float InchesPerUnit(int unit)
{
    switch (unit) {
    case 1:
    case 2:
        return 1.0f;
    case 3:
        return 0.39370078f;
    case 4:
        return 0.039370079f;
    case 5:
        return 0.000039370079f;
    default:
        return 0.0f;
    }
}

// Copies at most `max` characters of a text value that may lack its end mark.
void CopyText(char* dst, size_t max, const BYTE* src, uint64_t bytes)
{
    size_t n = 0;
    while (n < max && n < bytes && src[n])
        ++n;
    memcpy(dst, src, n);
    dst[n] = '\0';
}

}  // namespace

CExifReader::CExifReader(CString path, ExifInfo* info)
    : m_pInfo(info), m_strPath(path), m_nLargestWidth(0), m_nMotorola(0), m_nSections(0), m_bOwnInfo(false),
      m_nFilePos(0), m_pFile(nullptr), m_nDirectories(0), m_bHaveComment(false)
{
    m_szError[0] = '\0';
    memset(m_sections, 0, sizeof m_sections);
    if (!m_pInfo) {
        m_pInfo = static_cast<ExifInfo*>(calloc(1, sizeof(ExifInfo)));
        m_bOwnInfo = true;
    }
}

CExifReader::~CExifReader()
{
    for (int i = 0; i < m_nSections; ++i) {
        const BYTE* data = m_sections[i].data;
        // The block outlives the sections: no pointer into them may stay.
        if (m_pInfo && m_pInfo->ThumbnailData >= data && m_pInfo->ThumbnailData < data + m_sections[i].size - 2) {
            m_pInfo->ThumbnailData = nullptr;
            m_pInfo->ThumbnailSize = 0;
        }
        free(m_sections[i].data);
    }
    if (m_bOwnInfo)
        free(m_pInfo);
    if (m_pFile)
        fclose(m_pFile);
}

void CExifReader::SetError(const char* text)
{
    snprintf(m_szError, sizeof m_szError, "%s", text);
}

unsigned CExifReader::Get16(const BYTE* p) const
{
    return m_nMotorola ? unsigned(p[0]) << 8 | p[1] : unsigned(p[1]) << 8 | p[0];
}

unsigned CExifReader::Get32(const BYTE* p) const
{
    return m_nMotorola ? Get16(p) << 16 | Get16(p + 2) : Get16(p + 2) << 16 | Get16(p);
}

double CExifReader::ConvertValue(const BYTE* p, int format) const
{
    switch (format) {
    case FMT_BYTE:
        return p[0];
    case FMT_SBYTE:
        return double(int8_t(p[0]));
    case FMT_USHORT:
        return Get16(p);
    case FMT_SSHORT:
        return double(int16_t(Get16(p)));
    case FMT_ULONG:
        return double(Get32(p));
    case FMT_SLONG:
        return double(int32_t(Get32(p)));
    case FMT_URATIONAL:
    case FMT_SRATIONAL: {
        int32_t num = int32_t(Get32(p));
        int32_t den = int32_t(Get32(p + 4));
        return den == 0 ? 0.0 : double(num) / double(den);
    }
    case FMT_SINGLE: {
        uint32_t bits = Get32(p);
        float f;
        memcpy(&f, &bits, 4);
        return f;
    }
    case FMT_DOUBLE: {
        uint64_t bits = m_nMotorola ? uint64_t(Get32(p)) << 32 | Get32(p + 4) : uint64_t(Get32(p + 4)) << 32 | Get32(p);
        double d;
        memcpy(&d, &bits, 8);
        return d;
    }
    default:
        return 0.0;
    }
}

void CExifReader::ProcessFrame(const BYTE* data, unsigned length, int marker)
{
    if (length < 8)
        return;
    m_pInfo->Height = int(data[3]) << 8 | data[4];
    m_pInfo->Width = int(data[5]) << 8 | data[6];
    m_pInfo->IsColour = data[7] == 3 ? 1 : 0;
    m_pInfo->JpegProcess = marker;
}

void CExifReader::ProcessComment(const BYTE* data, unsigned length)
{
    char* out = m_pInfo->Comment;
    unsigned end = length < sizeof m_pInfo->Comment ? length : unsigned(sizeof m_pInfo->Comment);
    size_t n = 0;
    for (unsigned a = 2; a < end; ++a) {
        BYTE ch = data[a];
        if (ch == '\r' && a + 1 < end && data[a + 1] == '\n')
            continue;
        out[n++] = (ch >= 32 || ch == '\n' || ch == '\t') ? char(ch) : '?';
    }
    out[n] = '\0';
}

void CExifReader::ProcessTag(int tag, int format, const BYTE* value, uint64_t bytes, const BYTE* base,
                             uint64_t length, int depth, bool* ok, uint64_t* thumbOffset, uint64_t* thumbSize)
{
    ExifInfo* info = m_pInfo;
    double v = ConvertValue(value, format);
    switch (tag) {
    case 0x010F:
        CopyText(info->CameraMaker, sizeof info->CameraMaker - 1, value, bytes);
        break;
    case 0x0110:
        CopyText(info->CameraModel, sizeof info->CameraModel - 1, value, bytes);
        break;
    case 0x0112:
        info->Orientation = ToInt(v);
        if (info->Orientation < 1 || info->Orientation > 8) {
            SetError("Undefined rotation value");
            info->Orientation = 0;
        }
        break;
    case 0x011A:
        info->XResolution = ToFloat(v);
        break;
    case 0x011B:
        info->YResolution = ToFloat(v);
        break;
    case 0x0128:
        if (float f = InchesPerUnit(ToInt(v)))
            info->ResolutionUnit = f;
        break;
    case kThumbnailOffsetTag:
        *thumbOffset = ClampTo<uint64_t>(v);
        break;
    case kThumbnailSizeTag:
        *thumbSize = ClampTo<uint64_t>(v);
        break;
    case 0x829A:
        info->ExposureTime = ToFloat(v);
        break;
    case 0x829D:
        info->FNumber = ToFloat(v);
        break;
    case 0x8822:
        info->ExposureProgram = ToInt(v);
        break;
    case 0x8827:
        info->IsoEquivalent = ToInt(v);
        if (info->IsoEquivalent < 50)
            info->IsoEquivalent = ClampToInt(int64_t(info->IsoEquivalent) * 200);
        break;
    case 0x9000:
        CopyText(info->ExifVersion, 4, value, bytes);
        break;
    case 0x9003:
        CopyText(info->DateTaken, sizeof info->DateTaken - 1, value, bytes);
        break;
    case 0x9102:
        info->CompressionLevel = ToInt(v);
        break;
    case 0x9201:
        if (info->ExposureTime == 0)
            info->ExposureTime = ToFloat(1.0 / std::exp2(v));
        break;
    case 0x9202:
    case 0x9205:
        if (info->FNumber == 0)
            info->FNumber = ToFloat(std::exp2(v / 2));
        break;
    case 0x9203:
        info->Brightness = ToFloat(v);
        break;
    case 0x9204:
        info->ExposureBias = ToFloat(v);
        break;
    case 0x9206:
        info->SubjectDistance = ToFloat(v);
        break;
    case 0x9207:
        info->MeteringMode = ToInt(v);
        break;
    case 0x9209:
        info->FlashUsed = (ToInt(v) & 7) ? 1 : 0;
        break;
    case 0x920A:
        info->FocalLength = ToFloat(v);
        break;
    case 0x9286: {
        uint64_t n = bytes;
        while (n > 0 && value[n - 1] == ' ')
            --n;
        uint64_t start = 0;
        if (n >= 5 && memcmp(value, "ASCII", 5) == 0) {
            start = n;
            for (uint64_t a = 5; a < 10 && a < n; ++a) {
                if (value[a] != 0 && value[a] != ' ') {
                    start = a;
                    break;
                }
            }
        }
        if (start < n)
            CopyText(info->Comment, 199, value + start, n - start);
        break;
    }
    case 0xA002:
    case 0xA003:
        if (ToInt(v) > m_nLargestWidth)
            m_nLargestWidth = ToInt(v);
        break;
    case 0xA20E:
        info->FocalPlaneXRes = ToFloat(v);
        break;
    case 0xA20F:
        info->FocalPlaneYRes = ToFloat(v);
        break;
    case 0xA210:
        if (float f = InchesPerUnit(ToInt(v)))
            info->FocalPlaneUnit = f;
        break;
    case 0xA403:
        info->WhiteBalance = ToInt(v);
        break;
    case 0x8769:
    case 0xA005: {
        uint64_t sub = Get32(value);
        if (sub >= length) {
            SetError("Illegal subdirectory link");
            *ok = false;
        } else {
            *ok = ProcessDirectory(base, length, sub, depth + 1, false);
        }
        break;
    }
    default:
        break;
    }
}

bool CExifReader::ProcessDirectory(const BYTE* base, uint64_t length, uint64_t dir, int depth, bool linked)
{
    // Links may point back to a directory already walked; depth and count bound them.
    if (depth > kMaxDepth || ++m_nDirectories > kMaxDirectories)
        return true;
    if (dir + 2 > length) {
        SetError("Illegally sized directory");
        return false;
    }
    uint64_t entries = Get16(base + dir);
    uint64_t end = dir + 2 + 12 * entries;
    if (end > length) {
        SetError("Illegally sized directory");
        return false;
    }
    uint64_t thumbOffset = 0, thumbSize = 0;
    for (uint64_t i = 0; i < entries; ++i) {
        const BYTE* entry = base + dir + 2 + 12 * i;
        int tag = int(Get16(entry));
        int format = int(Get16(entry + 2));
        uint64_t components = Get32(entry + 4);
        if (format < 1 || format > 12) {
            SetError("InLenLowegal format code in EXIF dir");
            return false;
        }
        uint64_t bytes = components * uint64_t(kFormatBytes[format]);
        const BYTE* value = entry + 8;
        if (bytes > 4) {
            uint64_t offset = Get32(entry + 8);
            if (offset + bytes > length) {
                SetError("Illegal pointer offset value in EXIF.");
                return false;
            }
            value = base + offset;
        }
        if (components == 0)
            continue;
        // A next directory (the thumbnail's) repeats tags of the picture itself:
        // it gives the thumbnail's place only and never overwrites the picture's values.
        if (linked && tag != kThumbnailOffsetTag && tag != kThumbnailSizeTag)
            continue;
        bool ok = true;
        ProcessTag(tag, format, value, bytes, base, length, depth, &ok, &thumbOffset, &thumbSize);
        if (!ok)
            return false;
    }
    if (end + 4 <= length) {
        uint64_t next = Get32(base + end);
        if (next != 0) {
            if (next >= length) {
                SetError("Illegal subdirectory link");
                return false;
            }
            if (!ProcessDirectory(base, length, next, depth + 1, true))
                return false;
        }
    }
    SetThumbnail(base, length, thumbOffset, thumbSize);
    return true;
}

void CExifReader::SetThumbnail(const BYTE* base, uint64_t length, uint64_t offset, uint64_t size)
{
    // Compared without a sum, which a hostile offset would wrap.
    if (offset == 0 || size == 0 || offset > length || size > length - offset || size > uint64_t(INT_MAX))
        return;
    m_pInfo->ThumbnailData = const_cast<BYTE*>(base + offset);
    m_pInfo->ThumbnailSize = int(size);
}

bool CExifReader::ProcessExif(const BYTE* body, unsigned length)
{
    m_pInfo->FlashUsed = 0;
    m_pInfo->Comment[0] = '\0';
    m_nLargestWidth = 0;
    if (length < 14) {
        SetError("Illegally sized directory");
        return false;
    }
    if (memcmp(body + 6, "II", 2) == 0) {
        m_nMotorola = 0;
    } else if (memcmp(body + 6, "MM", 2) == 0) {
        m_nMotorola = 1;
    } else {
        SetError("Invalid Exif alignment nMarker.");
        return false;
    }
    if (Get16(body + 8) != 42) {
        SetError("Invalid Exif start (1)");
        return false;
    }
    unsigned first = Get32(body + 10);
    if (first < 8 || first > 16) {
        SetError("Suspicious offset of first IFD value");
        return false;
    }
    m_nDirectories = 0;
    if (!ProcessDirectory(body + 6, length - 6, 8, 0, false))
        return false;
    if (m_pInfo->FocalPlaneXRes != 0)
        m_pInfo->SensorWidth = ToFloat(m_nLargestWidth * m_pInfo->FocalPlaneUnit * 25.4 / m_pInfo->FocalPlaneXRes);
    return true;
}

bool CExifReader::WriteThumbnail(const BYTE* data, unsigned length, const char* path)
{
    for (unsigned i = 0; i + 3 < length; ++i) {
        if (data[i] != 0xFF || data[i + 1] != 0xD8 || data[i + 2] != 0xFF || (data[i + 3] != 0xDB && data[i + 3] != 0xE0))
            continue;
        for (unsigned j = length - 1; j > i + 3; --j) {
            if (data[j] != 0xD9 || data[j - 1] != 0xFF)
                continue;
            FILE* out = OpenImageFile(path, "wb");
            if (!out)
                return false;
            size_t n = j + 1 - i;
            bool ok = fwrite(data + i, 1, n, out) == n;
            ok = fclose(out) == 0 && ok;
            return ok;
        }
        return false;
    }
    return false;
}

int CExifReader::ReadJpegSections(CString thumbnailFile)
{
    int result = 0;
    if (m_pFile || !m_pInfo)
        return 0;
    m_pFile = OpenImageFile((LPCSTR)m_strPath, "rb");
    if (!m_pFile)
        return 0;
    if (getc(m_pFile) != 0xFF || getc(m_pFile) != 0xD8)
        return 0;
    m_nFilePos = 2;
    const char* thumbPath = thumbnailFile;

    while (m_nSections < kMaxSections) {
        long markerPos = m_nFilePos;
        int marker = 0, padding = 0;
        for (;;) {
            marker = getc(m_pFile);
            ++m_nFilePos;
            if (marker != 0xFF)
                break;
            if (++padding == 7) {
                fputs("too many padding unsigned chars\n", stdout);
                return result;
            }
        }
        int hi = getc(m_pFile), lo = getc(m_pFile);
        if (marker == EOF || hi == EOF || lo == EOF || (hi << 8 | lo) < 2) {
            SetError("invalid Marker");
            return result;
        }
        unsigned length = unsigned(hi << 8 | lo);
        BYTE* data = static_cast<BYTE*>(malloc(length));
        if (!data) {
            SetError("Could not allocate memory");
            return result;
        }
        data[0] = BYTE(hi);
        data[1] = BYTE(lo);
        if (fread(data + 2, 1, length - 2, m_pFile) != length - 2) {
            SetError("Premature end of file?");
            free(data);
            return result;
        }
        m_nFilePos += long(length);
        m_sections[m_nSections] = Section{data, marker, markerPos, length + 2};
        ++m_nSections;

        if (IsFrameMarker(marker)) {
            ProcessFrame(data, length, marker);
        } else if (marker == M_EOI) {
            fputs("No image in jpeg!\n", stdout);
            return result;
        } else if (marker == M_SOS) {
            return result + 1;
        } else if (marker == M_APP1 && length >= 6 && memcmp(data + 2, "Exif", 4) == 0) {
            m_pInfo->HasExif = ProcessExif(data + 2, length - 2) ? 1 : 0;
        } else if (marker == M_COM && !m_bHaveComment) {
            ProcessComment(data, length);
            m_bHaveComment = true;
        }
        if (result < 10 && thumbPath && *thumbPath && (marker == M_APP1 || marker == M_APP2 || marker == M_APP13)) {
            if (WriteThumbnail(data, length, thumbPath))
                result += 10;
        }
    }
    SetError("Too many sections in jpg file");
    return result;
}
