#include "image/JPGFile.h"

#include "image/ImageFile.h"
#include "image/ImageNotifier.h"
#include "image/PixelBlock.h"
#include "image/PixelRows.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>

// The Win32 types already name INT32; tell the library's headers so.
#define XMD_H
#include <jpeglib.h>
#include <jerror.h>

using namespace mivo::image;

namespace {

// A progressive file may ask for any number of scans; past this it is refused.
const int kMaxScans = 1000;
// Working memory the library may take for one picture (whole-image buffers
// of progressive files); beyond it the decode fails instead of swapping.
const long kLibraryMemory = 1L << 30;

struct ErrorManager {
    jpeg_error_mgr pub;
    jmp_buf jump;
    bool loud;
};

// The library's fatal errors come here; they must not return.
void FatalError(j_common_ptr cinfo)
{
    ErrorManager* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    char text[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, text);
    if (err->loud)
        ShowMessageBox(text, "JPEG Fatal Error", MB_ICONERROR);
    longjmp(err->jump, 1);
}

// Warnings and traces are not shown.
void SilentMessage(j_common_ptr) {}

jpeg_error_mgr* InitErrors(ErrorManager* err, bool loud)
{
    jpeg_std_error(&err->pub);
    err->pub.error_exit = FatalError;
    err->pub.output_message = SilentMessage;
    err->loud = loud;
    return &err->pub;
}

// The library calls its progress monitor between input passes and rows, also
// while it absorbs the scans of a progressive file before the first output
// row, where the row loops cannot look at the interrupt flag.
struct WorkWatch {
    jpeg_progress_mgr pub;
    const int* interrupt;
};

void WatchWork(j_common_ptr cinfo)
{
    const WorkWatch* watch = reinterpret_cast<const WorkWatch*>(cinfo->progress);
    // An interrupt leaves like a fatal error, without a message: the decode
    // cleans up and returns NULL, as an interrupted row loop does.
    if (IsInterrupted(watch->interrupt))
        longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
    if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
        ERREXIT1(cinfo, JERR_BAD_SCAN_SCRIPT, kMaxScans);
}

void LimitWork(j_decompress_ptr cinfo, WorkWatch* watch, const int* interrupt)
{
    memset(watch, 0, sizeof *watch);
    watch->pub.progress_monitor = WatchWork;
    watch->interrupt = interrupt;
    cinfo->progress = &watch->pub;
    cinfo->mem->max_memory_to_use = kLibraryMemory;
}

// The compressed stream from an open file. The library's own file source
// reads 4 KB a call; a whole picture then takes hundreds of system calls,
// which a larger buffer cuts to a few dozen. The rest is as the library's:
// an empty file is an error, a file cut short ends in a warning and an end
// marker, so the rows not in the file come out grey.
const size_t kReadBytes = size_t(64) << 10;

struct FileSource {
    jpeg_source_mgr pub;
    FILE* file;
    JOCTET* buffer;
    bool started;
};

void StartSource(j_decompress_ptr cinfo)
{
    reinterpret_cast<FileSource*>(cinfo->src)->started = false;
}

boolean FillSource(j_decompress_ptr cinfo)
{
    FileSource* src = reinterpret_cast<FileSource*>(cinfo->src);
    size_t n = fread(src->buffer, 1, kReadBytes, src->file);
    if (n == 0) {
        if (!src->started)
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        WARNMS(cinfo, JWRN_JPEG_EOF);
        src->buffer[0] = JOCTET(0xFF);
        src->buffer[1] = JOCTET(JPEG_EOI);
        n = 2;
    }
    src->pub.next_input_byte = src->buffer;
    src->pub.bytes_in_buffer = n;
    src->started = true;
    return TRUE;
}

void SkipSource(j_decompress_ptr cinfo, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr* src = cinfo->src;
    while (count > long(src->bytes_in_buffer)) {
        count -= long(src->bytes_in_buffer);
        FillSource(cinfo);  // never suspends
    }
    src->next_input_byte += size_t(count);
    src->bytes_in_buffer -= size_t(count);
}

void EndSource(j_decompress_ptr) {}

void ReadFrom(j_decompress_ptr cinfo, FILE* file)
{
    j_common_ptr common = reinterpret_cast<j_common_ptr>(cinfo);
    FileSource* src =
        static_cast<FileSource*>((*cinfo->mem->alloc_small)(common, JPOOL_PERMANENT, sizeof(FileSource)));
    src->buffer = static_cast<JOCTET*>((*cinfo->mem->alloc_large)(common, JPOOL_PERMANENT, kReadBytes));
    src->file = file;
    src->started = false;
    src->pub.init_source = StartSource;
    src->pub.fill_input_buffer = FillSource;
    src->pub.skip_input_data = SkipSource;
    src->pub.resync_to_restart = jpeg_resync_to_restart;
    src->pub.term_source = EndSource;
    src->pub.bytes_in_buffer = 0;
    src->pub.next_input_byte = nullptr;
    cinfo->src = &src->pub;
}

void ShowOpenFailure(const char* format, const char* path)
{
    std::string text(strlen(format) + strlen(path), '\0');
    snprintf(&text[0], text.size() + 1, format, path);
    ShowMessage(text.c_str(), MB_OK);
}

void ShowOutOfMemory()
{
    ShowMessage("JpegFile :\nOut of memory", MB_ICONERROR);
}

// Colour and grey come out of the library as blue-green-red; CMYK comes as
// four bytes that ConvertRow turns into colour.
void ChooseOutput(j_decompress_ptr cinfo)
{
    switch (cinfo->jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_RGB:
    case JCS_YCbCr:
        cinfo->out_color_space = JCS_EXT_BGR;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        cinfo->out_color_space = JCS_CMYK;
        break;
    default:
        break;
    }
}

// The library shrinks by the largest power of two, at most 8, that stays at
// or above the wanted size; returns the ratio left to apply to its output.
uint64_t SetReduction(j_decompress_ptr cinfo, UINT ratio)
{
    UINT k = 1000 / ratio;
    UINT denom = k < 2 ? 1 : k < 4 ? 2 : k < 8 ? 4 : 8;
    cinfo->scale_num = 1;
    cinfo->scale_denom = denom;
    cinfo->dct_method = JDCT_IFAST;
    cinfo->do_fancy_upsampling = FALSE;
    cinfo->do_block_smoothing = TRUE;
    cinfo->dither_mode = JDITHER_ORDERED;
    cinfo->two_pass_quantize = FALSE;
    return uint64_t(ratio) * denom;
}

inline BYTE CmykChannel(unsigned ink, unsigned black, bool inverted)
{
    return inverted ? BYTE(ink * black / 255) : BYTE((255 - ink) * (255 - black) / 255);
}

// One library row into blue-green-red.
void ConvertRow(BYTE* dst, const BYTE* src, uint64_t width, int components, bool adobeInverted)
{
    if (components == 3) {
        memcpy(dst, src, size_t(width * 3));
    } else if (components == 4) {
        for (uint64_t x = 0; x < width; ++x, dst += 3, src += 4) {
            dst[0] = CmykChannel(src[2], src[3], adobeInverted);
            dst[1] = CmykChannel(src[1], src[3], adobeInverted);
            dst[2] = CmykChannel(src[0], src[3], adobeInverted);
        }
    } else {
        memset(dst, 0, size_t(width * 3));
    }
}

inline void ClearPadding(BYTE* row, uint64_t width, uint64_t rowBytes)
{
    memset(row + width * 3, 0, size_t(rowBytes - width * 3));
}

struct DecodeTarget {
    BYTE* block;
    uint64_t width;
    uint64_t height;
    uint64_t rowBytes;
};

// Rows straight from the library into the block (no scaling, BGR output).
bool ReadDirect(j_decompress_ptr cinfo, const DecodeTarget& t, CWnd* wnd, int* interrupt)
{
    for (uint64_t r = 0; r < t.height; ++r) {
        if (IsInterrupted(interrupt))
            return false;
        SendRowProgress(wnd, interrupt, r, t.height);
        JSAMPROW row = t.block + (t.height - 1 - r) * t.rowBytes;
        if (jpeg_read_scanlines(cinfo, &row, 1) != 1)
            memset(row, 0, size_t(t.width * 3));
        ClearPadding(row, t.width, t.rowBytes);
    }
    return true;
}

// Rows picked by nearest neighbour; a source row is kept while the result
// repeats it, so enlargements work as well as reductions.
bool ReadSampled(j_decompress_ptr cinfo, const DecodeTarget& t, CWnd* wnd, int* interrupt)
{
    uint64_t srcWidth = cinfo->output_width, srcHeight = cinfo->output_height;
    int components = cinfo->output_components;
    bool inverted = cinfo->saw_Adobe_marker;
    j_common_ptr common = reinterpret_cast<j_common_ptr>(cinfo);
    JSAMPARRAY raw = (*cinfo->mem->alloc_sarray)(common, JPOOL_IMAGE, JDIMENSION(srcWidth * components), 1);
    memset(raw[0], 0, size_t(srcWidth * components));
    BYTE* bgr = raw[0];
    if (components != 3)
        bgr = (*cinfo->mem->alloc_sarray)(common, JPOOL_IMAGE, JDIMENSION(srcWidth * 3), 1)[0];
    uint32_t* columns = static_cast<uint32_t*>(
        (*cinfo->mem->alloc_large)(common, JPOOL_IMAGE, size_t(t.width * sizeof(uint32_t))));
    BuildColumnOffsets(columns, uint32_t(t.width), uint32_t(srcWidth));

    uint64_t converted = UINT64_MAX;
    for (uint64_t y = 0; y < t.height; ++y) {
        if (IsInterrupted(interrupt))
            return false;
        SendRowProgress(wnd, interrupt, y, t.height);
        uint64_t source = y * srcHeight / t.height;
        while (cinfo->output_scanline <= source && cinfo->output_scanline < srcHeight) {
            if (jpeg_read_scanlines(cinfo, raw, 1) != 1)
                break;
        }
        if (converted != cinfo->output_scanline) {
            if (components != 3)
                ConvertRow(bgr, raw[0], srcWidth, components, inverted);
            converted = cinfo->output_scanline;
        }
        BYTE* row = t.block + (t.height - 1 - y) * t.rowBytes;
        SampleRow(row, bgr, columns, uint32_t(t.width));
        ClearPadding(row, t.width, t.rowBytes);
    }
    return true;
}

inline uint64_t ScaledSide(uint64_t side, uint64_t ratio)
{
    uint64_t scaled = side * ratio / 1000;
    return scaled ? scaled : 1;
}

BYTE* DecodeFile(FILE* file, UINT ratio, UINT* widthOut, UINT* heightOut, bool loud, CWnd* wnd, int* interrupt)
{
    jpeg_decompress_struct cinfo;
    ErrorManager jerr;
    WorkWatch watch;
    BYTE* volatile result = nullptr;

    cinfo.err = InitErrors(&jerr, loud);
    if (setjmp(jerr.jump)) {
        jpeg_destroy_decompress(&cinfo);
        delete[] result;
        return nullptr;
    }
    jpeg_create_decompress(&cinfo);
    LimitWork(&cinfo, &watch, interrupt);
    ReadFrom(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    ChooseOutput(&cinfo);
    uint64_t restRatio = ratio ? SetReduction(&cinfo, ratio) : 1000;
    jpeg_calc_output_dimensions(&cinfo);

    DecodeTarget t;
    t.width = ScaledSide(cinfo.output_width, restRatio);
    t.height = ScaledSide(cinfo.output_height, restRatio);
    t.rowBytes = RowBytes24(t.width);
    uint64_t bytes = PixelBlockBytes(t.width, t.height);
    result = AllocPixelBlock(bytes, false);
    if (!result) {
        ShowOutOfMemory();
        jpeg_destroy_decompress(&cinfo);
        return nullptr;
    }
    t.block = result;
    jpeg_start_decompress(&cinfo);

    bool direct = t.width == cinfo.output_width && t.height == cinfo.output_height && cinfo.output_components == 3;
    bool done = direct ? ReadDirect(&cinfo, t, wnd, interrupt) : ReadSampled(&cinfo, t, wnd, interrupt);
    if (!done) {
        jpeg_destroy_decompress(&cinfo);
        delete[] result;
        return nullptr;
    }
    if (cinfo.output_scanline < cinfo.output_height)
        jpeg_abort_decompress(&cinfo);
    else
        jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    *widthOut = UINT(t.width);
    *heightOut = UINT(t.height);
    return result;
}

bool ReadHeaderSize(FILE* file, UINT* width, UINT* height)
{
    jpeg_decompress_struct cinfo;
    ErrorManager jerr;
    cinfo.err = InitErrors(&jerr, false);
    if (setjmp(jerr.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    *width = cinfo.image_width;
    *height = cinfo.image_height;
    jpeg_destroy_decompress(&cinfo);
    return true;
}

// Grey rows, top row first, red taken from the third stored byte.
BYTE* MakeGreyRows(const BYTE* data, UINT width, UINT height)
{
    uint64_t bytes = uint64_t(width) * height;
    if (bytes > kMaxPixelBlockBytes)
        return nullptr;
    BYTE* grey = new (std::nothrow) BYTE[size_t(bytes)];
    if (!grey)
        return nullptr;
    uint64_t rowBytes = RowBytes24(width);
    for (uint64_t n = 0; n < height; ++n) {
        const BYTE* src = data + (height - 1 - n) * rowBytes;
        BYTE* dst = grey + n * width;
        for (UINT x = 0; x < width; ++x, src += 3)
            dst[x] = BYTE(0.299 * src[2] + 0.587 * src[1] + 0.114 * src[0]);
    }
    return grey;
}

bool EncodeFile(const char* path, const BYTE* data, const BYTE* grey, UINT width, UINT height, int quality,
                CWnd* wnd, int* interrupt)
{
    jpeg_compress_struct cinfo;
    ErrorManager jerr;
    FILE* volatile file = nullptr;

    cinfo.err = InitErrors(&jerr, true);
    if (setjmp(jerr.jump)) {
        jpeg_destroy_compress(&cinfo);
        if (file)
            fclose(file);
        return false;
    }
    jpeg_create_compress(&cinfo);
    file = OpenImageFile(path, "wb");
    if (!file) {
        jpeg_destroy_compress(&cinfo);
        ShowOpenFailure("JpegFile :\nCan't open %s\n", path);
        return false;
    }
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = grey ? 1 : 3;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);

    uint64_t rowBytes = RowBytes24(width);
    while (cinfo.next_scanline < height) {
        uint64_t n = cinfo.next_scanline;
        SendRowProgress(wnd, interrupt, n, height);
        const BYTE* row = grey ? grey + n * width : data + (height - 1 - n) * rowBytes;
        JSAMPROW rowPtr = const_cast<BYTE*>(row);
        jpeg_write_scanlines(&cinfo, &rowPtr, 1);
    }
    jpeg_finish_compress(&cinfo);
    FILE* written = file;
    file = nullptr;
    bool closed = fclose(written) == 0;
    jpeg_destroy_compress(&cinfo);
    return closed;
}

}  // namespace

CJPGFile::CJPGFile() : CJPGFile(nullptr, nullptr) {}

CJPGFile::CJPGFile(CWnd* progressWnd, int* interrupt) : m_pProgressWnd(progressWnd), m_pInterrupt(interrupt) {}

CJPGFile::~CJPGFile() {}

BYTE* CJPGFile::Decode(const char* path, UINT ratio, UINT* width, UINT* height, int showErrors)
{
    UINT w = 0, h = 0;
    BYTE* result = nullptr;
    FILE* file = OpenImageFile(path, "rb");
    if (!file) {
        ShowOpenFailure("JPEG :\nCan't open %s\n", path);
    } else {
        result = DecodeFile(file, ratio, &w, &h, showErrors != 0, m_pProgressWnd, m_pInterrupt);
        fclose(file);
    }
    if (width)
        *width = result ? w : 0;
    if (height)
        *height = result ? h : 0;
    if (result)
        SendProgress(m_pProgressWnd, m_pInterrupt, 100);
    return result;
}

BYTE* CJPGFile::JpegFileToRGB(CString path, UINT* width, UINT* height, int showErrors)
{
    return Decode((LPCSTR)path, 0, width, height, showErrors);
}

BYTE* CJPGFile::JpegFileToRGBScaled(CString path, UINT ratio, UINT* width, UINT* height, int showErrors)
{
    if (ratio == 0) {
        if (width)
            *width = 0;
        if (height)
            *height = 0;
        return nullptr;
    }
    return Decode((LPCSTR)path, ratio, width, height, showErrors);
}

BOOL CJPGFile::GetJPGSize(CString path, CSize* size)
{
    UINT w = 0, h = 0;
    FILE* file = OpenImageFile((LPCSTR)path, "rb");
    bool ok = false;
    if (!file) {
        ShowOpenFailure("JPEG :\nCan't open %s\n", (LPCSTR)path);
    } else {
        ok = ReadHeaderSize(file, &w, &h);
        fclose(file);
    }
    if (size) {
        size->cx = ok ? LONG(w) : 0;
        size->cy = ok ? LONG(h) : 0;
    }
    return ok;
}

BOOL CJPGFile::RGBToJpegFile(CString path, BYTE* data, UINT width, UINT height, BOOL color, int quality)
{
    if (!data || width == 0 || height == 0)
        return FALSE;
    std::unique_ptr<BYTE[]> grey;
    if (!color) {
        grey.reset(MakeGreyRows(data, width, height));
        if (!grey) {
            ShowMessage("Memory error", MB_OK);
            return FALSE;
        }
    }
    return EncodeFile((LPCSTR)path, data, grey.get(), width, height, quality, m_pProgressWnd, m_pInterrupt);
}

BYTE* CJPGFile::RGBFromDWORDAligned(BYTE* buf, UINT widthPix, UINT widthBytes, UINT height)
{
    return PackRows(buf, widthPix, widthBytes, height);
}

BYTE* CJPGFile::MakeDwordAlignedBuf(BYTE* buf, UINT widthPix, UINT height, UINT* widthBytes)
{
    return PadRows(buf, widthPix, height, widthBytes);
}

BOOL CJPGFile::VertFlipBuf(BYTE* buf, UINT widthBytes, UINT height)
{
    if (!buf)
        return FALSE;
    FlipRows(buf, widthBytes, height);
    return TRUE;
}

BOOL CJPGFile::BGRFromRGB(BYTE* buf, UINT widthPix, UINT height)
{
    if (!buf)
        return FALSE;
    SwapRedBlue(buf, uint64_t(widthPix) * height);
    return TRUE;
}

BOOL CJPGFile::MakeGrayScale(BYTE* buf, UINT widthPix, UINT height)
{
    if (!buf)
        return FALSE;
    GreyPixels(buf, uint64_t(widthPix) * height);
    return TRUE;
}
