// The image object and packed DIB handles: conversions and .bmp writers.
#include "image/ImageObject.h"

#include "image/DibLayout.h"
#include "image/PixelBlock.h"

#include <cstring>

using namespace mivo::image;

namespace {

// A locked global block, unlocked when it goes.
class LockedBlock {
public:
    explicit LockedBlock(HGLOBAL handle)
        : m_handle(handle), m_data(handle ? static_cast<BYTE*>(GlobalLock(handle)) : nullptr),
          m_size(m_data ? GlobalSize(handle) : 0)
    {
    }
    ~LockedBlock()
    {
        if (m_data)
            GlobalUnlock(m_handle);
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;
    BYTE* data() const { return m_data; }
    uint64_t size() const { return m_size; }

private:
    HGLOBAL m_handle;
    BYTE* m_data;
    uint64_t m_size;
};

}  // namespace

HGLOBAL CImageObject::DibFromImgObj()
{
    if (!m_pImageBuf || m_nWidth <= 0 || m_nHeight <= 0)
        return nullptr;
    const uint64_t image = uint64_t(m_nRowBytes) * uint64_t(m_nHeight);
    HGLOBAL dib = GlobalAlloc(GHND, SIZE_T(sizeof(BITMAPINFOHEADER) + image));
    BYTE* block = dib ? static_cast<BYTE*>(GlobalLock(dib)) : nullptr;
    if (!block) {
        if (dib)
            GlobalFree(dib);
        return nullptr;
    }
    BITMAPINFOHEADER header;
    memset(&header, 0, sizeof header);
    header.biSize = sizeof header;
    header.biWidth = m_nWidth;
    header.biHeight = m_nHeight;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = DWORD(image);
    memcpy(block, &header, sizeof header);
    memcpy(block + sizeof header, m_pImageBuf, size_t(image));
    GlobalUnlock(dib);
    return dib;
}

// Clipboard data comes from other programs: every size is checked against
// the block actually there before a byte is read.
CImageObject* CImageObject::HandleToImgObj(HGLOBAL dib)
{
    LockedBlock block(dib);
    DibLayout layout;
    if (!ReadDibLayout(block.data(), block.size(), true, &layout))
        return nullptr;
    PixelBlock owned;
    owned.Replace(AllocPixelBlock(PixelBlockBytes(uint64_t(layout.width), uint64_t(layout.height)), true));
    CImageObject* img = owned ? NewSibling() : nullptr;
    if (!img)
        return nullptr;
    BYTE* pixels = owned.Release();
    img->KeepDecoded(pixels, UINT(layout.width), UINT(layout.height));
    ConvertDibRows(block.data(), layout, pixels, uint64_t(img->m_nRowBytes));
    return img;
}

int CImageObject::WriteDIB(const char* path, HGLOBAL dib)
{
    LockedBlock block(dib);
    DibLayout layout;
    if (!path || !ReadDibLayout(block.data(), block.size(), false, &layout))
        return 0;
    // The rows start after the header, the masks and the colour table as the
    // block really holds them.
    const BITMAPFILEHEADER file = MakeFileHeader(block.size() + sizeof(BITMAPFILEHEADER),
                                                 layout.bitsOffset + sizeof(BITMAPFILEHEADER));
    const FilePiece pieces[] = {{&file, sizeof file}, {block.data(), block.size()}};
    return WriteFilePieces(path, pieces, 2) ? 1 : 0;
}

int CImageObject::SaveBitmapHandle(HGLOBAL dib, CString path)
{
    if (!dib)
        return 0;
    int written = 0;
    {
        LockedBlock block(dib);
        DibLayout layout;
        if (ReadDibLayout(block.data(), block.size(), false, &layout)) {
            const uint64_t bytes = layout.bitsOffset + layout.imageBytes;
            const BITMAPFILEHEADER file = MakeFileHeader(bytes + sizeof(BITMAPFILEHEADER),
                                                         layout.bitsOffset + sizeof(BITMAPFILEHEADER));
            const FilePiece pieces[] = {{&file, sizeof file}, {block.data(), bytes}};
            written = WriteFilePieces(path, pieces, 2) ? 1 : 0;
        }
    }
    GlobalFree(dib);
    return written;
}
