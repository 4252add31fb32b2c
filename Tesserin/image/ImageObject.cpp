#include "image/ImageObject.h"

#include "image/BMPFile.h"
#include "image/GIFFile.h"
#include "image/ImageFile.h"
#include "image/ImageNotifier.h"
#include "image/JPGFile.h"
#include "image/PixelBlock.h"
#include "mivo/codepage.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>

using namespace mivo::image;

const char* const szExtensions[7] = {".JPG", ".BMP", ".GIF", ".PCX", ".TGA", ".TIF", ""};

int ExtensionIndex(const char* path)
{
    if (!path)
        return IMAGE_TYPE_UNKNOWN;
    size_t len = strlen(path);
    if (len < 4)
        return IMAGE_TYPE_UNKNOWN;
    for (int i = 0; szExtensions[i][0]; ++i) {
        if (mivo::AnsiCompareNoCase(path + len - 4, szExtensions[i]) == 0)
            return i + 1;
    }
    return IMAGE_TYPE_UNKNOWN;
}

namespace {

bool HasDecoder(int type)
{
    return type == IMAGE_TYPE_JPG || type == IMAGE_TYPE_BMP || type == IMAGE_TYPE_GIF;
}

// The fit rule: the scaled width is checked against the box height and the
// scaled height against the box width, as the views have always done.
int FitRatio(int64_t width, int64_t height, int64_t boxWidth, int64_t boxHeight, BOOL capAt1000)
{
    if (width <= 0 || height <= 0)
        return 0;
    int64_t rx = boxWidth * 1000 / width;
    int64_t ry = boxHeight * 1000 / height;
    int64_t ratio;
    if (rx >= ry) {
        ratio = ry;
        if (width * ry / 1000 > boxHeight)
            --ratio;
    } else {
        ratio = rx;
        if (height * rx / 1000 > boxWidth)
            --ratio;
    }
    if (capAt1000 && ratio > 1000)
        ratio = 1000;
    if (ratio < 0)
        ratio = 0;
    return ratio > INT_MAX ? INT_MAX : int(ratio);
}

}  // namespace

CImageObject::CImageObject(CWnd* progressWnd, int* interrupt)
    : m_pszFileName(nullptr), m_nWidth(0), m_nHeight(0), m_nRowBytes(0), m_nImageType(IMAGE_TYPE_NONE),
      m_nDstX(0), m_nDstY(0), m_nDstWidth(-1), m_nDstHeight(-1), m_nSrcX(0), m_nSrcY(0), m_nSrcWidth(-1),
      m_nSrcHeight(-1), m_nJPGQuality(95), m_strStatus("OK"), m_nNumBits(0), m_nNumColors(0),
      m_pProgressWnd(progressWnd), m_pInterrupt(nullptr), m_nOwnInterrupt(0)
{
    memset(&m_ExifInfo, 0, sizeof m_ExifInfo);
    m_pInterrupt = interrupt ? interrupt : &m_nOwnInterrupt;
}

CImageObject::~CImageObject()
{
    delete[] m_pszFileName;
}

void CImageObject::FreeImageBuf()
{
    m_pImageBuf.Replace(nullptr);
}

void CImageObject::SetFileName(const char* path)
{
    size_t len = strlen(path);
    char* copy = new (std::nothrow) char[len + 1];
    if (copy)
        memcpy(copy, path, len + 1);
    delete[] m_pszFileName;
    m_pszFileName = copy;
}

void CImageObject::BeginLoad(const char* path)
{
    SetFileName(path);
    m_nImageType = ExtensionIndex(path);
    memset(&m_ExifInfo, 0, sizeof m_ExifInfo);
}

BYTE* CImageObject::Decode(int type, const char* path, int ratio, int showErrors, UINT* width, UINT* height)
{
    *width = *height = 0;
    bool whole = ratio == 0;
    if (!whole && ratio < 0)
        return nullptr;
    switch (type) {
    case IMAGE_TYPE_JPG: {
        CJPGFile jpg(m_pProgressWnd, m_pInterrupt);
        return whole ? jpg.JpegFileToRGB(path, width, height, showErrors)
                     : jpg.JpegFileToRGBScaled(path, UINT(ratio), width, height, showErrors);
    }
    case IMAGE_TYPE_BMP: {
        CBMPFile bmp(m_pProgressWnd, m_pInterrupt);
        return whole ? bmp.LoadBMP(path, width, height) : bmp.LoadBMPScaled(path, UINT(ratio), width, height);
    }
    case IMAGE_TYPE_GIF: {
        CGIFFile gif(m_pProgressWnd, m_pInterrupt);
        return whole ? gif.LoadGIF(path, width, height) : gif.LoadGIFScaled(path, UINT(ratio), width, height);
    }
    default:
        return nullptr;
    }
}

// The decoded block replaces the old one; no block leaves a 0 x 0 picture.
void CImageObject::KeepDecoded(BYTE* block, UINT width, UINT height)
{
    m_pImageBuf.Replace(block);
    m_nWidth = block ? int(width) : 0;
    m_nHeight = block ? int(height) : 0;
    m_nRowBytes = block ? int(RowBytes24(width)) : 0;
}

int CImageObject::FinishLoad(bool flagFails, int result)
{
    if (!m_pImageBuf)
        return 0;
    if (flagFails && m_pInterrupt && *m_pInterrupt == 1)
        return 0;
    SendDone(m_pProgressWnd, m_pInterrupt, 100);
    return result;
}

int CImageObject::LoadImageFromFile(const char* path, int showErrors)
{
    if (!path)
        return 0;
    BeginLoad(path);
    if (!HasDecoder(m_nImageType))
        return 0;
    UINT w, h;
    BYTE* block = Decode(m_nImageType, path, 0, showErrors, &w, &h);
    KeepDecoded(block, w, h);
    return FinishLoad(false, 1);
}

int CImageObject::LoadScaled(const char* path, int ratio, int showErrors)
{
    if (!path)
        return 0;
    BeginLoad(path);
    if (!HasDecoder(m_nImageType))
        return 0;
    UINT w, h;
    BYTE* block = ratio > 0 ? Decode(m_nImageType, path, ratio, showErrors, &w, &h) : nullptr;
    KeepDecoded(block, w, h);
    return FinishLoad(true, 1);
}

int CImageObject::LoadScaled(const char* path, CSize box, int showErrors)
{
    if (!path)
        return 0;
    return LoadScaled(path, GetThumbRatioFromFile(path, box, nullptr, TRUE), showErrors);
}

int CImageObject::LoadThumbnail(const char* path, CString thumbFile, int ratio, int showErrors)
{
    if (!path)
        return 0;
    BeginLoad(path);
    if (!HasDecoder(m_nImageType))
        return 0;
    UINT w = 0, h = 0;
    BYTE* block = nullptr;
    int embedded = 0;
    if (m_nImageType == IMAGE_TYPE_JPG) {
        int sections = CExifReader(path, &m_ExifInfo).ReadJpegSections(thumbFile);
        if (sections >= 10) {
            block = Decode(IMAGE_TYPE_JPG, thumbFile, 1000, 0, &w, &h);
            embedded = block ? sections : 0;
        }
    }
    if (!block && ratio > 0)
        block = Decode(m_nImageType, path, ratio, showErrors, &w, &h);
    KeepDecoded(block, w, h);
    return FinishLoad(true, embedded ? embedded : 1);
}

int CImageObject::LoadThumbnail(const char* path, CString thumbFile, CSize box, CSize* fullSize, int showErrors)
{
    if (!path)
        return 0;
    BeginLoad(path);
    if (!HasDecoder(m_nImageType)) {
        if (fullSize)
            *fullSize = CSize(0, 0);
        return 0;
    }
    UINT w = 0, h = 0;
    BYTE* block = nullptr;
    int embedded = 0;
    if (m_nImageType == IMAGE_TYPE_JPG) {
        int sections = CExifReader(path, &m_ExifInfo).ReadJpegSections(thumbFile);
        if (fullSize)
            *fullSize = CSize(m_ExifInfo.Width, m_ExifInfo.Height);
        if (sections >= 10) {
            CSize thumbSize;
            CJPGFile(nullptr, nullptr).GetJPGSize(thumbFile, &thumbSize);
            int ratio = FitRatio(thumbSize.cx, thumbSize.cy, box.cx, box.cy, TRUE);
            if (ratio > 0)
                block = Decode(IMAGE_TYPE_JPG, thumbFile, ratio, 0, &w, &h);
            embedded = block ? sections : 0;
        }
        if (!block) {
            CSize picture;
            CJPGFile(nullptr, nullptr).GetJPGSize(path, &picture);
            int ratio = FitRatio(picture.cx, picture.cy, box.cx, box.cy, TRUE);
            if (ratio > 0)
                block = Decode(IMAGE_TYPE_JPG, path, ratio, showErrors, &w, &h);
        }
    } else {
        int ratio = GetThumbRatioFromFile(path, box, fullSize, TRUE);
        m_nImageType = ExtensionIndex(path);
        if (ratio > 0)
            block = Decode(m_nImageType, path, ratio, showErrors, &w, &h);
    }
    KeepDecoded(block, w, h);
    return FinishLoad(false, embedded ? embedded : 1);
}

void CImageObject::GetImageSizeFromFile(const char* path, CSize* size)
{
    m_nImageType = ExtensionIndex(path);
    if (!path || !size)
        return;
    switch (m_nImageType) {
    case IMAGE_TYPE_JPG:
        CJPGFile(m_pProgressWnd, m_pInterrupt).GetJPGSize(path, size);
        break;
    case IMAGE_TYPE_BMP:
        CBMPFile(m_pProgressWnd, m_pInterrupt).GetBMPSize(path, size);
        break;
    case IMAGE_TYPE_GIF:
        CGIFFile(m_pProgressWnd, m_pInterrupt).GetGIFSize(path, size);
        break;
    default:
        break;
    }
}

int CImageObject::GetThumbRatio(CSize box, CSize* size, BOOL capAt1000)
{
    if (size)
        *size = CSize(m_nWidth, m_nHeight);
    return FitRatio(m_nWidth, m_nHeight, box.cx, box.cy, capAt1000);
}

int CImageObject::GetThumbRatio(CRect box, CSize* size, BOOL capAt1000)
{
    return GetThumbRatio(CSize(box.right - box.left, box.bottom - box.top), size, capAt1000);
}

int CImageObject::GetThumbRatioFromFile(const char* path, CSize box, CSize* size, BOOL capAt1000)
{
    CSize picture(0, 0);
    GetImageSizeFromFile(path, &picture);
    if (size)
        *size = picture;
    return FitRatio(picture.cx, picture.cy, box.cx, box.cy, capAt1000);
}

int CImageObject::GetThumbRatioFromFile(const char* path, CRect box, CSize* size, BOOL capAt1000)
{
    return GetThumbRatioFromFile(path, CSize(box.right - box.left, box.bottom - box.top), size, capAt1000);
}

int CImageObject::LoadExifInfoFromFile(const char* path)
{
    return LoadExifInfoFromFile(path, nullptr);
}

int CImageObject::LoadExifInfo()
{
    if (!m_pszFileName)
        return 0;
    std::string path(m_pszFileName);
    return LoadExifInfoFromFile(path.c_str());
}

int CImageObject::Save(const char* path)
{
    int type = ExtensionIndex(path);
    if (type != IMAGE_TYPE_JPG && type != IMAGE_TYPE_BMP)
        return 0;
    if (!m_pImageBuf || m_nWidth <= 0 || m_nHeight <= 0)
        return 0;
    // A failed write must never cost the file that is already there.
    std::string temp = TempPathBeside(path);
    BOOL written;
    if (type == IMAGE_TYPE_JPG)
        written = CJPGFile(m_pProgressWnd, m_pInterrupt)
                      .RGBToJpegFile(temp.c_str(), m_pImageBuf, UINT(m_nWidth), UINT(m_nHeight), TRUE, m_nJPGQuality);
    else
        written = CBMPFile(m_pProgressWnd, m_pInterrupt).SaveBMP(temp.c_str(), m_pImageBuf, UINT(m_nWidth), UINT(m_nHeight));
    bool ok = written && ReplaceWithFile(temp.c_str(), path);
    if (!ok)
        RemoveImageFile(temp.c_str());
    SendProgress(m_pProgressWnd, m_pInterrupt, 0);
    if (!ok)
        return 0;
    m_nImageType = type;
    SetFileName(path);
    return 1;
}

CImageObject* CImageObject::NewSibling() const
{
    return new (std::nothrow) CImageObject(m_pProgressWnd, nullptr);
}

CImageObject* CImageObject::MakeBlankImageObject(COLORREF colour, int width, int height)
{
    uint64_t bytes = width > 0 && height > 0 ? PixelBlockBytes(uint64_t(width), uint64_t(height)) : 0;
    PixelBlock block;
    block.Replace(AllocPixelBlock(bytes, true));
    std::unique_ptr<CImageObject> img(block ? NewSibling() : nullptr);
    if (!img)
        return nullptr;
    uint64_t rowBytes = RowBytes24(uint64_t(width));
    BYTE pixel[3] = {GetBValue(colour), GetGValue(colour), GetRValue(colour)};
    for (int x = 0; x < width; ++x)
        memcpy(block + 3 * uint64_t(x), pixel, 3);
    for (int y = 1; y < height; ++y)
        memcpy(block + y * rowBytes, block, size_t(rowBytes));
    img->KeepDecoded(block.Release(), UINT(width), UINT(height));
    return img.release();
}

CImageObject* CImageObject::DuplicateImgObj()
{
    if (!m_pImageBuf)
        return nullptr;
    uint64_t bytes = uint64_t(m_nRowBytes) * uint64_t(m_nHeight);
    PixelBlock block;
    block.Replace(AllocPixelBlock(bytes, false));
    std::unique_ptr<CImageObject> img(block ? NewSibling() : nullptr);
    if (!img)
        return nullptr;
    memcpy(block, m_pImageBuf, size_t(bytes));
    img->m_pImageBuf.Replace(block.Release());
    img->m_nWidth = m_nWidth;
    img->m_nHeight = m_nHeight;
    img->m_nRowBytes = m_nRowBytes;
    return img.release();
}

// Clamps an inclusive buffer rectangle to the picture; false when nothing remains.
bool CImageObject::ClampRect(int* x1, int* y1, int* x2, int* y2) const
{
    if (!m_pImageBuf || m_nWidth <= 0 || m_nHeight <= 0)
        return false;
    *x1 = max(*x1, 0);
    *y1 = max(*y1, 0);
    *x2 = min(*x2, m_nWidth - 1);
    *y2 = min(*y2, m_nHeight - 1);
    return *x1 <= *x2 && *y1 <= *y2;
}

CImageObject* CImageObject::CropToNewImgObj(int x1, int y1, int x2, int y2)
{
    if (!ClampRect(&x1, &y1, &x2, &y2))
        return nullptr;
    uint64_t w = uint64_t(x2 - x1 + 1), h = uint64_t(y2 - y1 + 1);
    PixelBlock block;
    block.Replace(AllocPixelBlock(PixelBlockBytes(w, h), true));
    std::unique_ptr<CImageObject> img(block ? NewSibling() : nullptr);
    if (!img)
        return nullptr;
    uint64_t rowBytes = RowBytes24(w);
    for (uint64_t j = 0; j < h; ++j)
        memcpy(block + j * rowBytes, m_pImageBuf + (y1 + j) * m_nRowBytes + 3 * uint64_t(x1), size_t(3 * w));
    img->KeepDecoded(block.Release(), UINT(w), UINT(h));
    return img.release();
}

CImageObject* CImageObject::CropToNewImgObj(CRect rc)
{
    return CropToNewImgObj(rc.left, m_nHeight - rc.bottom - 1, rc.right, m_nHeight - rc.top - 1);
}

CImageObject* CImageObject::MakeScaledImgObj(int ratio, UINT* newWidth, UINT* newHeight)
{
    if (!m_pImageBuf || ratio <= 0 || m_nWidth <= 0 || m_nHeight <= 0)
        return nullptr;
    uint64_t w = max(uint64_t(1), uint64_t(m_nWidth) * uint64_t(ratio) / 1000);
    uint64_t h = max(uint64_t(1), uint64_t(m_nHeight) * uint64_t(ratio) / 1000);
    PixelBlock block;
    block.Replace(AllocPixelBlock(PixelBlockBytes(w, h), true));
    std::unique_ptr<uint32_t[]> columns(block ? new (std::nothrow) uint32_t[size_t(w)] : nullptr);
    std::unique_ptr<CImageObject> img(columns ? NewSibling() : nullptr);
    if (!img)
        return nullptr;
    BuildColumnOffsets(columns.get(), uint32_t(w), uint32_t(m_nWidth));
    uint64_t rowBytes = RowBytes24(w);
    for (uint64_t j = 0; j < h; ++j) {
        const BYTE* src = m_pImageBuf + uint64_t(NearestIndex(j, uint64_t(m_nHeight), h)) * m_nRowBytes;
        SampleRow(block + j * rowBytes, src, columns.get(), uint32_t(w));
    }
    img->KeepDecoded(block.Release(), UINT(w), UINT(h));
    if (newWidth)
        *newWidth = UINT(w);
    if (newHeight)
        *newHeight = UINT(h);
    return img.release();
}

CImageObject* CImageObject::MakeScaledImgObj(CSize box, UINT* newWidth, UINT* newHeight)
{
    return MakeScaledImgObj(GetThumbRatio(box, nullptr, TRUE), newWidth, newHeight);
}

int CImageObject::CropSelf(int x1, int y1, int x2, int y2)
{
    std::unique_ptr<CImageObject> crop(CropToNewImgObj(x1, y1, x2, y2));
    if (!crop)
        return 0;
    KeepDecoded(crop->m_pImageBuf.Release(), UINT(crop->m_nWidth), UINT(crop->m_nHeight));
    return 1;
}
