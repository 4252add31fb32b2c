#include "image/GIFFile.h"

#include "image/ImageFile.h"
#include "image/ImageNotifier.h"
#include "image/PixelBlock.h"
#include "image/PixelRows.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

using namespace mivo::image;

namespace {

const int kMaxCodes = 4096;
const int kStackSize = 2 * kMaxCodes;

inline uint32_t Le16(const BYTE* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }

// Where decoded pixels go: row y starts at base + y x stride, `order` says
// whether a pixel is red-green-blue (false) or blue-green-red (true).
struct RasterTarget {
    BYTE* base;
    ptrdiff_t stride;
    bool bgr;
};

// State of one decode: screen, tables, the LZW decoder and its bit reader.
class GifDecoder {
public:
    explicit GifDecoder(FILE* file) : m_file(file) {}

    // Reads up to the first image descriptor. `strict` refuses anything but
    // the image right after the colour table. Sets the error text on failure.
    bool ReadToImage(CString* error, const char* path, bool strict);
    // Reads the local table and the raster into `target`.
    bool DecodeImage(CString* error, const RasterTarget& target);

    uint32_t Width() const { return m_width; }
    uint32_t Height() const { return m_height; }

private:
    bool ReadBytes(void* buf, size_t n) { return fread(buf, 1, n, m_file) == n; }
    bool ReadColourTable(BYTE planes[3][256], uint32_t entries);
    void ReadExtension(int label);
    int ReadDataBlock(BYTE* buf);
    void SkipDataBlocks();

    void ResetCodes();
    int ReadCode(int bits);
    int NextValue();
    bool Push(int value);

    FILE* m_file;
    // Logical screen, kept but not used for the result.
    uint32_t m_screenWidth = 0, m_screenHeight = 0, m_globalEntries = 0, m_colourResolution = 0;
    int m_background = 0, m_aspect = 0;
    bool m_hasGlobal = false;
    BYTE m_global[3][256] = {};
    BYTE m_local[3][256] = {};
    // Graphic control values, read and kept, never applied.
    int m_transparent = -1, m_delay = -1, m_inputFlag = -1, m_disposal = 0;
    // Image descriptor.
    uint32_t m_width = 0, m_height = 0;
    int m_flags = 0;

    // LZW decoder.
    int m_codeSize = 0, m_setCodeSize = 0, m_clearCode = 0, m_endCode = 0;
    int m_nextFree = 0, m_limit = 0, m_firstCode = 0, m_oldCode = 0;
    bool m_fresh = true;
    uint16_t m_prefix[kMaxCodes] = {};
    uint16_t m_suffix[kMaxCodes] = {};
    uint16_t m_stack[kStackSize] = {};
    int m_sp = 0;

    // Bit reader: two bytes carried over and one data sub-block.
    BYTE m_buf[280] = {};
    int m_curBit = 0, m_lastBit = 0, m_lastByte = 2;
    bool m_done = false, m_zeroBlock = false;
};

bool GifDecoder::ReadColourTable(BYTE planes[3][256], uint32_t entries)
{
    BYTE rgb[256 * 3];
    memset(planes, 0, 3 * 256);
    if (!ReadBytes(rgb, entries * 3))
        return false;
    for (uint32_t i = 0; i < entries; ++i)
        for (int c = 0; c < 3; ++c)
            planes[c][i] = rgb[3 * i + c];
    return true;
}

// A sub-block into buf; its length, 0 at the terminator or the end of the file.
int GifDecoder::ReadDataBlock(BYTE* buf)
{
    int count = getc(m_file);
    if (count == EOF)
        return 0;
    if (count == 0) {
        m_zeroBlock = true;
        return 0;
    }
    return int(fread(buf, 1, size_t(count), m_file));
}

void GifDecoder::SkipDataBlocks()
{
    BYTE buf[256];
    for (;;) {
        int count = getc(m_file);
        if (count == EOF || count == 0 || fread(buf, 1, size_t(count), m_file) != size_t(count))
            return;
    }
}

void GifDecoder::ReadExtension(int label)
{
    if (label == 0xF9) {
        BYTE block[256] = {};
        if (ReadDataBlock(block) > 0) {
            m_disposal = (block[0] >> 2) & 7;
            m_inputFlag = (block[0] >> 1) & 1;
            m_delay = int(Le16(block + 1));
            if (block[0] & 1)
                m_transparent = block[3];
        }
    }
    // Comments, plain text, application and unknown extensions are skipped.
    SkipDataBlocks();
}

bool GifDecoder::ReadToImage(CString* error, const char* path, bool strict)
{
    BYTE magic[6];
    if (!ReadBytes(magic, 6)) {
        error->Format("Error reading GIF Magic #\n%s", path);
        return false;
    }
    if (memcmp(magic, "GIF", 3) != 0) {
        error->Format("Error, %s is not a valid .GIF file", path);
        return false;
    }
    if (memcmp(magic + 3, "87a", 3) != 0 && memcmp(magic + 3, "89a", 3) != 0) {
        *error = "Error, Bad GIF Version number";
        return false;
    }
    BYTE screen[7];
    if (!ReadBytes(screen, 7)) {
        *error = "Error, failed to GIF read screen descriptor.\nGiving up";
        return false;
    }
    m_screenWidth = Le16(screen);
    m_screenHeight = Le16(screen + 2);
    m_globalEntries = 2u << (screen[4] & 7);
    m_colourResolution = ((screen[4] >> 3) & 14) + 1;
    m_background = screen[5];
    m_aspect = screen[6];
    m_hasGlobal = (screen[4] & 0x80) != 0;
    if (m_hasGlobal && !ReadColourTable(m_global, m_globalEntries)) {
        *error = "Error reading GIF colormap";
        return false;
    }
    if (m_aspect != 0 && m_aspect != 49)
        *error = "Non-square pixels in GIF image.\nIgnoring that fact...";

    for (;;) {
        int c = getc(m_file);
        if (c == EOF) {
            *error = "Unexpected EOF in GIF.\nGiving up";
            return false;
        }
        if (strict && c != ',')
            return false;
        if (c == '!') {
            int label = getc(m_file);
            if (label == EOF) {
                *error = "Error on extension read.\nGiving up";
                return false;
            }
            ReadExtension(label);
        } else if (c == ',') {
            break;
        }
    }
    BYTE desc[9];
    if (!ReadBytes(desc, 9)) {
        *error = "Error on dimension read\nGiving up";
        return false;
    }
    m_width = Le16(desc + 4);
    m_height = Le16(desc + 6);
    m_flags = desc[8];
    if (m_width == 0 || m_height == 0) {
        *error = "Error on dimension read\nGiving up";
        return false;
    }
    return true;
}

void GifDecoder::ResetCodes()
{
    m_codeSize = m_setCodeSize + 1;
    m_clearCode = 1 << m_setCodeSize;
    m_endCode = m_clearCode + 1;
    m_limit = 2 * m_clearCode;
    m_nextFree = m_clearCode + 2;
    memset(m_prefix, 0, sizeof m_prefix);
    memset(m_suffix, 0, sizeof m_suffix);
    for (int i = 0; i < m_clearCode; ++i)
        m_suffix[i] = uint16_t(i);
    m_sp = 0;
}

// The next code of `bits` bits, least significant bit first; -1 at the end.
int GifDecoder::ReadCode(int bits)
{
    while (m_curBit + bits > m_lastBit) {
        if (m_done)
            return -1;
        m_buf[0] = m_buf[m_lastByte - 2];
        m_buf[1] = m_buf[m_lastByte - 1];
        int count = ReadDataBlock(m_buf + 2);
        if (count == 0)
            m_done = true;
        m_lastByte = 2 + count;
        m_curBit = m_curBit - m_lastBit + 16;
        m_lastBit = (2 + count) * 8;
    }
    // At most 12 bits, so three bytes hold them (the buffer has room past its data).
    const BYTE* p = m_buf + (m_curBit >> 3);
    uint32_t raw = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
    int code = int((raw >> (m_curBit & 7)) & ((1u << bits) - 1));
    m_curBit += bits;
    return code;
}

bool GifDecoder::Push(int value)
{
    if (m_sp >= kStackSize)
        return false;
    m_stack[m_sp++] = uint16_t(value);
    return true;
}

// The next pixel value, or -1 when the code stream ends.
int GifDecoder::NextValue()
{
    if (m_fresh) {
        m_fresh = false;
        do {
            m_firstCode = m_oldCode = ReadCode(m_codeSize);
        } while (m_firstCode == m_clearCode);
        return m_firstCode;
    }
    if (m_sp > 0)
        return m_stack[--m_sp];

    int code;
    while ((code = ReadCode(m_codeSize)) >= 0) {
        if (code == m_clearCode) {
            ResetCodes();
            do {
                m_firstCode = m_oldCode = ReadCode(m_codeSize);
            } while (m_firstCode == m_clearCode);
            return m_firstCode;
        }
        if (code == m_endCode) {
            if (!m_zeroBlock)
                SkipDataBlocks();
            return -1;
        }
        int incode = code;
        if (code >= m_nextFree) {
            if (!Push(m_firstCode))
                return -1;
            code = m_oldCode;
        }
        while (code >= m_clearCode) {
            if (code == m_prefix[code] || !Push(m_suffix[code]))
                return -1;
            code = m_prefix[code];
        }
        m_firstCode = m_suffix[code];
        if (!Push(m_firstCode))
            return -1;
        if (m_nextFree < kMaxCodes) {
            m_prefix[m_nextFree] = uint16_t(m_oldCode);
            m_suffix[m_nextFree] = uint16_t(m_firstCode);
            ++m_nextFree;
            if (m_nextFree >= m_limit && m_limit < kMaxCodes) {
                m_limit *= 2;
                ++m_codeSize;
            }
        }
        m_oldCode = incode;
        return m_stack[--m_sp];
    }
    return -1;
}

bool GifDecoder::DecodeImage(CString* error, const RasterTarget& target)
{
    bool local = (m_flags & 0x80) != 0;
    bool interlaced = (m_flags & 0x40) != 0;
    if (local && !ReadColourTable(m_local, 1u << ((m_flags & 7) + 1))) {
        *error = "Error reading GIF colormap\nGiving up";
        return false;
    }
    BYTE (*planes)[256] = local ? m_local : m_global;
    const char* rasterError =
        local ? "Error reading GIF file\nLocalColorMap\nGiving up" : "Error reading GIF file\nGIFScreen Colormap\nGiving up";

    // Index values past the 256 table entries come out black.
    BYTE lut[kMaxCodes][3] = {};
    for (int i = 0; i < 256; ++i) {
        lut[i][0] = target.bgr ? planes[2][i] : planes[0][i];
        lut[i][1] = planes[1][i];
        lut[i][2] = target.bgr ? planes[0][i] : planes[2][i];
    }

    int c = getc(m_file);
    if (c == EOF || c >= 12) {
        *error = rasterError;
        return false;
    }
    m_setCodeSize = c;
    ResetCodes();
    m_fresh = true;

    static const uint32_t passStart[4] = {0, 4, 2, 1};
    static const uint32_t passStep[4] = {8, 8, 4, 2};
    uint32_t x = 0, y = 0;
    int pass = 0;
    BYTE* row = target.base;
    while (y < m_height) {
        int v = NextValue();
        if (v < 0)
            break;
        memcpy(row + 3 * x, lut[v], 3);
        if (++x < m_width)
            continue;
        x = 0;
        if (!interlaced) {
            ++y;
        } else {
            y += passStep[pass];
            while (y >= m_height && pass < 3)
                y = passStart[++pass];
        }
        if (y < m_height)
            row = target.base + ptrdiff_t(y) * target.stride;
    }
    NextValue();
    return true;
}

void SetOut(UINT* p, uint64_t v)
{
    if (p)
        *p = UINT(v);
}

// Opens and decodes the first image into a block from `alloc`, which gets
// width and height and returns the target (NULL target base: no memory).
template <class Alloc>
BYTE* DecodeFile(const char* path, CString* error, UINT* width, UINT* height, Alloc alloc)
{
    SetOut(width, 0);
    SetOut(height, 0);
    if (!path || !*path) {
        *error = "No Name Given";
        return nullptr;
    }
    FILE* file = OpenImageFile(path, "rb");
    if (!file) {
        *error = CString("Cant open GIF :\n") + path;
        return nullptr;
    }
    std::unique_ptr<GifDecoder> decoder(new (std::nothrow) GifDecoder(file));
    PixelBlock block;
    if (!decoder) {
        *error = "Out of Memory in GIFRead";
    } else if (decoder->ReadToImage(error, path, false)) {
        RasterTarget target{nullptr, 0, false};
        block.Replace(alloc(decoder->Width(), decoder->Height(), &target));
        if (!block) {
            *error = "Out of Memory in GIFRead";
        } else if (!decoder->DecodeImage(error, target)) {
            block.Replace(nullptr);
        } else {
            SetOut(width, decoder->Width());
            SetOut(height, decoder->Height());
        }
    }
    fclose(file);
    return block.Release();
}

BYTE* AllocPacked(uint32_t w, uint32_t h, bool bgr, RasterTarget* target)
{
    uint64_t bytes = uint64_t(w) * h * 3;
    BYTE* block = PixelBlockBytes(w, h) ? AllocPixelBlock(bytes, true) : nullptr;
    *target = RasterTarget{block, ptrdiff_t(w) * 3, bgr};
    return block;
}

// Header walk of the size queries, without error text.
bool ReadImageSize(const char* path, bool strict, uint32_t* width, uint32_t* height)
{
    FILE* file = OpenImageFile(path, "rb");
    if (!file)
        return false;
    std::unique_ptr<GifDecoder> decoder(new (std::nothrow) GifDecoder(file));
    CString ignored;
    bool ok = decoder && decoder->ReadToImage(&ignored, path, strict);
    if (ok) {
        *width = decoder->Width();
        *height = decoder->Height();
    }
    fclose(file);
    return ok;
}

// GIF87a LZW encoder: 9 to 12-bit codes, hashed string table, 254-byte packets.
class GifEncoder {
public:
    explicit GifEncoder(FILE* file) : m_file(file) {}
    bool Encode(const BYTE* pixels, uint64_t count);

private:
    static const int kHashSize = 5003;
    static const int kClear = 256;
    static const int kEnd = 257;

    void ClearHash();
    void Output(int code);
    void PutByte(BYTE b);
    void FlushPacket();

    FILE* m_file;
    bool m_ok = true;
    int m_bits = 9;
    int m_maxCode = 511;
    int m_nextFree = kEnd + 1;
    bool m_clearFlag = false;
    int32_t m_hash[kHashSize];
    uint16_t m_codes[kHashSize];
    uint32_t m_accum = 0;
    int m_accumBits = 0;
    BYTE m_packet[254];
    int m_packetBytes = 0;
};

void GifEncoder::ClearHash()
{
    for (int i = 0; i < kHashSize; ++i)
        m_hash[i] = -1;
}

void GifEncoder::FlushPacket()
{
    if (m_packetBytes == 0)
        return;
    BYTE length = BYTE(m_packetBytes);
    m_ok = m_ok && fwrite(&length, 1, 1, m_file) == 1 &&
           fwrite(m_packet, 1, size_t(m_packetBytes), m_file) == size_t(m_packetBytes);
    m_packetBytes = 0;
}

void GifEncoder::PutByte(BYTE b)
{
    m_packet[m_packetBytes++] = b;
    if (m_packetBytes == int(sizeof m_packet))
        FlushPacket();
}

void GifEncoder::Output(int code)
{
    m_accum |= uint32_t(code) << m_accumBits;
    m_accumBits += m_bits;
    while (m_accumBits >= 8) {
        PutByte(BYTE(m_accum));
        m_accum >>= 8;
        m_accumBits -= 8;
    }
    if (m_clearFlag) {
        m_bits = 9;
        m_maxCode = 511;
        m_clearFlag = false;
    } else if (m_nextFree > m_maxCode) {
        ++m_bits;
        m_maxCode = m_bits == 12 ? kMaxCodes : (1 << m_bits) - 1;
    }
    if (code == kEnd) {
        while (m_accumBits > 0) {
            PutByte(BYTE(m_accum));
            m_accum >>= 8;
            m_accumBits -= 8;
        }
        FlushPacket();
    }
}

bool GifEncoder::Encode(const BYTE* pixels, uint64_t count)
{
    ClearHash();
    Output(kClear);
    int current = pixels[0];
    for (uint64_t n = 1; n < count; ++n) {
        int c = pixels[n];
        int32_t key = (int32_t(c) << 12) + current;
        int slot = (c << 4) ^ current;
        if (m_hash[slot] == key) {
            current = m_codes[slot];
            continue;
        }
        bool found = false;
        if (m_hash[slot] >= 0) {
            int disp = slot == 0 ? 1 : kHashSize - slot;
            do {
                slot -= disp;
                if (slot < 0)
                    slot += kHashSize;
                if (m_hash[slot] == key) {
                    current = m_codes[slot];
                    found = true;
                    break;
                }
            } while (m_hash[slot] > 0);
        }
        if (found)
            continue;
        Output(current);
        current = c;
        if (m_nextFree < kMaxCodes) {
            m_codes[slot] = uint16_t(m_nextFree++);
            m_hash[slot] = key;
        } else {
            ClearHash();
            m_nextFree = kEnd + 1;
            m_clearFlag = true;
            Output(kClear);
        }
    }
    Output(current);
    Output(kEnd);
    return m_ok;
}

void PutLe16(BYTE* p, uint32_t v)
{
    p[0] = BYTE(v);
    p[1] = BYTE(v >> 8);
}

}  // namespace

CGIFFile::CGIFFile() : CGIFFile(nullptr, nullptr) {}

CGIFFile::CGIFFile(CWnd* progressWnd, int* interrupt)
    : m_strError("No Error"), m_pProgressWnd(progressWnd), m_pInterrupt(interrupt)
{
}

CGIFFile::~CGIFFile() {}

BYTE* CGIFFile::GIFReadFileToRGB(CString path, UINT* width, UINT* height)
{
    return DecodeFile((LPCSTR)path, &m_strError, width, height,
                      [](uint32_t w, uint32_t h, RasterTarget* t) { return AllocPacked(w, h, false, t); });
}

BYTE* CGIFFile::LoadGIF(const char* path, UINT* width, UINT* height)
{
    SendProgress(m_pProgressWnd, m_pInterrupt, 0);
    BYTE* block = DecodeFile(path, &m_strError, width, height, [](uint32_t w, uint32_t h, RasterTarget* t) {
        uint64_t rowBytes = RowBytes24(w);
        BYTE* b = AllocPixelBlock(PixelBlockBytes(w, h), true);
        *t = RasterTarget{b ? b + (h - 1) * rowBytes : nullptr, -ptrdiff_t(rowBytes), true};
        return b;
    });
    if (block)
        SendProgress(m_pProgressWnd, m_pInterrupt, 100);
    return block;
}

BYTE* CGIFFile::LoadGIFScaled(const char* path, UINT ratio, UINT* width, UINT* height)
{
    SetOut(width, 0);
    SetOut(height, 0);
    SendProgress(m_pProgressWnd, m_pInterrupt, 0);
    if (ratio == 0)
        return nullptr;
    UINT w0 = 0, h0 = 0;
    std::unique_ptr<BYTE[]> whole(DecodeFile(path, &m_strError, &w0, &h0, [](uint32_t w, uint32_t h, RasterTarget* t) {
        return AllocPacked(w, h, true, t);
    }));
    if (!whole)
        return nullptr;
    uint64_t w = max(uint64_t(1), uint64_t(w0) * ratio / 1000);
    uint64_t h = max(uint64_t(1), uint64_t(h0) * ratio / 1000);
    PixelBlock result;
    result.Replace(AllocPixelBlock(PixelBlockBytes(w, h), true));
    std::unique_ptr<uint32_t[]> columns(new (std::nothrow) uint32_t[size_t(result ? w : 0)]);
    if (!result || !columns)
        return nullptr;
    BuildColumnOffsets(columns.get(), uint32_t(w), w0);
    uint64_t rowBytes = RowBytes24(w);
    for (uint64_t y = 0; y < h; ++y) {
        const BYTE* src = whole.get() + uint64_t(NearestIndex(y, h0, h)) * w0 * 3;
        SampleRow(result + (h - 1 - y) * rowBytes, src, columns.get(), uint32_t(w));
    }
    SetOut(width, w);
    SetOut(height, h);
    SendProgress(m_pProgressWnd, m_pInterrupt, 100);
    return result.Release();
}

UINT CGIFFile::GetGIFWidth(CString path)
{
    uint32_t w = 0, h = 0;
    return ReadImageSize((LPCSTR)path, false, &w, &h) ? w : 0;
}

UINT CGIFFile::GetGIFHeight(CString path)
{
    uint32_t w = 0, h = 0;
    return ReadImageSize((LPCSTR)path, false, &w, &h) ? h : 0;
}

BOOL CGIFFile::GetGIFSize(CString path, CSize* size)
{
    uint32_t w = 0, h = 0;
    bool ok = ReadImageSize((LPCSTR)path, false, &w, &h);
    if (size) {
        size->cx = ok ? LONG(w) : 0;
        size->cy = ok ? LONG(h) : 0;
    }
    return ok;
}

BOOL CGIFFile::GIFGetDimensions(CString path, UINT* width, UINT* height)
{
    uint32_t w = 0, h = 0;
    bool ok = ReadImageSize((LPCSTR)path, true, &w, &h);
    SetOut(width, ok ? w : UINT(-1));
    SetOut(height, ok ? h : UINT(-1));
    return ok;
}

int CGIFFile::GIFWriteFileFrom256Color(BYTE* pixels, CString path, int width, int height, int background, int* red,
                                       int* green, int* blue)
{
    if (!pixels || !red || !green || !blue || width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF) {
        m_strError = "Bad GIF image";
        return 0;
    }
    FILE* file = OpenImageFile((LPCSTR)path, "wb");
    if (!file) {
        m_strError = "Can't open GIF for writing";
        return 0;
    }
    BYTE head[13 + 768 + 11];
    memcpy(head, "GIF87a", 6);
    PutLe16(head + 6, uint32_t(width));
    PutLe16(head + 8, uint32_t(height));
    head[10] = 0xE7;
    head[11] = BYTE(background);
    head[12] = 0;
    for (int i = 0; i < 256; ++i) {
        head[13 + 3 * i] = BYTE(red[i]);
        head[14 + 3 * i] = BYTE(green[i]);
        head[15 + 3 * i] = BYTE(blue[i]);
    }
    BYTE* desc = head + 13 + 768;
    desc[0] = ',';
    PutLe16(desc + 1, 0);
    PutLe16(desc + 3, 0);
    PutLe16(desc + 5, uint32_t(width));
    PutLe16(desc + 7, uint32_t(height));
    desc[9] = 0;
    desc[10] = 8;
    bool ok = fwrite(head, 1, sizeof head, file) == sizeof head;
    std::unique_ptr<GifEncoder> encoder(new (std::nothrow) GifEncoder(file));
    ok = ok && encoder && encoder->Encode(pixels, uint64_t(width) * uint64_t(height));
    static const BYTE tail[2] = {0, ';'};
    ok = ok && fwrite(tail, 1, 2, file) == 2;
    ok = fclose(file) == 0 && ok;
    if (!ok) {
        m_strError = "Can't write GIF";
        return 0;
    }
    return 1;
}

int CGIFFile::SaveGIF(const char*)
{
    return 1;
}

BOOL CGIFFile::BGRFromRGB(BYTE* buf, UINT widthPix, UINT height)
{
    if (!buf)
        return FALSE;
    SwapRedBlue(buf, uint64_t(widthPix) * height);
    return TRUE;
}
